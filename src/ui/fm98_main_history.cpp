// Wiring of the main window's history and results commands: the 履歴 and 結果 buttons and their windows.
#include "fm98_main.h"

namespace tz::ui {

void Fm98Main::InstallHistoryFeature() {}

void Fm98Main::ShowHistory() {}

void Fm98Main::ShowResults() {}

}  // namespace tz::ui
