#include "progress_port.h"

#include <QCoreApplication>
#include <algorithm>

namespace tz::ui {

void ProgressBarPort::Progress(int done, int total) {
  inner_.Progress(done, total);
  if (!bar_) return;
  if (total <= 0) {
    if (withoutTotal_ == WithoutTotal::Hide) {
      bar_->hide();
      return;
    }
    if (withoutTotal_ == WithoutTotal::Keep) return;
  }
  if (bar_->isHidden()) bar_->show();
  const long long percent = total > 0 ? static_cast<long long>(done) * 100 / total : 0;
  bar_->setValue(static_cast<int>(std::clamp(percent, 0LL, 100LL)));
}

void ProgressBarPort::ProcessPendingEvents() {
  inner_.ProcessPendingEvents();
  QCoreApplication::processEvents();
}

}  // namespace tz::ui
