// tazuna98-cli analyse and csv on a generated racing day.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "analysis/pipeline.h"
#include "cli/cli_test.h"
#include "exports/csv_export.h"
#include "pat98/day_loader.h"
#include "pat98/file_names.h"
#include "samples/pat98/sample_day.h"
#include "session.h"
#include "snapshot/base_snapshot.h"
#include "support/fake_port.h"
#include "support/snapshot_day.h"

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

// --base: an earlier snapshot of the sample day gives every value a JRDB file holding the same
// odds gives; the header and the JSON name the base.
TEST(AnalyseCliBase, SnapshotBaseEqualsAJrdbFileOfTheSameOdds) {
  TempDir dir;
  ASSERT_EQ(test::WriteSnapshotAndJrdb(dir / "snap", dir / "jrdb"), "");
  const std::string day = test::Q(test::SampleData());
  for (const char* race : {"--meeting 1 --race 11", "--meeting 2 --race 3", "--meeting 3 --race 7",
                           "--meeting 1 --advance"}) {
    SCOPED_TRACE(race);
    auto byJrdb = RunCli("analyse " + day + " " + race + " --json --jrdb " + test::Q(dir / "jrdb"));
    auto bySnapshot = RunCli("analyse " + day + " " + race + " --json --base " + test::Q(dir / "snap") +
                             " --jrdb " + test::Q(test::SampleData() / "jrdb"));
    ASSERT_EQ(byJrdb.exitCode, 0) << byJrdb.err;
    ASSERT_EQ(bySnapshot.exitCode, 0) << bySnapshot.err;
    auto a = nlohmann::json::parse(byJrdb.out);
    auto b = nlohmann::json::parse(bySnapshot.out);
    EXPECT_EQ(a["BaseSource"], "jrdb");
    EXPECT_EQ(b["BaseSource"], "snapshot");
    EXPECT_EQ(b["BaseCaption"], "基準 10時5分ｽﾅｯﾌﾟｼｮｯﾄ");
    EXPECT_EQ(b["JrdbLoaded"], -1);
    for (auto* j : {&a, &b}) {
      j->erase("BaseSource");
      j->erase("BaseCaption");
    }
    EXPECT_EQ(a, b);
  }
  auto text = RunCli("analyse " + day + " --meeting 1 --race 11 --base " + test::Q(dir / "snap"));
  ASSERT_EQ(text.exitCode, 0) << text.err;
  EXPECT_NE(text.out.find("現在  基準 10時5分ｽﾅｯﾌﾟｼｮｯﾄ\n"), std::string::npos) << text.out;
  EXPECT_NE(text.out.find("基単  基複"), std::string::npos) << text.out;
}

TEST(AnalyseCliBase, RefusesAnotherDayAndARaceTheSnapshotLacks) {
  TempDir dir;
  ASSERT_EQ(WriteSampleDay(BuildSampleDay(1, "20021027"), dir / "next"), "");
  const SampleDay earlier = test::EarlierSnapshot();
  ASSERT_EQ(WriteSampleDay(earlier, dir / "snap"), "");
  const SampleRace& gone = earlier.races[10];  // 11R of the first meeting
  ASSERT_EQ(gone.race, 11);
  std::filesystem::remove(dir / "snap" / RaceFileName("ZO-", gone.course, gone.day, gone.race));
  const std::string day = test::Q(test::SampleData());
  struct Case {
    std::string command;
    int exitCode;
    const char* message;
  };
  const std::vector<Case> cases = {
      {"analyse " + day + " --meeting 1 --race 11 --base " + test::Q(dir / "next"), 2, kBaseOtherDayMessage},
      {"csv " + day + " --meeting 1 --race 11 --out " + test::Q(dir.path()) + " --base " + test::Q(dir / "next"), 2,
       kBaseOtherDayMessage},
      {"longshots " + day + " --json --base " + test::Q(dir / "next"), 2, kBaseOtherDayMessage},
      {"predicted " + day + " --json --base " + test::Q(dir / "missing"), 2, kBaseNoGuideMessage},
      {"analyse " + day + " --meeting 1 --race 11 --base " + test::Q(dir / "snap"), 1, kBaseNoRaceMessage},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    auto r = RunCli(c.command);
    EXPECT_EQ(r.exitCode, c.exitCode);
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
  }
  // The day-wide lists run over the snapshot, the race it lacks without base odds.
  auto r = RunCli("longshots " + day + " --json --base " + test::Q(dir / "snap"));
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.err, "");
  auto base = RunCli("csv " + day + " --meeting 1 --race 10 --out " + test::Q(dir.path()) + " --base " +
                     test::Q(dir / "snap"));
  EXPECT_EQ(base.exitCode, 0) << base.err;
}

}  // namespace
}  // namespace tz
