// A scripted user port for tests: records every message and answers questions from a queue.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "app/user_port.h"

namespace tz::test {

struct Message {
  enum Kind { Error, Info, Warning, Question } kind;
  std::string title;
  std::string text;
  Buttons buttons = Buttons::Ok;
  Icon icon = Icon::None;
  Answer defaultAnswer = Answer::Ok;
};

class FakePort : public UserPort {
 public:
  std::vector<Message> messages;
  // Answers given to questions, in order; when empty the default button is pressed.
  std::deque<Answer> answers;
  int progressCalls = 0;

  void Error(std::string_view title, std::string_view text) override;
  void Info(std::string_view title, std::string_view text) override;
  void Warning(std::string_view title, std::string_view text) override;
  Answer Ask(std::string_view title, std::string_view text, Buttons buttons, Icon icon,
             Answer defaultAnswer) override;
  void Progress(int done, int total) override { ++progressCalls; }

  // Texts of all messages of a kind.
  std::vector<std::string> Texts(Message::Kind kind) const;
  std::vector<std::string> Errors() const { return Texts(Message::Error); }
};

}  // namespace tz::test
