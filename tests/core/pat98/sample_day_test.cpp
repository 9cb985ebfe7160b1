#include "samples/pat98/sample_day.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>

#include "pat98/day_loader.h"
#include "pat98/odds_reader.h"
#include "session.h"
#include "support/fake_port.h"
#include "support/temp_dir.h"
#include "text/files.h"
#include "text/numbers.h"
#include "text/sjis.h"
#include "text/strings.h"

namespace tz {
namespace {

namespace fs = std::filesystem;
using test::FakePort;
using test::TempDir;

const fs::path kSampleFolder = fs::path(TAZUNA_SOURCE_DIR) / "samples" / "20021020";

// Selects a race the way the race selection does and reads all of its odds.
int ReadRace(Session& s, FakePort& port, int meeting, int slot) {
  RaceModel& r = s.race;
  r.CurrentMeeting = meeting;
  RefreshDayView(s.race, s.dayView, s.app, s.folders);
  r.CurrentDayKind = slot == kAdvanceSaleSlot ? 2 : 1;
  r.CurrentOddsFileName = r.OddsFileIndex[r.CurrentCourse][slot];
  r.OddsFilePath[0] = (s.app.DataFolder / r.CurrentOddsFileName).string();
  r.OddsFilePath[1] = (s.app.DataFolder / ("U" + r.CurrentOddsFileName.substr(1))).string();
  r.ScratchedCount = 0;
  r.NoWideOdds = 0;
  if (ReadRaceOdds(s.race, s.app, s.folders, port) != 0) return r.LoadStatus;
  int guide = r.CourseMeetingSlot[r.CurrentCourse] + (r.CurrentDayKind == 2 ? 3 : 0);
  r.CurrentSaleCode = r.RaceSaleCode[guide][r.CurrentRace];
  r.LoadStatus = 0;
  if (r.CurrentSaleCode == 7) {
    if (r.HorseCount < 9) QuinellaFromBracketTable(r);
    else QuinellaFromBracketRepresentatives(r);
  } else if (r.CurrentSaleCode == 15 || r.CurrentSaleCode == 31) {
    ReadQuinellaFile(s.race, s.folders);
  }
  return r.LoadStatus;
}

TEST(SampleDay, CommittedDayIsTheGeneratorsOutput) {
  TempDir dir;
  ASSERT_EQ(WriteSampleDay(BuildSampleDay(1), dir.path()), "");
  std::vector<std::string> written = text::ListFolder(dir.path(), "*");
  std::vector<std::string> committed = text::ListFolder(kSampleFolder, "*");
  ASSERT_EQ(written, committed);
  for (const std::string& name : written) {
    EXPECT_EQ(test::ReadAll(dir.path() / name), test::ReadAll(kSampleFolder / name)) << name;
  }
  EXPECT_EQ(test::ReadAll(dir.path() / "jrdb" / "OZ021020.TXT"),
            test::ReadAll(kSampleFolder / "jrdb" / "OZ021020.TXT"));
  // Another seed gives another day.
  SampleDay other = BuildSampleDay(2);
  EXPECT_NE(fixture::OddsFileBytes(other.races[0].odds),
            fixture::OddsFileBytes(BuildSampleDay(1).races[0].odds));
}

TEST(SampleDay, CommittedDayLoadsAndEveryRaceReads) {
  Session s;
  FakePort port;
  s.app.Pat98Folder = kSampleFolder;
  s.app.DataFolder = kSampleFolder;
  ASSERT_EQ(LoadCurrentData(s, port), 0);
  RaceModel& r = s.race;
  ASSERT_EQ(r.MeetingCount, 3);
  EXPECT_EQ(r.GuideDate, "20021020");
  EXPECT_EQ(r.GuideHour, 8);
  EXPECT_EQ(r.OddsFileCount, 37);
  EXPECT_EQ(r.CurrentDayOddsCount, 36);

  std::set<int> saleCodes, fieldSizes;
  int scratched = 0, zeroQuotes = 0, longShots = 0, races = 0, notOnSale = 0;
  for (int m = 1; m <= 3; ++m) {
    for (int slot = 1; slot <= kAdvanceSaleSlot; ++slot) {
      r.CurrentMeeting = m;
      RefreshDayView(s.race, s.dayView, s.app, s.folders);
      if (r.OddsFileIndex[r.CurrentCourse][slot].empty()) continue;
      int st = ReadRace(s, port, m, slot);
      ASSERT_EQ(st, 0) << "meeting " << m << " race " << slot;
      ++races;
      saleCodes.insert(r.CurrentSaleCode);
      if (r.CurrentSaleCode == 0) ++notOnSale;
      fieldSizes.insert(r.HorseCount);
      scratched += r.ScratchedCount;
      if (slot == kAdvanceSaleSlot) {
        EXPECT_EQ(r.CurrentDayKind, 2);
        EXPECT_EQ(r.CurrentRace, 11);
        EXPECT_EQ(r.OddsDay, r.MeetingInfo[m].Day + 1);
      } else {
        EXPECT_EQ(r.CurrentRace, slot);
      }
      for (int h = 1; h <= r.HorseCount; ++h) {
        if (r.WinOdds[h] == "999.9") ++zeroQuotes;
        if (text::Val(r.WinOdds[h]) > 100) ++longShots;
      }
      // The pair the market likes best is made of its two shortest-priced horses.
      if (r.CurrentSaleCode == 15 || r.CurrentSaleCode == 31) {
        std::vector<double> wins;
        for (int h = 1; h <= r.HorseCount; ++h) {
          if (!r.WinOdds[h].empty()) wins.push_back(text::Val(r.WinOdds[h]));
        }
        std::sort(wins.begin(), wins.end());
        int bi = 0, bj = 0;
        double best = 1e9;
        for (int i = 1; i <= r.HorseCount; ++i) {
          for (int j = i + 1; j <= r.HorseCount; ++j) {
            if (r.QuinellaOdds[i][j].empty()) continue;
            double q = text::Val(r.QuinellaOdds[i][j]);
            if (q < best) best = q, bi = i, bj = j;
          }
        }
        EXPECT_LE(text::Val(r.WinOdds[bi]), wins[1]) << m << "/" << slot;
        EXPECT_LE(text::Val(r.WinOdds[bj]), wins[1]) << m << "/" << slot;
        EXPECT_EQ(r.NoWideOdds, r.CurrentSaleCode == 15 ? 1 : 0);
      }
      // Every odds file has its race card.
      std::string card = "DE-" + r.CurrentOddsFileName.substr(3);
      EXPECT_TRUE(text::FindEntry(s.app.DataFolder, card).has_value()) << card;
    }
  }
  EXPECT_EQ(races, 37);
  EXPECT_EQ(notOnSale, 1);
  EXPECT_EQ(saleCodes, (std::set<int>{0, 7, 15, 31}));
  EXPECT_TRUE(fieldSizes.count(5) && fieldSizes.count(8) && fieldSizes.count(9) && fieldSizes.count(18));
  EXPECT_GE(scratched, 5);
  EXPECT_GE(zeroQuotes, 2);
  EXPECT_GE(longShots, 3);
  EXPECT_TRUE(port.messages.empty());
}

TEST(SampleDay, JrdbFileHasOneLinePerRaceKeyedLikeItsOddsFile) {
  SampleDay day = BuildSampleDay(1);
  std::string bytes = test::ReadAll(kSampleFolder / "jrdb" / "OZ021020.TXT");
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < bytes.size();) {
    std::size_t end = bytes.find("\r\n", at);
    ASSERT_NE(end, std::string::npos);
    lines.push_back(bytes.substr(at, end - at));
    at = end + 2;
  }
  ASSERT_EQ(lines.size(), day.races.size());
  for (std::size_t k = 0; k < lines.size(); ++k) {
    const SampleRace& r = day.races[k];
    std::string key = fixture::JrdbRaceKey(r.course, 2002, r.kai, r.day, r.race);
    EXPECT_EQ(lines[k].substr(0, 8), key);
    EXPECT_EQ(text::ValInt(lines[k].substr(8, 2)), r.odds.header.horseCount);
    for (int h = 1; h <= r.odds.header.horseCount; ++h) {
      std::string win = lines[k].substr(10 + 5 * (h - 1), 5);
      bool scratched = r.odds.horses[h - 1].win.kind == fixture::OddsCell::Kind::Scratched;
      if (scratched) EXPECT_EQ(win, "999.9");
      else EXPECT_GE(text::Val(win), 1.0);
    }
  }
}

TEST(SampleDay, RealJrdbDayLoadsWithItsOdds) {
  const fs::path folder = fs::path(TAZUNA_SOURCE_DIR) / "samples" / "real-20020908";
  Session s;
  FakePort port;
  s.app.Pat98Folder = folder;
  s.app.DataFolder = folder;
  ASSERT_EQ(LoadCurrentData(s, port), 0);
  RaceModel& r = s.race;
  ASSERT_EQ(r.MeetingCount, 3);
  EXPECT_EQ(r.GuideDate, "20020908");
  EXPECT_EQ(r.MeetingInfo[1].CourseCode, 1);
  EXPECT_EQ(r.MeetingInfo[3].CourseCode, 9);
  EXPECT_EQ(r.CurrentDayOddsCount, 36);
  for (int m = 1; m <= 3; ++m) {
    for (int race = 1; race <= 12; ++race) {
      ASSERT_EQ(ReadRace(s, port, m, race), 0) << m << "/" << race;
      EXPECT_EQ(r.CurrentSaleCode, 31);
      EXPECT_EQ(r.NoWideOdds, 0);
    }
  }
  // 阪神 11R: the odds are JRDB's own, as published.
  ASSERT_EQ(ReadRace(s, port, 3, 11), 0);
  EXPECT_EQ(r.HorseCount, 12);
  EXPECT_EQ(r.WinOdds[1], "  2.2");
  std::string oz = test::ReadAll(folder / "jrdb" / "OZ020908.txt");
  std::size_t at = oz.find("09024211");
  ASSERT_NE(at, std::string::npos);
  EXPECT_EQ(r.WinOdds[2], oz.substr(at + 15, 5));
  EXPECT_EQ(r.PlaceOddsLow[12], oz.substr(at + 100 + 55, 5));
  EXPECT_EQ(text::Trim(r.QuinellaOdds[1][2]), text::Trim(oz.substr(at + 190, 5)));
  EXPECT_TRUE(port.messages.empty());
}

TEST(SampleDay, AdvanceSaleRaceCardHasNoPostTime) {
  SampleDay day = BuildSampleDay(1);
  const SampleRace& adv = day.races.back();
  ASSERT_TRUE(adv.advanceSale);
  std::string card = RaceCardBytes(adv.card);
  EXPECT_EQ(card.substr(22, 4), "    ");
  EXPECT_EQ(RaceCardBytes(day.races[0].card).substr(22, 4), "1000");
}

}  // namespace
}  // namespace tz

#include "analysis/analysis_state.h"
#include "analysis/pipeline.h"

namespace tz {
namespace {

// Both committed days run through the whole race analysis, with their JRDB base odds.
TEST(SampleDay, EveryRaceOfTheSampleDaysAnalyses) {
  for (const char* dayName : {"20021020", "real-20020908"}) {
    const fs::path folder = fs::path(TAZUNA_SOURCE_DIR) / "samples" / dayName;
    Session s;
    FakePort port;
    s.app.Pat98Folder = folder;
    s.app.DataFolder = folder;
    s.app.settings.OZpath = (folder / "jrdb").string();
    ASSERT_EQ(LoadCurrentData(s, port), 0);
    int analysed = 0, withJrdb = 0;
    for (int m = 1; m <= s.race.MeetingCount; ++m) {
      for (int slot = 1; slot <= kAdvanceSaleSlot; ++slot) {
        s.race.CurrentMeeting = m;
        RefreshDayView(s.race, s.dayView, s.app, s.folders);
        if (s.race.OddsFileIndex[s.race.CurrentCourse][slot].empty()) continue;
        SetRaceSelection(s, m, slot);
        AnalyseRace(s, port, AnalysisFor::DayRun);
        if (s.race.CurrentSaleCode == 0) {
          EXPECT_EQ(s.race.LoadStatus, 1);
          continue;
        }
        ASSERT_EQ(s.race.LoadStatus, 0) << dayName << " " << m << "/" << slot;
        ++analysed;
        if (s.analysis.JrdbLoaded) ++withJrdb;
      }
    }
    EXPECT_EQ(withJrdb, analysed) << dayName;
    EXPECT_GE(analysed, 36) << dayName;
    EXPECT_TRUE(port.messages.empty()) << dayName << ": " << port.messages[0].text;
  }
}

}  // namespace
}  // namespace tz
