// The main window's odds area: colour classes, odds bands, gap markers, red ranks, highlighted
// cells, the JRDB panels with their change indicators, and the view choice.
#include "analysis/main_window_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>

#include "analysis/prediction_model.h"
#include "session.h"
#include "text/numbers.h"

namespace tz {
namespace {

namespace c = colours;

// A race of n runners in horse-number order (position p = horse p), no scratched horse.
Session Runners(int n) {
  Session s;
  s.race.HorseCount = n;
  s.race.ScratchedCount = 0;
  s.race.CurrentSaleCode = 31;
  for (int p = 1; p <= kMaxHorses; ++p) s.race.HorseOrder[p] = p;
  for (int h = 1; h <= n; ++h) s.race.HorseBracket[h] = h <= 8 ? h : 8;
  s.analysis.RunnerCount = n;
  s.mainWindow.RowCount = n;
  s.mainWindow.RunnerCount = n;
  return s;
}

TEST(MainWindowModel, SyntheticWinColourClassBoundaries) {
  const std::pair<double, int> cases[] = {
      {1.0, 0}, {3.89, 0}, {3.9, 1}, {5.59, 1}, {5.6, 2}, {8.89, 2}, {8.9, 3}, {15.69, 3},
      {15.7, 4}, {33.59, 4}, {33.6, 5}, {59.99, 5}, {60.0, 6}, {999.9, 6}};
  for (auto [odds, cls] : cases) EXPECT_EQ(SyntheticClass(odds), cls) << odds;
}

TEST(MainWindowModel, QuinellaOddsBands) {
  const std::pair<double, Colour> cases[] = {
      {0, c::kWhite},          {1.5, 0xF0FFFF},        {9.9, 0xF0FFFF},
      {10.0, c::kClass[0]},    {19.9, c::kClass[0]},   {20.0, c::kClass[1]},
      {30.0, c::kClass[2]},    {50.0, c::kClass[3]},   {90.0, c::kClass[4]},
      {120.0, c::kClass[5]},   {299.9, c::kClass[5]},  {300.0, c::kClass[6]},
      {9999.9, c::kClass[6]}};
  for (auto [odds, colour] : cases) EXPECT_EQ(QuinellaBandColour(odds), colour) << odds;
}

TEST(MainWindowModel, GapMarkersAndReversals) {
  struct Case {
    const char* name;
    std::vector<double> win;
    // Expected markers (index i = between rows i - 1 and i): colour and width, 0 = hidden.
    std::vector<std::tuple<int, Colour, int>> markers;
    std::vector<int> redRows;
  };
  const Case cases[] = {
      {"2.0 4.5 3.8", {2.0, 4.5, 3.8},
       {{2, c::kRed, 37}, {3, c::kMagenta, 37}, {4, c::kRed, 37}}, {3}},
      {"blue strong and weak", {2.0, 3.5, 5.6, 120.0},
       {{2, c::kBlue, 37}, {3, c::kBlue, 13}, {4, c::kRed, 37}, {5, 0, 0}}, {}},
      {"longest 85.0: red marker below the last runner", {5.0, 6.0, 85.0},
       {{2, 0, 0}, {3, c::kRed, 37}, {4, c::kRed, 37}}, {}},
      {"a value of 100 removes the bottom marker", {5.0, 6.0, 7.0, 100.0},
       {{2, 0, 0}, {3, 0, 0}, {4, c::kRed, 37}, {5, 0, 0}}, {}},
      {"ratio against the largest smaller value, not the row above", {3.0, 10.0, 5.0, 6.0},
       {{2, c::kRed, 37}, {3, c::kBlue, 13}, {4, 0, 0}, {5, c::kRed, 37}}, {3}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    const int m = static_cast<int>(k.win.size());
    Session s = Runners(m);
    for (int p = 1; p <= m; ++p) {
      s.analysis.WinOddsByPos[p] = k.win[p - 1];
      s.analysis.PlaceOddsByPos[p] = 1.0;
      s.analysis.SyntheticWinOdds[p] = 1.0 + p * 0.01;
    }
    MarkGaps(s);
    for (auto [i, colour, width] : k.markers) {
      const GapMarker& g = s.mainWindow.LbDanso[kGapWin][i];
      EXPECT_EQ(g.Visible, width != 0) << "marker " << i;
      if (width) {
        EXPECT_EQ(g.Color, colour) << "marker " << i;
        EXPECT_EQ(g.Width, width) << "marker " << i;
      }
    }
    for (int p = 1; p <= m; ++p) {
      const bool red = std::find(k.redRows.begin(), k.redRows.end(), p) != k.redRows.end();
      EXPECT_EQ(s.mainWindow.odztan[p].ForeColor, red ? c::kRed : c::kBlack) << "row " << p;
    }
    // The place column never shows a bottom marker; the 仮単 column has no red texts.
    EXPECT_FALSE(s.mainWindow.LbDanso[kGapPlace][m + 1].Visible);
    EXPECT_TRUE(s.mainWindow.LbDanso[kGapSynthetic][m + 1].Visible);
  }
}

TEST(MainWindowModel, RankCellsTurnRedTwoPlacesAhead) {
  Session s = Runners(5);
  for (int h = 1; h <= 5; ++h) {
    s.race.WinOdds[h] = " 5.0";
    s.analysis.SyntheticWinText[h] = "5.0";
  }
  // Position 4: place rank 3 stays black, win rank 2 turns red; position 5 quinella rank 3 red.
  const int place[] = {0, 1, 2, 4, 3, 5};
  const int win[] = {0, 1, 3, 4, 2, 5};
  const int fav[] = {0, 1, 2, 4, 5, 3};
  for (int p = 1; p <= 5; ++p) {
    s.analysis.PlaceRankByPos[p] = place[p];
    s.analysis.WinRankByPos[p] = win[p];
    s.analysis.FavQuinellaRank[p] = fav[p];
  }
  FillPanels(s);
  const auto& mw = s.mainWindow;
  EXPECT_EQ(mw.rankfuk[4].Text, "3");
  EXPECT_EQ(mw.rankfuk[4].ForeColor, c::kBlack);
  EXPECT_EQ(mw.ranktan[4].ForeColor, c::kRed);
  EXPECT_EQ(mw.rankodz[5].ForeColor, c::kRed);
  EXPECT_EQ(mw.rankodz[4].ForeColor, c::kBlack);
  EXPECT_EQ(mw.rankren[3].Text, "3");
}

TEST(MainWindowModel, OnlyAScratchedHorseShowsCancelled) {
  Session s = Runners(3);
  s.race.ScratchedCount = 1;
  s.race.ScratchedHorses[1] = 3;
  // Horse 2 runs without any quinella quote; horse 3 is scratched. Both have 仮単 999.9.
  s.analysis.SyntheticWinText = {"", "2.5", "999.9", "999.9"};
  s.race.WinOdds = {"", "  2.0", " 80.0", ""};
  FillPanels(s);
  EXPECT_EQ(s.mainWindow.RunnerCount, 2);
  EXPECT_EQ(s.mainWindow.odzren[1].Text, "2.5");
  EXPECT_EQ(s.mainWindow.odzren[2].Text, "999.9");
  EXPECT_EQ(s.mainWindow.odzren[3].Text, "取消");
  // The scratched horse has a row header but no column header.
  EXPECT_EQ(s.mainWindow.numumaY[2].Text, "3");
  EXPECT_EQ(s.mainWindow.numumaX[2].Text, "");
}

TEST(MainWindowModel, ClassColoursAndOddsBandsInTheMatrices) {
  for (int odzColor : {0, 1}) {
    SCOPED_TRACE(odzColor);
    Session s = Runners(3);
    s.app.settings.OdzColor = odzColor;
    const double syn[] = {0, 3.9, 8.0, 70.0};
    for (int p = 1; p <= 3; ++p) s.analysis.SyntheticWinOdds[p] = syn[p];
    s.analysis.QuinellaByPos[2][1] = 9.9;
    s.analysis.QuinellaByPos[3][1] = 300.0;
    ColourByClass(s);
    const auto& mw = s.mainWindow;
    EXPECT_EQ(mw.odzren[1].BackColor, c::kClass[1]);
    EXPECT_EQ(mw.odztan[3].BackColor, c::kClass[6]);
    EXPECT_EQ(mw.WideOdz[2][0].BackColor, c::kClass[6]);
    EXPECT_EQ(mw.WideOdz[1][1].BackColor, c::kWhite);
    if (odzColor == 1) {
      EXPECT_EQ(mw.odzuma[1][0].BackColor, 0xF0FFFF);
      EXPECT_EQ(mw.odzuma[2][0].BackColor, c::kClass[6]);
    } else {
      EXPECT_EQ(mw.odzuma[1][0].BackColor, c::kClass[2]);
      EXPECT_EQ(mw.odzuma[2][2].BackColor, c::kWhite);
    }
  }
}

TEST(MainWindowModel, HighlightTogglesRunnerCellsOnly) {
  Session s = Runners(4);
  s.race.HorseCount = 5;  // position 5 is a scratched horse
  for (int p = 1; p <= 4; ++p) s.analysis.SyntheticWinOdds[p] = 2.0 * p;
  ColourByClass(s);
  const Colour before = s.mainWindow.odztan[2].BackColor;
  ToggleHighlight(s, kGapWin, 2);
  EXPECT_EQ(s.mainWindow.odztan[2].BackColor, c::kMark);
  EXPECT_EQ(s.mainWindow.odzfuk[2].BackColor, before);
  ToggleHighlight(s, kGapWin, 2);
  EXPECT_EQ(s.mainWindow.odztan[2].BackColor, before);
  ToggleHighlight(s, kGapPlace, 5);
  EXPECT_NE(s.mainWindow.odzfuk[5].BackColor, c::kMark);
}

TEST(MainWindowModel, JrdbRanksClassesAndChangeIndicators) {
  Session s = Runners(6);
  s.analysis.JrdbLoaded = true;
  // Base win, base place, current win, current place, shown 仮単 of horses 1..6.
  const char* baseWin[] = {"", "  2.0", "  9.9", " 10.0", "     ", " 90.0", " 20.0"};
  const char* basePlace[] = {"", "  1.2", "  2.0", "  1.5", "  3.0", " 13.0", "  5.0"};
  const double win[] = {0, 2.5, 8.0, 11.0, 2.0, 95.0, 30.0};
  const double place[] = {0, 1.0, 2.5, 1.5, 3.0, 12.0, 5.0};
  const char* syn[] = {"", "2.0", "9.0", "10.5", "3.0", "40.0", "24.0"};
  for (int h = 1; h <= 6; ++h) {
    s.analysis.JrdbWinBase[h] = baseWin[h];
    s.analysis.JrdbPlaceBase[h] = basePlace[h];
    s.analysis.WinOddsByPos[h] = win[h];
    s.analysis.PlaceOddsByPos[h] = place[h];
    s.analysis.SyntheticWinText[h] = syn[h];
  }
  FillJrdbPanels(s);
  const auto& mw = s.mainWindow;
  // Ranks: horse 4 has no base win (0), which lowers everybody else's rank by one.
  const int winRank[] = {0, 2, 3, 4, 1, 6, 5};
  for (int p = 1; p <= 6; ++p) EXPECT_EQ(mw.JrdbWinRank[p], winRank[p]) << p;
  EXPECT_EQ(mw.rankjrdb[5].Text, "6");
  EXPECT_EQ(mw.jrdbtan[2].Text, "  9.9");
  // Colour classes.
  EXPECT_EQ(mw.jrdbtan[2].BackColor, c::kJrdbClass[0]);
  EXPECT_EQ(mw.jrdbtan[3].BackColor, c::kJrdbClass[1]);
  EXPECT_EQ(mw.rankjrdb[5].BackColor, c::kJrdbClass[5]);
  EXPECT_EQ(mw.jrdbfuk[1].BackColor, c::kJrdbClass[0]);
  EXPECT_EQ(mw.jrdbfuk[5].BackColor, c::kJrdbClass[5]);
  EXPECT_EQ(mw.jrdbfuk[4].BackColor, c::kJrdbClass[2]);

  auto at = [&](int column, int set, int p) { return mw.PicFukTo[36 * column + 18 * set + p - 1]; };
  struct Case {
    const char* name;
    int column, p, set, image;
    Colour back;
  };
  const Case cases[] = {
      // Place column, p <= 3 by difference: 1.2 -> 1.0 (d 0.2, class 6) shortened.
      {"place shortened by 0.2", 0, 1, 1, 12, c::kLightGrey},
      // 2.0 -> 2.5 (d 0.5, class 3) drifted.
      {"place drifted by 0.5", 0, 2, 0, 3, c::kWhite},
      // Win column, p <= 3: 2.0 -> 2.5 (d 0.5, class 5) drifted.
      {"win drifted by 0.5", 1, 1, 0, 5, c::kWhite},
      // Win column, p >= 4 by ratio: 20 -> 30 (1.5, class 3) drifted.
      {"win ratio 1.5", 1, 6, 0, 3, c::kWhite},
      // 90 -> 95 (1.056, class 6) drifted.
      {"win ratio below 1.2", 1, 5, 0, 6, c::kWhite},
      // 仮単 column: 9.9 -> 9.0 (d 0.9, class 3), c <= b: set 0 on light grey.
      {"synthetic shortened", 2, 2, 0, 3, c::kLightGrey},
      // 20 -> 24 (ratio 1.2, class 5), c > b: set 1, white.
      {"synthetic drifted", 2, 6, 1, 11, c::kWhite},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    EXPECT_EQ(at(k.column, k.set, k.p).Image, k.image);
    EXPECT_EQ(at(k.column, k.set, k.p).BackColor, k.back);
    EXPECT_EQ(at(k.column, 1 - k.set, k.p).Image, 0);
  }
  // No move, or no base value: no indicator.
  EXPECT_EQ(at(0, 0, 4).Image + at(0, 1, 4).Image, 0);  // place 3.0 -> 3.0
  EXPECT_EQ(at(1, 0, 4).Image + at(1, 1, 4).Image, 0);  // no base win
  // The base win column has gap markers of its own: 2.0 -> 9.9 is a red gap.
  EXPECT_TRUE(mw.LbDanso[kGapJrdbWin][2].Visible);
  EXPECT_EQ(mw.LbDanso[kGapJrdbWin][2].Color, c::kRed);
  EXPECT_EQ(mw.jrdbtan[4].ForeColor, c::kRed);  // 0 after 10.0: a reversal
}

TEST(MainWindowModel, ViewChoiceAndResetForANewRace) {
  Session s = Runners(6);
  EXPECT_EQ(s.mainWindow.ViewMode, kViewQuinella);
  std::vector<int> seen;
  for (int i = 0; i < 3; ++i) {
    CycleViewMode(s);
    seen.push_back(s.mainWindow.ViewMode);
  }
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 0}));
  SetViewMode(s, kViewBoth);
  s.prediction.RowCount = 6;
  ResetMainWindow(s);
  EXPECT_EQ(s.mainWindow.ShownView, kViewBoth);
  EXPECT_EQ(s.mainWindow.ViewLabel, "馬連+ﾜｲﾄﾞ");
  EXPECT_EQ(s.prediction.RowCount, 0);  // the prediction rows were discarded
  EXPECT_TRUE(s.mainWindow.ToolbarEnabled[16]);
  EXPECT_FALSE(s.mainWindow.ToolbarEnabled[2]);

  s.race.CurrentSaleCode = 7;
  ResetMainWindow(s);
  EXPECT_EQ(s.mainWindow.ShownView, kViewQuinella);
  EXPECT_FALSE(s.mainWindow.WideViewEnabled);
  EXPECT_EQ(s.mainWindow.ViewMode, kViewBoth);  // the user's choice is kept
}

TEST(MainWindowModel, VotesShowAsMarks) {
  Session s = Runners(6);
  // Display order 3, 1, 2, 6, 5, 4.
  const int order[] = {0, 3, 1, 2, 6, 5, 4};
  for (int p = 1; p <= 6; ++p) s.race.HorseOrder[p] = order[p];
  for (int i = 1; i <= 8; ++i) {
    for (int j = i; j <= 8; ++j) {
      const double v = i == j ? 0 : 10.0 * i + j;
      s.analysis.BracketQuinella[i][j] = s.analysis.BracketQuinella[j][i] = v;
      s.race.BracketQuinellaOdds[i][j] = s.race.BracketQuinellaOdds[j][i] =
          v > 0 ? text::FormatText(text::FormatNumber(v, "#0.0"), "@@@@@") : "";
    }
  }
  // Characters 1-5 are the vote's sale data; 6 the kind; 7-8 and 9-10 the numbers.
  MarkVotedCombinations(s, {"A0601104000000000000100", "A0601201000000000000100",
                            "A0601401060000000000100", "A0601505030000000000100",
                            "A0601302050000000000100", "A0601409010000000000100"});
  const auto& mw = s.mainWindow;
  EXPECT_EQ(mw.odztan[6].BackColor, c::kMark);  // win on horse 4 (position 6)
  EXPECT_EQ(mw.odzfuk[2].BackColor, c::kMark);  // place on horse 1 (position 2)
  EXPECT_EQ(mw.odzuma[3][1].BackColor, c::kMark);  // quinella 1-6: rows 1 and 3
  EXPECT_EQ(mw.WideOdz[4][0].BackColor, c::kMark);  // wide 5-3: rows 4 and 0
  int quinellaMarks = 0;
  for (const auto& r : mw.odzuma) for (const auto& cell : r) quinellaMarks += cell.BackColor == c::kMark;
  EXPECT_EQ(quinellaMarks, 1);  // horse 9 has no row
  // Bracket quinella 2-5 in the bracket view: matrix cell and list row.
  const auto& v = s.bracketView;
  int px = -1, py = -1;
  for (int k = 1; k <= 8; ++k) {
    if (v.BracketOrder[k] == 2) px = k - 1;
    if (v.BracketOrder[k] == 5) py = k - 1;
  }
  EXPECT_EQ(v.Lbodz[8 * std::min(px, py) + std::max(px, py)].BackColor, c::kMark);
  int rows = 0;
  for (const auto& r : v.Lbsort) rows += r.BackColor == c::kMark;
  EXPECT_EQ(rows, 1);

  // A bracket-only race marks bracket votes in the quinella matrix.
  Session seven = Runners(6);
  seven.race.CurrentSaleCode = 7;
  MarkVotedCombinations(seven, {"A0601302050000000000100"});
  EXPECT_EQ(seven.mainWindow.odzuma[4][1].BackColor, c::kMark);
}

// A new race starts from the prediction window as it first is, whatever the last race left in
// any field of its rows (the rows are emptied in place, field by field).
TEST(MainWindowModel, ResetLeavesThePredictionAsNew) {
  Session s = Runners(6);
  PredictionModel& model = s.prediction;
  model.RowCount = 18;
  model.ImpliedShown = true;
  for (int p = 0; p <= kMaxHorses; ++p) {
    PredictionRow& row = model.Rows[p];
    row.HorseNumber = p + 1;
    row.Bracket = 8;
    row.Runner = true;
    for (std::string* t : {&row.F, &row.T, &row.R, &row.Z, &row.W}) *t = "5";
    row.RColour = kColourRed;
    row.ZColour = kColourRed;
    row.Mark = kMarkDoubleStar;
    row.Separator = SeparatorKind::Red;
    row.SeparatorColour = kColourRed;
    ImpliedWinCells& cells = model.Implied[p];
    for (std::string* t : {&cells.Synthetic, &cells.Win, &cells.Implied, &cells.Ratio}) {
      *t = "a text longer than a short string holds";
    }
  }
  for (PredictionHeader& header : model.Headers) {
    header.Letter = "X";
    header.Tooltip.clear();
    header.Bold = true;
  }
  ResetMainWindow(s);
  EXPECT_TRUE(s.prediction == PredictionModel{});
}

}  // namespace
}  // namespace tz
