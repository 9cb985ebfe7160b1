#include "tools/check_list.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#include "app/startup.h"
#include "results/race_card.h"
#include "session.h"
#include "support/odds_day.h"
#include "support/temp_dir.h"
#include "text/files.h"
#include "text/sjis.h"

namespace tz {
namespace {

using test::ReadAll;
using test::TempDir;

std::string Sjis(std::string_view utf8) { return text::EncodeSjis(utf8); }

// A program folder with its store folder; the settings and check-list files are written raw.
struct Home {
  TempDir dir;
  std::filesystem::path program() const { return dir.path() / "prog"; }
  std::filesystem::path store() const { return program() / "TZNA"; }
  std::filesystem::path checkFile() const { return store() / "tzcheck.txt"; }
  void Settings(const std::string& ini) const { dir.Write("prog/TZNA/tz98.ini", ini); }
  void CheckFile(const std::string& bytes) const { dir.Write("prog/TZNA/tzcheck.txt", bytes); }
  void Start(Session& s) const { InitApplicationState(s, program(), 20000, 15000); }
};

std::vector<std::pair<int, std::string>> Entries(const AppState& app) {
  std::vector<std::pair<int, std::string>> out;
  for (std::size_t i = 1; i < app.CheckList.size(); ++i) out.emplace_back(app.CheckList[i].ColourIndex, app.CheckList[i].Name);
  return out;
}

std::vector<std::string> Names(const CheckListBox& b) {
  std::vector<std::string> out;
  for (const CheckListItem& it : b.Items) out.push_back(it.Name);
  return out;
}

using Pairs = std::vector<std::pair<int, std::string>>;
using Strings = std::vector<std::string>;

// ---- the file -----------------------------------------------------------------------------

TEST(CheckListFile, LoadThenSaveGivesTheSameBytes) {
  // Shift_JIS, CR LF; kanji, half-width katakana with voiced marks, a comma inside the quotes.
  const std::string file = Sjis("0,\"ABC\"\r\n1,\"武豊\"\r\n0,\"ﾀﾞｲﾜﾒｼﾞｬｰ\"\r\n1,\"ｱｲ,ﾈｽ\"\r\n0,\"ＳＳ\"\r\n");
  Home h;
  h.CheckFile(file);
  Session s;
  h.Start(s);
  EXPECT_EQ(Entries(s.app), (Pairs{{0, "ABC"}, {1, "武豊"}, {0, "ﾀﾞｲﾜﾒｼﾞｬｰ"}, {1, "ｱｲ,ﾈｽ"}, {0, "ＳＳ"}}));
  EXPECT_EQ(s.app.CheckList[0].Name, "");  // the placeholder stays first

  ASSERT_EQ(Shutdown(s, false, 9600), "");
  EXPECT_EQ(ReadAll(h.checkFile()), file);
}

TEST(CheckListFile, LineLayout) {
  std::vector<CheckEntry> list{{}, {0, "ABC"}};
  // Box 0 and ABC: the digit, a comma, ABC in double quotes; then CR LF.
  EXPECT_EQ(FormatCheckList(list), "0,\"ABC\"\r\n");
  EXPECT_EQ(FormatCheckList({CheckEntry{}}), "");
}

TEST(CheckListFile, ReadingLines) {
  struct Case {
    const char* line;
    Pairs want;
  } cases[] = {
      {"5,\"X\"", {{1, "X"}}},             // above the last box: the last box
      {"-3,\"X\"", {{0, "X"}}},            // below the first: the first
      {"1.6,\"X\"", {{1, "X"}}},           // a whole number
      {"99999999999999999999,\"X\"", {{1, "X"}}},
      {"abc,\"X\"", {{0, "X"}}},           // no number: 0
      {" 1 ,  ABC  ", {{1, "ABC"}}},       // blanks around unquoted fields dropped
      {"1,\" ｱｲ　\"", {{1, "ｱｲ"}}},        // names are kept trimmed, ideographic space too
      {"0,\"A,B\"", {{0, "A,B"}}},         // a comma inside the quotes belongs to the name
      {"0,\"A\"B\"", {{0, "A\"B"}}},       // a quote inside the name comes back
      {"0,\"A\",B\"", {{0, "A\",B"}}},
      {"0,\"unclosed", {{0, "unclosed"}}},
      {"ｻｲﾚﾝｽｽｽﾞｶ", {{0, "ｻｲﾚﾝｽｽｽﾞｶ"}}},   // a bare name: box 0, not lost
      {"\"A,B\"", {{0, "A,B"}}},
      {"0,\"\"", {}},                      // no name: nothing
      {"   ", {}},
      {"0,\"X\"\x1a", {{0, "X"}}},         // an old end-of-file mark
      {"1,\"X\"\r\n\r\n0,\"Y\"", {{1, "X"}, {0, "Y"}}},  // empty lines skipped
      {"1,\"X\"\n0,\"Y\"\r0,\"Z\"", {{1, "X"}, {0, "Y"}, {0, "Z"}}},  // LF and CR line ends
  };
  for (const Case& c : cases) {
    std::vector<CheckEntry> got = ParseCheckList(Sjis(c.line));
    Pairs pairs;
    for (const CheckEntry& e : got) pairs.emplace_back(e.ColourIndex, e.Name);
    EXPECT_EQ(pairs, c.want) << c.line;
  }
}

TEST(CheckListFile, NamesThatCannotBeWrittenFaithfullyStillComeBack) {
  // Names the window and the command line accept, written and read again.
  std::vector<CheckEntry> list{{}, {0, "A\"B"}, {1, "A\",B"}, {1, "\"Q\""}, {0, "a,\"b\",c"}};
  std::vector<CheckEntry> back = ParseCheckList(FormatCheckList(list));
  ASSERT_EQ(back.size(), 4u);
  for (std::size_t i = 0; i < back.size(); ++i) {
    EXPECT_EQ(back[i].Name, list[i + 1].Name);
    EXPECT_EQ(back[i].ColourIndex, list[i + 1].ColourIndex);
  }
}

TEST(CheckListFile, EmptyListWritesAnEmptyFile) {
  Home h;
  h.CheckFile(Sjis("0,\"OLD\"\r\n"));
  Session s;
  h.Start(s);
  s.app.CheckList.assign(1, CheckEntry{});
  ASSERT_EQ(SaveCheckList(s.app, s.checkListWindow.File), "");
  EXPECT_TRUE(std::filesystem::exists(h.checkFile()));
  EXPECT_EQ(ReadAll(h.checkFile()), "");
}

// ---- start-up and exit --------------------------------------------------------------------

TEST(CheckListStartup, SettingsNamesComeFirstAndMoveIntoTheFile) {
  Home h;
  h.Settings(Sjis("[CHECK]\r\nName0=ｵｸﾞﾘｷｬｯﾌﾟ \r\nName1=   \r\nName2=　武豊\r\n[OPTION]\r\nBox1=16711680\r\n"));
  h.CheckFile(Sjis("1,\"ｷﾀｻﾝ\"\r\n0,\"ｵｸﾞﾘｷｬｯﾌﾟ\"\r\n"));
  Session s;
  h.Start(s);
  // Migrated names are trimmed so that the windows, which compare trimmed names, find them.
  // No test for names already on the list is made.
  EXPECT_EQ(Entries(s.app), (Pairs{{0, "ｵｸﾞﾘｷｬｯﾌﾟ"}, {0, "武豊"}, {1, "ｷﾀｻﾝ"}, {0, "ｵｸﾞﾘｷｬｯﾌﾟ"}}));
  EXPECT_EQ(CheckListColour(s.app, " 武豊"), std::optional<Colour>(255));
  EXPECT_EQ(CheckListColour(s.app, " ｷﾀｻﾝ"), std::optional<Colour>(16711680));
  EXPECT_EQ(CheckListColour(s.app, " ｷﾀｻﾝ2"), std::nullopt);

  ASSERT_EQ(Shutdown(s, false, 9600), "");
  EXPECT_EQ(ReadAll(h.checkFile()), Sjis("0,\"ｵｸﾞﾘｷｬｯﾌﾟ\"\r\n0,\"武豊\"\r\n1,\"ｷﾀｻﾝ\"\r\n0,\"ｵｸﾞﾘｷｬｯﾌﾟ\"\r\n"));

  // The next start finds them once: the settings file no longer holds them.
  Session again;
  h.Start(again);
  EXPECT_EQ(Entries(again.app), Entries(s.app));
}

TEST(CheckListStartup, NoFileKeepsWhatTheSettingsGave) {
  Home h;
  h.Settings(Sjis("[CHECK]\r\nName5=ABC\r\n"));
  Session s;
  h.Start(s);
  EXPECT_EQ(Entries(s.app), (Pairs{{0, "ABC"}}));
  EXPECT_EQ(s.checkListWindow.File.Problem, "");
  EXPECT_FALSE(std::filesystem::exists(h.checkFile()));
}

TEST(CheckListStartup, UnreadableFileIsReportedAndNeverReplaced) {
  struct Case {
    const char* what;
    std::function<void(const Home&)> make;
  } cases[] = {
      {"too large",
       [](const Home& h) {
         std::string big = Sjis("0,\"KEEP\"\r\n");
         big += std::string(kMaxCheckListFileBytes, 'x');
         h.CheckFile(big);
       }},
      {"a folder", [](const Home& h) { h.dir.Write("prog/TZNA/TZCHECK.TXT/inner", "0,\"KEEP\"\r\n"); }},
  };
  for (const Case& c : cases) {
    Home h;
    c.make(h);
    auto path = text::FindEntry(h.store(), "tzcheck.txt");
    ASSERT_TRUE(path) << c.what;
    std::string before = std::filesystem::is_regular_file(*path) ? ReadAll(*path) : ReadAll(*path / "inner");
    Session s;
    h.Start(s);
    EXPECT_TRUE(s.checkListWindow.File.Protected) << c.what;
    EXPECT_NE(s.checkListWindow.File.Problem.find("ﾁｪｯｸﾘｽﾄを読み込めませんでした"), std::string::npos) << c.what;
    s.app.CheckList.push_back(CheckEntry{0, "NEW"});
    std::string err = Shutdown(s, false, 9600);
    EXPECT_NE(err.find("書き換えませんでした"), std::string::npos) << c.what;
    // The settings were written all the same.
    EXPECT_TRUE(std::filesystem::exists(h.store() / "tz98.ini")) << c.what;
    std::string after = std::filesystem::is_regular_file(*path) ? ReadAll(*path) : ReadAll(*path / "inner");
    EXPECT_EQ(after, before) << c.what;
  }
}

TEST(CheckListStartup, WriteFailureIsReportedAndTheSettingsAreStillWritten) {
  Home h;
  Session s;
  h.Start(s);
  s.app.CheckList.push_back(CheckEntry{1, "ABC"});
  s.app.BoxColors[1] = 12345;
  // Something in the way of the check-list file after start.
  h.dir.Write("prog/TZNA/tzcheck.txt/blocker", "");
  std::string err = Shutdown(s, false, 9600);
  EXPECT_NE(err.find("ﾁｪｯｸﾘｽﾄを書き込めませんでした"), std::string::npos) << err;
  Session again;
  std::filesystem::remove_all(h.store() / "tzcheck.txt");
  h.Start(again);
  EXPECT_EQ(again.app.BoxColors[1], 12345);
}

// A name of the settings file's older section whose move to tzcheck.txt fails stays in the
// settings file: at no moment is it in neither file.
TEST(CheckListStartup, OldSectionNamesStayUntilTheCheckListHoldsThem) {
  Home h;
  h.Settings("[CHECK]\r\nName0=OLDNAME\r\n");
  Session s;
  h.Start(s);
  EXPECT_EQ(Entries(s.app), (Pairs{{0, "OLDNAME"}}));
  h.dir.Write("prog/TZNA/tzcheck.txt/blocker", "");
  EXPECT_NE(Shutdown(s, false, 9600), "");
  EXPECT_NE(ReadAll(h.store() / "tz98.ini").find("Name0=OLDNAME"), std::string::npos);

  std::filesystem::remove_all(h.checkFile());
  Session again;
  h.Start(again);
  EXPECT_EQ(Entries(again.app), (Pairs{{0, "OLDNAME"}}));
  ASSERT_EQ(Shutdown(again, false, 9600), "");
  EXPECT_EQ(ReadAll(h.checkFile()), "0,\"OLDNAME\"\r\n");
  EXPECT_EQ(ReadAll(h.store() / "tz98.ini").find("OLDNAME"), std::string::npos);
}

// Two programs with the list open: each save keeps what the other saved in between, its own
// additions, removals and box changes on top.
TEST(CheckListFile, SaveKeepsWhatAnotherProgramSavedMeanwhile) {
  Home h;
  h.CheckFile(Sjis("0,\"KEEP\"\r\n0,\"GONE\"\r\n0,\"MOVED\"\r\n"));
  Session first, second;
  h.Start(first);
  h.Start(second);
  ASSERT_TRUE(AddCheckName(second.app, "THEIRS", 1));
  ASSERT_EQ(SaveCheckList(second.app, second.checkListWindow.File), "");

  ASSERT_EQ(first.app.CheckList[3].Name, "MOVED");
  first.app.CheckList[3].ColourIndex = 1;
  ASSERT_TRUE(AddCheckName(first.app, "MINE", 0));
  ASSERT_EQ(RemoveCheckName(first.app, "GONE"), 1);
  ASSERT_EQ(SaveCheckList(first.app, first.checkListWindow.File), "");
  const Pairs want{{0, "KEEP"}, {1, "MOVED"}, {1, "THEIRS"}, {0, "MINE"}};
  EXPECT_EQ(Entries(first.app), want);
  Session later;
  h.Start(later);
  EXPECT_EQ(Entries(later.app), want);

  // Without a change by another program the list is written as it is held, in its order.
  ASSERT_EQ(RemoveCheckName(later.app, "KEEP"), 1);
  ASSERT_EQ(SaveCheckList(later.app, later.checkListWindow.File), "");
  EXPECT_EQ(ReadAll(h.checkFile()), Sjis("1,\"MOVED\"\r\n1,\"THEIRS\"\r\n0,\"MINE\"\r\n"));
}

// ---- the window -------------------------------------------------------------------------

// A session whose check list holds the given entries, the window opened on it.
Session Opened(Pairs entries, Colour c0 = 255, Colour c1 = 16711680) {
  Session s;
  s.app.CheckList.assign(1, CheckEntry{});
  for (auto& [box, name] : entries) s.app.CheckList.push_back(CheckEntry{box, name});
  s.app.BoxColors = {c0, c1};
  s.checkListWindow.SelectedBox = 1;
  s.checkListWindow.Label1 = "stale";
  OpenCheckListWindow(s.checkListWindow, s.app);
  return s;
}

void Select(CheckListWindowModel& m, int box, const std::string& name) {
  for (std::size_t i = 0; i < m.Boxes[box].Items.size(); ++i) {
    if (m.Boxes[box].Items[i].Name == name) ToggleCheckName(m, box, i);
  }
}

TEST(CheckListWindow, OpeningSortsEachBoxAndTakesTheColours) {
  Session s = Opened({{1, "ﾀﾞｲﾜ"}, {0, "あ"}, {0, "abc"}, {0, "Ａ"}, {0, "ABD"}, {1, "武豊"}}, 111, 222);
  const CheckListWindowModel& m = s.checkListWindow;
  // Ascending text order: Shift_JIS bytes, letters without regard to case.
  EXPECT_EQ(Names(m.Boxes[0]), (Strings{"abc", "ABD", "Ａ", "あ"}));
  EXPECT_EQ(Names(m.Boxes[1]), (Strings{"武豊", "ﾀﾞｲﾜ"}));
  EXPECT_EQ(m.Boxes[0].TextColour, 111);
  EXPECT_EQ(m.Boxes[1].TextColour, 222);
  EXPECT_EQ(m.SelectedBox, 0);
  EXPECT_EQ(m.Label1, kCheckDropHint);
}

TEST(CheckListWindow, Dropping) {
  Session s = Opened({{0, "ｱｱ"}, {0, "ｳｳ"}, {1, "ｶｶ"}});
  CheckListWindowModel& m = s.checkListWindow;
  // A name in the other box: nothing happens, the hint stays.
  EXPECT_FALSE(DropOnCheckBox(m, 0, " ｶｶ"));
  EXPECT_EQ(m.Label1, kCheckDropHint);
  EXPECT_EQ(m.FocusBox, -1);
  // A new name takes its sorted place without the leading blank of the cell, and the box
  // takes the focus.
  EXPECT_TRUE(DropOnCheckBox(m, 0, " ｲｲ"));
  EXPECT_EQ(Names(m.Boxes[0]), (Strings{"ｱｱ", "ｲｲ", "ｳｳ"}));
  EXPECT_EQ(m.FocusBox, 0);
  EXPECT_EQ(m.Label1, kCheckMenuHint);
  // The same name with a trailing blank is already there.
  EXPECT_FALSE(DropOnCheckBox(m, 1, "ｲｲ "));
  // A blank cell is no name.
  EXPECT_FALSE(DropOnCheckBox(m, 1, " 　"));
  EXPECT_EQ(Names(m.Boxes[1]), (Strings{"ｶｶ"}));
  // Losing the focus brings the drop hint back.
  BlurCheckBox(m, 0);
  EXPECT_EQ(m.Label1, kCheckDropHint);
}

TEST(CheckListWindow, MenuCommands) {
  const Pairs start{{0, "A"}, {0, "B"}, {0, "C"}, {1, "X"}, {1, "Y"}};
  struct Case {
    const char* what;
    CheckMenu item;
    int rightClicked;
    Strings box0, box1;
    Strings selected;  // names still selected afterwards: names that arrive in a box are not
  } cases[] = {
      // B (box 0) and Y (box 1) are selected in every case.
      {"delete selected, both boxes", CheckMenu::Del, 1, {"A", "C"}, {"X"}, {}},
      {"move selected swaps them", CheckMenu::Move, 0, {"A", "C", "Y"}, {"B", "X"}, {}},
      {"delete all of the right-clicked box", CheckMenu::DelAll, 1, {"A", "B", "C"}, {}, {"B"}},
      {"delete all of box 0", CheckMenu::DelAll, 0, {}, {"X", "Y"}, {"Y"}},
      {"move all of the right-clicked box", CheckMenu::MoveAll, 1, {"A", "B", "C", "X", "Y"}, {}, {"B"}},
      {"move all of box 0", CheckMenu::MoveAll, 0, {}, {"A", "B", "C", "X", "Y"}, {"Y"}},
  };
  for (const Case& c : cases) {
    Session s = Opened(start);
    CheckListWindowModel& m = s.checkListWindow;
    Select(m, 0, "B");
    Select(m, 1, "Y");
    RightPressCheckBox(m, c.rightClicked);
    RunCheckMenu(m, c.item);
    EXPECT_EQ(Names(m.Boxes[0]), c.box0) << c.what;
    EXPECT_EQ(Names(m.Boxes[1]), c.box1) << c.what;
    Strings selected;
    for (const CheckListBox& b : m.Boxes) {
      for (const CheckListItem& it : b.Items) {
        if (it.Selected) selected.push_back(it.Name);
      }
    }
    EXPECT_EQ(selected, c.selected) << c.what;
  }
}

TEST(CheckListWindow, MoveWithOneSideSelectedOnlyMovesThatSide) {
  Session s = Opened({{0, "A"}, {1, "X"}});
  CheckListWindowModel& m = s.checkListWindow;
  Select(m, 0, "A");
  RunCheckMenu(m, CheckMenu::Move);
  // A is not moved back although it then sits in box 1.
  EXPECT_EQ(Names(m.Boxes[0]), Strings{});
  EXPECT_EQ(Names(m.Boxes[1]), (Strings{"A", "X"}));
}

TEST(CheckListWindow, OkReplacesTheListAndColoursCancelKeepsThem) {
  Session s = Opened({{1, "Z"}, {0, "B"}, {0, "A"}}, 255, 16711680);
  CheckListWindowModel& m = s.checkListWindow;
  DropOnCheckBox(m, 1, " M");
  RightPressCheckBox(m, 1);
  SetCheckBoxColour(m, 65280);
  // Without "OK" nothing has changed (cancelling simply closes the window).
  EXPECT_EQ(Entries(s.app), (Pairs{{1, "Z"}, {0, "B"}, {0, "A"}}));
  EXPECT_EQ(s.app.BoxColors[1], 16711680);

  ConfirmCheckList(s.app, s.checkListWindow);
  // Box 0 then box 1, each in the order shown.
  EXPECT_EQ(Entries(s.app), (Pairs{{0, "A"}, {0, "B"}, {1, "M"}, {1, "Z"}}));
  EXPECT_EQ(s.app.BoxColors, (std::vector<Colour>{255, 65280}));
  EXPECT_EQ(CheckListColour(s.app, " M"), std::optional<Colour>(65280));
}

// ---- editing without the window -----------------------------------------------------------

TEST(CheckListEdit, AddAndRemove) {
  AppState app;
  EXPECT_TRUE(AddCheckName(app, " ABC　", 1));
  EXPECT_FALSE(AddCheckName(app, "ABC", 0));       // already on the list
  EXPECT_FALSE(AddCheckName(app, "  ", 0));        // no name
  EXPECT_FALSE(AddCheckName(app, "A\r\nB", 0));    // would break the file's lines
  EXPECT_FALSE(AddCheckName(app, "DEF", 2));       // no such box
  EXPECT_TRUE(AddCheckName(app, "DEF", 0));
  app.CheckList.push_back(CheckEntry{0, "ABC"});   // duplicates can come from old files
  EXPECT_EQ(Entries(app), (Pairs{{1, "ABC"}, {0, "DEF"}, {0, "ABC"}}));
  EXPECT_EQ(RemoveCheckName(app, "ABC "), 2);
  EXPECT_EQ(RemoveCheckName(app, "XYZ"), 0);
  EXPECT_EQ(Entries(app), (Pairs{{0, "DEF"}}));
  EXPECT_EQ(app.CheckList[0].Name, "");
}

// A long list opens at once, each box in the order names added one by one would take (equal
// sort keys in list order).
TEST(CheckListWindow, LongListOpensSortedInOneGo) {
  Session s;
  s.app.CheckList.assign(1, CheckEntry{});
  s.app.BoxColors = {255, 16711680};
  test::Lcg rng(7);
  constexpr int kNames = 160000;
  for (int i = 0; i < kNames; ++i) {
    const int v = static_cast<int>(rng.Next() * 50000);
    // Letter case does not count in the order: "abc" and "ABC" sort alike and keep list order.
    std::string name = (i % 3 == 0 ? "ﾀﾞｲﾜ" : i % 3 == 1 ? "uma" : "UMA") + std::to_string(v);
    s.app.CheckList.push_back(CheckEntry{i % 2, std::move(name)});
  }
  const auto start = std::chrono::steady_clock::now();
  OpenCheckListWindow(s.checkListWindow, s.app);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_LT(seconds, 4.0);

  CheckListWindowModel oneByOne;
  for (std::size_t i = 1; i <= 3000; ++i) {
    AddToCheckBox(oneByOne, s.app.CheckList[i].ColourIndex, s.app.CheckList[i].Name);
  }
  Session small;
  small.app.CheckList.assign(s.app.CheckList.begin(), s.app.CheckList.begin() + 3001);
  small.app.BoxColors = s.app.BoxColors;
  OpenCheckListWindow(small.checkListWindow, small.app);
  for (int b = 0; b < 2; ++b) {
    EXPECT_EQ(Names(small.checkListWindow.Boxes[b]), Names(oneByOne.Boxes[b])) << b;
    EXPECT_EQ(s.checkListWindow.Boxes[b].Items.size(), static_cast<std::size_t>(kNames / 2)) << b;
  }
}

}  // namespace
}  // namespace tz
