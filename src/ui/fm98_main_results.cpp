// Wiring of the main window's results list: the 競走成績一覧 menu item and its window.
#include "fm98_main.h"

namespace tz::ui {

void Fm98Main::InstallResultsFeature() {}

void Fm98Main::ShowResultsList() {}

}  // namespace tz::ui
