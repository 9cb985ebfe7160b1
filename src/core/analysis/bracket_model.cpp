#include "analysis/bracket_model.h"

#include <algorithm>
#include <string_view>

#include "analysis/vote_shares.h"
#include "session.h"
#include "text/numbers.h"
#include "text/strings.h"

namespace tz {

namespace {

constexpr Colour kMarkColour = 0xE0E0E0;
constexpr Colour kUnmarked = 0xFFFFFF;
constexpr const char* kNoOdds = "----";

BracketNumberLabel NumberLabel(const Session& s, int bracket) {
  BracketNumberLabel l;
  l.Text = std::to_string(bracket);
  l.BackColor = s.app.BracketColors[bracket - 1];
  l.ForeColor = (bracket == 2 || bracket == 4) ? 0xFFFFFF : 0x000000;
  return l;
}

// The list row of brackets b1 <= b2, or -1.
int FindListRow(const BracketViewModel& v, int b1, int b2) {
  const std::string x = std::to_string(b1), y = std::to_string(b2);
  for (int k = 0; k < 36; ++k) {
    if (v.Lbsort[k].Lbnum1 == x && v.Lbsort[k].Lbnum2 == y) return k;
  }
  return -1;
}

int OrderPosition(const BracketViewModel& v, int bracket) {
  for (int k = 1; k <= kMaxBrackets; ++k) {
    if (v.BracketOrder[k] == bracket) return k - 1;
  }
  return -1;
}

}  // namespace

bool IsBracketMarked(const BracketCell& c) { return c.BackColor == kMarkColour; }

void ComputeBracketShares(Session& s) {
  auto& v = s.bracketView;
  const auto& bq = s.analysis.BracketQuinella;
  for (int a = 1; a <= kMaxBrackets; ++a) {
    double sum = 0;
    for (int d = 1; d <= kMaxBrackets; ++d) {
      if (bq[a][d] > 0) {
        double t = 75 / bq[a][d];
        if (d == a) t *= 2;  // a same-bracket combination involves the bracket twice
        sum += t;
      }
    }
    v.BracketQuinellaShare[a] = sum / 2;
    v.BracketQuinellaShareText[a] = text::FormatNumber(v.BracketQuinellaShare[a], "#0.0") + "%";
    v.BracketShareText[a] = text::FormatNumber(s.analysis.BracketShare[a], "#0.0") + "%";
  }
  std::array<double, kMaxBrackets + 1> share{};
  for (int a = 1; a <= kMaxBrackets; ++a) {
    v.BracketOrder[a] = a;
    share[a] = v.BracketQuinellaShare[a];
  }
  for (int a = 1; a < kMaxBrackets; ++a) {
    for (int b = a + 1; b <= kMaxBrackets; ++b) {
      if (share[a] < share[b]) {
        SwapValues(share[a], share[b]);
        SwapValues(v.BracketOrder[a], v.BracketOrder[b]);
      }
    }
  }

  // The matrix in share order, all marks cleared.
  for (int i = 0; i < 8; ++i) {
    v.LbnumX[i] = NumberLabel(s, v.BracketOrder[i + 1]);
    v.LbnumY[i] = NumberLabel(s, v.BracketOrder[i + 1]);
  }
  for (int i = 0; i < 8; ++i) {
    for (int j = 0; j < 8; ++j) {
      BracketCell& c = v.Lbodz[8 * i + j];
      const std::string_view t =
          s.race.BracketQuinellaOdds[v.BracketOrder[i + 1]][v.BracketOrder[j + 1]].text();
      c.Text.assign(text::Trim(t).empty() ? std::string_view(kNoOdds) : t);
      c.BackColor = kUnmarked;
    }
  }
  v.SaleCode = s.race.CurrentSaleCode;
}

void ListBracketCombinations(Session& s) {
  auto& v = s.bracketView;
  int k = 0;
  for (int i = 1; i <= kMaxBrackets; ++i) {
    for (int j = i; j <= kMaxBrackets; ++j) {
      v.BracketCombination[++k] = {i, j, s.analysis.BracketQuinella[i][j]};
    }
  }
  for (int a = 1; a < 36; ++a) {
    for (int b = a + 1; b <= 36; ++b) {
      if (v.BracketCombination[a].Odds > v.BracketCombination[b].Odds) {
        SwapValues(v.BracketCombination[a], v.BracketCombination[b]);
      }
    }
  }
  for (auto& row : v.Lbsort) row = BracketListRow{};
  int row = 0;
  for (int a = 1; a <= 36; ++a) {
    const auto& c = v.BracketCombination[a];
    if (!(c.Odds > 0)) continue;
    BracketListRow& r = v.Lbsort[row++];
    r.Lbnum1 = std::to_string(c.Low);
    r.Lbnum2 = std::to_string(c.High);
    r.Text = s.race.BracketQuinellaOdds[c.Low][c.High].text();
    r.BackColor = kUnmarked;
  }
  v.ListCount = row;
}

void BuildBracketView(Session& s) {
  ComputeBracketShares(s);
  ListBracketCombinations(s);
  auto& v = s.bracketView;
  // A race sold as win, place and bracket quinella only is marked in the main window.
  v.NormalEnabled = v.SaleCode != 7;
  v.Page = v.NormalEnabled ? kBracketPageNormal : kBracketPageSorted;
}

void ToggleBracketCell(Session& s, int index) {
  auto& v = s.bracketView;
  if (v.SaleCode == 7 || index < 0 || index >= 64) return;
  if (v.Lbodz[index].Text == kNoOdds) return;
  const int i = index / 8, j = index % 8;
  const int col = std::min(i, j), row = std::max(i, j);
  BracketCell& cell = v.Lbodz[8 * col + row];
  const int x = text::ValInt(v.LbnumY[row].Text);
  const int y = text::ValInt(v.LbnumX[col].Text);
  const int listRow = FindListRow(v, std::min(x, y), std::max(x, y));
  const Colour to = IsBracketMarked(cell) ? kUnmarked : kMarkColour;
  cell.BackColor = to;
  if (listRow >= 0) v.Lbsort[listRow].BackColor = to;
}

void ToggleBracketRow(Session& s, int row) {
  auto& v = s.bracketView;
  if (v.SaleCode == 7 || row < 0 || row >= 36) return;
  BracketListRow& r = v.Lbsort[row];
  if (r.Lbnum1.empty()) return;
  const int p1 = OrderPosition(v, text::ValInt(r.Lbnum1));
  const int p2 = OrderPosition(v, text::ValInt(r.Lbnum2));
  if (p1 < 0 || p2 < 0) return;
  BracketCell& cell = v.Lbodz[8 * std::min(p1, p2) + std::max(p1, p2)];
  const Colour to = r.BackColor == kMarkColour ? kUnmarked : kMarkColour;
  r.BackColor = to;
  cell.BackColor = to;
}

void ClearBracketMarks(Session& s) {
  for (auto& c : s.bracketView.Lbodz) c.BackColor = kUnmarked;
  for (auto& r : s.bracketView.Lbsort) r.BackColor = kUnmarked;
}

}  // namespace tz
