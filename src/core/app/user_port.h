// Everything the logic tells or asks the user goes through this interface. The windows
// implement it with message boxes, the command-line tool with the terminal, and the tests
// with a scripted fake. Message texts break their lines with "\n"; a port shows each "\n" as a
// line break (MessageLines also turns the CR LF and lone CR of a system's description or a
// file's text into "\n").
#pragma once

#include <string>
#include <string_view>

namespace tz {

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };
enum class Icon { None, Error, Warning, Info, Question };

class UserPort {
 public:
  virtual ~UserPort() = default;
  // A refusal or error: error icon, OK button.
  virtual void Error(std::string_view title, std::string_view text) = 0;
  // A plain message with an information icon and OK.
  virtual void Info(std::string_view title, std::string_view text) = 0;
  // A warning with the exclamation icon and OK: a refusal the user can mend.
  virtual void Warning(std::string_view title, std::string_view text) = 0;
  // A question; `defaultAnswer` is the button that Enter presses.
  virtual Answer Ask(std::string_view title, std::string_view text, Buttons buttons, Icon icon,
                     Answer defaultAnswer) = 0;
  // Progress of a long run: `done` of `total` steps; total 0 hides the progress.
  virtual void Progress(int done, int total) {}
  // Lets pending window events run during a long run.
  virtual void ProcessPendingEvents() {}
};

// Passes everything on to another port; a window that shows a run's progress derives from it
// and overrides only what it shows itself.
class ForwardingPort : public UserPort {
 public:
  explicit ForwardingPort(UserPort& inner) : inner_(inner) {}
  void Error(std::string_view title, std::string_view text) override { inner_.Error(title, text); }
  void Info(std::string_view title, std::string_view text) override { inner_.Info(title, text); }
  void Warning(std::string_view title, std::string_view text) override {
    inner_.Warning(title, text);
  }
  Answer Ask(std::string_view title, std::string_view text, Buttons buttons, Icon icon,
             Answer defaultAnswer) override {
    return inner_.Ask(title, text, buttons, icon, defaultAnswer);
  }
  void Progress(int done, int total) override { inner_.Progress(done, total); }
  void ProcessPendingEvents() override { inner_.ProcessPendingEvents(); }

 protected:
  UserPort& inner_;
};

// The text with every CR LF and every lone CR made a "\n", as a port shows its lines.
inline std::string MessageLines(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r') {
      out.push_back(text[i]);
    } else if (i + 1 >= text.size() || text[i + 1] != '\n') {
      out.push_back('\n');
    }
  }
  return out;
}

}  // namespace tz
