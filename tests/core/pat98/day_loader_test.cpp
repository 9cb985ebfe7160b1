#include "pat98/day_loader.h"

#include <gtest/gtest.h>

#include "betting/bank_link.h"
#include "session.h"
#include "support/pat98_builders.h"
#include "support/fake_port.h"
#include "support/temp_dir.h"
#include "text/files.h"

namespace tz {
namespace {

using test::FakePort;
using test::TempDir;

struct DayFolder {
  TempDir dir;
  TempDir program;
  Session s;
  FakePort port;

  DayFolder() {
    test::PointAt(s, dir.path());
    s.app.CurrentFolderFile = program.path() / kCurrentFolderFileName;
  }
  void Guide(const std::string& name, const fixture::GuideRecord& g) {
    test::WriteOrFail(dir.path(), name, BettingGuideBytes(g));
  }
  void Odds(const std::string& name, int n = 8, const std::string& date = "20020908") {
    auto odds = test::MakeOdds(n, 5, 2, 1, date);
    test::WriteOrFail(dir.path(), name, fixture::OddsFileBytes(odds));
  }
  int Load(DayLoad kind = DayLoad::Reload) { return LoadCurrentData(s, port, kind); }
};

const std::vector<int> kAllSold = {31, 31, 31, 31, 31, 31, 31, 31, 31, 31, 31, 31};

TEST(DayLoader, ThreeMeetingsWithMeetingGuide) {
  DayFolder f;
  f.Guide("UY-A.JRA", test::MakeGuide(1, 2, {7, 15, 31, 0, 31, 31, 31, 31, 31, 31, 31, 31}));
  f.Guide("UY-B.JRA", test::MakeGuide(4, 2, kAllSold));
  f.Guide("UY-C.JRA", test::MakeGuide(9, 2, kAllSold));
  fixture::MeetingGuideRecord k;
  k.hour = 9;
  k.minute = 5;
  k.meetings = {{"雨", "稍重", "重", 3}, {"晴", "良", "良", 1}, {"曇", "良", "稍重", 2}};
  test::WriteOrFail(f.dir.path(), "KA-ANNAI.JRA", MeetingGuideBytes(k));
  for (const char* n : {"ZO-121.JRA", "ZO-122.JRA", "ZO-124.JRA", "ZO-12C.JRA", "ZO-421.JRA"}) {
    f.Odds(n);
  }

  ASSERT_EQ(f.Load(), 0);
  const RaceModel& r = f.s.race;
  EXPECT_EQ(r.MeetingCount, 3);
  EXPECT_EQ(r.GuideDate, "20020908");
  EXPECT_EQ(r.GuideDateText, "2002年09月08日");
  EXPECT_EQ(r.GuideDateIso, "2002-09-08");
  EXPECT_EQ(r.MeetingInfo[2].CourseCode, 4);
  EXPECT_EQ(r.MeetingInfo[2].Kai, 4);
  EXPECT_EQ(r.MeetingInfo[2].Day, 2);
  EXPECT_EQ(r.MeetingInfo[2].Year, 2002);
  EXPECT_EQ(r.MeetingCourseName[3], "阪神");
  EXPECT_EQ(r.CourseMeetingSlot[1], 1);
  EXPECT_EQ(r.CourseMeetingSlot[4], 2);
  EXPECT_EQ(r.CourseMeetingSlot[9], 3);
  EXPECT_EQ(r.CourseMeetingSlot[5], 0);
  EXPECT_EQ(r.RaceSaleCode[1][1], 7);
  EXPECT_EQ(r.RaceSaleCode[1][2], 15);
  EXPECT_EQ(r.RaceSaleCode[1][4], 0);
  EXPECT_EQ(r.GuideHour, 9);
  EXPECT_EQ(r.GuideMinute, 5);
  EXPECT_EQ(r.MeetingGuide[1].Weather, "雨　");
  EXPECT_EQ(r.MeetingGuide[3].DirtGoing, "稍重");
  EXPECT_EQ(r.OddsFileCount, 5);
  EXPECT_EQ(r.CurrentDayOddsCount, 5);
  EXPECT_EQ(r.OddsFileIndex[1][12], "ZO-12C.JRA");
  EXPECT_EQ(r.OddsFileIndex[4][1], "ZO-421.JRA");
  EXPECT_EQ(r.OddsFileIndex[9][1], "");
  EXPECT_EQ(r.CurrentMeeting, 1);
  EXPECT_EQ(r.CurrentCourse, 1);
  EXPECT_EQ(r.HorseCount, 0);

  const DayViewModel& v = f.s.dayView;
  EXPECT_EQ(v.caption, "Tazuna98 - " + f.dir.path().string());
  EXPECT_EQ(v.statusPanel1, "2002年09月08日");
  EXPECT_EQ(v.statusPanel5, "疾風組　Ver0.02β");
  EXPECT_TRUE(v.saveCurrentEnabled);
  EXPECT_FALSE(v.updateSavedEnabled);
  EXPECT_FALSE(v.mainToolBarEnabled);
  EXPECT_EQ(v.meetingButtons[1].caption, "札幌");
  EXPECT_EQ(v.meetingButtons[2].caption, "新潟");
  EXPECT_EQ(v.meetingButtons[3].caption, "阪神");
  for (int m = 1; m <= 3; ++m) {
    EXPECT_TRUE(v.meetingButtons[m].visible);
    EXPECT_TRUE(v.meetingButtons[m].enabled);
    EXPECT_EQ(v.meetingButtons[m].pressed, m == 1);
  }
  EXPECT_EQ(v.meetingButtons[1].icon, kIconRain);
  EXPECT_EQ(v.meetingButtons[1].toolTip, "9時5分現在　[雨　] [芝：稍重] [ﾀﾞｰﾄ：重　]");
  EXPECT_EQ(v.meetingButtons[2].icon, kIconNone);
  // Race buttons 5..17 of meeting 1: files for races 1, 2, 4 and 12; race 4 is not sold.
  for (int b = 5; b <= 17; ++b) {
    bool expected = b == 5 || b == 6 || b == 16;
    EXPECT_EQ(v.raceButtons[b].enabled, expected) << "button " << b;
  }
  // The current-folder file names the loaded folder.
  EXPECT_TRUE(text::FileExists(f.program.path() / kCurrentFolderFileName));
}

TEST(DayLoader, AdvanceSaleFileFromALaterDayTakesSlot13) {
  DayFolder f;
  f.Guide("UY-A.JRA", test::MakeGuide(5, 2, kAllSold));
  auto d = test::MakeGuide(5, 3, {});
  d.saleCodes[3] = 31;
  f.Guide("UY-D.JRA", d);
  f.Odds("ZO-521.JRA");
  f.Odds("ZO-5B3.JRA");  // day code B = 11 > 2
  ASSERT_EQ(f.Load(), 0);
  const RaceModel& r = f.s.race;
  EXPECT_EQ(r.OddsFileIndex[5][13], "ZO-5B3.JRA");
  EXPECT_EQ(r.OddsFileIndex[5][3], "");
  EXPECT_EQ(r.CurrentDayOddsCount, 1);
  EXPECT_EQ(r.OddsFileCount, 2);
  EXPECT_EQ(r.RaceSaleCode[4][3], 31);
  EXPECT_TRUE(f.s.dayView.raceButtons[17].enabled);
  EXPECT_TRUE(f.s.dayView.raceButtons[5].enabled);
  EXPECT_FALSE(f.s.dayView.raceButtons[7].enabled);
}

TEST(DayLoader, LowerCaseNamesAndCodeCharacters) {
  DayFolder f;
  f.Guide("uy-a.jra", test::MakeGuide(5, 10, kAllSold));
  f.Odds("zo-5a1.jra");
  f.Odds("zo-5ab.jra");
  ASSERT_EQ(f.Load(), 0);
  const RaceModel& r = f.s.race;
  EXPECT_EQ(r.MeetingCount, 1);
  EXPECT_EQ(r.OddsFileIndex[5][1], "zo-5a1.jra");
  EXPECT_EQ(r.OddsFileIndex[5][11], "zo-5ab.jra");
  EXPECT_TRUE(f.s.dayView.raceButtons[5].enabled);
  EXPECT_TRUE(f.s.dayView.raceButtons[15].enabled);

  struct Case {
    char c;
    int v;
  };
  for (Case c : {Case{'1', 1}, {'9', 9}, {'A', 10}, {'a', 10}, {'B', 11}, {'c', 12}, {'0', 0},
                 {'D', 0}, {'-', 0}, {' ', 0}}) {
    EXPECT_EQ(CodeCharValue(c.c), c.v) << c.c;
  }
  EXPECT_EQ(CodeCharValue(std::string_view()), 0);
}

TEST(DayLoader, RacecourseNamesAndCodes) {
  RaceModel r;
  r.MeetingCourseName[2] = "ＪＲ";
  struct Case {
    int code, year;
    std::string name;
  };
  for (const Case& c : std::vector<Case>{{1, 2002, "札幌"},
                                         {10, 2002, "小倉"},
                                         {11, 2002, "    "},
                                         {0, 2002, "    "},
                                         {2, 9999, "ＪＲ"},
                                         {4, 9999, "    "}}) {
    EXPECT_EQ(RacecourseName(r, c.code, c.year), c.name) << c.code << "/" << c.year;
  }
  EXPECT_EQ(RacecourseCode("中山"), 6);
  EXPECT_EQ(RacecourseCode("小倉"), 10);
  EXPECT_EQ(RacecourseCode("大井"), 0);
  EXPECT_EQ(RacecourseCode(""), 0);
}

TEST(DayLoader, MeetingCaptionsForYear9999AndRacecourse11) {
  DayFolder f;
  f.Guide("UY-A.JRA", test::MakeGuide(11, 2, kAllSold));
  auto b = test::MakeGuide(2, 2, kAllSold);
  b.year = 9999;
  b.courseName = "盛岡";
  f.Guide("UY-B.JRA", b);
  f.Odds("ZO-221.JRA");
  ASSERT_EQ(f.Load(), 0);
  const DayViewModel& v = f.s.dayView;
  EXPECT_EQ(v.meetingButtons[1].caption, "    ");
  EXPECT_EQ(v.meetingButtons[2].caption, "盛岡");
  EXPECT_FALSE(v.meetingButtons[3].visible);
  // Meeting 1 has no racecourse of the table: none of its races can be chosen.
  for (int b = 5; b <= 17; ++b) EXPECT_FALSE(v.raceButtons[b].enabled);
  // Selecting meeting 2 shows its race.
  f.s.race.CurrentMeeting = 2;
  RefreshDayView(f.s.race, f.s.dayView, f.s.app, f.s.folders);
  EXPECT_EQ(f.s.race.CurrentCourse, 2);
  EXPECT_TRUE(f.s.dayView.raceButtons[5].enabled);
  EXPECT_TRUE(f.s.dayView.meetingButtons[2].pressed);
  EXPECT_FALSE(f.s.dayView.meetingButtons[1].pressed);
}

TEST(DayLoader, WeatherIconsAndMissingMeetingGuide) {
  struct Case {
    std::string weather;
    int icon;
  };
  for (const Case& c : std::vector<Case>{{"晴", kIconFine},
                                         {"曇", kIconCloudy},
                                         {"雨", kIconRain},
                                         {"小雨", kIconLightRain},
                                         {"雪", kIconSnow},
                                         {"霧", kIconNone}}) {
    DayFolder f;
    f.Guide("UY-A.JRA", test::MakeGuide(5, 2, kAllSold));
    fixture::MeetingGuideRecord k;
    k.meetings = {{c.weather, "良", "良", 1}};
    test::WriteOrFail(f.dir.path(), "ka-annai.jra", MeetingGuideBytes(k));
    f.Load();
    EXPECT_EQ(f.s.dayView.meetingButtons[1].icon, c.icon) << c.weather;
  }

  DayFolder f;
  f.Guide("UY-A.JRA", test::MakeGuide(5, 2, kAllSold));
  fixture::MeetingGuideRecord k;
  k.date = "20020907";
  k.meetings = {{"晴", "良", "良", 1}};
  test::WriteOrFail(f.dir.path(), "KA-ANNAI.JRA", MeetingGuideBytes(k));
  f.Load();
  EXPECT_EQ(f.s.race.GuideHour, 0);
  EXPECT_EQ(f.s.dayView.meetingButtons[1].icon, kIconNoMeetingGuide);
  EXPECT_EQ(f.s.dayView.meetingButtons[1].toolTip, "開催案内は取得されていません");
}

TEST(DayLoader, EmptyFolderGivesAnEmptyDay) {
  DayFolder f;
  f.s.race.MeetingCount = 2;  // a day loaded before
  f.s.app.settings.BankLink = 1;
  test::WriteOrFail(f.dir.path(), kBankLinkFileName, "old\r\n");
  EXPECT_EQ(f.Load(), -3);
  const DayViewModel& v = f.s.dayView;
  EXPECT_EQ(f.s.race.MeetingCount, 0);
  EXPECT_EQ(f.s.race.GuideDate, "");
  EXPECT_EQ(v.caption, "Tazuna98 - " + f.dir.path().string());
  EXPECT_EQ(v.statusPanel1, "");
  EXPECT_FALSE(v.saveCurrentEnabled);
  EXPECT_FALSE(v.updateSavedEnabled);
  for (int m = 1; m <= 3; ++m) {
    EXPECT_TRUE(v.meetingButtons[m].visible);
    EXPECT_FALSE(v.meetingButtons[m].enabled);
    EXPECT_EQ(v.meetingButtons[m].caption, "");
  }
  for (int b = 5; b <= 17; ++b) EXPECT_FALSE(v.raceButtons[b].enabled);
  EXPECT_FALSE(text::FindEntry(f.dir.path(), kBankLinkFileName).has_value());
  EXPECT_FALSE(text::FileExists(f.program.path() / kCurrentFolderFileName));
  EXPECT_TRUE(f.port.messages.empty());
}

TEST(DayLoader, OddsWithoutGuideOffersThePseudoGuide) {
  {
    DayFolder f;
    f.Odds("ZO-521.JRA");
    f.port.answers = {Answer::No};
    EXPECT_EQ(f.Load(), 9);
    ASSERT_EQ(f.port.messages.size(), 1u);
    EXPECT_EQ(f.port.messages[0].text, "投票要項が存在しません。\n擬似投票要項を作成しますか？");
    EXPECT_EQ(f.port.messages[0].buttons, Buttons::YesNo);
    EXPECT_EQ(f.port.messages[0].icon, Icon::Warning);
    EXPECT_FALSE(text::FindEntry(f.dir.path(), "UY-A.JRA").has_value());
  }
  {
    DayFolder f;
    f.Odds("ZO-521.JRA");
    f.Odds("ZO-522.JRA");
    f.port.answers = {Answer::Yes};
    EXPECT_EQ(f.Load(), 0);
    EXPECT_EQ(f.s.race.MeetingCount, 1);
    EXPECT_EQ(f.s.race.MeetingInfo[1].CourseCode, 5);
    EXPECT_EQ(f.s.race.RaceSaleCode[1][1], 7);
    EXPECT_EQ(f.s.dayView.meetingButtons[1].caption, "東京");
    EXPECT_TRUE(f.s.dayView.raceButtons[5].enabled);
    EXPECT_TRUE(f.s.dayView.raceButtons[6].enabled);
    EXPECT_FALSE(f.s.dayView.raceButtons[7].enabled);
  }
  {
    DayFolder f;  // mixed dates: refused, the load ends
    f.Odds("ZO-521.JRA");
    f.Odds("ZO-522.JRA", 8, "20020907");
    f.port.answers = {Answer::Yes};
    EXPECT_EQ(f.Load(), -1);
    EXPECT_EQ(f.port.Errors(), std::vector<std::string>{"異なる日付のオッズが含まれています。"});
    EXPECT_FALSE(text::FindEntry(f.dir.path(), "UY-A.JRA").has_value());
  }
}

TEST(DayLoader, PseudoGuideThatWritesNothingLeavesAnEmptyDay) {
  DayFolder f;
  f.s.race.MeetingCount = 2;  // the day loaded before
  f.Odds("ZO-D21.JRA");        // names no racecourse: the builder writes no guide
  f.port.answers = {Answer::Yes};
  EXPECT_EQ(f.Load(), 9);
  EXPECT_EQ(f.s.race.MeetingCount, 0);
  for (int m = 1; m <= 3; ++m) EXPECT_FALSE(f.s.dayView.meetingButtons[m].enabled);
  for (int b = 5; b <= 17; ++b) EXPECT_FALSE(f.s.dayView.raceButtons[b].enabled);
}

TEST(DayLoader, AGapInTheGuideFilesKeepsMeetingsAndSlotsInStep) {
  DayFolder f;
  f.Guide("UY-A.JRA", test::MakeGuide(5, 2, kAllSold));
  auto c = test::MakeGuide(8, 2, {});
  c.saleCodes[1] = 7;
  f.Guide("UY-C.JRA", c);
  f.Odds("ZO-821.JRA");
  ASSERT_EQ(f.Load(), 0);
  const RaceModel& r = f.s.race;
  EXPECT_EQ(r.MeetingCount, 2);
  EXPECT_EQ(r.MeetingInfo[2].CourseCode, 8);
  EXPECT_EQ(r.CourseMeetingSlot[8], 2);
  EXPECT_EQ(r.RaceSaleCode[2][1], 7);
  EXPECT_EQ(f.s.dayView.meetingButtons[2].caption, "京都");
  f.s.race.CurrentMeeting = 2;
  RefreshDayView(f.s.race, f.s.dayView, f.s.app, f.s.folders);
  EXPECT_TRUE(f.s.dayView.raceButtons[5].enabled);
}

TEST(DayLoader, OnlyOddsOfTheGuideDateAndKnownRacecoursesAreIndexed) {
  DayFolder f;
  f.Guide("UY-A.JRA", test::MakeGuide(5, 2, kAllSold));
  f.Odds("ZO-521.JRA");
  f.Odds("ZO-522.JRA", 8, "20020907");  // another day
  f.Odds("ZO-621.JRA");                 // racecourse without a guide
  f.Odds("ZO-D21.JRA");                 // no racecourse
  f.Odds("ZO-501.JRA");                 // day code 0
  f.Odds("ZO-52D.JRA");                 // no race
  f.Odds("ZO-5213.JRA");                // not a PAT98 name
  ASSERT_EQ(f.Load(), 0);
  const RaceModel& r = f.s.race;
  EXPECT_EQ(r.OddsFileCount, 1);
  EXPECT_EQ(r.OddsFileList[0], "ZO-521.JRA");
  EXPECT_EQ(r.OddsFileIndex[5][1], "ZO-521.JRA");
  EXPECT_EQ(r.OddsFileIndex[5][2], "");
}

TEST(DayLoader, MoreThan41OddsFilesKeepTheFirst41) {
  DayFolder f;
  f.Guide("UY-A.JRA", test::MakeGuide(5, 2, kAllSold));
  f.Guide("UY-B.JRA", test::MakeGuide(6, 2, kAllSold));
  f.Guide("UY-C.JRA", test::MakeGuide(8, 2, kAllSold));
  f.Guide("UY-D.JRA", test::MakeGuide(5, 3, kAllSold));
  int written = 0;
  for (int c : {5, 6, 8}) {
    for (int race = 1; race <= 12; ++race) {
      f.Odds(RaceFileName("ZO-", c, 2, race));
      ++written;
    }
    for (int race = 1; race <= 3; ++race) {
      f.Odds(RaceFileName("ZO-", c, 3, race));
      ++written;
    }
  }
  ASSERT_EQ(written, 45);
  ASSERT_EQ(f.Load(), 0);
  const RaceModel& r = f.s.race;
  EXPECT_EQ(r.OddsFileCount, 41);
  // Directory order: course 5 and 6 complete (30 files), then 11 of course 8.
  EXPECT_EQ(r.OddsFileList[40], "ZO-82B.JRA");
  EXPECT_EQ(r.OddsFileIndex[8][11], "ZO-82B.JRA");
  EXPECT_EQ(r.OddsFileIndex[8][12], "");
  EXPECT_EQ(r.OddsFileIndex[5][13], "ZO-533.JRA");  // the last advance file of a course wins
}

TEST(DayLoader, OpenedFolderEnablesUpdateOnlyForThePat98Day) {
  for (std::string pat98Date : {"20020908", "20020907"}) {
    DayFolder f;
    TempDir pat98;
    f.s.app.Pat98Folder = pat98.path();
    f.s.app.Pat98GuideDate = pat98Date;
    f.s.app.settings.BankLink = 1;
    f.Guide("UY-A.JRA", test::MakeGuide(5, 2, kAllSold));
    ASSERT_EQ(f.Load(), 0);
    EXPECT_FALSE(f.s.dayView.saveCurrentEnabled);
    EXPECT_EQ(f.s.dayView.updateSavedEnabled, pat98Date == "20020908");
    // The bank link file in the PAT98 folder names the opened folder.
    EXPECT_EQ(test::ReadAll(pat98.path() / kBankLinkFileName), f.dir.path().string() + "\r\n");
  }
}

TEST(DayLoader, AdvanceSaleRaceWithoutItsGuideIsNotOnSale) {
  DayFolder f;
  f.Guide("UY-A.JRA", test::MakeGuide(5, 2, kAllSold));
  f.Guide("UY-D.JRA", test::MakeGuide(5, 3, kAllSold));
  f.Odds("ZO-531.JRA");
  ASSERT_EQ(f.Load(), 0);
  EXPECT_EQ(f.s.race.RaceSaleCode[4][1], 31);
  // The next day's folder has the advance-sale odds file but no UY-D.JRA.
  std::filesystem::remove(f.dir.path() / "UY-D.JRA");
  ASSERT_EQ(f.Load(), 0);
  EXPECT_EQ(f.s.race.OddsFileIndex[5][13], "ZO-531.JRA");
  EXPECT_EQ(f.s.race.RaceSaleCode[4][1], 0);
}

TEST(DayLoader, HintLabelOnlyAtStartWithoutThePat98Program) {
  DayFolder f;
  f.Guide("UY-A.JRA", test::MakeGuide(5, 2, kAllSold));
  f.Load(DayLoad::FirstLoad);
  EXPECT_TRUE(f.s.dayView.hintLabelVisible);
  test::WriteOrFail(f.dir.path(), "PAT98.EXE", "MZ");
  f.Load(DayLoad::FirstLoad);
  EXPECT_FALSE(f.s.dayView.hintLabelVisible);
  // A later load of the folder leaves the hint as the first load decided.
  std::filesystem::remove(f.dir.path() / "PAT98.EXE");
  f.Load();
  EXPECT_FALSE(f.s.dayView.hintLabelVisible);
}

TEST(DayLoader, RefreshAsksToCloseWindows) {
  DayFolder f;
  f.Guide("UY-A.JRA", test::MakeGuide(5, 2, kAllSold));
  f.s.app.ReloadAllWindows = 1;
  f.Load();
  EXPECT_EQ(f.s.dayView.closeWindows, CloseWindowsRequest::AllButMain);
  EXPECT_EQ(f.s.app.ReloadAllWindows, 0);
  RefreshDayView(f.s.race, f.s.dayView, f.s.app, f.s.folders);
  EXPECT_EQ(f.s.dayView.closeWindows, CloseWindowsRequest::AllButKept);
}

}  // namespace
}  // namespace tz
