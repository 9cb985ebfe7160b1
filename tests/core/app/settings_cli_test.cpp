#include <gtest/gtest.h>

#include "support/run_command.h"
#include "support/temp_dir.h"
#include "text/sjis.h"

namespace tz {
namespace {

using test::RunCommand;
using test::ShellQuote;
using test::TempDir;

TEST(SettingsCli, PrintsTheEffectiveSettings) {
  TempDir d;
  d.Write("TZNA/tz98.ini", text::EncodeSjis("[OPTION]\r\nMoney=300\r\nCnRank=9\r\n[FOLDER]\r\nCSVpath=/tmp/出力\r\n"));
  auto r = RunCommand(std::string(TAZUNA_CLI_PATH) + " settings --home " + ShellQuote(d.path().string()));
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("OPTION.Money=300\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("OPTION.CnRank=5\n"), std::string::npos);
  EXPECT_NE(r.out.find("OPTION.Limit=1000\n"), std::string::npos);
  EXPECT_NE(r.out.find("FOLDER.CSVpath=/tmp/出力\n"), std::string::npos);
  EXPECT_NE(r.out.find("RANGE.Range5=30000\n"), std::string::npos);
  EXPECT_NE(r.out.find("WINDOW.Win5Top=2650\n"), std::string::npos);
}

TEST(SettingsCli, UnknownCommandFails) {
  auto r = RunCommand(std::string(TAZUNA_CLI_PATH) + " no-such-command");
  EXPECT_NE(r.exitCode, 0);
}

}  // namespace
}  // namespace tz
