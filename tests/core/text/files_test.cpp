#include "text/files.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace tz::text {
namespace {

using tz::test::ReadAll;
using tz::test::TempDir;

TEST(Files, FindsNamesWithoutRegardToCase) {
  TempDir d;
  d.Write("uy-a.jra", "x");
  d.Write("PBET/keep", "");
  auto p = FindEntry(d.path(), "UY-A.JRA");
  ASSERT_TRUE(p);
  EXPECT_EQ(p->filename(), "uy-a.jra");
  EXPECT_TRUE(FindEntry(d.path(), "pbet"));
  EXPECT_FALSE(FindEntry(d.path(), "UY-B.JRA"));
  EXPECT_FALSE(FindEntry(d.path() / "missing", "x"));
  EXPECT_EQ(ResolveName(d.path(), "NEW.TXT"), d.path() / "NEW.TXT");
  EXPECT_EQ(ResolveName(d.path(), "Uy-A.jra"), d.path() / "uy-a.jra");
}

TEST(Files, ListsInDirectoryOrderWithWildcards) {
  TempDir d;
  for (const char* n : {"zo-b.jra", "ZO-a.JRA", "ZO-10.JRA", "UO-1.JRA", "zo_x.txt"}) d.Write(n, "");
  d.Write("ZO-DIR/x", "");
  std::vector<std::string> want = {"ZO-10.JRA", "ZO-a.JRA", "zo-b.jra"};
  EXPECT_EQ(ListFolder(d.path(), "ZO*.jra"), want);
  EXPECT_EQ(ListFolder(d.path(), "ZO-*", true), std::vector<std::string>{"ZO-DIR"});
  EXPECT_TRUE(ListFolder(d.path() / "none", "*").empty());
  EXPECT_TRUE(MatchesPattern("0105中山11R前日.csv", "*.CSV"));
  EXPECT_TRUE(MatchesPattern("ab", "a?"));
  EXPECT_FALSE(MatchesPattern("abc", "a?"));
}

TEST(Files, AtomicWriteReplacesAndLeavesNoTemporaryFiles) {
  TempDir d;
  auto p = d / "tz98.ini";
  EXPECT_EQ(WriteTextFileAtomic(p, {"[FOLDER]", "Patpath=中山"}), "");
  EXPECT_EQ(ReadAll(p), "[FOLDER]\r\nPatpath=\x92\x86\x8E\x52\r\n");
  EXPECT_EQ(WriteFileAtomic(p, "new"), "");
  EXPECT_EQ(ReadAll(p), "new");
  int entries = 0;
  for (auto& e : std::filesystem::directory_iterator(d.path())) {
    (void)e;
    ++entries;
  }
  EXPECT_EQ(entries, 1);
  // A folder that does not exist reports an error and creates nothing.
  EXPECT_NE(WriteFileAtomic(d / "missing/x.txt", "x"), "");
}

TEST(Files, LineWriterKeepsLinesWrittenBeforeAnError) {
  TempDir d;
  {
    LineWriter w(d / "out.csv");
    ASSERT_TRUE(w.ok());
    EXPECT_TRUE(w.WriteLine("ﾄﾘｹｼ,1"));
    EXPECT_TRUE(w.WriteRaw("end\r"));
  }
  EXPECT_EQ(ReadAll(d / "out.csv"), "\xC4\xD8\xB9\xBC,1\r\nend\r");
  LineWriter bad(d / "no/such/folder.csv");
  EXPECT_FALSE(bad.ok());
  EXPECT_FALSE(bad.WriteLine("x"));
}

}  // namespace
}  // namespace tz::text
