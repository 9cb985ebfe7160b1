#include "results/results_window_model.h"

#include <gtest/gtest.h>

#include "pat98/record_writers.h"
#include "samples/pat98/fixture_results.h"
#include "results/results_reader.h"
#include "session.h"
#include "support/fake_port.h"
#include "support/temp_dir.h"
#include "text/files.h"
#include "text/strings.h"

namespace tz {
namespace {

using fixture::DayPayoutFiles;
using fixture::DayPayoutRace;
using fixture::ResultsFile;
using tz::test::FakePort;
using tz::test::TempDir;

ResultsFile Race(int course, int kai, int day, int race) {
  ResultsFile f;
  f.course = course;
  f.yearDigit = 2;
  f.kai = kai;
  f.day = day;
  f.race = race;
  f.finishers = {{1, 3, "サクラローレル", "1.34.7"}, {2, 12, "ﾀｲｷｼｬﾄﾙ", "1.34.9"}, {3, 4, "ABC", "1.35.0"}};
  f.win = {{3, 420}};
  f.place = {{3, 150}, {12, 890}, {4, 230}};
  f.bracket = {{2, 6, 1230}};
  f.quinella = {{3, 12, 4560}};
  f.wide = {{3, 12, 1500}, {3, 4, 480}, {4, 12, 12990}};
  return f;
}

// Selected race: course 5, 回 4, 日 6, race 11, read through the results command's reader.
void ReadSelected(Session& s, const TempDir& dir) {
  s.app.DataFolder = dir.path();
  s.race.CurrentCourse = 5;
  s.race.OddsHeaderDigit = 2;
  s.race.OddsKai = 4;
  s.race.OddsDay = 6;
  s.race.CurrentRace = 11;
  FakePort port;
  ReadRaceResults(s, port);
  ASSERT_TRUE(port.messages.empty());
}

TEST(ResultsWindow, FinishersPayoutsAndHits) {
  TempDir dir;
  ResultsFile f = Race(5, 4, 6, 11);
  f.scratched = {3 + 4, 12 + 2};  // 7 and 14
  fixture::WriteResultsFile(dir.path(), f);
  Session s;
  s.race.HorseBracket[3] = 2;
  s.race.HorseBracket[12] = 6;
  s.race.HorseBracket[4] = 4;
  s.app.CheckList.push_back({1, "ﾀｲｷｼｬﾄﾙ"});
  s.app.BoxColors = {0, 255};
  ReadSelected(s, dir);
  s.history.PayoutHit.assign(21, 0);
  s.history.PayoutHit[0] = 1;  // the win payout
  s.history.PayoutHit[8] = 1;  // the third wide payout
  s.history.MaxHitPayout = 12990;
  s.history.HitMessage = "万馬券が的中しています！";

  const ResultsWindowModel& m = BuildResultsWindow(s);
  EXPECT_EQ(m.Weather, "晴　");
  EXPECT_EQ(m.GoingCaption, "芝：");
  EXPECT_EQ(m.Going, "良　");
  ASSERT_EQ(m.Finishers.size(), 3u);
  const ResultsFinisherRow& first = m.Finishers[0];
  EXPECT_EQ(first.place, 1);
  EXPECT_EQ(first.horse, 3);
  EXPECT_EQ(first.bracket, 2);
  EXPECT_EQ(first.bracketBack, s.app.BracketColors[1]);
  EXPECT_EQ(first.bracketText, s.app.BracketColors[0]);  // white on bracket 2
  EXPECT_EQ(m.Finishers[1].bracketText, Colour{0});      // black on bracket 6
  EXPECT_EQ(m.Finishers[2].bracketText, s.app.BracketColors[0]);
  EXPECT_EQ(text::TrimRight(first.nameCell), " ｻｸﾗﾛ-ﾚﾙ");
  EXPECT_FALSE(first.nameColour);
  EXPECT_EQ(m.Finishers[1].nameColour, Colour{255});  // on the check list
  EXPECT_EQ(first.time, "1.34.7");

  ASSERT_EQ(m.Payouts[1].size(), 1u);
  EXPECT_EQ(m.Payouts[1][0].payout, "420");
  EXPECT_EQ(m.Payouts[1][0].back, kHitBackColour);
  ASSERT_EQ(m.Payouts[2].size(), 3u);
  EXPECT_EQ(m.Payouts[2][1].numbers, "12");
  EXPECT_EQ(m.Payouts[2][1].payout, "890");
  EXPECT_FALSE(m.Payouts[2][1].back);
  EXPECT_EQ(m.Payouts[3][0].numbers, "2-6");
  EXPECT_EQ(m.Payouts[4][0].numbers, "3-12");
  ASSERT_EQ(m.Payouts[5].size(), 3u);  // refunds are not shown as payouts
  EXPECT_EQ(m.Payouts[5][2].payout, "12990");
  EXPECT_TRUE(m.Payouts[5][2].hit);
  EXPECT_EQ(m.Payouts[5][2].back, kHitBackColour);
  EXPECT_EQ(m.RefundHorses, "7,14");
  EXPECT_EQ(m.Comment, "万馬券が的中しています！");
  EXPECT_TRUE(m.CommentBlinks);
  // The hit flags are used once.
  EXPECT_EQ(s.history.PayoutHit, std::vector<int>(21, 0));
}

TEST(ResultsWindow, HitColourOffHighlightsNothing) {
  TempDir dir;
  fixture::WriteResultsFile(dir.path(), Race(5, 4, 6, 11));
  Session s;
  ReadSelected(s, dir);
  s.app.settings.HitColor = 0;
  s.history.PayoutHit.assign(21, 1);
  const ResultsWindowModel& m = BuildResultsWindow(s);
  for (const auto& column : m.Payouts) {
    for (const auto& cell : column) {
      EXPECT_TRUE(cell.hit);
      EXPECT_FALSE(cell.back);
    }
  }
}

TEST(ResultsWindow, GoingRefundTextAndBlinkThreshold) {
  struct Case {
    std::string turf, dirt, caption, going;
  };
  for (const Case& c : std::vector<Case>{{"良　", "重　", "芝：", "良　"},
                                         {"    ", "重　", "ﾀﾞｰﾄ：", "重　"},
                                         {"　　", "稍重", "ﾀﾞｰﾄ：", "稍重"},
                                         {"    ", "    ", "", ""}}) {
    Session s;
    s.results.ResultTurfGoing = c.turf;
    s.results.ResultDirtGoing = c.dirt;
    const ResultsWindowModel& m = BuildResultsWindow(s);
    EXPECT_EQ(m.GoingCaption, c.caption) << c.turf << "/" << c.dirt;
    EXPECT_EQ(m.Going, c.going);
  }
  for (const auto& [text, shown] : std::vector<std::pair<std::string, std::string>>{
           {"3,12,", "3,12"}, {"7,", "7"}, {"", ""}}) {
    Session s;
    s.results.RefundHorsesText = text;
    EXPECT_EQ(BuildResultsWindow(s).RefundHorses, shown) << text;
  }
  for (auto [payout, blinks] : std::vector<std::pair<int, bool>>{{9990, false}, {10000, true}, {0, false}}) {
    Session s;
    s.history.MaxHitPayout = payout;
    EXPECT_EQ(BuildResultsWindow(s).CommentBlinks, blinks) << payout;
  }
}

TEST(ResultsWindow, DeadHeatAndNoRaceCardFromPayoutFiles) {
  TempDir dir;
  DayPayoutFiles d;
  d.course = 5;
  d.yearDigit = 2;
  d.kai = 4;
  d.day = 6;
  DayPayoutRace r;
  r.race = 11;
  r.win = {{3, 310}, {8, 290}};
  r.place = {{3, 130}, {8, 120}, {1, 340}};
  r.bracket = {{2, 5, 820}};
  r.quinella = {{3, 8, 1150}};
  d.races = {r};
  fixture::WriteDayPayoutFiles(dir.path(), d);
  Session s;  // no race card read: every name blank
  for (auto& n : s.race.HorseName) n.assign(18, ' ');
  ReadSelected(s, dir);
  const ResultsWindowModel& m = BuildResultsWindow(s);
  ASSERT_EQ(m.Payouts[1].size(), 2u);  // two win payouts in rows 1 and 2
  EXPECT_EQ(m.Payouts[1][0].payout, "310");
  EXPECT_EQ(m.Payouts[1][1].payout, "290");
  ASSERT_EQ(m.Finishers.size(), 3u);
  EXPECT_EQ(m.Finishers[0].place, 1);
  EXPECT_EQ(m.Finishers[1].place, 1);
  EXPECT_EQ(m.Finishers[2].place, 3);
  EXPECT_EQ(m.Finishers[0].nameCell, " 出馬表未取得");
  EXPECT_EQ(text::Trim(m.Finishers[1].nameCell), "");
  EXPECT_EQ(m.Finishers[0].time, "");
}

// Two meetings: 東京 reads results files, the second meeting (day 11 of its 回) per-day files.
TEST(ResultsList, EveryRaceOfTheDayWithNamesFromTheRaceCards) {
  TempDir dir;
  Session s;
  s.app.DataFolder = dir.path();
  s.race.GuideDateIso = "2002-10-20";
  s.race.MeetingCount = 2;
  s.race.MeetingInfo[1] = {5, 4, 6, 2002};
  s.race.MeetingInfo[2] = {8, 4, 11, 2002};

  ResultsFile dead = Race(5, 4, 6, 1);
  dead.win = {{3, 420}, {12, 380}};
  fixture::WriteResultsFile(dir.path(), dead);
  fixture::WriteResultsFile(dir.path(), Race(5, 4, 6, 11));
  RaceCardFile card;
  card.courseCode = 5;
  card.courseName = "東京";
  card.dayOfMeeting = 6;
  card.race = 11;
  for (int h = 1; h <= 12; ++h) {
    card.runners.push_back({(h + 1) / 2, h, "ウマ" + std::to_string(h), "騎手" + std::to_string(h), 0, "55.0"});
  }
  WriteRaceCardFile(dir.path(), card);

  DayPayoutFiles d;
  d.course = 8;
  d.yearDigit = 2;
  d.kai = 4;
  d.day = 11;
  DayPayoutRace r;
  r.race = 2;
  r.win = {{5, 1230}};
  r.place = {{5, 300}, {9, 410}, {1, 150}, {2, 160}};
  r.bracket = {{3, 5, 2210}};
  r.quinella = {{5, 9, 3340}};
  r.wide = {{5, 9, 900}, {1, 5, 400}, {1, 9, 700}, {2, 5, 100}};
  d.races = {r};
  fixture::WriteDayPayoutFiles(dir.path(), d);
  card.courseCode = 8;
  card.courseName = "京都";
  card.dayOfMeeting = 11;  // the race card's day is a code character: DE-8B2.JRA
  card.race = 2;
  WriteRaceCardFile(dir.path(), card);
  ASSERT_TRUE(text::FileExists(dir / "DE-8B2.JRA"));

  s.results.PayoutTable = {"selected"};
  s.results.PayoutCount = 1;
  s.results.ResultsAvailability = PayoutsFound::AllButWide;
  const ResultsListModel& m = BuildResultsList(s);
  // The selected race's results are left alone.
  EXPECT_EQ(s.results.PayoutTable, std::vector<std::string>{"selected"});
  EXPECT_EQ(s.results.ResultsAvailability, PayoutsFound::AllButWide);

  ASSERT_EQ(m.Meetings.size(), 2u);
  EXPECT_EQ(m.CurrentMeeting, 0);
  EXPECT_EQ(m.CurrentPage, ResultsListModel::kFinishersPage);
  EXPECT_EQ(m.Meetings[0].courseName, "東京");
  EXPECT_EQ(m.Meetings[1].courseName, "京都");

  const ResultsListRace& r11 = m.Meetings[0].races[10];
  EXPECT_TRUE(r11.hasResults);
  EXPECT_EQ(r11.win.numbers, "3");
  EXPECT_EQ(r11.win.payout, "420");
  EXPECT_EQ(r11.place[1].numbers, "12");
  EXPECT_EQ(r11.bracket.numbers, "02-06");
  EXPECT_EQ(r11.quinella.numbers, "03-12");
  EXPECT_EQ(r11.quinella.payout, "4560");
  EXPECT_EQ(r11.wide[2].numbers, "04-12");
  EXPECT_EQ(r11.wide[2].payout, "12990");
  EXPECT_EQ(r11.finishers[0].number, "3");
  EXPECT_EQ(r11.finishers[0].name, " ｳﾏ3");
  EXPECT_EQ(r11.finishers[1].jockey, " 騎手12");

  // Dead heat: the first win record; no race card: numbers only.
  const ResultsListRace& r1 = m.Meetings[0].races[0];
  EXPECT_EQ(r1.win.numbers, "3");
  EXPECT_EQ(r1.finishers[0].number, "3");
  EXPECT_EQ(r1.finishers[0].name, "");

  // A race without any results file stays empty.
  const ResultsListRace& r5 = m.Meetings[0].races[4];
  EXPECT_FALSE(r5.hasResults);
  EXPECT_TRUE(r5.win.empty());
  EXPECT_EQ(r5.finishers[0].number, "");

  const ResultsListRace& k2 = m.Meetings[1].races[1];
  EXPECT_EQ(k2.win.numbers, "5");
  EXPECT_EQ(k2.win.payout, "1230");
  EXPECT_EQ(k2.place[2].numbers, "1");  // only the first three place records
  EXPECT_EQ(k2.wide[2].numbers, "01-09");
  EXPECT_EQ(k2.finishers[2].number, "1");
  EXPECT_EQ(k2.finishers[1].name, " ｳﾏ9");
  EXPECT_EQ(k2.finishers[1].jockey, " 騎手9");
}

}  // namespace
}  // namespace tz
