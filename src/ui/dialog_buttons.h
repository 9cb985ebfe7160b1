// The button row of a dialog: a QDialogButtonBox, so the buttons sit in the desktop's order and
// Enter and Escape work as users expect. The buttons keep their object names for the tests and
// for the windows that refer to them.
#pragma once

#include <QDialogButtonBox>
#include <QPushButton>

namespace tz::ui {

struct DialogButtons {
  QDialogButtonBox* box = nullptr;
  QPushButton* ok = nullptr;      // accept role, the default button
  QPushButton* cancel = nullptr;  // reject role, "ｷｬﾝｾﾙ"
};

// OK (caption `okCaption`) and "ｷｬﾝｾﾙ". Names may be null. The caller connects the buttons'
// clicked signals; the box's own accepted/rejected signals are left unconnected.
DialogButtons MakeDialogButtons(QWidget* parent, const char* okName = nullptr,
                                const char* cancelName = nullptr, const char* okCaption = "OK");

}  // namespace tz::ui
