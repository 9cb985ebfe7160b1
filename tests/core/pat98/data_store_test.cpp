#include "pat98/data_store.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "betting/bank_link.h"
#include "pat98/record_writers.h"
#include "samples/pat98/fixture_writer.h"
#include "session.h"
#include "support/fake_port.h"
#include "support/temp_dir.h"

namespace tz {
namespace {

namespace fs = std::filesystem;
using tz::test::FakePort;
using tz::test::Message;
using tz::test::ReadAll;
using tz::test::TempDir;

std::string Guide(const std::string& date, int course = 5) {
  fixture::GuideRecord g;
  g.date = date;
  g.courseCode = course;
  g.year = std::stoi(date.substr(0, 4));
  g.kai = 2;
  g.day = 8;
  for (int r = 1; r <= 12; ++r) g.saleCodes[static_cast<std::size_t>(r)] = 15;
  return BettingGuideBytes(g);
}

// A program folder with its store root and a PAT98 folder holding the day of 10 May 2003.
struct Folders {
  TempDir root;
  Session s;
  FakePort port;

  Folders() {
    s.app.ProgramFolder = root.path();
    s.app.StoreRoot = root / "TZNA";
    fs::create_directories(s.app.StoreRoot);
    s.app.Pat98Folder = root / "PAT98";
    s.app.DataFolder = s.app.Pat98Folder;
    s.app.CurrentFolderFile = root / "tazuna98.txt";
    root.Write("PAT98/UY-A.JRA", Guide("20030510"));
    root.Write("PAT98/zo-581.jra", "20030510 odds");
    root.Write("PAT98/pat98.exe", "");
    root.Write("PAT98/notes.txt", "not a PAT98 data file");
    s.app.Pat98GuideDate = "20030510";
    s.race.MeetingCount = 1;
    s.race.GuideDate = "20030510";
    s.race.GuideDateIso = "2003-05-10";
  }
  fs::path Store(std::string_view name) const { return s.app.StoreRoot / std::string(name); }
};

std::vector<std::string> Names(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(DataStore, SaveCopiesThePat98FilesAndASecondSaveGetsATimeSuffix) {
  Folders f;
  RaceCardFile card;
  card.courseCode = 5;
  card.dayOfMeeting = 8;
  card.race = 1;
  WriteRaceCardFile(f.s.app.Pat98Folder, card);
  f.s.app.settings.SaveMsg = 1;

  CopyReport first = SaveCurrentData(f.s.app, f.s.race, f.port, TimeOfDay{9, 5, 7});
  EXPECT_EQ(first.folder, f.Store("2003-05-10"));
  EXPECT_EQ(Names(f.Store("2003-05-10")),
            (std::vector<std::string>{"DE-581.JRA", "UY-A.JRA", "zo-581.jra"}));
  EXPECT_EQ(ReadAll(f.Store("2003-05-10") / "zo-581.jra"), "20030510 odds");
  ASSERT_EQ(f.port.messages.size(), 1u);
  EXPECT_EQ(f.port.messages[0].kind, Message::Info);
  EXPECT_EQ(f.port.messages[0].title, "Tazuna98");
  EXPECT_EQ(f.port.messages[0].text,
            "下記のﾌｫﾙﾀﾞに保存しました\n\n" + f.Store("2003-05-10").string());

  // The second save of the day leaves the first folder as it was.
  f.root.Write("PAT98/zo-581.jra", "later odds");
  f.s.app.settings.SaveMsg = 0;
  CopyReport second = SaveCurrentData(f.s.app, f.s.race, f.port, TimeOfDay{9, 5, 7});
  EXPECT_EQ(second.folder, f.Store("2003-05-10(090507)"));
  EXPECT_EQ(ReadAll(f.Store("2003-05-10(090507)") / "zo-581.jra"), "later odds");
  EXPECT_EQ(ReadAll(f.Store("2003-05-10") / "zo-581.jra"), "20030510 odds");
  EXPECT_EQ(f.port.messages.size(), 1u) << "SaveMsg 0 shows nothing";

  EXPECT_EQ(DatedFolderName(f.s.app.StoreRoot, "2003-05-10", TimeOfDay{23, 59, 0}),
            "2003-05-10(235900)");
  EXPECT_EQ(DatedFolderName(f.s.app.StoreRoot, "2003-05-11", TimeOfDay{23, 59, 0}), "2003-05-11");
}

TEST(DataStore, SaveFromAnOpenedFolderIsNamedByThePat98Day) {
  // Closing the program with an older day opened offers to save the PAT98 folder's files;
  // they belong to the PAT98 folder's day, not to the opened one.
  Folders f;
  f.root.Write("TZNA/2003-05-03/UY-A.JRA", Guide("20030503"));
  f.s.app.DataFolder = f.Store("2003-05-03");
  f.s.race.GuideDate = "20030503";
  f.s.race.GuideDateIso = "2003-05-03";
  CopyReport r = SaveCurrentData(f.s.app, f.s.race, f.port, TimeOfDay{18, 0, 0});
  EXPECT_EQ(r.folder, f.Store("2003-05-10"));
  EXPECT_EQ(ReadAll(f.Store("2003-05-10") / "UY-A.JRA"), Guide("20030510"));
  EXPECT_EQ(Names(f.Store("2003-05-03")), std::vector<std::string>{"UY-A.JRA"});
}

TEST(DataStore, SaveRefusesWithoutADayAndNeverLeavesTheStore) {
  struct Case {
    const char* label;
    const char* pat98Guide;  // nullptr = no UY-A.JRA in the PAT98 folder
    const char* loadedIso;   // nullptr = no day loaded
  } cases[] = {
      {"no guide anywhere", nullptr, nullptr},
      {"guide date with separators", "../../xx", nullptr},
      {"loaded guide date with separators", "../../xx", "../.-./-xx"},
  };
  for (const Case& c : cases) {
    Folders f;
    fs::remove(f.s.app.Pat98Folder / "UY-A.JRA");
    if (c.pat98Guide) f.root.Write("PAT98/UY-A.JRA", c.pat98Guide);
    f.s.race.MeetingCount = c.loadedIso ? 1 : 0;
    f.s.race.GuideDateIso = c.loadedIso ? c.loadedIso : "";
    CopyReport r = SaveCurrentData(f.s.app, f.s.race, f.port, TimeOfDay{1, 2, 3});
    EXPECT_TRUE(r.folder.empty()) << c.label;
    EXPECT_TRUE(r.copied.empty()) << c.label;
    EXPECT_EQ(f.port.Errors(), std::vector<std::string>{"保存する投票要項がありません。"}) << c.label;
    EXPECT_TRUE(Names(f.s.app.StoreRoot).empty()) << c.label;
    EXPECT_FALSE(fs::exists(f.root / "x")) << c.label;
  }
}

TEST(DataStore, UpdateCopiesResultsAndLogInOrderIntoTheOpenedFolder) {
  Folders f;
  for (const char* n : {"KA-ANNAI.JRA", "uh-581.jra", "KH-581.JRA", "WH-581.JRA", "TH-581.JRA",
                        "FH-581.JRA", "ks-582.jra", "KS-581.JRA", "LG-FILE.JRA", "DE-581.JRA"}) {
    f.root.Write(std::string("PAT98/") + n, std::string("new ") + n);
  }
  f.root.Write("TZNA/2003-05-10/KS-581.JRA", "old results");
  f.root.Write("TZNA/2003-05-10/de-581.jra", "saved card");
  f.s.app.DataFolder = f.Store("2003-05-10");
  CopyReport r = UpdateSavedData(f.s.app, f.s.race, f.port);
  EXPECT_TRUE(f.port.messages.empty());
  std::vector<std::string> order = {"LG-FILE.JRA", "KS-581.JRA", "ks-582.jra", "FH-581.JRA",
                                    "TH-581.JRA",  "WH-581.JRA", "uh-581.jra", "KH-581.JRA",
                                    "KA-ANNAI.JRA"};
  EXPECT_EQ(r.copied, order);
  EXPECT_EQ(ReadAll(f.Store("2003-05-10") / "KS-581.JRA"), "new KS-581.JRA");
  // Race cards, guides and odds are not refreshed.
  EXPECT_EQ(ReadAll(f.Store("2003-05-10") / "de-581.jra"), "saved card");
  EXPECT_FALSE(fs::exists(f.Store("2003-05-10") / "UY-A.JRA"));

  // Without a meeting guide (or any other pattern) the rest is copied without a message.
  fs::remove(f.s.app.Pat98Folder / "KA-ANNAI.JRA");
  fs::remove(f.s.app.Pat98Folder / "LG-FILE.JRA");
  r = UpdateSavedData(f.s.app, f.s.race, f.port);
  EXPECT_TRUE(f.port.messages.empty());
  EXPECT_EQ(r.copied, std::vector<std::string>(order.begin() + 1, order.end() - 1));
}

TEST(DataStore, UpdateRefusesAFolderOfAnotherDay) {
  Folders f;
  f.root.Write("PAT98/KS-581.JRA", "results");
  f.root.Write("TZNA/2003-05-03/UY-A.JRA", Guide("20030503"));
  f.s.app.DataFolder = f.Store("2003-05-03");
  f.s.race.GuideDate = "20030503";
  CopyReport r = UpdateSavedData(f.s.app, f.s.race, f.port);
  EXPECT_TRUE(r.copied.empty());
  EXPECT_EQ(f.port.Errors(), std::vector<std::string>{"日付が一致しません。"});
  EXPECT_EQ(f.port.messages[0].title, "Tazuna98");
  EXPECT_EQ(Names(f.Store("2003-05-03")), std::vector<std::string>{"UY-A.JRA"});
}

TEST(DataStore, AFailedCopyIsReportedAndTheOtherFilesStillArrive) {
  Folders f;
  f.root.Write("PAT98/LG-FILE.JRA", "log");
  f.root.Write("PAT98/KS-581.JRA", "results");
  f.root.Write("PAT98/TH-581.JRA", "payouts");
  // An entry that cannot be replaced by a file.
  fs::create_directories(f.Store("2003-05-10") / "ks-581.jra" / "inside");
  f.s.app.DataFolder = f.Store("2003-05-10");
  CopyReport r = UpdateSavedData(f.s.app, f.s.race, f.port);
  EXPECT_EQ(r.copied, (std::vector<std::string>{"LG-FILE.JRA", "TH-581.JRA"}));
  ASSERT_EQ(r.failures.size(), 1u);
  ASSERT_EQ(f.port.Errors().size(), 1u);
  EXPECT_EQ(f.port.Errors()[0].rfind("保存できませんでした。\n\nKS-581.JRA: ", 0), 0u);
  // No temporary file is left behind.
  EXPECT_EQ(Names(f.Store("2003-05-10")),
            (std::vector<std::string>{"LG-FILE.JRA", "TH-581.JRA", "ks-581.jra"}));
}

TEST(DataStore, PastFoldersNewestFirstWithTheTimeSuffixedFolderFirst) {
  Folders f;
  for (const char* n : {"2003-05-03", "2003-05-10", "2003-05-10(101530)"}) {
    fs::create_directories(f.Store(n));
  }
  f.root.Write("TZNA/tz98.ini", "");
  f.s.app.settings.SortFolder = 1;
  PastDataDialog d = PreparePastData(f.s.app);
  EXPECT_TRUE(d.listMode);
  EXPECT_EQ(d.caption, "過去のﾃﾞｰﾀを開く [TZNAﾌｫﾙﾀﾞ]");
  EXPECT_EQ(d.folders,
            (std::vector<std::string>{"2003-05-10(101530)", "2003-05-10", "2003-05-03"}));
  EXPECT_EQ(d.preselected, 0);

  f.s.app.settings.SortFolder = 0;
  d = PreparePastData(f.s.app);
  EXPECT_FALSE(d.listMode);
  EXPECT_EQ(d.caption, "過去のﾃﾞｰﾀを開く");
  EXPECT_EQ(d.browseStart, f.s.app.StoreRoot);
  EXPECT_EQ(d.hint, "ダブルクリックで選択");

  TempDir empty;
  f.s.app.StoreRoot = empty.path();
  f.s.app.settings.SortFolder = 1;
  d = PreparePastData(f.s.app);
  EXPECT_TRUE(d.folders.empty());
  EXPECT_EQ(d.preselected, -1);
}

TEST(DataStore, OpeningAFolderReloadsAndTellsTheSiblingPrograms) {
  Folders f;
  f.s.app.settings.BankLink = 1;
  f.root.Write("TZNA/2003-05-03/UY-A.JRA", Guide("20030503", 6));
  fs::create_directories(f.Store("empty day"));

  EXPECT_EQ(OpenPastData(f.s, f.port, "2003-05-03"), 0);
  EXPECT_EQ(f.s.app.DataFolder, f.Store("2003-05-03"));
  EXPECT_EQ(f.s.race.GuideDate, "20030503");
  EXPECT_EQ(f.s.race.MeetingInfo[1].CourseCode, 6);
  EXPECT_EQ(f.s.app.ReloadAllWindows, 0) << "the reload closed the other windows";
  // The bank link names the opened folder, not the PAT98 folder.
  EXPECT_EQ(ReadAll(f.s.app.Pat98Folder / "zenibako.txt"), f.Store("2003-05-03").string() + "\r\n");
  EXPECT_EQ(ReadAll(f.s.app.CurrentFolderFile), f.Store("2003-05-03").string() + "\r\n");

  // A folder without PAT98 files loads the empty day and withdraws the bank link.
  EXPECT_NE(OpenDataFolder(f.s, f.port, f.Store("empty day")), 0);
  EXPECT_EQ(f.s.race.MeetingCount, 0);
  EXPECT_FALSE(fs::exists(f.s.app.Pat98Folder / "zenibako.txt"));

  EXPECT_EQ(OpenCurrentData(f.s, f.port), 0);
  EXPECT_EQ(f.s.app.DataFolder, f.s.app.Pat98Folder);
  EXPECT_EQ(f.s.race.GuideDate, "20030510");
  EXPECT_EQ(ReadAll(f.s.app.Pat98Folder / "zenibako.txt"), f.s.app.Pat98Folder.string() + "\r\n");
}

TEST(BankLink, FilesFollowTheLoadedFolder) {
  TempDir d;
  AppState app;
  RaceModel race;
  app.Pat98Folder = d / "PAT98";
  app.DataFolder = d / "TZNA" / "2003-05-03";
  app.CurrentFolderFile = d / "tazuna98.txt";
  fs::create_directories(app.Pat98Folder);

  // Nothing is written while no day is loaded.
  WriteBankLink(app, race);
  WriteCurrentFolderFile(app, race);
  EXPECT_FALSE(fs::exists(app.Pat98Folder / "zenibako.txt"));
  EXPECT_FALSE(fs::exists(app.CurrentFolderFile));

  race.MeetingCount = 2;
  d.Write("PAT98/ZENIBAKO.TXT", "stale");
  WriteBankLink(app, race);
  WriteCurrentFolderFile(app, race);
  EXPECT_EQ(ReadAll(app.Pat98Folder / "ZENIBAKO.TXT"), app.DataFolder.string() + "\r\n");
  EXPECT_EQ(ReadAll(app.CurrentFolderFile), app.DataFolder.string() + "\r\n");

  DeleteBankLink(app);
  EXPECT_FALSE(fs::exists(app.Pat98Folder / "ZENIBAKO.TXT"));
  DeleteBankLink(app);  // nothing there: no error
  app.Pat98Folder = d / "gone";
  WriteBankLink(app, race);  // a folder that does not exist: silently nothing
  EXPECT_FALSE(fs::exists(d / "gone"));
}

TEST(BankLink, TheOptionWritesOrDeletesAtOnceAndPathsAreFull) {
  TempDir d;
  AppState app;
  RaceModel race;
  race.MeetingCount = 1;
  app.Pat98Folder = d / "PAT98";
  fs::create_directories(app.Pat98Folder);
  app.DataFolder = "relative/day";  // as given on a command line
  app.CurrentFolderFile = d / "tazuna98.txt";

  ApplyBankLinkOption(app, race, 1);
  EXPECT_EQ(app.settings.BankLink, 1);
  std::string full = fs::absolute("relative/day").string();
  EXPECT_EQ(ReadAll(app.Pat98Folder / "zenibako.txt"), full + "\r\n");
  WriteCurrentFolderFile(app, race);
  EXPECT_EQ(ReadAll(app.CurrentFolderFile), full + "\r\n");

  ApplyBankLinkOption(app, race, 0);
  EXPECT_EQ(app.settings.BankLink, 0);
  EXPECT_FALSE(fs::exists(app.Pat98Folder / "zenibako.txt"));
}

}  // namespace
}  // namespace tz
