// Bet marks in the quinella and wide matrices of the main window: single cells, header
// selections and the four patterns (box, limited flow, total flow, clear). A marked cell has
// the mark colour; marks are only placed on the cell below the diagonal.
#pragma once

#include <vector>

#include "analysis/main_window_model.h"

namespace tz {

struct Session;

enum class PairMatrix { Quinella, Wide };
enum class HeaderKind { Row, QuinellaColumn, WideColumn };  // numumaY, numumaX, numX

void ToggleHeader(Session& s, HeaderKind kind, int index);
// Click on cell (row, column), 0-based.
void ToggleCell(Session& s, PairMatrix matrix, int row, int column);
void MarkBox(Session& s);
void MarkLimitedFlow(Session& s);
void MarkTotalFlow(Session& s);
void ClearMarks(Session& s);

// A marked pair: positions (1-based) of its canonical cell and the horse numbers there.
struct MarkedPair {
  int RowPosition = 0;     // the larger position
  int ColumnPosition = 0;  // the smaller position
  int RowHorse = 0;
  int ColumnHorse = 0;
};
// Marked cells of a matrix, in row-major order of the canonical cells.
std::vector<MarkedPair> MarkedPairs(const Session& s, PairMatrix matrix);

enum class SingleColumn { Place, Win };
// Horse numbers whose win or place cell is highlighted, in position order.
std::vector<int> MarkedSingles(const Session& s, SingleColumn column);

// The colour a matrix cell returns to when unmarked.
Colour UnmarkedColour(const Session& s, PairMatrix matrix, int row, int column);

}  // namespace tz
