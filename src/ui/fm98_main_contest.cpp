// Wiring of the main window's contest feature: the menu item FHWARSｺﾝﾃｽﾄ形式 and its two
// dialogs.
#include <QAction>

#include "fm98_contest.h"
#include "fm98_main.h"

namespace tz::ui {

void Fm98Main::InstallContestFeature() {
  if (auto* menu = findChild<QAction*>("MenuCon")) {
    menu->setEnabled(true);
    connect(menu, &QAction::triggered, this, &Fm98Main::ShowContest);
  }
}

// The automatic dialog when the AUTO option is 1, otherwise the single-rule dialog; both are
// modal and leave the day view as it was before the run.
void Fm98Main::ShowContest() {
  // A dialog of an earlier run is discarded; each opening loads the settings afresh.
  for (QDialog* old : findChildren<Fm98Con*>()) delete old;
  for (QDialog* old : findChildren<FmConAuto*>()) delete old;
  QDialog* dialog = nullptr;
  if (s_.app.settings.AUTO == 1) {
    dialog = new FmConAuto(s_, port_, this);
    connect(static_cast<FmConAuto*>(dialog), &FmConAuto::dayViewChanged, this,
            &Fm98Main::RenderDayView);
  } else {
    dialog = new Fm98Con(s_, port_, this);
    connect(static_cast<Fm98Con*>(dialog), &Fm98Con::dayViewChanged, this,
            &Fm98Main::RenderDayView);
  }
  dialog->open();
}

}  // namespace tz::ui
