// The day runs: which races a run analyses and in what state, how a race becomes current, and
// the race classification read from the race card.
#include "exports/day_batch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <stdexcept>
#include <system_error>
#include <utility>
#include <vector>

#include "analysis/pipeline.h"
#include "pat98/day_loader.h"
#include "pat98/record_writers.h"
#include "session.h"
#include "support/fake_port.h"
#include "support/temp_dir.h"
#include "text/sjis.h"

namespace tz {
namespace {

namespace fs = std::filesystem;
using test::FakePort;
using test::TempDir;

const fs::path kSampleFolder = fs::path(TAZUNA_SOURCE_DIR) / "samples" / "20021020";

void LoadSample(Session& s, FakePort& port) {
  s.app.Pat98Folder = kSampleFolder;
  s.app.DataFolder = kSampleFolder;
  ASSERT_EQ(LoadCurrentData(s, port), 0);
  ASSERT_EQ(s.race.MeetingCount, 3);
}

// ---- Race classification from the race card ----

struct CardCase {
  const char* title2;
  const char* track;
  const char* distance;
  RaceClass expected;
};

TEST(ClassifyRaceCard, ConditionSurfaceAndDistanceFromTheCard) {
  const std::vector<CardCase> cases = {
      // The longer age texts are searched first: "３歳以上" is not read as "３歳".
      {"４歳以上５００万下", "芝", "1200", {5, 3, 1, 12}},
      {"３歳以上５００万下", "芝", "1600", {4, 3, 1, 16}},
      {"４歳上１６００万下", "ダ", "1800", {5, 5, 2, 18}},
      {"３歳上1000万下", "ダ", "1400", {4, 4, 2, 14}},
      {"３歳新馬", "ダ", "3000", {2, 1, 2, 30}},
      {"２歳未勝利", "芝", "1000", {1, 2, 1, 10}},
      {"４歳オープン", "芝", "2000", {3, 6, 1, 20}},
      // Graded races count as open class.
      {"サラ系４歳以上Ｇ３", "芝", "2500", {5, 6, 1, 25}},
      {"４歳９００万下", "芝", "2200", {3, 4, 1, 22}},
      // Nothing of the tables, an unknown surface, a distance below 1000 m.
      {"障害競走", "障", " 900", {0, 0, 0, 9}},
  };
  for (const CardCase& c : cases) {
    TempDir dir;
    Session s;
    s.app.DataFolder = dir.path();
    s.race.MeetingCount = 1;
    s.race.MeetingInfo[1] = {6, 4, 2, 2002};
    RaceCardFile card;
    card.courseCode = 6;
    card.dayOfMeeting = 2;
    card.race = 11;
    card.courseName = "中山";
    card.track = c.track;
    card.distance = c.distance;
    card.title1 = "ステイヤーズＳ";
    card.title2 = c.title2;
    WriteRaceCardFile(dir.path(), card);
    const RaceClass got = ClassifyRaceCard(s, 1, 11);
    EXPECT_EQ(got.Age, c.expected.Age) << c.title2;
    EXPECT_EQ(got.Class, c.expected.Class) << c.title2;
    EXPECT_EQ(got.Surface, c.expected.Surface) << c.title2;
    EXPECT_EQ(got.Distance, c.expected.Distance) << c.title2;
  }
}

TEST(ClassifyRaceCard, FileNameUsesCodeCharactersAndAnyLetterCase) {
  TempDir dir;
  Session s;
  s.app.DataFolder = dir.path();
  s.race.MeetingCount = 2;
  s.race.MeetingInfo[1] = {6, 4, 2, 2002};
  s.race.MeetingInfo[2] = {10, 2, 11, 2002};  // 小倉, day 11 of the meeting

  // Day 11, race 12 of racecourse 10: DE-ABC.JRA, stored in lower case.
  RaceCardFile card;
  card.courseCode = 10;
  card.dayOfMeeting = 11;
  card.race = 12;
  card.track = "ダ";
  card.distance = "1700";
  card.title2 = "３歳以上５００万下";
  const std::string bytes = RaceCardBytes(card);
  ASSERT_EQ(RaceCardFileName(10, 11, 12), "DE-ABC.JRA");
  dir.Write("de-abc.jra", bytes);

  const RaceClass found = ClassifyRaceCard(s, 2, 12);
  EXPECT_EQ(found.Age, 4);
  EXPECT_EQ(found.Class, 3);
  EXPECT_EQ(found.Surface, 2);
  EXPECT_EQ(found.Distance, 17);

  // No card for race 11 of that meeting nor for any race of meeting 1: everything 0.
  for (auto [m, r] : {std::pair{2, 11}, std::pair{1, 12}}) {
    const RaceClass none = ClassifyRaceCard(s, m, r);
    EXPECT_EQ(none.Age + none.Class + none.Surface + none.Distance, 0) << m << "/" << r;
  }
}

TEST(ClassifyRaceCard, ShortOrEmptyFileGivesZeros) {
  const RaceClass empty = ClassifyRaceCardBytes("");
  EXPECT_EQ(empty.Age + empty.Class + empty.Surface + empty.Distance, 0);
  // Cut inside the title lines: what is there is read, the missing rest counts as nothing.
  RaceCardFile card;
  card.title2 = "３歳以上５００万下";
  const std::string bytes = RaceCardBytes(card).substr(0, 40);
  const RaceClass cut = ClassifyRaceCardBytes(bytes);
  EXPECT_EQ(cut.Surface, 1);
  EXPECT_EQ(cut.Distance, 16);
  EXPECT_EQ(cut.Age, 0);
  EXPECT_EQ(cut.Class, 0);
}

// ---- Making a race current ----

TEST(MakeCurrentRace, OnlyEntriesStartingWithZInEitherCase) {
  Session s;
  s.app.DataFolder = "/data";
  auto& r = s.race;
  r.MeetingCount = 1;
  r.MeetingInfo[1] = {5, 4, 2, 2002};
  r.CourseMeetingSlot[5] = 1;
  r.OddsFileIndex[5][1] = "zo-521.jra";
  r.OddsFileIndex[5][2] = "";
  r.OddsFileIndex[5][3] = "UO-523.JRA";

  EXPECT_TRUE(MakeCurrentRace(s, 1, 1));
  EXPECT_EQ(r.CurrentOddsFileName, "zo-521.jra");
  EXPECT_EQ(r.OddsFilePath[0], (fs::path("/data") / "zo-521.jra").string());
  EXPECT_EQ(r.OddsFilePath[1], (fs::path("/data") / "Uo-521.jra").string());

  EXPECT_FALSE(MakeCurrentRace(s, 1, 2));
  EXPECT_FALSE(MakeCurrentRace(s, 1, 3));
  EXPECT_FALSE(MakeCurrentRace(s, 2, 1));   // no such meeting
  EXPECT_FALSE(MakeCurrentRace(s, 1, 13));  // the advance-sale slot is not a race of a run
}

// ---- The iteration over the day ----

struct Visit {
  int meeting, race;
  bool running;
  int dayKind, horseCount, rowCount;
  std::string raceType;
  std::vector<std::string> marks;
};

TEST(DayRun, AnalysesEveryRaceWithOddsInOrderAndRestoresTheSelection) {
  Session s;
  FakePort port;
  LoadSample(s, port);
  s.race.CurrentMeeting = 2;
  s.race.CurrentCourse = s.race.MeetingInfo[2].CourseCode;
  const int coursesBefore = s.race.CurrentCourse;

  std::vector<Visit> visits;
  std::vector<int> progress;
  std::vector<int> meetingsStarted;
  DayRunHooks hooks;
  hooks.meetingStart = [&](int m) { meetingsStarted.push_back(m); };
  hooks.analysed = [&](int m, int r) {
    Visit v{m,
            r,
            s.batch.Running,
            s.race.CurrentDayKind,
            s.race.HorseCount,
            s.prediction.RowCount,
            s.analysis.RaceTypeCode,
            {}};
    for (int p = 1; p <= s.prediction.RowCount; ++p) v.marks.push_back(s.prediction.Rows[p].Mark);
    visits.push_back(std::move(v));
  };
  hooks.progress = [&](int n) { progress.push_back(n); };
  ASSERT_TRUE(RunDayBatch(s, port, hooks));

  // 36 races of the day have odds files; one of them is not on sale and is not analysed.
  EXPECT_EQ(s.race.CurrentDayOddsCount, 36);
  ASSERT_EQ(progress.size(), 36u);
  for (std::size_t i = 0; i < progress.size(); ++i) EXPECT_EQ(progress[i], static_cast<int>(i + 1));
  ASSERT_EQ(visits.size(), 35u);
  EXPECT_EQ(meetingsStarted, (std::vector<int>{1, 2, 3}));
  for (std::size_t i = 1; i < visits.size(); ++i) {
    const auto before = std::pair{visits[i - 1].meeting, visits[i - 1].race};
    EXPECT_LT(before, (std::pair{visits[i].meeting, visits[i].race}));
  }
  for (const Visit& v : visits) {
    EXPECT_TRUE(v.running);
    EXPECT_EQ(v.dayKind, 1);
    EXPECT_LE(v.race, 12);
    EXPECT_EQ(v.rowCount, v.horseCount);
  }
  EXPECT_TRUE(port.Errors().empty());
  EXPECT_FALSE(s.batch.Running);
  EXPECT_EQ(s.race.CurrentMeeting, 2);
  EXPECT_EQ(s.race.CurrentCourse, coursesBefore);

  // Each race shows in the run exactly what selecting it by hand shows: nothing of the race
  // before leaks into the next one.
  for (const Visit& v : visits) {
    SelectMeeting(s, v.meeting);
    SelectRace(s, port, 4 + v.race);
    ASSERT_EQ(s.race.LoadStatus, 0);
    EXPECT_EQ(s.analysis.RaceTypeCode, v.raceType) << v.meeting << "/" << v.race;
    std::vector<std::string> marks;
    for (int p = 1; p <= s.prediction.RowCount; ++p) marks.push_back(s.prediction.Rows[p].Mark);
    EXPECT_EQ(marks, v.marks) << v.meeting << "/" << v.race;
  }
}

TEST(DayRun, BlankEntrySkippedMissingFileCountedButNotAnalysed) {
  Session s;
  FakePort port;
  LoadSample(s, port);
  auto& r = s.race;
  const int course2 = r.MeetingInfo[2].CourseCode;
  const int course3 = r.MeetingInfo[3].CourseCode;
  ASSERT_FALSE(r.OddsFileIndex[course2][3].empty());
  r.OddsFileIndex[course2][3].clear();               // no odds file: skipped, not counted
  r.OddsFileIndex[course3][5] = "ZO-NOWHERE.JRA";   // listed but unreadable: counted only

  std::vector<std::pair<int, int>> analysed;
  int processed = 0;
  ASSERT_TRUE(ForEachRaceOfDay(
      s, port, [&](int m, int race) { analysed.emplace_back(m, race); },
      [&](int n) { processed = n; }));
  EXPECT_EQ(processed, 35);
  EXPECT_EQ(analysed.size(), 33u);
  for (auto [m, race] : analysed) {
    EXPECT_FALSE(m == 2 && race == 3);
    EXPECT_FALSE(m == 3 && race == 5);
  }
  // The neighbours of the skipped race are still there.
  EXPECT_NE(std::find(analysed.begin(), analysed.end(), std::pair{2, 2}), analysed.end());
  EXPECT_NE(std::find(analysed.begin(), analysed.end(), std::pair{2, 4}), analysed.end());
}

TEST(DayRun, ErrorEndsTheRunWithItsMessageAndRestoresState) {
  Session s;
  FakePort port;
  LoadSample(s, port);
  s.race.CurrentMeeting = 1;
  s.race.CurrentCourse = s.race.MeetingInfo[1].CourseCode;
  int calls = 0;
  const bool done = ForEachRaceOfDay(s, port, [&](int m, int) {
    ++calls;
    if (m == 2) throw std::runtime_error("disk full");
  });
  EXPECT_FALSE(done);
  const int meeting1Races = calls - 1;
  EXPECT_GT(meeting1Races, 0);
  ASSERT_EQ(port.Errors().size(), 1u);
  EXPECT_EQ(port.Errors()[0], "ErrorNo.0\n\ndisk full");
  EXPECT_EQ(port.messages[0].title, s.app.AppTitle);
  EXPECT_FALSE(s.batch.Running);
  EXPECT_EQ(s.race.CurrentMeeting, 1);
  EXPECT_EQ(s.race.CurrentCourse, s.race.MeetingInfo[1].CourseCode);

  EXPECT_EQ(BatchErrorText(std::system_error(std::make_error_code(std::errc::permission_denied))).rfind(
                "ErrorNo." + std::to_string(EACCES) + "\n\n", 0),
            0u);
}

}  // namespace
}  // namespace tz
