// Truncated and garbage PAT98 files: every reader gives a clear status or skips the entry, and
// none reads outside what it was given.
#include <gtest/gtest.h>

#include <random>

#include "pat98/day_loader.h"
#include "pat98/odds_reader.h"
#include "session.h"
#include "support/pat98_builders.h"
#include "pat98/pseudo_guide.h"
#include "support/fake_port.h"
#include "support/temp_dir.h"

namespace tz {
namespace {

using test::FakePort;
using test::TempDir;

const std::vector<int> kAllSold = {31, 31, 31, 31, 31, 31, 31, 31, 31, 31, 31, 31};

TEST(BadInput, ShortOrGarbageGuides) {
  struct Case {
    std::string name;
    std::string bytes;
    int meetings;
    int course;
    int status = 0;
  };
  std::string good = BettingGuideBytes(test::MakeGuide(5, 2, kAllSold));
  const std::vector<Case> cases = {
      // A guide without a date of eight digits is refused: every file name of the day is made
      // from that date.
      {"empty", "", 0, 0, kLoadBadGuideDate},
      {"date only", "20020908", 1, 0},
      {"cut before the sale codes", good.substr(0, 75), 1, 5},
      {"letters for numbers", "20020908" + std::string(50, 'x') + "zz" + std::string(40, 'q'), 1, 0},
      {"racecourse 99", good.substr(0, 58) + "99" + good.substr(60), 1, 99},
      {"racecourse 0", good.substr(0, 58) + "00" + good.substr(60), 1, 0},
      {"invalid Shift_JIS", std::string(300, '\x81'), 0, 0, kLoadBadGuideDate},
  };
  for (const Case& c : cases) {
    TempDir dir;
    Session s;
    FakePort port;
    test::PointAt(s, dir.path());
    test::WriteOrFail(dir.path(), "UY-A.JRA", c.bytes);
    test::WriteOrFail(dir.path(), "ZO-521.JRA", fixture::OddsFileBytes(test::MakeOdds(8)));
    EXPECT_EQ(LoadCurrentData(s, port), c.status) << c.name;
    EXPECT_EQ(s.race.MeetingCount, c.meetings) << c.name;
    EXPECT_EQ(port.Errors().size(), c.status == 0 ? 0u : 1u) << c.name;
    EXPECT_EQ(s.race.MeetingInfo[1].CourseCode, c.course) << c.name;
    if (c.meetings > 0 && (c.course < 1 || c.course > 10)) {
      for (int b = 5; b <= 17; ++b) EXPECT_FALSE(s.dayView.raceButtons[b].enabled) << c.name;
      EXPECT_EQ(s.dayView.meetingButtons[1].caption, "    ") << c.name;
    }
  }
}

TEST(BadInput, TruncatedMeetingGuide) {
  std::string date = "20020908";
  for (std::string bytes : {std::string(), date, date + "0", date + "0930", date + "0930" + std::string(30, '0'),
                            date + "0930" + std::string(20, '0') + std::string(36, ' ') + "\x90"}) {
    TempDir dir;
    Session s;
    FakePort port;
    test::PointAt(s, dir.path());
    test::WriteOrFail(dir.path(), "UY-A.JRA", BettingGuideBytes(test::MakeGuide(5, 2, kAllSold)));
    test::WriteOrFail(dir.path(), "KA-ANNAI.JRA", bytes);
    EXPECT_EQ(LoadCurrentData(s, port), 0);
    if (bytes.size() >= 12) {
      EXPECT_EQ(s.race.GuideHour, 9);
      EXPECT_EQ(s.dayView.meetingButtons[1].icon, kIconNone);
    } else {
      EXPECT_EQ(s.dayView.meetingButtons[1].icon, kIconNoMeetingGuide);
    }
  }
}

struct OddsCase {
  std::string name;
  std::string bytes;
};

TEST(BadInput, TruncatedOrGarbageOddsFilesAreRefused) {
  std::string good = fixture::OddsFileBytes(test::MakeOdds(12));
  std::string countAb = good;
  countAb.replace(140, 2, "ab");
  std::string count19 = good;
  count19.replace(140, 2, "19");
  std::string countNeg = good;
  countNeg.replace(140, 2, "-1");
  const std::vector<OddsCase> cases = {
      {"empty", ""},
      {"date only", "20020908"},
      {"header only", good.substr(0, 142)},
      {"cut in the horses", good.substr(0, 300)},
      {"cut in the bracket table", good.substr(0, 700)},
      {"cut before the last entry", good.substr(0, 142 + 680)},
      {"horse count not a number", countAb},
      {"horse count 19", count19},
      {"horse count -1", countNeg},
  };
  for (const OddsCase& c : cases) {
    TempDir dir;
    Session s;
    FakePort port;
    test::PointAt(s, dir.path());
    s.race.GuideDate = "20020908";
    test::WriteOrFail(dir.path(), "ZO-521.JRA", c.bytes);
    s.race.OddsFilePath[0] = (dir.path() / "ZO-521.JRA").string();
    EXPECT_EQ(ReadRaceOdds(s.race, s.app, s.folders, port), kLoadBadOddsFile) << c.name;
    EXPECT_EQ(s.race.HorseCount, 0) << c.name;
    ASSERT_EQ(port.Errors().size(), 1u) << c.name;
    EXPECT_EQ(port.Errors()[0], "オッズファイルが壊れています。\nZO-521.JRA");
  }
}

TEST(BadInput, GarbageOddsValuesAreKeptAsTexts) {
  auto odds = test::MakeOdds(9);
  odds.horses[0].win = fixture::OddsCell::Text("ab.c ");
  odds.bracket[1][2] = fixture::OddsCell::Text("-----");
  TempDir dir;
  Session s;
  FakePort port;
  s.race.GuideDate = "20020908";
  test::WriteOrFail(dir.path(), "ZO-521.JRA", fixture::OddsFileBytes(odds));
  s.race.OddsFilePath[0] = (dir.path() / "ZO-521.JRA").string();
  ASSERT_EQ(ReadRaceOdds(s.race, s.app, s.folders, port), 0);
  EXPECT_EQ(s.race.WinOdds[1], "ab.c ");
  EXPECT_EQ(s.race.BracketQuinellaOdds[2][1], "-----");
}

TEST(BadInput, QuinellaFileTooShortForItsPairs) {
  auto odds = test::MakeOdds(10);
  std::string good = fixture::QuinellaFileBytes(test::MakeQuinella(odds));
  std::string quinellaOnly = fixture::QuinellaFileBytes(test::MakeQuinella(odds, false));
  for (std::string bytes : {std::string(), good.substr(0, 100), good.substr(0, 145),
                            good.substr(0, 144 + 44 * 25), quinellaOnly.substr(0, 144 + 30 * 12)}) {
    TempDir dir;
    Session s;
    FakePort port;
    s.race.GuideDate = "20020908";
    test::WriteOrFail(dir.path(), "ZO-521.JRA", fixture::OddsFileBytes(odds));
    test::WriteOrFail(dir.path(), "UO-521.JRA", bytes);
    s.race.OddsFilePath[0] = (dir.path() / "ZO-521.JRA").string();
    s.race.OddsFilePath[1] = (dir.path() / "UO-521.JRA").string();
    ASSERT_EQ(ReadRaceOdds(s.race, s.app, s.folders, port), 0);
    s.race.QuinellaOdds[1][2] = "older";
    ReadQuinellaFile(s.race, s.folders);
    EXPECT_EQ(s.race.LoadStatus, kLoadBadQuinellaFile) << bytes.size();
    EXPECT_EQ(s.race.QuinellaOdds[1][2], "older");
  }
}

// Random bytes in every file a load reads: nothing crashes and statuses stay in their sets.
TEST(BadInput, RandomBytesEverywhere) {
  std::mt19937 rng(12345);
  auto randomBytes = [&](std::size_t n) {
    std::string s(n, '\0');
    for (char& c : s) c = static_cast<char>(rng() & 0xFF);
    return s;
  };
  for (int round = 0; round < 40; ++round) {
    TempDir dir;
    Session s;
    FakePort port;
    test::PointAt(s, dir.path());
    std::string guide = BettingGuideBytes(test::MakeGuide(5, 2, kAllSold));
    // Keep the date so that the odds files are taken, garble the rest.
    test::WriteOrFail(dir.path(), "UY-A.JRA", guide.substr(0, 8) + randomBytes(rng() % 200));
    test::WriteOrFail(dir.path(), "KA-ANNAI.JRA", "20020908" + randomBytes(rng() % 200));
    std::string odds = fixture::OddsFileBytes(test::MakeOdds(1 + rng() % 18));
    for (int k = 0; k < 20; ++k) odds[8 + rng() % (odds.size() - 8)] = static_cast<char>(rng());
    test::WriteOrFail(dir.path(), "ZO-521.JRA", odds.substr(0, rng() % (odds.size() + 1)));
    test::WriteOrFail(dir.path(), "UO-521.JRA", randomBytes(rng() % 3000));
    LoadCurrentData(s, port);
    s.race.OddsFilePath[0] = (dir.path() / "ZO-521.JRA").string();
    s.race.OddsFilePath[1] = (dir.path() / "UO-521.JRA").string();
    s.race.ScratchedCount = 0;
    int st = ReadRaceOdds(s.race, s.app, s.folders, port);
    EXPECT_TRUE(st == 0 || st == kLoadBadOddsFile || st == kLoadDateMismatch) << st;
    if (st == 0) {
      EXPECT_GE(s.race.HorseCount, 1);
      EXPECT_LE(s.race.HorseCount, 18);
      ReadQuinellaFile(s.race, s.folders);
      QuinellaFromBracketTable(s.race);
      QuinellaFromBracketRepresentatives(s.race);
    }
  }
}

}  // namespace
}  // namespace tz
