// Reading and writing the user's settings (tz98.ini in StoreRoot).
#pragma once

#include <string>

#include "app/app_state.h"

namespace tz {

inline constexpr const char* kSettingsFileName = "tz98.ini";

// Reads tz98.ini from state.StoreRoot into the state: folders, options (with their defaults
// and clamps), window positions, the check-list names kept in the older CHECK section, the
// box colours and the odds ranges.
void ReadSettings(AppState& state);

// Writes every setting back to tz98.ini, keeping unknown lines. The check-list names of the
// older CHECK section are emptied when `checkListSaved` (they are in tzcheck.txt now) and kept
// otherwise, so that a check list that could not be written loses none of them. Returns an
// error text, empty on success.
std::string WriteSettings(const AppState& state, bool checkListSaved = true);

// The effective settings as "SECTION.Key=value" lines, in the order they are written.
std::vector<std::string> DescribeSettings(const AppState& state);

}  // namespace tz
