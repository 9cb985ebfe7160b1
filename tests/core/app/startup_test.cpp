#include "app/startup.h"

#include <gtest/gtest.h>

#include "app/settings.h"
#include "pat98/day_loader.h"
#include "samples/pat98/fixture_writer.h"
#include "session.h"
#include "support/fake_port.h"
#include "support/temp_dir.h"

namespace tz {
namespace {

using test::FakePort;
using test::Message;
using test::ReadAll;
using test::TempDir;

// A program folder whose settings file holds `ini`.
struct Home {
  TempDir dir;
  std::filesystem::path program() const { return dir.path() / "prog"; }
  void Settings(const std::string& ini) const { dir.Write("prog/TZNA/tz98.ini", ini); }
};

TEST(Startup, MissingPat98FolderFallsBackToTheProgramFolder) {
  Home h;
  h.Settings("[FOLDER]\r\nPatpath=" + (h.dir / "gone").string() + "\r\n");
  Session s;
  InitApplicationState(s, h.program(), 20000, 15000);
  EXPECT_EQ(s.app.Pat98Folder, h.program());
  EXPECT_EQ(s.app.DataFolder, h.program());
  EXPECT_EQ(s.app.StoreRoot, h.program() / "TZNA");
  EXPECT_EQ(s.app.CurrentFolderFile, h.program() / "tazuna98.txt");
  EXPECT_EQ(s.app.Pat98GuideDate, "99999999");
  EXPECT_EQ(HasPat98Program(s.app.DataFolder), 2);  // so the first-run hint and dialog show
  EXPECT_EQ(s.app.AppTitle, "Tazuna98");
  EXPECT_FALSE(s.batch.Running);
  EXPECT_EQ(s.app.BracketColors[2], 8421631);
}

TEST(Startup, StoreRootIsCreatedWhenMissing) {
  TempDir d;
  Session s;
  InitApplicationState(s, d / "fresh", 20000, 15000);
  EXPECT_TRUE(std::filesystem::is_directory(d / "fresh" / "TZNA"));
}

TEST(Startup, DefaultBetFolderRule) {
  struct Case {
    bool program;
    bool pbet;
    const char* betpath;
    const char* expected;  // relative to the PAT98 folder, "" for empty, or the stored path
  } cases[] = {
      {true, true, "", "PBET"},
      {true, false, "", ""},
      {false, true, "", ""},
      {true, true, "/elsewhere", "/elsewhere"},
  };
  for (const Case& c : cases) {
    Home h;
    std::filesystem::path pat = h.dir / "pat98";
    std::filesystem::create_directories(pat);
    if (c.program) h.dir.Write("pat98/PAT98.exe", "");
    if (c.pbet) std::filesystem::create_directories(pat / "PBET");
    h.Settings("[FOLDER]\r\nPatpath=" + pat.string() + "\r\nBetpath=" + c.betpath + "\r\n");
    Session s;
    InitApplicationState(s, h.program(), 20000, 15000);
    std::string want = std::string(c.expected) == "PBET" ? (pat / "PBET").string() : c.expected;
    EXPECT_EQ(s.app.BetFolder.string(), want) << c.program << c.pbet << c.betpath;
    EXPECT_EQ(HasPat98Program(pat), c.program ? 0 : 2);
  }
}

TEST(Startup, WindowNeverWiderThanTheScreen) {
  Home h;
  h.Settings("[WINDOW]\r\nWinWidth=30000\r\n");
  Session s;
  InitApplicationState(s, h.program(), 19200, 14400);
  EXPECT_EQ(s.app.MainWindowWidth, 19200);
}

TEST(Startup, GuideDateOfThePat98Folder) {
  TempDir d;
  EXPECT_EQ(ReadPat98GuideDate(d.path()), "99999999");
  d.Write("uy-a.jra", "20020908" + std::string(92, '0'));
  EXPECT_EQ(ReadPat98GuideDate(d.path()), "20020908");
}

TEST(Startup, ApplyPat98FolderSwitchesFoldersAndRereadsTheGuideDate) {
  Home h;
  Session s;
  InitApplicationState(s, h.program(), 20000, 15000);
  h.dir.Write("pat/pat98.exe", "");
  h.dir.Write("pat/PBET/x", "");
  h.dir.Write("pat/UY-A.JRA", "20240101xxxx");
  ApplyPat98Folder(s.app, h.dir / "pat");
  EXPECT_EQ(s.app.Pat98Folder, h.dir / "pat");
  EXPECT_EQ(s.app.DataFolder, h.dir / "pat");
  EXPECT_EQ(s.app.BetFolder, h.dir / "pat" / "PBET");
  EXPECT_EQ(s.app.Pat98GuideDate, "20240101");
}

TEST(Shutdown, CloseQuestionOnlyWithTheOptionAndAGuide) {
  Session s;
  FakePort port;
  s.app.settings.TermScr = 0;
  s.app.Pat98GuideDate = "20020908";
  EXPECT_EQ(RequestClose(s.app, port), CloseDecision::Close);
  s.app.settings.TermScr = 1;
  s.app.Pat98GuideDate = "99999999";
  EXPECT_EQ(RequestClose(s.app, port), CloseDecision::Close);
  EXPECT_TRUE(port.messages.empty());

  s.app.Pat98GuideDate = "20020908";
  port.answers = {Answer::Cancel, Answer::Yes, Answer::No};
  EXPECT_EQ(RequestClose(s.app, port), CloseDecision::Cancel);
  EXPECT_EQ(RequestClose(s.app, port), CloseDecision::SaveThenClose);
  EXPECT_EQ(RequestClose(s.app, port), CloseDecision::Close);
  ASSERT_EQ(port.messages.size(), 3u);
  const Message& m = port.messages[0];
  EXPECT_EQ(m.text, "Tazuna98を終了します。\n現在のデータを保存しますか？");
  EXPECT_EQ(m.title, "Tazuna98");
  EXPECT_EQ(m.buttons, Buttons::YesNoCancel);
  EXPECT_EQ(m.icon, Icon::Warning);
  EXPECT_EQ(m.defaultAnswer, Answer::No);
}

TEST(Shutdown, KeepsTheWidthRemovesTheBankLinkAndWritesSettings) {
  Home h;
  Session s;
  h.dir.Write("pat/pat98.exe", "");
  h.Settings("[FOLDER]\r\nPatpath=" + (h.dir / "pat").string() + "\r\n[WINDOW]\r\nWinWidth=11000\r\n");
  InitApplicationState(s, h.program(), 15000, 12000);
  h.dir.Write("pat/ZENIBAKO.TXT", "x");

  // Minimised: the width read at start is kept.
  ASSERT_EQ(Shutdown(s, true, 2000), "");
  EXPECT_FALSE(std::filesystem::exists(h.dir / "pat" / "ZENIBAKO.TXT"));
  Session again;
  InitApplicationState(again, h.program(), 15000, 12000);
  EXPECT_EQ(again.app.MainWindowWidth, 11000);

  // Normal: the current width, at most the screen width.
  ASSERT_EQ(Shutdown(again, false, 16000), "");
  Session third;
  InitApplicationState(third, h.program(), 15000, 12000);
  EXPECT_EQ(third.app.MainWindowWidth, 15000);
  EXPECT_EQ(third.app.Pat98Folder, h.dir / "pat");
}

}  // namespace
}  // namespace tz

namespace tz {
namespace {

TEST(Startup, FirstLoadRemovesAStaleBankLinkAndLoadsTheDay) {
  test::TempDir d;
  fixture::GuideRecord g;
  g.courseCode = 6;
  g.saleCodes[1] = 15;
  d.Write("pat/uy-a.jra", BettingGuideBytes(g));
  d.Write("pat/zenibako.txt", "/old/day\r\n");
  Session s;
  test::FakePort port;
  s.app.Pat98Folder = d / "pat";
  s.app.DataFolder = d / "pat";
  s.app.CurrentFolderFile = d / "tazuna98.txt";
  StartupLoadDay(s, port);
  EXPECT_FALSE(std::filesystem::exists(d / "pat" / "zenibako.txt"));  // BankLink is off
  EXPECT_EQ(s.race.MeetingCount, 1);
  EXPECT_TRUE(s.dayView.hintLabelVisible);  // no pat98.exe in the folder
  EXPECT_EQ(test::ReadAll(d / "tazuna98.txt"), (d / "pat").string() + "\r\n");

  // Choosing the PAT98 folder later loads it the same way; with the program there the hint
  // goes away.
  d.Write("pat2/PAT98.EXE", "");
  d.Write("pat2/UY-A.JRA", BettingGuideBytes(g));
  ApplyPat98Folder(s, port, d / "pat2");
  EXPECT_EQ(s.app.DataFolder, d / "pat2");
  EXPECT_EQ(s.app.Pat98GuideDate, "20020908");
  EXPECT_FALSE(s.dayView.hintLabelVisible);
  // Only those first loads decide on the hint: reloading the folder without the program
  // leaves it as it is.
  s.app.DataFolder = d / "pat";
  LoadCurrentData(s, port);
  EXPECT_FALSE(s.dayView.hintLabelVisible);
}

}  // namespace
}  // namespace tz
