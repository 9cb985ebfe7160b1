// Runs over every race of the loaded day, as if the user selected each race in turn.
//
// Every day-wide run (the recommended-longshot list, the predicted-values list, the contest
// entries) walks the day the same way, through RunDayBatch / ForEachRaceOfDay:
//   - the run is marked Running for its whole length (the windows refuse a second run), every
//     race is analysed for the day run (AnalysisFor::DayRun: the pipeline skips the steps that
//     only serve the screen), NoWideOdds is 0 and CurrentDayKind 1;
//   - meetings m = 1..MeetingCount in order (CurrentMeeting = m, CurrentCourse = the meeting's
//     racecourse), races r = 1..12 in order (CurrentRace = r); the advance-sale race is never
//     part of a run;
//   - a race whose odds-file entry does not start with "Z" (either case) is skipped silently
//     and does not count as processed;
//   - otherwise the race is made current (MakeCurrentRace) and analysed (AnalyseRace); when
//     LoadStatus is 0 afterwards the race is ranked (RankRace) and `analysed(m, r)` runs: it
//     reads the ranks and marks of the race from s.raceAnalysis and the odds texts of the
//     main window's panels from s.mainWindow;
//   - whatever LoadStatus was, the processed count grows by one and `progress(processed)` runs
//     (ReportBatchProgress moves a progress bar over CurrentDayOddsCount races).
// Afterwards Running is false again and the selected race is what it was before the run, also
// when the run ends early: its race tables, analysis, main-window panels and race header,
// prediction rows, bracket view and results are restored, so the race on screen never shows
// a value of a race the run analysed. An exception thrown inside the run (by the analysis
// or by a hook) ends it: the user sees "ErrorNo." with the error number, CR LF CR LF and the
// error's description, and the run returns false. What the hooks produced so far stays.
#pragma once

#include <exception>
#include <functional>
#include <string_view>
#include <string>

#include "app/user_port.h"

namespace tz {

struct Session;

// Age, class, surface and distance (hundreds of metres) of a race from its race card; all 0
// without a race card.
struct RaceClass {
  int Age = 0;
  int Class = 0;
  int Surface = 0;
  int Distance = 0;
};

struct BatchState {
  int BatchKind = 0;  // 1 recommended longshots, 2 predicted values
  bool Running = false;  // a day run is going on
};

// Makes race r of meeting m the current race without touching the race buttons; false when the
// race has no odds file (its odds-file entry does not start with "Z", in either case).
bool MakeCurrentRace(Session& s, int meeting, int race);

// The race card "DE-" + course + day + race (code characters, so 10..12 are A..C) of race r of
// meeting m in DataFolder: surface (芝 1, ダ 2, else 0), distance in hundreds of metres (the
// first two characters of the four-character distance), and the age and class codes found in
// the second title line. All 0 when the file does not exist.
RaceClass ClassifyRaceCard(const Session& s, int meeting, int race);
// The same from the bytes of a race card file.
RaceClass ClassifyRaceCardBytes(std::string_view bytes);
// Age code (5 ４歳以上 .. 1 ２歳) and class code (6 オープン/重賞 .. 1 新馬) of a condition line;
// 0 when no entry of the table is contained in it.
int AgeConditionCode(std::string_view titleLine);
int ClassConditionCode(std::string_view titleLine);

// What a day run calls back. Every hook is optional.
struct DayRunHooks {
  // Before the races of meeting m (after CurrentMeeting and CurrentCourse are set).
  std::function<void(int meeting)> meetingStart;
  // A race analysed with LoadStatus 0; the prediction rows are current.
  std::function<void(int meeting, int race)> analysed;
  // After every race that had an odds file, with the number processed so far.
  std::function<void(int processed)> progress;
  // After the races of meeting m.
  std::function<void(int meeting)> meetingEnd;
};

// The iteration above. Returns true when the run went through the whole day, false when an
// error ended it (the error was shown through `port`).
bool RunDayBatch(Session& s, UserPort& port, const DayRunHooks& hooks);

// Shorthand for RunDayBatch with the analysed and progress hooks only.
bool ForEachRaceOfDay(Session& s, UserPort& port,
                      const std::function<void(int meeting, int race)>& onAnalysed,
                      const std::function<void(int processed)>& progress = {});

// The race tool bar around a day run: race buttons 5..17 not pressed, without image and
// disabled, then the day view refreshed. A race on screen stays shown with its odds area and
// main tool bar.
void ResetRaceButtonsForDayRun(Session& s);

// Moves the progress bar of a run: processed of CurrentDayOddsCount races, and lets pending
// window events run so that the bar repaints.
void ReportBatchProgress(Session& s, UserPort& port, int processed);

// "ErrorNo." + number + CR LF CR LF + description: how an unexpected error inside a long run is
// shown. The number is the system error code when the exception carries one, else 0.
std::string BatchErrorText(const std::exception& e);
std::string BatchErrorText(int number, std::string_view description);

}  // namespace tz
