// Wiring of the main window's options feature: its menu items, tool-bar button and windows.
#include "fm98_main.h"

namespace tz::ui {

void Fm98Main::InstallOptionsFeature() {}

void Fm98Main::ShowOptions() {}

}  // namespace tz::ui
