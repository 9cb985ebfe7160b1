#include "pat98/odds_reader.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <functional>
#include <set>

#include "session.h"
#include "support/pat98_builders.h"
#include "support/fake_port.h"
#include "support/temp_dir.h"
#include "text/strings.h"

namespace tz {
namespace {

using fixture::OddsCell;
using test::FakePort;
using test::TempDir;

// A folder with one race's files; the session points at them as the race selection does.
struct RaceFolder {
  TempDir dir;
  Session s;
  FakePort port;

  void Write(const fixture::OddsFile& odds, const fixture::QuinellaFile* q = nullptr,
             const std::string& name = "ZO-521.JRA") {
    test::WriteOrFail(dir.path(), name, fixture::OddsFileBytes(odds));
    if (q) test::WriteOrFail(dir.path(), "U" + name.substr(1), fixture::QuinellaFileBytes(*q));
    test::PointAt(s, dir.path());
    s.race.GuideDate = "20020908";
    s.race.OddsFilePath[0] = (dir.path() / name).string();
    s.race.OddsFilePath[1] = (dir.path() / ("U" + name.substr(1))).string();
    s.race.ScratchedCount = 0;
  }
  int Read() { return ReadRaceOdds(s.race, s.app, s.folders, port); }
};

TEST(OddsReader, HeaderSingleOddsAndBracketTable) {
  RaceFolder f;
  auto odds = test::MakeOdds(10, 5, 2, 11);
  odds.header.timeKind = 1;
  odds.header.hour = 15;
  odds.header.minute = 40;
  odds.horses[2].win = OddsCell::Of(0);        // horse 3 quoted 0.0
  odds.horses[3].placeHigh = OddsCell::Of(0);  // horse 4 place upper 0.0
  odds.bracket[2][2] = OddsCell::Of(0);
  odds.bracket[1][8] = OddsCell::Scratched();
  odds.horses[6].win = OddsCell::Of(123.4);
  f.Write(odds);

  ASSERT_EQ(f.Read(), 0);
  const RaceModel& r = f.s.race;
  EXPECT_EQ(r.HorseCount, 10);
  EXPECT_EQ(r.CurrentRace, 11);
  EXPECT_EQ(r.OddsKai, 4);
  EXPECT_EQ(r.OddsDay, 2);
  EXPECT_EQ(r.OddsHeaderDigit, 2);
  EXPECT_EQ(r.OddsTimeKind, 1);
  EXPECT_EQ(r.OddsHour, 15);
  EXPECT_EQ(r.OddsMinute, 40);
  EXPECT_EQ(r.OddsCourseName, "東京");
  EXPECT_EQ(text::Trim(r.RaceTitle[0]), "テスト特別");
  EXPECT_EQ(r.ScratchedCount, 0);
  EXPECT_EQ(r.WinOdds[1], "  3.0");
  EXPECT_EQ(r.PlaceOddsLow[1], "  1.2");
  EXPECT_EQ(r.PlaceOddsHigh[1], "  1.6");
  EXPECT_EQ(r.WinOdds[3], "999.9");
  EXPECT_EQ(r.PlaceOddsHigh[4], "999.9");
  EXPECT_EQ(r.WinOdds[7], "123.4");
  for (int h = 1; h <= 10; ++h) EXPECT_EQ(r.HorseOrder[h], h);
  EXPECT_EQ(r.BracketQuinellaOdds[1][2], " 12.0");
  EXPECT_EQ(r.BracketQuinellaOdds[2][1], " 12.0");
  EXPECT_EQ(r.BracketQuinellaOdds[7][8], " 78.0");
  EXPECT_EQ(r.BracketQuinellaOdds[8][8], " 88.0");
  EXPECT_EQ(r.BracketQuinellaOdds[2][2], "999.9");
  EXPECT_EQ(r.BracketQuinellaOdds[1][8], "");
  EXPECT_EQ(r.BracketQuinellaOdds[8][1], "");
  EXPECT_TRUE(f.port.messages.empty());
}

TEST(OddsReader, ScratchedMarkersEmptyAllThreeOddsAndListTheHorse) {
  RaceFolder f;
  auto odds = test::MakeOdds(8);
  odds.horses[1].win = OddsCell::Scratched();          // " ﾄﾘｹｼ"
  odds.horses[1].placeLow = OddsCell::Scratched();
  odds.horses[1].placeHigh = OddsCell::Scratched();
  odds.horses[5].win = OddsCell::Blank();              // five blanks
  odds.horses[6].win = OddsCell::Text(" ﾄﾘｹ ");        // not a marker: kept as read
  f.Write(odds);
  f.s.race.ScratchedCount = 0;
  ASSERT_EQ(f.Read(), 0);
  const RaceModel& r = f.s.race;
  EXPECT_EQ(r.HorseCount, 8);
  EXPECT_EQ(r.ScratchedCount, 2);
  EXPECT_EQ(r.ScratchedHorses[1], 2);
  EXPECT_EQ(r.ScratchedHorses[2], 6);
  for (int h : {2, 6}) {
    EXPECT_EQ(r.WinOdds[h], "") << h;
    EXPECT_EQ(r.PlaceOddsLow[h], "") << h;
    EXPECT_EQ(r.PlaceOddsHigh[h], "") << h;
  }
  EXPECT_EQ(r.WinOdds[7], " ﾄﾘｹ ");
  EXPECT_EQ(r.PlaceOddsLow[6 + 1], "  1.8");
}

TEST(OddsReader, MissingFileAndOtherDate) {
  RaceFolder f;
  f.Write(test::MakeOdds(6));
  f.s.race.OddsFilePath[0] = (f.dir.path() / "ZO-529.JRA").string();
  EXPECT_EQ(f.Read(), -1);
  EXPECT_TRUE(f.port.messages.empty());

  RaceFolder g;
  g.Write(test::MakeOdds(6, 5, 2, 1, "20020907"));
  g.s.race.WinOdds[1] = "older";
  EXPECT_EQ(g.Read(), -9);
  ASSERT_EQ(g.port.Errors().size(), 1u);
  EXPECT_EQ(g.port.Errors()[0], "日付が一致しません。");
  EXPECT_EQ(g.port.messages[0].title, "Tazuna98");
  // The header stays as read; the single odds are not read.
  EXPECT_EQ(g.s.race.HorseCount, 6);
  EXPECT_EQ(g.s.race.WinOdds[1], "older");
}

TEST(OddsReader, FileNamesAreFoundWithoutRegardToCase) {
  RaceFolder f;
  auto odds = test::MakeOdds(6);
  auto q = test::MakeQuinella(odds);
  f.Write(odds, &q, "zo-5a1.jra");
  f.s.race.OddsFilePath[0] = (f.dir.path() / "ZO-5A1.JRA").string();
  f.s.race.OddsFilePath[1] = (f.dir.path() / "UO-5A1.JRA").string();
  ASSERT_EQ(f.Read(), 0);
  ReadQuinellaFile(f.s.race, f.s.folders);
  EXPECT_EQ(f.s.race.LoadStatus, 0);
  EXPECT_EQ(f.s.race.QuinellaOdds[1][2], " 102.0");
}

TEST(OddsReader, BracketsFollowTheJraRule) {
  struct Case {
    int n;
    std::vector<int> brackets;
  };
  const std::vector<Case> cases = {
      {5, {1, 2, 3, 4, 5}},
      {7, {1, 2, 3, 4, 5, 6, 7}},
      {8, {1, 2, 3, 4, 5, 6, 7, 8}},
      {9, {1, 2, 3, 4, 5, 6, 7, 8, 8}},
      {12, {1, 2, 3, 4, 5, 5, 6, 6, 7, 7, 8, 8}},
      {16, {1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8}},
      {18, {1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 7, 8, 8, 8}},
  };
  for (const Case& c : cases) {
    RaceFolder f;
    f.Write(test::MakeOdds(c.n));
    ASSERT_EQ(f.Read(), 0) << c.n;
    for (int h = 1; h <= c.n; ++h) {
      EXPECT_EQ(f.s.race.HorseBracket[h], c.brackets[h - 1]) << c.n << " horses, horse " << h;
    }
  }
}

TEST(OddsReader, QuinellaFileWithWideOdds) {
  RaceFolder f;
  auto odds = test::MakeOdds(18);
  auto q = test::MakeQuinella(odds);
  q.quinella[3][4] = OddsCell::Scratched();
  q.wideLow[3][4] = OddsCell::Scratched();
  q.quinella[1][18] = OddsCell::Of(0);
  q.wideLow[2][5] = OddsCell::Of(0);
  q.quinella[17][18] = OddsCell::Of(2345.6);
  q.quinella[5][6] = OddsCell::Blank();
  f.Write(odds, &q);
  ASSERT_EQ(f.Read(), 0);
  RaceModel& r = f.s.race;
  r.NoWideOdds = 0;
  ReadQuinellaFile(f.s.race, f.s.folders);
  EXPECT_EQ(r.LoadStatus, 0);
  EXPECT_EQ(r.NoWideOdds, 0);
  EXPECT_EQ(r.QuinellaOdds[1][2], " 102.0");
  EXPECT_EQ(r.QuinellaOdds[2][1], " 102.0");
  EXPECT_EQ(r.WideOddsLow[1][2], "   3.0");
  EXPECT_EQ(r.WideOddsHigh[2][1], "   3.5");
  EXPECT_EQ(r.QuinellaOdds[17][18], "2345.6");
  EXPECT_EQ(r.WideOddsLow[18][17], "  35.0");
  EXPECT_EQ(r.QuinellaOdds[1][18], "9999.9");
  EXPECT_EQ(r.WideOddsLow[2][5], "9999.9");
  for (auto [i, j] : {std::pair{3, 4}, {4, 3}, {5, 6}, {6, 5}}) {
    EXPECT_EQ(r.QuinellaOdds[i][j], "") << i << "-" << j;
    EXPECT_EQ(r.WideOddsLow[i][j], "") << i << "-" << j;
    EXPECT_EQ(r.WideOddsHigh[i][j], "") << i << "-" << j;
  }
}

TEST(OddsReader, QuinellaOnlyFileGivesZeroWideValues) {
  RaceFolder f;
  auto odds = test::MakeOdds(9);
  auto q = test::MakeQuinella(odds, false);
  q.quinella[2][3] = OddsCell::Scratched();
  q.quinella[4][9] = OddsCell::Of(0);
  f.Write(odds, &q);
  ASSERT_EQ(f.Read(), 0);
  RaceModel& r = f.s.race;
  r.WideOddsLow[1][2] = "older";
  ReadQuinellaFile(f.s.race, f.s.folders);
  EXPECT_EQ(r.LoadStatus, 0);
  EXPECT_EQ(r.NoWideOdds, 1);
  EXPECT_EQ(r.QuinellaOdds[1][2], " 102.0");
  EXPECT_EQ(r.QuinellaOdds[9][8], " 809.0");
  EXPECT_EQ(r.QuinellaOdds[2][3], "");
  EXPECT_EQ(r.QuinellaOdds[4][9], "9999.9");
  for (int i = 1; i <= 9; ++i) {
    for (int j = 1; j <= 9; ++j) {
      if (i == j) continue;
      // Every pair, scratched or not, carries a zero wide value.
      EXPECT_EQ(r.WideOddsLow[i][j], "   0.0");
      EXPECT_EQ(r.WideOddsHigh[i][j], "   0.0");
    }
  }
}

TEST(OddsReader, MissingQuinellaFile) {
  RaceFolder f;
  f.Write(test::MakeOdds(9));
  ASSERT_EQ(f.Read(), 0);
  ReadQuinellaFile(f.s.race, f.s.folders);
  EXPECT_EQ(f.s.race.LoadStatus, -1);
}

// A quinella/wide file left beside the odds file of another day or race is not read as this
// race's pair odds.
TEST(OddsReader, QuinellaFileOfAnotherDayOrRaceIsRefused) {
  struct Case {
    const char* what;
    std::function<void(fixture::OddsHeader&)> change;
  };
  const Case cases[] = {
      {"date", [](fixture::OddsHeader& h) { h.date = "20021020"; }},
      {"racecourse", [](fixture::OddsHeader& h) { h.courseName = "中山"; }},
      {"meeting", [](fixture::OddsHeader& h) { h.kai += 1; }},
      {"day", [](fixture::OddsHeader& h) { h.day += 1; }},
      {"race", [](fixture::OddsHeader& h) { h.race += 1; }},
  };
  for (const Case& c : cases) {
    RaceFolder f;
    auto odds = test::MakeOdds(10);
    auto q = test::MakeQuinella(odds);
    c.change(q.header);
    f.Write(odds, &q);
    ASSERT_EQ(f.Read(), 0) << c.what;
    RaceModel& r = f.s.race;
    ReadQuinellaFile(f.s.race, f.s.folders);
    EXPECT_EQ(r.LoadStatus, kLoadQuinellaOtherRace) << c.what;
    EXPECT_EQ(r.QuinellaOdds[1][2], "") << c.what;
  }
  // The same header (another time of day is the same race) is read.
  RaceFolder f;
  auto odds = test::MakeOdds(10);
  auto q = test::MakeQuinella(odds);
  q.header.minute += 1;
  f.Write(odds, &q);
  ASSERT_EQ(f.Read(), 0);
  ReadQuinellaFile(f.s.race, f.s.folders);
  EXPECT_EQ(f.s.race.LoadStatus, 0);
  EXPECT_EQ(f.s.race.QuinellaOdds[1][2], " 102.0");
}

TEST(OddsReader, SaleCode7SmallFieldTakesQuinellaFromTheBracketTable) {
  RaceFolder f;
  auto odds = test::MakeOdds(6);
  odds.bracket[2][5] = OddsCell::Scratched();
  odds.bracket[1][6] = OddsCell::Of(0);
  f.Write(odds);
  ASSERT_EQ(f.Read(), 0);
  RaceModel& r = f.s.race;
  r.WideOddsLow[1][2] = " 99.9";  // a value of an earlier race
  r.WideOddsHigh[3][4] = " 99.9";
  QuinellaFromBracketTable(r);
  EXPECT_EQ(r.QuinellaOdds[1][2], " 12.0");
  EXPECT_EQ(r.QuinellaOdds[2][1], " 12.0");
  EXPECT_EQ(r.QuinellaOdds[5][6], " 56.0");
  EXPECT_EQ(r.QuinellaOdds[2][5], "");
  EXPECT_EQ(r.QuinellaOdds[6][1], "999.9");
  // No wide value of an earlier race survives.
  EXPECT_EQ(r.WideOddsLow[1][2], "");
  EXPECT_EQ(r.WideOddsHigh[3][4], "");
}

TEST(OddsReader, SaleCode7RepresentativesSkipScratchedHorses) {
  RaceFolder f;
  auto odds = test::MakeOdds(12);
  odds.horses[4].win = OddsCell::Scratched();  // horse 5
  f.Write(odds);
  ASSERT_EQ(f.Read(), 0);
  RaceModel& r = f.s.race;
  r.QuinellaOdds[5][7] = "older";
  r.WideOddsLow[2][3] = " 12.3";
  QuinellaFromBracketRepresentatives(r);

  // Brackets 5-8 hold 5-6, 7-8, 9-10, 11-12; bracket 5 is represented by horse 6.
  const std::vector<int> reps = {0, 1, 2, 3, 4, 6, 7, 9, 11};
  std::set<std::pair<int, int>> expected;
  for (int b1 = 1; b1 <= 8; ++b1) {
    for (int b2 = b1 + 1; b2 <= 8; ++b2) {
      expected.insert({reps[b1], reps[b2]});
      expected.insert({reps[b2], reps[b1]});
      EXPECT_EQ(r.QuinellaOdds[reps[b1]][reps[b2]], r.BracketQuinellaOdds[b1][b2]);
      EXPECT_EQ(r.QuinellaOdds[reps[b2]][reps[b1]], r.BracketQuinellaOdds[b1][b2]);
    }
  }
  for (int i = 1; i <= 18; ++i) {
    for (int j = 1; j <= 18; ++j) {
      if (!expected.count({i, j})) {
        EXPECT_EQ(r.QuinellaOdds[i][j], "") << i << "-" << j;
      }
    }
  }
  EXPECT_EQ(r.QuinellaOdds[6][11], " 58.0");
  EXPECT_EQ(r.WideOddsLow[2][3], "");
}

TEST(OddsReader, SaleCode7BracketWithEveryHorseScratchedHasNoPairs) {
  RaceFolder f;
  auto odds = test::MakeOdds(16);
  odds.horses[2].win = OddsCell::Scratched();  // horses 3 and 4: bracket 2
  odds.horses[3].win = OddsCell::Scratched();
  f.Write(odds);
  ASSERT_EQ(f.Read(), 0);
  RaceModel& r = f.s.race;
  QuinellaFromBracketRepresentatives(r);
  for (int h = 1; h <= 18; ++h) {
    EXPECT_EQ(r.QuinellaOdds[3][h], "");
    EXPECT_EQ(r.QuinellaOdds[4][h], "");
  }
  EXPECT_EQ(r.QuinellaOdds[1][5], " 13.0");
}

TEST(OddsReader, BracketEntryPositions) {
  EXPECT_EQ(BracketEntryStart(1, 1), 325u);
  EXPECT_EQ(BracketEntryStart(1, 8), 395u);
  EXPECT_EQ(BracketEntryStart(2, 2), 405u);
  EXPECT_EQ(BracketEntryStart(8, 8), 675u);
}

// A quote keeps its text in itself: copies are whole and independent, a reused quote holds only
// its new text, and a text beyond the room keeps the whole characters that fit, never half a one.
TEST(OddsQuote, KeepsItsTextAndValueThroughCopiesAndReuse) {
  OddsQuote a(" 139.7");
  OddsQuote b = a;
  a.assign("  2.6");
  EXPECT_EQ(b.text(), " 139.7");
  EXPECT_DOUBLE_EQ(b.value(), 139.7);
  EXPECT_EQ(a.text(), "  2.6");
  EXPECT_DOUBLE_EQ(a.value(), 2.6);
  a.clear();
  EXPECT_TRUE(a.empty());
  EXPECT_EQ(a.value(), 0);

  // Six half-width katakana decode to 18 bytes: the longest a six-byte field can become.
  const std::string decoded = "ｱｲｳｴｵｶ";
  ASSERT_EQ(decoded.size(), 18u);
  EXPECT_EQ(OddsQuote(decoded).text(), decoded);
  const std::string longer = decoded + "ｷｸ";  // 24 bytes: the last whole character does not fit
  EXPECT_EQ(OddsQuote(longer).text(), "ｱｲｳｴｵｶｷ");
  EXPECT_EQ(OddsQuote(std::string(30, '9')).size(), OddsQuote::kRoom);
}

// A fixed-width field stored straight from the bytes of its file is the same quote, text and value
// to the bit, as the field stored as a text.
TEST(OddsQuote, FixedWidthFieldsStoreAsTheirText) {
  const char* const fields[] = {"  12.3", "9999.9", "   0.0", "      ", "  .5  ", " 1.2.3", "1 2.3 ",
                                "\t 7.5 ", "-  2.6", "+0.0 0", "99999.", " \xc4\xd8\xb9\xbc"};
  for (const char* field : fields) {
    const std::string_view six(field, 6);
    OddsQuote asText(six);
    OddsQuote fromBytes("stale text");
    fromBytes.assignField<6>(field);
    EXPECT_EQ(fromBytes.text(), asText.text()) << field;
    EXPECT_EQ(std::bit_cast<std::uint64_t>(fromBytes.value()),
              std::bit_cast<std::uint64_t>(asText.value()))
        << field;
    OddsQuote five;
    five.assignField<5>(field);
    EXPECT_EQ(five.text(), six.substr(0, 5));
    EXPECT_EQ(std::bit_cast<std::uint64_t>(five.value()),
              std::bit_cast<std::uint64_t>(text::Val(six.substr(0, 5))))
        << field;
  }
}

}  // namespace
}  // namespace tz
