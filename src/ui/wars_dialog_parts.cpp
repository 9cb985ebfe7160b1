#include "wars_dialog_parts.h"

#include "qt_user_port.h"

namespace tz::ui {

QLabel* ConversionPathLabel(const std::string& text, const char* name, QWidget* parent) {
  auto* l = new QLabel(ToQ(text), parent);
  l->setObjectName(name);
  l->setFrameShape(QFrame::StyledPanel);
  l->setMinimumWidth(320);
  return l;
}

void ConversionProgressPort::Progress(int done, int total) {
  if (total <= 0 && hideWithoutTotal_) {
    bar_->hide();
  } else {
    if (bar_->isHidden()) bar_->show();
    bar_->setValue(total > 0 ? static_cast<int>(static_cast<long long>(done) * 100 / total) : 0);
  }
  inner_.Progress(done, total);
}

}  // namespace tz::ui
