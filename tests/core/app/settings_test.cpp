#include "app/settings.h"

#include <gtest/gtest.h>

#include "app/ini_file.h"
#include "support/temp_dir.h"
#include "text/sjis.h"

namespace tz {
namespace {

using test::ReadAll;
using test::TempDir;

AppState StateIn(const TempDir& d) {
  AppState st;
  st.StoreRoot = d.path();
  return st;
}

// Values of the written file as "key=value" lines of one section, in file order.
std::vector<std::string> SectionLines(const std::string& file, const std::string& section) {
  std::vector<std::string> out;
  std::string text = text::DecodeSjis(file);
  bool in = false;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t nl = text.find("\r\n", pos);
    std::string line = text.substr(pos, nl - pos);
    pos = nl == std::string::npos ? text.size() : nl + 2;
    if (!line.empty() && line[0] == '[') {
      in = line == "[" + section + "]";
    } else if (in && !line.empty()) {
      out.push_back(line);
    }
  }
  return out;
}

TEST(Settings, FreshStartGivesTheDefaults) {
  TempDir d;
  AppState st = StateIn(d);
  ReadSettings(st);
  const Settings& s = st.settings;
  EXPECT_EQ(s.Money, 100);
  EXPECT_EQ(s.Limit, 1000);
  EXPECT_EQ(s.Profit, 10000);
  EXPECT_EQ(s.Mask, "*.txt");
  EXPECT_EQ(s.Window, 1);
  EXPECT_EQ(s.HitColor, 1);
  EXPECT_EQ(s.LogDisp, 1);
  EXPECT_EQ(s.SaveMsg, 1);
  EXPECT_EQ(s.CnJiku, 1);
  EXPECT_EQ(st.MainWindowWidth, 9600);
  EXPECT_EQ(s.Windows.Top[5], 2650);
  EXPECT_EQ(s.Windows.Left[2], 7335);
  EXPECT_EQ(s.OddsRanges, (std::array<std::int32_t, 6>{1000, 2000, 4000, 7000, 10000, 30000}));
  EXPECT_EQ(st.BoxColors, (std::vector<Colour>{255, 255}));
  EXPECT_EQ(st.CheckList.size(), 1u);
  EXPECT_TRUE(st.Pat98Folder.empty());
  // Nothing is written by reading.
  EXPECT_FALSE(std::filesystem::exists(d / "tz98.ini"));
}

TEST(Settings, NumbersAreReadWithValAndClamped) {
  TempDir d;
  d.Write("tz98.ini",
          "[OPTION]\r\nCnRank=9\r\nCnBken=0\r\nCnJiku=-3\r\nCnHimo=4.5\r\nMoney=250yen\r\n"
          "Limit=abc\r\nTermScr=99999\r\nProfit=3000000000\r\nOdzColor= 1 \r\n");
  AppState st = StateIn(d);
  ReadSettings(st);
  const Settings& s = st.settings;
  EXPECT_EQ(s.CnRank, 5);
  EXPECT_EQ(s.CnBken, 1);
  EXPECT_EQ(s.CnJiku, 1);
  EXPECT_EQ(s.CnHimo, 4);  // 4.5 goes to the even neighbour
  EXPECT_EQ(s.Money, 250);
  EXPECT_EQ(s.Limit, 0);           // non-numeric text is 0, not the default
  EXPECT_EQ(s.TermScr, 32767);     // 16-bit setting
  EXPECT_EQ(s.Profit, 2147483647); // 32-bit setting
  EXPECT_EQ(s.OdzColor, 1);
}

TEST(Settings, RangesAreAllOrNothing) {
  TempDir d;
  d.Write("tz98.ini", "[RANGE]\r\nRange0=500\r\nRange1=600\r\nRange2=700\r\nRange4=900\r\nRange5=1000\r\n");
  AppState st = StateIn(d);
  ReadSettings(st);
  EXPECT_EQ(st.settings.OddsRanges, (std::array<std::int32_t, 6>{1000, 2000, 4000, 7000, 10000, 30000}));

  d.Write("tz98.ini", "[RANGE]\r\nRange0=500\r\nRange1=600\r\nRange2=700\r\nRange3=800\r\nRange4=900\r\nRange5=1000\r\n");
  AppState st2 = StateIn(d);
  ReadSettings(st2);
  EXPECT_EQ(st2.settings.OddsRanges, (std::array<std::int32_t, 6>{500, 600, 700, 800, 900, 1000}));
}

TEST(Settings, WindowZeroWritesEmptyPositionsAndDefaultsComeBack) {
  TempDir d;
  AppState st = StateIn(d);
  ReadSettings(st);
  st.settings.Window = 0;
  st.MainWindowWidth = 12000;
  st.settings.Windows.Top[3] = 100;
  ASSERT_EQ(WriteSettings(st), "");
  std::vector<std::string> win = SectionLines(ReadAll(d / "tz98.ini"), "WINDOW");
  ASSERT_EQ(win.size(), 15u);
  EXPECT_EQ(win[0], "WinWidth=");
  EXPECT_EQ(win[1], "Win1Top=");
  EXPECT_EQ(win[14], "Win7Left=");

  AppState next = StateIn(d);
  ReadSettings(next);
  EXPECT_EQ(next.MainWindowWidth, 9600);
  EXPECT_EQ(next.settings.Windows.Top[3], 2020);

  // With Window 1 the positions are kept, in their shortest form.
  st.settings.Window = 1;
  st.settings.Windows.Left[4] = 1234.5;
  ASSERT_EQ(WriteSettings(st), "");
  win = SectionLines(ReadAll(d / "tz98.ini"), "WINDOW");
  EXPECT_EQ(win[0], "WinWidth=12000");
  EXPECT_EQ(win[5], "Win3Top=100");
  EXPECT_EQ(win[8], "Win4Left=1234.5");
}

TEST(Settings, CheckSectionNamesMoveToTheCheckList) {
  TempDir d;
  d.Write("tz98.ini", text::EncodeSjis("[CHECK]\r\nName0=ｱｸﾞﾈｽﾀｷｵﾝ \r\nName1=\r\nName2=　\r\nName3=武豊\r\nColor1=2\r\n"));
  AppState st = StateIn(d);
  ReadSettings(st);
  ASSERT_EQ(st.CheckList.size(), 3u);
  EXPECT_EQ(st.CheckList[1].Name, "ｱｸﾞﾈｽﾀｷｵﾝ");  // the profile format trims the value itself
  EXPECT_EQ(st.CheckList[2].Name, "武豊");
  // Box colours default to the colour index given by the Color keys.
  EXPECT_EQ(st.BoxColors, (std::vector<Colour>{255, 16711935}));

  ASSERT_EQ(WriteSettings(st), "");
  std::vector<std::string> check = SectionLines(ReadAll(d / "tz98.ini"), "CHECK");
  // The thirty names are written empty; the Color keys stay as they were.
  int names = 0;
  for (const std::string& l : check) {
    if (l.rfind("Name", 0) == 0) {
      ++names;
      EXPECT_EQ(l.back(), '=') << l;
    }
  }
  EXPECT_EQ(names, 30);
}

TEST(Settings, ColourIndexOutsideTheTableFallsBackToTheFirstColour) {
  TempDir d;
  d.Write("tz98.ini", "[CHECK]\r\nColor0=7\r\nColor1=-1\r\n");
  AppState st = StateIn(d);
  ReadSettings(st);
  EXPECT_EQ(st.BoxColors, (std::vector<Colour>{255, 255}));
}

TEST(Settings, RoundTripKeepsUnknownLinesAndJapaneseValues) {
  TempDir d;
  std::string original =
      "; comment kept\r\n[USER]\r\nfoo=bar\r\n[folder]\r\nPATPATH=/mnt/ＰＡＴ９８/中山\r\nextra=1\r\n"
      "[option]\r\nmask=*.log\r\nmoney=500\r\n";
  d.Write("tz98.ini", text::EncodeSjis(original));
  AppState st = StateIn(d);
  ReadSettings(st);
  EXPECT_EQ(st.Pat98Folder, "/mnt/ＰＡＴ９８/中山");
  EXPECT_EQ(st.settings.Mask, "*.log");
  EXPECT_EQ(st.settings.Money, 500);
  ASSERT_EQ(WriteSettings(st), "");

  std::string written = ReadAll(d / "tz98.ini");
  std::string decoded = text::DecodeSjis(written);
  EXPECT_NE(decoded.find("; comment kept\r\n[USER]\r\nfoo=bar\r\n"), std::string::npos);
  EXPECT_NE(decoded.find("extra=1\r\n"), std::string::npos);
  // The existing key keeps its place and spelling of the section; the value is replaced.
  EXPECT_NE(decoded.find("[folder]\r\nPatpath=/mnt/ＰＡＴ９８/中山\r\n"), std::string::npos);
  EXPECT_NE(written.find(text::EncodeSjis("中山")), std::string::npos);

  AppState again = StateIn(d);
  ReadSettings(again);
  EXPECT_EQ(again.Pat98Folder, st.Pat98Folder);
  EXPECT_EQ(again.settings.Money, 500);
  EXPECT_EQ(again.settings.OddsRanges, st.settings.OddsRanges);
  EXPECT_EQ(again.BoxColors, st.BoxColors);
}

TEST(Settings, OptionKeysAreWrittenInTheirOrder) {
  TempDir d;
  AppState st = StateIn(d);
  ReadSettings(st);
  ASSERT_EQ(WriteSettings(st), "");
  std::vector<std::string> opt = SectionLines(ReadAll(d / "tz98.ini"), "OPTION");
  ASSERT_GE(opt.size(), 42u);
  EXPECT_EQ(opt[0], "CJ=0");
  EXPECT_EQ(opt[4], "AUTO=0");
  EXPECT_EQ(opt[5], "Mask=*.txt");
  EXPECT_EQ(opt[36], "Money=100");
  EXPECT_EQ(opt[38], "Profit=10000");
  EXPECT_EQ(opt[39], "ImpliedWin=0");  // this program's own key, after the classic ones
  EXPECT_EQ(opt[40], "Box0=255");
  EXPECT_EQ(opt[41], "Box1=255");
}

TEST(Settings, GarbageFileGivesDefaultsAndStaysUntilWritten) {
  TempDir d;
  std::string garbage;
  for (int i = 0; i < 3000; ++i) garbage.push_back(static_cast<char>((i * 131 + 7) % 256));
  garbage += "\r\n[OPTION]\r\nMoney=30";  // the file ends in the middle of a line
  d.Write("tz98.ini", garbage);
  AppState st = StateIn(d);
  ReadSettings(st);
  EXPECT_EQ(st.settings.Money, 30);
  EXPECT_EQ(st.settings.Limit, 1000);
  EXPECT_EQ(ReadAll(d / "tz98.ini"), garbage);  // reading never rewrites the file

  d.Write("tz98.ini", std::string("\0\0\xFF\xFE\x81", 5));
  AppState st2 = StateIn(d);
  ReadSettings(st2);
  EXPECT_EQ(st2.settings.Money, 100);
  ASSERT_EQ(WriteSettings(st2), "");
  AppState st3 = StateIn(d);
  ReadSettings(st3);
  EXPECT_EQ(st3.settings.Money, 100);
}

TEST(IniFile, LookupIgnoresCaseAndCutsLongValues) {
  TempDir d;
  d.Write("TZ98.INI", "[Sec]\r\n Key = " + std::string(300, 'x') + "\r\n[Other]\r\nkey=2\r\n");
  clsIniFile ini;
  ini.SetPathName(d.path());
  ini.SetFileName("tz98.ini");
  EXPECT_EQ(ini.ReadData("SEC", "KEY"), std::string(254, 'x'));
  EXPECT_EQ(ini.ReadData("other", "Key"), "2");
  EXPECT_EQ(ini.ReadData("missing", "key"), "");
  EXPECT_EQ(ini.ReadData("Sec", "missing"), "");
  // A new key goes to the end of its section; the existing file name is kept.
  EXPECT_NE(ini.WriteData("sec", "New", "v"), 0);
  EXPECT_EQ(ini.Save(), "");
  EXPECT_EQ(ReadAll(d / "TZ98.INI"), "[Sec]\r\n Key = " + std::string(300, 'x') + "\r\nNew=v\r\n[Other]\r\nkey=2\r\n");
  EXPECT_FALSE(std::filesystem::exists(d / "tz98.ini"));
}

}  // namespace
}  // namespace tz
