#include "snapshot/base_snapshot.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/pipeline.h"
#include "pat98/day_loader.h"
#include "pat98/file_names.h"
#include "pat98/odds_reader.h"
#include "samples/pat98/sample_day.h"
#include "session.h"
#include "support/fake_port.h"
#include "support/snapshot_day.h"
#include "support/temp_dir.h"

namespace tz {
namespace {

namespace fs = std::filesystem;
using fixture::OddsCell;
using test::FakePort;
using test::EarlierSnapshot;
using test::TempDir;

const fs::path kSampleFolder = fs::path(TAZUNA_SOURCE_DIR) / "samples" / "20021020";

// Everything the base odds feed, as one text: the base tables, the base columns with their
// ranks and colours, the change indicators, the gap markers of the base win column and 推移.
std::string BaseView(const Session& s) {
  std::ostringstream out;
  const AnalysisState& a = s.analysis;
  const MainWindowModel& mw = s.mainWindow;
  out << "loaded " << a.JrdbLoaded << " layout " << mw.JrdbLayout << "\n";
  for (int h = 1; h <= s.race.HorseCount; ++h) out << "[" << a.JrdbWinBase[h] << "|" << a.JrdbPlaceBase[h] << "]";
  out << "\n";
  for (const RowCells* cells : {&mw.jrdbtan, &mw.jrdbfuk, &mw.rankjrdb, &mw.rankjrdb2, &mw.odztan, &mw.odzfuk}) {
    for (int p = 1; p <= mw.RowCount; ++p) {
      const CellView& c = (*cells)[p];
      out << "(" << c.Text << " " << c.BackColor << " " << c.ForeColor << " " << c.Bold << ")";
    }
    out << "\n";
  }
  for (const IndicatorCell& c : mw.PicFukTo) out << c.Image << "/" << c.BackColor << " ";
  out << "\n";
  for (const GapMarker& g : mw.LbDanso[kGapJrdbWin]) out << g.Visible << g.Color << "/" << g.Width << " ";
  out << "\n" << a.UnderTenShift << " " << a.UnderTenShiftText << " " << mw.LbDown << "\n";
  return out.str();
}

// Every race of the day on sale, through the race buttons; `view` is called for each.
template <typename F>
int ForEachRace(Session& s, FakePort& port, F view) {
  int races = 0;
  for (int m = 1; m <= s.race.MeetingCount; ++m) {
    SelectMeeting(s, m);
    for (int slot = 1; slot <= kAdvanceSaleSlot; ++slot) {
      if (s.race.OddsFileIndex[s.race.CurrentCourse][slot].empty()) continue;
      SelectRace(s, port, 4 + slot);
      if (s.race.LoadStatus != 0) continue;
      ++races;
      view(m, slot);
    }
  }
  return races;
}

std::unique_ptr<Session> SampleSession(FakePort& port) {
  auto s = std::make_unique<Session>();
  s->app.Pat98Folder = s->app.DataFolder = kSampleFolder;
  EXPECT_EQ(LoadCurrentData(*s, port), 0);
  return s;
}

TEST(BaseSnapshot, GivesTheSameBaseViewAsAJrdbFileHoldingTheSameOdds) {
  TempDir dir;
  ASSERT_EQ(test::WriteSnapshotAndJrdb(dir / "2002-10-20(100500)", dir / "jrdb"), "");

  FakePort port;
  std::vector<std::string> jrdbViews;
  auto byJrdb = SampleSession(port);
  byJrdb->app.settings.OZpath = (dir / "jrdb").string();
  const int races = ForEachRace(*byJrdb, port, [&](int, int) {
    EXPECT_EQ(byJrdb->analysis.BaseCaption, "基準 JRDB");
    jrdbViews.push_back(BaseView(*byJrdb));
  });
  EXPECT_GE(races, 36);

  // The snapshot wins over the sample's own JRDB file, whose base odds are other ones.
  auto bySnapshot = SampleSession(port);
  bySnapshot->app.settings.OZpath = (kSampleFolder / "jrdb").string();
  ASSERT_TRUE(ChooseBaseSnapshot(*bySnapshot, port, dir / "2002-10-20(100500)"));
  std::size_t k = 0;
  int moved = 0, shifted = 0;
  ForEachRace(*bySnapshot, port, [&](int m, int slot) {
    ASSERT_LT(k, jrdbViews.size());
    EXPECT_EQ(bySnapshot->analysis.BaseSource, BaseOddsSource::Snapshot);
    EXPECT_EQ(bySnapshot->analysis.BaseCaption, "基準 10時5分ｽﾅｯﾌﾟｼｮｯﾄ");
    EXPECT_EQ(BaseView(*bySnapshot), jrdbViews[k]) << "meeting " << m << " slot " << slot;
    for (const IndicatorCell& c : bySnapshot->mainWindow.PicFukTo) moved += c.Image != 0;
    shifted += bySnapshot->analysis.UnderTenShift != 0;
    ++k;
  });
  EXPECT_EQ(k, jrdbViews.size());
  // The comparison is about real moves: indicators and 推移 changes are there to compare.
  EXPECT_GT(moved, 100);
  EXPECT_GT(shifted, 5);
  EXPECT_TRUE(port.messages.empty()) << port.messages[0].text;
}

TEST(BaseSnapshot, RefusesAnotherDayAFolderWithoutGuideAndTheFolderOnScreen) {
  TempDir dir;
  ASSERT_EQ(WriteSampleDay(BuildSampleDay(1, "20021027"), dir / "2002-10-27"), "");
  fs::create_directories(dir / "empty");
  FakePort port;
  auto s = SampleSession(port);
  struct Case {
    fs::path folder;
    const char* message;
  };
  for (const Case& c : {Case{dir / "2002-10-27", kBaseOtherDayMessage}, Case{dir / "empty", kBaseNoGuideMessage},
                        Case{dir / "missing", kBaseNoGuideMessage}, Case{kSampleFolder, kBaseSameFolderMessage}}) {
    port.messages.clear();
    EXPECT_FALSE(ChooseBaseSnapshot(*s, port, c.folder)) << c.folder;
    ASSERT_EQ(port.Errors().size(), 1u) << c.folder;
    EXPECT_EQ(port.Errors()[0], c.message);
    EXPECT_TRUE(s->baseSnapshot.Folder.empty());
  }
}

TEST(BaseSnapshot, ARaceMissingFromTheSnapshotIsShownWithoutBaseAndSaidSo) {
  TempDir dir;
  const SampleDay earlier = EarlierSnapshot();
  ASSERT_EQ(WriteSampleDay(earlier, dir / "snap"), "");
  const SampleRace& gone = earlier.races[10];  // race 11 of the first meeting
  ASSERT_EQ(gone.race, 11);
  fs::remove(dir / "snap" / RaceFileName("ZO-", gone.course, gone.day, gone.race));

  FakePort port;
  auto s = SampleSession(port);
  ASSERT_EQ(s->race.MeetingInfo[1].CourseCode, gone.course);
  s->app.settings.OZpath = (kSampleFolder / "jrdb").string();
  ASSERT_TRUE(ChooseBaseSnapshot(*s, port, dir / "snap"));
  SelectMeeting(*s, 1);
  SelectRace(*s, port, 4 + 11);
  ASSERT_EQ(s->race.LoadStatus, 0);
  EXPECT_FALSE(s->analysis.JrdbLoaded);  // not the JRDB file's odds either
  EXPECT_EQ(s->analysis.BaseSource, BaseOddsSource::None);
  EXPECT_EQ(s->analysis.BaseCaption, "");
  EXPECT_FALSE(s->mainWindow.JrdbLayout);
  ASSERT_EQ(port.messages.size(), 1u);
  EXPECT_EQ(port.messages[0].text, kBaseNoRaceMessage);

  // The next race is in the snapshot; back to the JRDB base, the race shows the file's odds.
  port.messages.clear();
  SelectRace(*s, port, 4 + 10);
  EXPECT_EQ(s->analysis.BaseSource, BaseOddsSource::Snapshot);
  UseJrdbBase(*s);
  SelectRace(*s, port, 4 + 11);
  EXPECT_EQ(s->analysis.BaseSource, BaseOddsSource::Jrdb);
  EXPECT_TRUE(port.messages.empty());

  // A day-wide run says nothing about the missing race.
  ASSERT_TRUE(ChooseBaseSnapshot(*s, port, dir / "snap"));
  SetRaceSelection(*s, s->race.CurrentMeeting, 11);
  AnalyseRace(*s, port, AnalysisFor::DayRun);
  EXPECT_FALSE(s->analysis.JrdbLoaded);
  EXPECT_TRUE(port.messages.empty());
}

TEST(BaseSnapshot, ASnapshotOfADayNoLongerLoadedIsDropped) {
  TempDir dir;
  ASSERT_EQ(WriteSampleDay(EarlierSnapshot(), dir / "snap"), "");
  ASSERT_EQ(WriteSampleDay(BuildSampleDay(1, "20021027"), dir / "next"), "");
  FakePort port;
  auto s = SampleSession(port);
  ASSERT_TRUE(ChooseBaseSnapshot(*s, port, dir / "snap"));
  s->app.DataFolder = dir / "next";
  ASSERT_EQ(LoadCurrentData(*s, port), 0);
  SelectMeeting(*s, 1);
  SelectRace(*s, port, 4 + 11);
  ASSERT_EQ(s->race.LoadStatus, 0);
  EXPECT_TRUE(s->baseSnapshot.Folder.empty());
  EXPECT_NE(s->analysis.BaseSource, BaseOddsSource::Snapshot);
  ASSERT_EQ(port.messages.size(), 1u);
  EXPECT_EQ(port.messages[0].text, kBaseOtherDayMessage);
}

TEST(BaseSnapshot, ChoicesAreTheSavedFoldersOfTheLoadedDay) {
  TempDir root;
  for (const char* name : {"2002-10-13", "2002-10-20", "2002-10-20(101530)", "2002-10-20(093000)", "2002-10-20x"}) {
    fs::create_directories(root / name);
  }
  AppState app;
  app.StoreRoot = root.path();
  app.DataFolder = root / "2002-10-20(101530)";
  RaceModel race;
  race.GuideDateIso = "2002-10-20";
  EXPECT_EQ(BaseSnapshotChoices(app, race), (std::vector<std::string>{"2002-10-20(093000)", "2002-10-20"}));
  race.GuideDateIso.clear();
  EXPECT_TRUE(BaseSnapshotChoices(app, race).empty());
}

}  // namespace
}  // namespace tz
