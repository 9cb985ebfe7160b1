// A substitute betting guide written from the odds files alone, for folders that hold odds
// files but no guide (hand-copied files, forum-log conversions). The normal guide reader then
// loads the day as if PAT98 had written the guide.
#pragma once

#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/user_port.h"
#include "pat98/race_model.h"

namespace tz {

// Writes UY-A.JRA, UY-B.JRA, UY-C.JRA (one per racecourse found, lowest racecourse codes
// first, at most three) into DataFolder and fills OddsFileList/OddsFileCount. LoadStatus 0
// when done (also when nothing was written), -1 when the odds files are of different dates
// (message shown, nothing written) or a guide could not be written (message shown).
void BuildPseudoGuide(RaceModel& race, const AppState& app, UserPort& port);

// The 653-character record of one racecourse: date key, racecourse code, the eight header
// characters (year, meeting number, day), the twelve sale codes ("07", "31" or "00"), ended
// by a single carriage return.
std::string PseudoGuideRecord(const std::string& dateKey, int courseCode,
                              const std::string& headerChars,
                              const std::vector<std::string>& saleCodes);

inline constexpr const char* kMixedDatesMessage = "異なる日付のオッズが含まれています。";

}  // namespace tz
