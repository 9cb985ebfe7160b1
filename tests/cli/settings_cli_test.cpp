// tazuna98-cli settings: the effective settings of a program folder.
#include <gtest/gtest.h>

#include "cli/cli_test.h"
#include "text/sjis.h"

namespace tz {
namespace {

using test::Q;
using test::RunCli;
using test::TempDir;

TEST(SettingsCli, PrintsTheEffectiveSettings) {
  TempDir d;
  d.Write("TZNA/tz98.ini", text::EncodeSjis("[OPTION]\r\nMoney=300\r\nCnRank=9\r\n[FOLDER]\r\nCSVpath=/tmp/出力\r\n"));
  auto r = RunCli("settings --home " + Q(d.path()));
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("OPTION.Money=300\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("OPTION.CnRank=5\n"), std::string::npos);
  EXPECT_NE(r.out.find("OPTION.Limit=1000\n"), std::string::npos);
  EXPECT_NE(r.out.find("FOLDER.CSVpath=/tmp/出力\n"), std::string::npos);
  EXPECT_NE(r.out.find("RANGE.Range5=30000\n"), std::string::npos);
  EXPECT_NE(r.out.find("WINDOW.Win5Top=2650\n"), std::string::npos);
}

TEST(SettingsCli, UnknownCommandFails) {
  auto r = RunCli("no-such-command");
  EXPECT_NE(r.exitCode, 0);
}

}  // namespace
}  // namespace tz
