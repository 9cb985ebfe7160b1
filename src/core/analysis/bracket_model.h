// The bracket view: bracket quinella shares against the brackets' share of the quinella market,
// the 8 x 8 matrix of bracket quinella odds in share order, the sorted list of the 36
// combinations, and the user's marks on them (bracket quinella bets).
#pragma once

#include <array>
#include <string>

#include "app/app_state.h"
#include "pat98/race_model.h"

namespace tz {

struct BracketCombinationRecord {
  int Low = 0;      // smaller bracket
  int High = 0;     // larger bracket (equal for a same-bracket combination)
  double Odds = 0;  // bracket quinella odds value, 0 when none
};

// A cell of the matrix or a row of the list; marked cells have the mark colour.
struct BracketCell {
  std::string Text;
  Colour BackColor = 0xFFFFFF;
};

struct BracketListRow {
  std::string Lbnum1, Lbnum2;  // bracket numbers; empty for an unused row
  std::string Text;            // odds text
  Colour BackColor = 0xFFFFFF;
};

// A bracket number label on its bracket colour (brackets 2 and 4 in white).
struct BracketNumberLabel {
  std::string Text;
  Colour BackColor = 0xFFFFFF;
  Colour ForeColor = 0x000000;
};

enum BracketPage : int { kBracketPageNormal = 0, kBracketPageSorted = 1, kBracketPageShare = 2 };

struct BracketViewModel {
  Table1<double, kMaxBrackets> BracketQuinellaShare{};
  // Texts "#0.0%" per bracket: the bracket quinella share and the bracket's quinella share.
  Table1<std::string, kMaxBrackets> BracketQuinellaShareText{};
  Table1<std::string, kMaxBrackets> BracketShareText{};
  Table1<int, kMaxBrackets> BracketOrder{};  // brackets by share, largest first
  Table1<BracketCombinationRecord, 36> BracketCombination{};  // by odds ascending
  int ListCount = 0;  // rows of the list that are used

  // Matrix: cell 8 * i + j = column i, row j (0-based), both axes in BracketOrder.
  std::array<BracketCell, 64> Lbodz{};
  std::array<BracketNumberLabel, 8> LbnumX{};  // column headers
  std::array<BracketNumberLabel, 8> LbnumY{};  // row headers
  // Sorted combination list, 36 rows (four columns of nine).
  std::array<BracketListRow, 36> Lbsort{};

  int SaleCode = 0;     // sale code of the race the view was built for
  int Page = kBracketPageNormal;
  bool NormalEnabled = true;  // the "通常" button (off for sale code 7)
};

struct Session;

// Shares, texts and the order of the brackets; also lays out the matrix.
void ComputeBracketShares(Session& s);
// The 36 combinations sorted by odds and the list rows.
void ListBracketCombinations(Session& s);
// Both of the above plus the page choice: what opening the view does.
void BuildBracketView(Session& s);
void ToggleBracketCell(Session& s, int index);
void ToggleBracketRow(Session& s, int row);  // row 0..35
void ClearBracketMarks(Session& s);
bool IsBracketMarked(const BracketCell& c);

}  // namespace tz
