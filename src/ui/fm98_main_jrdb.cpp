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
  ShowDayWriter<Fm98JrdbImport>(this, s_, port_,
                                [this](const std::filesystem::path& f) { OpenDataFolder(f); });
}

}  // namespace tz::ui
