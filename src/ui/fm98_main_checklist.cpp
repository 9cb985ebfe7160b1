// Wiring of the main window's checklist feature: its menu items, tool-bar button and windows.
#include "fm98_main.h"

namespace tz::ui {

void Fm98Main::InstallCheckListFeature() {}

void Fm98Main::ShowCheckList() {}

}  // namespace tz::ui
