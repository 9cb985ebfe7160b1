// Wiring of the main window's FHWARS odds conversion: the menu item and its dialog.
#include <QAction>

#include "fm98_main.h"
#include "fm98_wars.h"

namespace tz::ui {

void Fm98Main::InstallWarsOddsFeature() {
  if (auto* a = findChild<QAction*>("menuwars")) {
    a->setEnabled(true);
    connect(a, &QAction::triggered, this, &Fm98Main::ShowWarsOdds);
  }
}

void Fm98Main::ShowWarsOdds() {
  // One dialog at a time; it stays beside the main window without blocking it.
  if (auto* d = findChild<Fm98Wars*>()) {
    d->show();
    d->raise();
    d->activateWindow();
    return;
  }
  auto* d = new Fm98Wars(s_, port_, this);
  d->setAttribute(Qt::WA_DeleteOnClose);
  d->SetOpenFolder([this](const std::filesystem::path& folder) { OpenDataFolder(folder); });
  d->show();
}

}  // namespace tz::ui
