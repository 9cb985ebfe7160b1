// The fixture writer must produce PAT98's byte layouts exactly, or every reader test built on
// it would test against the wrong files.
#include "samples/pat98/fixture_writer.h"

#include <gtest/gtest.h>

#include "support/pat98_builders.h"
#include "text/sjis.h"

namespace tz {
namespace {

using fixture::OddsCell;

TEST(FixtureWriter, OddsFieldTexts) {
  struct Case {
    OddsCell cell;
    int width;
    std::string text;
  };
  const std::vector<Case> cases = {
      {OddsCell::Of(2.25), 5, "  2.3"},     {OddsCell::Of(12), 5, " 12.0"},
      {OddsCell::Of(0), 5, "  0.0"},        {OddsCell::Of(1234.5), 5, "999.9"},
      {OddsCell::Of(1234.5), 6, "1234.5"},  {OddsCell::Of(12345), 6, "9999.9"},
      {OddsCell::Scratched(), 5, " ﾄﾘｹｼ"},  {OddsCell::Scratched(), 6, "  ﾄﾘｹｼ"},
      {OddsCell::Blank(), 5, "     "},      {OddsCell::Text("ab"), 5, "ab   "},
  };
  for (const Case& c : cases) EXPECT_EQ(fixture::OddsField(c.cell, c.width), c.text) << c.text;
}

TEST(FixtureWriter, OddsFileLayout) {
  auto odds = test::MakeOdds(3, 6, 5, 11);
  odds.horses[1].win = OddsCell::Scratched();
  std::string b = fixture::OddsFileBytes(odds);
  ASSERT_EQ(b.size(), 829u);  // 827 bytes, then CR LF
  EXPECT_EQ(b.substr(826), "E\r\n");
  EXPECT_EQ(b.substr(0, 8), "20020908");
  EXPECT_EQ(b.substr(8, 20), std::string(20, ' '));
  EXPECT_EQ(text::DecodeSjis(b.substr(28, 4)), "中山");
  EXPECT_EQ(b.substr(32, 10), "2002040511");
  EXPECT_EQ(b.substr(42, 2), "00");
  EXPECT_EQ(b.substr(44, 4), "1005");
  EXPECT_EQ(b.substr(104, 36), std::string(36, ' '));
  EXPECT_EQ(b.substr(140, 2), " 3");
  EXPECT_EQ(b.substr(142, 18), "0 1  3.0  1.2  1.6");
  EXPECT_EQ(text::DecodeSjis(b.substr(160, 18)), "0 2 ﾄﾘｹｼ  1.3  1.7");
  EXPECT_EQ(b.substr(142 + 3 * 18, 18), std::string(18, ' '));
  EXPECT_EQ(b.substr(466, 10), "0 1-1 11.0");
  EXPECT_EQ(b.substr(816, 10), "0 8-8 88.0");
}

TEST(FixtureWriter, QuinellaFileLayouts) {
  auto odds = test::MakeOdds(4);
  auto q = test::MakeQuinella(odds, true);
  q.quinella[1][3] = OddsCell::Scratched();
  std::string w = fixture::QuinellaFileBytes(q);
  EXPECT_EQ(w.substr(0, 142), fixture::OddsHeaderBytes(odds.header));
  EXPECT_EQ(w.substr(142, 2), "11");
  ASSERT_EQ(w.size(), 144u + 6 * 25 + 3);
  EXPECT_EQ(w.substr(144, 25), "00 1- 2 102.0   3.0   3.5");
  EXPECT_EQ(text::DecodeSjis(w.substr(169, 13)), "00 1- 3  ﾄﾘｹｼ");
  EXPECT_EQ(w.substr(144 + 5 * 25, 25), "00 3- 4 304.0   7.0   7.5");
  EXPECT_EQ(w.substr(w.size() - 3), "E\r\n");

  q.withWide = false;
  std::string o = fixture::QuinellaFileBytes(q);
  ASSERT_EQ(o.size(), 144u + 6 * 12 + 3);
  EXPECT_EQ(o.substr(144, 12), "0102 102.0  ");
  EXPECT_NE(o[144 + 4], '-');
}

TEST(FixtureWriter, GuideAndMeetingGuideLayouts) {
  auto g = test::MakeGuide(10, 12, {7, 15, 31, 0, 0, 0, 0, 0, 0, 0, 0, 31});
  std::string u = text::DecodeSjis(BettingGuideBytes(g));
  EXPECT_EQ(text::CharCount(u), 102u);
  EXPECT_EQ(text::Mid(u, 1, 8), "20020908");
  EXPECT_EQ(text::Mid(u, 59, 10), "1020020412");
  EXPECT_EQ(text::Mid(u, 70, 24), "071531000000000000000031");
  EXPECT_EQ(text::Mid(u, 94, 2), "小倉");
  EXPECT_EQ(text::Right(u, 2), "\r\n");

  fixture::MeetingGuideRecord k;
  k.hour = 8;
  k.minute = 7;
  k.meetings = {{"晴", "良", "稍重", 1}, {"小雨", "重", "不良", 4}};
  std::string b = MeetingGuideBytes(k);
  EXPECT_EQ(b.substr(0, 12), "200209080807");
  EXPECT_EQ(b.size(), 32u + 2 * 44 + 2);
  EXPECT_EQ(text::DecodeSjis(b.substr(32 + 32, 12)), "晴　良　稍重");
  EXPECT_EQ(b[32 + 44 + 30], '4');
  EXPECT_EQ(text::DecodeSjis(b.substr(32 + 44 + 32, 12)), "小雨重　不良");
}

TEST(FixtureWriter, FileNamesAndJrdbLines) {
  EXPECT_EQ(RaceFileName("ZO-", 10, 2, 12), "ZO-A2C.JRA");
  EXPECT_EQ(RaceFileName("UO-", 6, 11, 1), "UO-6B1.JRA");
  EXPECT_EQ(fixture::JrdbRaceKey(1, 2002, 2, 2, 1), "01022201");
  EXPECT_EQ(fixture::JrdbRaceKey(9, 2002, 4, 11, 12), "09024b12");
  EXPECT_EQ(fixture::JrdbFileName("20020908"), "OZ020908.TXT");

  fixture::JrdbRace r;
  r.course = 4;
  r.kai = 4;
  r.day = 2;
  r.race = 3;
  r.win = {OddsCell::Of(2.5), OddsCell::Of(0), OddsCell::Of(999.9)};
  r.place = {OddsCell::Of(1.1), OddsCell::Of(1.2), OddsCell::Of(3)};
  std::string line = fixture::JrdbLine(r);
  ASSERT_EQ(line.size(), 10u + 90 + 90 + 765);
  EXPECT_EQ(line.substr(0, 10), "04024203 3");
  EXPECT_EQ(line.substr(10, 15), "  2.5  0.0999.9");
  EXPECT_EQ(line.substr(25, 75), std::string(75, ' '));
  EXPECT_EQ(line.substr(100, 15), "  1.1  1.2  3.0");
}

}  // namespace
}  // namespace tz
