// Wiring of the main window's lists feature: its menu items, tool-bar button and windows.
#include "fm98_main.h"

namespace tz::ui {

void Fm98Main::InstallListsFeature() {}

void Fm98Main::ShowBatchList(int) {}

}  // namespace tz::ui
