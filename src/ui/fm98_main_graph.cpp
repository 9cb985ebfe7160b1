// Wiring of the main window's graph feature: its menu items, tool-bar button and windows.
#include "fm98_main.h"

namespace tz::ui {

void Fm98Main::InstallGraphFeature() {}

void Fm98Main::ShowGraphs() {}

}  // namespace tz::ui
