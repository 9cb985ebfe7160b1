// Selecting meetings and races and the analysis pipeline, on generated PAT98 folders.
#include "analysis/pipeline.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "support/odds_day.h"
#include "pat98/day_loader.h"
#include "samples/pat98/fixture_writer.h"
#include "session.h"
#include "support/fake_port.h"
#include "support/temp_dir.h"

namespace tz {
namespace {

using test::FakePort;
using test::TempDir;

constexpr const char* kNoQuinella = "馬連ｵｯｽﾞが取得されていません。";

struct Day {
  TempDir dir;
  Session s;
  FakePort port;

  void Load() {
    s.app.Pat98Folder = dir.path();
    s.app.DataFolder = dir.path();
    ASSERT_EQ(LoadCurrentData(s, port), 0);
    port.messages.clear();
  }
  void Select(int meeting, int button) {
    SelectMeeting(s, meeting);
    SelectRace(s, port, button);
  }
};

// One meeting at 中山 whose races are given by plans (race numbers from the plans).
void WriteMeeting(const std::filesystem::path& folder, const std::vector<test::RacePlan>& plans,
                  std::vector<int> extraSaleCodes = {}) {
  fixture::GuideRecord g;
  g.date = "20030105";
  g.courseCode = 6;
  g.year = 2003;
  g.kai = 1;
  g.day = 1;
  for (const auto& p : plans) {
    g.saleCodes[p.race] = p.saleCode;
    test::WriteRace(folder, p);
  }
  for (std::size_t i = 0; i + 1 < extraSaleCodes.size(); i += 2) {
    g.saleCodes[extraSaleCodes[i]] = extraSaleCodes[i + 1];
  }
  ASSERT_EQ(fixture::WriteFixture(folder, "UY-A.JRA", BettingGuideBytes(g)), "");
}

test::RacePlan Plan(int race, int saleCode, int horses = 12) {
  test::RacePlan p;
  p.race = race;
  p.saleCode = saleCode;
  p.horses = horses;
  p.seed = 7 * race + horses;
  return p;
}

TEST(Pipeline, InconsistentRacesEndWithTheSystemsMessageOrAnEmptyResult) {
  Day d;
  std::vector<test::RacePlan> plans;
  plans.push_back(Plan(1, 0));                      // not on sale
  plans.push_back(Plan(2, 99));                     // unknown sale code
  plans.push_back(Plan(3, 15));                     // quinella file missing
  plans.back().quinellaFile = false;
  plans.push_back(Plan(4, 31));                     // quinella and wide file missing
  plans.back().quinellaFile = false;
  plans.push_back(Plan(6, 31, 5));                  // every horse scratched
  plans.back().scratched = {1, 2, 3, 4, 5};
  plans.push_back(Plan(7, 31, 2));                  // a single runner
  plans.back().scratched = {2};
  plans.push_back(Plan(8, 31, 3));                  // two runners
  plans.back().scratched = {1};
  plans.push_back(Plan(9, 31, 14));                 // a sound race
  WriteMeeting(d.dir.path(), plans, {5, 31});       // race 5 sold, but no odds file
  // Race 10: the quinella file is too short for the race's pairs.
  auto bad = Plan(10, 15);
  test::WriteRace(d.dir.path(), bad);
  ASSERT_EQ(fixture::WriteFixture(d.dir.path(), "UO-61A.JRA", std::string(150, ' ')), "");
  {
    fixture::GuideRecord g;
    g.date = "20030105";
    g.courseCode = 6;
    g.year = 2003;
    g.kai = 1;
    g.day = 1;
    for (const auto& p : plans) g.saleCodes[p.race] = p.saleCode;
    g.saleCodes[5] = 31;
    g.saleCodes[10] = 15;
    ASSERT_EQ(fixture::WriteFixture(d.dir.path(), "UY-A.JRA", BettingGuideBytes(g)), "");
  }
  d.Load();

  struct Case {
    int race;
    int status;        // LoadStatus afterwards
    const char* error; // the one message shown, or nullptr for none
    int runners;       // runners shown on success
  };
  const Case cases[] = {
      {1, kLoadNotOnSale, nullptr, 0},
      {2, kLoadNotOnSale, "投票要項エラー", 0},
      {3, kLoadOddsMissing, kNoQuinella, 0},
      {4, kLoadOddsMissing, kNoQuinella, 0},
      {5, kLoadOddsMissing, nullptr, 0},
      {10, 2, "PAT98対応の馬連ｵｯｽﾞﾌｧｲﾙではありません。", 0},
      {6, 0, nullptr, 0},
      {7, 0, nullptr, 1},
      {8, 0, nullptr, 2},
      {9, 0, nullptr, 14},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "race " << c.race);
    d.port.messages.clear();
    d.Select(1, 4 + c.race);
    EXPECT_EQ(d.s.race.LoadStatus, c.status);
    const auto errors = d.port.Errors();
    if (c.error) {
      ASSERT_EQ(errors.size(), 1u);
      EXPECT_EQ(errors[0], c.error);
      EXPECT_EQ(d.port.messages[0].title, d.s.app.AppTitle);
    } else {
      EXPECT_TRUE(errors.empty()) << (errors.empty() ? "" : errors[0]);
    }
    const auto& mw = d.s.mainWindow;
    EXPECT_EQ(mw.RaceShown, c.status == 0);
    EXPECT_EQ(mw.ToolbarEnabled[14], c.status == 0);
    if (c.status == 0) {
      EXPECT_EQ(mw.RunnerCount, c.runners);
      EXPECT_EQ(d.s.prediction.RowCount, d.s.race.HorseCount);
    }
  }
}

TEST(Pipeline, RaceHeaderLabelAndStepsOfASoundRace) {
  Day d;
  auto p5 = Plan(5, 31, 16);
  auto p11 = Plan(11, 31, 12);
  p11.scratched = {7};
  WriteMeeting(d.dir.path(), {p5, p11});
  d.Load();
  const std::string caption = d.s.dayView.meetingButtons[1].caption;
  ASSERT_FALSE(caption.empty());

  d.Select(1, 9);
  ASSERT_EQ(d.s.race.LoadStatus, 0);
  EXPECT_EQ(d.s.mainWindow.RaceLabel, caption + "  5R");
  EXPECT_TRUE(d.s.dayView.raceButtons[9].pressed);

  d.Select(1, 15);
  ASSERT_EQ(d.s.race.LoadStatus, 0);
  const auto& mw = d.s.mainWindow;
  EXPECT_EQ(mw.RaceLabel, caption + " 11R");
  EXPECT_FALSE(d.s.dayView.raceButtons[9].pressed);
  EXPECT_EQ(mw.lblkai, "中山 1回 1日  11R");
  EXPECT_EQ(mw.lblrace, "ガーネットＳ    ４歳以上オープン");
  const auto hour = std::to_string(9 + 11 / 2), minute = std::to_string(77 % 60);
  EXPECT_EQ(mw.Lbltime, hour + "時" + minute + "分 現在");
  // The scratched horse sits behind the runners and shows "取消".
  EXPECT_EQ(mw.RowCount, 12);
  EXPECT_EQ(mw.RunnerCount, 11);
  EXPECT_EQ(d.s.race.HorseOrder[12], 7);
  EXPECT_EQ(mw.odzren[12].Text, "取消");
  // Panels follow the popularity order and the matrices are filled for the runners.
  for (int p = 1; p <= 11; ++p) {
    const int h = d.s.race.HorseOrder[p];
    EXPECT_EQ(mw.odztan[p].Text, d.s.race.WinOdds[h]);
    EXPECT_EQ(mw.numumaY[p - 1].Text, std::to_string(h));
    EXPECT_NE(mw.odztan[p].BackColor, colours::kWhite);
  }
  const int h1 = d.s.race.HorseOrder[1], h2 = d.s.race.HorseOrder[2];
  EXPECT_EQ(mw.odzuma[1][0].Text, d.s.race.QuinellaOdds[h2][h1]);
  EXPECT_EQ(mw.WideOdz[1][0].Text, d.s.race.WideOddsLow[h2][h1]);
  EXPECT_TRUE(mw.odzuma[0][0].Text.empty());
  EXPECT_EQ(mw.ShownView, kViewQuinella);
  EXPECT_TRUE(mw.WideViewEnabled);
  // The indicators were ranked and the upset label filled.
  EXPECT_EQ(d.s.analysis.RaceTypeCode.size(), 3u);
  EXPECT_EQ(mw.Lbjval, d.s.analysis.UpsetCaption);
  EXPECT_FALSE(mw.Lbjval.empty());
}

TEST(Pipeline, AdvanceSaleRaceUsesTheAdvanceGuideAndItsRealRaceNumber) {
  Day d;
  WriteMeeting(d.dir.path(), {Plan(3, 31)}, {11, 0});  // the day guide does not sell race 11
  auto adv = Plan(11, 31, 10);
  adv.day = 2;
  test::WriteRace(d.dir.path(), adv);
  fixture::GuideRecord g;
  g.date = "20030105";
  g.courseCode = 6;
  g.year = 2003;
  g.kai = 1;
  g.day = 2;
  g.saleCodes[11] = 31;
  ASSERT_EQ(fixture::WriteFixture(d.dir.path(), "UY-D.JRA", BettingGuideBytes(g)), "");
  d.Load();
  d.Select(1, 17);
  ASSERT_EQ(d.s.race.LoadStatus, 0);
  EXPECT_EQ(d.s.race.CurrentDayKind, 2);
  EXPECT_EQ(d.s.race.CurrentRace, 11);
  EXPECT_EQ(d.s.race.CurrentSaleCode, 31);
  EXPECT_EQ(d.s.mainWindow.RaceLabel, d.s.dayView.meetingButtons[1].caption + " 11R");
}

TEST(Pipeline, BracketOnlyRacesFillTheQuinellaMatrixAndHideTheWideView) {
  for (int horses : {8, 9}) {
    SCOPED_TRACE(horses);
    Day d;
    WriteMeeting(d.dir.path(), {Plan(1, 31, 12), Plan(2, 7, horses)});
    d.Load();
    d.s.mainWindow.ViewMode = kViewBoth;
    // A race with wide odds first: none of its wide values may reach the bracket-only race.
    d.Select(1, 5);
    ASSERT_EQ(d.s.race.LoadStatus, 0);
    ASSERT_FALSE(d.s.race.WideOddsLow[1][2].empty());
    d.Select(1, 6);
    ASSERT_EQ(d.s.race.LoadStatus, 0);
    const auto& r = d.s.race;
    const auto& mw = d.s.mainWindow;
    EXPECT_EQ(mw.ShownView, kViewQuinella);
    EXPECT_FALSE(mw.WideViewEnabled);
    // Horses 1 and 2 are alone in brackets 1 and 2 in both fields.
    EXPECT_EQ(r.QuinellaOdds[1][2], r.BracketQuinellaOdds[1][2]);
    EXPECT_FALSE(r.QuinellaOdds[1][2].empty());
    for (int p = 0; p < mw.RunnerCount; ++p) {
      for (int q = 0; q < mw.RunnerCount; ++q) EXPECT_TRUE(mw.WideOdz[p][q].Text.empty());
    }
    for (int h = 1; h <= horses; ++h) {
      EXPECT_EQ(d.s.analysis.WideShareText[h], "0.0%");
      EXPECT_TRUE(r.WideOddsLow[1][h].empty());
    }
  }
}

TEST(Pipeline, JrdbBaseOddsAreFoundByRaceKey) {
  TempDir jrdb;
  Session s;
  s.app.settings.OZpath = jrdb.path().string();
  s.race.GuideDate = "20030105";
  s.race.CurrentCourse = 6;
  s.race.OddsKai = 1;
  s.race.CurrentRace = 11;

  auto line = [](int day, int race, double win1, double place1) {
    fixture::JrdbRace r;
    r.course = 6;
    r.year = 2003;
    r.kai = 1;
    r.day = day;
    r.race = race;
    r.win = {fixture::OddsCell::Of(win1), fixture::OddsCell::Of(999.9),
             fixture::OddsCell::Of(12.5)};
    r.place = {fixture::OddsCell::Of(place1), fixture::OddsCell::Of(2.0),
               fixture::OddsCell::Of(3.1)};
    return fixture::JrdbLine(r);
  };
  struct Case {
    const char* name;
    int day;
    std::vector<std::string> lines;
    bool loaded;
    std::string win1, place1;
  };
  std::string upper = line(10, 11, 3.3, 1.4);
  upper[5] = 'A';  // the day written in upper case
  const Case cases[] = {
      {"matching line", 1, {line(1, 10, 9.9, 9.9), line(1, 11, 4.2, 1.6)}, true, "  4.2", "  1.6"},
      {"only the race number differs", 1, {line(1, 12, 4.2, 1.6)}, false, "", ""},
      {"first match wins", 1, {line(1, 11, 5.5, 1.7), line(1, 11, 8.8, 2.2)}, true, "  5.5", "  1.7"},
      {"day 10 written in upper case", 10, {upper}, true, "  3.3", "  1.4"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    s.race.OddsDay = c.day;
    std::string bytes;
    for (const auto& l : c.lines) bytes += l + "\r\n";
    ASSERT_EQ(fixture::WriteFixture(jrdb.path(), "OZ030105.TXT", bytes), "");
    LoadJrdbBaseOdds(s);
    EXPECT_EQ(s.analysis.JrdbLoaded, c.loaded);
    EXPECT_EQ(s.analysis.JrdbWinBase[1], c.win1);
    EXPECT_EQ(s.analysis.JrdbPlaceBase[1], c.place1);
    // "999.9" leaves the horse without base odds.
    EXPECT_EQ(s.analysis.JrdbWinBase[2], "");
    EXPECT_EQ(s.analysis.JrdbPlaceBase[2], c.loaded ? "  2.0" : "");
  }
  EXPECT_EQ(SelectedRaceJrdbKey(s), "06031a11");

  // No file, no folder: no base odds and no failure.
  std::filesystem::remove(jrdb.path() / "OZ030105.TXT");
  LoadJrdbBaseOdds(s);
  EXPECT_FALSE(s.analysis.JrdbLoaded);
  s.app.settings.OZpath = (jrdb.path() / "missing").string();
  LoadJrdbBaseOdds(s);
  EXPECT_FALSE(s.analysis.JrdbLoaded);
}

TEST(Pipeline, JrdbBaseOddsSwitchOnTheWideLayoutAndTheirPanels) {
  Day d;
  WriteMeeting(d.dir.path(), {Plan(11, 31, 10)});
  TempDir jrdb;
  fixture::JrdbRace r;
  r.course = 6;
  r.year = 2003;
  r.kai = 1;
  r.day = 1;
  r.race = 11;
  for (int h = 1; h <= 10; ++h) {
    r.win.push_back(fixture::OddsCell::Of(2.0 * h));
    r.place.push_back(fixture::OddsCell::Of(1.0 + 0.5 * h));
  }
  ASSERT_EQ(fixture::WriteFixture(jrdb.path(), "OZ030105.TXT", fixture::JrdbFileBytes({r})), "");
  d.s.app.settings.OZpath = jrdb.path().string();
  d.Load();
  d.Select(1, 15);
  ASSERT_EQ(d.s.race.LoadStatus, 0);
  const auto& mw = d.s.mainWindow;
  EXPECT_TRUE(mw.JrdbLayout);
  for (int p = 1; p <= 10; ++p) {
    const int h = d.s.race.HorseOrder[p];
    EXPECT_EQ(mw.jrdbtan[p].Text, d.s.analysis.JrdbWinBase[h]);
    EXPECT_DOUBLE_EQ(mw.JrdbWinByPos[p], 2.0 * h);
    // Base win odds grow with the horse number, so the rank is the horse number.
    EXPECT_EQ(mw.JrdbWinRank[p], h);
  }
}

TEST(Pipeline, WholeGeneratedDayAnalysesEveryRace) {
  Day d;
  test::WriteOddsDay(d.dir.path());
  d.Load();
  ASSERT_EQ(d.s.race.MeetingCount, 3);
  int analysed = 0;
  for (int m = 1; m <= 3; ++m) {
    for (int r = 1; r <= 12; ++r) {
      SCOPED_TRACE(testing::Message() << "meeting " << m << " race " << r);
      d.Select(m, 4 + r);
      ASSERT_EQ(d.s.race.LoadStatus, 0);
      EXPECT_TRUE(d.port.Errors().empty());
      const int n = d.s.race.HorseCount;
      std::set<int> order(d.s.race.HorseOrder.begin() + 1, d.s.race.HorseOrder.begin() + 1 + n);
      EXPECT_EQ(order.size(), static_cast<std::size_t>(n));
      EXPECT_EQ(*order.begin(), 1);
      EXPECT_EQ(*order.rbegin(), n);
      EXPECT_EQ(d.s.mainWindow.RunnerCount, n - d.s.race.ScratchedCount);
      ++analysed;
    }
  }
  EXPECT_EQ(analysed, 36);

  // The same day in a batch run: no race card, the same analysis.
  for (int m = 1; m <= 3; ++m) {
    for (int r = 1; r <= 12; ++r) {
      SetRaceSelection(d.s, m, r);
      AnalyseRace(d.s, d.port, AnalysisFor::DayRun);
      EXPECT_EQ(d.s.race.LoadStatus, 0) << m << " " << r;
    }
  }
  EXPECT_TRUE(d.port.Errors().empty());
}

// What a race shows does not depend on the races shown before it: every race of the sample day
// selected after all the others gives the model of the same race selected in a fresh session.
TEST(Pipeline, ARaceShowsTheSameAfterOtherRaces) {
  const std::filesystem::path day = std::filesystem::path(TAZUNA_SOURCE_DIR) / "samples" / "20021020";
  auto load = [&](Session& s, FakePort& port) {
    s.app.Pat98Folder = day;
    s.app.DataFolder = day;
    ASSERT_EQ(LoadCurrentData(s, port), 0);
  };
  Session walked;
  FakePort walkedPort;
  load(walked, walkedPort);
  int compared = 0;
  for (int m = 1; m <= walked.race.MeetingCount; ++m) {
    // Longer fields before shorter ones and back: the rows and cells a field leaves behind.
    for (int r : {11, 1, 12, 2, 10, 3, 9, 4, 8, 5, 7, 6}) {
      SCOPED_TRACE(testing::Message() << "meeting " << m << " race " << r);
      SelectMeeting(walked, m);
      SelectRace(walked, walkedPort, 4 + r);
      if (walked.race.LoadStatus != 0) continue;
      Session alone;
      FakePort alonePort;
      load(alone, alonePort);
      SelectMeeting(alone, m);
      SelectRace(alone, alonePort, 4 + r);
      ASSERT_EQ(alone.race.LoadStatus, 0);
      alone.mainWindow.CloseAuxWindowsSerial = walked.mainWindow.CloseAuxWindowsSerial;
      EXPECT_TRUE(walked.mainWindow == alone.mainWindow);
      EXPECT_EQ(walked.analysis.QuinellaCellTooltip, alone.analysis.QuinellaCellTooltip);
      EXPECT_EQ(walked.analysis.PlaceTooltip, alone.analysis.PlaceTooltip);
      ++compared;
    }
  }
  EXPECT_GE(compared, 30);
}

}  // namespace
}  // namespace tz
