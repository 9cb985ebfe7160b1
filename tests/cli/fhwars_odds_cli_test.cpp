// tazuna98-cli fhwars-odds, run as a user runs it: the bundled example log converted into a
// folder that then loads as a day, the overwrite choice, and the refusals.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli/cli_test.h"
#include "samples/fhwars/fixture_odds_log.h"
#include "samples/pat98/sample_day.h"
#include "text/files.h"
#include "text/sjis.h"

namespace tz {
namespace {

using test::RunCli;
using test::ShellQuote;
namespace fs = std::filesystem;

const fs::path kExampleLog = test::SampleData("fhwars") / "odds-log.txt";

TEST(CliWarsOdds, TheBundledExampleIsTheGeneratedLog) {
  test::TempDir dir;
  auto r = RunCli("fhwars-odds --write-sample-log " + ShellQuote((dir / "log.txt").string()));
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("35 postings"), std::string::npos) << r.out;
  EXPECT_EQ(test::ReadAll(dir / "log.txt"), test::ReadAll(kExampleLog));
}

TEST(CliWarsOdds, ConvertsTheExampleIntoADayThatLoads) {
  test::TempDir dir;
  const std::string out = (dir / "converted").string();  // created by the command
  auto r = RunCli("fhwars-odds --log " + ShellQuote(kExampleLog.string()) + " --out " +
                  ShellQuote(out) + " --json");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  auto j = nlohmann::json::parse(r.out);
  EXPECT_EQ(j["postings"], 35);
  EXPECT_EQ(j["converted"], 35);
  EXPECT_TRUE(j["skipped"].empty());
  EXPECT_NE(r.err.find("35ﾌｧｲﾙ処理しました。"), std::string::npos) << r.err;
  EXPECT_EQ(text::ListFolder(out, "DE-*.JRA").size(), 35u);
  EXPECT_EQ(text::ListFolder(out, "ZO-*.JRA").size(), 35u);
  // The races of sale code 7 in the generated day are posted without quinella odds.
  std::size_t quinellaRaces = 0;
  for (const SampleRace& race : BuildSampleDay(1).races) {
    quinellaRaces += !race.advanceSale && race.saleCode != 0 && race.quinella.has_value();
  }
  EXPECT_EQ(text::ListFolder(out, "UO-*.JRA").size(), quinellaRaces);

  // The folder loads as a day once the pseudo guide is built, and its odds are those posted.
  auto day = RunCli("day " + ShellQuote(out) + " --yes --json");
  ASSERT_EQ(day.exitCode, 0) << day.err;
  auto d = nlohmann::json::parse(day.out);
  EXPECT_EQ(d["date"], "20021020");
  ASSERT_EQ(d["meetings"].size(), 3u);
  EXPECT_EQ(d["meetings"][1]["racecourse"], "東京");
  auto odds = RunCli("odds " + ShellQuote(out) + " --meeting 2 --race 11 --json");
  auto sample = RunCli("odds " + test::Q(test::SampleData()) + " --meeting 1 --race 11 --json");
  ASSERT_EQ(odds.exitCode, 0) << odds.err;
  ASSERT_EQ(sample.exitCode, 0) << sample.err;
  auto a = nlohmann::json::parse(odds.out);
  auto b = nlohmann::json::parse(sample.out);
  EXPECT_EQ(a["horseCount"], b["horseCount"]);
  EXPECT_EQ(a["horses"], b["horses"]);
  EXPECT_EQ(a["scratched"], b["scratched"]);
  EXPECT_EQ(a["title"], b["title"]);
}

TEST(CliWarsOdds, KeepsExistingFilesUnlessAskedToOverwrite) {
  test::TempDir dir;
  dir.Write("log/odds.txt", fixture::ForumOddsLogBytes({fixture::MakeForumPosting(6)}));
  dir.Write("out/ZO-65B.JRA", "old");
  const std::string args = "fhwars-odds --log " + ShellQuote((dir / "log" / "odds.txt").string()) +
                           " --out " + ShellQuote((dir / "out").string());
  auto keep = RunCli(args);
  ASSERT_EQ(keep.exitCode, 0) << keep.err;
  EXPECT_NE(keep.out.find("kept"), std::string::npos);
  EXPECT_EQ(test::ReadAll(dir / "out" / "ZO-65B.JRA"), "old");
  auto replace = RunCli(args + " --overwrite");
  ASSERT_EQ(replace.exitCode, 0) << replace.err;
  EXPECT_EQ(test::ReadAll(dir / "out" / "ZO-65B.JRA").size(), 829u);
}

TEST(CliWarsOdds, RefusalsAndUnreadablePostingsExitNonZero) {
  test::TempDir dir;
  auto missing = RunCli("fhwars-odds --log " + ShellQuote((dir / "none.txt").string()) +
                        " --out " + ShellQuote((dir / "out").string()));
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.err.find("ﾃｷｽﾄﾌｧｲﾙが存在しません"), std::string::npos) << missing.err;

  auto noArgs = RunCli("fhwars-odds");
  EXPECT_NE(noArgs.exitCode, 0);
  EXPECT_NE(noArgs.err.find("--log and --out are required"), std::string::npos);

  fixture::ForumOddsPosting bad = fixture::MakeForumPosting(6);
  bad.postedHorseCount = 19;
  dir.Write("log.txt", fixture::ForumOddsLogBytes({fixture::MakeForumPosting(6), bad}));
  auto partly = RunCli("fhwars-odds --log " + ShellQuote((dir / "log.txt").string()) +
                       " --out " + ShellQuote((dir / "out").string()));
  EXPECT_EQ(partly.exitCode, 2);
  EXPECT_NE(partly.err.find("2件目の発言"), std::string::npos) << partly.err;
  EXPECT_NE(partly.out.find("2 postings: 1 converted, 1 not converted"), std::string::npos) << partly.out;
}

}  // namespace
}  // namespace tz
