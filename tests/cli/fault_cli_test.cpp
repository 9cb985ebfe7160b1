// tazuna98-cli under faults of its surroundings: folders it may not write, a disk that fills up,
// and runs killed at any moment. Afterwards every file is its old or its complete new version,
// and the next run removes what a killed one left behind.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <map>
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

// Race 3 of the first meeting of WriteOddsDay has 18 horses: its CSV file is a few kilobytes.
const char* const kRace = " --meeting 1 --race 3";

// A day folder and the program folder, both open to every user (the read-only tests run the
// tool as an unprivileged user when the tests run as root).
struct Day {
  TempDir d;
  fs::path day = d / "PAT98";
  fs::path home = d / "home";
  Day() {
    fs::create_directories(day);
    test::WriteOddsDay(day);
    fs::create_directories(home);
    fs::permissions(d.path(), fs::perms::all);
    fs::permissions(home, fs::perms::all);
  }
  std::string Home() const { return " --home " + Q(home); }
};

// The names in `folder` that a writer left as temporary files.
std::vector<std::string> Temporaries(const fs::path& folder) {
  std::vector<std::string> out;
  for (const auto& e : fs::recursive_directory_iterator(folder)) {
    if (e.path().filename().string().rfind(".tmp-", 0) == 0) out.push_back(e.path().string());
  }
  return out;
}

// Runs `command` as a user that cannot write `folder` (made read-only).
test::CommandResult RunWithoutWriteAccess(const fs::path& folder, const std::string& command) {
  fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                              fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
  const std::string prefix = ::geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
  auto r = RunCommand(prefix + command);
  fs::permissions(folder, fs::perms::all);
  return r;
}

TEST(FaultCli, ReadOnlyFoldersAreReportedAndKeepTheirFiles) {
  Day t;
  const fs::path out = t.d / "out", bet = t.d / "bet";
  fs::create_directories(out);
  fs::create_directories(bet);
  t.d.Write("out/0105中山3R.csv", "old export");
  fs::permissions(out / "0105中山3R.csv", fs::perms::all);

  auto r = RunWithoutWriteAccess(out, Cli() + " csv " + Q(t.day) + kRace + " --yes --out " + Q(out));
  EXPECT_NE(r.exitCode, 0);
  EXPECT_NE(r.err.find("ErrorNo.13"), std::string::npos) << r.err;  // EACCES, the real cause
  EXPECT_EQ(ReadAll(out / "0105中山3R.csv"), "old export");

  r = RunWithoutWriteAccess(bet, Cli() + " bet " + Q(t.day) + kRace + " --bets 1:01 --send --betdir " + Q(bet) + t.Home());
  EXPECT_NE(r.exitCode, 0);
  EXPECT_NE(r.err.find("BETﾌｧｲﾙを書き込めませんでした"), std::string::npos) << r.err;
  EXPECT_TRUE(text::ListFolder(bet, "*").empty());

  const fs::path store = t.home / "TZNA";
  ASSERT_EQ(test::RunCli("checklist add KEEP" + t.Home()).exitCode, 0);
  const std::string list = ReadAll(store / "tzcheck.txt");
  r = RunWithoutWriteAccess(store, Cli() + " checklist add NEW" + t.Home());
  EXPECT_NE(r.exitCode, 0);
  EXPECT_NE(r.err.find("ﾁｪｯｸﾘｽﾄを書き込めませんでした"), std::string::npos) << r.err;
  EXPECT_EQ(ReadAll(store / "tzcheck.txt"), list);
}

// A full disk: the tool runs with a file-size limit (RLIMIT_FSIZE) below the export's size.
TEST(FaultCli, ExportOnAFullDiskKeepsTheOldFile) {
  Day t;
  const fs::path out = t.d / "out";
  fs::create_directories(out);
  t.d.Write("out/0105中山3R.csv", "old export");
  const auto r = RunCommand("trap '' XFSZ; ulimit -f 1; " + Cli() + " csv " + Q(t.day) + kRace +
                            " --yes --out " + Q(out));
  EXPECT_NE(r.exitCode, 0);
  EXPECT_NE(r.err.find("ErrorNo.27"), std::string::npos) << r.err;  // EFBIG, not a later errno
  EXPECT_NE(r.err.find("File too large"), std::string::npos) << r.err;
  EXPECT_EQ(ReadAll(out / "0105中山3R.csv"), "old export");
  EXPECT_EQ(Temporaries(out), std::vector<std::string>{});
}

// Runs `command` in the background and kills it with SIGKILL after `ms` milliseconds.
void RunAndKill(const std::string& command, int ms) {
  RunCommand("{ " + command + "; } >/dev/null 2>&1 & p=$!; sleep " + std::to_string(ms / 1000.0) +
             "; kill -9 $p 2>/dev/null; wait $p 2>/dev/null; true");
}

TEST(FaultCli, KilledWritersLeaveOldOrCompleteFiles) {
  Day t;
  const fs::path out = t.d / "out", ref = t.d / "ref", bet = t.d / "bet", conv = t.d / "conv";
  for (const fs::path& f : {out, ref, bet, conv}) fs::create_directories(f);
  const std::string csv = Cli() + " csv " + Q(t.day) + kRace + " --yes --out ";
  ASSERT_EQ(RunCommand(csv + Q(ref)).exitCode, 0);
  const std::string newCsv = ReadAll(ref / "0105中山3R.csv");
  const std::string send = Cli() + " bet " + Q(t.day) + kRace + " --bets 1:01 --send --betdir " + Q(bet) + t.Home();
  ASSERT_EQ(RunCommand(send).exitCode, 0);
  const std::string betBytes = ReadAll(bet / "03010501.BET");
  const fs::path log = t.d / "results.log";
  ASSERT_EQ(RunCommand(Cli() + " fhwars-results --write-sample-log " + Q(log)).exitCode, 0);
  const std::string convert = Cli() + " fhwars-results --log " + Q(log) + " --out " + Q(conv) + " --overwrite";
  ASSERT_EQ(RunCommand(convert).exitCode, 0);
  std::map<std::string, std::string> converted;
  for (const std::string& name : text::ListFolder(conv, "*")) converted[name] = ReadAll(conv / name);
  ASSERT_FALSE(converted.empty());
  fs::remove_all(conv);
  fs::create_directories(conv);
  // Settings with a name of the older section, moved into the check list by the first edit.
  const fs::path store = t.home / "TZNA";
  t.d.Write("home/TZNA/tz98.ini", "[CHECK]\r\nName0=OLDNAME\r\n");
  const std::string oldIni = ReadAll(store / "tz98.ini");

  t.d.Write("out/0105中山3R.csv", "old export");
  std::set<std::string> added;
  for (int i = 0; i < 16; ++i) {
    const int ms = 5 + (i * 37) % 160;
    SCOPED_TRACE("killed after " + std::to_string(ms) + " ms");
    RunAndKill(csv + Q(out), ms);
    const std::string now = ReadAll(out / "0105中山3R.csv");
    EXPECT_TRUE(now == "old export" || now == newCsv) << now.size() << " bytes";

    RunAndKill(send, ms);
    for (const std::string& name : text::ListFolder(bet, "*.BET")) {
      EXPECT_EQ(ReadAll(bet / name), betBytes) << name;
    }

    RunAndKill(convert, ms);
    // Under its real name every file is whole; a killed run's temporary file is left to the
    // next run.
    for (const std::string& name : text::ListFolder(conv, "KS-*")) {
      EXPECT_EQ(ReadAll(conv / name), converted.at(name)) << name;
    }

    const std::string name = "KILL" + std::to_string(i);
    RunAndKill(Cli() + " checklist add " + name + t.Home(), ms);
    added.insert(name);
    // The older section's name is in one of the two files at every moment, and both files are
    // whole: the settings file is its old or its rewritten version.
    const std::string ini = ReadAll(store / "tz98.ini");
    const std::string list = ReadAll(store / "tzcheck.txt");
    EXPECT_TRUE(ini.find("Name0=OLDNAME") != std::string::npos ||
                list.find("\"OLDNAME\"\r\n") != std::string::npos)
        << ini << "\n" << list;
    EXPECT_TRUE(ini == oldIni || ini.find("[RANGE]") != std::string::npos) << ini;
    EXPECT_TRUE(list.empty() || list.substr(list.size() - 2) == "\r\n") << list;
  }
  // The next runs remove what the killed ones left and finish the work.
  ASSERT_EQ(RunCommand(csv + Q(out)).exitCode, 0);
  ASSERT_EQ(RunCommand(send).exitCode, 0);
  ASSERT_EQ(RunCommand(convert).exitCode, 0);
  ASSERT_EQ(test::RunCli("checklist add LAST" + t.Home()).exitCode, 0);
  EXPECT_EQ(Temporaries(out), std::vector<std::string>{});
  EXPECT_EQ(Temporaries(bet), std::vector<std::string>{});
  EXPECT_EQ(Temporaries(conv), std::vector<std::string>{});
  EXPECT_EQ(Temporaries(store), std::vector<std::string>{});
  const std::string list = ReadAll(store / "tzcheck.txt");
  EXPECT_NE(list.find("\"OLDNAME\"\r\n"), std::string::npos) << list;
  EXPECT_NE(list.find("\"LAST\"\r\n"), std::string::npos) << list;
}

}  // namespace
}  // namespace tz
