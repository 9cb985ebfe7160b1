// What the share-graph window draws: the vote-share bars of the runners in one of five sort
// orders with their label rows (panel 1), and the spread of one pool's payouts over the odds
// ranges (panel 2). Geometry is in twips of the drawing areas; colours are BGR integers.
// The window only paints this model; every position, height, text and colour is decided here.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "pat98/race_model.h"

namespace tz {

// Sort orders of panel 1 (`GraphSort`).
enum GraphSortOrder : int {
  kSortQuinellaShare = 1,
  kSortWideShare = 2,
  kSortWinShare = 3,
  kSortPlaceShare = 4,
  kSortFavouriteOdds = 5,
};

// Pools of the range graph (`RangeKind`).
enum RangeKindValue : int { kRangeBracket = 1, kRangeQuinella = 2, kRangeWide = 3 };

namespace graph {
// Panel 1: the bar area is 3000 twips high, 100 twips per percent above the baseline, one
// column of 390 twips per runner.
inline constexpr double kAreaHeight = 3000;
inline constexpr double kBaseline = 3000;
inline constexpr double kTwipsPerPercent = 100;
inline constexpr double kColumnWidth = 390;
inline constexpr double kStripExtra = 460;  // label strip = M columns + this
inline constexpr Colour kGuideLight = 0xC0C0C0;
inline constexpr Colour kGuideDark = 0x808080;
inline constexpr Colour kQuinellaBar = 0x8080FF;
inline constexpr Colour kWideBar = 0xFF8080;
inline constexpr Colour kWinBar = 0x80FF80;
inline constexpr Colour kWinLine = 0xC000;
inline constexpr Colour kPlaceBar = 0x80C0FF;
inline constexpr Colour kWhite = 0xFFFFFF;
inline constexpr Colour kBlack = 0;
inline constexpr Colour kRed = 255;

// A horizontal guide line across the bar area at a percentage level.
struct GuideLine {
  double Percent;
  Colour Color;
  const char* Label;  // "" for the unlabelled ones
};
inline constexpr std::array<GuideLine, 5> kGuideLines{{{5, kGuideLight, ""},
                                                       {10, kGuideDark, "10%"},
                                                       {15, kGuideLight, ""},
                                                       {20, kGuideDark, "20%"},
                                                       {25, kGuideLight, ""}}};

// Panel 2: the bar area `Picture4` is 5000 x 3000 twips, 1000 twips per 10 percent.
inline constexpr double kRangeAreaWidth = 5000;
inline constexpr double kRangeAreaHeight = 3000;
inline constexpr std::array<double, 4> kRangeGuideX{1000, 2000, 3000, 4000};
inline constexpr std::array<const char*, 4> kRangeGuideLabels{"10%", "20%", "30%", "40%"};
inline constexpr double kRangeRowTop = 100;     // top of row 0
inline constexpr double kRangeRowStep = 400;    // rows are 400 twips apart
inline constexpr double kRangeBarHeight = 300;  // bar thickness
inline constexpr const char* kRangeFirstCaption = "100";
inline constexpr const char* kRangeLastCaption = "円 以上";
}  // namespace graph

// A filled box drawn from the baseline upward.
struct GraphBar {
  double Left = 0;    // twips from the left of the bar area
  double Width = 0;
  double Height = 0;  // share x 100 twips
  Colour Color = 0;
  bool Drawn = false;  // false when the share is not a finite number
};

// A straight line between the tops of two neighbouring bars.
struct GraphLine {
  double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;  // twips, y measured from the top of the area
  Colour Color = 0;
};

// One label of the label strip.
struct GraphLabel {
  std::string Text;
  Colour BackColor = graph::kWhite;
  Colour ForeColor = graph::kBlack;
  bool Opaque = false;  // drawn on its background colour, else on the strip's
  bool Border = false;
};

// Column k of panel 1 (graph position k = 1..M).
struct GraphColumn {
  int Horse = 0;
  GraphLabel Number;   // horse number
  GraphLabel Shift;    // `Lbrank`: "+n" / "-n" against the popularity order
  GraphLabel Bracket;  // bracket number on its colour
  GraphLabel Ren;      // quinella value
  GraphLabel Odz;      // wide value
  GraphLabel Tan;      // win value
  GraphLabel Fuk;      // place value
  GraphBar QuinellaBar, WideBar, WinBar, PlaceBar;
};

// A bar of the range graph: from the left edge of the area, q twips long.
struct RangeBar {
  double Top = 0;     // twips from the top of the area
  double Length = 0;  // twips
  double Thickness = graph::kRangeBarHeight;
  bool Drawn = false;  // only rows with a share are drawn
};

// Panel 2: the payouts of one pool counted into seven rows by the six lower limits.
struct RangeGraph {
  bool Drawn = false;
  std::string PoolName;  // `Label4`: "枠連", "馬連", "ﾜｲﾄﾞ"
  Colour BarColor = 0;
  std::array<std::string, 6> RangeLabels{};  // `Label11`: the limits in decimal
  int ValueCount = 0;                        // n
  std::array<int, 7> Counts{};
  std::array<int, 7> Shares{};  // q: hundredths of a percent, also the bar length in twips
  std::array<std::string, 7> PercentLabels{};  // `Label12`: "12.3%"; empty when n is 0
  std::array<RangeBar, 7> Bars{};
};

// Enabled states of the window's drop-down menu entries.
struct GraphMenuState {
  bool WideSort = true;       // button 1 entry 2 "ﾜｲﾄﾞ集票率順"
  bool StartEntry = true;     // button 1 entry 7 "このグラフを最初に表示する"
  bool RangeQuinella = true;  // button 2 entry 2 "馬連"
  bool RangeWide = true;      // button 2 entry 3 "ﾜｲﾄﾞ"
  bool RangeSetup = true;     // button 2 entry 5 "ﾚﾝｼﾞ設定"
  bool JravanPlace = true;    // button 3 entry 1 "複勝"
};

struct ShareGraphModel {
  // State kept for the program's lifetime.
  int GraphSort = 0;   // 0 = not chosen yet, else 1..5
  int RangeKind = 0;   // 0 = not chosen yet, else 1..3
  int GraphPanel = 1;  // tool-bar button of the last button click
  Table1<int, kMaxHorses> GraphOrder{};
  Table1<double, kMaxHorses> GraphKey{};

  // The window.
  std::string Caption;    // "ｸﾞﾗﾌ - " + title, or "ｸﾞﾗﾌ - ﾚﾝｼﾞ別"
  int VisiblePanel = 1;   // 1..3
  GraphMenuState Menu;
  std::string LabelModeCaption = "％";  // `Command1`: "％" shares, "順" ranks

  // Panel 1.
  bool SharesDrawn = false;
  std::string Title;  // `Lbttl`
  int ColumnCount = 0;  // M
  double StripWidth = graph::kStripExtra;  // `Picture1`: M x 390 + 460
  bool WideShown = true;                   // false for sale code 7
  double BarOffset = 20, BarWidth = 80, BarShift = 0;  // a, w, d
  Table1<GraphColumn, kMaxHorses> Columns{};
  std::vector<GraphLine> Lines;

  // Panel 2.
  RangeGraph Range;
};

}  // namespace tz
