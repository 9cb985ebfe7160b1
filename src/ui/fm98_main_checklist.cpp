// Wiring of the main window's checklist feature: tool-bar button 1 "ﾁｪｯｸ" opens the check-list
// window; after "OK" the prediction window draws its names in the new colours.
#include <QTimer>

#include "fm98_chk.h"
#include "fm98_main.h"
#include "qt_user_port.h"

namespace tz::ui {

void Fm98Main::InstallCheckListFeature() {
  if (QToolButton* b = ToolButton(1)) connect(b, &QToolButton::clicked, this, &Fm98Main::ShowCheckList);
  InstallCellDragSource(this);
  // A check-list file that could not be read at start is reported once the window is up.
  if (!s_.checkListWindow.File.Problem.empty()) {
    QTimer::singleShot(0, this, [this] { port_.Error(s_.app.AppTitle, s_.checkListWindow.File.Problem); });
  }
}

void Fm98Main::ShowCheckList() {
  // Modeless, and only one: names are dragged into it from the prediction window.
  if (Fm98Chk* open = findChild<Fm98Chk*>(); open && open->isVisible()) {
    open->raise();
    open->activateWindow();
    return;
  }
  auto* chk = new Fm98Chk(s_, this);
  // The prediction window draws its name cells anew; the results windows take the new
  // colours the next time they are filled.
  connect(chk, &Fm98Chk::checkListChanged, this, [this] {
    if (Fm98Hyo* hyo = PredictionWindow()) hyo->Render();
  });
  chk->show();
}

}  // namespace tz::ui
