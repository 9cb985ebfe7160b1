#include "exports/day_batch.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <system_error>
#include <utility>

#include "analysis/indicators.h"
#include "analysis/main_window_model.h"
#include "analysis/pipeline.h"
#include "analysis/upset.h"
#include "analysis/vote_shares.h"
#include "pat98/day_loader.h"
#include "pat98/file_names.h"
#include "session.h"
#include "text/files.h"
#include "text/numbers.h"
#include "text/sjis.h"
#include "text/strings.h"

namespace tz {

namespace {

// Reads a race card from its start as a text file is read: some fields by characters (a
// double-byte character counts one), some by bytes.
class CardCursor {
 public:
  explicit CardCursor(std::string_view bytes) : b_(bytes) {}

  std::string_view Chars(std::size_t n) {
    std::size_t start = at_;
    for (std::size_t k = 0; k < n && at_ < b_.size(); ++k) {
      const auto c = static_cast<unsigned char>(b_[at_]);
      const bool lead = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
      at_ += (lead && at_ + 1 < b_.size()) ? 2 : 1;
    }
    return b_.substr(start, at_ - start);
  }
  std::string_view Bytes(std::size_t n) {
    std::size_t start = at_;
    at_ = std::min(b_.size(), at_ + n);
    return b_.substr(start, at_ - start);
  }

 private:
  std::string_view b_;
  std::size_t at_ = 0;
};

struct CodeEntry {
  const char* text;
  int code;
};

// Searched in this order; the first text contained in the condition line wins.
constexpr std::array<CodeEntry, 7> kAgeTable{{
    {"４歳以上", 5}, {"４歳上", 5}, {"３歳以上", 4}, {"３歳上", 4},
    {"４歳", 3},     {"３歳", 2},   {"２歳", 1},
}};

constexpr std::array<CodeEntry, 17> kClassTable{{
    {"オープン", 6}, {"１６００万下", 5}, {"1600万下", 5}, {"９００万下", 4},
    {"900万下", 4},  {"５００万下", 3},   {"500万下", 3},  {"５００万", 3},
    {"500万", 3},    {"未勝利", 2},       {"未出走", 2},   {"新馬", 1},
    {"Ｇ３", 6},     {"Ｇ２", 6},         {"Ｇ１", 6},     {"１０００万下", 4},
    {"1000万下", 4},
}};

template <std::size_t N>
int FirstContained(const std::array<CodeEntry, N>& table, std::string_view line) {
  for (const CodeEntry& e : table) {
    if (line.find(e.text) != std::string_view::npos) return e.code;
  }
  return 0;
}

// Puts the selected race back the way it was before a run: the run analyses race after race
// in the same tables the screen shows, so the race tables, the analysis and its outcome, the
// main window's panels and race header, the prediction rows, the bracket view and the race's
// results are kept aside and restored, also when the run ends early.
class SelectionGuard {
 public:
  explicit SelectionGuard(Session& s)
      : s_(s),
        race_(s.race),
        analysis_(s.analysis),
        raceAnalysis_(s.raceAnalysis),
        mainWindow_(s.mainWindow),
        prediction_(s.prediction),
        bracketView_(s.bracketView),
        results_(s.results),
        history_(s.history) {}
  ~SelectionGuard() {
    s_.batch.Running = false;
    s_.race = std::move(race_);
    s_.analysis = std::move(analysis_);
    s_.raceAnalysis = std::move(raceAnalysis_);
    s_.mainWindow = std::move(mainWindow_);
    s_.prediction = std::move(prediction_);
    s_.bracketView = std::move(bracketView_);
    s_.results = std::move(results_);
    s_.history = std::move(history_);
  }
  SelectionGuard(const SelectionGuard&) = delete;
  SelectionGuard& operator=(const SelectionGuard&) = delete;

 private:
  Session& s_;
  RaceModel race_;
  AnalysisState analysis_;
  RaceAnalysis raceAnalysis_;
  MainWindowModel mainWindow_;
  PredictionModel prediction_;
  BracketViewModel bracketView_;
  ResultState results_;
  HistoryState history_;
};

}  // namespace

bool MakeCurrentRace(Session& s, int meeting, int race) {
  const RaceModel& r = s.race;
  if (meeting < 1 || meeting > r.MeetingCount || meeting > kMaxMeetings) return false;
  if (race < 1 || race > kMaxRaces) return false;
  const int course = r.MeetingInfo[meeting].CourseCode;
  if (course < 1 || course > kMaxCourses) return false;
  if (!text::StartsWithNoCase(r.OddsFileIndex[course][race], "Z")) return false;
  // The same selection a race button makes: file name and the two odds paths.
  SetRaceSelection(s, meeting, race);
  return true;
}

int AgeConditionCode(std::string_view titleLine) { return FirstContained(kAgeTable, titleLine); }

int ClassConditionCode(std::string_view titleLine) {
  return FirstContained(kClassTable, titleLine);
}

RaceClass ClassifyRaceCardBytes(std::string_view bytes) {
  CardCursor in(bytes);
  in.Chars(8);    // date
  in.Bytes(4);    // racecourse name
  in.Chars(10);   // year, meeting, day, race
  in.Chars(4);    // post time
  const std::string surface = text::DecodeSjis(in.Bytes(2));
  in.Bytes(2);
  const std::string distance = text::DecodeSjis(in.Chars(4));
  in.Bytes(28);   // race name
  const std::string conditions = text::DecodeSjis(in.Bytes(28));

  RaceClass c;
  c.Surface = surface == "芝" ? 1 : surface == "ダ" ? 2 : 0;
  c.Distance = static_cast<int>(text::ValInt(text::Left(distance, 2)));
  c.Age = AgeConditionCode(conditions);
  c.Class = ClassConditionCode(conditions);
  return c;
}

RaceClass ClassifyRaceCard(const Session& s, int meeting, int race) {
  const RaceModel& r = s.race;
  if (meeting < 1 || meeting > kMaxMeetings) return {};
  const MeetingRecord& info = r.MeetingInfo[meeting];
  const auto path =
      text::FindEntry(s.app.DataFolder, RaceCardFileName(info.CourseCode, info.Day, race));
  if (!path) return {};
  const auto bytes = text::ReadFileBytes(*path);
  if (!bytes) return {};
  return ClassifyRaceCardBytes(*bytes);
}

std::string BatchErrorText(int number, std::string_view description) {
  return "ErrorNo." + std::to_string(number) + "\n\n" + std::string(description);
}

std::string BatchErrorText(const std::exception& e) {
  int number = 0;
  if (const auto* se = dynamic_cast<const std::system_error*>(&e)) number = se->code().value();
  return BatchErrorText(number, e.what());
}

void ReportBatchProgress(Session& s, UserPort& port, int processed) {
  port.Progress(processed, s.race.CurrentDayOddsCount);
  port.ProcessPendingEvents();
}

void ResetRaceButtonsForDayRun(Session& s) {
  for (int b = 5; b <= 17; ++b) {
    RaceButtonView& button = s.dayView.raceButtons[b];
    button.pressed = false;
    button.icon = 0;
    button.enabled = false;
  }
  s.mainWindow.SelectedRaceButton = 0;
  // The refresh shows the day without a selected race; a race on screen stays there, and so
  // does a race picked for its results only (the refresh leaves that pick alone).
  const bool shown = s.mainWindow.RaceShown && s.dayView.oddsAreaVisible;
  const int horses = s.race.HorseCount;
  const bool toolBar = s.dayView.mainToolBarEnabled;
  RefreshDayView(s.race, s.dayView, s.app, s.folders);
  if (shown) {
    s.race.HorseCount = horses;
    s.dayView.oddsAreaVisible = true;
  }
  if (shown || s.mainWindow.ResultsOnly) s.dayView.mainToolBarEnabled = toolBar;
}

bool RunDayBatch(Session& s, UserPort& port, const DayRunHooks& hooks) {
  SelectionGuard restore(s);
  RaceModel& r = s.race;
  try {
    s.batch.Running = true;
    r.NoWideOdds = 0;
    r.CurrentDayKind = 1;
    int processed = 0;
    const int meetings = std::min(r.MeetingCount, kMaxMeetings);
    for (int m = 1; m <= meetings; ++m) {
      r.CurrentMeeting = m;
      r.CurrentCourse = r.MeetingInfo[m].CourseCode;
      if (hooks.meetingStart) hooks.meetingStart(m);
      for (int race = 1; race <= kMaxRaces; ++race) {
        r.CurrentRace = race;
        if (!MakeCurrentRace(s, m, race)) continue;
        AnalyseRace(s, port, AnalysisFor::DayRun);
        if (r.LoadStatus == 0) {
          // The prediction rows of the earlier race are discarded and built for this one.
          ResetMainWindow(s);
          RankRace(s);
          if (hooks.analysed) hooks.analysed(m, race);
        }
        ++processed;
        if (hooks.progress) hooks.progress(processed);
      }
      if (hooks.meetingEnd) hooks.meetingEnd(m);
    }
  } catch (const std::exception& e) {
    s.batch.Running = false;
    port.Error(s.app.AppTitle, BatchErrorText(e));
    return false;
  }
  return true;
}

bool ForEachRaceOfDay(Session& s, UserPort& port,
                      const std::function<void(int meeting, int race)>& onAnalysed,
                      const std::function<void(int processed)>& progress) {
  DayRunHooks hooks;
  hooks.analysed = onAnalysed;
  hooks.progress = progress;
  return RunDayBatch(s, port, hooks);
}

}  // namespace tz
