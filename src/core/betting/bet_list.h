// The bet list: built from the marked odds cells, its stakes spread by one of three allocation
// modes, checked and handed to the .BET file writer.
//
// The list is a text (BetWindowModel::Text) that the user may edit freely; every mode and the
// send command read the text back. A bet line's odds are the blank-delimited token around the
// first "." of the line, and its stake is the number that follows.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/user_port.h"
#include "betting/bet_model.h"

namespace tz {

struct Session;

// One marked cell, as the bet list collects it.
struct MarkedBet {
  int Kind = 0;       // 1 win, 2 place, 3 bracket quinella, 4 quinella, 5 wide
  int First = 0;      // horse or bracket number (the smaller of a pair)
  int Second = 0;     // the larger of a pair; 0 for win and place
  int CellIndex = 0;  // index of the cell in its display (orders duplicates)
  std::string OddsText;  // the text of the odds cell
};

// The marked cells of the main window (win and place columns, quinella and wide matrices) and,
// unless the race's sale code is 7, of the bracket view, in collection order. In a race of sale
// code 7 the quinella matrix shows bracket quinella odds: each marked cell is the bracket bet
// (kind 3) of its two horses' brackets, smaller bracket first, and cells of the same bracket
// pair give one bet.
std::vector<MarkedBet> CollectMarkedBets(const Session& s);

// The 7-character bet text of a bet ("馬  3-12", "単 10   ").
std::string BetText(const MarkedBet& bet);

// The bet list text for `bets`: the race label, an empty line, then the bets sorted by kind,
// first number, second number and cell index, each with its odds and the stake `stake`.
std::string BetListText(std::string_view raceLabel, std::vector<MarkedBet> bets, std::int32_t stake);

// The bracket view keeps its marks while it shows the selected race; a view not yet built, or
// left from another race, is built afresh for the race (without marks). Nothing for a race of
// sale code 7, whose bracket quinella bets are marked in the quinella matrix.
void BringBracketViewUpToDate(Session& s);

// The main window's open-bet-list command: closes an open bet window, collects the marked
// cells and, when there is at least one bet and no more than 50, opens the bet window with the
// list in equal-amount mode. More than 50 bets is refused with a message. Returns whether the
// window was opened.
bool BuildBetList(Session& s, UserPort& port);

// The work of BuildBetList once the cells are collected: refuses more than 50 bets, builds the
// text with the stake MoneyCapital under `raceLabel` and opens the bet window in equal-amount
// mode for the selected race. Returns whether the window was opened.
bool OpenBetList(Session& s, UserPort& port, const std::vector<MarkedBet>& bets,
                 std::string_view raceLabel);

// ---- Allocation ----------------------------------------------------------------------------

// One bet line of a list as the allocation modes read it.
struct ParsedBetLine {
  std::string Kept;  // the text from the end of the previous line up to the end of the odds
  double Odds = 0;
};

// Splits a (trimmed) bet list text into its bet lines. A line counts when it holds a ".";
// the first kept part carries the header and empty line with it. Lines may end in CR LF or
// at the end of the text.
std::vector<ParsedBetLine> ParseBetList(std::string_view text);

// x yen to a stake: whole yen, to the nearest 100 (50 rounds up), at least 100.
std::int32_t RoundStake(double yen);

// Combined odds of a set of bets: 1 / sum(1 / odds), cut to two decimals. Nothing when an odds
// value is 0 (division by zero) or the result is not finite.
std::optional<double> CombinedOdds(const std::vector<double>& odds);

// Outcome of an allocation on a text.
struct AllocationResult {
  bool Ok = false;
  std::string Text;     // the new text (when Ok)
  std::string Message;  // the message shown instead (when not Ok)
};

// The three modes on a bet list text; `amount` is MoneyCapital, MoneyLimit or ProfitTarget.
AllocationResult AllocateText(std::string_view text, int mode, std::int32_t amount);

// The mode label ("均等配分（金額 100円）", "均等利益（資金 1,000円）", "目標利益（利益 10,000円）").
std::string AllocationModeLabel(int mode, std::int32_t amount);

// The bet window's mode commands: rewrite the stakes of the window's text and set the label.
// A refusal or computation error is shown as a message and leaves the text unchanged; the
// label and mode change either way. Return whether the text was rewritten.
bool AllocateEqualAmount(Session& s, UserPort& port);
bool AllocateEqualProfit(Session& s, UserPort& port);
bool AllocateTargetProfit(Session& s, UserPort& port);
// Applies mode 0, 1 or 2.
bool ApplyAllocationMode(Session& s, UserPort& port, int mode);
// The "金額" button: the next mode (0 -> 1 -> 2 -> 0), applied.
bool NextAllocationMode(Session& s, UserPort& port);

// ---- Amount dialog ---------------------------------------------------------------------------

// Opens the amount dialog with the current MoneyCapital, MoneyLimit and ProfitTarget.
void OpenAmountDialog(Session& s);
// OK: each field to a number, cut to a multiple of 100, clamped (100..300000, 100..300000,
// 100..900000), stored in the settings; the dialog closes. The open list is not recomputed.
void ApplyAmountDialog(Session& s);
// ｷｬﾝｾﾙ: closes the dialog without storing.
void CancelAmountDialog(Session& s);

// ---- Send ------------------------------------------------------------------------------------

enum class SendResult {
  NoBets,      // the text has no bet line: nothing done
  Disabled,    // the loaded day is not the PAT98 folder's current day
  Refused,     // a stake or the total was refused with a message
  Cancelled,   // the user cancelled the confirmation
  NoFolder,    // BetFolder empty or missing (message shown)
  Failed,      // the file could not be written (message shown)
  Written,     // the .BET file was written
};

// The text of the confirmation question for a total stake and combined odds.
std::string SendConfirmationText(std::string_view raceLabel, std::int64_t total, double combined);

// The "送出" command: checks the stakes (100-yen units, total at most 300,000 yen), asks for
// confirmation and writes the next .BET file of the day into BetFolder.
SendResult SendBetList(Session& s, UserPort& port);

// Closes the bet window (and its amount dialog).
void CloseBetWindow(Session& s);

// Works out the combined odds and the ﾄﾘｶﾞﾐ warning of the window's text as it stands and sets
// their captions; run after every change of the stakes (the modes do it themselves, the window
// after an edit).
void UpdateStakeSafety(BetWindowModel& w);

}  // namespace tz
