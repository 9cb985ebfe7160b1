// Wiring of the main window's contest feature: its menu items, tool-bar button and windows.
#include "fm98_main.h"

namespace tz::ui {

void Fm98Main::InstallContestFeature() {}

void Fm98Main::ShowContest() {}

}  // namespace tz::ui
