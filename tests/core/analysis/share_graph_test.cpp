// The share graphs: sort orders, bars, label rows and lines of the share panel, the payout
// ranges of the range panel, and the window's commands that move between them.
#include "analysis/share_graph.h"

#include <gtest/gtest.h>

#include <cmath>

#include <string>
#include <vector>

#include "session.h"
#include "text/numbers.h"

namespace tz {
namespace {

// One runner of a hand-made race, at popularity position `pos`.
struct Runner {
  int horse;
  double quinellaShare;
  double wideShare;
  std::string win;    // odds text
  std::string place;  // odds text (low)
  double favouriteOdds = 0;  // quinella odds with the favourite
};

constexpr Colour kSyntheticBack = 0xC0FFC0;

// A race whose analysis tables hold exactly the given runners in popularity order.
void MakeRace(Session& s, const std::vector<Runner>& runners, int saleCode = 31, int scratched = 0) {
  const int m = static_cast<int>(runners.size());
  s.race.HorseCount = m + scratched;
  s.race.ScratchedCount = scratched;
  s.race.CurrentSaleCode = saleCode;
  for (int p = 1; p <= m; ++p) {
    const Runner& r = runners[p - 1];
    s.race.HorseOrder[p] = r.horse;
    s.race.HorseBracket[r.horse] = (r.horse + 1) / 2;
    s.race.WinOdds[r.horse] = r.win;
    s.race.PlaceOddsLow[r.horse] = r.place;
    s.analysis.QuinellaShare[r.horse] = r.quinellaShare;
    s.analysis.WideShare[r.horse] = r.wideShare;
    s.analysis.WideShareRank[r.horse] = 10 + p;
    s.analysis.WinOddsByPos[p] = text::OddsValue(r.win);
    s.analysis.PlaceOddsByPos[p] = text::OddsValue(r.place);
    s.analysis.WinRankByPos[p] = 20 + p;
    s.analysis.PlaceRankByPos[p] = 30 + p;
    s.analysis.QuinellaByPos[p][1] = s.analysis.QuinellaByPos[1][p] = r.favouriteOdds;
    s.mainWindow.odzren[p].BackColor = kSyntheticBack + p;
  }
}

// Four runners: horse 3 is the favourite, then 1, 4, 2.
std::vector<Runner> FourRunners() {
  return {{3, 25.0, 20.0, "3.2", "1.6", 0},
          {1, 18.0, 30.0, "2.0", "2.0", 8.5},
          {4, 12.0, 10.0, "8.0", "1.3", 12.0},
          {2, 5.5, 4.0, "16.0", "4.0", 40.0}};
}

std::vector<int> Order(const Session& s) {
  std::vector<int> v;
  for (int k = 1; k <= s.shareGraph.ColumnCount; ++k) v.push_back(s.shareGraph.Columns[k].Horse);
  return v;
}

TEST(ShareGraph, PopularityOrderDrawsBarsLabelsAndLinesInPlace) {
  Session s;
  MakeRace(s, FourRunners());
  ShowShareGraphs(s);
  const ShareGraphModel& g = s.shareGraph;
  EXPECT_EQ(g.GraphSort, 1);
  EXPECT_EQ(g.RangeKind, 1);
  EXPECT_EQ(Order(s), (std::vector<int>{3, 1, 4, 2}));
  EXPECT_EQ(g.Title, "連勝集票率順");
  EXPECT_EQ(g.Caption, "ｸﾞﾗﾌ - 連勝集票率順");

  // Column 1 (x = 0) and column 2 (x = 390): four bars of width 80 from offset 20.
  const GraphColumn& c1 = g.Columns[1];
  EXPECT_DOUBLE_EQ(c1.QuinellaBar.Left, 20);
  EXPECT_DOUBLE_EQ(c1.QuinellaBar.Height, 2500);  // 25 % reaches the 25 % guide line
  EXPECT_DOUBLE_EQ(c1.WideBar.Left, 100);
  EXPECT_DOUBLE_EQ(c1.WinBar.Left, 180);
  EXPECT_DOUBLE_EQ(c1.WinBar.Height, 2500);  // 80 / 3.2
  EXPECT_DOUBLE_EQ(c1.PlaceBar.Left, 260);
  EXPECT_NEAR(c1.PlaceBar.Height, 100 * 80 / 1.6 / 3.1, 1e-9);
  EXPECT_EQ(c1.QuinellaBar.Color, 0x8080FF);
  EXPECT_EQ(c1.WideBar.Color, 0xFF8080);
  EXPECT_EQ(c1.WinBar.Color, 0x80FF80);
  EXPECT_EQ(c1.PlaceBar.Color, 0x80C0FF);
  EXPECT_DOUBLE_EQ(g.Columns[2].QuinellaBar.Left, 410);
  EXPECT_DOUBLE_EQ(g.Columns[2].WinBar.Height, 4000);  // 40 % runs off the 30 % area

  // Labels: number, no shift in popularity order, bracket on its colour, shares "#0.0".
  EXPECT_EQ(c1.Number.Text, "3");
  for (int k = 1; k <= 4; ++k) EXPECT_EQ(g.Columns[k].Shift.Text, "") << k;
  EXPECT_EQ(c1.Bracket.Text, "2");
  EXPECT_EQ(c1.Bracket.BackColor, s.app.BracketColors[1]);
  EXPECT_EQ(c1.Bracket.ForeColor, s.app.BracketColors[0]);  // white on bracket 2
  EXPECT_EQ(g.Columns[2].Bracket.ForeColor, 0);              // black on bracket 1
  EXPECT_EQ(c1.Ren.Text, "25.0");
  EXPECT_EQ(c1.Odz.Text, "20.0");
  EXPECT_EQ(c1.Tan.Text, "25.0");
  EXPECT_EQ(c1.Fuk.Text, "16.1");  // 80 / 1.6 / 3.1 = 16.129
  EXPECT_EQ(g.Columns[4].Tan.Text, "5.0");
  // The sort key's row is white, the others take the 仮単 colour of the horse's position.
  EXPECT_EQ(g.Columns[3].Ren.BackColor, 0xFFFFFF);
  EXPECT_EQ(g.Columns[3].Odz.BackColor, kSyntheticBack + 3);
  EXPECT_EQ(g.Columns[3].Fuk.BackColor, kSyntheticBack + 3);
  EXPECT_TRUE(g.Columns[3].Tan.Opaque);

  // The quinella bars are joined top centre to top centre.
  ASSERT_EQ(g.Lines.size(), 3u);
  EXPECT_DOUBLE_EQ(g.Lines[0].X1, 60);
  EXPECT_DOUBLE_EQ(g.Lines[0].Y1, 500);
  EXPECT_DOUBLE_EQ(g.Lines[0].X2, 450);
  EXPECT_DOUBLE_EQ(g.Lines[0].Y2, 1200);
  EXPECT_EQ(g.Lines[0].Color, 0x8080FF);
}

TEST(ShareGraph, SortOrdersUseTheirKeysAndTheExchangeLoop) {
  struct Case {
    int sort;
    std::vector<int> order;
    Colour lineColour;
    std::string title;
  };
  const Case cases[] = {
      {2, {1, 3, 4, 2}, 0xFF8080, "ﾜｲﾄﾞ集票率順"},          // wide share descending
      {3, {1, 3, 4, 2}, 0xC000, "単勝集票率順"},              // win odds ascending
      {4, {4, 3, 1, 2}, 0x80C0FF, "複勝集票率順"},            // place odds ascending
      {5, {3, 1, 4, 2}, 0x8080FF, "1番人気からのｵｯｽﾞ順"},     // favourite first, key 0
  };
  for (const Case& c : cases) {
    Session s;
    MakeRace(s, FourRunners());
    s.app.settings.GrphStart = c.sort;
    ShowShareGraphs(s);
    EXPECT_EQ(Order(s), c.order) << c.sort;
    EXPECT_EQ(s.shareGraph.Title, c.title);
    ASSERT_EQ(s.shareGraph.Lines.size(), 3u) << c.sort;
    EXPECT_EQ(s.shareGraph.Lines[0].Color, c.lineColour) << c.sort;
    // The row of the key is white; order 5 has no such row.
    const GraphColumn& first = s.shareGraph.Columns[1];
    const GraphLabel* keyRow[] = {nullptr, &first.Ren, &first.Odz, &first.Tan, &first.Fuk, nullptr};
    for (int row = 1; row <= 4; ++row) {
      const GraphLabel* l = keyRow[row];
      EXPECT_EQ(l->BackColor == 0xFFFFFF, row == c.sort) << c.sort << " row " << row;
    }
  }
}

TEST(ShareGraph, EqualKeysAreReversedByTheExchangeWithALowerKey) {
  // Win odds 2, 2, 1 at positions 1, 2, 3: the exchange loop ends with positions 3, 2, 1.
  Session s;
  MakeRace(s, {{5, 30, 30, "2.0", "1.5"}, {6, 20, 20, "2.0", "1.5"}, {7, 10, 10, "1.0", "1.5"}});
  s.shareGraph.GraphSort = 3;
  DrawCurrentOrder(s);
  EXPECT_EQ(Order(s), (std::vector<int>{7, 6, 5}));
}

TEST(ShareGraph, ShiftLabelsFollowTheRankOptions) {
  struct Case {
    int up, down;
    std::vector<std::string> shifts;
  };
  // Order 2 puts positions 2, 1, 3, 4 at columns 1..4: shifts +1, -1, 0, 0.
  const Case cases[] = {{0, 0, {"", "", "", ""}},
                        {1, 0, {"+1", "", "", ""}},
                        {0, 1, {"", "-1", "", ""}},
                        {1, 1, {"+1", "-1", "", ""}}};
  for (const Case& c : cases) {
    Session s;
    MakeRace(s, FourRunners());
    s.app.settings.UpValue = c.up;
    s.app.settings.DownValue = c.down;
    s.shareGraph.GraphSort = 2;
    DrawCurrentOrder(s);
    for (int k = 1; k <= 4; ++k) {
      EXPECT_EQ(s.shareGraph.Columns[k].Shift.Text, c.shifts[k - 1]) << c.up << c.down << k;
    }
    if (c.down) EXPECT_EQ(s.shareGraph.Columns[2].Shift.ForeColor, 255);
    if (c.up) EXPECT_EQ(s.shareGraph.Columns[1].Shift.ForeColor, 0);
  }
}

TEST(ShareGraph, RankModeShowsRanksAndTheButtonSwitchesIt) {
  Session s;
  MakeRace(s, FourRunners());
  s.shareGraph.GraphSort = 2;
  LoadShareGraphWindow(s);
  EXPECT_EQ(s.shareGraph.LabelModeCaption, "％");
  ToggleGraphLabelMode(s);
  EXPECT_EQ(s.app.settings.Grph, 1);
  EXPECT_EQ(s.shareGraph.LabelModeCaption, "順");
  // Column 1 holds horse 1 at popularity position 2.
  const GraphColumn& c = s.shareGraph.Columns[1];
  EXPECT_EQ(c.Horse, 1);
  EXPECT_EQ(c.Ren.Text, "2");
  EXPECT_EQ(c.Odz.Text, "12");  // wide share rank of horse 1
  EXPECT_EQ(c.Tan.Text, "22");  // win rank of position 2
  EXPECT_EQ(c.Fuk.Text, "32");  // place rank of position 2
  ToggleGraphLabelMode(s);
  EXPECT_EQ(s.app.settings.Grph, 0);
  EXPECT_EQ(s.shareGraph.Columns[1].Ren.Text, "18.0");
}

TEST(ShareGraph, WithoutPairSalesThereIsNoWideBarAndNarrowerColumnsOfWiderBars) {
  Session s;
  MakeRace(s, FourRunners(), 7);
  LoadShareGraphWindow(s);
  EXPECT_FALSE(s.shareGraph.Menu.WideSort);
  EXPECT_FALSE(s.shareGraph.Menu.RangeQuinella);
  EXPECT_FALSE(s.shareGraph.Menu.RangeWide);
  ShowShareGraphs(s);
  const ShareGraphModel& g = s.shareGraph;
  EXPECT_FALSE(g.WideShown);
  const GraphColumn& c2 = g.Columns[2];  // x = 390
  EXPECT_DOUBLE_EQ(c2.QuinellaBar.Left, 430);
  EXPECT_DOUBLE_EQ(c2.QuinellaBar.Width, 100);
  EXPECT_DOUBLE_EQ(c2.WinBar.Left, 530);
  EXPECT_DOUBLE_EQ(c2.PlaceBar.Left, 630);
  EXPECT_FALSE(c2.WideBar.Drawn);
  EXPECT_EQ(c2.Odz.Text, "");

  // The tool-bar cycle skips the wide order; the range button stays on 枠連.
  std::vector<int> seen;
  for (int i = 0; i < 5; ++i) {
    GraphToolbarClick(s, 1);
    seen.push_back(s.shareGraph.GraphSort);
  }
  EXPECT_EQ(seen, (std::vector<int>{3, 4, 5, 1, 3}));
  s.shareGraph.RangeKind = 3;
  for (int i = 0; i < 3; ++i) {
    GraphToolbarClick(s, 2);
    EXPECT_EQ(s.shareGraph.RangeKind, 1);
    EXPECT_EQ(s.shareGraph.Range.PoolName, "枠連");
  }
}

TEST(ShareGraph, ARunnerWithoutWinOrPlaceOddsShowsNoValueAndBreaksNoLine) {
  // Empty odds texts give an infinite share: no label text, no bar, no line to it.
  Session s;
  std::vector<Runner> runners = FourRunners();
  runners[1].win = "";
  runners[1].place = "";
  MakeRace(s, runners);
  s.shareGraph.GraphSort = 1;
  DrawCurrentOrder(s);
  const GraphColumn& c2 = s.shareGraph.Columns[2];
  EXPECT_EQ(c2.Tan.Text, "");
  EXPECT_EQ(c2.Fuk.Text, "");
  EXPECT_FALSE(c2.WinBar.Drawn);
  EXPECT_FALSE(c2.PlaceBar.Drawn);
  EXPECT_TRUE(c2.QuinellaBar.Drawn);
  // Order 3 sorts by the position's win odds (0 without a quote, so first) and draws only the
  // lines between finite tops.
  s.shareGraph.GraphSort = 3;
  DrawCurrentOrder(s);
  EXPECT_EQ(s.shareGraph.Columns[1].Horse, 1);
  EXPECT_EQ(s.shareGraph.Lines.size(), 2u);
  for (const GraphLine& l : s.shareGraph.Lines) EXPECT_TRUE(std::isfinite(l.Y1) && std::isfinite(l.Y2));
}

TEST(ShareGraph, OnlyRunnersAreDrawnWhenHorsesAreScratched) {
  Session s;
  MakeRace(s, FourRunners(), 31, 2);  // six horses, two scratched behind the runners
  s.race.HorseOrder[5] = 5;
  s.race.HorseOrder[6] = 6;
  LoadShareGraphWindow(s);
  EXPECT_DOUBLE_EQ(s.shareGraph.StripWidth, 4 * 390 + 460);
  ShowShareGraphs(s);
  EXPECT_EQ(s.shareGraph.ColumnCount, 4);
  EXPECT_EQ(Order(s), (std::vector<int>{3, 1, 4, 2}));
  EXPECT_EQ(s.shareGraph.Columns[5].Horse, 0);
}

// ---- range graph ----------------------------------------------------------------------------

void SetBracketPair(Session& s, int a, int b, double odds) {
  s.analysis.BracketQuinella[a][b] = s.analysis.BracketQuinella[b][a] = odds;
}

TEST(RangeGraph, BracketPoolCountsAll64CellsInSixtyFourths) {
  Session s;
  MakeRace(s, FourRunners());
  // Every cell 50.0 (row 3) except one same-bracket cell at 9.9 and one pair at 300.0.
  for (int i = 1; i <= 8; ++i)
    for (int j = 1; j <= 8; ++j) s.analysis.BracketQuinella[i][j] = 50.0;
  s.analysis.BracketQuinella[1][1] = 9.9;    // 990 yen: row 0
  SetBracketPair(s, 2, 5, 300.0);            // 30000 yen, two cells: row 6
  s.analysis.BracketQuinella[3][3] = 10.0;   // 1000 yen: row 1
  s.shareGraph.RangeKind = kRangeBracket;
  ShareGraph(s);
  const RangeGraph& r = s.shareGraph.Range;
  EXPECT_EQ(s.shareGraph.Caption, "ｸﾞﾗﾌ - ﾚﾝｼﾞ別");
  EXPECT_EQ(r.PoolName, "枠連");
  EXPECT_EQ(r.BarColor, 0xFF80FF);
  EXPECT_EQ(r.ValueCount, 64);
  EXPECT_EQ(r.Counts, (std::array<int, 7>{1, 1, 0, 60, 0, 0, 2}));
  EXPECT_EQ(r.Shares[0], 156);  // 1/64 = 156.25
  EXPECT_EQ(r.Shares[6], 312);  // 2/64 = 312.5, a half to even
  EXPECT_EQ(r.Shares[3], 9375);
  EXPECT_EQ(r.PercentLabels[0], "1.5%");
  EXPECT_EQ(r.PercentLabels[6], "3.1%");
  EXPECT_EQ(r.PercentLabels[3], "93.7%");
  EXPECT_EQ(r.PercentLabels[2], "0.0%");
  EXPECT_EQ(r.RangeLabels, (std::array<std::string, 6>{"1000", "2000", "4000", "7000", "10000", "30000"}));
  // Bars: row r from y = 100 + 400 r, q twips long; rows without a share are not drawn.
  EXPECT_TRUE(r.Bars[6].Drawn);
  EXPECT_DOUBLE_EQ(r.Bars[6].Top, 2500);
  EXPECT_DOUBLE_EQ(r.Bars[6].Length, 312);
  EXPECT_FALSE(r.Bars[2].Drawn);
}

TEST(RangeGraph, QuinellaAndWidePoolsCountThePairsOfRunners) {
  Session s;
  MakeRace(s, FourRunners());
  // Six pairs of four runners.
  const double quinella[][3] = {{1, 2, 5.0}, {1, 3, 12.0}, {1, 4, 25.0},
                                {2, 3, 45.0}, {2, 4, 80.0}, {3, 4, 150.0}};
  for (const auto& q : quinella) {
    const int a = static_cast<int>(q[0]), b = static_cast<int>(q[1]);
    s.analysis.QuinellaByPos[a][b] = s.analysis.QuinellaByPos[b][a] = q[2];
    s.analysis.WideByPos[a][b] = s.analysis.WideByPos[b][a] = q[2] / 4;
  }
  s.shareGraph.RangeKind = kRangeQuinella;
  ShareGraph(s);
  EXPECT_EQ(s.shareGraph.Range.PoolName, "馬連");
  EXPECT_EQ(s.shareGraph.Range.BarColor, 0x8080FF);
  EXPECT_EQ(s.shareGraph.Range.ValueCount, 6);
  EXPECT_EQ(s.shareGraph.Range.Counts, (std::array<int, 7>{1, 1, 1, 1, 1, 1, 0}));
  EXPECT_EQ(s.shareGraph.Range.PercentLabels[0], "16.6%");  // 1667 hundredths

  s.shareGraph.RangeKind = kRangeWide;
  ShareGraph(s);
  EXPECT_EQ(s.shareGraph.Range.PoolName, "ﾜｲﾄﾞ");
  EXPECT_EQ(s.shareGraph.Range.BarColor, 0xFF8080);
  EXPECT_EQ(s.shareGraph.Range.Counts, (std::array<int, 7>{3, 1, 2, 0, 0, 0, 0}));
  EXPECT_EQ(s.shareGraph.Range.Shares[0], 5000);
  EXPECT_EQ(s.shareGraph.Range.PercentLabels[0], "50.0%");
}

TEST(RangeGraph, PayoutsOnALimitCountFromThatLimit) {
  // 10.2 x 100 is 1019.999... in binary; the payout is 1020 yen and belongs to the range that
  // starts at 1020.
  Session s;
  MakeRace(s, {{1, 50, 50, "2.0", "1.2"}, {2, 50, 50, "2.0", "1.2"}});
  s.app.settings.OddsRanges = {1020, 2300, 4100, 7000, 10000, 30000};
  s.analysis.QuinellaByPos[1][2] = s.analysis.QuinellaByPos[2][1] = text::Val("10.2");
  s.shareGraph.RangeKind = kRangeQuinella;
  ShareGraph(s);
  EXPECT_EQ(s.shareGraph.Range.Counts[1], 1);
  s.analysis.QuinellaByPos[1][2] = text::Val("41.0");
  ShareGraph(s);
  EXPECT_EQ(s.shareGraph.Range.Counts[3], 1);
  s.analysis.QuinellaByPos[1][2] = text::Val("2.3");
  s.app.settings.OddsRanges = {230, 2300, 4100, 7000, 10000, 30000};
  ShareGraph(s);
  EXPECT_EQ(s.shareGraph.Range.Counts[1], 1);
}

TEST(RangeGraph, APoolWithoutPairsShowsNoPercentages) {
  Session s;
  MakeRace(s, {{1, 100, 100, "1.0", "1.0"}});
  s.shareGraph.RangeKind = kRangeQuinella;
  ShareGraph(s);
  const RangeGraph& r = s.shareGraph.Range;
  EXPECT_EQ(r.ValueCount, 0);
  for (int k = 0; k < 7; ++k) {
    EXPECT_EQ(r.PercentLabels[k], "");
    EXPECT_FALSE(r.Bars[k].Drawn);
  }
}

// ---- window commands ------------------------------------------------------------------------

TEST(ShareGraphCommands, TheSharesButtonAdvancesOnlyWhenItsPanelIsShown) {
  Session s;
  MakeRace(s, FourRunners());
  LoadShareGraphWindow(s);
  ShowShareGraphs(s);
  GraphToolbarClick(s, 1);
  EXPECT_EQ(s.shareGraph.GraphSort, 2);
  GraphToolbarClick(s, 2);  // the range panel: 枠連 first
  EXPECT_EQ(s.shareGraph.VisiblePanel, 2);
  EXPECT_EQ(s.shareGraph.RangeKind, 1);
  GraphToolbarClick(s, 2);
  EXPECT_EQ(s.shareGraph.RangeKind, 2);
  GraphToolbarClick(s, 2);
  GraphToolbarClick(s, 2);
  EXPECT_EQ(s.shareGraph.RangeKind, 1);  // wraps after ﾜｲﾄﾞ
  GraphToolbarClick(s, 1);               // back to the shares: the same order redrawn
  EXPECT_EQ(s.shareGraph.GraphSort, 2);
  EXPECT_EQ(s.shareGraph.Caption, "ｸﾞﾗﾌ - ﾜｲﾄﾞ集票率順");
  GraphToolbarClick(s, 1);
  EXPECT_EQ(s.shareGraph.GraphSort, 3);
  GraphToolbarClick(s, 1);
  GraphToolbarClick(s, 1);
  GraphToolbarClick(s, 1);
  EXPECT_EQ(s.shareGraph.GraphSort, 1);  // wraps after order 5
}

TEST(ShareGraphCommands, MenuEntriesAndTheirEnabledStates) {
  Session s;
  MakeRace(s, FourRunners());
  LoadShareGraphWindow(s);
  ShowShareGraphs(s);
  // Button states.
  GraphToolbarClick(s, 2);
  EXPECT_FALSE(s.shareGraph.Menu.StartEntry);
  EXPECT_TRUE(s.shareGraph.Menu.RangeSetup);
  EXPECT_FALSE(s.shareGraph.Menu.JravanPlace);
  GraphToolbarClick(s, 3);
  EXPECT_EQ(s.shareGraph.VisiblePanel, 3);
  EXPECT_FALSE(s.shareGraph.Menu.RangeSetup);
  EXPECT_TRUE(s.shareGraph.Menu.JravanPlace);
  EXPECT_EQ(s.shareGraph.GraphPanel, 2);  // the JRAVAN button keeps the last panel
  GraphToolbarClick(s, 1);
  EXPECT_TRUE(s.shareGraph.Menu.StartEntry);
  EXPECT_FALSE(s.shareGraph.Menu.RangeSetup);
  EXPECT_FALSE(s.shareGraph.Menu.JravanPlace);

  // An order chosen from the menu, then made the start order of every later opening.
  EXPECT_EQ(GraphMenuClick(s, 1, 3), GraphMenuResult::Done);
  EXPECT_EQ(s.shareGraph.GraphSort, 3);
  EXPECT_EQ(s.shareGraph.Title, "単勝集票率順");
  GraphMenuClick(s, 1, 7);
  EXPECT_EQ(s.app.settings.GrphStart, 3);
  GraphMenuClick(s, 1, 5);
  ShowShareGraphs(s);
  EXPECT_EQ(s.shareGraph.GraphSort, 3);

  // Range entries: a pool, and the range dialog asked for.
  const int panelBefore = s.shareGraph.GraphPanel;
  EXPECT_EQ(GraphMenuClick(s, 2, 3), GraphMenuResult::Done);
  EXPECT_EQ(s.shareGraph.RangeKind, 3);
  EXPECT_EQ(s.shareGraph.Range.PoolName, "ﾜｲﾄﾞ");
  EXPECT_EQ(s.shareGraph.VisiblePanel, 2);
  EXPECT_EQ(s.shareGraph.GraphPanel, panelBefore);  // menus do not change the last button
  EXPECT_TRUE(s.shareGraph.Menu.RangeSetup);
  EXPECT_EQ(GraphMenuClick(s, 2, 5), GraphMenuResult::OpenRangeDialog);
  EXPECT_EQ(s.shareGraph.RangeKind, 3);
}

TEST(ShareGraphCommands, RowCaptionsChooseTheirOrderWhateverTheSaleCode) {
  Session s;
  MakeRace(s, FourRunners(), 7);
  ShowShareGraphs(s);
  const int orders[] = {4, 3, 2, 1};
  for (int o : orders) {
    GraphRowCaptionClick(s, o);
    EXPECT_EQ(s.shareGraph.GraphSort, o);
    EXPECT_EQ(s.shareGraph.Title, kGraphSortTitles[o]);
  }
}

TEST(ShareGraphCommands, AStartOrderOutsideTheFiveDrawsNothing) {
  Session s;
  MakeRace(s, FourRunners());
  s.app.settings.GrphStart = 9;
  ShowShareGraphs(s);
  EXPECT_EQ(s.shareGraph.GraphSort, 9);
  EXPECT_FALSE(s.shareGraph.SharesDrawn);
  GraphToolbarClick(s, 1);  // the tool bar brings it back to order 1
  EXPECT_EQ(s.shareGraph.GraphSort, 1);
  EXPECT_TRUE(s.shareGraph.SharesDrawn);
}

}  // namespace
}  // namespace tz
