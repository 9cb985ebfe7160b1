// Two runs of tazuna98-cli at the same moment on the same files: nothing either of them wrote
// may be lost.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "cli/cli_test.h"
#include "support/odds_day.h"
#include "text/files.h"

namespace tz {
namespace {

namespace fs = std::filesystem;
using test::Q;
using test::ReadAll;
using test::RunCommand;
using test::Cli;
using test::TempDir;

struct Together {
  std::string outA, outB;  // stdout and stderr of each, each run followed by "rc=<status>"
};

// Runs the two shell command lists (each ending in ";") as two processes at once and waits for
// both.
Together RunTogether(const TempDir& d, const std::string& a, const std::string& b) {
  const fs::path fa = d / "run-a.txt", fb = d / "run-b.txt";
  const std::string line = "{ " + a + " } >" + Q(fa) + " 2>&1 & { " + b + " } >" + Q(fb) +
                           " 2>&1 & wait";
  RunCommand(line);
  return {ReadAll(fa), ReadAll(fb)};
}

// The lines of `text` that start with `prefix`, without it.
std::vector<std::string> LinesAfter(const std::string& text, const std::string& prefix) {
  std::vector<std::string> out;
  std::size_t at = 0;
  while ((at = text.find(prefix, at)) != std::string::npos) {
    const std::size_t end = text.find('\n', at);
    out.push_back(text.substr(at + prefix.size(), end - at - prefix.size()));
    at = end;
  }
  return out;
}

TEST(ConcurrentCli, TwoSendsAtOnceWriteTwoFiles) {
  TempDir d;
  const fs::path day = d / "PAT98";
  fs::create_directories(day);
  test::WriteOddsDay(day);
  fs::create_directories(d / "bet");
  constexpr int kRounds = 6;
  // Each process sends kRounds lists one after the other, so that the two meet on the same
  // next number again and again.
  auto sender = [&](const std::string& who) {
    const std::string one = Cli() + " bet " + Q(day) + " --meeting 1 --race 11 --bets 1:0" + who +
                            " --send --betdir " + Q(d / "bet") + " --home " + Q(d / ("home" + who)) +
                            "; echo rc=$?";
    std::string loop;
    for (int i = 0; i < kRounds; ++i) loop += one + "; ";
    return loop;
  };
  const Together t = RunTogether(d, sender("1"), sender("2"));
  std::set<std::string> reported;
  for (const std::string* out : {&t.outA, &t.outB}) {
    EXPECT_EQ(LinesAfter(*out, "rc="), std::vector<std::string>(kRounds, "0")) << *out;
    for (const std::string& w : LinesAfter(*out, "written: ")) reported.insert(w);
  }
  const std::vector<std::string> files = text::ListFolder(d / "bet", "*");
  EXPECT_EQ(files.size(), 2u * kRounds);
  EXPECT_EQ(reported.size(), 2u * kRounds);
  for (const std::string& f : files) {
    EXPECT_TRUE(reported.count((d / "bet" / f).string())) << f;
    EXPECT_NE(ReadAll(d / "bet" / f).find("\r\n"), std::string::npos) << f;
  }
  // Nothing but the .BET files: no temporary file is left.
  EXPECT_EQ(text::ListFolder(d / "bet", "*.BET").size(), files.size());
}

TEST(ConcurrentCli, TwoCheckListEditorsAtOnceKeepEveryName) {
  TempDir d;
  const fs::path home = d / "home";
  fs::create_directories(home);
  constexpr int kNames = 15;
  auto adder = [&](const std::string& who) {
    std::string loop;
    for (int i = 0; i < kNames; ++i) {
      loop += Cli() + " checklist add " + who + std::to_string(i) + " --home " + Q(home) + "; echo rc=$?; ";
    }
    return loop;
  };
  const Together t = RunTogether(d, adder("ALPHA"), adder("BETA"));
  EXPECT_EQ(LinesAfter(t.outA, "rc="), std::vector<std::string>(kNames, "0")) << t.outA;
  EXPECT_EQ(LinesAfter(t.outB, "rc="), std::vector<std::string>(kNames, "0")) << t.outB;

  const auto r = test::RunCli("checklist list --home " + Q(home));
  ASSERT_EQ(r.exitCode, 0) << r.err;
  std::set<std::string> names;
  for (const std::string& line : LinesAfter(r.out, "0\t")) names.insert(line);
  std::set<std::string> want;
  for (int i = 0; i < kNames; ++i) {
    want.insert("ALPHA" + std::to_string(i));
    want.insert("BETA" + std::to_string(i));
  }
  EXPECT_EQ(names, want);
}

}  // namespace
}  // namespace tz
