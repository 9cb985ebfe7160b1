// The port a dialog hands to a long run: messages go on to the window's port, the run's steps
// move one of the dialog's progress bars, and the window stays responsive between steps.
#pragma once

#include <QProgressBar>

#include "app/user_port.h"

namespace tz::ui {

class ProgressBarPort : public ForwardingPort {
 public:
  // What a step without a total does to the bar.
  enum class WithoutTotal {
    Keep,  // leaves the bar as it is
    Zero,  // shows it at 0
    Hide,  // hides it
  };

  ProgressBarPort(UserPort& inner, QProgressBar* bar, WithoutTotal withoutTotal)
      : ForwardingPort(inner), bar_(bar), withoutTotal_(withoutTotal) {}
  void Progress(int done, int total) override;
  void ProcessPendingEvents() override;

 private:
  QProgressBar* bar_;
  WithoutTotal withoutTotal_;
};

}  // namespace tz::ui
