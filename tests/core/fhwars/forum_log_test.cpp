#include "fhwars/forum_log.h"

#include <gtest/gtest.h>

#include "session.h"
#include "support/fake_port.h"
#include "support/temp_dir.h"
#include "text/files.h"
#include "text/sjis.h"

namespace tz {
namespace {

using test::FakePort;
using test::TempDir;
namespace fs = std::filesystem;

struct Folders {
  TempDir dir;
  Session s;
  FakePort port;
  Folders() {
    fs::create_directories(dir / "log");
    fs::create_directories(dir / "out");
    fs::create_directories(dir / "pat98");
    dir.Write("log/Odds.TXT", "x\r\n");
    s.app.Pat98Folder = dir / "pat98";
    s.app.settings.Txtpath = (dir / "log").string();
    s.app.settings.Cnvpath = (dir / "out").string();
  }
};

TEST(WarsConversionChecks, EachFailureShowsItsMessageInOrder) {
  struct Case {
    const char* what;
    std::string textFolder, file, convert;
    std::string message;
  };
  Folders base;
  const std::string log = base.s.app.settings.Txtpath;
  const std::string out = base.s.app.settings.Cnvpath;
  const std::string pat = base.s.app.Pat98Folder.string();
  const std::vector<Case> cases = {
      {"no text folder", "", "", "", kWarsNoTextFolder},
      {"no file name", log, "", "", kWarsNoTextFile},
      {"no receiving folder", log, "odds.txt", "", kWarsNoConvertFolder},
      {"receiving folder is PAT98's", log, "odds.txt", pat, kWarsConvertIsPat98},
      {"PAT98's folder with a trailing slash", log, "odds.txt", pat + "/", kWarsConvertIsPat98},
      {"PAT98's folder through ./", log, "odds.txt", pat + "/./", kWarsConvertIsPat98},
      {"text folder missing", log + "-gone", "odds.txt", out, kWarsTextFolderMissing},
      {"log file missing", log, "other.txt", out, kWarsTextFileMissing},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Folders f;
    f.s.app.Pat98Folder = pat;
    f.s.app.settings.Txtpath = c.textFolder;
    f.s.app.settings.Cnvpath = c.convert;
    EXPECT_FALSE(
        CheckWarsConversion(f.s.app, f.s.wars, f.port, c.file, true, MissingConvertFolder::Refuse));
    ASSERT_EQ(f.port.messages.size(), 1u);
    EXPECT_EQ(f.port.messages[0].text, c.message);
    EXPECT_EQ(f.port.messages[0].title, "Tazuna98");
  }
}

TEST(WarsConversionChecks, PassesWithTheLogNameInAnyCaseAndSetsOverwrite) {
  Folders f;
  EXPECT_TRUE(CheckWarsConversion(f.s.app, f.s.wars, f.port, "odds.txt", true,
                                  MissingConvertFolder::Refuse));
  EXPECT_TRUE(f.port.messages.empty());
  EXPECT_TRUE(f.s.wars.WarsOverwrite);
  EXPECT_TRUE(CheckWarsConversion(f.s.app, f.s.wars, f.port, "ODDS.txt", false,
                                  MissingConvertFolder::Refuse));
  EXPECT_FALSE(f.s.wars.WarsOverwrite);
}

TEST(WarsConversionChecks, MissingReceivingFolderIsCreatedOnlyOnYesWhenOffered) {
  {
    Folders f;
    f.s.app.settings.Cnvpath = (f.dir / "new" / "sub").string();
    EXPECT_FALSE(CheckWarsConversion(f.s.app, f.s.wars, f.port, "odds.txt", false,
                                     MissingConvertFolder::Refuse));
    EXPECT_EQ(f.port.Errors(), std::vector<std::string>{kWarsConvertFolderMissing});
    EXPECT_FALSE(fs::exists(f.dir / "new"));
  }
  {
    Folders f;
    f.s.app.settings.Cnvpath = (f.dir / "new").string();
    f.port.answers = {Answer::No};
    EXPECT_FALSE(CheckWarsConversion(f.s.app, f.s.wars, f.port, "odds.txt", false,
                                     MissingConvertFolder::OfferToCreate));
    ASSERT_EQ(f.port.messages.size(), 1u);
    EXPECT_EQ(f.port.messages[0].text, kWarsCreateFolderQuestion);
    EXPECT_EQ(f.port.messages[0].icon, Icon::Warning);
    EXPECT_FALSE(fs::exists(f.dir / "new"));
  }
  {
    Folders f;
    f.s.app.settings.Cnvpath = (f.dir / "new").string();
    f.port.answers = {Answer::Yes};
    EXPECT_TRUE(CheckWarsConversion(f.s.app, f.s.wars, f.port, "odds.txt", false,
                                    MissingConvertFolder::OfferToCreate));
    EXPECT_TRUE(fs::is_directory(f.dir / "new"));
  }
  {
    // A folder that cannot be made (a file stands in the way) reports the system's error.
    Folders f;
    f.dir.Write("blocker", "x");
    f.s.app.settings.Cnvpath = (f.dir / "blocker" / "sub").string();
    f.port.answers = {Answer::Yes};
    EXPECT_FALSE(CheckWarsConversion(f.s.app, f.s.wars, f.port, "odds.txt", false,
                                     MissingConvertFolder::OfferToCreate));
    ASSERT_EQ(f.port.Errors().size(), 1u);
    EXPECT_FALSE(f.port.Errors()[0].empty());
  }
}

TEST(WriteConvertedFile, KeepsOrReplacesByTheOverwriteChoice) {
  TempDir dir;
  dir.Write("zo-65b.jra", "old");
  WarsState keep;
  ConvertedFile a = WriteConvertedFile(keep, dir.path(), "ZO-65B.JRA", "new");
  EXPECT_EQ(a.outcome, ConvertedFile::Outcome::Kept);
  EXPECT_EQ(test::ReadAll(dir / "zo-65b.jra"), "old");

  WarsState replace;
  replace.WarsOverwrite = true;
  ConvertedFile b = WriteConvertedFile(replace, dir.path(), "ZO-65B.JRA", "new");
  EXPECT_EQ(b.outcome, ConvertedFile::Outcome::Written);
  // The existing name is kept, in its letter case; no second file appears.
  EXPECT_EQ(test::ReadAll(dir / "zo-65b.jra"), "new");
  EXPECT_EQ(text::ListFolder(dir.path(), "*").size(), 1u);

  ConvertedFile c = WriteConvertedFile(keep, dir.path(), "DE-65B.JRA", "card");
  EXPECT_EQ(c.outcome, ConvertedFile::Outcome::Written);
  EXPECT_EQ(test::ReadAll(dir / "DE-65B.JRA"), "card");
}

TEST(WriteConvertedFile, AFailedWriteIsReportedAndLeavesNoFile) {
  TempDir dir;
  WarsState keep;
  ConvertedFile f = WriteConvertedFile(keep, dir / "missing-folder", "ZO-111.JRA", "bytes");
  EXPECT_EQ(f.outcome, ConvertedFile::Outcome::Failed);
  EXPECT_FALSE(f.error.empty());
  EXPECT_FALSE(fs::exists(dir / "missing-folder"));
}

TEST(ReadForumLogLines, SplitsOnCrLfAndLfAndDecodesShiftJis) {
  TempDir dir;
  auto p = dir.Write("log.txt", text::EncodeSjis("中山\r\nline2\nlast"));
  auto lines = ReadForumLogLines(p);
  ASSERT_TRUE(lines.has_value());
  EXPECT_EQ(*lines, (std::vector<std::string>{"中山", "line2", "last"}));
  EXPECT_FALSE(ReadForumLogLines(dir / "none.txt").has_value());
}

}  // namespace
}  // namespace tz
