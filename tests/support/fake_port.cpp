#include "support/fake_port.h"

namespace tz::test {

void FakePort::Error(std::string_view title, std::string_view text) {
  messages.push_back({Message::Error, std::string(title), std::string(text), Buttons::Ok, Icon::Error, Answer::Ok});
}

void FakePort::Info(std::string_view title, std::string_view text) {
  messages.push_back({Message::Info, std::string(title), std::string(text), Buttons::Ok, Icon::Info, Answer::Ok});
}

void FakePort::Warning(std::string_view title, std::string_view text) {
  messages.push_back({Message::Warning, std::string(title), std::string(text), Buttons::Ok, Icon::Warning, Answer::Ok});
}

Answer FakePort::Ask(std::string_view title, std::string_view text, Buttons buttons, Icon icon,
                     Answer defaultAnswer) {
  messages.push_back({Message::Question, std::string(title), std::string(text), buttons, icon, defaultAnswer});
  if (answers.empty()) return defaultAnswer;
  Answer a = answers.front();
  answers.pop_front();
  return a;
}

std::vector<std::string> FakePort::Texts(Message::Kind kind) const {
  std::vector<std::string> out;
  for (const Message& m : messages) {
    if (m.kind == kind) out.push_back(m.text);
  }
  return out;
}

}  // namespace tz::test
