// Wiring of the main window's FHWARS conversions: the two menu items and their dialogs.
#include <QAction>

#include "fm98_main.h"
#include "fm98_wars.h"
#include "fm98_warsk.h"

namespace tz::ui {

namespace {

// One dialog of a kind at a time; it stays beside the main window without blocking it, and a
// conversion can open the receiving folder as the day.
template <typename Dialog>
void ShowConversion(QWidget* main, Session& s, UserPort& port,
                    std::function<void(const std::filesystem::path&)> open) {
  if (auto* d = main->findChild<Dialog*>()) {
    d->show();
    d->raise();
    d->activateWindow();
    return;
  }
  auto* d = new Dialog(s, port, main);
  d->setAttribute(Qt::WA_DeleteOnClose);
  d->SetOpenFolder(std::move(open));
  d->show();
}

}  // namespace

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
  ShowConversion<Fm98Wars>(this, s_, port_,
                           [this](const std::filesystem::path& f) { OpenDataFolder(f); });
}

void Fm98Main::ShowWarsResults() {
  ShowConversion<Fm98WarsK>(this, s_, port_,
                            [this](const std::filesystem::path& f) { OpenDataFolder(f); });
}

}  // namespace tz::ui
