// tazuna98-cli jrdb-import, run as a user runs it: the real day of base odds, a season with a
// broken day, and the refusals with their exit status.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli/cli_test.h"
#include "samples/jrdb_fixtures.h"
#include "text/files.h"

namespace tz {
namespace {

using test::Q;
using test::RunCli;
namespace fs = std::filesystem;
namespace fx = tz::fixture::jrdb;

const fs::path kReal2002 = test::SampleData("real-20020908") / "jrdb";

std::string Oz(const fx::Key& k, int runners) {
  fx::BaseOdds o;
  o.key = k;
  o.win.assign(runners, "4.0");
  o.place.assign(runners, "1.6");
  o.quinella.assign(153, "15.0");
  return fx::BaseOddsLine(o);
}

TEST(CliJrdbImport, RealDayWithJsonReport) {
  test::TempDir dir;
  auto r = RunCli("jrdb-import --jrdb " + Q(kReal2002) + " --out " + Q(dir / "day") + " --json");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  auto j = nlohmann::json::parse(r.out);
  ASSERT_EQ(j["days"].size(), 1u);
  const auto& d = j["days"][0];
  EXPECT_EQ(d["date"], "20020908");
  EXPECT_EQ(d["ok"], true);
  EXPECT_EQ(d["meetings"], 3);
  EXPECT_EQ(d["races"], 36);
  EXPECT_EQ(d["runners"], 478);
  EXPECT_EQ(d["results"], 0);
  EXPECT_EQ(d["payouts"], 0);
  EXPECT_TRUE(fs::exists(dir / "day" / "jrdb" / "OZ020908.txt"));

  // The day opens like any data folder.
  auto day = RunCli("day " + Q(dir / "day") + " --json");
  ASSERT_EQ(day.exitCode, 0) << day.err;

  // Text output names the counts; a second run without --overwrite refuses and keeps the day.
  auto again = RunCli("jrdb-import --jrdb " + Q(kReal2002) + " --out " + Q(dir / "day"));
  EXPECT_NE(again.exitCode, 0);
  EXPECT_NE(again.err.find("UY-A.JRA"), std::string::npos) << again.err;
  auto over = RunCli("jrdb-import --jrdb " + Q(kReal2002) + " --out " + Q(dir / "day") + " --overwrite");
  ASSERT_EQ(over.exitCode, 0) << over.err;
  EXPECT_NE(over.out.find("2002-09-08: 3開催 36ﾚｰｽ 478頭"), std::string::npos) << over.out;
}

// The committed real day is what make-sample --from-jrdb writes through the import.
TEST(CliJrdbImport, MakeSampleFromJrdbIsTheCommittedRealDay) {
  test::TempDir dir;
  auto r = RunCli("make-sample " + Q(dir / "day") + " --from-jrdb " + Q(kReal2002));
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const fs::path committed = test::SampleData("real-20020908");
  int files = 0;
  for (const auto& e : fs::recursive_directory_iterator(dir / "day")) {
    if (!e.is_regular_file()) continue;
    ++files;
    const fs::path rel = fs::relative(e.path(), dir / "day");
    EXPECT_EQ(test::ReadAll(e.path()), test::ReadAll(committed / rel)) << rel;
  }
  EXPECT_EQ(files, 3 + 36 * 3 + 5);  // guides, odds, quinella/wide and race cards, 5 JRDB files
}

TEST(CliJrdbImport, SeasonReportsTheBrokenDayAndImportsTheOthers) {
  test::TempDir src, store;
  fx::WriteFiles(src.path(), {{"OZ080913.TXT", fx::FileBytes({Oz({6, 8, 4, 1, 1}, 9)})},
                              {"OZ080914.TXT", fx::FileBytes({Oz({6, 8, 4, 2, 1}, 9).substr(0, 50)})},
                              {"OZ080920.TXT", fx::FileBytes({Oz({6, 8, 4, 3, 1}, 9)})}});
  auto r = RunCli("jrdb-import --jrdb " + Q(src.path()) + " --out " + Q(store.path()) + " --all --json");
  EXPECT_EQ(r.exitCode, 1);
  auto j = nlohmann::json::parse(r.out);
  ASSERT_EQ(j["days"].size(), 3u);
  EXPECT_EQ(j["days"][0]["ok"], true);
  EXPECT_EQ(j["days"][1]["ok"], false);
  EXPECT_EQ(j["days"][2]["ok"], true);
  EXPECT_NE(r.err.find("OZ080914.TXT 1行目"), std::string::npos) << r.err;
  EXPECT_TRUE(fs::exists(store / "2008-09-13" / "UY-A.JRA"));
  EXPECT_TRUE(fs::exists(store / "2008-09-20" / "ZO-631.JRA"));
  EXPECT_FALSE(fs::exists(store / "2008-09-14"));
}

TEST(CliJrdbImport, BadInputFailsWithAMessage) {
  test::TempDir dir;
  const fs::path empty = dir / "empty";
  fs::create_directories(empty);
  fx::WriteFiles(dir / "mixed", {{"OZ080913.TXT", fx::FileBytes({Oz({6, 8, 4, 1, 1}, 9)})},
                                 {"kab080914.txt", "x"}});
  fx::WriteFiles(dir / "good", {{"OZ080913.TXT", fx::FileBytes({Oz({6, 8, 4, 1, 1}, 9)})}});
  dir.Write("file", "not a folder");
  struct Case {
    std::string args;
    std::string message;
  };
  const std::vector<Case> cases = {
      {"--jrdb " + Q(empty) + " --out " + Q(dir / "o1"), "JRDBのﾃﾞｰﾀﾌｧｲﾙがありません"},
      {"--jrdb " + Q(dir / "mixed") + " --out " + Q(dir / "o2"), "2008091"},
      {"--jrdb " + Q(dir / "good") + " --out " + Q(dir / "file" / "day"), "ﾌｫﾙﾀﾞを作れません"},
      {"--jrdb " + Q(dir / "good"), "--out"},
  };
  for (const Case& c : cases) {
    auto r = RunCli("jrdb-import " + c.args);
    EXPECT_NE(r.exitCode, 0) << c.args;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << c.args << ": " << r.err;
  }
  EXPECT_FALSE(fs::exists(dir / "o1"));
  EXPECT_FALSE(fs::exists(dir / "o2"));
}

}  // namespace
}  // namespace tz
