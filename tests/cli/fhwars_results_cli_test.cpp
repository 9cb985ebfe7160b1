// tazuna98-cli fhwars-results, run as a user runs it.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "cli/cli_test.h"
#include "samples/fhwars/fixture_results_log.h"

namespace tz {
namespace {

namespace fs = std::filesystem;
using test::ReadAll;
using test::RunCli;
using test::ShellQuote;
using test::TempDir;

fixture::ForumResultsPosting Posting(int race, bool withWide) {
  fixture::ForumResultsPosting p;
  p.withWide = withWide;
  p.year = 2003;
  p.month = 5;
  p.dayOfMonth = 10;
  p.kai = 2;
  p.course = 5;
  p.day = 8;
  p.race = race;
  p.title = "テスト特別";
  p.finishers = {{1, "", 3, "サクラローレル", "1.33.5"}, {2, "", 1, "ホクトベガ", "1.33.6"}};
  p.win = {{3, 0, 450}};
  p.place = {{3, 0, 160}, {1, 0, 220}};
  p.bracket = {{1, 3, 1250}};
  p.quinella = {{1, 3, 2340}};
  if (withWide) p.wide = {{1, 3, 780}};
  return p;
}

TEST(WarsResultsCli, ConvertsKeepsAndOverwrites) {
  TempDir d;
  fs::path log = d.Write("results.log", fixture::ResultsLogBytes({Posting(11, true), Posting(12, false)}));
  fs::create_directories(d / "out");
  const std::string args = "--log " + ShellQuote(log.string()) + " --out " + ShellQuote((d / "out").string());

  auto r = RunCli("fhwars-results " + args);
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("2 postings: 2 written, 0 kept, 0 not converted"), std::string::npos) << r.out;
  EXPECT_NE(r.err.find("2ﾌｧｲﾙ処理しました。"), std::string::npos) << r.err;
  EXPECT_EQ(ReadAll(d / "out" / "KS-5328B.JRA").size(), 702u);
  EXPECT_EQ(ReadAll(d / "out" / "KS-5328C.JRA").size(), 562u);

  // Existing files are kept unless --overwrite is given.
  d.Write("out/KS-5328B.JRA", "old");
  r = RunCli("fhwars-results " + args + " --json");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  auto j = nlohmann::json::parse(r.out);
  EXPECT_EQ(j["postings"], 2);
  EXPECT_EQ(j["kept"], 2);
  EXPECT_TRUE(j["written"].empty());
  EXPECT_EQ(ReadAll(d / "out" / "KS-5328B.JRA"), "old");

  r = RunCli("fhwars-results " + args + " --overwrite --json");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  j = nlohmann::json::parse(r.out);
  EXPECT_EQ(j["written"], (nlohmann::json{"KS-5328B.JRA", "KS-5328C.JRA"}));
  EXPECT_EQ(ReadAll(d / "out" / "KS-5328B.JRA").size(), 702u);
}

TEST(WarsResultsCli, RefusalsAndUnconvertedPostingsFail) {
  TempDir d;
  std::vector<std::string> cut = fixture::ResultsPostingLines(Posting(10, true));
  cut.resize(8);
  fs::path log = d.Write("results.log", fixture::ResultsLogBytes({Posting(11, true)}) + fixture::JoinLogLines(cut));
  fs::create_directories(d / "out");

  struct Case {
    std::string args;
    int exitCode;
    const char* err;
  } cases[] = {
      {"--log " + ShellQuote(log.string()) + " --out " + ShellQuote((d / "missing").string()), 1,
       "擬似ﾌｧｲﾙ格納ﾌｫﾙﾀﾞが存在しません"},
      {"--log " + ShellQuote((d / "none.log").string()) + " --out " + ShellQuote((d / "out").string()), 1,
       "ﾃｷｽﾄﾌｧｲﾙが存在しません"},
      {"--out " + ShellQuote((d / "out").string()), 1, "--log and --out are required"},
      // The cut posting is named; the complete one is written.
      {"--log " + ShellQuote(log.string()) + " --out " + ShellQuote((d / "out").string()), 2, "KS-5328A.JRA"},
  };
  for (const Case& c : cases) {
    auto r = RunCli("fhwars-results " + c.args);
    EXPECT_EQ(r.exitCode, c.exitCode) << c.args << "\n" << r.err;
    EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
  }
  EXPECT_FALSE(fs::exists(d / "missing"));
  EXPECT_TRUE(fs::exists(d / "out" / "KS-5328B.JRA"));
  EXPECT_FALSE(fs::exists(d / "out" / "KS-5328A.JRA"));
}

TEST(WarsResultsCli, WritesTheExampleLog) {
  TempDir d;
  auto r = RunCli("fhwars-results --write-sample-log " + ShellQuote((d / "log.txt").string()));
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(ReadAll(d / "log.txt"), fixture::SampleResultsLogBytes());
}

}  // namespace
}  // namespace tz
