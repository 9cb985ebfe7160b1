#include "betting/marking.h"

#include <algorithm>

#include "session.h"

namespace tz {

namespace {

MatrixCells& Cells(Session& s, PairMatrix m) {
  return m == PairMatrix::Quinella ? s.mainWindow.odzuma : s.mainWindow.WideOdz;
}
const MatrixCells& Cells(const Session& s, PairMatrix m) {
  return m == PairMatrix::Quinella ? s.mainWindow.odzuma : s.mainWindow.WideOdz;
}

// Marks the canonical cell (below the diagonal) of the pair of 0-based positions a and b.
void MarkPair(Session& s, PairMatrix m, int a, int b) {
  const int runners = s.mainWindow.RunnerCount;
  if (a == b || a < 0 || b < 0 || a >= runners || b >= runners) return;
  Cells(s, m)[std::max(a, b)][std::min(a, b)].BackColor = colours::kMark;
}

// The matrices a pattern works on; also sets the shown view.
std::vector<PairMatrix> PatternMatrices(Session& s) {
  auto& mw = s.mainWindow;
  if (s.race.CurrentSaleCode == 7) {
    mw.ShownView = kViewQuinella;
    mw.ViewLabel = kViewNames[mw.ShownView];
    return {PairMatrix::Quinella};
  }
  mw.ShownView = mw.ViewMode;
  mw.ViewLabel = kViewNames[mw.ShownView];
  switch (mw.ViewMode) {
    case kViewWide: return {PairMatrix::Wide};
    case kViewBoth: return {PairMatrix::Quinella, PairMatrix::Wide};
    default: return {PairMatrix::Quinella};
  }
}

const std::array<HeaderLabel, kMaxHorses>& ColumnHeaders(const Session& s, PairMatrix m) {
  return m == PairMatrix::Quinella ? s.mainWindow.numumaX : s.mainWindow.numX;
}

}  // namespace

Colour UnmarkedColour(const Session& s, PairMatrix matrix, int row, int column) {
  const auto& mw = s.mainWindow;
  if (matrix == PairMatrix::Quinella && mw.OdzColorAtAnalysis == 1) {
    return mw.BandColor[row][column];
  }
  return mw.odzren[row + 1].BackColor;
}

void ToggleHeader(Session& s, HeaderKind kind, int index) {
  auto& mw = s.mainWindow;
  if (index < 0 || index >= mw.RunnerCount || index >= kMaxHorses) return;
  auto& headers = kind == HeaderKind::Row              ? mw.numumaY
                  : kind == HeaderKind::QuinellaColumn ? mw.numumaX
                                                       : mw.numX;
  headers[index].Selected = !headers[index].Selected;
}

void ToggleCell(Session& s, PairMatrix matrix, int row, int column) {
  const int m = s.mainWindow.RunnerCount;
  if (row == column) return;
  if (row < 0 || column < 0 || row >= m || column >= m) return;
  const int r = std::max(row, column);
  const int c = std::min(row, column);
  CellView& cell = Cells(s, matrix)[r][c];
  cell.BackColor = cell.BackColor == colours::kMark ? UnmarkedColour(s, matrix, r, c)
                                                    : colours::kMark;
}

void MarkBox(Session& s) {
  const int m = s.mainWindow.RunnerCount;
  const auto& rows = s.mainWindow.numumaY;
  for (PairMatrix mx : PatternMatrices(s)) {
    for (int i = 0; i < m; ++i) {
      if (!rows[i].Selected) continue;
      for (int j = i + 1; j < m; ++j) {
        if (rows[j].Selected) MarkPair(s, mx, i, j);
      }
    }
  }
}

void MarkLimitedFlow(Session& s) {
  const int m = s.mainWindow.RunnerCount;
  const auto& rows = s.mainWindow.numumaY;
  for (PairMatrix mx : PatternMatrices(s)) {
    const auto& cols = ColumnHeaders(s, mx);
    for (int i = 0; i < m; ++i) {
      if (!cols[i].Selected) continue;
      for (int j = 0; j < m; ++j) {
        if (j != i && rows[j].Selected) MarkPair(s, mx, i, j);
      }
    }
  }
}

void MarkTotalFlow(Session& s) {
  const int m = s.mainWindow.RunnerCount;
  for (PairMatrix mx : PatternMatrices(s)) {
    const auto& cols = ColumnHeaders(s, mx);
    for (int i = 0; i < m; ++i) {
      if (!cols[i].Selected) continue;
      for (int j = 0; j < m; ++j) {
        if (j != i) MarkPair(s, mx, i, j);
      }
    }
  }
}

void ClearMarks(Session& s) {
  auto& mw = s.mainWindow;
  const int m = mw.RunnerCount;
  if (mw.OdzColorAtAnalysis == 1) {
    for (int r = 0; r < m; ++r) {
      for (int c = 0; c < m; ++c) mw.odzuma[r][c].BackColor = mw.BandColor[r][c];
    }
  } else {
    for (int r = 0; r < kMaxHorses; ++r) {
      for (int c = 0; c < kMaxHorses; ++c) {
        if (mw.odzuma[r][c].BackColor == colours::kMark) {
          mw.odzuma[r][c].BackColor = mw.odzren[r + 1].BackColor;
        }
      }
    }
  }
  for (int r = 0; r < kMaxHorses; ++r) {
    for (int c = 0; c < kMaxHorses; ++c) {
      if (mw.WideOdz[r][c].BackColor == colours::kMark) {
        mw.WideOdz[r][c].BackColor = mw.odzren[r + 1].BackColor;
      }
    }
  }
}

std::vector<MarkedPair> MarkedPairs(const Session& s, PairMatrix matrix) {
  std::vector<MarkedPair> out;
  const int m = s.mainWindow.RunnerCount;
  const auto& cells = Cells(s, matrix);
  for (int r = 0; r < m; ++r) {
    for (int c = 0; c < r; ++c) {
      if (cells[r][c].BackColor != colours::kMark) continue;
      out.push_back({r + 1, c + 1, s.race.HorseOrder[r + 1], s.race.HorseOrder[c + 1]});
    }
  }
  return out;
}

std::vector<int> MarkedSingles(const Session& s, SingleColumn column) {
  std::vector<int> out;
  const auto& cells = column == SingleColumn::Place ? s.mainWindow.odzfuk : s.mainWindow.odztan;
  for (int p = 1; p <= s.mainWindow.RunnerCount; ++p) {
    if (cells[p].BackColor == colours::kMark) out.push_back(s.race.HorseOrder[p]);
  }
  return out;
}

}  // namespace tz
