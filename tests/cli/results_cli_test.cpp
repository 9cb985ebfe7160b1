// tazuna98-cli results and results-list on a generated day with results files written for it.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "analysis/pipeline.h"
#include "cli/cli_test.h"
#include "pat98/day_loader.h"
#include "samples/pat98/fixture_results.h"
#include "session.h"
#include "support/fake_port.h"
#include "support/odds_day.h"

namespace tz {
namespace {

using test::RunCli;
using test::ShellQuote;
using test::TempDir;

// The identification of meeting 1's races as the day loader sees them.
fixture::ResultsFile ResultsFor(const std::filesystem::path& folder, int race) {
  Session s;
  s.app.Pat98Folder = s.app.DataFolder = folder;
  test::FakePort port;
  LoadCurrentData(s, port);
  SelectMeeting(s, 1);
  SelectRace(s, port, 4 + race);
  fixture::ResultsFile f;
  f.course = s.race.CurrentCourse;
  f.yearDigit = s.race.OddsHeaderDigit;
  f.kai = s.race.OddsKai;
  f.day = s.race.OddsDay;
  f.race = race;
  f.finishers = {{1, 2, "アイ", "1.34.7"}, {2, 5, "ビイ", "1.34.9"}, {3, 1, "シイ", "1.35.0"}};
  f.win = {{2, 550}};
  f.place = {{2, 200}, {5, 310}, {1, 120}};
  f.bracket = {{1, 3, 1980}};
  f.quinella = {{2, 5, 2340}};
  f.wide = {{2, 5, 800}, {1, 2, 300}, {1, 5, 650}};
  f.scratched = {7};
  return f;
}

TEST(ResultsCli, OneRaceAsTextAndJson) {
  TempDir day;
  test::WriteOddsDay(day.path());
  const fixture::ResultsFile f = ResultsFor(day.path(), 3);
  fixture::WriteResultsFile(day.path(), f);
  const std::string folder = ShellQuote(day.path().string());

  auto text = RunCli("results --data " + folder + " --meeting 1 --race 3");
  ASSERT_EQ(text.exitCode, 0) << text.err;
  EXPECT_NE(text.out.find("芝：良"), std::string::npos) << text.out;
  EXPECT_NE(text.out.find("ｱｲ"), std::string::npos);
  EXPECT_NE(text.out.find("馬連   2-5     2340円"), std::string::npos) << text.out;
  EXPECT_NE(text.out.find("返還馬番 7"), std::string::npos);

  auto js = RunCli("results " + folder + " --meeting 1 --race 3 --json");
  ASSERT_EQ(js.exitCode, 0) << js.err;
  auto j = nlohmann::json::parse(js.out);
  EXPECT_EQ(j["ResultsAvailability"], 31);
  ASSERT_EQ(j["finishers"].size(), 3u);
  EXPECT_EQ(j["finishers"][1]["horse"], 5);
  EXPECT_EQ(j["PayoutCount"], 9);
  EXPECT_EQ(j["ResultEntryCount"], 9 + 36);
  ASSERT_EQ(j["payouts"].size(), 45u);
  const std::string key = (f.course < 10 ? "0" : "") + std::to_string(f.course) + "03";
  EXPECT_EQ(j["payouts"][5]["record"], key + "40205" + "2340  ");
  EXPECT_EQ(j["payouts"][5]["kind"], 4);
  EXPECT_EQ(j["payouts"][5]["payout"], 2340);
  EXPECT_EQ(j["payouts"][5]["refund"], false);
  EXPECT_EQ(j["payouts"][9]["refund"], true);
  EXPECT_EQ(j["payouts"][9]["second"], 7);
  EXPECT_EQ(j["RefundHorses"], "7");
}

TEST(ResultsCli, FailuresAreReportedWithTheirExitCodes) {
  TempDir day;
  test::WriteOddsDay(day.path());
  fixture::ResultsFile f = ResultsFor(day.path(), 3);
  const std::string folder = ShellQuote(day.path().string());
  // No results at all.
  auto none = RunCli("results " + folder + " --meeting 1 --race 3");
  EXPECT_EQ(none.exitCode, 3);
  EXPECT_NE(none.err.find("成績がありません"), std::string::npos) << none.err;
  // A damaged results file: the reader's message.
  std::string bytes = fixture::ResultsFileBytes(f);
  const auto path = fixture::WriteResultsFile(day.path(), f);
  day.Write(path.filename().string(), bytes.substr(0, 200));
  auto bad = RunCli("results " + folder + " --meeting 1 --race 3");
  EXPECT_EQ(bad.exitCode, 1);
  EXPECT_NE(bad.err.find("PAT98対応の結果ﾌｧｲﾙではありません。"), std::string::npos) << bad.err;
  EXPECT_TRUE(bad.out.empty());
  // No such folder.
  auto missing = RunCli("results " + ShellQuote((day.path() / "nothing").string()) + " --meeting 1 --race 1");
  EXPECT_NE(missing.exitCode, 0);
}

TEST(ResultsCli, ResultsListOfTheDay) {
  TempDir day;
  test::WriteOddsDay(day.path());
  fixture::WriteResultsFile(day.path(), ResultsFor(day.path(), 3));
  const std::string folder = ShellQuote(day.path().string());
  auto js = RunCli("results-list --data " + folder + " --json");
  ASSERT_EQ(js.exitCode, 0) << js.err;
  auto j = nlohmann::json::parse(js.out);
  ASSERT_GE(j.size(), 1u);
  const auto& races = j[0]["races"];
  ASSERT_EQ(races.size(), 12u);
  EXPECT_EQ(races[2]["hasResults"], true);
  EXPECT_EQ(races[2]["win"]["numbers"], "2");
  EXPECT_EQ(races[2]["win"]["payout"], "550");
  EXPECT_EQ(races[2]["quinella"]["numbers"], "02-05");
  EXPECT_EQ(races[2]["wide"][2]["numbers"], "01-05");
  EXPECT_EQ(races[2]["finishers"][1]["number"], "5");
  EXPECT_EQ(races[0]["hasResults"], false);
  EXPECT_EQ(races[0]["win"]["numbers"], "");

  auto text = RunCli("results-list " + folder);
  ASSERT_EQ(text.exitCode, 0) << text.err;
  EXPECT_NE(text.out.find(" 3R"), std::string::npos);
  EXPECT_NE(text.out.find("単2 550"), std::string::npos) << text.out;
}

// The real 2008-09-13 JRDB day imported without odds: a race is shown by its results, in text
// and JSON; the race still cannot be analysed.
TEST(ResultsCli, RaceOfADayWithoutOdds) {
  TempDir dir;
  const std::filesystem::path source = std::filesystem::path(TAZUNA_SOURCE_DIR) / "tests" / "data" / "jrdb-20080913";
  auto imported = RunCli("jrdb-import --jrdb " + ShellQuote(source.string()) + " --out " + ShellQuote((dir / "day").string()));
  ASSERT_EQ(imported.exitCode, 0) << imported.err;
  const std::string folder = ShellQuote((dir / "day").string());

  // 中山 7R: 4 won at 6.8 from 5 and 9; 14 was excluded.
  auto js = RunCli("results --data " + folder + " --meeting 2 --race 7 --json");
  ASSERT_EQ(js.exitCode, 0) << js.err;
  auto j = nlohmann::json::parse(js.out);
  EXPECT_EQ(j["race"], "中山 7R");
  EXPECT_EQ(j["withoutOdds"], true);
  EXPECT_EQ(j["ResultsAvailability"], 31);
  ASSERT_GE(j["finishers"].size(), 3u);
  EXPECT_EQ(j["finishers"][0]["horse"], 4);
  EXPECT_EQ(j["finishers"][0]["bracket"], 2);  // 16 runners: two a bracket
  EXPECT_EQ(j["finishers"][1]["horse"], 5);
  EXPECT_EQ(j["finishers"][2]["horse"], 9);
  EXPECT_EQ(j["PayoutCount"], 1);
  EXPECT_EQ(j["payouts"][0]["kind"], 1);
  EXPECT_EQ(j["payouts"][0]["second"], 4);
  EXPECT_EQ(j["payouts"][0]["payout"], 680);
  EXPECT_EQ(j["RefundHorses"], "14");

  auto text = RunCli("results " + folder + " --meeting 2 --race 7");
  ASSERT_EQ(text.exitCode, 0) << text.err;
  EXPECT_NE(text.out.find("中山 7R"), std::string::npos) << text.out;
  EXPECT_NE(text.out.find("単勝     4      680円"), std::string::npos) << text.out;
  EXPECT_NE(text.out.find("返還馬番 14"), std::string::npos) << text.out;
  EXPECT_EQ(text.out.find("馬連"), std::string::npos) << text.out;

  auto analyse = RunCli("analyse " + folder + " --meeting 2 --race 7");
  EXPECT_EQ(analyse.exitCode, 1);
  EXPECT_NE(analyse.err.find("オッズファイルがありません"), std::string::npos) << analyse.err;
}

}  // namespace
}  // namespace tz
