// Wiring of the main window's lists feature: the menu items 推奨穴馬一覧 and 予想値一覧, the batch
// dialog that runs them over the day and the list windows it opens.
#include <QAction>

#include "exports/day_batch.h"
#include "fm98_lists.h"
#include "fm98_main.h"

namespace tz::ui {

void Fm98Main::InstallListsFeature() {
  if (auto* a = findChild<QAction*>("MenuAna")) {
    a->setEnabled(true);
    connect(a, &QAction::triggered, this, [this] { ShowBatchList(1); });
  }
  if (auto* a = findChild<QAction*>("MenuRZ")) {
    a->setEnabled(true);
    connect(a, &QAction::triggered, this, [this] { ShowBatchList(2); });
  }
}

void Fm98Main::ShowBatchList(int kind) {
  s_.batch.BatchKind = kind;
  // Race buttons 5..17: not pressed, disabled; then the day view shows the meeting again. The
  // run leaves the race on screen as it was, with its odds area and tool bar.
  auto resetRaceButtons = [this] {
    ResetRaceButtonsForDayRun(s_);
    RenderDayView();
  };
  Fm98Mes dialog(s_, port_, this);
  dialog.beforeRun = [this, kind, resetRaceButtons] {
    // The run rebuilds its window and analyses race after race: the windows of the race on
    // screen would only show stale values.
    if (kind == 1) {
      if (auto* w = findChild<Fm98Ana*>()) w->close();
    } else if (auto* w = findChild<Fm98RZ*>()) {
      w->close();
    }
    CloseAuxWindows();
    resetRaceButtons();
  };
  dialog.afterRun = [resetRaceButtons] { resetRaceButtons(); };
  dialog.exec();
  if (!dialog.Ran()) return;
  QWidget* list = nullptr;
  if (kind == 1) {
    list = new Fm98Ana(s_, port_, this);
  } else {
    list = new Fm98RZ(s_, this);
  }
  list->show();
}

}  // namespace tz::ui
