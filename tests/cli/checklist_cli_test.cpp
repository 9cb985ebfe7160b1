// tazuna98-cli checklist: adding, listing and removing names of the check list.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli/cli_test.h"
#include "text/sjis.h"

namespace tz {
namespace {

using test::ReadAll;
using test::ShellQuote;
using test::TempDir;

// The checklist command on a program folder of its own.
struct Cli {
  TempDir home;
  test::CommandResult Run(const std::string& args) const {
    return test::RunCli("checklist --home " + test::Q(home.path()) + " " + args);
  }
  std::string File() const { return ReadAll(home / "TZNA" / "tzcheck.txt"); }
};

TEST(CheckListCli, AddListRemove) {
  Cli c;
  auto r = c.Run("add " + ShellQuote("ﾀﾞｲﾜﾒｼﾞｬｰ") + " --colour 1");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  r = c.Run("add " + ShellQuote(" 武豊 "));
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(c.File(), text::EncodeSjis("1,\"ﾀﾞｲﾜﾒｼﾞｬｰ\"\r\n0,\"武豊\"\r\n"));

  // A name already on the list, a box that does not exist, no name: refused, file untouched.
  for (const char* args : {"add 武豊 --colour 1", "add X --colour 2", "add", "remove ｷﾀｻﾝ", "frobnicate"}) {
    r = c.Run(args);
    EXPECT_NE(r.exitCode, 0) << args;
    EXPECT_FALSE(r.err.empty()) << args;
  }
  EXPECT_EQ(c.File(), text::EncodeSjis("1,\"ﾀﾞｲﾜﾒｼﾞｬｰ\"\r\n0,\"武豊\"\r\n"));

  r = c.Run("list");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "1\tﾀﾞｲﾜﾒｼﾞｬｰ\n0\t武豊\n");

  r = c.Run("remove ﾀﾞｲﾜﾒｼﾞｬｰ --json");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  auto j = nlohmann::json::parse(r.out);
  ASSERT_EQ(j["entries"].size(), 1u);
  EXPECT_EQ(j["entries"][0]["name"], "武豊");
  EXPECT_EQ(j["entries"][0]["box"], 0);
  EXPECT_EQ(j["boxColours"], nlohmann::json::parse("[255, 255]"));
  EXPECT_EQ(c.File(), text::EncodeSjis("0,\"武豊\"\r\n"));
}

TEST(CheckListCli, NamesFromTheSettingsFileMoveOverOnce) {
  Cli c;
  c.home.Write("TZNA/tz98.ini", text::EncodeSjis("[CHECK]\r\nName0=ｵｸﾞﾘｷｬｯﾌﾟ\r\n[OPTION]\r\nMoney=300\r\n"));
  auto r = c.Run("list");
  EXPECT_EQ(r.out, "0\tｵｸﾞﾘｷｬｯﾌﾟ\n");
  // Listing writes nothing.
  EXPECT_FALSE(std::filesystem::exists(c.home / "TZNA" / "tzcheck.txt"));

  r = c.Run("add ABC");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(c.File(), text::EncodeSjis("0,\"ｵｸﾞﾘｷｬｯﾌﾟ\"\r\n0,\"ABC\"\r\n"));
  r = c.Run("list");
  EXPECT_EQ(r.out, "0\tｵｸﾞﾘｷｬｯﾌﾟ\n0\tABC\n");
  // The other settings are kept.
  EXPECT_NE(ReadAll(c.home / "TZNA" / "tz98.ini").find("Money=300"), std::string::npos);
}

TEST(CheckListCli, UnreadableFileIsNotTouched) {
  Cli c;
  std::string big = "0,\"KEEP\"\r\n" + std::string(9u << 20, 'x');
  c.home.Write("TZNA/tzcheck.txt", big);
  auto r = c.Run("add ABC");
  EXPECT_NE(r.exitCode, 0);
  EXPECT_NE(r.err.find("ﾁｪｯｸﾘｽﾄを読み込めませんでした"), std::string::npos) << r.err;
  EXPECT_EQ(c.File(), big);
}

}  // namespace
}  // namespace tz
