// tazuna98-cli backtest over saved days: the saved days of the store root by default, the
// same JSON with one job and with four, broken days reported in the JSON, CSV and the table.
#include <nlohmann/json.hpp>

#include "cli_test.h"
#include "samples/pat98/sample_day.h"
#include "samples/pat98/sample_results.h"

namespace tz::test {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

// A program folder whose store root holds two generated days with results and a dated folder
// that is no day.
class BacktestCliTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    home_ = std::make_unique<TempDir>();
    const fs::path store = home_->path() / "TZNA";
    for (unsigned seed : {5u, 6u}) {
      const std::string date = "2002110" + std::to_string(seed);
      const SampleDay day = BuildSampleDay(seed, date);
      const fs::path folder = store / ("2002-11-0" + std::to_string(seed));
      ASSERT_EQ(WriteSampleDay(day, folder), "");
      ASSERT_EQ(WriteSampleResults(day, folder), "");
    }
    fs::create_directories(store / "2002-11-07");
  }
  static void TearDownTestSuite() { home_.reset(); }
  static std::string Home() { return "--home " + Q(home_->path()); }
  static fs::path Store() { return home_->path() / "TZNA"; }

 private:
  static inline std::unique_ptr<TempDir> home_;
};

TEST_F(BacktestCliTest, JsonIsTheSameWithOneJobAndWithFour) {
  const auto one = RunCli("backtest --json --jobs 1 " + Home());
  const auto four = RunCli("backtest --json --jobs 4 " + Home());
  ASSERT_EQ(one.exitCode, 0) << one.err;
  ASSERT_EQ(four.exitCode, 0) << four.err;
  EXPECT_EQ(one.out, four.out);

  const json j = json::parse(one.out);
  EXPECT_EQ(j["days"], 2);
  EXPECT_GT(j["races"].get<int>(), 40);
  // The empty dated folder is reported as a day that was left out.
  bool brokenDay = false;
  for (const auto& k : j["skipped"]) {
    EXPECT_TRUE(k.contains("folder") && k.contains("meeting") && k.contains("race") && k.contains("reason"));
    if (fs::path(k["folder"].get<std::string>()).filename() == "2002-11-07") {
      brokenDay = true;
      EXPECT_EQ(k["reason"], "no racing day");
      EXPECT_EQ(k["meeting"], 0);
    }
  }
  EXPECT_TRUE(brokenDay);
  // Every group of the four kinds, with its pool and figures.
  std::set<std::string> groups;
  for (const auto& g : j["groups"]) {
    groups.insert(g["group"].get<std::string>() + "/" + g["pool"].get<std::string>());
    EXPECT_EQ(g["stake"].get<long>(), 100 * g["bets"].get<long>());
    EXPECT_LE(g["hits"].get<int>(), g["bets"].get<int>());
  }
  for (const char* g : {"★/win", "★/place", "F1/win", "W5/place", "Q1QN/quinella", "T2ZN/quinella"}) {
    EXPECT_TRUE(groups.count(g)) << g;
  }
  EXPECT_EQ(j["perDay"].size(), 2u);
}

TEST_F(BacktestCliTest, FoldersGivenAreTheOnlyDays) {
  const auto r = RunCli("backtest --json " + Q(Store() / "2002-11-05") + " " + Home());
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const json j = json::parse(r.out);
  EXPECT_EQ(j["days"], 1);
  EXPECT_EQ(j["perDay"][0]["date"], "2002-11-05");

  // Nothing but broken days: reported, and the exit code says nothing was scored.
  const auto none = RunCli("backtest --json " + Q(Store() / "2002-11-07") + " " + Home());
  EXPECT_EQ(none.exitCode, 1);
  EXPECT_EQ(json::parse(none.out)["skipped"].size(), 1u);
}

TEST_F(BacktestCliTest, CsvAndTableShowTheSameGroups) {
  const auto csv = RunCli("backtest --csv " + Home());
  const auto table = RunCli("backtest " + Home());
  ASSERT_EQ(csv.exitCode, 0) << csv.err;
  ASSERT_EQ(table.exitCode, 0) << table.err;
  EXPECT_EQ(csv.out.rfind("group,pool,races,bets,hits,stake,return,回収率,的中率\n", 0), 0u);
  EXPECT_NE(csv.out.find("\nQ1QN,quinella,"), std::string::npos);
  EXPECT_NE(table.out.find("days 2  races "), std::string::npos);
  EXPECT_NE(table.out.find("skipped " + (Store() / "2002-11-07").string() + " 0-0: no racing day"),
            std::string::npos);
  // One table line per CSV line after the header.
  const auto lines = [](const std::string& s, const std::string& prefix) {
    int n = 0;
    for (std::size_t at = 0; (at = s.find("\n" + prefix, at)) != std::string::npos; ++at) ++n;
    return n;
  };
  EXPECT_EQ(lines(csv.out, "T1"), lines(table.out, "T1"));
  // The progress line is only drawn on a terminal.
  EXPECT_EQ(table.err.find("elapsed"), std::string::npos);
}

TEST_F(BacktestCliTest, RefusesContradictoryOptions) {
  EXPECT_EQ(RunCli("backtest --json --csv " + Home()).exitCode, 2);
  EXPECT_EQ(RunCli("backtest --jobs -1 " + Home()).exitCode, 2);
}

}  // namespace
}  // namespace tz::test
