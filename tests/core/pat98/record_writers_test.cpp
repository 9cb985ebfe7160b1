// The record writers give files that the program's own readers take back field for field: what
// a writer of PAT98 days (the forum conversions, an import from other data) relies on.
#include "pat98/record_writers.h"

#include <gtest/gtest.h>

#include <cmath>

#include "pat98/odds_reader.h"
#include "results/results_reader.h"
#include "session.h"
#include "support/fake_port.h"
#include "support/temp_dir.h"
#include "text/sjis.h"
#include "text/strings.h"

namespace tz {
namespace {

TEST(Pat98FileNames, CodeCharactersAndNames) {
  for (int v = 1; v <= 12; ++v) EXPECT_EQ(CodeCharValue(FileCodeChar(v)), v) << v;
  for (int v : {0, 13, -1}) EXPECT_EQ(FileCodeChar(v), '0') << v;

  struct Case {
    std::string name, expected;
  };
  for (const Case& c : std::vector<Case>{
           {RaceFileName(kOddsFilePrefix, 6, 5, 11), "ZO-65B.JRA"},
           {RaceFileName(kQuinellaFilePrefix, 10, 12, 1), "UO-AC1.JRA"},
           {RaceCardFileName(5, 8, 11), "DE-58B.JRA"},
           {RaceCardFileName(0, 13, 9), "DE-009.JRA"},
           {ResultsFileName(5, 3, 2, 8, 11), "KS-5328B.JRA"},
           {ResultsFileName(10, 9, 3, 4, 12), "KS-A934C.JRA"},
           {ResultsFileName(-1, 2, -3, 1, 1), "KS-02011.JRA"},
           {PayoutFileName("KH-", 3, 2, 3, 6), "KH-3236.JRA"},
           {BettingGuideFileName(1), "UY-A.JRA"},
           {BettingGuideFileName(6), "UY-F.JRA"},
           {BettingGuideFileName(0), ""},
           {BettingGuideFileName(7), ""},
       }) {
    EXPECT_EQ(c.name, c.expected);
  }
}

TEST(RecordWriters, OddsValueTexts) {
  struct Case {
    double v;
    int width;
    std::string text;
  };
  for (const Case& c : std::vector<Case>{{12.3, 5, " 12.3"},
                                         {1.0, 6, "   1.0"},
                                         {12.25, 5, " 12.3"},
                                         {1234.5, 5, "999.9"},
                                         {12345, 6, "9999.9"},
                                         {-2, 5, "  0.0"},
                                         {std::nan(""), 6, "   0.0"}}) {
    EXPECT_EQ(OddsValueText(c.v, c.width), c.text) << c.v;
  }
}

OddsFileHeader Header(int horses) {
  OddsFileHeader h;
  h.date = "20030105";
  h.courseName = "中山";
  h.year = 2003;
  h.kai = 1;
  h.day = 5;
  h.race = 11;
  h.timeKind = 1;
  h.hour = 15;
  h.minute = 25;
  h.title1 = "金杯";
  h.title2 = "４歳以上オープン";
  h.horseCount = horses;
  return h;
}

TEST(RecordWriters, OddsAndQuinellaRecordsReadBackAsWritten) {
  test::TempDir dir;
  OddsFileRecord odds;
  odds.header = Header(3);
  odds.horses = {{1, OddsValueText(2.4, 5), OddsValueText(1.1, 5), OddsValueText(1.3, 5)},
                 {2, kScratchedOdds5, kScratchedOdds5, kScratchedOdds5},
                 {3, OddsValueText(0, 5), OddsValueText(5.5, 5), OddsValueText(9.9, 5)}};
  for (int i = 1; i <= 8; ++i) {
    for (int j = i; j <= 8; ++j) odds.bracket[i][j] = OddsValueText(i * 10 + j, 5);
  }
  QuinellaFileRecord q;
  q.header = odds.header;
  q.quinella[1][2] = q.quinella[2][3] = kScratchedOdds6;
  q.quinella[1][3] = OddsValueText(12.5, 6);
  q.wideLow[1][3] = OddsValueText(3.1, 5);
  q.wideHigh[1][3] = OddsValueText(4.2, 5);
  dir.Write("ZO-65B.JRA", OddsRecordBytes(odds));
  dir.Write("UO-65B.JRA", QuinellaRecordBytes(q));
  EXPECT_EQ(OddsRecordBytes(odds).size(), 827u + 2);

  Session s;
  test::FakePort port;
  s.race.GuideDate = "20030105";
  s.race.OddsFilePath[0] = (dir / "ZO-65B.JRA").string();
  s.race.OddsFilePath[1] = (dir / "UO-65B.JRA").string();
  ASSERT_EQ(ReadRaceOdds(s.race, s.app, s.folders, port), 0)
      << (port.messages.empty() ? "" : port.messages[0].text);
  ReadQuinellaFile(s.race, s.folders);
  const RaceModel& r = s.race;
  EXPECT_EQ(r.LoadStatus, 0);
  EXPECT_EQ(r.HorseCount, 3);
  EXPECT_EQ(r.CurrentRace, 11);
  EXPECT_EQ(r.OddsKai, 1);
  EXPECT_EQ(r.OddsDay, 5);
  EXPECT_EQ(r.OddsHeaderDigit, 3);
  EXPECT_EQ(r.OddsTimeKind, 1);
  EXPECT_EQ(r.OddsHour * 100 + r.OddsMinute, 1525);
  EXPECT_EQ(r.OddsCourseName, "中山");
  EXPECT_EQ(text::Trim(r.RaceTitle[1]), "４歳以上オープン");
  EXPECT_EQ(r.WinOdds[1], "  2.4");
  EXPECT_EQ(r.PlaceOddsHigh[1], "  1.3");
  EXPECT_EQ(r.ScratchedCount, 1);
  EXPECT_EQ(r.ScratchedHorses[1], 2);
  EXPECT_EQ(r.WinOdds[3], "999.9");  // a quoted 0.0
  EXPECT_EQ(r.BracketQuinellaOdds[3][7], " 37.0");
  EXPECT_EQ(r.BracketQuinellaOdds[8][8], " 88.0");
  EXPECT_EQ(r.NoWideOdds, 0);
  EXPECT_EQ(r.QuinellaOdds[3][1], "  12.5");
  EXPECT_EQ(r.QuinellaOdds[1][2], "");
  EXPECT_EQ(r.WideOddsLow[1][3], "   3.1");
  EXPECT_EQ(r.WideOddsHigh[3][1], "   4.2");

  q.withWide = false;
  dir.Write("UO-65B.JRA", QuinellaRecordBytes(q));
  ReadQuinellaFile(s.race, s.folders);
  EXPECT_EQ(r.NoWideOdds, 1);
  EXPECT_EQ(r.QuinellaOdds[1][3], "  12.5");
  EXPECT_EQ(r.WideOddsLow[1][3], "   0.0");
}

TEST(RecordWriters, ResultsRecordReadsBackInBothLayouts) {
  for (bool withWide : {true, false}) {
    SCOPED_TRACE(withWide ? "with wide" : "without wide");
    ResultsFileRecord rec;
    rec.head = ResultsRecordHead(2003, 1, 5, "中山", 1, 5, 11);
    rec.weather = text::EncodeSjis("晴　");
    rec.turfGoing = text::FixedSjis("良", 4);
    rec.dirtGoing = text::FixedSjis("稍重", 4);
    rec.finishers[0] = FinisherField(1, 12, "サクラローレル", "2.01.3");
    rec.finishers[1] = FinisherField(2, 3, "ABC", "2.01.5");
    rec.finishers[2] = FinisherField(0, 5, "not placed", "");
    rec.withWide = withWide;
    rec.win[0] = WinPlacePayoutField(12, 450);
    rec.place[0] = WinPlacePayoutField(12, 160);
    rec.place[1] = WinPlacePayoutField(3, 210);
    rec.bracket[0] = BracketPayoutField(2, 8, 1230);
    rec.quinella[0] = PairPayoutField(3, 12, 2890);
    rec.wide[0] = PairPayoutField(3, 12, 880);
    rec.scratched = ScratchedSlots({7});
    std::array<int, 9> flags{};
    flags[4] = 2;
    rec.bracketFlags = BracketFlagsField(flags);
    rec.trailer = " TAZUNA ";
    const std::string bytes = ResultsRecordBytes(rec);
    EXPECT_EQ(bytes.size(), (withWide ? 700u : 560u) + 2);  // the trailer included
    EXPECT_EQ(bytes.substr(0, 22), "20030105" + text::EncodeSjis("中山") + "20030105" + "11");

    Session s;
    ASSERT_TRUE(ReadResultsBytes(s.results, bytes, 6, 11));
    MergeRefunds(s.results);
    const ResultState& r = s.results;
    EXPECT_EQ(r.ResultsAvailability, PayoutsFound::All);
    EXPECT_EQ(r.ResultWeather, "晴　");
    EXPECT_EQ((std::array<int, 5>{1, 2, 0, 0, 0}), r.FinisherPlace);
    EXPECT_EQ(r.FinisherHorse[0], 12);
    EXPECT_EQ(text::TrimRight(r.FinisherName[0]), "ｻｸﾗﾛ-ﾚﾙ");
    EXPECT_EQ(r.FinisherTime[1], "2.01.5");
    std::vector<std::string> priced(r.PayoutTable.begin(), r.PayoutTable.begin() + r.PayoutCount);
    std::vector<std::string> expected{"061110012450   ", "061120012160   ", "061120003210   ",
                                      "0611302081230  ", "0611403122890  "};
    if (withWide) expected.push_back("061150312880   ");
    EXPECT_EQ(priced, expected);
    EXPECT_EQ(r.RefundHorsesText, "7,");
    // Horse 7: win, place and 17 quinella refunds (and 17 wide ones with wide payouts), and
    // the void pair 4-4.
    EXPECT_EQ(r.ResultEntryCount - r.PayoutCount, (withWide ? 36 : 19) + 1);
    EXPECT_EQ(r.PayoutTable.back(), "061130404000000");
  }
}

}  // namespace
}  // namespace tz
