// Pieces the two forum-log conversion dialogs share: the framed path label and the port that
// forwards messages while moving the dialog's progress bar.
#pragma once

#include <QLabel>
#include <QProgressBar>
#include <string>

#include "app/user_port.h"

namespace tz::ui {

// A framed label showing a folder or file name.
QLabel* ConversionPathLabel(const std::string& text, const char* name, QWidget* parent);

// Passes messages on to the window's port and shows the conversion's progress in `bar`. With
// `hideWithoutTotal`, a step without a total hides the bar; otherwise the bar stays shown at 0.
class ConversionProgressPort : public ForwardingPort {
 public:
  ConversionProgressPort(UserPort& inner, QProgressBar* bar, bool hideWithoutTotal)
      : ForwardingPort(inner), bar_(bar), hideWithoutTotal_(hideWithoutTotal) {}
  void Progress(int done, int total) override;

 private:
  QProgressBar* bar_;
  bool hideWithoutTotal_;
};

}  // namespace tz::ui
