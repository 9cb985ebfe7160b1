// The voting log on a whole generated day: the votes marked when a race is selected with the
// option to colour the voted combinations.
#include <gtest/gtest.h>

#include "analysis/pipeline.h"
#include "pat98/day_loader.h"
#include "results/history.h"
#include "session.h"
#include "support/fake_port.h"
#include "support/temp_dir.h"
#include "support/voted_day.h"

namespace tz {
namespace {

// The voted day, loaded.
struct VotedDay {
  test::TempDir dir;
  Session s;
  test::FakePort port;

  VotedDay() {
    test::WriteVotedDay(dir.path());
    s.app.Pat98Folder = dir.path();
    s.app.DataFolder = dir.path();
    EXPECT_EQ(LoadCurrentData(s, port), 0);
  }

  int RowOf(int horse) const {
    for (int p = 1; p <= s.mainWindow.RunnerCount; ++p) {
      if (s.race.HorseOrder[p] == horse) return p - 1;
    }
    return -1;
  }
  bool QuinellaMarked(int a, int b) const {
    const int ra = RowOf(a), rb = RowOf(b);
    return s.mainWindow.odzuma[std::max(ra, rb)][std::min(ra, rb)].BackColor == colours::kMark;
  }
  bool WinMarked(int h) const { return s.mainWindow.odztan[RowOf(h) + 1].BackColor == colours::kMark; }
};

TEST(HistoryOnSelection, VotedCombinationsMarkedWhenTheOptionIsOn) {
  for (int logColor : {0, 1}) {
    SCOPED_TRACE(logColor);
    VotedDay d;
    d.s.app.settings.LogColor = logColor;
    SelectMeeting(d.s, 1);
    SelectRace(d.s, d.port, 4 + 5);
    ASSERT_EQ(d.s.race.LoadStatus, 0);
    EXPECT_TRUE(d.port.messages.empty());
    EXPECT_EQ(d.WinMarked(3), logColor == 1);
    EXPECT_EQ(d.QuinellaMarked(3, 7), logColor == 1);
    EXPECT_EQ(d.s.mainWindow.WideOdz[std::max(d.RowOf(1), d.RowOf(2))][std::min(d.RowOf(1), d.RowOf(2))].BackColor ==
                  colours::kMark,
              logColor == 1);
    EXPECT_FALSE(d.QuinellaMarked(3, 5));
    EXPECT_FALSE(d.WinMarked(7));
    if (logColor == 1) {
      // Votes only: no result is read, so no vote is decided and no hit is announced.
      EXPECT_EQ(d.s.history.VoteCount, 5);
      EXPECT_EQ(d.s.history.HitListText,
                " 単  3       200 \r\n 複  5       300 \r\n 馬  3- 7    100 \r\n"
                " ワ  1- 2    100 \r\n*馬  3- 7    100 \r\n");
      EXPECT_EQ(d.s.history.HitMessage, "");
    } else {
      EXPECT_EQ(d.s.history.VoteCount, 0);
    }
  }
}

}  // namespace
}  // namespace tz
