// Bet marks in the quinella and wide matrices: single cells, header selections and the box,
// limited-flow, total-flow and clear patterns.
#include "betting/marking.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "session.h"

namespace tz {
namespace {

using Cell = std::pair<int, int>;  // (row, column), 1-based positions

// A shown race of `runners` runners: every row has its own 仮単 colour and every quinella cell
// its own band colour, so a wrong restore colour is visible.
Session RaceOf(int runners, int saleCode = 31, int odzColor = 0) {
  Session s;
  s.race.HorseCount = runners;
  s.race.CurrentSaleCode = saleCode;
  for (int p = 1; p <= kMaxHorses; ++p) s.race.HorseOrder[p] = (p % kMaxHorses) + 1;  // shuffled
  auto& mw = s.mainWindow;
  mw.RaceShown = true;
  mw.RowCount = runners;
  mw.RunnerCount = runners;
  mw.OdzColorAtAnalysis = odzColor;
  for (int p = 1; p <= kMaxHorses; ++p) mw.odzren[p].BackColor = 0x100000 + p;
  for (int r = 0; r < kMaxHorses; ++r) {
    for (int c = 0; c < kMaxHorses; ++c) {
      mw.BandColor[r][c] = 0x200000 + 32 * r + c;
      const Colour unmarked = odzColor == 1 ? mw.BandColor[r][c] : mw.odzren[r + 1].BackColor;
      mw.odzuma[r][c].BackColor = r == c ? colours::kWhite : unmarked;
      mw.WideOdz[r][c].BackColor = r == c ? colours::kWhite : mw.odzren[r + 1].BackColor;
    }
  }
  return s;
}

std::set<Cell> Marked(const Session& s, PairMatrix m) {
  std::set<Cell> out;
  const auto& cells = m == PairMatrix::Quinella ? s.mainWindow.odzuma : s.mainWindow.WideOdz;
  for (int r = 0; r < kMaxHorses; ++r) {
    for (int c = 0; c < kMaxHorses; ++c) {
      if (cells[r][c].BackColor == colours::kMark) out.insert({r + 1, c + 1});
    }
  }
  return out;
}

void SelectRows(Session& s, std::initializer_list<int> positions) {
  for (int p : positions) ToggleHeader(s, HeaderKind::Row, p - 1);
}

TEST(BetMarking, PatternsMarkTheCanonicalCellsOfTheSelectedPositions) {
  struct Case {
    const char* name;
    std::set<int> rows, quinellaColumns;
    int runners;
    void (*pattern)(Session&);
    std::set<Cell> expected;
  };
  const Case cases[] = {
      {"box on rows 1, 3, 4", {1, 3, 4}, {}, 12, MarkBox, {{3, 1}, {4, 1}, {4, 3}}},
      {"limited flow from column 1 to rows 2, 5", {2, 5}, {1}, 12, MarkLimitedFlow,
       {{2, 1}, {5, 1}}},
      {"limited flow from columns 1, 2 to rows 2, 5 (pair 2-2 skipped)", {2, 5}, {1, 2}, 12,
       MarkLimitedFlow, {{2, 1}, {5, 1}, {5, 2}}},
      {"total flow from column 3 of 10 runners", {}, {3}, 10, MarkTotalFlow,
       {{3, 1}, {3, 2}, {4, 3}, {5, 3}, {6, 3}, {7, 3}, {8, 3}, {9, 3}, {10, 3}}},
      {"box with one selected row marks nothing", {2}, {}, 12, MarkBox, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Session s = RaceOf(c.runners);
    for (int p : c.rows) ToggleHeader(s, HeaderKind::Row, p - 1);
    for (int p : c.quinellaColumns) ToggleHeader(s, HeaderKind::QuinellaColumn, p - 1);
    c.pattern(s);
    EXPECT_EQ(Marked(s, PairMatrix::Quinella), c.expected);
    EXPECT_TRUE(Marked(s, PairMatrix::Wide).empty());
    // Patterns leave the header selections as they were.
    for (int p : c.rows) EXPECT_TRUE(s.mainWindow.numumaY[p - 1].Selected);
  }
}

TEST(BetMarking, ViewDecidesWhichMatricesAPatternWorksOn) {
  struct Case {
    int viewMode, saleCode;
    bool quinella, wide;
    int shownView;
  };
  const Case cases[] = {
      {kViewQuinella, 31, true, false, kViewQuinella},
      {kViewWide, 31, false, true, kViewWide},
      {kViewBoth, 31, true, true, kViewBoth},
      // Bracket-derived quinella only: always the quinella matrix, the view falls back to it.
      {kViewWide, 7, true, false, kViewQuinella},
      {kViewBoth, 7, true, false, kViewQuinella},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "view " << c.viewMode << " code " << c.saleCode);
    Session s = RaceOf(8, c.saleCode);
    s.mainWindow.ViewMode = c.viewMode;
    SelectRows(s, {1, 3, 4});
    MarkBox(s);
    const std::set<Cell> box{{3, 1}, {4, 1}, {4, 3}};
    EXPECT_EQ(Marked(s, PairMatrix::Quinella), c.quinella ? box : std::set<Cell>{});
    EXPECT_EQ(Marked(s, PairMatrix::Wide), c.wide ? box : std::set<Cell>{});
    EXPECT_EQ(s.mainWindow.ShownView, c.shownView);
  }
}

TEST(BetMarking, WideFlowUsesTheWideColumnHeaders) {
  Session s = RaceOf(8);
  s.mainWindow.ViewMode = kViewBoth;
  ToggleHeader(s, HeaderKind::WideColumn, 0);  // wide column 1 only
  SelectRows(s, {4});
  MarkLimitedFlow(s);
  EXPECT_TRUE(Marked(s, PairMatrix::Quinella).empty());
  EXPECT_EQ(Marked(s, PairMatrix::Wide), (std::set<Cell>{{4, 1}}));
}

TEST(BetMarking, HeadersBeyondTheRunnersDoNotReact) {
  Session s = RaceOf(12);
  ToggleHeader(s, HeaderKind::Row, 14);  // header 15 of 12 runners
  ToggleHeader(s, HeaderKind::QuinellaColumn, 12);
  EXPECT_FALSE(s.mainWindow.numumaY[14].Selected);
  EXPECT_FALSE(s.mainWindow.numumaX[12].Selected);
  ToggleHeader(s, HeaderKind::Row, 11);  // the last runner does
  EXPECT_TRUE(s.mainWindow.numumaY[11].Selected);
  ToggleHeader(s, HeaderKind::Row, 11);
  EXPECT_FALSE(s.mainWindow.numumaY[11].Selected);
}

TEST(BetMarking, CellClickTogglesTheCellBelowTheDiagonal) {
  for (int odzColor : {0, 1}) {
    SCOPED_TRACE(odzColor);
    Session s = RaceOf(12, 31, odzColor);
    const Colour before = s.mainWindow.odzuma[4][1].BackColor;
    ToggleCell(s, PairMatrix::Quinella, 1, 4);  // row 2, column 5
    EXPECT_EQ(Marked(s, PairMatrix::Quinella), (std::set<Cell>{{5, 2}}));
    ToggleCell(s, PairMatrix::Quinella, 4, 1);  // its mirror unmarks it
    EXPECT_TRUE(Marked(s, PairMatrix::Quinella).empty());
    EXPECT_EQ(s.mainWindow.odzuma[4][1].BackColor, before);
  }
}

TEST(BetMarking, CellClicksOnTheDiagonalOrOutsideTheRunnersDoNothing) {
  Session s = RaceOf(6);
  ToggleCell(s, PairMatrix::Quinella, 3, 3);
  ToggleCell(s, PairMatrix::Quinella, 7, 2);
  ToggleCell(s, PairMatrix::Wide, 2, 6);
  EXPECT_TRUE(Marked(s, PairMatrix::Quinella).empty());
  EXPECT_TRUE(Marked(s, PairMatrix::Wide).empty());
}

TEST(BetMarking, UnmarkedColourIsTheBandColourOnlyForTheQuinellaMatrixWithBands) {
  Session banded = RaceOf(6, 31, 1);
  EXPECT_EQ(UnmarkedColour(banded, PairMatrix::Quinella, 4, 2), banded.mainWindow.BandColor[4][2]);
  EXPECT_EQ(UnmarkedColour(banded, PairMatrix::Wide, 4, 2), banded.mainWindow.odzren[5].BackColor);
  Session plain = RaceOf(6, 31, 0);
  EXPECT_EQ(UnmarkedColour(plain, PairMatrix::Quinella, 4, 2), plain.mainWindow.odzren[5].BackColor);
}

TEST(BetMarking, ClearRestoresTheUnmarkedColours) {
  for (int odzColor : {0, 1}) {
    SCOPED_TRACE(odzColor);
    Session s = RaceOf(10, 31, odzColor);
    const Session fresh = s;
    s.mainWindow.ViewMode = kViewBoth;
    ToggleHeader(s, HeaderKind::QuinellaColumn, 2);
    ToggleHeader(s, HeaderKind::WideColumn, 5);
    MarkTotalFlow(s);
    ASSERT_FALSE(Marked(s, PairMatrix::Quinella).empty());
    ASSERT_FALSE(Marked(s, PairMatrix::Wide).empty());
    ClearMarks(s);
    for (int r = 0; r < 10; ++r) {
      for (int c = 0; c < 10; ++c) {
        if (r == c) continue;
        EXPECT_EQ(s.mainWindow.odzuma[r][c].BackColor, fresh.mainWindow.odzuma[r][c].BackColor)
            << r << "," << c;
        EXPECT_EQ(s.mainWindow.WideOdz[r][c].BackColor, fresh.mainWindow.WideOdz[r][c].BackColor)
            << r << "," << c;
      }
    }
  }
}

TEST(BetMarking, MarkedPairsAndSinglesNameTheHorses) {
  Session s = RaceOf(6);
  // Position p holds horse p + 1 in this race.
  ToggleCell(s, PairMatrix::Quinella, 0, 2);  // positions 1 and 3
  ToggleCell(s, PairMatrix::Wide, 4, 3);      // positions 5 and 4
  s.mainWindow.odztan[2].BackColor = colours::kMark;
  s.mainWindow.odzfuk[6].BackColor = colours::kMark;
  const auto q = MarkedPairs(s, PairMatrix::Quinella);
  ASSERT_EQ(q.size(), 1u);
  EXPECT_EQ(q[0].RowPosition, 3);
  EXPECT_EQ(q[0].ColumnPosition, 1);
  EXPECT_EQ(q[0].RowHorse, 4);
  EXPECT_EQ(q[0].ColumnHorse, 2);
  const auto w = MarkedPairs(s, PairMatrix::Wide);
  ASSERT_EQ(w.size(), 1u);
  EXPECT_EQ(std::make_pair(w[0].RowHorse, w[0].ColumnHorse), std::make_pair(6, 5));
  EXPECT_EQ(MarkedSingles(s, SingleColumn::Win), std::vector<int>{3});
  EXPECT_EQ(MarkedSingles(s, SingleColumn::Place), std::vector<int>{7});
}

}  // namespace
}  // namespace tz
