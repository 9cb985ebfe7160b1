// tazuna98-cli contest on a generated racing day: one rule, the automatic mode, the JSON report
// and the refusals.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli/cli_test.h"
#include "exports/contest.h"
#include "pat98/day_loader.h"
#include "session.h"
#include "support/fake_port.h"
#include "text/files.h"

namespace tz {
namespace {

namespace fs = std::filesystem;
using test::RunCli;
using test::ShellQuote;
using test::TempDir;

class ContestCli : public test::OddsDayCliTest {
 protected:
  // The contest command on the suite's day with its own program folder.
  std::string Contest(const std::string& args) const {
    return "contest --data " + Folder() + " --home " + ShellQuote(home_.path().string()) + " " + args;
  }
  std::string Out() const { return "--out " + ShellQuote(out_.path().string()); }
  TempDir home_, out_;
};

TEST_F(ContestCli, OneRuleWritesTheSameFileAsTheProgram) {
  auto res = RunCli(Contest(Out() + " --axis q --rank 1 --partner F --form B"));
  ASSERT_EQ(res.exitCode, 0) << res.err;
  const fs::path file = out_.path() / "P030105Q1FB.txt";
  ASSERT_TRUE(fs::exists(file));
  EXPECT_NE(res.out.find(file.string()), std::string::npos) << res.out;
  EXPECT_NE(res.out.find("(36 races)"), std::string::npos) << res.out;

  Session s;
  test::FakePort port;
  s.app.Pat98Folder = s.app.DataFolder = DayFolder();
  TempDir mine;
  s.app.settings.CSVpath = mine.path().string();
  ASSERT_EQ(LoadCurrentData(s, port), 0);
  const auto own = ExportContestEntries(s, port, {kContestQ, 1, kContestF, kContestBox});
  EXPECT_EQ(test::ReadAll(file), test::ReadAll(own.File));
}

TEST_F(ContestCli, AutomaticModeReportsEveryFileAsJson) {
  auto res = RunCli(Contest(Out() + " --auto --axes TQ --ranks 2 --partners W --forms NB --json"));
  ASSERT_EQ(res.exitCode, 0) << res.err;
  const auto j = nlohmann::json::parse(res.out);
  EXPECT_EQ(j["date"], "20030105");
  std::vector<std::string> rules;
  for (const auto& f : j["files"]) {
    rules.push_back(f["rule"]);
    EXPECT_EQ(f["raceLines"], 36);
    EXPECT_FALSE(f["failed"].get<bool>());
    EXPECT_TRUE(fs::exists(f["file"].get<std::string>()));
  }
  EXPECT_EQ(rules, (std::vector<std::string>{"T2WN", "Q2WN", "T2WB", "Q2WB"}));
}

TEST_F(ContestCli, RefusalsAndErrors) {
  struct Case {
    std::string args;
    int exitCode;
    std::string message;
  };
  const std::vector<Case> cases = {
      // No export folder in the settings and none given.
      {"--axis T --rank 1 --partner F --form N", 1, ".CSV.TXT出力ﾌｫﾙﾀﾞを指定されていません。"},
      {"--out /nonexistent/contest --axis T", 1, "ﾌｧｲﾙ出力ﾌｫﾙﾀﾞが存在しません。"},
      {Out() + " --axis X", 2, "invalid rule"},
      {Out() + " --rank 6", 2, "invalid rule"},
      {Out() + " --auto --axes TX", 2, "invalid list"},
      // The automatic mode with no partner indicator ticked (the settings hold none).
      {Out() + " --auto --axes T --ranks 1 --forms N", 2, "選択されていない項目があります。"},
  };
  for (const auto& c : cases) {
    auto res = RunCli(Contest(c.args));
    EXPECT_EQ(res.exitCode, c.exitCode) << c.args << "\n" << res.err;
    EXPECT_NE(res.err.find(c.message), std::string::npos) << c.args << "\n" << res.err;
  }
  EXPECT_TRUE(text::ListFolder(out_.path(), "*").empty());
}

}  // namespace
}  // namespace tz
