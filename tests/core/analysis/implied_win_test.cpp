#include "analysis/implied_win.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <numeric>
#include <vector>

#include "analysis/pipeline.h"
#include "exports/csv_export.h"
#include "pat98/day_loader.h"
#include "session.h"
#include "support/fake_port.h"
#include "text/numbers.h"

namespace tz {
namespace {

namespace fs = std::filesystem;
using test::FakePort;

double MaxDiff(const std::vector<double>& a, const std::vector<double>& b) {
  double worst = 0;
  for (std::size_t i = 0; i < a.size(); ++i) worst = std::max(worst, std::fabs(a[i] - b[i]));
  return worst;
}

TEST(ImpliedWin, HarvilleTopTwoByHand) {
  // p = 0.5, 0.3, 0.2: horse 1 wins (0.5), or comes second behind 2 (0.3 x 0.5 / 0.7) or behind
  // 3 (0.2 x 0.5 / 0.8).
  const std::vector<double> t = HarvilleTopTwo({0.5, 0.3, 0.2});
  EXPECT_NEAR(t[0], 0.5 + 0.15 / 0.7 + 0.1 / 0.8, 1e-15);
  EXPECT_NEAR(t[1], 0.3 + 0.15 / 0.5 + 0.06 / 0.8, 1e-15);
  EXPECT_NEAR(t[2], 0.2 + 0.1 / 0.5 + 0.06 / 0.7, 1e-15);
  EXPECT_NEAR(t[0] + t[1] + t[2], 2.0, 1e-15);
}

// The solver gives back the win chances a field's top-two chances came from.
TEST(ImpliedWin, SolvesHarvilleBackToTheWinChances) {
  const std::vector<std::vector<double>> fields = {
      {0.5, 0.3, 0.2},
      {0.85, 0.05, 0.04, 0.03, 0.03},                  // an odds-on favourite
      std::vector<double>(18, 1.0 / 18),               // a flat field
      {0.3, 0.25, 0.2, 0.1, 0.08, 0.04, 0.02, 0.01},
      {0.4, 0.0, 0.35, 0.25, 0.0},                     // horses without any chance
  };
  for (const std::vector<double>& p : fields) {
    const std::optional<std::vector<double>> back = WinChancesFromTopTwo(HarvilleTopTwo(p));
    ASSERT_TRUE(back) << p.size();
    EXPECT_LT(MaxDiff(*back, p), 1e-9) << p.size();
    EXPECT_NEAR(std::accumulate(back->begin(), back->end(), 0.0), 1.0, 1e-12);
  }
}

TEST(ImpliedWin, NoSolutionWithoutThreeHorsesOrWithATopTwoChanceOfOne) {
  EXPECT_FALSE(WinChancesFromTopTwo({1.0, 1.0}));
  EXPECT_FALSE(WinChancesFromTopTwo({1.0, 1.0, 0.0}));
  EXPECT_FALSE(WinChancesFromTopTwo({1.2, 0.5, 0.3}));
  EXPECT_FALSE(WinChancesFromTopTwo({}));
}

// Every race of both sample days: the implied chances reproduce the top-two chances of the
// quinella shares to 1e-9, sum to 1 and keep the favourite first; scratched horses have none.
TEST(ImpliedWin, EveryRaceOfTheSampleDays) {
  for (const char* dayName : {"20021020", "real-20020908"}) {
    SCOPED_TRACE(dayName);
    const fs::path folder = fs::path(TAZUNA_SOURCE_DIR) / "samples" / dayName;
    auto s = std::make_unique<Session>();
    FakePort port;
    s->app.Pat98Folder = s->app.DataFolder = folder;
    ASSERT_EQ(LoadCurrentData(*s, port), 0);
    int solved = 0, bracketOnly = 0;
    for (int m = 1; m <= s->race.MeetingCount; ++m) {
      for (int slot = 1; slot <= kAdvanceSaleSlot; ++slot) {
        s->race.CurrentMeeting = m;
        RefreshDayView(s->race, s->dayView, s->app, s->folders);
        if (s->race.OddsFileIndex[s->race.CurrentCourse][slot].empty()) continue;
        SetRaceSelection(*s, m, slot);
        AnalyseRace(*s, port, AnalysisFor::DayRun);
        if (s->race.LoadStatus != 0) continue;
        SCOPED_TRACE(testing::Message() << "meeting " << m << " slot " << slot);
        const RaceModel& r = s->race;
        const AnalysisState& a = s->analysis;
        const std::optional<ImpliedWin> iw = ComputeImpliedWin(r, a);
        if (r.CurrentSaleCode == 7) {
          EXPECT_FALSE(iw);
          ++bracketOnly;
          continue;
        }
        ASSERT_TRUE(iw);
        ++solved;
        double shares = 0;
        for (int h = 1; h <= r.HorseCount; ++h) shares += r.WinOdds[h].empty() ? 0 : a.QuinellaShare[h];
        std::vector<double> p, t;
        for (int h = 1; h <= r.HorseCount; ++h) {
          const bool scratched = r.WinOdds[h].empty();
          p.push_back(iw->Chance[h]);
          t.push_back(scratched ? 0 : 2 * a.QuinellaShare[h] / shares);
          if (scratched) {
            EXPECT_EQ(iw->Odds[h], 0) << "horse " << h;
          }
          if (iw->Chance[h] > 0) {
            EXPECT_NEAR(iw->Odds[h], 1 / iw->Chance[h], 1e-12);
          }
        }
        EXPECT_LT(MaxDiff(HarvilleTopTwo(p), t), 1e-9);
        EXPECT_NEAR(std::accumulate(p.begin(), p.end(), 0.0), 1.0, 1e-9);
        const int favourite = r.HorseOrder[1];
        for (int h = 1; h <= r.HorseCount; ++h) EXPECT_LE(iw->Chance[h], iw->Chance[favourite]) << "horse " << h;
      }
    }
    EXPECT_GE(solved, 30);
    EXPECT_TRUE(port.messages.empty());
    if (std::string(dayName) == "20021020") {
      EXPECT_GT(bracketOnly, 0);
    }
  }
}

// Off (the default) the CSV file is the classic one; on, each horse row ends with 推定単勝.
TEST(ImpliedWin, CsvColumnOnlyWithTheOption) {
  const fs::path folder = fs::path(TAZUNA_SOURCE_DIR) / "samples" / "20021020";
  auto s = std::make_unique<Session>();
  FakePort port;
  s->app.Pat98Folder = s->app.DataFolder = folder;
  ASSERT_EQ(LoadCurrentData(*s, port), 0);
  SelectMeeting(*s, 1);
  SelectRace(*s, port, 4 + 11);
  ASSERT_EQ(s->race.LoadStatus, 0);
  const std::vector<std::string> classic = RaceCsvLines(*s);
  s->app.settings.ImpliedWin = 1;
  const std::vector<std::string> with = RaceCsvLines(*s);
  const std::optional<ImpliedWin> iw = ComputeImpliedWin(s->race, s->analysis);
  ASSERT_TRUE(iw);
  ASSERT_EQ(with.size(), classic.size());
  EXPECT_EQ(with[1], classic[1] + ",推定単勝");
  for (int h = 1; h <= s->race.HorseCount; ++h) {
    const std::string tail = s->race.WinOdds[h].empty() ? "" : text::FormatNumber(iw->Odds[h], "#0.0");
    EXPECT_EQ(with[1 + h], classic[1 + h] + "," + tail);
  }
  for (std::size_t k = 2 + s->race.HorseCount; k < with.size(); ++k) EXPECT_EQ(with[k], classic[k]);
}

}  // namespace
}  // namespace tz
