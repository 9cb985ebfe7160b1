// The bet command of tazuna98-cli against a PAT98 folder: the same marks give the same .BET
// file as the operations the windows run.
#include <gtest/gtest.h>

#include <filesystem>

#include <nlohmann/json.hpp>

#include "analysis/bracket_model.h"
#include "analysis/main_window_model.h"
#include "analysis/pipeline.h"
#include "betting/bet_list.h"
#include "betting/marking.h"
#include "cli/cli_test.h"
#include "pat98/day_loader.h"
#include "samples/pat98/fixture_writer.h"
#include "session.h"
#include "support/fake_port.h"
#include "support/odds_day.h"
#include "text/files.h"
#include "text/sjis.h"

namespace tz {
namespace {

namespace fs = std::filesystem;
using test::FakePort;
using test::ReadAll;
using test::Q;
using test::RunCli;
using test::ShellQuote;
using test::TempDir;

void Write(const fs::path& folder, const std::string& name, const std::string& bytes) {
  ASSERT_EQ(fixture::WriteFixture(folder, name, bytes), "");
}

// A PAT98 folder for `date` with race 11 of 東京 (2回 8日) on sale with quinella and wide odds:
// eight horses, one per bracket.
void WriteDay(const fs::path& folder, const std::string& date = "20030405") {
  fixture::GuideRecord g;
  g.date = date;
  g.courseCode = 5;
  g.year = 2003;
  g.kai = 2;
  g.day = 8;
  g.saleCodes[11] = 31;
  Write(folder, "UY-A.JRA", BettingGuideBytes(g));

  fixture::OddsFile f;
  f.header.date = date;
  f.header.courseName = "東京";
  f.header.year = 2003;
  f.header.kai = 2;
  f.header.day = 8;
  f.header.race = 11;
  f.header.hour = 15;
  f.header.minute = 10;
  f.header.title1 = "テスト特別";
  f.header.title2 = "４歳以上オープン";
  f.header.horseCount = 8;
  const double win[] = {0, 5.2, 3.1, 12.4, 8.8, 2.6, 25.0, 48.3, 16.9};
  for (int h = 1; h <= 8; ++h) {
    f.horses.push_back({fixture::OddsCell::Of(win[h]), fixture::OddsCell::Of(1.1 + h / 5.0),
                        fixture::OddsCell::Of(1.9 + h / 5.0)});
  }
  for (int i = 1; i <= 8; ++i) {
    for (int j = i; j <= 8; ++j) {
      if (i != j) f.bracket[i][j] = fixture::OddsCell::Of(win[i] * win[j] / 1.6);
    }
  }
  Write(folder, RaceFileName("ZO-", 5, 8, 11), fixture::OddsFileBytes(f));

  fixture::QuinellaFile q;
  q.header = f.header;
  for (int i = 1; i < 8; ++i) {
    for (int j = i + 1; j <= 8; ++j) {
      const double v = win[i] * win[j] / 1.5;
      q.quinella[i][j] = fixture::OddsCell::Of(v);
      q.wideLow[i][j] = fixture::OddsCell::Of(v / 3.5);
      q.wideHigh[i][j] = fixture::OddsCell::Of(v / 2.5);
    }
  }
  Write(folder, RaceFileName("UO-", 5, 8, 11), fixture::QuinellaFileBytes(q));
}

// The bet window's route for the same marks: select the race, click the cells, build the
// list, choose equal return, send.
std::string WindowBetFile(const fs::path& pat98, const fs::path& betFolder) {
  Session s;
  s.app.Pat98Folder = s.app.DataFolder = pat98;
  s.app.Pat98GuideDate = "20030405";
  s.app.BetFolder = betFolder;
  FakePort port;
  EXPECT_EQ(LoadCurrentData(s, port), 0);
  SelectMeeting(s, 1);
  SelectRace(s, port, 4 + 11);
  EXPECT_TRUE(s.mainWindow.RaceShown);
  auto pos = [&](int horse) {
    for (int p = 1; p <= s.mainWindow.RunnerCount; ++p) {
      if (s.race.HorseOrder[p] == horse) return p;
    }
    ADD_FAILURE() << "horse " << horse << " not shown";
    return 1;
  };
  ToggleHighlight(s, 2, pos(5));  // win 5
  ToggleHighlight(s, 1, pos(2));  // place 2
  ToggleCell(s, PairMatrix::Quinella, pos(3) - 1, pos(8) - 1);
  ToggleCell(s, PairMatrix::Wide, pos(1) - 1, pos(2) - 1);
  BuildBracketView(s);
  for (int i = 0; i < 8; ++i) {
    for (int j = 0; j < 8; ++j) {
      const int a = s.bracketView.BracketOrder[i + 1], b = s.bracketView.BracketOrder[j + 1];
      if (a == 2 && b == 7) ToggleBracketCell(s, 8 * i + j);
    }
  }
  EXPECT_TRUE(BuildBetList(s, port));
  EXPECT_TRUE(ApplyAllocationMode(s, port, kAllocateEqualProfit));
  EXPECT_EQ(SendBetList(s, port), SendResult::Written);
  EXPECT_EQ(port.Errors(), std::vector<std::string>{});
  return ReadAll(betFolder / "03040501.BET");
}

TEST(BetCli, WritesTheSameFileAsTheBetWindow) {
  TempDir d;
  WriteDay(d / "PAT98");
  fs::create_directories(d / "window");
  fs::create_directories(d / "cli");
  const std::string expected = WindowBetFile(d / "PAT98", d / "window");
  ASSERT_FALSE(expected.empty());

  auto r = RunCli("bet " + Q(d / "PAT98") + " --meeting 1 --race 11 --bets '1:05,2:02,4:03-08,5:02-01,3:07-02'" +
                  " --mode return --send --betdir " + Q(d / "cli") + " --home " + Q(d / "home"));
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(ReadAll(d / "cli" / "03040501.BET"), expected);
  EXPECT_NE(r.out.find("均等利益（資金 1,000円）"), std::string::npos) << r.out;

  // The file: race label, empty line, the five bets sorted by kind, the closing empty line.
  const std::string text = text::DecodeSjis(expected);
  EXPECT_EQ(text.rfind("東京 2回 8日  11R\r\n\r\n単  5   ", 0), 0u) << text;
  const std::vector<std::string> starts = {"単  5   ", "複  2   ", "枠  2-7 ", "馬  3-8 ", "ワ  1-2 "};
  std::size_t at = 0;
  for (const std::string& st : starts) {
    at = text.find("\r\n" + st, at);
    ASSERT_NE(at, std::string::npos) << st << "\n" << text;
  }
  EXPECT_EQ(text.substr(text.size() - 4), "\r\n\r\n");

  // A second send of the day gets the next number; a stake given on the command line is taken
  // in whole hundreds as the amount dialog takes it.
  r = RunCli("bet " + Q(d / "PAT98") + " --meeting 1 --race 11 --bets 4:03-08 --send --betdir " + Q(d / "cli") +
             " --home " + Q(d / "home") + " --money 550");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(text::DecodeSjis(ReadAll(d / "cli" / "03040502.BET")),
            "東京 2回 8日  11R\r\n\r\n馬  3-8   139.7     500\r\n\r\n");
}

TEST(BetCli, ListsWithoutSendingAndRefusesBadRequests) {
  TempDir d;
  WriteDay(d / "PAT98");
  fs::create_directories(d / "bet");
  const std::string base = Q(d / "PAT98") + " --meeting 1 --race 11 --home " + Q(d / "home") + " --betdir " + Q(d / "bet");

  auto r = RunCli("bet " + base + " --bets 4:03-08,1:05");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("均等配分（金額 100円）\n東京 2回 8日  11R\n\n単  5   "), std::string::npos) << r.out;
  EXPECT_TRUE(text::ListFolder(d / "bet", "*").empty());

  struct Case {
    const char* bets;
    const char* extra;
  };
  for (const Case& c : std::vector<Case>{{"9:01", ""},
                                          {"4:03", ""},
                                          {"4:03-03", ""},
                                          {"1:19", ""},
                                          {"4:03-12", ""},  // horse 12 does not run
                                          {"1:05", " --mode share"}}) {
    r = RunCli("bet " + base + " --bets " + ShellQuote(c.bets) + c.extra + " --send");
    EXPECT_NE(r.exitCode, 0) << c.bets;
    EXPECT_FALSE(r.err.empty()) << c.bets;
  }
  EXPECT_TRUE(text::ListFolder(d / "bet", "*").empty());
}

// Stake safety in the text and in --json, worked out by hand from the day's odds: win 5 at 2.6,
// win 2 at 3.1, win 1 at 5.2, win 3 at 12.4.
TEST(BetCli, ReportsCombinedOddsBookPercentAndTorigami) {
  TempDir d;
  WriteDay(d / "PAT98");
  const std::string base = "bet " + Q(d / "PAT98") + " --meeting 1 --race 11 --home " + Q(d / "home");

  // Equal return on 1,000 yen: 1 / (1/2.6 + 1/5.2) = 1.73, stakes 700 and 300 return 1,820
  // and 1,560: nothing short.
  auto r = RunCli(base + " --bets 1:05,1:01 --mode return --limit 1000 --json");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  nlohmann::json j = nlohmann::json::parse(r.out);
  EXPECT_EQ(j["combined_odds"], 1.7);
  EXPECT_EQ(j["total_stake"], 1000);
  EXPECT_EQ(j["torigami"], nlohmann::json::array());
  ASSERT_EQ(j["bets"].size(), 2u);
  EXPECT_EQ(j["bets"][0]["line"], "単  1       5.2     300");
  EXPECT_EQ(j["bets"][1]["stake"], 700);
  // Win: Σ 1/o over the eight horses; bracket quinella and quinella over their 28 pairs.
  EXPECT_EQ(j["book_percent"]["win"], 121.4);
  EXPECT_EQ(j["book_percent"]["bracket"], 92.8);
  EXPECT_EQ(j["book_percent"]["quinella"], 86.9);

  // Equal stakes of 100 on three wins, 1 / (1/2.6 + 1/3.1 + 1/12.4) = 1.27: the 2.6 hit returns
  // 260 of the 300 staked.
  r = RunCli(base + " --bets 1:05,1:02,1:03");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("合成オッズ 1.3\nﾌﾞｯｸ 単勝 121.4%  枠連 92.8%  馬連 86.9%\nﾄﾘｶﾞﾐ\n単  5       2.6     100\n"),
            std::string::npos)
      << r.out;
  r = RunCli(base + " --bets 1:05,1:02,1:03 --json");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  j = nlohmann::json::parse(r.out);
  EXPECT_EQ(j["torigami"], nlohmann::json::array({"単  5       2.6     100"}));
}

TEST(BetCli, SendsOnlyPat98sCurrentDay) {
  TempDir d;
  WriteDay(d / "saved", "20030405");
  // PAT98 has moved on to the next week's guide.
  fixture::GuideRecord next;
  next.date = "20030412";
  next.courseCode = 5;
  Write(d / "PAT98", "UY-A.JRA", BettingGuideBytes(next));
  fs::create_directories(d / "bet");
  auto r = RunCli("bet " + Q(d / "saved") + " --meeting 1 --race 11 --bets 1:05 --send --betdir " + Q(d / "bet") +
                  " --pat98 " + Q(d / "PAT98") + " --home " + Q(d / "home"));
  EXPECT_NE(r.exitCode, 0);
  EXPECT_NE(r.err.find("送出できません"), std::string::npos) << r.err;
  EXPECT_TRUE(text::ListFolder(d / "bet", "*").empty());
}

TEST(BetCli, AdvanceSaleRaceIsWrittenAsRace13) {
  TempDir d;
  const fs::path pat98 = d / "PAT98";
  // Race 3 of the day and race 11 of the next day on advance sale.
  test::RacePlan today;
  today.race = 3;
  test::WriteRace(pat98, today);
  test::RacePlan advance;
  advance.race = 11;
  advance.day = 2;
  advance.horses = 10;
  test::WriteRace(pat98, advance);
  fixture::GuideRecord g;
  g.date = "20030105";
  g.courseCode = 6;
  g.year = 2003;
  g.kai = 1;
  g.day = 1;
  g.saleCodes[3] = 31;
  Write(pat98, "UY-A.JRA", BettingGuideBytes(g));
  g.day = 2;
  g.saleCodes = {};
  g.saleCodes[11] = 31;
  Write(pat98, "UY-D.JRA", BettingGuideBytes(g));
  fs::create_directories(d / "bet");

  auto r = RunCli("bet " + Q(pat98) + " --meeting 1 --race 13 --bets 1:04,4:02-09 --send --betdir " + Q(d / "bet") +
                  " --home " + Q(d / "home"));
  ASSERT_EQ(r.exitCode, 0) << r.err;
  // The window shows the real race number; the file addresses the race as 13.
  EXPECT_NE(r.out.find("中山 1回 2日  11R\n"), std::string::npos) << r.out;
  const std::string text = text::DecodeSjis(ReadAll(d / "bet" / "03010501.BET"));
  EXPECT_EQ(text.rfind("中山 1回 2日  13R\r\n\r\n単  4   ", 0), 0u) << text;
  EXPECT_NE(text.find("\r\n馬  2-9 "), std::string::npos) << text;
}

}  // namespace
}  // namespace tz
