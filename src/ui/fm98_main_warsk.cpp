// Wiring of the main window's FHWARS results conversion: the menu item and its dialog.
#include <QAction>

#include "fm98_main.h"
#include "fm98_warsk.h"

namespace tz::ui {

void Fm98Main::InstallWarsResultsFeature() {
  if (auto* a = findChild<QAction*>("menuwkekka")) {
    a->setEnabled(true);
    connect(a, &QAction::triggered, this, &Fm98Main::ShowWarsResults);
  }
}

void Fm98Main::ShowWarsResults() {
  // One dialog at a time; it stays beside the main window without blocking it.
  if (auto* d = findChild<Fm98WarsK*>()) {
    d->show();
    d->raise();
    d->activateWindow();
    return;
  }
  auto* d = new Fm98WarsK(s_, port_, this);
  d->setAttribute(Qt::WA_DeleteOnClose);
  d->SetOpenFolder([this](const std::filesystem::path& folder) { OpenDataFolder(folder); });
  d->show();
}

}  // namespace tz::ui
