// Wiring of the main window's wars feature: its menu items, tool-bar button and windows.
#include "fm98_main.h"

namespace tz::ui {

void Fm98Main::InstallWarsOddsFeature() {}

void Fm98Main::ShowWarsOdds() {}

}  // namespace tz::ui
