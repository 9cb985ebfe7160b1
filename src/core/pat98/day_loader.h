// Loading the racing day from DataFolder: the betting guides (UY-A..F.JRA), the meeting guide
// (KA-ANNAI.JRA) with weather and going, and the index of the per-race odds files. Also the
// racecourse table. The code characters of the file names are in pat98/file_names.h.
#pragma once

#include <string>
#include <string_view>

#include "app/app_state.h"
#include "app/user_port.h"
#include "pat98/day_view_model.h"
#include "pat98/file_names.h"  // CodeCharValue
#include "pat98/race_model.h"
#include "text/files.h"

namespace tz {

struct Session;

// Which load of a folder this is. The first load of a PAT98 folder (at start, or when the
// user has just chosen the folder) also decides whether the first-run hint is shown.
enum class DayLoad { Reload, FirstLoad };

// The whole load: guides, meeting guide, odds-file index, the main window's day view, the
// bank-link and current-folder files; every lookup goes through `folders`, which is emptied
// first. Offers the pseudo betting guide when only odds files exist. Sets and returns
// race.LoadStatus (0, -3 nothing there, 9 pseudo guide declined or failed, -1 pseudo guide
// refused because of mixed dates, -11 a guide whose date is not eight digits, which is
// reported: every file name of the day is built from that date).
int LoadDay(RaceModel& race, DayViewModel& dayView, AppState& app, text::FolderIndex& folders,
            UserPort& port, DayLoad kind = DayLoad::Reload);
// LoadDay on the session's tables: what the windows and commands call.
int LoadCurrentData(Session& s, UserPort& port, DayLoad kind = DayLoad::Reload);

// Reads UY-A..F.JRA into the day guide; LoadStatus 0, -3 (no guide, no odds file), 9 (no
// guide, odds files exist) or -11 (the first guide's date is not a date: no meetings).
void ReadDayGuides(RaceModel& race, const AppState& app, text::FolderIndex& folders);

// A guide date as the day's file names use it: eight ASCII digits.
bool IsGuideDate(std::string_view date);

// Reads KA-ANNAI.JRA when its date is the guide's date.
void ReadMeetingGuide(RaceModel& race, const AppState& app, text::FolderIndex& folders);

// Fills OddsFileList, OddsFileCount, OddsFileIndex and CurrentDayOddsCount from the odds
// files of the guide's date. Names that do not code a known racecourse, day and race, files
// of a racecourse without a guide, and files beyond the 41st are left out.
void BuildOddsFileIndex(RaceModel& race, const AppState& app);

// The racecourse name of a code 1..10, four blanks otherwise. With year 9999 the code is
// taken as a meeting number 1..3 and the name written in that meeting's guide is returned
// (four blanks for another number).
std::string RacecourseName(const RaceModel& race, int code, int year);
// The table name of a code 1..10, empty otherwise.
std::string RacecourseTableName(int code);
// 1..10 for a name of the table, 0 otherwise.
int RacecourseCode(std::string_view name);

// Updates the meeting and race buttons and the rest of the day view from the model; a pending
// ReloadAllWindows request is passed on to the view and cleared. A race of the day without an
// odds file is enabled when it has a results file (results only; looked up in `folders`).
void RefreshDayView(RaceModel& race, DayViewModel& view, AppState& app, text::FolderIndex& folders);

// The last digit of the guide date's year, as the day's results file names carry it (0 without
// a guide date).
int GuideYearDigit(const RaceModel& race);
// Whether race 1..12 of meeting 1..MeetingCount has no odds file but a results file in
// DataFolder: the race is shown by its results only.
bool IsResultsOnlyRace(const RaceModel& r, const AppState& app, text::FolderIndex& folders, int meeting,
                       int race);

// Messages of the load.
inline constexpr const char* kNoGuideQuestion =
    "投票要項が存在しません。\n擬似投票要項を作成しますか？";
inline constexpr const char* kBadGuideDateMessage = "投票要項の日付が正しくありません。";
inline constexpr const char* kStatusPanel5Text = "疾風組　Ver0.02β";
inline constexpr const char* kNoMeetingGuideTip = "開催案内は取得されていません";

}  // namespace tz
