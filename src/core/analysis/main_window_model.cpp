#include "analysis/main_window_model.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>

#include "analysis/bracket_model.h"
#include "analysis/cell_text.h"
#include "analysis/prediction_model.h"
#include "analysis/upset.h"
#include "analysis/vote_shares.h"
#include "session.h"
#include "text/numbers.h"
#include "text/strings.h"

namespace tz {

namespace {

using text::OddsValue;

// Main tool-bar buttons (the other indices are separators); button 9 switches the view.
constexpr std::array<int, 9> kToolbarButtons{1, 3, 4, 6, 9, 11, 12, 14, 16};
constexpr int kViewButton = 9;

int HorseAt(const Session& s, int p) { return s.race.HorseOrder[p]; }

// The wide tool tip of a cell: "ﾜｲﾄﾞ  low - high".
void SetWideTip(std::string& tip, std::string_view low, std::string_view high) {
  cell_text::TextBuilder(tip).Append("ﾜｲﾄﾞ  ").Append(low).Append(" - ").Append(high);
}

// Clears the cells of positions 1..shown (and the unused slot 0).
void ClearRow(RowCells& cells, std::size_t shown) {
  for (std::size_t p = 0; p <= shown; ++p) cells[p].Reset();
}

// The bracket number on its colour; a blank label for a horse without a bracket.
void SetBracketLabel(BracketLabel& l, const Session& s, int bracket) {
  if (bracket < 1 || bracket > kMaxBrackets) {
    l.Reset();
    return;
  }
  cell_text::SetNumber(l.Text, bracket);
  l.BackColor = s.app.BracketColors[bracket - 1];
  // Brackets 2 and 4 are dark: their numbers are written in the colour of bracket 1 (white).
  l.ForeColor = (bracket == 2 || bracket == 4) ? s.app.BracketColors[0] : colours::kBlack;
}

// Column values of the gap-marker columns, by position.
const Table1<double, kMaxHorses>& GapValues(const Session& s, int column) {
  switch (column) {
    case kGapPlace: return s.analysis.PlaceOddsByPos;
    case kGapWin: return s.analysis.WinOddsByPos;
    case kGapSynthetic: return s.analysis.SyntheticWinOdds;
    default: return s.mainWindow.JrdbWinByPos;
  }
}

// The gap markers and reversal texts of one column over the runners.
void MarkGapsOfColumn(Session& s, int column, RowCells* reversalCells, bool bottomMarker) {
  auto& mw = s.mainWindow;
  const int m = mw.RunnerCount;
  const Table1<double, kMaxHorses>& values = GapValues(s, column);
  auto& markers = mw.LbDanso[column];
  for (auto& g : markers) g = GapMarker{};
  for (int i = 2; i <= m; ++i) {
    const double v = values[i];
    double b = 0;
    for (int k = 1; k < i; ++k) {
      const double u = values[k];
      if (u < v && u > b) b = u;
    }
    const double r = b > 0 ? v / b : 0;
    if (reversalCells && v < values[i - 1]) (*reversalCells)[i].ForeColor = colours::kRed;
    GapMarker& g = markers[i];
    if (r >= 2) {
      g = {true, colours::kRed, 37};
    } else if (r >= 1.8) {
      g = {true, colours::kMagenta, 37};
    } else if (r >= 1.7) {
      g = {true, colours::kBlue, 37};
    } else if (r >= 1.5) {
      g = {true, colours::kBlue, 13};
    }
  }
  if (bottomMarker && m >= 1) {
    bool reaches100 = false;
    for (int p = 1; p <= m; ++p) {
      if (values[p] >= 100) reaches100 = true;
    }
    if (!reaches100) markers[m + 1] = {true, colours::kRed, 37};
  }
}

// The prediction window as it first is, its rows emptied in place (their texts keep their
// buffers for the next race).
void ClearPrediction(PredictionModel& model) {
  static const PredictionModel kFresh;
  model.RowCount = kFresh.RowCount;
  for (PredictionRow& row : model.Rows) row.Reset();
  model.ImpliedShown = kFresh.ImpliedShown;
  for (ImpliedWinCells& cells : model.Implied) cells.Reset();
  for (std::size_t i = 0; i < model.Headers.size(); ++i) {
    PredictionHeader& header = model.Headers[i];
    const PredictionHeader& fresh = kFresh.Headers[i];
    if (header.Letter != fresh.Letter) header.Letter = fresh.Letter;
    if (header.Tooltip != fresh.Tooltip) header.Tooltip = fresh.Tooltip;
    header.Bold = fresh.Bold;
  }
}

int JrdbClass(double v, const std::array<double, 5>& limits) {
  int k = 0;
  for (double l : limits) {
    if (v >= l) ++k;
  }
  return k;
}

// Size class 1..6 of a move from base b to current c; 0 = no indicator.
int MoveSizeClass(int p, double b, double c, bool placeColumn) {
  if (p <= 3) {
    const double d = std::fabs(b - c);
    if (d == 0) return 0;
    if (placeColumn) {
      if (d <= 0.2) return 6;
      if (d <= 0.4) return 5;
      if (d <= 0.9) return 3;
      if (d <= 1.9) return 2;
      return 1;
    }
    if (d <= 0.4) return 6;
    if (d <= 0.7) return 5;
    if (d <= 1.2) return 3;
    if (d <= 1.9) return 2;
    return 1;
  }
  const double hi = std::max(b, c);
  const double lo = std::min(b, c);
  const double q = hi / lo;  // lo = 0 gives infinity: the largest move
  if (q == 1) return 0;
  if (q < 1.2) return 6;
  if (q < 1.3) return 5;
  if (q < 1.5) return 4;
  if (q < 1.8) return 3;
  if (q < 2.0) return 2;
  return 1;
}

}  // namespace

int SyntheticClass(double odds) {
  if (odds < 3.9) return 0;
  if (odds < 5.6) return 1;
  if (odds < 8.9) return 2;
  if (odds < 15.7) return 3;
  if (odds < 33.6) return 4;
  if (odds < 60.0) return 5;
  return 6;
}

Colour QuinellaBandColour(double odds) {
  if (odds == 0) return colours::kWhite;
  if (odds < 10) return colours::kBelowTen;
  if (odds < 20) return colours::kClass[0];
  if (odds < 30) return colours::kClass[1];
  if (odds < 50) return colours::kClass[2];
  if (odds < 90) return colours::kClass[3];
  if (odds < 120) return colours::kClass[4];
  if (odds < 300) return colours::kClass[5];
  return colours::kClass[6];
}

void ResetMainWindow(Session& s) {
  auto& mw = s.mainWindow;
  mw.RaceShown = true;
  mw.ResultsOnly = false;
  // Every auxiliary window except the lists closes; the prediction rows are discarded.
  ++mw.CloseAuxWindowsSerial;
  ClearPrediction(s.prediction);
  mw.RowCount = s.race.HorseCount;
  mw.RunnerCount = RunnerCount(s);
  for (auto& e : mw.ToolbarEnabled) e = false;
  for (int b : kToolbarButtons) mw.ToolbarEnabled[b] = true;
  if (s.race.CurrentSaleCode == 7) {
    // Only the quinella matrix: the view button has nothing to switch to.
    mw.ToolbarEnabled[kViewButton] = false;
    mw.WideViewEnabled = false;
    mw.ShownView = kViewQuinella;
  } else {
    mw.WideViewEnabled = true;
    mw.ShownView = mw.ViewMode;
  }
  mw.ViewLabel = kViewNames[mw.ShownView];
}

void ShowNoRace(Session& s) {
  auto& mw = s.mainWindow;
  // No value of the race shown before stays on screen: the panels, the race header and the
  // race labels are cleared, and the countdown has no post time to count to.
  ClearPanels(s);
  mw.RaceShown = false;
  mw.ResultsOnly = false;
  mw.RowCount = 0;
  mw.RunnerCount = 0;
  mw.lblkai.clear();
  mw.lblrace.clear();
  mw.Lbltime.clear();
  mw.RaceLabel.clear();
  s.race.StartTimeText.clear();
  s.race.StartTimeCaption.clear();
  for (auto& e : mw.ToolbarEnabled) e = false;
  ++mw.CloseAuxWindowsSerial;
}

void ShowResultsOnlyRace(Session& s) {
  ShowNoRace(s);
  auto& mw = s.mainWindow;
  const RaceModel& r = s.race;
  mw.ResultsOnly = true;
  mw.ToolbarEnabled[kResultsButton] = true;
  mw.lblkai = RaceHeaderCaption(r);
  if (!r.RaceCardTitle[0].empty() || !r.RaceCardTitle[1].empty()) {
    mw.lblrace = r.RaceCardTitle[0] + "    " + r.RaceCardTitle[1];
  }
  // Of the windows a selection may open, only the results window has something to show.
  mw.AutoOpen = {false, false, false, false, s.app.settings.AutoKekka == 1};
}

std::string RaceHeaderCaption(const RaceModel& r) {
  return r.OddsCourseName + " " + std::to_string(r.OddsKai) + "回 " + std::to_string(r.OddsDay) +
         "日 " + " " + std::to_string(r.CurrentRace) + "R";
}

void ClearPanels(Session& s) {
  auto& mw = s.mainWindow;
  // Only the rows and columns of the horses shown hold anything: the fill, the marks and every
  // command write within the runners of the race shown, and RowCount shrinks only after this
  // clearing (at the fill of the next race) or with it (no race shown).
  const std::size_t shown = static_cast<std::size_t>(std::clamp(mw.RowCount, 0, kMaxHorses));
  for (RowCells* r : {&mw.odzren, &mw.odztan, &mw.odzfuk, &mw.rankfuk, &mw.ranktan, &mw.rankren,
                      &mw.rankodz, &mw.odzpar, &mw.WidePar, &mw.Lbana, &mw.jrdbtan, &mw.jrdbfuk,
                      &mw.rankjrdb, &mw.rankjrdb2}) {
    ClearRow(*r, shown);
  }
  for (std::size_t row = 0; row < shown; ++row) {
    for (std::size_t column = 0; column < shown; ++column) {
      mw.odzuma[row][column].Reset();
      mw.WideOdz[row][column].Reset();
    }
  }
  // A fresh model has no band colours at all; a cleared one has white everywhere.
  for (auto& row : mw.BandColor) row.fill(colours::kWhite);
  for (auto* labels : {&mw.numwak, &mw.Lbwcl, &mw.LbWidewcl}) {
    for (std::size_t i = 0; i < shown; ++i) (*labels)[i].Reset();
  }
  // Horse selections on the headers belong to the race shown: a new race starts without.
  for (auto* headers : {&mw.numumaY, &mw.numumaX, &mw.numX}) {
    for (std::size_t i = 0; i < shown; ++i) (*headers)[i].Reset();
  }
  for (auto& set : mw.LbDanso) for (auto& g : set) g = GapMarker{};
  for (auto& c : mw.PicFukTo) c = IndicatorCell{};
  mw.JrdbWinByPos.fill(0);
  mw.JrdbPlaceByPos.fill(0);
  mw.JrdbWinRank.fill(0);
  mw.JrdbPlaceRank.fill(0);
  // The post time and the distance come from the race card of this race, if it has one.
  mw.LbtimeVisible = false;
  mw.LbtimeCaption.clear();
  mw.Lbm.clear();
  mw.LbtimeBackColor = colours::kNavy;
  mw.LbtimeForeColor = colours::kWhite;
  mw.UpsetBarVisible = false;
  mw.UpsetBarLength = 0;
  mw.Lbjval.clear();
  mw.KaburiVisible = false;
  mw.LbKaburi.clear();
  mw.LbDown.clear();
}

void FillPanels(Session& s) {
  auto& mw = s.mainWindow;
  const auto& r = s.race;
  const auto& a = s.analysis;
  const int n = r.HorseCount;
  const int m = RunnerCount(s);
  mw.RowCount = n;
  mw.RunnerCount = m;
  mw.JrdbLayout = a.JrdbLoaded;

  mw.lblkai = RaceHeaderCaption(r);
  cell_text::TextBuilder(mw.lblrace)
      .AppendTrimmed(r.RaceTitle[0])
      .Append("    ")
      .AppendTrimmed(r.RaceTitle[1]);
  cell_text::TextBuilder(mw.Lbltime)
      .AppendNumber(r.OddsHour)
      .Append("時")
      .AppendNumber(r.OddsMinute)
      .Append("分 ")
      .Append(r.OddsTimeKind == 0 ? "現在" : "発走");

  for (int p = 1; p <= n; ++p) {
    const int h = HorseAt(s, p);
    if (h < 1 || h > kMaxHorses) continue;
    const int bracket = r.HorseBracket[h];
    cell_text::SetNumber(mw.numumaY[p - 1].Text, h);
    SetBracketLabel(mw.numwak[p - 1], s, bracket);
    if (p <= m) {
      cell_text::SetNumber(mw.numumaX[p - 1].Text, h);
      cell_text::SetNumber(mw.numX[p - 1].Text, h);
      SetBracketLabel(mw.Lbwcl[p - 1], s, bracket);
      SetBracketLabel(mw.LbWidewcl[p - 1], s, bracket);
    }
    // A scratched horse shows "取消"; a runner without any quote keeps its "999.9".
    if (IsScratched(s, h)) {
      cell_text::SetText(mw.odzren[p].Text, "取消");
    } else {
      mw.odzren[p].Text = a.SyntheticWinText[h];
    }
    cell_text::SetText(mw.odztan[p].Text, r.WinOdds[h].text());
    cell_text::SetText(mw.odzfuk[p].Text, r.PlaceOddsLow[h].text());
    mw.odzpar[p].Text = a.QuinellaShareText[h];
    mw.WidePar[p].Text = a.WideShareText[h];
  }

  for (int p = 1; p <= m; ++p) {
    cell_text::SetRank(mw.rankfuk[p].Text, a.PlaceRankByPos[p]);
    cell_text::SetRank(mw.ranktan[p].Text, a.WinRankByPos[p]);
    cell_text::SetNumber(mw.rankren[p].Text, p);
    cell_text::SetRank(mw.rankodz[p].Text, a.FavQuinellaRank[p]);
    // A pool that rates the horse at least two places higher than 仮単 does shows red.
    if (a.PlaceRankByPos[p] < p - 1) mw.rankfuk[p].ForeColor = colours::kRed;
    if (a.WinRankByPos[p] < p - 1) mw.ranktan[p].ForeColor = colours::kRed;
    if (a.FavQuinellaRank[p] < p - 1) mw.rankodz[p].ForeColor = colours::kRed;
  }

  const bool wide = r.CurrentSaleCode != 7;
  for (int p = 1; p <= m; ++p) {
    const int h = HorseAt(s, p);
    for (int q = 1; q <= m; ++q) {
      const int k = HorseAt(s, q);
      if (p == q) continue;
      cell_text::SetText(mw.odzuma[p - 1][q - 1].Text, r.QuinellaOdds[h][k].text());
      if (wide) {
        CellView& c = mw.WideOdz[p - 1][q - 1];
        const std::string_view low = r.WideOddsLow[h][k].text();
        cell_text::SetText(c.Text, low);
        SetWideTip(c.ToolTip, low, r.WideOddsHigh[h][k].text());
      }
    }
  }

  KaburiDegree(s);
  UnderTenShift(s);
  mw.KaburiVisible = a.KaburiVisible;
  if (a.KaburiVisible) {
    mw.LbKaburi = a.KaburiText;
  } else {
    mw.LbKaburi.clear();
  }
  mw.LbDown = a.UnderTenShiftText;
}

void ColourByClass(Session& s) {
  auto& mw = s.mainWindow;
  const auto& a = s.analysis;
  const int m = mw.RunnerCount;
  mw.OdzColorAtAnalysis = s.app.settings.OdzColor;
  const std::array<RowCells*, 9> rows{&mw.odzfuk, &mw.odztan, &mw.odzren, &mw.rankfuk, &mw.ranktan,
                                      &mw.rankren, &mw.rankodz, &mw.odzpar, &mw.WidePar};
  for (int p = 1; p <= m; ++p) {
    const Colour c = colours::kClass[SyntheticClass(a.SyntheticWinOdds[p])];
    for (RowCells* r : rows) (*r)[p].BackColor = c;
    for (int q = 1; q <= m; ++q) {
      const Colour cell = p == q ? colours::kWhite : c;
      mw.WideOdz[p - 1][q - 1].BackColor = cell;
      mw.BandColor[p - 1][q - 1] = QuinellaBandColour(p == q ? 0 : a.QuinellaByPos[p][q]);
      mw.odzuma[p - 1][q - 1].BackColor =
          mw.OdzColorAtAnalysis == 1 ? mw.BandColor[p - 1][q - 1] : cell;
    }
  }
}

void MarkGaps(Session& s) {
  auto& mw = s.mainWindow;
  MarkGapsOfColumn(s, kGapWin, &mw.odztan, true);
  MarkGapsOfColumn(s, kGapPlace, &mw.odzfuk, false);
  MarkGapsOfColumn(s, kGapSynthetic, nullptr, true);
}

void ApplyPairMarks(Session& s) {
  auto& mw = s.mainWindow;
  const auto& a = s.analysis;
  const int m = mw.RunnerCount;
  const bool wide = s.race.CurrentSaleCode != 7;
  for (int p = 1; p <= m; ++p) {
    mw.odzfuk[p].ToolTip = a.PlaceTooltip[p];
    for (int q = 1; q <= m; ++q) {
      if (p == q) continue;
      CellView& c = mw.odzuma[p - 1][q - 1];
      const PairCellMarks& qm = a.QuinellaCellMarks[p][q];
      if (qm.RedText) c.ForeColor = colours::kRed;
      c.Bold = qm.Bold;
      c.Underline = qm.Underline;
      c.ToolTip = a.QuinellaCellTooltip[p][q];
      if (wide) {
        CellView& w = mw.WideOdz[p - 1][q - 1];
        const PairCellMarks& wm = a.WideCellMarks[p][q];
        if (wm.RedText) w.ForeColor = colours::kRed;
        w.Bold = wm.Bold;
      }
    }
  }
}

void FillJrdbPanels(Session& s) {
  auto& mw = s.mainWindow;
  const auto& a = s.analysis;
  const int m = mw.RunnerCount;
  for (int p = 1; p <= m; ++p) {
    const int h = HorseAt(s, p);
    mw.JrdbWinByPos[p] = OddsValue(a.JrdbWinBase[h]);
    mw.JrdbPlaceByPos[p] = OddsValue(a.JrdbPlaceBase[h]);
  }
  for (int p = 1; p <= m; ++p) {
    int w = 1, f = 1;
    for (int q = 1; q <= m; ++q) {
      if (mw.JrdbWinByPos[q] < mw.JrdbWinByPos[p]) ++w;
      if (mw.JrdbPlaceByPos[q] < mw.JrdbPlaceByPos[p]) ++f;
    }
    mw.JrdbWinRank[p] = w;
    mw.JrdbPlaceRank[p] = f;
  }
  static constexpr std::array<double, 5> kWinLimits{10, 20, 30, 50, 90};
  static constexpr std::array<double, 5> kPlaceLimits{2, 3, 5, 8, 13};
  for (int p = 1; p <= m; ++p) {
    const int h = HorseAt(s, p);
    mw.jrdbtan[p].Text = a.JrdbWinBase[h];
    mw.jrdbfuk[p].Text = a.JrdbPlaceBase[h];
    cell_text::SetRank(mw.rankjrdb[p].Text, mw.JrdbWinRank[p]);
    cell_text::SetRank(mw.rankjrdb2[p].Text, mw.JrdbPlaceRank[p]);
    const Colour wc = colours::kJrdbClass[JrdbClass(mw.JrdbWinByPos[p], kWinLimits)];
    mw.jrdbtan[p].BackColor = wc;
    mw.rankjrdb[p].BackColor = wc;
    mw.jrdbfuk[p].BackColor = colours::kJrdbClass[JrdbClass(mw.JrdbPlaceByPos[p], kPlaceLimits)];
  }

  // Change indicators: how the current odds moved against the base odds.
  for (int col = 0; col < 3; ++col) {
    for (int p = 1; p <= m; ++p) {
      const int h = HorseAt(s, p);
      const double b = col == 0 ? mw.JrdbPlaceByPos[p] : mw.JrdbWinByPos[p];
      if (!(b > 0)) continue;
      const double c = col == 0   ? a.PlaceOddsByPos[p]
                       : col == 1 ? a.WinOddsByPos[p]
                                  : OddsValue(a.SyntheticWinText[h]);
      const int k = MoveSizeClass(p, b, c, col == 0);
      if (k == 0) continue;
      bool set1;
      Colour back;
      if (col < 2) {
        set1 = c <= b;  // odds shortened
        back = set1 ? colours::kLightGrey : colours::kWhite;
      } else {
        set1 = c > b;
        back = set1 ? colours::kWhite : colours::kLightGrey;
      }
      IndicatorCell& cell = mw.PicFukTo[36 * col + 18 * (set1 ? 1 : 0) + (p - 1)];
      cell.Image = set1 ? 6 + k : k;
      cell.BackColor = back;
    }
  }

  MarkGapsOfColumn(s, kGapJrdbWin, &mw.jrdbtan, false);
}

void ToggleHighlight(Session& s, int column, int position) {
  auto& mw = s.mainWindow;
  if (position < 1 || position > mw.RunnerCount) return;
  RowCells& cells = column == 1 ? mw.odzfuk : mw.odztan;
  CellView& c = cells[position];
  if (c.BackColor == colours::kMark) {
    c.BackColor = colours::kClass[SyntheticClass(s.analysis.SyntheticWinOdds[position])];
  } else {
    c.BackColor = colours::kMark;
  }
}

void MarkVotedCombinations(Session& s, const std::vector<std::string>& voteEntries) {
  auto& mw = s.mainWindow;
  const int m = mw.RunnerCount;
  // 0-based row of each runner's horse; -1 for horses without a row.
  std::array<int, kMaxHorses + 1> rowOf;
  rowOf.fill(-1);
  for (int p = 1; p <= m; ++p) {
    const int h = HorseAt(s, p);
    if (h >= 1 && h <= kMaxHorses) rowOf[h] = p - 1;
  }
  const bool bracketOnly = s.race.CurrentSaleCode == 7;
  if (!bracketOnly) {
    ComputeBracketShares(s);
    ListBracketCombinations(s);
  }
  auto row = [&](int h) { return (h >= 1 && h <= kMaxHorses) ? rowOf[h] : -1; };
  auto markPair = [&](MatrixCells& cells, int a, int b) {
    if (a < 0 || b < 0 || a == b) return;
    cells[std::max(a, b)][std::min(a, b)].BackColor = colours::kMark;
  };
  for (const std::string& e : voteEntries) {
    if (e.size() < 10) continue;
    const char kind = e[5];
    const int x = static_cast<int>(text::Val(e.substr(6, 2)));
    const int y = static_cast<int>(text::Val(e.substr(8, 2)));
    // Win and place votes carry "00" and the horse, as their payout records do.
    const int single = y != 0 ? y : x;
    switch (kind) {
      case '1':
        if (row(single) >= 0) mw.odztan[row(single) + 1].BackColor = colours::kMark;
        break;
      case '2':
        if (row(single) >= 0) mw.odzfuk[row(single) + 1].BackColor = colours::kMark;
        break;
      case '3':
        if (bracketOnly) {
          markPair(mw.odzuma, row(x), row(y));
        } else if (x >= 1 && x <= kMaxBrackets && y >= 1 && y <= kMaxBrackets) {
          auto& v = s.bracketView;
          int px = -1, py = -1;
          for (int k = 1; k <= kMaxBrackets; ++k) {
            if (v.BracketOrder[k] == x) px = k - 1;
            if (v.BracketOrder[k] == y) py = k - 1;
          }
          if (px >= 0 && py >= 0) v.Lbodz[8 * std::min(px, py) + std::max(px, py)].BackColor = colours::kMark;
          const std::string lo = std::to_string(std::min(x, y)), hi = std::to_string(std::max(x, y));
          for (auto& r : v.Lbsort) {
            if (r.Lbnum1 == lo && r.Lbnum2 == hi) r.BackColor = colours::kMark;
          }
        }
        break;
      case '4':
        markPair(mw.odzuma, row(x), row(y));
        break;
      case '5':
        markPair(mw.WideOdz, row(x), row(y));
        break;
      default:
        break;
    }
  }
}

void SetViewMode(Session& s, int mode) {
  auto& mw = s.mainWindow;
  // A race without wide odds shows the quinella matrix only; the choice waits for another race.
  if (mw.RaceShown && !mw.WideViewEnabled) return;
  mw.ViewMode = ((mode % 3) + 3) % 3;
  mw.ShownView = (s.race.CurrentSaleCode == 7 && mw.RaceShown) ? kViewQuinella : mw.ViewMode;
  mw.ViewLabel = kViewNames[mw.ShownView];
}

void CycleViewMode(Session& s) { SetViewMode(s, s.mainWindow.ViewMode + 1); }

}  // namespace tz
