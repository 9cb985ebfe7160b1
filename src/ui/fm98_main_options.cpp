// Wiring of the main window's options feature: its menu items, tool-bar button and windows.
#include <QAction>

#include "fm98_main.h"
#include "fm98_opt.h"

namespace tz::ui {

void Fm98Main::InstallOptionsFeature() {
  QAction* a = findChild<QAction*>("MenuOption");
  a->setEnabled(true);
  connect(a, &QAction::triggered, this, &Fm98Main::ShowOptions);
}

void Fm98Main::ShowOptions() {
  // One dialog at a time: a second command brings the open one forward.
  for (Fm98Opt* d : findChildren<Fm98Opt*>(QString(), Qt::FindDirectChildrenOnly)) {
    if (d->isVisible()) {
      d->raise();
      d->activateWindow();
      return;
    }
  }
  auto* d = new Fm98Opt(s_, this);
  d->show();
}

}  // namespace tz::ui
