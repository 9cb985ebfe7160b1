// The share graphs of the analysed race: the vote-share bars in five sort orders and the
// payout-range graph, with the commands of their window (tool-bar buttons, drop-down menus,
// row-caption clicks and the label-mode button). Everything reads the race model and the
// analysis results and writes only `Session::shareGraph` and the options `Grph` / `GrphStart`.
#pragma once

namespace tz {

struct Session;

// Titles of the five sort orders (index 1..5; 0 unused).
inline constexpr const char* kGraphSortTitles[6] = {
    "", "連勝集票率順", "ﾜｲﾄﾞ集票率順", "単勝集票率順", "複勝集票率順", "1番人気からのｵｯｽﾞ順"};
// Pool names of the range graph (index 1..3).
inline constexpr const char* kRangePoolNames[4] = {"", "枠連", "馬連", "ﾜｲﾄﾞ"};

// The window is created: panel 1 is the current one, the entries that a race without quinella
// and wide sales cannot use are disabled, the label strip is sized for the runners and the
// label-mode button shows the option `Grph`.
void LoadShareGraphWindow(Session& s);

// Tool-bar button "ｸﾞﾗﾌ" and the automatic opening after an analysis: takes the start order of
// the options (or keeps the last one), then draws panel 1.
void ShowShareGraphs(Session& s);

// The order builders of the sort orders 1..5; each then draws panel 1.
void OrderByQuinellaShare(Session& s);
void OrderByWideShare(Session& s);
void OrderByWinShare(Session& s);
void OrderByPlaceShare(Session& s);
void OrderByFavouriteOdds(Session& s);
// The builder of `GraphSort`; values outside 1..5 draw nothing.
void DrawCurrentOrder(Session& s);

// Draws panel 1 from `GraphOrder`.
void DrawShareGraph(Session& s);

// Draws panel 2, the payout-range graph of `RangeKind`, over the limits `OddsRanges`.
void ShareGraph(Session& s);

// Tool-bar button b (1 "集票率", 2 "ﾚﾝｼﾞ別", 3 "JRAVAN").
void GraphToolbarClick(Session& s, int button);

// What a drop-down entry asks of the window.
enum class GraphMenuResult { Done, OpenRangeDialog };

// Drop-down entry e of tool-bar button b. Entry 5 of button 2 returns OpenRangeDialog: the
// window then opens the range dialog modally and calls `ShareGraph`.
GraphMenuResult GraphMenuClick(Session& s, int button, int entry);

// A click on a row caption: 1 "連勝", 2 "ﾜｲﾄﾞ", 3 "単勝", 4 "複勝".
void GraphRowCaptionClick(Session& s, int sortOrder);

// `Command1`: switches the label rows between shares and ranks and redraws.
void ToggleGraphLabelMode(Session& s);

}  // namespace tz
