// Wiring of the main window's warsk feature: its menu items, tool-bar button and windows.
#include "fm98_main.h"

namespace tz::ui {

void Fm98Main::InstallWarsResultsFeature() {}

void Fm98Main::ShowWarsResults() {}

}  // namespace tz::ui
