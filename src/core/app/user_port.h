// Everything the logic tells or asks the user goes through this interface. The windows
// implement it with message boxes, the command-line tool with the terminal, and the tests
// with a scripted fake.
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
  Answer Ask(std::string_view title, std::string_view text, Buttons buttons, Icon icon,
             Answer defaultAnswer) override {
    return inner_.Ask(title, text, buttons, icon, defaultAnswer);
  }
  void Progress(int done, int total) override { inner_.Progress(done, total); }
  void ProcessPendingEvents() override { inner_.ProcessPendingEvents(); }

 protected:
  UserPort& inner_;
};

}  // namespace tz
