// What the main window's odds area shows for the analysed race: the race header, the column
// panels in popularity order, the quinella and wide matrices, gap markers, change indicators,
// race labels and the tool-bar state. The window only draws this model; every colour, text,
// mark and selection lives here. Colours are BGR integers (255 red, 0xFF0000 blue).
//
// Row tables are indexed by popularity position p = 1..18 (slot 0 unused). Matrix cells and
// header labels are indexed 0-based as the window's control arrays are: cell [r][c] is row
// position r + 1 and column position c + 1; header label i stands for position i + 1.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "analysis/analysis_state.h"
#include "app/app_state.h"
#include "pat98/race_model.h"

namespace tz {

namespace colours {
inline constexpr Colour kWhite = 0xFFFFFF;
inline constexpr Colour kBlack = 0x000000;
inline constexpr Colour kRed = 0x0000FF;       // 255
inline constexpr Colour kBlue = 0xFF0000;
inline constexpr Colour kMagenta = 0xFF00FF;
inline constexpr Colour kNavy = 0x800000;
inline constexpr Colour kMark = 0xE0E0E0;      // a marked (bet) cell
inline constexpr Colour kLightGrey = 0xC0C0C0; // change indicator: odds shortened
inline constexpr Colour kBelowTen = 0xF0FFFF;  // quinella band below 10, first JRDB class
// The seven colour classes of the synthetic win odds.
inline constexpr std::array<Colour, 7> kClass{0xC0C0FF, 0xC0E0FF, 0x80FFFF, 0xC0FFC0,
                                              0xFFFFC0, 0xFFC080, 0xFF80C0};
// The six classes of the JRDB base odds columns.
inline constexpr std::array<Colour, 6> kJrdbClass{0xF0FFFF, 0xC0FFFF, 0xC0FFC0,
                                                  0xFFFFC0, 0xFFC080, 0xFF80C0};
inline constexpr Colour kUpsetBar = 0xC0C0FF;
}  // namespace colours

// One label-like cell of a panel or matrix.
struct CellView {
  std::string Text;
  Colour BackColor = colours::kWhite;
  Colour ForeColor = colours::kBlack;
  bool Bold = false;
  bool Underline = false;
  std::string ToolTip;

  // Back to a blank cell as above, keeping the texts' buffers for the next race.
  void Reset() {
    Text.clear();
    BackColor = colours::kWhite;
    ForeColor = colours::kBlack;
    Bold = false;
    Underline = false;
    ToolTip.clear();
  }
  bool operator==(const CellView&) const = default;
};

// A header label of the matrices: selected labels are drawn opaque.
struct HeaderLabel {
  std::string Text;  // horse number
  bool Selected = false;

  void Reset() {
    Text.clear();
    Selected = false;
  }
  bool operator==(const HeaderLabel&) const = default;
};

// A bracket label next to a matrix header: the bracket number on its colour.
struct BracketLabel {
  std::string Text;
  Colour BackColor = colours::kWhite;
  Colour ForeColor = colours::kBlack;

  void Reset() {
    Text.clear();
    BackColor = colours::kWhite;
    ForeColor = colours::kBlack;
  }
  bool operator==(const BracketLabel&) const = default;
};

// A gap marker drawn between two rows of an odds column.
struct GapMarker {
  bool Visible = false;
  Colour Color = colours::kBlack;
  int Width = 0;  // 37 for a strong gap, 13 for a weak one (panel units)
  bool operator==(const GapMarker&) const = default;
};

// One picture cell of the change indicators; Image 0 = no picture, 1..12 = the indicator
// images (1..6 the six sizes of one direction, 7..12 the other; 1 and 7 the largest).
struct IndicatorCell {
  int Image = 0;
  Colour BackColor = colours::kWhite;
  bool operator==(const IndicatorCell&) const = default;
};

// The odds columns that carry gap markers.
enum GapColumn : int {
  kGapPlace = 1,      // place odds
  kGapWin = 2,        // win odds
  kGapSynthetic = 3,  // synthetic win odds
  kGapJrdbWin = 4,    // JRDB base win odds
};

// The pair-odds view: 0 quinella, 1 wide, 2 both.
enum ViewModeValue : int { kViewQuinella = 0, kViewWide = 1, kViewBoth = 2 };

// Names of the view, as the view label shows them.
inline constexpr std::array<const char*, 3> kViewNames{"馬連", "ﾜｲﾄﾞ", "馬連+ﾜｲﾄﾞ"};

using RowCells = Table1<CellView, kMaxHorses>;
using MatrixCells = std::array<std::array<CellView, kMaxHorses>, kMaxHorses>;

struct MainWindowModel {
  // Whether a race is shown (panels visible). After a failed selection the panels are hidden
  // and the area takes the workspace colour.
  bool RaceShown = false;
  // A race without odds is selected for its results: its header is shown, the odds area is not,
  // and the results button is the one command enabled.
  bool ResultsOnly = false;
  int RowCount = 0;     // N: horses including scratched ones
  int RunnerCount = 0;  // M: runners (matrix rows and columns)
  bool JrdbLayout = false;  // the wider layout with the JRDB columns
  int OdzColorAtAnalysis = 0;  // OdzColor taken at the start of the race's colouring

  // Race header.
  std::string lblkai, lblrace, Lbltime;
  // Post-time label and distance label (filled by the race-card reader).
  bool LbtimeVisible = false;
  std::string LbtimeCaption;
  Colour LbtimeBackColor = colours::kNavy;
  Colour LbtimeForeColor = colours::kWhite;
  std::string Lbm;

  // Race label: meeting caption, race number right-aligned in four characters with "R".
  std::string RaceLabel;
  int SelectedRaceButton = 0;  // race tool-bar button 5..17 drawn pressed; 0 none

  // Column panels, row = popularity position.
  RowCells odzren;   // synthetic win odds
  RowCells odztan;   // win odds
  RowCells odzfuk;   // place odds (tool tip low - high)
  RowCells rankfuk;  // place popularity rank
  RowCells ranktan;  // win popularity rank
  RowCells rankren;  // synthetic win rank (the position)
  RowCells rankodz;  // rank of the quinella odds with the favourite
  RowCells odzpar;   // quinella share
  RowCells WidePar;  // wide share
  RowCells Lbana;    // longshot marks (cleared for every race)
  // JRDB panels.
  RowCells jrdbtan, jrdbfuk, rankjrdb, rankjrdb2;
  Table1<double, kMaxHorses> JrdbWinByPos{};
  Table1<double, kMaxHorses> JrdbPlaceByPos{};
  Table1<int, kMaxHorses> JrdbWinRank{};
  Table1<int, kMaxHorses> JrdbPlaceRank{};
  // Change indicators: index 36 * column + 18 * set + row (0-based row), columns place 0,
  // win 1, synthetic 2.
  std::array<IndicatorCell, 108> PicFukTo{};

  // Gap markers: [column 1..4][i], i = 2..M + 1; marker i sits between rows i - 1 and i,
  // marker M + 1 below the last runner.
  std::array<std::array<GapMarker, kMaxHorses + 2>, 5> LbDanso{};

  // Matrices and their headers.
  MatrixCells odzuma;   // quinella
  MatrixCells WideOdz;  // wide
  // Odds-band colour of every quinella cell (used when OdzColor was 1).
  std::array<std::array<Colour, kMaxHorses>, kMaxHorses> BandColor{};
  std::array<HeaderLabel, kMaxHorses> numumaY{};  // row headers of both matrices
  std::array<HeaderLabel, kMaxHorses> numumaX{};  // column headers of the quinella matrix
  std::array<HeaderLabel, kMaxHorses> numX{};     // column headers of the wide matrix
  std::array<BracketLabel, kMaxHorses> numwak{};     // row bracket labels
  std::array<BracketLabel, kMaxHorses> Lbwcl{};      // quinella column bracket labels
  std::array<BracketLabel, kMaxHorses> LbWidewcl{};  // wide column bracket labels

  // Race labels.
  bool KaburiVisible = false;
  std::string LbKaburi;  // "かぶり度　" + value
  std::string LbDown;    // "推移　" + signed count
  std::string LbKaburiToolTip = kKaburiTooltip;
  std::string LbDownToolTip = kUnderTenShiftTooltip;
  std::string Lbjval;    // upset value and class letter
  bool UpsetBarVisible = false;
  double UpsetBarLength = 0;  // proportional to the upset value; starts at the left edge
  Colour UpsetBarColor = colours::kUpsetBar;

  // Tool bar: main tool-bar buttons 1..16 (separators included, never drawn enabled).
  Table1<bool, 16> ToolbarEnabled{};
  bool WideViewEnabled = true;  // the "ﾜｲﾄﾞ" choices of button 9
  int ViewMode = kViewQuinella;   // the view the user chose
  int ShownView = kViewQuinella;  // the view shown (0 for a race without wide odds)
  std::string ViewLabel = kViewNames[0];

  // Window housekeeping requests for the window layer: bumped when every auxiliary window
  // except the lists must be closed; the windows to open after a selection, in order.
  int CloseAuxWindowsSerial = 0;
  std::array<bool, 5> AutoOpen{};  // graph, prediction, bracket view, voting log, results

  bool operator==(const MainWindowModel&) const = default;
};

struct Session;

// The main tool bar's results button (結果).
inline constexpr int kResultsButton = 12;

// Prepares the window for a newly analysed race: panel area shown, auxiliary windows closed
// (the prediction rows discarded), panels sized, main tool bar enabled, the matrix view chosen.
void ResetMainWindow(Session& s);
// The failure view after a race could not be analysed: panels and bar hidden, tool bar off.
void ShowNoRace(Session& s);
// The view of a race selected for its results only (no odds file): the failure view with the
// race header (racecourse, meeting, race, the race card's titles and distance) and the results
// button enabled.
void ShowResultsOnlyRace(Session& s);
// The race header's first line: racecourse, meeting, day of the meeting and race.
std::string RaceHeaderCaption(const RaceModel& race);
// Pipeline steps, in this order.
void ClearPanels(Session& s);
void FillPanels(Session& s);
void ColourByClass(Session& s);
void MarkGaps(Session& s);
// Copies the pair marks and tool tips of the pair scoring into the matrices.
void ApplyPairMarks(Session& s);
void FillJrdbPanels(Session& s);
// Colour class 0..6 of a synthetic win odds value.
int SyntheticClass(double odds);
// Colour of a quinella cell by its odds band.
Colour QuinellaBandColour(double odds);
// Shows the user's votes on the race (23-character vote entries: kind at character 6, the two
// numbers at characters 7-8 and 9-10) as marks in the win/place panels, the matrices and the
// bracket view.
void MarkVotedCombinations(Session& s, const std::vector<std::string>& voteEntries);
// Click on the win (column 2) or place (column 1) panel cell of position p.
void ToggleHighlight(Session& s, int column, int position);
// Tool-bar button 9: cycles the view, or sets it from the drop-down. Nothing changes while a
// race of sale code 7 (no wide odds) is shown: the button is disabled for it.
void CycleViewMode(Session& s);
void SetViewMode(Session& s, int mode);

}  // namespace tz
