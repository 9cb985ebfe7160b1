#include "dialog_buttons.h"

#include "qt_user_port.h"

namespace tz::ui {

DialogButtons MakeDialogButtons(QWidget* parent, const char* okName, const char* cancelName,
                                const char* okCaption) {
  DialogButtons b;
  b.box = new QDialogButtonBox(parent);
  b.ok = b.box->addButton(ToQ(okCaption), QDialogButtonBox::AcceptRole);
  b.cancel = b.box->addButton(ToQ("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole);
  if (okName) b.ok->setObjectName(okName);
  if (cancelName) b.cancel->setObjectName(cancelName);
  b.ok->setDefault(true);
  return b;
}

}  // namespace tz::ui
