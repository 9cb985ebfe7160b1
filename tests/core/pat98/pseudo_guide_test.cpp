#include "pat98/pseudo_guide.h"

#include <gtest/gtest.h>

#include "session.h"
#include "support/pat98_builders.h"
#include "support/fake_port.h"
#include "support/temp_dir.h"
#include "text/files.h"

namespace tz {
namespace {

using test::FakePort;
using test::TempDir;

struct OddsFolder {
  TempDir dir;
  Session s;
  FakePort port;
  OddsFolder() { test::PointAt(s, dir.path()); }
  void Odds(int course, int race, bool quinella, const std::string& date = "20020908",
            int kai = 4, int day = 2) {
    auto odds = test::MakeOdds(8, course, day, race, date);
    odds.header.kai = kai;
    odds.header.courseName = course == 1 ? "札幌" : "東京";
    std::string name = RaceFileName("ZO-", course, day, race);
    test::WriteOrFail(dir.path(), name, fixture::OddsFileBytes(odds));
    if (quinella) {
      test::WriteOrFail(dir.path(), "UO-" + name.substr(3),
                        fixture::QuinellaFileBytes(test::MakeQuinella(odds)));
    }
  }
  std::string Guide(const std::string& name) { return test::ReadAll(dir.path() / name); }
};

TEST(PseudoGuide, OneGuidePerRacecourseExactRecord) {
  OddsFolder f;
  f.Odds(1, 1, true);
  f.Odds(1, 3, false);
  f.Odds(1, 12, true);
  f.Odds(3, 2, false, "20020908", 3, 6);
  BuildPseudoGuide(f.s.race, f.s.app, f.port);
  EXPECT_EQ(f.s.race.LoadStatus, 0);
  EXPECT_TRUE(f.port.messages.empty());
  EXPECT_EQ(f.s.race.OddsFileCount, 4);

  std::string a = f.Guide("UY-A.JRA");
  std::string expected = "20020908" + std::string(50, '0') + "01" + "20020402" + "1" +
                         "31" "00" "07" "00" "00" "00" "00" "00" "00" "00" "00" "31" +
                         std::string(559, '0') + "\r";
  EXPECT_EQ(a, expected);
  EXPECT_EQ(a.size(), 653u);
  std::string b = f.Guide("UY-B.JRA");
  ASSERT_EQ(b.size(), 653u);
  EXPECT_EQ(b.substr(58, 2), "03");
  EXPECT_EQ(b.substr(60, 8), "20020306");
  EXPECT_EQ(b.substr(69, 24), "00" "07" "00" "00" "00" "00" "00" "00" "00" "00" "00" "00");
  EXPECT_EQ(b.back(), '\r');
  EXPECT_FALSE(text::FindEntry(f.dir.path(), "UY-C.JRA").has_value());
}

TEST(PseudoGuide, AtMostThreeRacecoursesAndCode10) {
  OddsFolder f;
  for (int c : {10, 2, 7, 4}) f.Odds(c, 1, false);
  BuildPseudoGuide(f.s.race, f.s.app, f.port);
  EXPECT_EQ(f.s.race.LoadStatus, 0);
  EXPECT_EQ(f.Guide("UY-A.JRA").substr(58, 2), "02");
  EXPECT_EQ(f.Guide("UY-B.JRA").substr(58, 2), "04");
  EXPECT_EQ(f.Guide("UY-C.JRA").substr(58, 2), "07");
  EXPECT_FALSE(text::FindEntry(f.dir.path(), "UY-D.JRA").has_value());

  OddsFolder g;
  g.Odds(10, 5, true);
  BuildPseudoGuide(g.s.race, g.s.app, g.port);
  std::string a = g.Guide("UY-A.JRA");
  EXPECT_EQ(a.substr(58, 2), "10");
  EXPECT_EQ(a.substr(69 + 8, 2), "31");
}

TEST(PseudoGuide, MixedDatesWriteNothing) {
  OddsFolder f;
  f.Odds(5, 1, false);
  f.Odds(5, 2, false, "20020907");
  BuildPseudoGuide(f.s.race, f.s.app, f.port);
  EXPECT_EQ(f.s.race.LoadStatus, -1);
  ASSERT_EQ(f.port.messages.size(), 1u);
  EXPECT_EQ(f.port.messages[0].kind, test::Message::Error);
  EXPECT_EQ(f.port.messages[0].text, "異なる日付のオッズが含まれています。");
  EXPECT_EQ(f.port.messages[0].title, "Tazuna98");
  EXPECT_TRUE(text::ListFolder(f.dir.path(), "UY-*").empty());
}

TEST(PseudoGuide, ReplacesAnExistingGuideWhateverItsCase) {
  OddsFolder f;
  f.Odds(5, 1, false);
  test::WriteOrFail(f.dir.path(), "uy-b.jra", "stale");
  f.Odds(6, 1, false);
  BuildPseudoGuide(f.s.race, f.s.app, f.port);
  EXPECT_EQ(text::ListFolder(f.dir.path(), "UY-*").size(), 2u);
  EXPECT_EQ(test::ReadAll(*text::FindEntry(f.dir.path(), "UY-B.JRA")).size(), 653u);
}

TEST(PseudoGuide, NamesWithUnknownCodesAreLeftOut) {
  OddsFolder f;
  f.Odds(5, 1, false);
  test::WriteOrFail(f.dir.path(), "ZO-D21.JRA", fixture::OddsFileBytes(test::MakeOdds(8)));
  test::WriteOrFail(f.dir.path(), "ZO-52D.JRA", fixture::OddsFileBytes(test::MakeOdds(8)));
  test::WriteOrFail(f.dir.path(), "ZO-.JRA", fixture::OddsFileBytes(test::MakeOdds(8)));
  test::WriteOrFail(f.dir.path(), "ZO-541.JRA", "2002090");  // too short for its header
  BuildPseudoGuide(f.s.race, f.s.app, f.port);
  EXPECT_EQ(f.s.race.LoadStatus, -1);  // "2002090" is another date key
  std::filesystem::remove(f.dir.path() / "ZO-541.JRA");
  f.port.messages.clear();
  BuildPseudoGuide(f.s.race, f.s.app, f.port);
  EXPECT_EQ(f.s.race.LoadStatus, 0);
  std::string a = f.Guide("UY-A.JRA");
  ASSERT_EQ(a.size(), 653u);
  EXPECT_EQ(a.substr(69, 4), "0700");
  EXPECT_FALSE(text::FindEntry(f.dir.path(), "UY-B.JRA").has_value());
}

}  // namespace
}  // namespace tz
