#include "odds_layout.h"

#include <algorithm>

#include "fm98_main.h"
#include "qt_user_port.h"

namespace tz::ui {

namespace {

struct Builder {
  const MainWindowModel& mw;
  int rowH;
  int headerRows = 2;  // bracket labels, then the horse numbers / captions
  std::vector<PaintCell> cells;

  int Top(int row) const { return (headerRows + row) * rowH; }  // row 0-based

  PaintCell& Add(const QString& panel, int row, int col, QRect r) {
    PaintCell c;
    c.panel = panel;
    c.row = row;
    c.col = col;
    c.rect = r;
    cells.push_back(c);
    return cells.back();
  }

  void FromView(PaintCell& c, const CellView& v) {
    c.text = ToQ(v.Text);
    c.back = FromBgr(v.BackColor);
    c.fore = FromBgr(v.ForeColor);
    c.bold = v.Bold;
    c.underline = v.Underline;
    c.tip = ToQ(v.ToolTip);
  }

  // A caption over a column or a group of columns.
  void Caption(const char* text, int x, int w, const char* tip = "") {
    PaintCell& c = Add("caption", 0, 0, QRect(x, rowH, w, rowH));
    c.text = ToQ(text);
    c.transparent = true;
    c.border = false;
    c.align = Qt::AlignCenter;
    c.tip = ToQ(tip);
  }

  // A panel column with one cell per horse row (1..rows), cells indexed by position - 1.
  void Column(const char* panel, const RowCells& cellsOf, int rows, int x, int w,
              Qt::Alignment align = Qt::AlignRight | Qt::AlignVCenter) {
    for (int p = 1; p <= rows; ++p) {
      PaintCell& c = Add(panel, p - 1, 0, QRect(x, Top(p - 1), w, rowH));
      FromView(c, cellsOf[p]);
      c.align = align;
    }
  }

  // Gap markers of one column: marker i sits on the line between rows i - 1 and i.
  void Markers(int set, int x, int w) {
    const auto& markers = mw.LbDanso[set];
    for (int i = 2; i < static_cast<int>(markers.size()); ++i) {
      const GapMarker& g = markers[i];
      if (!g.Visible) continue;
      int width = std::max(3, w * g.Width / 37);
      int y = Top(i - 1) - 2;
      PaintCell& c = Add("LbDanso", i, set, QRect(x + (w - width), y, width, 4));
      c.back = FromBgr(g.Color);
      c.border = false;
    }
  }

  // Change indicators of one odds column: two picture cells (sets 0 and 1) per runner row.
  void Indicators(int column, int x, int w) {
    for (int set = 0; set < 2; ++set) {
      for (int row = 0; row < mw.RunnerCount; ++row) {
        const IndicatorCell& ic = mw.PicFukTo[36 * column + 18 * set + row];
        PaintCell& c = Add("PicFukTo", row, 36 * column + 18 * set + row,
                           QRect(x + set * w, Top(row), w, rowH));
        c.back = FromBgr(ic.BackColor);
        c.image = ic.Image;
      }
    }
  }

  void Header(const char* panel, const HeaderLabel& h, int index, QRect r) {
    PaintCell& c = Add(panel, index, 0, r);
    c.text = ToQ(h.Text);
    c.transparent = !h.Selected;
    c.back = FromBgr(kSelectedHeader);
    c.bold = h.Selected;
    c.align = Qt::AlignCenter;
  }

  void Bracket(const char* panel, const BracketLabel& b, int index, QRect r) {
    PaintCell& c = Add(panel, index, 0, r);
    c.text = ToQ(b.Text);
    c.back = FromBgr(b.BackColor);
    c.fore = FromBgr(b.ForeColor);
    c.align = Qt::AlignCenter;
  }

  // Row headers (bracket + horse number) left of a matrix, from x; returns the width used.
  int RowHeaders(int x, int wBracket, int wNumber) {
    for (int i = 0; i < mw.RowCount && i < kMaxHorses; ++i) {
      if (mw.numwak[i].Text.empty() && mw.numumaY[i].Text.empty()) continue;
      Bracket("numwak", mw.numwak[i], i, QRect(x, Top(i), wBracket, rowH));
      Header("numumaY", mw.numumaY[i], i, QRect(x + wBracket, Top(i), wNumber, rowH));
    }
    return wBracket + wNumber;
  }

  // A matrix with its column headers and column bracket labels; returns the width used.
  int Matrix(const char* panel, const char* headerPanel, const char* bracketPanel,
             const MatrixCells& m, const std::array<HeaderLabel, kMaxHorses>& headers,
             const std::array<BracketLabel, kMaxHorses>& brackets, int x, int w) {
    const int n = mw.RunnerCount;
    for (int col = 0; col < n; ++col) {
      Bracket(bracketPanel, brackets[col], col, QRect(x + col * w, 0, w, rowH));
      Header(headerPanel, headers[col], col, QRect(x + col * w, rowH, w, rowH));
    }
    for (int row = 0; row < n; ++row) {
      for (int col = 0; col < n; ++col) {
        PaintCell& c = Add(panel, row, col, QRect(x + col * w, Top(row), w, rowH));
        FromView(c, m[row][col]);
      }
    }
    return n * w;
  }
};

}  // namespace

std::vector<PaintCell> LayoutOdds(const MainWindowModel& mw, const QFontMetrics& fm, int rowH,
                                  QSize* size) {
  Builder b{mw, rowH};
  if (!mw.RaceShown) {
    if (size) *size = QSize(0, 0);
    return {};
  }
  const int n = std::min(mw.RowCount, kMaxHorses);
  const int wOdds = fm.horizontalAdvance("9999.9") + 6;
  const int wShare = fm.horizontalAdvance("99.9%") + 6;
  const int wRank = fm.horizontalAdvance("18") + 4;
  const int wMark = fm.horizontalAdvance(ToQ("★")) + 4;
  const int wInd = std::max(10, rowH * 3 / 4);
  const int gap = 4;
  int x = 0;

  b.Column("Lbana", mw.Lbana, n, x, wMark, Qt::AlignCenter);
  x += wMark;
  b.Caption("人気順位", x, 4 * wRank, "左から複勝・単勝・仮単の人気順位");
  const char* rankPanels[] = {"rankfuk", "ranktan", "rankren", "rankodz"};
  const RowCells* ranks[] = {&mw.rankfuk, &mw.ranktan, &mw.rankren, &mw.rankodz};
  for (int k = 0; k < 4; ++k) {
    b.Column(rankPanels[k], *ranks[k], n, x, wRank, Qt::AlignCenter);
    x += wRank;
  }
  x += gap;

  // Place, win and synthetic win columns, each with its gap markers and, with the JRDB
  // layout, its change indicators.
  struct OddsCol { const char* panel; const char* caption; const RowCells* cells; int markerSet; int indicator; };
  const OddsCol cols[] = {{"odzfuk", "複勝", &mw.odzfuk, kGapPlace, 0},
                          {"odztan", "単勝", &mw.odztan, kGapWin, 1},
                          {"odzren", "仮単", &mw.odzren, kGapSynthetic, 2}};
  for (const OddsCol& c : cols) {
    b.Caption(c.caption, x, wOdds);
    b.Column(c.panel, *c.cells, n, x, wOdds);
    b.Markers(c.markerSet, x, wOdds);
    x += wOdds;
    if (mw.JrdbLayout) {
      b.Indicators(c.indicator, x, wInd);
      x += 2 * wInd;
    }
  }
  b.Caption("集票率", x, wShare);
  b.Column("odzpar", mw.odzpar, n, x, wShare);
  x += wShare + gap;

  if (mw.JrdbLayout) {
    b.Caption("基単", x, wOdds, "ＪＲＤＢ単勝基準オッズ");
    b.Column("jrdbtan", mw.jrdbtan, mw.RunnerCount, x, wOdds);
    b.Markers(kGapJrdbWin, x, wOdds);
    x += wOdds;
    b.Caption("基複", x, wOdds, "ＪＲＤＢ複勝基準オッズ");
    b.Column("jrdbfuk", mw.jrdbfuk, mw.RunnerCount, x, wOdds);
    x += wOdds;
    b.Column("rankjrdb", mw.rankjrdb, mw.RunnerCount, x, wRank, Qt::AlignCenter);
    x += wRank;
    b.Column("rankjrdb2", mw.rankjrdb2, mw.RunnerCount, x, wRank, Qt::AlignCenter);
    x += wRank + gap;
  }

  const int wBracket = fm.horizontalAdvance("8") + 6;
  const int wNumber = wRank;
  const int wCell = fm.horizontalAdvance("9999.9") + 4;
  if (mw.ShownView == kViewQuinella || mw.ShownView == kViewBoth) {
    x += b.RowHeaders(x, wBracket, wNumber);
    x += b.Matrix("odzuma", "numumaX", "Lbwcl", mw.odzuma, mw.numumaX, mw.Lbwcl, x, wCell) + gap;
  }
  if (mw.ShownView == kViewWide || mw.ShownView == kViewBoth) {
    x += b.RowHeaders(x, wBracket, wNumber);
    x += b.Matrix("WideOdz", "numX", "LbWidewcl", mw.WideOdz, mw.numX, mw.LbWidewcl, x, wCell);
    b.Caption("ﾜｲﾄﾞ%", x, wShare);
    b.Column("WidePar", mw.WidePar, n, x, wShare);
    x += wShare;
  }
  if (size) *size = QSize(x + 2, b.Top(kMaxHorses) + 2);
  return std::move(b.cells);
}

}  // namespace tz::ui
