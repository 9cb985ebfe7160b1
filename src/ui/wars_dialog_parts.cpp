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

}  // namespace tz::ui
