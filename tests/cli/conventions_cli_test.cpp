// What every command of tazuna98-cli shares: the day's folder given as --data DIR or as the
// first word after the command, and messages on stderr with their line breaks, each ending its
// line.
#include <gtest/gtest.h>

#include "cli/cli_test.h"

namespace tz {
namespace {

using test::Q;
using test::RunCli;
using test::TempDir;

TEST(CliConventions, TheDayFolderIsAnOptionOrTheFirstWord) {
  TempDir home;
  const std::string day = Q(test::SampleData());
  const std::string h = " --home " + Q(home.path());
  struct Case {
    std::string command, args;
  };
  for (const Case& c : std::vector<Case>{
           {"day", "--json"},
           {"odds", "--meeting 1 --race 11"},
           {"analyse", "--meeting 2 --race 3"},
           {"bet", "--meeting 1 --race 11 --bets 1:05,4:01-03" + h},
           {"results", "--meeting 1 --race 4 --json"},
           {"results-list", ""},
           {"history", "--meeting 1 --race 11 --with-results"},
           {"longshots", "--json" + h},
           {"predicted", "--json" + h},
       }) {
    SCOPED_TRACE(c.command);
    const auto asOption = RunCli(c.command + " --data " + day + " " + c.args);
    const auto asWord = RunCli(c.command + " " + day + " " + c.args);
    ASSERT_EQ(asOption.exitCode, 0) << asOption.err;
    EXPECT_EQ(asWord.exitCode, 0) << asWord.err;
    EXPECT_FALSE(asOption.out.empty());
    EXPECT_EQ(asWord.out, asOption.out);
  }

  // The commands that write files write the same ones.
  TempDir a, b;
  for (const std::string& command :
       {std::string("csv --meeting 1 --race 11 --out "), "contest --axis q --rank 1 --partner F --form B" + h + " --out "}) {
    SCOPED_TRACE(command);
    const std::string name = command.substr(0, command.find(' '));
    std::filesystem::create_directories(a / name);
    std::filesystem::create_directories(b / name);
    ASSERT_EQ(RunCli(name + " --data " + day + command.substr(name.size()) + Q(a / name)).exitCode, 0);
    ASSERT_EQ(RunCli(name + " " + day + command.substr(name.size()) + Q(b / name)).exitCode, 0);
    std::size_t files = 0;
    for (const auto& e : std::filesystem::directory_iterator(a / name)) {
      EXPECT_EQ(test::ReadAll(e.path()), test::ReadAll(b / name / e.path().filename())) << e.path();
      ++files;
    }
    EXPECT_GT(files, 0u);
  }

  // make-sample: the folder it writes, either way.
  EXPECT_EQ(RunCli("make-sample --out " + Q(a / "made")).exitCode, 0);
  EXPECT_EQ(RunCli("make-sample " + Q(b / "made")).exitCode, 0);
  EXPECT_EQ(test::ReadAll(a / "made" / "ZO-57B.JRA"), test::ReadAll(b / "made" / "ZO-57B.JRA"));
  EXPECT_FALSE(test::ReadAll(a / "made" / "ZO-57B.JRA").empty());
}

TEST(CliConventions, MessagesKeepTheirLineBreaksAndEndTheirLine) {
  TempDir out;
  const std::string day = Q(test::SampleData());
  // "ﾌｧｲﾙ出力ﾌｫﾙﾀﾞが存在しません。", an empty line, the folder.
  const std::string missing = (out / "none").string();
  auto r = RunCli("longshots --data " + day + " --out " + Q(missing));
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("ﾌｧｲﾙ出力ﾌｫﾙﾀﾞが存在しません。\n\n" + missing + "\n"), std::string::npos) << r.err;

  // A question and its answer on one line.
  ASSERT_EQ(RunCli("csv --data " + day + " --meeting 3 --race 1 --out " + Q(out.path())).exitCode, 0);
  r = RunCli("csv --data " + day + " --meeting 3 --race 1 --out " + Q(out.path()));
  EXPECT_NE(r.err.find("\n\nﾌｧｲﾙは既に存在します。上書きしますか？ -> No\n"), std::string::npos) << r.err;

  // Whatever a command says ends its line, refusals of the command line included.
  for (const std::string& args : {"odds --data " + day + " --meeting 3 --race 12",
                                  "results --data " + Q(out / "nowhere") + " --meeting 1 --race 1",
                                  "longshots --data " + day + " --out " + Q(missing), std::string("day")}) {
    r = RunCli(args);
    EXPECT_NE(r.exitCode, 0) << args;
    ASSERT_FALSE(r.err.empty()) << args;
    EXPECT_EQ(r.err.back(), '\n') << args << ": " << r.err;
    EXPECT_EQ(r.err.find('\r'), std::string::npos) << args;
  }
}

}  // namespace
}  // namespace tz
