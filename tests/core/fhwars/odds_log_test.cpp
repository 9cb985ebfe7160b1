#include "fhwars/odds_log.h"

#include <gtest/gtest.h>

#include "analysis/pipeline.h"
#include "samples/fhwars/fixture_odds_log.h"
#include "pat98/day_loader.h"
#include "pat98/odds_reader.h"
#include "results/race_card.h"
#include "session.h"
#include "support/fake_port.h"
#include "support/temp_dir.h"
#include "text/files.h"
#include "text/sjis.h"
#include "text/strings.h"

namespace tz {
namespace {

using fixture::ForumOddsPosting;
using fixture::MakeForumPosting;
using test::FakePort;
using test::TempDir;
namespace fs = std::filesystem;

// The posting text as the splitter hands it over: the lines after the opening separator.
std::string PostingOf(const ForumOddsPosting& p) {
  std::string t = fixture::ForumPostingText(p);
  return t.substr(t.find("\r\n", t.find("=====")) + 2);
}

OddsPosting Parsed(const ForumOddsPosting& p) {
  std::string problem;
  auto r = ReadOddsPosting(PostingOf(p), &problem);
  EXPECT_TRUE(r.has_value()) << problem;
  return r.value_or(OddsPosting{});
}

// A log folder, a receiving folder and a session pointed at both.
struct Conversion {
  TempDir dir;
  Session s;
  FakePort port;
  Conversion() {
    fs::create_directories(dir / "out");
    s.app.settings.Txtpath = (dir / "log").string();
    s.app.settings.Txtfile = "odds.txt";
    s.app.settings.Cnvpath = (dir / "out").string();
  }
  void Log(const std::vector<ForumOddsPosting>& postings) {
    dir.Write("log/odds.txt", fixture::ForumOddsLogBytes(postings));
  }
  void LogBytes(const std::string& bytes) { dir.Write("log/odds.txt", bytes); }
  std::string Out(const std::string& name) { return test::ReadAll(dir / "out" / name); }
  std::vector<std::string> OutFiles() { return text::ListFolder(dir / "out", "*"); }
};

TEST(OddsLogSplit, PostingsRunFromTheLineAfterASeparatorThroughTheNextSeparatorLine) {
  const std::string sep(79, '=');
  const std::string log = "title\r\nhead1\r\n" + sep + "\r\nA1\r\nA2\r\n" + sep + "\r\n\r\nhead2\r\n" +
                          sep + "\r\nB1\r\n" + sep + "\r\n";
  auto postings = SplitOddsLog(log);
  ASSERT_EQ(postings.size(), 2u);
  EXPECT_EQ(postings[0], "A1\r\nA2\r\n" + sep + "\r\n");
  EXPECT_EQ(postings[1], "B1\r\n" + sep + "\r\n");

  EXPECT_TRUE(SplitOddsLog("no separators at all\r\n").empty());
  // The separator counts in characters of the decoded text, whatever their bytes.
  auto wide = SplitOddsLog("中山\r\n" + sep + "\r\n中山１１Ｒ\r\n" + sep + "\r\n");
  ASSERT_EQ(wide.size(), 1u);
  EXPECT_EQ(wide[0], "中山１１Ｒ\r\n" + sep + "\r\n");
  // A posting whose closing separator is missing runs to the end of the log.
  auto open = SplitOddsLog("h\r\n" + sep + "\r\nlast posting\r\n");
  ASSERT_EQ(open.size(), 1u);
  EXPECT_EQ(open[0], "last posting\r\n");
  // The last two bytes of the file are not part of the log.
  EXPECT_EQ(DecodeOddsLog("abc\r\n"), "abc");
  EXPECT_EQ(DecodeOddsLog("\r\n"), "");
}

TEST(OddsPosting, ReadsTheHeaderHorsesAndTablesOfAPosting) {
  ForumOddsPosting f = MakeForumPosting(8);
  f.horses[2].win = "-----";
  f.horses[2].placeLow = "----";
  f.horses[2].placeHigh = "----";
  f.horses[4].jockeyChanged = true;
  f.horses[5].name = "サクラバクシンオー";
  f.quinella[1][2] = "    12";
  f.quinella[3][5] = " -----";
  f.bracket[1][2] = "   8";
  f.bracket[1][3] = " 8.5";
  f.bracket[1][1] = "----";
  OddsPosting p = Parsed(f);
  EXPECT_EQ(p.courseName, "中山");
  EXPECT_EQ(p.courseCode, 6);
  EXPECT_EQ(p.race, 11);
  EXPECT_EQ(p.year, 2003);
  EXPECT_EQ(p.kai, 3);
  EXPECT_EQ(p.dayOfMeeting, 5);
  EXPECT_EQ(p.month, 4);
  EXPECT_EQ(p.dayOfMonth, 13);
  EXPECT_EQ(p.oddsHour * 100 + p.oddsMinute, 1002);
  EXPECT_EQ(p.postHour * 100 + p.postMinute, 1540);
  EXPECT_EQ(text::EncodeSjis(p.title1), text::EncodeSjis("皐月賞") + std::string(22, ' '));
  EXPECT_EQ(p.track, "芝  ");
  EXPECT_EQ(p.distance, "2000");
  ASSERT_EQ(p.horseCount, 8);
  ASSERT_EQ(p.horses.size(), 8u);
  for (int h = 1; h <= 8; ++h) {
    EXPECT_EQ(p.horses[h - 1].bracket, h) << h;
    EXPECT_EQ(p.horses[h - 1].number, h);
  }
  EXPECT_EQ(p.horses[0].win, "  2.5");
  EXPECT_EQ(p.horses[0].placeLow, "  1.2");
  EXPECT_EQ(p.horses[0].placeHigh, "  2.0");
  EXPECT_EQ(p.horses[2].win, " ﾄﾘｹｼ");
  EXPECT_EQ(p.horses[2].placeLow, " ﾄﾘｹｼ");
  EXPECT_EQ(p.horses[2].placeHigh, " ﾄﾘｹｼ");
  // Half-width, "ｰ" as "-", 18 characters.
  EXPECT_EQ(p.horses[0].name, "ﾃｽﾄﾎ-ｽ1           ");
  EXPECT_EQ(p.horses[5].name, "ｻｸﾗﾊﾞｸｼﾝｵ-        ");
  EXPECT_EQ(p.horses[0].jockey, "騎手A   　　　　　");
  EXPECT_EQ(p.horses[4].jockey, "騎手E   （替）　　");
  EXPECT_EQ(p.horses[0].weight, "57.0");

  EXPECT_TRUE(p.quinellaFound);
  EXPECT_EQ(p.quinella[1][2], "12.0  ");
  EXPECT_EQ(p.quinella[2][1], "12.0  ");
  EXPECT_EQ(p.quinella[3][5], "  ﾄﾘｹｼ");
  EXPECT_EQ(p.quinella[6][8], "  68.0");
  EXPECT_EQ(p.bracketQuinella[1][2], "8.0  ");
  EXPECT_EQ(p.bracketQuinella[1][3], "  8.5");
  EXPECT_EQ(p.bracketQuinella[1][1], "     ");
  EXPECT_EQ(p.bracketQuinella[8][8], " 16.5");
  EXPECT_EQ(p.wideLow[1][2], "  3.0");
  EXPECT_EQ(p.wideHigh[2][1], "  4.0");
  EXPECT_EQ(p.wideLow[7][8], " 15.0");
}

TEST(OddsPosting, TwoDigitYearsAndBlankBracketsCarryOver) {
  for (auto [posted, year] : {std::pair{3, 2003}, {90, 2090}, {91, 1991}, {95, 1995}}) {
    ForumOddsPosting f = MakeForumPosting(5);
    f.year = posted;
    EXPECT_EQ(Parsed(f).year, year) << posted;
  }
  ForumOddsPosting f = MakeForumPosting(9);  // brackets 1..7 one horse, 8 two horses
  f.horses[0].bracket = 0;                   // a blank first bracket counts as 0
  OddsPosting p = Parsed(f);
  EXPECT_EQ(p.horses[0].bracket, 0);
  EXPECT_EQ(p.horses[7].bracket, 8);
  EXPECT_EQ(p.horses[8].bracket, 8);
}

TEST(OddsPosting, LargeFieldsReadTheSecondQuinellaBlockAndWideRows) {
  for (int n : {12, 13, 16, 18}) {
    SCOPED_TRACE(n);
    ForumOddsPosting f = MakeForumPosting(n);
    OddsPosting p = Parsed(f);
    ASSERT_EQ(p.horseCount, n);
    for (int i = 1; i < n; ++i) {
      for (int j = i + 1; j <= n; ++j) {
        std::string want = j == i + 1 ? text::Trim(f.quinella[i][j]) + ".0" : f.quinella[i][j];
        while (want.size() < 6) want += ' ';
        ASSERT_EQ(p.quinella[i][j], want) << i << "-" << j;
        ASSERT_EQ(p.wideLow[i][j], f.wideLow[i][j]) << i << "-" << j;
        ASSERT_EQ(p.wideHigh[j][i], f.wideHigh[i][j]) << i << "-" << j;
      }
    }
    for (int i = 1; i <= 8; ++i) {
      for (int j = i; j <= 8; ++j) EXPECT_EQ(p.bracketQuinella[i][j], " " + f.bracket[i][j]);
    }
  }
  // With 6 runners only six bracket rows are read.
  OddsPosting six = Parsed(MakeForumPosting(6));
  EXPECT_EQ(six.bracketQuinella[6][6], " 12.5");
  EXPECT_EQ(six.bracketQuinella[7][7], "");
  EXPECT_EQ(six.bracketQuinella[7][8], "");
}

TEST(OddsPosting, WideEntriesPairByThePartnerList) {
  // Swapping two entries of horse 10 in the log swaps the pairs they fill: the sixth "10:"
  // read pairs 10 with 9.
  ForumOddsPosting f = MakeForumPosting(10);
  f.wideLow[9][10] = "111.1";
  f.wideLow[6][10] = "666.6";
  OddsPosting p = Parsed(f);
  EXPECT_EQ(p.wideLow[10][9], "111.1");
  EXPECT_EQ(p.wideLow[6][10], "666.6");
  f.wideLow[5][10] = " ----";
  f.wideHigh[5][10] = " ----";
  p = Parsed(f);
  EXPECT_EQ(p.wideLow[5][10], " ﾄﾘｹｼ");
  EXPECT_EQ(p.wideHigh[10][5], " ﾄﾘｹｼ");
}

TEST(OddsPosting, MissingTablesFollowTheirRules) {
  // No quinella table: no quinella value, the bracket table still read, no wide values.
  ForumOddsPosting none = MakeForumPosting(8);
  none.withQuinella = false;
  OddsPosting a = Parsed(none);
  EXPECT_FALSE(a.quinellaFound);
  EXPECT_EQ(a.quinella[1][2], "");
  EXPECT_EQ(a.bracketQuinella[2][3], "  5.5");
  EXPECT_EQ(a.wideLow[1][2], "");
  ForumOddsPosting big = MakeForumPosting(15);
  big.withQuinella = false;
  EXPECT_EQ(Parsed(big).bracketQuinella[8][8], " 16.5");

  // Quinella odds without the wide block: every wide value "000.0".
  ForumOddsPosting noWide = MakeForumPosting(7);
  noWide.withWide = false;
  OddsPosting b = Parsed(noWide);
  EXPECT_TRUE(b.quinellaFound);
  EXPECT_EQ(b.wideLow[1][7], "000.0");
  EXPECT_EQ(b.wideHigh[7][1], "000.0");

  // A table of scratched values only counts as no quinella odds.
  ForumOddsPosting scratched = MakeForumPosting(3);
  for (int i = 1; i < 3; ++i)
    for (int j = i + 1; j <= 3; ++j) scratched.quinella[i][j] = " -----";
  EXPECT_FALSE(Parsed(scratched).quinellaFound);

  // A pair the posting left blank is a missing combination, not odds of 0.
  ForumOddsPosting blank = MakeForumPosting(5);
  blank.quinella[2][4] = "";
  blank.bracket[1][2] = "    ";
  OddsPosting c = Parsed(blank);
  EXPECT_EQ(c.quinella[2][4], "  ﾄﾘｹｼ");
  EXPECT_EQ(c.bracketQuinella[1][2], "     ");
}

TEST(OddsPosting, PostingsOffTheLayoutAreRefusedWithAReason) {
  const std::string good = PostingOf(MakeForumPosting(10));
  struct Case {
    const char* what;
    std::function<std::string()> text;
    const char* reason;  // part of the problem text
  };
  auto with = [](auto change) {
    ForumOddsPosting f = MakeForumPosting(10);
    change(f);
    return PostingOf(f);
  };
  const std::vector<Case> cases = {
      {"empty", [] { return std::string(); }, "途中で切れています"},
      {"cut in the header", [&] { return good.substr(0, 100); }, "途中で切れています"},
      {"cut among the horses", [&] { return good.substr(0, 600); }, "途中で切れています"},
      {"cut in the quinella table", [&] { return good.substr(0, 1500); }, "途中で切れています"},
      {"cut in the wide block",
       [&] { return good.substr(0, good.find(":", good.find(text::DecodeSjis(text::EncodeSjis("ワイド")))) + 40); },
       "途中で切れています"},
      {"no post time",
       [&] {
         std::string t = good;
         return t.replace(t.find("発走"), std::string("発走").size(), "出走");
       },
       "発走"},
      {"race 13", [&] { return with([](auto& f) { f.race = 13; }); }, "ﾚｰｽ番号"},
      {"day 13", [&] { return with([](auto& f) { f.dayOfMeeting = 13; }); }, "開催日次"},
      {"no horses", [&] { return with([](auto& f) { f.postedHorseCount = 0; f.horses.clear(); }); },
       "頭数"},
      {"19 horses", [&] { return with([](auto& f) { f.postedHorseCount = 19; }); }, "頭数"},
      {"letters for a horse number",
       [&] { return with([](auto& f) { f.horses[3].number = 0; f.horses[3].win = "-----"; }); },
       "馬番"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::string problem;
    EXPECT_FALSE(ReadOddsPosting(c.text(), &problem).has_value());
    EXPECT_NE(problem.find(c.reason), std::string::npos) << problem;
  }

  // A wide entry of a horse outside the field, and one entry too many for a horse.
  std::string bad = good;
  std::size_t wide = bad.find("ワイド ０１");
  ASSERT_NE(wide, std::string::npos);
  std::size_t entry = bad.find(" 3:", wide);
  ASSERT_NE(entry, std::string::npos);
  std::string outside = bad;
  outside.replace(entry, 3, "11:");
  std::string problem;
  EXPECT_FALSE(ReadOddsPosting(outside, &problem).has_value());
  EXPECT_NE(problem.find("ワイドの馬番"), std::string::npos) << problem;
  std::string twice = bad;
  twice.replace(entry, 3, " 2:");
  EXPECT_FALSE(ReadOddsPosting(twice, &problem).has_value());
  EXPECT_NE(problem.find("ワイドの馬番2"), std::string::npos) << problem;
}

TEST(OddsPosting, EveryCutAndDamagedByteGivesAPostingOrAReason) {
  // A posting cut at any character, or with any one byte replaced, never takes the reader
  // past its end: it is read or refused with a reason.
  for (int n : {8, 18}) {
    const std::u32string whole = text::ToU32(PostingOf(MakeForumPosting(n)));
    int read = 0;
    for (std::size_t len = 0; len <= whole.size(); len += 7) {
      std::string problem;
      auto p = ReadOddsPosting(text::ToU8(whole.substr(0, len)), &problem);
      if (p) ++read;
      else EXPECT_FALSE(problem.empty()) << len;
    }
    EXPECT_GT(read, 0);
    const std::string bytes = text::EncodeSjis(text::ToU8(whole));
    for (std::size_t i = 0; i < bytes.size(); i += 5) {
      for (char c : {'9', ' ', ':', '\x82'}) {
        std::string damaged = bytes;
        damaged[i] = c;
        std::string problem;
        auto p = ReadOddsPosting(text::DecodeSjis(damaged), &problem);
        if (p) {
          EXPECT_GE(p->horseCount, 1);
          EXPECT_LE(p->horseCount, 18);
          EXPECT_EQ(p->horses.size(), static_cast<std::size_t>(p->horseCount));
          EXPECT_EQ(OddsPostingOddsBytes(*p).size(), 829u);
        } else {
          EXPECT_FALSE(problem.empty());
        }
      }
    }
  }
}

TEST(OddsPostingFiles, NamesUseCodeCharactersForCourseDayAndRace) {
  struct Case {
    const char* course;
    int day, race;
    const char* name;
  };
  for (const Case& c : std::vector<Case>{{"小倉", 2, 12, "A2C"},
                                          {"中山", 5, 11, "65B"},
                                          {"札幌", 10, 1, "1A1"},
                                          {"東京", 12, 10, "5CA"},
                                          {"大井", 1, 1, "011"}}) {
    OddsPosting p = Parsed(MakeForumPosting(5, c.course, c.day, c.race));
    EXPECT_EQ(ConvertedRaceFileName("DE-", p), std::string("DE-") + c.name + ".JRA");
    EXPECT_EQ(ConvertedRaceFileName("UO-", p), std::string("UO-") + c.name + ".JRA");
  }
}

TEST(OddsPostingFiles, RecordsAreWrittenByteForByte) {
  ForumOddsPosting f = MakeForumPosting(2);
  f.horses[1].jockeyChanged = true;
  OddsPosting p = Parsed(f);
  const std::string header = "20030413" + std::string(20, ' ') + text::EncodeSjis("中山") +
                             "2003" "03" "05" "11" "00" "10" "02" +
                             text::EncodeSjis("皐月賞") + std::string(22, ' ') +
                             text::EncodeSjis("４歳オープン") + std::string(16, ' ') +
                             std::string(36, ' ') + " 2";
  std::string zo = OddsPostingOddsBytes(p);
  ASSERT_EQ(zo.size(), 829u);
  EXPECT_EQ(zo.substr(0, 142), header);
  EXPECT_EQ(zo.substr(142, 36), "0 1  2.5  1.2  2.0" "0 2  3.5  1.3  2.1");
  EXPECT_EQ(zo.substr(178, 16 * 18), std::string(16 * 18, ' '));
  EXPECT_EQ(zo.substr(466, 20), "0 1-1  2.50 1-2  3.5");
  // Only as many bracket rows as horses are read.
  EXPECT_EQ(zo.substr(486, 10), "0 1-3  4.5");
  EXPECT_EQ(zo.substr(546, 10), "0 2-2  4.5");
  EXPECT_EQ(zo.substr(616, 10), "0 3-3     ");
  EXPECT_EQ(zo.substr(816, 13), "0 8-8     E\r\n");

  std::string uo = OddsPostingQuinellaBytes(p);
  EXPECT_EQ(uo, header + "11" + "00 1- 212.0     3.0   4.0" + "E\r\n");

  std::string de = OddsPostingRaceCardBytes(p);
  // The posted ﾃｽﾄﾎｰｽ1 is written with "-" for "ｰ", padded to 18 bytes.
  std::string expect = "20030413" + text::EncodeSjis("中山") + "2003" "03" "05" "11" "15" "40" +
           text::EncodeSjis("芝") + "  " "2000" + text::EncodeSjis("皐月賞") + std::string(22, ' ') +
           text::EncodeSjis("４歳オープン") + std::string(16, ' ') + " 2" + " 1 11 " +
           text::EncodeSjis("ﾃｽﾄﾎ-ｽ1") + std::string(11, ' ') + text::EncodeSjis("騎手A   　　　　　") +
           "00" "57.0" + " 2 21 " + text::EncodeSjis("ﾃｽﾄﾎ-ｽ2") + std::string(11, ' ') +
           text::EncodeSjis("騎手B   （替）　　") + "00" "57.0" + "\r\n";
  EXPECT_EQ(de, expect);
  EXPECT_EQ(de.size(), 92u + 2 * 48 + 2);
}

TEST(OddsLogConversion, WritesEachPostingsFilesAndReportsPostingsOffTheLayout) {
  Conversion c;
  ForumOddsPosting noQuinella = MakeForumPosting(6, "阪神", 11, 3);
  noQuinella.withQuinella = false;
  ForumOddsPosting broken = MakeForumPosting(5, "中山", 5, 1);
  broken.postedHorseCount = 19;
  c.Log({MakeForumPosting(18, "中山", 5, 11), broken, noQuinella});
  OddsLogReport report;
  EXPECT_EQ(ConvertOddsLog(c.s.app, c.s.wars, c.port, &report), 2);
  EXPECT_EQ(report.total, 3);
  EXPECT_EQ(report.processed, 2);
  ASSERT_EQ(report.skipped.size(), 1u);
  EXPECT_EQ(report.skipped[0].index, 2);
  EXPECT_EQ(c.OutFiles(), (std::vector<std::string>{"DE-65B.JRA", "DE-9B3.JRA", "UO-65B.JRA",
                                                     "ZO-65B.JRA", "ZO-9B3.JRA"}));
  ASSERT_EQ(c.port.Errors().size(), 1u);
  EXPECT_NE(c.port.Errors()[0].find("2件目の発言: 頭数"), std::string::npos) << c.port.Errors()[0];
  EXPECT_EQ(c.port.progressCalls, 3);
  EXPECT_EQ(c.Out("ZO-65B.JRA").size(), 829u);
}

TEST(OddsLogConversion, ExistingFilesAreKeptUnlessOverwriteIsChosen) {
  Conversion c;
  c.Log({MakeForumPosting(8)});
  c.dir.Write("out/zo-65b.jra", "old odds");
  OddsLogReport report;
  EXPECT_EQ(ConvertOddsLog(c.s.app, c.s.wars, c.port, &report), 1);  // the posting still counts
  EXPECT_EQ(c.Out("zo-65b.jra"), "old odds");
  ASSERT_EQ(report.files.size(), 3u);
  EXPECT_EQ(report.files[1].outcome, ConvertedFile::Outcome::Kept);
  EXPECT_TRUE(c.port.messages.empty());

  c.s.wars.WarsOverwrite = true;
  EXPECT_EQ(ConvertOddsLog(c.s.app, c.s.wars, c.port, &report), 1);
  EXPECT_EQ(c.Out("zo-65b.jra").size(), 829u);
  EXPECT_EQ(c.OutFiles().size(), 3u);
}

TEST(OddsLogConversion, ATruncatedLogConvertsWhatIsWholeAndWritesNoHalfFile) {
  Conversion c;
  std::string bytes = fixture::ForumOddsLogBytes({MakeForumPosting(10, "東京", 1, 1),
                                                  MakeForumPosting(10, "東京", 1, 2)});
  c.LogBytes(bytes.substr(0, bytes.size() - 1500));
  EXPECT_EQ(ConvertOddsLog(c.s.app, c.s.wars, c.port, nullptr), 1);
  EXPECT_EQ(c.OutFiles(), (std::vector<std::string>{"DE-511.JRA", "UO-511.JRA", "ZO-511.JRA"}));
  ASSERT_EQ(c.port.Errors().size(), 1u);
  EXPECT_NE(c.port.Errors()[0].find("2件目"), std::string::npos);
}

TEST(OddsLogConversion, LogWithoutPostingsCountsZero) {
  Conversion c;
  c.LogBytes(text::EncodeSjis("雑談だけのログ\r\n\r\n"));
  EXPECT_EQ(ConvertOddsLog(c.s.app, c.s.wars, c.port, nullptr), 0);
  EXPECT_TRUE(c.port.messages.empty());
  EXPECT_TRUE(c.OutFiles().empty());
}

TEST(OddsLogConversion, AFileThatCannotBeWrittenIsReportedAndTheOthersStay) {
  Conversion c;
  c.Log({MakeForumPosting(8)});
  fs::create_directories(c.dir / "out" / "ZO-65B.JRA");  // a folder stands in the way
  c.s.wars.WarsOverwrite = true;
  EXPECT_EQ(ConvertOddsLog(c.s.app, c.s.wars, c.port, nullptr), 1);
  ASSERT_EQ(c.port.Errors().size(), 1u);
  EXPECT_NE(c.port.Errors()[0].find("ZO-65B.JRA"), std::string::npos);
  EXPECT_EQ(c.Out("DE-65B.JRA").size(), 92u + 8 * 48 + 2);
  EXPECT_FALSE(c.Out("UO-65B.JRA").empty());
  EXPECT_TRUE(fs::is_directory(c.dir / "out" / "ZO-65B.JRA"));
}

// Converted files loaded by the program's own readers give back the posted values.
TEST(OddsLogConversion, ConvertedFolderLoadsWithThePseudoGuideAndReaders) {
  Conversion c;
  ForumOddsPosting big = MakeForumPosting(18, "中山", 11, 12);
  big.horses[4].win = "-----";
  big.horses[4].placeLow = "----";
  big.horses[4].placeHigh = "----";
  ForumOddsPosting small = MakeForumPosting(7, "中山", 11, 1);
  small.withQuinella = false;
  small.postHour = 9;
  small.postMinute = 50;
  c.Log({big, small});
  ASSERT_EQ(ConvertOddsLog(c.s.app, c.s.wars, c.port, nullptr), 2);
  EXPECT_EQ(c.OutFiles(), (std::vector<std::string>{"DE-6B1.JRA", "DE-6BC.JRA", "UO-6BC.JRA",
                                                     "ZO-6B1.JRA", "ZO-6BC.JRA"}));

  c.port.answers = {Answer::Yes};  // build the pseudo betting guide
  c.s.app.DataFolder = c.s.app.settings.Cnvpath;
  LoadCurrentData(c.s, c.port);
  RaceModel& r = c.s.race;
  ASSERT_EQ(r.MeetingCount, 1);
  EXPECT_EQ(r.GuideDate, "20030413");
  EXPECT_EQ(r.MeetingInfo[1].CourseCode, 6);
  EXPECT_EQ(r.RaceSaleCode[1][12], 31);
  EXPECT_EQ(r.RaceSaleCode[1][1], 7);

  SetRaceSelection(c.s, 1, 12);
  r.ScratchedCount = 0;
  ASSERT_EQ(ReadRaceOdds(c.s.race, c.s.app, c.s.folders, c.port), 0);
  EXPECT_EQ(r.HorseCount, 18);
  EXPECT_EQ(r.OddsDay, 11);
  EXPECT_EQ(r.CurrentRace, 12);
  EXPECT_EQ(r.OddsHour * 100 + r.OddsMinute, 1002);
  EXPECT_EQ(r.OddsTimeKind, 0);
  EXPECT_EQ(r.WinOdds[1], "  2.5");
  EXPECT_EQ(r.WinOdds[5], "");
  EXPECT_EQ(r.ScratchedCount, 1);
  EXPECT_EQ(r.PlaceOddsHigh[18], "  3.7");
  EXPECT_EQ(r.BracketQuinellaOdds[7][8], " 15.5");
  ReadQuinellaFile(c.s.race, c.s.folders);
  ASSERT_EQ(r.LoadStatus, 0);
  EXPECT_EQ(r.NoWideOdds, 0);
  EXPECT_EQ(r.QuinellaOdds[1][2], "12.0  ");
  EXPECT_EQ(r.QuinellaOdds[13][18], " 148.0");
  EXPECT_EQ(r.QuinellaOdds[17][18], "188.0 ");
  EXPECT_EQ(r.WideOddsLow[16][3], "  19.0");
  EXPECT_EQ(r.WideOddsHigh[17][18], "  36.0");
  ASSERT_EQ(ReadRaceCard(c.s.race, c.s.app, c.s.folders), kRaceCardRead);
  EXPECT_EQ(r.StartTimeText, "1540");
  EXPECT_EQ(r.HorseName[0], "ﾃｽﾄﾎ-ｽ1           ");
  EXPECT_EQ(r.HorseName[17], "ﾃｽﾄﾎ-ｽ18          ");
  EXPECT_EQ(r.RaceTrackType, "芝");
  EXPECT_EQ(r.RaceDistance, "2000");

  SetRaceSelection(c.s, 1, 1);
  r.ScratchedCount = 0;
  ASSERT_EQ(ReadRaceOdds(c.s.race, c.s.app, c.s.folders, c.port), 0);
  EXPECT_EQ(r.HorseCount, 7);
  ASSERT_EQ(ReadRaceCard(c.s.race, c.s.app, c.s.folders), kRaceCardRead);
  EXPECT_EQ(r.StartTimeText, "0950");
  EXPECT_TRUE(c.port.Errors().empty());
}

TEST(WarsOddsRun, AsksBeforeRunningAndReportsTheCount) {
  {
    Conversion c;
    c.Log({MakeForumPosting(5)});
    c.port.answers = {Answer::No};
    WarsOddsRun run = RunWarsOddsConversion(c.s.app, c.s.wars, c.port, false, true);
    EXPECT_EQ(run.result, WarsOddsRun::Result::Declined);
    ASSERT_EQ(c.port.messages.size(), 1u);
    EXPECT_EQ(c.port.messages[0].text, "実行しますか?");
    EXPECT_EQ(c.port.messages[0].title, "FHWARSｵｯｽﾞ変換");
    EXPECT_TRUE(c.OutFiles().empty());
  }
  {
    Conversion c;
    c.Log({MakeForumPosting(5), MakeForumPosting(5, "中山", 5, 12)});
    WarsOddsRun run = RunWarsOddsConversion(c.s.app, c.s.wars, c.port, true, true);
    EXPECT_EQ(run.result, WarsOddsRun::Result::Converted);
    EXPECT_EQ(run.count, 2);
    EXPECT_TRUE(run.loadFolder);
    EXPECT_TRUE(run.closeDialog);
    EXPECT_TRUE(c.s.wars.WarsOverwrite);
    ASSERT_EQ(c.port.messages.size(), 2u);
    EXPECT_EQ(c.port.messages[1].text, "2ﾌｧｲﾙ処理しました。");
    EXPECT_EQ(c.port.messages[1].icon, Icon::None);
    EXPECT_EQ(c.port.messages[1].title, "FHWARSｵｯｽﾞ変換");
  }
  {
    Conversion c;
    c.LogBytes("nothing\r\n");
    WarsOddsRun run = RunWarsOddsConversion(c.s.app, c.s.wars, c.port, false, true);
    EXPECT_EQ(run.count, 0);
    EXPECT_FALSE(run.loadFolder);
    EXPECT_FALSE(run.closeDialog);
    EXPECT_EQ(c.port.messages.back().text, "0ﾌｧｲﾙ処理しました。");
  }
  {
    // A failed check stops before the question.
    Conversion c;
    c.s.app.settings.Txtfile = "";
    WarsOddsRun run = RunWarsOddsConversion(c.s.app, c.s.wars, c.port, false, true);
    EXPECT_EQ(run.result, WarsOddsRun::Result::CheckFailed);
    EXPECT_EQ(c.port.Errors(), std::vector<std::string>{"ﾃｷｽﾄﾌｧｲﾙが指定されていません"});
  }
}

TEST(WarsOddsRun, HelpTextLines) {
  std::string t = WarsOddsHelpText();
  EXPECT_EQ(t.rfind("この機能は基本的に寝坊等により朝一ｵｯｽﾞを取得できなかったときにFHWARSの17番", 0), 0u);
  EXPECT_NE(t.find("電話代が安くすみます）\r\n注意："), std::string::npos);
  EXPECT_NE(t.find("使用できません。\r\n\r\n【準備】\r\n1. "), std::string::npos);
  EXPECT_NE(t.find("その都度「結果と履歴を上書き保存」を選択してください\r\n\r\n【過去"), std::string::npos);
  EXPECT_EQ(t.substr(t.size() - std::string("※前売オッズはｻﾎﾟｰﾄしていません").size()),
            "※前売オッズはｻﾎﾟｰﾄしていません");
}

}  // namespace
}  // namespace tz
