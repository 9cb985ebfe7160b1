// Wiring of the main window's results list: the 競走成績一覧 menu item and its window.
#include <QAction>

#include "fm98_list.h"
#include "fm98_main.h"
#include "results/results_window_model.h"

namespace tz::ui {

void Fm98Main::InstallResultsFeature() {
  if (auto* item = findChild<QAction*>("MenuList")) {
    item->setEnabled(true);
    connect(item, &QAction::triggered, this, [this] { ShowResultsList(); });
  }
}

// Reads the results of every race of the day and shows them in a fresh list window.
void Fm98Main::ShowResultsList() {
  for (Fm98List* old : findChildren<Fm98List*>()) {
    old->close();
    delete old;
  }
  BuildResultsList(s_);
  auto* list = new Fm98List(s_, this);
  list->show();
}

}  // namespace tz::ui
