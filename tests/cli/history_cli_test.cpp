// tazuna98-cli history on a day with a voting log: the votes of a race with and without their
// results, and a damaged vote file.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli/cli_test.h"
#include "support/voted_day.h"

namespace tz {
namespace {

TEST(HistoryCli, VotesWithAndWithoutResults) {
  test::TempDir d;
  test::WriteVotedDay(d.path());
  const std::string folder = test::Q(d.path());

  auto r = test::RunCli("history --data " + folder + " --meeting 1 --race 5 --with-results");
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out,
            " 単  3       200  ○\n 複  5       300  ×\n 馬  3- 7    100  ○\n"
            " ワ  1- 2    100  ×\n*馬  3- 7    100  ○\n"
            "投票 800\n払戻 25800\n損益 +25000\n万馬券が的中しています！\n");

  r = test::RunCli("history " + folder + " --meeting 1 --race 5");
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out,
            " 単  3       200 \n 複  5       300 \n 馬  3- 7    100 \n"
            " ワ  1- 2    100 \n*馬  3- 7    100 \n");

  r = test::RunCli("history " + folder + " --meeting 1 --race 5 --with-results --json");
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
  r = test::RunCli("history " + folder + " --meeting 1 --race 6 --with-results");
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out.substr(0, r.out.find("投票")), "");
}

TEST(HistoryCli, DamagedVoteFileFails) {
  test::TempDir d;
  test::WriteVotedDay(d.path());
  d.Write("00003.JRA", "PAT98VOTE   0002    02001106050");
  const auto r = test::RunCli("history " + test::Q(d.path()) + " --meeting 1 --race 5");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("00003.JRA"), std::string::npos) << r.err;
  EXPECT_EQ(r.out, "");
}

}  // namespace
}  // namespace tz
