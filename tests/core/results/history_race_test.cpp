// The voting log on a whole generated day: the votes marked when a race is selected with the
// option to colour the voted combinations, and the history command of the command-line tool.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "analysis/pipeline.h"
#include "core/analysis/sample_day.h"
#include "pat98/day_loader.h"
#include "samples/pat98/fixture_results.h"
#include "samples/pat98/fixture_voting_log.h"
#include "results/history.h"
#include "session.h"
#include "support/fake_port.h"
#include "support/run_command.h"
#include "support/temp_dir.h"

namespace tz {
namespace {

using fixture::LoggedVote;

LoggedVote Vote(int kind, int a, int b, int units, int saleKind = 1) {
  LoggedVote v;
  v.saleKind = saleKind;
  v.course = 6;
  v.race = 5;
  v.kind = kind;
  v.first = a;
  v.second = b;
  v.units = units;
  return v;
}

// The generated day of 5 January 2003 (中山 is meeting 1), with the results of race 5 (ten
// runners) and a voting log: four votes of the day and one bought the day before.
struct VotedDay {
  test::TempDir dir;
  Session s;
  test::FakePort port;

  VotedDay() {
    test::WriteSampleDay(dir.path());
    fixture::ResultsFile f;
    f.course = 6;
    f.yearDigit = 3;
    f.kai = 1;
    f.day = 1;
    f.race = 5;
    f.finishers = {{1, 3, "ウイナー", "1.34.5"}, {2, 7, "セカンド", "1.34.7"}, {3, 1, "サード", "1.34.8"}};
    f.win = {{3, 560}};
    f.place = {{3, 160}, {7, 420}, {1, 250}};
    f.bracket = {{3, 6, 1990}};
    f.quinella = {{3, 7, 12340}};
    f.wide = {{3, 7, 2000}, {1, 3, 400}, {1, 7, 900}};
    fixture::WriteResultsFile(dir.path(), f);
    EXPECT_EQ(fixture::WriteVotingLog(
                  dir.path(), {{"00001", "20030104", {Vote(4, 3, 7, 1, 2)}},
                               {"00002", "20030105", {Vote(1, 0, 3, 2), Vote(2, 0, 5, 3)}},
                               {"00003", "20030105", {Vote(4, 3, 7, 1), Vote(5, 1, 2, 1)}}}),
              "");
    s.app.Pat98Folder = dir.path();
    s.app.DataFolder = dir.path();
    EXPECT_EQ(LoadCurrentData(s, port), 0);
  }

  int RowOf(int horse) const {
    for (int p = 1; p <= s.mainWindow.RunnerCount; ++p) {
      if (s.race.HorseOrder[p] == horse) return p - 1;
    }
    return -1;
  }
  bool QuinellaMarked(int a, int b) const {
    const int ra = RowOf(a), rb = RowOf(b);
    return s.mainWindow.odzuma[std::max(ra, rb)][std::min(ra, rb)].BackColor == colours::kMark;
  }
  bool WinMarked(int h) const { return s.mainWindow.odztan[RowOf(h) + 1].BackColor == colours::kMark; }
};

TEST(HistoryOnSelection, VotedCombinationsMarkedWhenTheOptionIsOn) {
  for (int logColor : {0, 1}) {
    SCOPED_TRACE(logColor);
    VotedDay d;
    d.s.app.settings.LogColor = logColor;
    SelectMeeting(d.s, 1);
    SelectRace(d.s, d.port, 4 + 5);
    ASSERT_EQ(d.s.race.LoadStatus, 0);
    EXPECT_TRUE(d.port.messages.empty());
    EXPECT_FALSE(d.s.results.HistoryOnly);
    EXPECT_EQ(d.WinMarked(3), logColor == 1);
    EXPECT_EQ(d.QuinellaMarked(3, 7), logColor == 1);
    EXPECT_EQ(d.s.mainWindow.WideOdz[std::max(d.RowOf(1), d.RowOf(2))][std::min(d.RowOf(1), d.RowOf(2))].BackColor ==
                  colours::kMark,
              logColor == 1);
    EXPECT_FALSE(d.QuinellaMarked(3, 5));
    EXPECT_FALSE(d.WinMarked(7));
    if (logColor == 1) {
      // Votes only: no result is read, so no vote is decided and no hit is announced.
      EXPECT_EQ(d.s.history.VoteCount, 5);
      EXPECT_EQ(d.s.history.HitListText,
                " 単  3       200 \r\n 複  5       300 \r\n 馬  3- 7    100 \r\n"
                " ワ  1- 2    100 \r\n*馬  3- 7    100 \r\n");
      EXPECT_EQ(d.s.history.HitMessage, "");
    } else {
      EXPECT_EQ(d.s.history.VoteCount, 0);
    }
  }
}

std::string Cli(const std::string& args) {
  return std::string(TAZUNA_CLI_PATH) + " history " + args;
}

TEST(HistoryCli, VotesWithAndWithoutResults) {
  VotedDay d;
  const std::string folder = test::ShellQuote(d.dir.path().string());

  auto r = test::RunCommand(Cli("--data " + folder + " --meeting 1 --race 5 --with-results"));
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out,
            " 単  3       200  ○\n 複  5       300  ×\n 馬  3- 7    100  ○\n"
            " ワ  1- 2    100  ×\n*馬  3- 7    100  ○\n"
            "投票 800\n払戻 25800\n損益 +25000\n万馬券が的中しています！\n");

  r = test::RunCommand(Cli(folder + " --meeting 1 --race 5"));
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out,
            " 単  3       200 \n 複  5       300 \n 馬  3- 7    100 \n"
            " ワ  1- 2    100 \n*馬  3- 7    100 \n");

  r = test::RunCommand(Cli(folder + " --meeting 1 --race 5 --with-results --json"));
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const auto j = nlohmann::json::parse(r.out);
  EXPECT_EQ(j["VoteCount"], 5);
  EXPECT_EQ(j["LogStake"], 800);
  EXPECT_EQ(j["LogReturn"], 25800);
  EXPECT_EQ(j["MaxHitPayout"], 12340);
  EXPECT_EQ(j["VoteList"][4]["saleKind"], "3");
  EXPECT_EQ(j["VoteList"][4]["result"], "1");
  EXPECT_EQ(j["VoteList"][1]["line"], " 複  5       300  ×");

  // Another race of the day: no votes, nothing printed.
  r = test::RunCommand(Cli(folder + " --meeting 1 --race 6 --with-results"));
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out.substr(0, r.out.find("投票")), "");
}

TEST(HistoryCli, DamagedVoteFileFails) {
  VotedDay d;
  d.dir.Write("00003.JRA", "PAT98VOTE   0002    02001106050");
  const auto r = test::RunCommand(Cli(test::ShellQuote(d.dir.path().string()) + " --meeting 1 --race 5"));
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("00003.JRA"), std::string::npos) << r.err;
  EXPECT_EQ(r.out, "");
}

}  // namespace
}  // namespace tz
