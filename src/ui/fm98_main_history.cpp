// Wiring of the main window's history feature: its menu items, tool-bar button and windows.
#include "fm98_main.h"

namespace tz::ui {

void Fm98Main::InstallHistoryFeature() {}

void Fm98Main::ShowHistory() {}

}  // namespace tz::ui
