// The bracket view: shares, share order, the sorted combination list, the matrix and its marks.
#include "analysis/bracket_model.h"

#include <gtest/gtest.h>

#include "session.h"
#include "text/numbers.h"

namespace tz {
namespace {

constexpr Colour kMarked = 0xE0E0E0;
constexpr Colour kWhite = 0xFFFFFF;

// Stores the odds of bracket pair (i, j) as the reader does: text and value, both halves.
void SetOdds(Session& s, int i, int j, double v) {
  const std::string t = v > 0 ? text::FormatText(text::FormatNumber(v, "#0.0"), "@@@@@") : "";
  s.race.BracketQuinellaOdds[i][j] = s.race.BracketQuinellaOdds[j][i] = t;
  s.analysis.BracketQuinella[i][j] = s.analysis.BracketQuinella[j][i] = v;
}

// Every pair quoted, same-bracket pairs not sold; brackets' odds grow with their numbers so
// that the share order is 1..8.
Session EightBrackets(int saleCode = 31) {
  Session s;
  s.race.CurrentSaleCode = saleCode;
  for (int i = 1; i <= 8; ++i) {
    for (int j = i; j <= 8; ++j) SetOdds(s, i, j, i == j ? 0 : 5.0 * i * j);
  }
  BuildBracketView(s);
  return s;
}

int CountMarked(const BracketViewModel& v) {
  int n = 0;
  for (const auto& c : v.Lbodz) n += c.BackColor == kMarked;
  for (const auto& r : v.Lbsort) n += r.BackColor == kMarked;
  return n;
}

TEST(BracketView, SameBracketCombinationCountsTwiceForItsBracket) {
  Session s;
  SetOdds(s, 1, 1, 20.0);
  s.analysis.BracketShare[1] = 12.34;
  ComputeBracketShares(s);
  EXPECT_DOUBLE_EQ(s.bracketView.BracketQuinellaShare[1], 3.75);
  EXPECT_EQ(s.bracketView.BracketQuinellaShareText[1], "3.8%");
  EXPECT_EQ(s.bracketView.BracketShareText[1], "12.3%");
  // Bracket 1 alone has a share, so it leads the order.
  EXPECT_EQ(s.bracketView.BracketOrder[1], 1);

  // A bracket whose same-bracket pair is not sold gets its share from the other pairs only.
  Session t;
  SetOdds(t, 2, 5, 15.0);
  ComputeBracketShares(t);
  EXPECT_DOUBLE_EQ(t.bracketView.BracketQuinellaShare[2], 2.5);
  EXPECT_DOUBLE_EQ(t.bracketView.BracketQuinellaShare[5], 2.5);
}

TEST(BracketView, OrderIsByShareLargestFirstWithExchangeTies) {
  Session s;
  // Shares: bracket 3 largest, then 6 and 7 equal, the rest 0.
  SetOdds(s, 3, 3, 10.0);  // 7.5 for bracket 3
  SetOdds(s, 6, 7, 20.0);  // 1.875 each for 6 and 7
  ComputeBracketShares(s);
  std::vector<int> order(s.bracketView.BracketOrder.begin() + 1, s.bracketView.BracketOrder.end());
  // The exchange loop from 1..8 leaves the zero-share brackets in this order.
  EXPECT_EQ(order, (std::vector<int>{3, 6, 7, 4, 5, 2, 1, 8}));
  // Headers and matrix follow the order: cell (column 0, row 1) is brackets 3 and 6.
  EXPECT_EQ(s.bracketView.LbnumX[0].Text, "3");
  EXPECT_EQ(s.bracketView.LbnumY[1].Text, "6");
  EXPECT_EQ(s.bracketView.Lbodz[8 * 0 + 0].Text, s.race.BracketQuinellaOdds[3][3]);
  EXPECT_EQ(s.bracketView.Lbodz[8 * 0 + 1].Text, "----");
  EXPECT_EQ(s.bracketView.Lbodz[8 * 1 + 2].Text, s.race.BracketQuinellaOdds[6][7]);
  // Dark brackets are written in white.
  EXPECT_EQ(s.bracketView.LbnumX[5].ForeColor, kWhite);  // position 6 holds bracket 2
  EXPECT_EQ(s.bracketView.LbnumX[5].BackColor, s.app.BracketColors[1]);
  EXPECT_EQ(s.bracketView.LbnumX[6].ForeColor, 0);  // bracket 1
}

TEST(BracketView, ListIsSortedByOddsAndLeavesOutCombinationsWithoutOdds) {
  Session s;
  SetOdds(s, 2, 3, 8.0);
  SetOdds(s, 1, 1, 40.0);
  SetOdds(s, 4, 8, 8.0);
  SetOdds(s, 1, 2, 3.5);
  ListBracketCombinations(s);
  const auto& v = s.bracketView;
  ASSERT_EQ(v.ListCount, 4);
  std::vector<std::string> rows;
  for (int k = 0; k < 5; ++k) rows.push_back(v.Lbsort[k].Lbnum1 + "-" + v.Lbsort[k].Lbnum2);
  EXPECT_EQ(rows, (std::vector<std::string>{"1-2", "2-3", "4-8", "1-1", "-"}));
  EXPECT_EQ(v.Lbsort[0].Text, s.race.BracketQuinellaOdds[1][2]);

  // With all odds equal the enumeration order 1-1, 1-2, ..., 8-8 stays.
  Session e;
  for (int i = 1; i <= 8; ++i) {
    for (int j = i; j <= 8; ++j) SetOdds(e, i, j, 10.0);
  }
  ListBracketCombinations(e);
  EXPECT_EQ(e.bracketView.ListCount, 36);
  EXPECT_EQ(e.bracketView.Lbsort[1].Lbnum1 + e.bracketView.Lbsort[1].Lbnum2, "12");
  EXPECT_EQ(e.bracketView.Lbsort[8].Lbnum1 + e.bracketView.Lbsort[8].Lbnum2, "22");
  EXPECT_EQ(e.bracketView.Lbsort[35].Lbnum1 + e.bracketView.Lbsort[35].Lbnum2, "88");
}

TEST(BracketView, MatrixCellAndListRowAreMarkedTogether) {
  Session s = EightBrackets();
  auto& v = s.bracketView;
  ASSERT_EQ(v.BracketOrder[2], 2);
  ASSERT_EQ(v.BracketOrder[5], 5);
  // Cell (column 5, row 2) marks its mirror (column 2, row 5) and the list row of 3-6.
  ToggleBracketCell(s, 8 * 5 + 2);
  EXPECT_EQ(v.Lbodz[8 * 2 + 5].BackColor, kMarked);
  EXPECT_EQ(v.Lbodz[8 * 5 + 2].BackColor, kWhite);
  int listRow = -1;
  for (int k = 0; k < 36; ++k) {
    if (v.Lbsort[k].Lbnum1 == "3" && v.Lbsort[k].Lbnum2 == "6") listRow = k;
  }
  ASSERT_GE(listRow, 0);
  EXPECT_EQ(v.Lbsort[listRow].BackColor, kMarked);
  EXPECT_EQ(CountMarked(v), 2);
  // Clicking the list row again unmarks both.
  ToggleBracketRow(s, listRow);
  EXPECT_EQ(CountMarked(v), 0);
  // And the list row marks the matrix cell.
  ToggleBracketRow(s, listRow);
  EXPECT_EQ(v.Lbodz[8 * 2 + 5].BackColor, kMarked);
}

TEST(BracketView, ClearAndInactiveClicks) {
  Session s = EightBrackets();
  ToggleBracketCell(s, 8 * 0 + 3);
  ToggleBracketRow(s, 10);
  ToggleBracketRow(s, 20);
  ASSERT_GT(CountMarked(s.bracketView), 0);
  ClearBracketMarks(s);
  EXPECT_EQ(CountMarked(s.bracketView), 0);

  // A "----" cell (same-bracket, not sold) and an empty list row do nothing.
  ToggleBracketCell(s, 8 * 4 + 4);
  EXPECT_EQ(s.bracketView.Lbodz[8 * 4 + 4].Text, "----");
  ToggleBracketRow(s, 35);  // only 28 combinations are quoted
  EXPECT_EQ(CountMarked(s.bracketView), 0);

  // A sale-code-7 race shows the list page and ignores clicks.
  Session seven = EightBrackets(7);
  EXPECT_FALSE(seven.bracketView.NormalEnabled);
  EXPECT_EQ(seven.bracketView.Page, kBracketPageSorted);
  ToggleBracketCell(seven, 8 * 0 + 3);
  ToggleBracketRow(seven, 0);
  EXPECT_EQ(CountMarked(seven.bracketView), 0);
}

}  // namespace
}  // namespace tz
