#include "betting/bet_file.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

#include <sys/resource.h>

#include "session.h"
#include "support/fake_port.h"
#include "support/temp_dir.h"
#include "text/files.h"
#include "text/sjis.h"

namespace tz {
namespace {

namespace fs = std::filesystem;
using test::FakePort;
using test::ReadAll;
using test::TempDir;

const char* kList =
    "東京 2回 8日  11R\r\n\r\n馬  3-12   12.3     700\r\n単  5       4.5     300\r\n";

BetFileRequest Request(const fs::path& folder, std::string text = kList) {
  BetFileRequest r;
  r.Folder = folder;
  r.GuideDate = "20030405";
  r.Race = 11;
  r.Text = std::move(text);
  return r;
}

TEST(BetFileName, NextNumberOfTheDay) {
  struct Case {
    const char* what;
    std::vector<std::string> present;
    const char* expected;
  };
  const std::vector<Case> cases = {
      {"no file of the day", {}, "03040501.BET"},
      {"after 01 and 02", {"03040501.BET", "03040502.BET"}, "03040503.BET"},
      {"files of other days do not count", {"03040409.BET", "03040601.BET", "03040501.BET"}, "03040502.BET"},
      {"highest + 1, not count + 1", {"03040507.BET"}, "03040508.BET"},
      {"names without a two-digit number are ignored",
       {"030405.BET", "030405AB.BET", "0304051X.BET", "03040502.BET"}, "03040503.BET"},
      {"letter case of the extension", {"03040504.bet"}, "03040505.BET"},
      {"98 is followed by 99", {"03040598.BET"}, "03040599.BET"},
      {"99 is written over", {"03040599.BET", "03040550.BET"}, "03040599.BET"},
  };
  for (const Case& c : cases) {
    TempDir dir;
    for (const std::string& name : c.present) dir.Write(name, "x\r\n");
    EXPECT_EQ(NextBetFileName(dir.path(), "20030405"), c.expected) << c.what;
  }
}

TEST(BetFileName, EveryFileOfTheDayCounts) {
  // Far more than a hundred names of the day, the numbered ones sorting last: a listing cut
  // at a hundred names would miss the highest number and write over an earlier file.
  TempDir dir;
  for (int i = 0; i < 150; ++i) dir.Write("030405-" + std::to_string(i) + ".BET", "");
  for (int i = 1; i <= 40; ++i) dir.Write("030405" + std::string(i < 10 ? "0" : "") + std::to_string(i) + ".BET", "");
  EXPECT_EQ(NextBetFileName(dir.path(), "20030405"), "03040541.BET");
}

TEST(BetFile, WritesTheListAndCrLfInShiftJis) {
  TempDir dir;
  dir.Write("03040501.BET", "old");
  FakePort port;
  fs::path written = WriteBetFile(Request(dir.path()), port, "Tazuna98");
  ASSERT_TRUE(port.messages.empty());
  EXPECT_EQ(written.filename(), "03040502.BET");
  EXPECT_EQ(ReadAll(written), text::EncodeSjis(std::string(kList) + "\r\n"));
  EXPECT_EQ(ReadAll(dir / "03040501.BET"), "old");
}

TEST(BetFile, NinetyNineIsReplaced) {
  TempDir dir;
  dir.Write("03040599.BET", "previous contents that are longer than the new ones ........");
  FakePort port;
  fs::path written = WriteBetFile(Request(dir.path(), "A\r\n"), port, "Tazuna98");
  EXPECT_EQ(written.filename(), "03040599.BET");
  EXPECT_EQ(ReadAll(dir / "03040599.BET"), "A\r\n\r\n");
  EXPECT_EQ(text::ListFolder(dir.path(), "*").size(), 1u);
}

TEST(BetFile, AdvanceSaleRaceIsWrittenAsRace13) {
  struct Case {
    std::string text;
    int race;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"東京 2回 8日  11R\r\n", 11, "東京 2回 8日  13R\r\n"},
      {"東京 2回 8日  11r\r\n", 11, "東京 2回 8日  13R\r\n"},
      // Only the first occurrence changes.
      {"中山 1回 1日  9R\r\n9R\r\n", 9, "中山 1回 1日  13R\r\n9R\r\n"},
      {"東京 2回 8日  11R\r\n", 10, "東京 2回 8日  11R\r\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(AsAdvanceSaleRace(c.text, c.race), c.expected) << c.text;

  TempDir dir;
  FakePort port;
  BetFileRequest r = Request(dir.path());
  r.AdvanceSale = true;
  fs::path written = WriteBetFile(r, port, "Tazuna98");
  EXPECT_EQ(text::DecodeSjis(ReadAll(written)).substr(0, std::string("東京 2回 8日  13R\r\n").size()),
            "東京 2回 8日  13R\r\n");
  // Not the advance-sale race: the label stays.
  r.AdvanceSale = false;
  written = WriteBetFile(r, port, "Tazuna98");
  EXPECT_EQ(written.filename(), "03040502.BET");
  EXPECT_EQ(ReadAll(written), text::EncodeSjis(std::string(kList) + "\r\n"));
}

TEST(BetFile, LineEndsOfAnEditedTextBecomeCrLf) {
  EXPECT_EQ(BetFileBytes("a\nb\rc\r\nd"), "a\r\nb\r\nc\r\nd\r\n");
}

TEST(BetFile, MissingFolderIsReportedAndNothingWritten) {
  TempDir dir;
  FakePort port;
  fs::path written = WriteBetFile(Request(dir / "PBET"), port, "Tazuna98");
  EXPECT_TRUE(written.empty());
  ASSERT_EQ(port.Errors().size(), 1u);
  EXPECT_EQ(port.Errors()[0], "BETﾌｧｲﾙ送出ﾌｫﾙﾀﾞが存在しません。\n\n" + (dir / "PBET").string());
  EXPECT_EQ(port.messages[0].title, "Tazuna98");
  EXPECT_FALSE(fs::exists(dir / "PBET"));
}

TEST(BetFile, FailedWriteLeavesNoFileBehind) {
  // A folder in the way of the file name (not a file, so not counted) makes the final
  // rename fail.
  TempDir dir;
  dir.Write("03040501.BET/keep.txt", "x");
  FakePort port;
  fs::path written = WriteBetFile(Request(dir.path()), port, "Tazuna98");
  EXPECT_TRUE(written.empty());
  ASSERT_EQ(port.Errors().size(), 1u);
  EXPECT_NE(port.Errors()[0].find("03040501.BET"), std::string::npos);
  // Nothing but the folder that was there: no temporary file, no partial .BET file.
  std::vector<std::string> left;
  for (const auto& e : fs::directory_iterator(dir.path())) left.push_back(e.path().filename().string());
  EXPECT_EQ(left, std::vector<std::string>{"03040501.BET"});
  EXPECT_EQ(ReadAll(dir / "03040501.BET" / "keep.txt"), "x");
}

// While alive, files of this process cannot grow beyond `bytes` (writes fail instead), as on
// a full disk.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &old_);
    previous_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = old_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, previous_);
  }

 private:
  rlimit old_{};
  void (*previous_)(int) = nullptr;
};

TEST(BetFile, WriteCutShortKeepsThePreviousFileWhole) {
  TempDir dir;
  dir.Write("03040599.BET", "OLD\r\n");
  std::string longList = "東京 2回 8日  11R\r\n\r\n";
  for (int i = 0; i < 40; ++i) longList += "馬  3-12   12.3     700\r\n";
  FakePort port;
  fs::path written;
  {
    FileSizeLimit limit(100);
    written = WriteBetFile(Request(dir.path(), longList), port, "Tazuna98");
  }
  EXPECT_TRUE(written.empty());
  EXPECT_EQ(port.Errors().size(), 1u);
  EXPECT_EQ(ReadAll(dir / "03040599.BET"), "OLD\r\n");
  std::vector<std::string> left;
  for (const auto& e : fs::directory_iterator(dir.path())) left.push_back(e.path().filename().string());
  EXPECT_EQ(left, std::vector<std::string>{"03040599.BET"});
}

TEST(BetFile, SessionWriterUsesTheBetWindowsRace) {
  TempDir dir;
  Session s;
  s.app.BetFolder = dir.path();
  s.betWindow.Text = "阪神 1回 2日  11R\r\n\r\n単  1       2.0     100\r\n";
  s.betWindow.GuideDate = "20030405";
  s.betWindow.Race = 11;
  s.betWindow.AdvanceSale = true;
  // The selection has moved on since the list was built; the file belongs to the list.
  s.race.GuideDate = "20030406";
  s.race.CurrentRace = 3;
  FakePort port;
  fs::path written = WriteBetFile(s, port);
  EXPECT_EQ(written.filename(), "03040501.BET");
  EXPECT_EQ(s.betWindow.LastBetFile, "03040501.BET");
  EXPECT_EQ(text::DecodeSjis(ReadAll(written)), "阪神 1回 2日  13R\r\n\r\n単  1       2.0     100\r\n\r\n");
}

}  // namespace
}  // namespace tz
