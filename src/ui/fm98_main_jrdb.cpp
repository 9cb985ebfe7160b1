// Wiring of the main window's JRDB conversion: the menu item and its dialog.
#include <QAction>

#include "fm98_jrdb_import.h"
#include "fm98_main.h"

namespace tz::ui {

void Fm98Main::InstallJrdbImportFeature() {
  if (auto* a = findChild<QAction*>("menujrdbimport")) {
    connect(a, &QAction::triggered, this, &Fm98Main::ShowJrdbImport);
  }
}

void Fm98Main::ShowJrdbImport() {
  // One dialog at a time; it stays beside the main window without blocking it.
  if (auto* d = findChild<Fm98JrdbImport*>()) {
    d->show();
    d->raise();
    d->activateWindow();
    return;
  }
  auto* d = new Fm98JrdbImport(s_, port_, this);
  d->setAttribute(Qt::WA_DeleteOnClose);
  d->SetOpenFolder([this](const std::filesystem::path& folder) { OpenDataFolder(folder); });
  d->show();
}

}  // namespace tz::ui
