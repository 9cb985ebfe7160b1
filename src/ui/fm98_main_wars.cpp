// Wiring of the main window's FHWARS conversions: the two menu items and their dialogs.
#include <QAction>

#include "fm98_main.h"
#include "fm98_wars.h"
#include "fm98_warsk.h"

namespace tz::ui {

void Fm98Main::InstallWarsOddsFeature() {
  if (auto* a = findChild<QAction*>("menuwars")) {
    a->setEnabled(true);
    connect(a, &QAction::triggered, this, &Fm98Main::ShowWarsOdds);
  }
}

void Fm98Main::InstallWarsResultsFeature() {
  if (auto* a = findChild<QAction*>("menuwkekka")) {
    a->setEnabled(true);
    connect(a, &QAction::triggered, this, &Fm98Main::ShowWarsResults);
  }
}

void Fm98Main::ShowWarsOdds() {
  ShowDayWriter<Fm98Wars>(this, s_, port_,
                          [this](const std::filesystem::path& f) { OpenDataFolder(f); });
}

void Fm98Main::ShowWarsResults() {
  ShowDayWriter<Fm98WarsK>(this, s_, port_,
                           [this](const std::filesystem::path& f) { OpenDataFolder(f); });
}

}  // namespace tz::ui
