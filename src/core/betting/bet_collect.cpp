// Collecting the marked cells of the main window and the bracket view into bets.
#include <algorithm>

#include "analysis/bracket_model.h"
#include "betting/bet_list.h"
#include "betting/marking.h"
#include "session.h"
#include "text/numbers.h"
#include "text/strings.h"

namespace tz {

namespace {

// Position (1..M) of a horse in the popularity order, 0 when it is not a runner.
int PositionOf(const Session& s, int horse) {
  for (int p = 1; p <= s.mainWindow.RunnerCount && p <= kMaxHorses; ++p) {
    if (s.race.HorseOrder[p] == horse) return p;
  }
  return 0;
}

void AddSingles(const Session& s, SingleColumn column, int kind, std::vector<MarkedBet>& out) {
  const RowCells& cells = column == SingleColumn::Win ? s.mainWindow.odztan : s.mainWindow.odzfuk;
  for (int horse : MarkedSingles(s, column)) {
    const int p = PositionOf(s, horse);
    if (p == 0) continue;
    out.push_back({kind, horse, 0, p - 1, cells[p].Text});
  }
}

void AddPairs(const Session& s, PairMatrix matrix, int kind, std::vector<MarkedBet>& out) {
  const MatrixCells& cells = matrix == PairMatrix::Quinella ? s.mainWindow.odzuma : s.mainWindow.WideOdz;
  for (const MarkedPair& pair : MarkedPairs(s, matrix)) {
    const int r = pair.RowPosition - 1, c = pair.ColumnPosition - 1;
    out.push_back({kind, std::min(pair.RowHorse, pair.ColumnHorse),
                   std::max(pair.RowHorse, pair.ColumnHorse), kMaxHorses * r + c, cells[r][c].Text});
  }
}

// The quinella matrix of a race sold with bracket quinella only shows the bracket odds of each
// pair of horses: a marked cell is the bracket bet of the two horses' brackets. Cells naming
// the same pair of brackets are one bet, kept at the first of them.
void AddBracketPairsOfHorses(const Session& s, std::vector<MarkedBet>& out) {
  const MatrixCells& cells = s.mainWindow.odzuma;
  const auto bracketOf = [&](int horse) {
    return (horse >= 1 && horse <= kMaxHorses) ? s.race.HorseBracket[horse] : 0;
  };
  const std::size_t start = out.size();
  for (const MarkedPair& pair : MarkedPairs(s, PairMatrix::Quinella)) {
    const int a = bracketOf(pair.RowHorse), b = bracketOf(pair.ColumnHorse);
    if (a < 1 || a > kMaxBrackets || b < 1 || b > kMaxBrackets) continue;
    const int first = std::min(a, b), second = std::max(a, b);
    const bool seen = std::any_of(out.begin() + static_cast<std::ptrdiff_t>(start), out.end(),
                                  [&](const MarkedBet& m) { return m.First == first && m.Second == second; });
    if (seen) continue;
    const int r = pair.RowPosition - 1, c = pair.ColumnPosition - 1;
    out.push_back({3, first, second, kMaxHorses * r + c, cells[r][c].Text});
  }
}

void AddBrackets(const Session& s, std::vector<MarkedBet>& out) {
  const BracketViewModel& v = s.bracketView;
  for (int index = 0; index < 64; ++index) {
    if (!IsBracketMarked(v.Lbodz[index])) continue;
    // Cell 8 * i + j is column i and row j; both axes follow the bracket order.
    const int x = static_cast<int>(text::ValInt(v.LbnumX[index / 8].Text));
    const int y = static_cast<int>(text::ValInt(v.LbnumY[index % 8].Text));
    out.push_back({3, std::min(x, y), std::max(x, y), index, v.Lbodz[index].Text});
  }
}

// Whether the bracket view shows the selected race: built, for the same sale code, with the
// matrix texts the race's bracket odds give in the view's bracket order. A view left over from
// an earlier race fails this, and its marks must not become bets of this race.
bool BracketViewShowsRace(const Session& s) {
  const BracketViewModel& v = s.bracketView;
  if (v.BracketOrder[1] == 0 || v.SaleCode != s.race.CurrentSaleCode) return false;
  for (int i = 0; i < 8; ++i) {
    for (int j = 0; j < 8; ++j) {
      const int a = v.BracketOrder[i + 1], b = v.BracketOrder[j + 1];
      if (a < 1 || a > kMaxBrackets || b < 1 || b > kMaxBrackets) return false;
      const std::string_view odds = s.race.BracketQuinellaOdds[a][b].text();
      const std::string& shown = v.Lbodz[8 * i + j].Text;
      if (shown != odds && !(shown == "----" && text::Trim(odds).empty())) return false;
    }
  }
  return true;
}

}  // namespace

std::vector<MarkedBet> CollectMarkedBets(const Session& s) {
  std::vector<MarkedBet> bets;
  AddSingles(s, SingleColumn::Win, 1, bets);
  AddSingles(s, SingleColumn::Place, 2, bets);
  if (s.race.CurrentSaleCode == 7) {
    AddBracketPairsOfHorses(s, bets);
    return bets;
  }
  AddBrackets(s, bets);
  AddPairs(s, PairMatrix::Quinella, 4, bets);
  AddPairs(s, PairMatrix::Wide, 5, bets);
  return bets;
}

void BringBracketViewUpToDate(Session& s) {
  if (s.race.CurrentSaleCode != 7 && !BracketViewShowsRace(s)) BuildBracketView(s);
}

bool BuildBetList(Session& s, UserPort& port) {
  CloseBetWindow(s);
  if (!s.mainWindow.RaceShown) return false;
  BringBracketViewUpToDate(s);
  return OpenBetList(s, port, CollectMarkedBets(s), s.mainWindow.lblkai);
}

}  // namespace tz
