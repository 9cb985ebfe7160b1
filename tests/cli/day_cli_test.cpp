// The day, odds and make-sample commands of tazuna98-cli, run as a user runs them.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli/cli_test.h"

namespace tz {
namespace {

using test::RunCli;

const std::string kSample = test::Q(test::SampleData());

TEST(CliDay, DayReportOfTheSampleDay) {
  auto r = RunCli("day " + kSample + " --json");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  auto d = nlohmann::json::parse(r.out);
  EXPECT_EQ(d["date"], "20021020");
  ASSERT_EQ(d["meetings"].size(), 3u);
  const auto& m1 = d["meetings"][0];
  EXPECT_EQ(m1["racecourse"], "東京");
  EXPECT_EQ(m1["kai"], 4);
  EXPECT_EQ(m1["day"], 6);
  EXPECT_EQ(m1["weather"], "晴");
  ASSERT_EQ(m1["races"].size(), 13u);
  EXPECT_EQ(m1["races"][12]["oddsFile"], "ZO-57B.JRA");
  EXPECT_EQ(m1["races"][12]["race"], 11);
  EXPECT_EQ(m1["races"][12]["selectable"], true);
  const auto& m3 = d["meetings"][2];
  EXPECT_EQ(m3["races"][11]["saleCode"], 0);
  EXPECT_EQ(m3["races"][11]["selectable"], false);

  auto text = RunCli("day " + kSample);
  ASSERT_EQ(text.exitCode, 0);
  EXPECT_NE(text.out.find("Meeting 2: 京都 (08) 4回 6日  天候 曇"), std::string::npos) << text.out;
}

TEST(CliDay, OddsOfOneRace) {
  auto r = RunCli("odds " + kSample + " --meeting 1 --race 9 --json");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  auto o = nlohmann::json::parse(r.out);
  EXPECT_EQ(o["race"], 9);
  EXPECT_EQ(o["saleCode"], 31);
  int n = o["horseCount"];
  ASSERT_EQ(o["horses"].size(), static_cast<std::size_t>(n));
  ASSERT_EQ(o["quinella"].size(), static_cast<std::size_t>(n));
  EXPECT_EQ(o["quinella"][0][1], o["quinella"][1][0]);
  EXPECT_EQ(o["wideLow"].size(), static_cast<std::size_t>(n));

  auto adv = RunCli("odds " + kSample + " --meeting 1 --advance --json");
  ASSERT_EQ(adv.exitCode, 0) << adv.err;
  EXPECT_EQ(nlohmann::json::parse(adv.out)["advanceSale"], true);

  auto text = RunCli("odds " + kSample + " --meeting 2 --race 4");
  ASSERT_EQ(text.exitCode, 0) << text.err;
  EXPECT_NE(text.out.find("sale code 7"), std::string::npos);
}

TEST(CliDay, ErrorsGoToStderrWithANonZeroExit) {
  struct Case {
    std::string args;
    std::string message;
  };
  const std::vector<Case> cases = {
      {"day /nonexistent/folder", "folder not found"},
      {"odds " + kSample + " --meeting 4 --race 1", "meeting 4 is not on this day"},
      {"odds " + kSample + " --meeting 3 --race 12", "not on sale"},
      {"odds " + kSample + " --meeting 1", "--race 1..12 or --advance"},
      {"odds " + kSample + " --meeting 2 --advance", "no advance-sale odds file"},
      {"make-sample /tmp --date 2002", "yyyymmdd"},
  };
  for (const Case& c : cases) {
    auto r = RunCli(c.args);
    EXPECT_NE(r.exitCode, 0) << c.args;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << c.args << ": " << r.err;
    EXPECT_EQ(r.out, "") << c.args;
  }
}

TEST(CliDay, MakeSampleThenOddsOnlyFolderNeedsYes) {
  test::TempDir dir;
  auto made = RunCli("make-sample '" + (dir.path() / "day").string() + "' --seed 7 --date 20030105");
  ASSERT_EQ(made.exitCode, 0) << made.err;
  auto day = RunCli("day '" + (dir.path() / "day").string() + "' --json");
  ASSERT_EQ(day.exitCode, 0) << day.err;
  EXPECT_EQ(nlohmann::json::parse(day.out)["date"], "20030105");

  // Without the guides the report declines the pseudo guide unless told otherwise.
  for (const char* g : {"UY-A.JRA", "UY-B.JRA", "UY-C.JRA", "UY-D.JRA"}) {
    std::filesystem::remove(dir.path() / "day" / g);
  }
  auto no = RunCli("day '" + (dir.path() / "day").string() + "'");
  EXPECT_NE(no.exitCode, 0);
  EXPECT_NE(no.err.find("擬似投票要項を作成しますか？ -> No"), std::string::npos) << no.err;
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "day" / "UY-A.JRA"));
  auto yes = RunCli("day '" + (dir.path() / "day").string() + "' --yes --json");
  ASSERT_EQ(yes.exitCode, 0) << yes.err;
  EXPECT_EQ(nlohmann::json::parse(yes.out)["meetings"].size(), 3u);
}

TEST(CliDay, GarbageFilesGiveAClearError) {
  test::TempDir dir;
  auto made = RunCli("make-sample '" + dir.path().string() + "'");
  ASSERT_EQ(made.exitCode, 0) << made.err;
  dir.Write("ZO-561.JRA", "20021020 garbage");
  auto r = RunCli("odds '" + dir.path().string() + "' --meeting 1 --race 1");
  EXPECT_NE(r.exitCode, 0);
  EXPECT_NE(r.err.find("オッズファイルが壊れています。"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace tz
