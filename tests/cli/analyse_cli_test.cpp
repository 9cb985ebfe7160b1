// tazuna98-cli analyse and csv on a generated racing day.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "analysis/pipeline.h"
#include "cli/cli_test.h"
#include "exports/csv_export.h"
#include "pat98/day_loader.h"
#include "session.h"
#include "support/fake_port.h"

namespace tz {
namespace {

using test::RunCli;
using test::ShellQuote;
using test::TempDir;

class AnalyseCli : public test::OddsDayCliTest {};

TEST_F(AnalyseCli, EveryRaceOfTheDayPrintsItsTable) {
  for (int m = 1; m <= 3; ++m) {
    for (int r = 1; r <= 12; ++r) {
      SCOPED_TRACE(testing::Message() << m << " " << r);
      auto res = RunCli("analyse " + Folder() + " --meeting " + std::to_string(m) +
                        " --race " + std::to_string(r));
      ASSERT_EQ(res.exitCode, 0) << res.err;
      EXPECT_NE(res.out.find("レース分類 "), std::string::npos) << res.out;
      EXPECT_NE(res.out.find(std::to_string(r) + "R"), std::string::npos);
    }
  }
}

TEST_F(AnalyseCli, JsonCarriesTheValuesOfTheInProcessAnalysis) {
  auto res = RunCli("analyse " + Folder() + " --meeting 1 --race 4 --json");
  ASSERT_EQ(res.exitCode, 0) << res.err;
  const auto j = nlohmann::json::parse(res.out);

  Session s;
  test::FakePort port;
  s.app.Pat98Folder = s.app.DataFolder = DayFolder();
  ASSERT_EQ(LoadCurrentData(s, port), 0);
  SelectMeeting(s, 1);
  SelectRace(s, port, 8);
  ASSERT_EQ(s.race.LoadStatus, 0);
  const int n = s.race.HorseCount;
  ASSERT_EQ(j["HorseCount"], n);
  EXPECT_EQ(j["ScratchedCount"], 1);  // race 4 of every meeting has horse 2 scratched
  for (int p = 1; p <= n; ++p) EXPECT_EQ(j["HorseOrder"][p - 1], s.race.HorseOrder[p]);
  EXPECT_EQ(j["SyntheticWinText"][1], "999.9");
  EXPECT_EQ(j["RaceTypeCode"], s.analysis.RaceTypeCode);
  EXPECT_EQ(j["UpsetValue"], s.analysis.UpsetValue);
  EXPECT_EQ(j["FirstCut"], s.analysis.FirstCut);
  EXPECT_EQ(j["SecondCut"], s.analysis.SecondCut);
  EXPECT_EQ(j["GapGroups"][1][1], s.analysis.GapGroups[1][1]);
  EXPECT_DOUBLE_EQ(j["QuinellaShare"][0].get<double>(), s.analysis.QuinellaShare[1]);
  EXPECT_DOUBLE_EQ(j["PairScore"][0].get<double>(), s.analysis.PairScore[1]);
  for (const char* key : {"WideShare", "RValue", "WValue", "FValue", "TValue", "ZValue",
                          "PredictionRow", "KaburiDegree", "UnderTenShift", "BracketShare"}) {
    EXPECT_TRUE(j.contains(key)) << key;
  }
  EXPECT_EQ(j["PredictionRow"].size(), static_cast<std::size_t>(n));
}

TEST_F(AnalyseCli, CsvCommandWritesTheSameFileAsTheButton) {
  TempDir out;
  auto res = RunCli("csv " + Folder() + " --meeting 3 --race 1 --out " +
                    ShellQuote(out.path().string()));
  ASSERT_EQ(res.exitCode, 0) << res.err;
  const auto path = out.path() / "0105小倉1R.csv";
  const std::string written = test::ReadAll(path);
  ASSERT_FALSE(written.empty());

  Session s;
  test::FakePort port;
  s.app.Pat98Folder = s.app.DataFolder = DayFolder();
  ASSERT_EQ(LoadCurrentData(s, port), 0);
  SelectMeeting(s, 3);
  SelectRace(s, port, 5);
  TempDir mine;
  s.app.settings.CSVpath = mine.path().string();
  ASSERT_EQ(ExportRaceCsv(s, port), mine.path() / "0105小倉1R.csv");
  EXPECT_EQ(test::ReadAll(mine.path() / "0105小倉1R.csv"), written);

  // A second run asks before overwriting: without --yes the answer is No and the file stays.
  std::filesystem::resize_file(path, 3);
  res = RunCli("csv " + Folder() + " --meeting 3 --race 1 --out " +
               ShellQuote(out.path().string()));
  EXPECT_NE(res.exitCode, 0);
  EXPECT_EQ(std::filesystem::file_size(path), 3u);
  res = RunCli("csv " + Folder() + " --meeting 3 --race 1 --yes --out " +
               ShellQuote(out.path().string()));
  EXPECT_EQ(res.exitCode, 0);
  EXPECT_EQ(test::ReadAll(path), written);
}

TEST_F(AnalyseCli, RacesThatCannotBeShownFail) {
  auto res = RunCli("analyse " + Folder() + " --meeting 1 --race 1 --advance");
  EXPECT_NE(res.exitCode, 0);  // no advance-sale race on this day
  TempDir empty;
  res = RunCli("analyse " + ShellQuote(empty.path().string()) + " --meeting 1 --race 1");
  EXPECT_NE(res.exitCode, 0);
  res = RunCli("analyse " + Folder() + " --meeting 4 --race 1");
  EXPECT_NE(res.exitCode, 0);
}

}  // namespace
}  // namespace tz
