// Reading the odds of the selected race: the odds file (ZO-: header, win and place odds,
// bracket-quinella table) and the quinella/wide file (UO-, with wide odds or quinella only).
// Odds are kept as the fixed-width texts read; a scratched horse's fields become empty and a
// quoted 0.0 becomes "999.9" (five characters) or "9999.9" (six characters).
#pragma once

#include <string>
#include <string_view>

#include "app/app_state.h"
#include "app/user_port.h"
#include "pat98/race_model.h"
#include "text/files.h"

namespace tz {

// Reads OddsFilePath[0] into the race, the file found through `folders`; messages carry
// AppTitle. LoadStatus 0, -1 (no odds file), -9 (another date than the guide;
// message shown) or -5 (the file is too short or its horse count is not 1..18; message
// shown). The caller sets ScratchedCount to 0 first.
int ReadRaceOdds(RaceModel& race, const AppState& app, text::FolderIndex& folders, UserPort& port);

// The steps of ReadRaceOdds. ReadOddsHeader returns false when the file cannot be used.
bool ReadOddsHeader(RaceModel& r, const AppState& app, UserPort& port, const std::string& bytes);
void ReadSingleOdds(RaceModel& r);
void ReadBracketQuinellaOdds(RaceModel& r);
void AssignBrackets(RaceModel& r);

// Reads OddsFilePath[1]: LoadStatus -1 when missing, -7 when its (whole, dated) header names
// another date,
// racecourse, meeting, day or race than the odds file read before it, 2 when it is too short
// for the pairs of the race (nothing stored in either case), unchanged otherwise.
void ReadQuinellaFile(RaceModel& race, text::FolderIndex& folders);

// Sale code 7: the quinella table from the bracket table, directly for up to 8 horses and
// through each bracket's representative for 9 horses or more. Both clear the wide tables.
void QuinellaFromBracketTable(RaceModel& r);
void QuinellaFromBracketRepresentatives(RaceModel& r);

// The bracket of each horse for a field of n horses (index 1..n; other entries 0).
std::array<int, kMaxHorses + 1> BracketsForField(int n);

// Scratched markers: " ﾄﾘｹｼ" or five blanks; "  ﾄﾘｹｼ" or six blanks.
bool IsScratched5(std::string_view v);
bool IsScratched6(std::string_view v);

// Body offset (1-based, in body characters) of bracket-table entry (i, j), i <= j.
std::size_t BracketEntryStart(int i, int j);

inline constexpr int kLoadBadOddsFile = -5;
inline constexpr int kLoadBadQuinellaFile = 2;
// The quinella/wide file's header names another day or race than the odds file's.
inline constexpr int kLoadQuinellaOtherRace = -7;
inline constexpr const char* kQuinellaOtherRaceMessage =
    "馬連・ワイドオッズファイルが単・複オッズファイルと同じレースのものではありません。";
inline constexpr const char* kDateMismatchMessage = "日付が一致しません。";
inline constexpr const char* kBadOddsFileMessage = "オッズファイルが壊れています。";

}  // namespace tz
