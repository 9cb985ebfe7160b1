// A racing day without odds files: the real 2008-09-13 JRDB files (programme, meeting
// conditions, results per runner; no odds, no payout file) imported as a PAT98 day. Its races
// are picked for their results only, and the results window and the results list show what the
// files say. The expected values are read straight from the SED file by its published layout.
#include <fmt/format.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <set>

#include "analysis/main_window_model.h"
#include "analysis/pipeline.h"
#include "jrdb/jrdb_import.h"
#include "pat98/day_loader.h"
#include "pat98/odds_reader.h"
#include "results/results_reader.h"
#include "results/results_window_model.h"
#include "session.h"
#include "support/fake_port.h"
#include "support/temp_dir.h"
#include "text/files.h"
#include "text/sjis.h"
#include "text/strings.h"

namespace tz {
namespace {

namespace fs = std::filesystem;
using test::FakePort;

const fs::path kReal2008 = fs::path(TAZUNA_SOURCE_DIR) / "tests" / "data" / "jrdb-20080913";

// One runner of SED080913.txt: race key, horse, place, abnormal result, final win odds.
struct SedRunner {
  std::string key;
  int horse = 0;
  int place = 0;
  int abnormal = 0;
  double odds = 0;
};

std::vector<SedRunner> ReadSed() {
  std::vector<SedRunner> out;
  const std::string bytes = test::ReadAll(kReal2008 / "SED080913.txt");
  std::size_t at = 0;
  while (at < bytes.size()) {
    std::size_t end = bytes.find("\r\n", at);
    if (end == std::string::npos) end = bytes.size();
    const std::string line = bytes.substr(at, end - at);
    at = end + 2;
    if (line.size() < 182) continue;
    SedRunner r;
    r.key = line.substr(0, 8);
    r.horse = std::stoi(line.substr(8, 2));
    r.place = text::Trim(line.substr(140, 2)).empty() ? 0 : std::stoi(line.substr(140, 2));
    r.abnormal = line[142] - '0';
    const std::string odds = text::Trim(line.substr(174, 6));
    r.odds = odds.empty() ? 0 : std::stod(odds);
    out.push_back(r);
  }
  return out;
}

// The runners of a race that finished, by place.
std::vector<const SedRunner*> ByPlace(const std::vector<SedRunner>& runners) {
  std::vector<const SedRunner*> placed;
  for (const SedRunner& r : runners) {
    if (r.place > 0) placed.push_back(&r);
  }
  std::stable_sort(placed.begin(), placed.end(),
                   [](const SedRunner* a, const SedRunner* b) { return a->place < b->place; });
  return placed;
}

// The key of meeting m's race as JRDB writes it ("01082101").
std::string KeyOf(const Session& s, int m, int race) {
  const MeetingRecord& info = s.race.MeetingInfo[static_cast<std::size_t>(m)];
  return fmt::format("{:02d}08{}{}{:02d}", info.CourseCode, info.Kai, info.Day, race);
}

// The imported day, loaded.
struct ImportedDay {
  test::TempDir out;
  Session s;
  FakePort port;
  ImportedDay() {
    const jrdb::ImportReport rep = jrdb::ImportJrdbDay(kReal2008, out.path(), false);
    EXPECT_TRUE(rep.ok) << rep.error;
    s.app.Pat98Folder = s.app.DataFolder = out.path();
    EXPECT_EQ(LoadCurrentData(s, port), 0);
  }
  // Picks race `race` of meeting `m` and reads its results as the results button does.
  const ResultsWindowModel& Results(int m, int race) {
    SelectMeeting(s, m);
    SelectRace(s, port, 4 + race);
    EXPECT_TRUE(s.mainWindow.ResultsOnly) << m << "/" << race;
    ReadRaceResults(s, port);
    return BuildResultsWindow(s);
  }
};

TEST(ResultsWithoutOdds, EveryRaceOfTheDayCanBePickedForItsResultsOnly) {
  ImportedDay d;
  ASSERT_EQ(d.s.race.MeetingCount, 2);
  for (int m = 1; m <= 2; ++m) {
    SelectMeeting(d.s, m);
    for (int race = 1; race <= 12; ++race) {
      const RaceButtonView& b = d.s.dayView.raceButtons[static_cast<std::size_t>(4 + race)];
      EXPECT_TRUE(b.enabled && b.resultsOnly) << m << "/" << race;
    }
    EXPECT_FALSE(d.s.dayView.raceButtons[17].enabled);  // no advance-sale race
  }

  // A race without its results file has nothing to show: its button stays off.
  SelectMeeting(d.s, 1);
  const MeetingRecord& info = d.s.race.MeetingInfo[1];
  fs::remove(text::ResolveName(d.out.path(), ResultsFileName(info.CourseCode, 8, info.Kai, info.Day, 5)));
  d.s.folders.Clear();
  SelectMeeting(d.s, 2);
  SelectMeeting(d.s, 1);
  EXPECT_FALSE(d.s.dayView.raceButtons[9].enabled);
  EXPECT_FALSE(d.s.dayView.raceButtons[9].resultsOnly);
  EXPECT_TRUE(d.s.dayView.raceButtons[10].enabled);
}

TEST(ResultsWithoutOdds, ThePickedRaceShowsItsHeaderAndOnlyTheResultsCommand) {
  ImportedDay d;
  SelectMeeting(d.s, 1);
  SelectRace(d.s, d.port, 5);
  const MainWindowModel& mw = d.s.mainWindow;
  EXPECT_TRUE(mw.ResultsOnly);
  EXPECT_FALSE(mw.RaceShown);
  EXPECT_FALSE(d.s.dayView.oddsAreaVisible);
  EXPECT_TRUE(d.s.dayView.raceButtons[5].pressed);
  // Still a race without odds for everything that needs them.
  EXPECT_EQ(d.s.race.LoadStatus, kLoadOddsMissing);
  EXPECT_EQ(d.s.race.HorseCount, 0);
  for (int b = 1; b <= 16; ++b) EXPECT_EQ(mw.ToolbarEnabled[b], b == kResultsButton) << b;
  EXPECT_TRUE(d.s.dayView.mainToolBarEnabled);
  // Racecourse, meeting, day and race; the race card's titles and distance.
  EXPECT_EQ(mw.lblkai, "札幌 2回 1日  1R");
  EXPECT_EQ(mw.lblrace, "２歳未勝利    芝1200ｍ");
  EXPECT_EQ(mw.Lbm, "芝1200m");
  EXPECT_EQ(mw.RaceLabel, "札幌  1R");
  EXPECT_TRUE(d.port.messages.empty());

  // Another race of the meeting, then one of the other meeting: nothing of the race before stays.
  SelectRace(d.s, d.port, 10);
  EXPECT_EQ(mw.lblkai, "札幌 2回 1日  6R");
  SelectMeeting(d.s, 2);
  SelectRace(d.s, d.port, 4 + 11);
  EXPECT_EQ(mw.lblkai, "中山 4回 1日  11R");
  EXPECT_TRUE(d.port.messages.empty());
}

// Every race: the finishers in order of place, the win payout of the winner (its final odds
// times 100), the excluded horse as refunded, the horses that did not finish nowhere, the
// brackets of the finishers from the race card.
TEST(ResultsWithoutOdds, ResultsWindowOfEveryRealRace) {
  ImportedDay d;
  std::map<std::string, std::vector<SedRunner>> byRace;
  for (const SedRunner& r : ReadSed()) byRace[r.key].push_back(r);
  ASSERT_EQ(byRace.size(), 24u);

  int refundedRaces = 0;
  for (int m = 1; m <= 2; ++m) {
    for (int race = 1; race <= 12; ++race) {
      const std::string key = KeyOf(d.s, m, race);
      const std::vector<SedRunner>& runners = byRace.at(key);
      const ResultsWindowModel& w = d.Results(m, race);
      ASSERT_EQ(d.s.results.ResultsAvailability, PayoutsFound::All) << key;

      const std::vector<const SedRunner*> placed = ByPlace(runners);
      std::set<int> refunded, notFinished;
      for (const SedRunner& r : runners) {
        if (r.abnormal == 1 || r.abnormal == 2) refunded.insert(r.horse);
        if (r.abnormal == 3 || r.abnormal == 4) notFinished.insert(r.horse);
      }
      ASSERT_EQ(w.Finishers.size(), std::min<std::size_t>(5, placed.size())) << key;
      const auto brackets = BracketsForField(static_cast<int>(runners.size()));
      for (std::size_t i = 0; i < w.Finishers.size(); ++i) {
        EXPECT_EQ(w.Finishers[i].place, placed[i]->place) << key << " row " << i;
        EXPECT_EQ(w.Finishers[i].horse, placed[i]->horse) << key << " row " << i;
        EXPECT_EQ(w.Finishers[i].bracket, brackets[static_cast<std::size_t>(placed[i]->horse)]) << key;
        EXPECT_TRUE(w.Finishers[i].bracketBack.has_value()) << key;
        EXPECT_EQ(notFinished.count(w.Finishers[i].horse), 0u) << key;
      }

      // Without the payout file only the win pool: one payout, the winner's final odds x 100.
      ASSERT_EQ(w.Payouts[1].size(), 1u) << key;
      EXPECT_EQ(w.Payouts[1][0].numbers, std::to_string(placed[0]->horse)) << key;
      EXPECT_EQ(w.Payouts[1][0].payout, std::to_string(std::lround(placed[0]->odds * 100))) << key;
      for (int kind = 2; kind <= 5; ++kind) EXPECT_TRUE(w.Payouts[static_cast<std::size_t>(kind)].empty()) << key;

      std::string refundText;
      for (int h : refunded) refundText += (refundText.empty() ? "" : ",") + std::to_string(h);
      EXPECT_EQ(w.RefundHorses, refundText) << key;
      if (!refunded.empty()) ++refundedRaces;
    }
  }
  EXPECT_EQ(refundedRaces, 1);  // 中山 7R: horse 14 excluded (除外)

  // 札幌 1R by name: ヒカルジョディー won at 8.8 from horse 2 and horse 5.
  const ResultsWindowModel& w = d.Results(1, 1);
  EXPECT_EQ(text::Trim(w.Finishers[0].nameCell), "ﾋｶﾙｼﾞｮﾃﾞｨ-");
  EXPECT_EQ(w.Finishers[0].time, "1.10.3");
  EXPECT_EQ(w.Payouts[1][0].payout, "880");
}

// The results list without the payout file: the 1着-3着 columns from the finishing order, with
// the names from the race cards.
TEST(ResultsWithoutOdds, ResultsListShowsTheFirstThreeOfEveryRace) {
  ImportedDay d;
  std::map<std::string, std::vector<SedRunner>> byRace;
  for (const SedRunner& r : ReadSed()) byRace[r.key].push_back(r);

  const ResultsListModel& list = BuildResultsList(d.s);
  ASSERT_EQ(list.Meetings.size(), 2u);
  for (int m = 1; m <= 2; ++m) {
    for (int race = 1; race <= 12; ++race) {
      const std::vector<const SedRunner*> placed = ByPlace(byRace.at(KeyOf(d.s, m, race)));
      const ResultsListRace& row = list.Meetings[static_cast<std::size_t>(m - 1)].races[static_cast<std::size_t>(race - 1)];
      for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(row.finishers[i].number, std::to_string(placed[i]->horse)) << m << "/" << race;
        EXPECT_FALSE(text::Trim(row.finishers[i].name).empty()) << m << "/" << race;
        EXPECT_FALSE(text::Trim(row.finishers[i].jockey).empty()) << m << "/" << race;
      }
      EXPECT_TRUE(row.place[0].empty());  // no place payout without the payout file
    }
  }
  const ResultsListRace& first = list.Meetings[0].races[0];
  EXPECT_EQ(text::Trim(first.finishers[0].name), "ﾋｶﾙｼﾞｮﾃﾞｨ-");
  EXPECT_EQ(text::Trim(first.finishers[0].jockey), "秋山真一");
}

}  // namespace
}  // namespace tz
