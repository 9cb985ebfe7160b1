#include "analysis/share_graph.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "session.h"
#include "text/numbers.h"

namespace tz {

namespace {

constexpr int kSaleNoPairs = 7;  // sale code of a race without quinella and wide sales

int RunnerCount(const Session& s) {
  return std::clamp(s.race.HorseCount - s.race.ScratchedCount, 0, kMaxHorses);
}

bool NoPairSales(const Session& s) { return s.race.CurrentSaleCode == kSaleNoPairs; }

// The value of a share as a label: "#0.0", or nothing when the share is not a number.
std::string ShareText(double share) {
  return std::isfinite(share) ? text::FormatNumber(share, "#0.0") : std::string();
}

GraphBar MakeBar(double left, double width, double share, Colour colour) {
  GraphBar b;
  b.Left = left;
  b.Width = width;
  b.Height = share * graph::kTwipsPerPercent;
  b.Color = colour;
  b.Drawn = std::isfinite(b.Height);
  return b;
}

// The line from the top centre of the previous column's bar to this one's.
void ConnectBars(ShareGraphModel& g, const GraphBar& previous, const GraphBar& current,
                 Colour colour) {
  if (!previous.Drawn || !current.Drawn) return;
  GraphLine l;
  l.X1 = previous.Left + previous.Width / 2;
  l.Y1 = graph::kBaseline - previous.Height;
  l.X2 = current.Left + current.Width / 2;
  l.Y2 = graph::kBaseline - current.Height;
  l.Color = colour;
  g.Lines.push_back(l);
}

void ShowPanel(ShareGraphModel& g, int panel) { g.VisiblePanel = panel; }

// GraphOrder = HorseOrder with the key of each position, then the exchange sort.
void BuildOrder(Session& s, int sortOrder) {
  ShareGraphModel& g = s.shareGraph;
  const AnalysisState& a = s.analysis;
  const int m = RunnerCount(s);
  g.GraphOrder = {};
  g.GraphKey = {};
  for (int p = 1; p <= m; ++p) {
    const int h = s.race.HorseOrder[p];
    g.GraphOrder[p] = h;
    double key = 0;
    switch (sortOrder) {
      case kSortWideShare: key = h >= 1 && h <= kMaxHorses ? a.WideShare[h] : 0; break;
      case kSortWinShare: key = a.WinOddsByPos[p]; break;
      case kSortPlaceShare: key = a.PlaceOddsByPos[p]; break;
      case kSortFavouriteOdds: key = a.QuinellaByPos[p][1]; break;
      default: break;
    }
    g.GraphKey[p] = key;
  }
  if (sortOrder == kSortQuinellaShare) return;
  const bool descending = sortOrder == kSortWideShare;
  for (int i = 1; i <= m - 1; ++i) {
    for (int j = i + 1; j <= m; ++j) {
      const bool swap = descending ? g.GraphKey[i] < g.GraphKey[j] : g.GraphKey[i] > g.GraphKey[j];
      if (swap) {
        std::swap(g.GraphKey[i], g.GraphKey[j]);
        std::swap(g.GraphOrder[i], g.GraphOrder[j]);
      }
    }
  }
}

void OrderAndDraw(Session& s, int sortOrder) {
  BuildOrder(s, sortOrder);
  DrawShareGraph(s);
}

// Where a payout (yen per 100 yen) falls among the six rising lower limits.
int RangeRow(double payout, const std::array<std::int32_t, 6>& limits) {
  for (int i = 0; i < 6; ++i) {
    if (payout < limits[i]) return i;
  }
  return 6;
}

// The payout of odds in whole yen per 100-yen ticket. Odds with one decimal do not multiply
// exactly in binary (10.2 x 100 = 1019.999...), so the product is taken to the nearest yen
// before it is compared with a limit.
double Payout(double odds) {
  const double v = odds * 100.0;
  return std::isfinite(v) ? std::nearbyint(v) : v;
}

}  // namespace

void LoadShareGraphWindow(Session& s) {
  ShareGraphModel& g = s.shareGraph;
  g.GraphPanel = 1;
  g.VisiblePanel = 1;
  g.Menu = GraphMenuState{};
  if (NoPairSales(s)) {
    g.Menu.WideSort = false;
    g.Menu.RangeQuinella = false;
    g.Menu.RangeWide = false;
  }
  g.ColumnCount = RunnerCount(s);
  g.StripWidth = g.ColumnCount * graph::kColumnWidth + graph::kStripExtra;
  g.LabelModeCaption = s.app.settings.Grph == 1 ? "順" : "％";
}

void ShowShareGraphs(Session& s) {
  ShareGraphModel& g = s.shareGraph;
  if (s.app.settings.GrphStart > 0) g.GraphSort = s.app.settings.GrphStart;
  if (g.GraphSort == 0) g.GraphSort = 1;
  if (g.RangeKind == 0) g.RangeKind = 1;
  DrawCurrentOrder(s);
}

void OrderByQuinellaShare(Session& s) { OrderAndDraw(s, kSortQuinellaShare); }
void OrderByWideShare(Session& s) { OrderAndDraw(s, kSortWideShare); }
void OrderByWinShare(Session& s) { OrderAndDraw(s, kSortWinShare); }
void OrderByPlaceShare(Session& s) { OrderAndDraw(s, kSortPlaceShare); }
void OrderByFavouriteOdds(Session& s) { OrderAndDraw(s, kSortFavouriteOdds); }

void DrawCurrentOrder(Session& s) {
  switch (s.shareGraph.GraphSort) {
    case kSortQuinellaShare: OrderByQuinellaShare(s); break;
    case kSortWideShare: OrderByWideShare(s); break;
    case kSortWinShare: OrderByWinShare(s); break;
    case kSortPlaceShare: OrderByPlaceShare(s); break;
    case kSortFavouriteOdds: OrderByFavouriteOdds(s); break;
    default: break;
  }
}

void DrawShareGraph(Session& s) {
  ShareGraphModel& g = s.shareGraph;
  const AnalysisState& a = s.analysis;
  const RaceModel& r = s.race;
  const Settings& set = s.app.settings;
  const bool pairless = NoPairSales(s);
  const double off = pairless ? 40 : 20;
  const double w = pairless ? 100 : 80;
  const double d = pairless ? 100 : 0;
  g.BarOffset = off;
  g.BarWidth = w;
  g.BarShift = d;
  g.WideShown = !pairless;
  g.Columns = {};
  g.Lines.clear();

  const int m = RunnerCount(s);
  g.ColumnCount = m;
  Table1<int, kMaxHorses> pos{};
  for (int v = 1; v <= m; ++v) {
    const int h = r.HorseOrder[v];
    if (h >= 1 && h <= kMaxHorses) pos[h] = v;
  }
  const bool ranks = set.Grph == 1;
  const int sort = g.GraphSort;

  for (int k = 1; k <= m; ++k) {
    const int h = g.GraphOrder[k];
    GraphColumn& c = g.Columns[k];
    c.Horse = h;
    if (h < 1 || h > kMaxHorses) continue;
    const int ph = pos[h];
    const double x = (k - 1) * graph::kColumnWidth;

    c.Number.Text = std::to_string(h);

    const int shift = ph - k;
    if (shift > 0 && set.UpValue != 0) {
      c.Shift.Text = "+" + std::to_string(shift);
      c.Shift.ForeColor = graph::kBlack;
    } else if (shift < 0 && set.DownValue != 0) {
      c.Shift.Text = "-" + std::to_string(-shift);
      c.Shift.ForeColor = graph::kRed;
    }

    const int bracket = r.HorseBracket[h];
    c.Bracket.Border = true;
    if (bracket >= 1 && bracket <= kMaxBrackets) {
      c.Bracket.Text = std::to_string(bracket);
      c.Bracket.Opaque = true;
      c.Bracket.BackColor = s.app.BracketColors[bracket - 1];
      c.Bracket.ForeColor =
          bracket == 2 || bracket == 4 ? s.app.BracketColors[0] : graph::kBlack;
    }

    const GraphColumn* prev = k > 1 ? &g.Columns[k - 1] : nullptr;

    // Quinella.
    const double qShare = a.QuinellaShare[h];
    c.Ren.Text = ranks ? std::to_string(ph) : ShareText(qShare);
    c.QuinellaBar = MakeBar(x + off, w, qShare, graph::kQuinellaBar);
    if ((sort == kSortQuinellaShare || sort == kSortFavouriteOdds) && prev) {
      ConnectBars(g, prev->QuinellaBar, c.QuinellaBar, graph::kQuinellaBar);
    }

    // Wide, only where wide tickets are sold.
    if (!pairless) {
      const double wShare = a.WideShare[h];
      c.Odz.Text = ranks ? std::to_string(a.WideShareRank[h]) : ShareText(wShare);
      c.WideBar = MakeBar(x + off + w, w, wShare, graph::kWideBar);
      if (sort == kSortWideShare && prev) ConnectBars(g, prev->WideBar, c.WideBar, graph::kWideBar);
    }

    // Win.
    const double winShare = 80.0 / r.WinOdds[h].value();
    c.Tan.Text = ranks ? std::to_string(a.WinRankByPos[ph]) : ShareText(winShare);
    c.WinBar = MakeBar(x + off + 2 * w - d, w, winShare, graph::kWinBar);
    if (sort == kSortWinShare && prev) ConnectBars(g, prev->WinBar, c.WinBar, graph::kWinLine);

    // Place.
    const double placeShare = 80.0 / r.PlaceOddsLow[h].value() / 3.1;
    c.Fuk.Text = ranks ? std::to_string(a.PlaceRankByPos[ph]) : ShareText(placeShare);
    c.PlaceBar = MakeBar(x + off + 3 * w - d, w, placeShare, graph::kPlaceBar);
    if (sort == kSortPlaceShare && prev) ConnectBars(g, prev->PlaceBar, c.PlaceBar, graph::kPlaceBar);

    // The value labels take the colour of the horse's 仮単 cell in the main window; the row of
    // the sort key is drawn white instead.
    const Colour back = s.mainWindow.odzren[ph].BackColor;
    for (GraphLabel* l : {&c.Ren, &c.Odz, &c.Tan, &c.Fuk}) {
      l->Opaque = true;
      l->BackColor = back;
    }
    switch (sort) {
      case kSortQuinellaShare: c.Ren.BackColor = graph::kWhite; break;
      case kSortWideShare: c.Odz.BackColor = graph::kWhite; break;
      case kSortWinShare: c.Tan.BackColor = graph::kWhite; break;
      case kSortPlaceShare: c.Fuk.BackColor = graph::kWhite; break;
      default: break;
    }
  }

  g.SharesDrawn = true;
  g.Title = sort >= 1 && sort <= 5 ? kGraphSortTitles[sort] : "";
  g.Caption = std::string("ｸﾞﾗﾌ - ") + g.Title;
}

void ShareGraph(Session& s) {
  ShareGraphModel& g = s.shareGraph;
  const AnalysisState& a = s.analysis;
  const auto& limits = s.app.settings.OddsRanges;
  RangeGraph& rg = g.Range;
  rg = RangeGraph{};
  g.Caption = "ｸﾞﾗﾌ - ﾚﾝｼﾞ別";
  for (int i = 0; i < 6; ++i) rg.RangeLabels[i] = std::to_string(limits[i]);

  std::vector<double> values;
  const int m = RunnerCount(s);
  int kind = g.RangeKind;
  switch (kind) {
    case kRangeBracket:
      for (int i = 1; i <= kMaxBrackets; ++i) {
        for (int j = 1; j <= kMaxBrackets; ++j) values.push_back(Payout(a.BracketQuinella[i][j]));
      }
      rg.BarColor = 0xFF80FF;
      break;
    case kRangeQuinella:
    case kRangeWide:
      for (int i = 1; i <= m - 1; ++i) {
        for (int j = i + 1; j <= m; ++j) {
          values.push_back(Payout(kind == kRangeQuinella ? a.QuinellaByPos[i][j] : a.WideByPos[i][j]));
        }
      }
      rg.BarColor = kind == kRangeQuinella ? graph::kQuinellaBar : graph::kWideBar;
      break;
    default:
      return;
  }
  rg.PoolName = kRangePoolNames[kind];

  for (double v : values) ++rg.Counts[RangeRow(v, limits)];
  rg.ValueCount = static_cast<int>(values.size());
  for (int r = 0; r < 7; ++r) {
    // Without a single value there are no percentages to show (and nothing to divide by).
    if (rg.ValueCount > 0) {
      const double q = static_cast<double>(rg.Counts[r]) / rg.ValueCount * 10000.0;
      rg.Shares[r] = static_cast<int>(text::RoundHalfEven(q));
      const int t = rg.Shares[r] / 10;
      rg.PercentLabels[r] = std::to_string(t / 10) + "." + std::to_string(t % 10) + "%";
    }
    RangeBar& b = rg.Bars[r];
    b.Top = graph::kRangeRowTop + graph::kRangeRowStep * r;
    b.Length = rg.Shares[r];
    b.Drawn = rg.Shares[r] > 0;
  }
  rg.Drawn = true;
}

void GraphToolbarClick(Session& s, int button) {
  ShareGraphModel& g = s.shareGraph;
  if (button < 1 || button > 3) return;
  ShowPanel(g, button);
  switch (button) {
    case 1:
      g.Menu.StartEntry = true;
      g.Menu.RangeSetup = false;
      g.Menu.JravanPlace = false;
      break;
    case 2:
      g.Menu.StartEntry = false;
      g.Menu.JravanPlace = false;
      g.Menu.RangeSetup = true;
      break;
    default:
      g.Menu.RangeSetup = false;
      g.Menu.JravanPlace = true;
      break;
  }
  if (button == 1) {
    if (g.GraphPanel == 1) ++g.GraphSort;
    if (g.GraphSort == kSortWideShare && NoPairSales(s)) g.GraphSort = kSortWinShare;
    if (g.GraphSort > 5) g.GraphSort = 1;
    DrawCurrentOrder(s);
    g.GraphPanel = 1;
  } else if (button == 2) {
    if (g.GraphPanel == 2) ++g.RangeKind;
    if (NoPairSales(s)) g.RangeKind = kRangeBracket;
    if (g.RangeKind > 3) g.RangeKind = kRangeBracket;
    ShareGraph(s);
    g.GraphPanel = 2;
  }
}

GraphMenuResult GraphMenuClick(Session& s, int button, int entry) {
  ShareGraphModel& g = s.shareGraph;
  if (button < 1 || button > 3) return GraphMenuResult::Done;
  ShowPanel(g, button);
  if (button == 1) {
    g.Menu.RangeSetup = false;
    g.Menu.JravanPlace = false;
    if (entry == 7) {
      s.app.settings.GrphStart = g.GraphSort;
    } else if (entry >= 1 && entry <= 5) {
      g.GraphSort = entry;
      DrawCurrentOrder(s);
    }
  } else if (button == 2) {
    g.Menu.RangeSetup = true;
    g.Menu.JravanPlace = false;
    if (entry == 5) return GraphMenuResult::OpenRangeDialog;
    if (entry >= 1 && entry <= 3) g.RangeKind = entry;
    ShareGraph(s);
  }
  return GraphMenuResult::Done;
}

void GraphRowCaptionClick(Session& s, int sortOrder) {
  if (sortOrder < 1 || sortOrder > 4) return;
  s.shareGraph.GraphSort = sortOrder;
  DrawCurrentOrder(s);
}

void ToggleGraphLabelMode(Session& s) {
  int& mode = s.app.settings.Grph;
  mode = mode == 0 ? 1 : 0;
  s.shareGraph.LabelModeCaption = mode == 1 ? "順" : "％";
  DrawCurrentOrder(s);
}

}  // namespace tz
