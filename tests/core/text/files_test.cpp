#include "text/files.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>

#include <chrono>

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

TEST(Files, FolderIndexAnswersAsTheFileSystemFromOneListing) {
  TempDir d;
  d.Write("zo-1.jra", "x");
  d.Write("ZO-1.JRA", "x");
  d.Write("ka-annai.jra", "x");
  d.Write("SUB/x", "");
  // A folder last changed an hour ago: its listing is trusted.
  fs::last_write_time(d.path(), fs::file_time_type::clock::now() - std::chrono::hours(1));

  FolderIndex index;
  for (const char* name : {"ZO-1.JRA", "zo-1.jra", "Zo-1.Jra", "KA-ANNAI.JRA", "sub", "SUB",
                           "sub/x", "SUB/x", "missing", ".", ""}) {
    auto entry = FindEntry(d.path(), name);
    EXPECT_EQ(index.Find(d.path(), name), entry) << name;
    EXPECT_EQ(index.FindFile(d.path(), name), entry && FileExists(*entry) ? entry : std::nullopt)
        << name;
    EXPECT_EQ(index.Resolve(d.path(), name), ResolveName(d.path(), name)) << name;
    // The answers as text are the same paths' texts.
    const auto file = index.FindFile(d.path(), name);
    EXPECT_EQ(index.FindFilePath(d.path(), name),
              file ? std::optional<std::string>(file->native()) : std::nullopt)
        << name;
    EXPECT_EQ(index.ResolvePath(d.path(), name), ResolveName(d.path(), name).native()) << name;
  }
  EXPECT_EQ(index.ListingsMade(), 1);
  EXPECT_FALSE(index.Find(d.path() / "missing", "x"));

  // The program's own write is seen at the next lookup.
  ASSERT_EQ(WriteFileAtomic(d.path() / "KS-1.JRA", "r"), "");
  EXPECT_EQ(index.FindFile(d.path(), "ks-1.jra"), d.path() / "KS-1.JRA");
  EXPECT_EQ(index.ListingsMade(), 2);

  // A folder given with a separator at its end joins its names as the path does.
  const fs::path slash = d.path() / "";
  for (const char* name : {"zo-1.jra", "Ka-Annai.jra", "sub", "missing"}) {
    EXPECT_EQ(index.Resolve(slash, name), ResolveName(slash, name)) << name;
    EXPECT_EQ(index.ResolvePath(slash, name), ResolveName(slash, name).native()) << name;
    EXPECT_EQ(index.Find(slash, name), FindEntry(slash, name)) << name;
  }
}

TEST(Files, FolderIndexDoesNotTrustAListingOfAFolderJustChanged) {
  TempDir d;
  d.Write("a.txt", "");
  FolderIndex index;
  const auto stamp = fs::last_write_time(d.path());
  EXPECT_FALSE(index.Find(d.path(), "B.TXT"));
  // A file added in the same tick of the file-system clock leaves the folder's time as it was.
  d.Write("b.txt", "");
  fs::last_write_time(d.path(), stamp);
  EXPECT_EQ(index.Find(d.path(), "B.TXT"), d.path() / "b.txt");
}

// Within one view the folder is taken as it was at the first lookup; after it, as it is now.
TEST(Files, FolderIndexKeepsOneStateOfAFolderWithinAView) {
  TempDir d;
  d.Write("ZO-1.JRA", "x");
  fs::last_write_time(d.path(), fs::file_time_type::clock::now() - std::chrono::hours(1));
  FolderIndex index;
  {
    FolderIndex::SameView view(index);
    EXPECT_EQ(index.FindFile(d.path(), "zo-1.jra"), d.path() / "ZO-1.JRA");
    d.Write("ZO-2.JRA", "x");  // arrives during the action
    fs::remove(d.path() / "ZO-1.JRA");
    {
      FolderIndex::SameView inner(index);  // nested: still the same view
      EXPECT_EQ(index.FindFile(d.path(), "zo-1.jra"), d.path() / "ZO-1.JRA");
    }
    EXPECT_FALSE(index.FindFile(d.path(), "zo-2.jra"));
    // Forget drops the listing at once, view or not.
    index.Forget(d.path());
    EXPECT_EQ(index.FindFile(d.path(), "zo-2.jra"), d.path() / "ZO-2.JRA");
    EXPECT_FALSE(index.FindFile(d.path(), "zo-1.jra"));
    d.Write("ZO-3.JRA", "x");
    EXPECT_FALSE(index.FindFile(d.path(), "zo-3.jra"));
  }
  EXPECT_EQ(index.ListingsMade(), 2);
  // The view has ended: the next lookup sees the folder's change.
  EXPECT_EQ(index.FindFile(d.path(), "zo-3.jra"), d.path() / "ZO-3.JRA");
  {
    FolderIndex::SameView next(index);  // a new view reads the folder's time again
    d.Write("ZO-4.JRA", "x");
    fs::last_write_time(d.path(), fs::file_time_type::clock::now() - std::chrono::minutes(30));
    EXPECT_EQ(index.FindFile(d.path(), "zo-4.jra"), d.path() / "ZO-4.JRA");
  }
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

// A link is listed as what it points to: a file, a folder, or (broken) neither.
TEST(Files, LinksAreListedAsWhatTheyPointTo) {
  TempDir d;
  d.Write("ZO-1.JRA", "x");
  d.Write("ZO-SUB/x", "");
  fs::create_symlink("ZO-1.JRA", d.path() / "ZO-2.JRA");
  fs::create_symlink("ZO-SUB", d.path() / "ZO-3.JRA");
  fs::create_symlink("ZO-NONE", d.path() / "ZO-4.JRA");
  fs::last_write_time(d.path(), fs::file_time_type::clock::now() - std::chrono::hours(1));
  EXPECT_EQ(ListFolder(d.path(), "ZO*.JRA"), (std::vector<std::string>{"ZO-1.JRA", "ZO-2.JRA"}));
  EXPECT_EQ(ListFolder(d.path(), "ZO*", true), (std::vector<std::string>{"ZO-3.JRA", "ZO-SUB"}));
  FolderIndex index;
  for (const char* name : {"zo-1.jra", "zo-2.jra", "zo-3.jra", "zo-4.jra", "zo-sub"}) {
    auto entry = FindEntry(d.path(), name);
    EXPECT_EQ(index.Find(d.path(), name), entry) << name;
    EXPECT_EQ(index.FindFile(d.path(), name), entry && FileExists(*entry) ? entry : std::nullopt)
        << name;
  }
  EXPECT_EQ(index.ListingsMade(), 1);
}

TEST(Files, ReadsWholeFilesOfAnySize) {
  TempDir d;
  for (std::size_t size : {0u, 1u, 4095u, 4096u, 4097u, 70000u}) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7 + i / 256);
    d.Write("f.bin", bytes);
    EXPECT_EQ(ReadFileBytes(d.path() / "f.bin"), bytes) << size;
  }
  EXPECT_EQ(ReadFileBytes(d.path() / "missing"), std::nullopt);
  d.Write("SUB/x", "y");
  EXPECT_EQ(ReadFileBytes(d.path() / "SUB"), std::string());  // a folder reads empty
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

// Every entry of a folder, by name.
std::vector<std::string> Entries(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (auto& e : std::filesystem::directory_iterator(folder)) names.push_back(e.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(Files, LineWriterNamesOnlyACompleteFile) {
  TempDir d;
  d.Write("out.csv", "old");
  {
    LineWriter w(d / "out.csv");
    ASSERT_TRUE(w.ok());
    EXPECT_TRUE(w.WriteLine("ﾄﾘｹｼ,1"));
    EXPECT_TRUE(w.WriteRaw("end\r"));
    // Until committed the old file stays as it was.
    EXPECT_EQ(ReadAll(d / "out.csv"), "old");
    EXPECT_TRUE(w.Commit());
    EXPECT_EQ(w.error(), 0);
  }
  EXPECT_EQ(ReadAll(d / "out.csv"), "\xC4\xD8\xB9\xBC,1\r\nend\r");
  {
    // A writer dropped before its commit (an error on the way) leaves nothing of its own.
    LineWriter w(d / "out.csv");
    EXPECT_TRUE(w.WriteLine("half"));
  }
  EXPECT_EQ(ReadAll(d / "out.csv"), "\xC4\xD8\xB9\xBC,1\r\nend\r");
  EXPECT_EQ(Entries(d.path()), std::vector<std::string>{"out.csv"});
  LineWriter bad(d / "no/such/folder.csv");
  EXPECT_FALSE(bad.ok());
  EXPECT_EQ(bad.error(), ENOENT);
  EXPECT_FALSE(bad.WriteLine("x"));
  EXPECT_FALSE(bad.Commit());
}

TEST(Files, PlainFileNames) {
  struct Case {
    std::string name;
    bool plain;
  };
  const Case cases[] = {{"03040501.BET", true},  {"0105小倉1R.csv", true}, {".hidden", true},
                        {"", false},             {"..", false},           {"../ou", false},
                        {"2002../x", false},     {"a/b", false},          {"/tmp/x01.BET", false},
                        {"a\\b", false},         {std::string("a\0b", 3), false}};
  TempDir d;
  for (const Case& c : cases) {
    EXPECT_EQ(IsPlainFileName(c.name), c.plain) << c.name;
    const auto p = PathInFolder(d.path(), c.name);
    EXPECT_EQ(p.has_value(), c.plain) << c.name;
    if (p) {
      EXPECT_EQ(p->parent_path(), d.path()) << c.name;
    }
  }
  d.Write("uy-a.jra", "");
  EXPECT_EQ(PathInFolder(d.path(), "UY-A.JRA"), d / "uy-a.jra");
}

TEST(Files, NewFileNeverReplacesAnother) {
  TempDir d;
  const auto p = d / "02102001.BET";
  EXPECT_EQ(WriteFileNew(p, "first").result, NewFileResult::Written);
  EXPECT_EQ(WriteFileNew(p, "second").result, NewFileResult::Exists);
  EXPECT_EQ(ReadAll(p), "first");
  const NewFileOutcome missing = WriteFileNew(d / "none" / "x.BET", "x");
  EXPECT_EQ(missing.result, NewFileResult::Failed);
  EXPECT_NE(missing.error, "");
  EXPECT_EQ(Entries(d.path()), std::vector<std::string>{"02102001.BET"});
}

TEST(Files, LeftoverTemporariesAreRemovedByTheNextWriter) {
  TempDir d;
  const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
  auto leftover = [&](const std::string& name) {
    const auto p = d.Write(name, "half");
    std::filesystem::last_write_time(p, old);
    return name;
  };
  // A dead writer's file (no process has pid 0x7ffffffe), one of an older version without a
  // pid, a running writer's (this process, standing for any live one), a fresh one, and
  // temporaries of other names and of other programs.
  leftover(".tmp-tz98.ini-2147483646-17");
  leftover(".tmp-tz98.ini-99");
  const std::string live = leftover(".tmp-tz98.ini-" + std::to_string(::getpid()) + "-5");
  d.Write(".tmp-tz98.ini-2147483646-18", "being written");
  const std::string other = leftover(".tmp-tzcheck.txt-2147483646-1");
  const std::string foreign = leftover(".tmp-tz98.ini");
  EXPECT_EQ(WriteFileAtomic(d / "tz98.ini", "new"), "");
  std::vector<std::string> want = {foreign, ".tmp-tz98.ini-2147483646-18", live, other, "tz98.ini"};
  std::sort(want.begin(), want.end());
  EXPECT_EQ(Entries(d.path()), want);
  // The export writer cleans up the same way.
  leftover(".tmp-out.csv-2147483646-3");
  {
    LineWriter w(d / "out.csv");
    EXPECT_TRUE(w.Commit());
  }
  EXPECT_FALSE(std::filesystem::exists(d / ".tmp-out.csv-2147483646-3"));
}

}  // namespace
}  // namespace tz::text
