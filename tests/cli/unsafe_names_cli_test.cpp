// File names made from what the day's files say: a guide date or a vote-file name that holds a
// path must never place a file outside the folder it is meant for.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "cli/cli_test.h"
#include "support/odds_day.h"

namespace tz {
namespace {

namespace fs = std::filesystem;
using test::Q;
using test::RunCli;
using test::TempDir;

// Every regular file under `root`, as paths relative to it.
std::set<std::string> FilesUnder(const fs::path& root) {
  std::set<std::string> out;
  for (const auto& e : fs::recursive_directory_iterator(root)) {
    if (e.is_regular_file()) out.insert(fs::relative(e.path(), root).string());
  }
  return out;
}

TEST(UnsafeNamesCli, GuideDateThatIsNotADateRefusesTheDay) {
  for (const std::string date : {"20../abc", "2002../x", "20/tmp/x", "2002102\\"}) {
    SCOPED_TRACE(date);
    TempDir d;
    const fs::path day = d / "work" / "PAT98";
    fs::create_directories(d / "work" / "bets" / "PBET");
    fs::create_directories(d / "work" / "out");
    fs::create_directories(day);
    test::WriteOddsDay(day, date);
    const std::set<std::string> before = FilesUnder(d.path());
    const std::string home = " --home " + Q(d / "work" / "home");
    // The csv command reads no settings.

    const std::string commands[] = {
        "bet " + Q(day) + " --meeting 1 --race 11 --bets 1:05 --send --betdir " +
            Q(d / "work" / "bets" / "PBET"),
        "csv " + Q(day) + " --meeting 1 --race 11 --yes --out " + Q(d / "work" / "out"),
        "longshots " + Q(day) + " --yes --out " + Q(d / "work" / "out"),
        "predicted " + Q(day) + " --yes --out " + Q(d / "work" / "out"),
        "contest " + Q(day) + " --yes --axis T --rank 1 --partner F --form N --out " +
            Q(d / "work" / "out"),
    };
    for (const std::string& c : commands) {
      const auto r = RunCli(c.rfind("csv ", 0) == 0 ? c : c + home);
      EXPECT_NE(r.exitCode, 0) << c << "\n" << r.out;
      EXPECT_NE(r.err.find("投票要項の日付が正しくありません"), std::string::npos) << c << "\n" << r.err;
    }
    // Nothing was written anywhere but the program folder.
    std::set<std::string> after;
    for (const std::string& f : FilesUnder(d.path())) {
      if (f.rfind("work/home/", 0) != 0) after.insert(f);
    }
    EXPECT_EQ(after, before);
  }
}

}  // namespace
}  // namespace tz
