// Wiring of the main window's results feature: its menu items, tool-bar button and windows.
#include "fm98_main.h"

namespace tz::ui {

void Fm98Main::InstallResultsFeature() {}

void Fm98Main::ShowResults() {}

void Fm98Main::ShowResultsList() {}

}  // namespace tz::ui
