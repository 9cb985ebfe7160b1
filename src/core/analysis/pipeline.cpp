#include "analysis/pipeline.h"

#include <string>
#include <vector>

#include "analysis/classification.h"
#include "analysis/indicators.h"
#include "analysis/main_window_model.h"
#include "analysis/upset.h"
#include "analysis/vote_shares.h"
#include "pat98/day_loader.h"
#include "pat98/odds_reader.h"
#include "results/history.h"
#include "results/race_card.h"
#include "session.h"
#include "snapshot/base_snapshot.h"
#include "text/files.h"
#include "text/numbers.h"
#include "text/strings.h"

namespace tz {

namespace {

constexpr const char* kNoQuinellaOdds = "馬連ｵｯｽﾞが取得されていません。";
constexpr const char* kNotPat98Quinella = "PAT98対応の馬連ｵｯｽﾞﾌｧｲﾙではありません。";
constexpr const char* kGuideError = "投票要項エラー";

// The day of the meeting as one character: 1..9, then a, b, c.
std::string DayChar(int day) {
  if (day >= 1 && day <= 9) return std::to_string(day);
  if (day >= 10 && day <= 12) return std::string(1, static_cast<char>('a' + day - 10));
  return std::to_string(day);
}

std::string TwoDigits(int v) { return text::FormatNumber(v, "00"); }

// Runs the analysis steps of a loaded race in their fixed order.
void RunAnalysisSteps(Session& s) {
  ComputeVoteShares(s);
  FindPopularityGaps(s);
  BuildPositionTables(s);
  ClearPanels(s);
  FillPanels(s);
  ColourByClass(s);
  MarkGaps(s);
  FlagOverbetting(s);
  ScorePairs(s);
  ApplyPairMarks(s);
  if (s.analysis.JrdbLoaded) FillJrdbPanels(s);
}

// The race label: the meeting caption and the race number in four characters with "R". The
// advance-sale race shows its real race number.
std::string RaceLabelOf(const Session& s) {
  const int race = s.race.CurrentRace;
  const int m = s.race.CurrentMeeting;
  const std::string meetingCaption =
      (m >= 1 && m <= kMaxMeetings) ? s.dayView.meetingButtons[m].caption : std::string();
  return meetingCaption + (race < 10 ? "  " : " ") + std::to_string(race) + "R";
}

// Sets up the selected race, which has no odds file, for its results: the meeting's kai, day
// and year digit stand where the odds file's header would give them (the results and race card
// file names are made from them), and the race card gives the runners' names and brackets.
// LoadStatus stays "odds missing", so that nothing takes the race for an analysed one.
void PrepareResultsOnlyRace(Session& s) {
  RaceModel& r = s.race;
  const MeetingRecord& info = r.MeetingInfo[r.CurrentMeeting];
  r.OddsKai = info.Kai;
  r.OddsDay = info.Day;
  r.OddsHeaderDigit = GuideYearDigit(r);
  r.OddsCourseName = RacecourseName(r, info.CourseCode, info.Year);
  r.RaceTitle = {};
  r.HorseCount = 0;
  r.ScratchedCount = 0;
  r.HorseBracket.fill(0);
  ReadRaceCard(s.race, s.app, s.folders);
  for (int k = 0; k < r.RaceCardRunnerCount; ++k) {
    const RaceCardRunner& run = r.RaceCardRunners[static_cast<std::size_t>(k)];
    if (run.Number >= 1 && run.Number <= kMaxHorses && run.Bracket >= 1 && run.Bracket <= kMaxBrackets) {
      r.HorseBracket[static_cast<std::size_t>(run.Number)] = run.Bracket;
    }
  }
  r.LoadStatus = kLoadOddsMissing;
}

}  // namespace

void SetRaceSelection(Session& s, int meeting, int slot) {
  auto& r = s.race;
  r.CurrentMeeting = meeting;
  // Without a meeting of the loaded day there is no racecourse, hence no odds file.
  r.CurrentCourse = (meeting >= 1 && meeting <= r.MeetingCount) ? r.MeetingInfo[meeting].CourseCode : 0;
  r.CurrentDayKind = slot == kAdvanceSaleSlot ? 2 : 1;
  if (slot >= 1 && slot <= kMaxRaces) r.CurrentRace = slot;
  r.CurrentOddsFileName.clear();
  if (r.CurrentCourse >= 1 && r.CurrentCourse <= kMaxCourses && slot >= 1 &&
      slot <= kAdvanceSaleSlot) {
    r.CurrentOddsFileName = r.OddsFileIndex[r.CurrentCourse][slot];
  }
  const std::string name = text::Trim(r.CurrentOddsFileName);
  if (name.empty()) {
    // No file for this race: the odds reader finds nothing and reports it.
    r.OddsFilePath = {std::string(), std::string()};
    return;
  }
  const fs::path& folder = s.app.DataFolder;
  r.OddsFilePath[0] = s.folders.ResolvePath(folder, name);
  r.OddsFilePath[1] = s.folders.ResolvePath(folder, "U" + name.substr(1));
}

std::string SelectedRaceJrdbKey(const Session& s) {
  const auto& r = s.race;
  const std::string year = r.GuideDate.size() >= 4 ? r.GuideDate.substr(2, 2) : std::string("  ");
  return TwoDigits(r.CurrentCourse) + year + std::to_string(r.OddsKai) + DayChar(r.OddsDay) +
         TwoDigits(r.CurrentRace);
}

void AnalyseRace(Session& s, UserPort& port, AnalysisFor purpose) {
  auto& r = s.race;
  s.raceAnalysis = RaceAnalysis{};
  const std::string& title = s.app.AppTitle;
  r.ScratchedCount = 0;
  r.NoWideOdds = 0;
  ReadRaceOdds(s.race, s.app, s.folders, port);
  if (r.LoadStatus != 0) return;

  int column = (r.CurrentCourse >= 1 && r.CurrentCourse <= kMaxCourses)
                   ? r.CourseMeetingSlot[r.CurrentCourse]
                   : 0;
  if (column >= 1 && r.CurrentDayKind == 2) column += 3;
  r.CurrentSaleCode = (column >= 1 && column <= kMaxGuideFiles && r.CurrentRace >= 1 &&
                       r.CurrentRace <= kMaxRaces)
                          ? r.RaceSaleCode[column][r.CurrentRace]
                          : 0;
  r.LoadStatus = 0;

  switch (r.CurrentSaleCode) {
    case 0:
      r.LoadStatus = kLoadNotOnSale;
      return;
    case 7:
      if (r.HorseCount < 9) {
        QuinellaFromBracketTable(r);
      } else {
        QuinellaFromBracketRepresentatives(r);
      }
      break;
    case 15:
    case 31:
      ReadQuinellaFile(s.race, s.folders);
      if (r.LoadStatus == kLoadQuinellaOtherRace) {
        port.Error(title, kQuinellaOtherRaceMessage);
        return;
      }
      // A file that is no quinella file: sale code 15 says so, 31 finds no quinella odds.
      if (r.LoadStatus < 0 || (r.LoadStatus > 0 && r.CurrentSaleCode == 31)) {
        port.Error(title, kNoQuinellaOdds);
        return;
      }
      if (r.LoadStatus > 0) {
        port.Error(title, kNotPat98Quinella);
        return;
      }
      break;
    default:
      r.LoadStatus = kLoadNotOnSale;
      port.Error(title, kGuideError);
      return;
  }

  s.analysis.JrdbLoaded = false;
  // The base odds: an earlier snapshot of the day when one is chosen, else the JRDB file.
  LoadBaseOdds(s, port, purpose);
  RunAnalysisSteps(s);

  if (purpose == AnalysisFor::Screen) {
    ReadRaceCard(s.race, s.app, s.folders);
    auto& mw = s.mainWindow;
    const std::string distance = DistanceCaption(r);
    if (!distance.empty()) mw.Lbm = distance;
    if (!r.StartTimeText.empty()) {
      mw.LbtimeVisible = true;
      mw.LbtimeCaption = PostTimeCaption(r.StartTimeText);
    }
  }
}

void PublishRaceAnalysis(Session& s) {
  s.raceAnalysis = SummariseRace(s.race, s.analysis);
  RenderPrediction(s.raceAnalysis, s.race, s.prediction);
}

void RankRace(Session& s) {
  FindPopularityGaps(s);
  RankIndicators(s);
  ComputeUpsetIndicator(s);
  PublishRaceAnalysis(s);
}

void SelectMeeting(Session& s, int button) {
  if (button < 1 || button > kMaxMeetings) return;
  const text::FolderIndex::SameView view(s.folders);
  for (int b = 5; b <= 17; ++b) {
    s.dayView.raceButtons[b].pressed = false;
    s.dayView.raceButtons[b].enabled = false;
  }
  s.race.CurrentMeeting = button;
  s.race.CurrentCourse = s.race.MeetingInfo[button].CourseCode;
  s.mainWindow.SelectedRaceButton = 0;
  // Another meeting shows the day without a race picked for its results.
  s.mainWindow.ResultsOnly = false;
  RefreshDayView(s.race, s.dayView, s.app, s.folders);
}

void SelectRace(Session& s, UserPort& port, int button) {
  if (button < 5 || button > 17) return;
  // The race's files are looked up in the folder as it is at the click.
  const text::FolderIndex::SameView view(s.folders);
  for (int b = 5; b <= 17; ++b) s.dayView.raceButtons[b].pressed = b == button;
  auto& mw = s.mainWindow;
  mw.SelectedRaceButton = button;
  SetRaceSelection(s, s.race.CurrentMeeting, button - 4);

  if (IsResultsOnlyRace(s.race, s.app, s.folders, s.race.CurrentMeeting, button - 4)) {
    PrepareResultsOnlyRace(s);
    ShowResultsOnlyRace(s);
    mw.Lbm = DistanceCaption(s.race);
    mw.RaceLabel = RaceLabelOf(s);
    s.dayView.oddsAreaVisible = false;
    s.dayView.mainToolBarEnabled = true;
    return;
  }

  AnalyseRace(s, port);
  if (s.race.LoadStatus != 0) {
    ShowNoRace(s);
    s.dayView.oddsAreaVisible = false;
    s.dayView.mainToolBarEnabled = false;
    return;
  }

  ResetMainWindow(s);
  s.dayView.oddsAreaVisible = true;
  s.dayView.mainToolBarEnabled = true;
  if (s.app.settings.LogColor == 1) MarkVotesOfSelectedRace(s, port);
  // The prediction rows were discarded with the windows: rebuild the gaps and ranks.
  RankRace(s);
  const auto& a = s.analysis;
  mw.Lbjval = a.UpsetCaption;
  mw.UpsetBarVisible = a.UpsetBarVisible;
  mw.UpsetBarLength = a.UpsetBarLength;

  const auto& set = s.app.settings;
  mw.AutoOpen = {set.AutoGraph == 1, set.AutoYoso == 1, set.AutoWaku == 1, set.AutoLog == 1,
                 set.AutoKekka == 1};
  mw.RaceLabel = RaceLabelOf(s);
}

}  // namespace tz
