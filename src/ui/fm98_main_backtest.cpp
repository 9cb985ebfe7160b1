// Wiring of the main window's backtest feature: the menu item 回収率ﾊﾞｯｸﾃｽﾄ opens the dialog that
// chooses the saved days; the result opens in a window of its own.
#include <QAction>

#include "backtest_window.h"
#include "fm98_main.h"

namespace tz::ui {

void Fm98Main::InstallBacktestFeature() {
  if (auto* menu = findChild<QAction*>("MenuBacktest")) {
    connect(menu, &QAction::triggered, this, &Fm98Main::ShowBacktest);
  }
}

void Fm98Main::ShowBacktest() {
  for (QDialog* old : findChildren<BacktestDialog*>()) {
    if (!static_cast<BacktestDialog*>(old)->Running()) delete old;
  }
  auto* dialog = new BacktestDialog(s_, port_, this);
  dialog->open();
}

}  // namespace tz::ui
