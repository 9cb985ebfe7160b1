// The two small files that tell sibling programs which data folder is loaded: the bank link
// file "zenibako.txt" in the PAT98 folder (read by the bank-book program) and the
// current-folder file "tazuna98.txt" in the program folder. Both hold the full path of
// DataFolder (made absolute when it was given relative). Failures are not reported and never
// stop the program.
#pragma once

#include "app/app_state.h"
#include "pat98/race_model.h"

namespace tz {

inline constexpr const char* kBankLinkFileName = "zenibako.txt";
inline constexpr const char* kCurrentFolderFileName = "tazuna98.txt";

// Creates the bank link file with DataFolder when a day is loaded (MeetingCount > 0).
void WriteBankLink(const AppState& app, const RaceModel& race);
// Deletes the bank link file when it exists.
void DeleteBankLink(const AppState& app);
// Creates the current-folder file with DataFolder when a day is loaded.
void WriteCurrentFolderFile(const AppState& app, const RaceModel& race);

// The options dialog accepted with the bank-link check box `on` (0 or 1): the setting takes
// the value, and the bank link file is written (when a day is loaded) or deleted at once.
void ApplyBankLinkOption(AppState& app, const RaceModel& race, int on);

}  // namespace tz
