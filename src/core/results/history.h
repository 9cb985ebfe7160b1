// The user's votes on the selected race, taken from PAT98's voting log (LG-FILE.JRA and one
// vote file per transmission), matched with the payout table of the race, with the totals and
// the history text one line per vote.
#pragma once

#include <string>

#include "app/user_port.h"

namespace tz {

struct Session;

// Load status left by the log readers when LG-FILE.JRA is missing, and after a read failure.
inline constexpr int kLogMissing = 3;
inline constexpr int kLogReadError = 9;

// The history steps run after the results of the race were read: empties the vote list and
// the totals, reads the voting log and, when that worked, the previous day's advance-sale
// votes, checks the votes against the payout table and builds the history text.
void RunHistorySteps(Session& s, UserPort& port);

// Collects the votes of the race from the vote files of the day (GuideDate) whose sale kind is
// the kind of the selected race. LoadStatus 3 without a log, 9 after a read failure (reported).
void ReadVotingLog(Session& s, UserPort& port);
// Adds the advance-sale votes bought on the calendar day before GuideDate (marked with sale
// kind 3) when a race of the day is selected, then sorts the vote list.
void ReadAdvanceSaleLog(Session& s, UserPort& port);
// Sets each vote's result code (0 undecided, 1 hit, 2 miss, 3 refund, 9 not counted) and
// payout text, the return, the largest hit payout, the hit flags and the hit message.
void CheckHits(Session& s);
// Appends one line per vote to HitListText: prefix, bet, stake, mark, CR LF.
void BuildHitList(Session& s);

// One line of the history text (without CR LF) for a 23-character vote entry.
std::string HitListLine(const std::string& entry);

// The calendar day before a yyyymmdd date, as yyyymmdd and as yymmdd; empty when the date is
// not valid.
std::string PreviousDay(const std::string& yyyymmdd);
std::string PreviousDayShort(const std::string& yyyymmdd);

// The history window's texts from the history state. The totals are shown when the window
// was opened after results were read.
void BuildHistoryWindow(Session& s, bool showTotals);

// Reads the votes on the selected race without its results (ResultsRead::VotesOnly) and marks the
// voted combinations in the main window and the bracket view.
void MarkVotesOfSelectedRace(Session& s, UserPort& port);

// Marks the listed finishers (places 1 to 5) of the last results read on the synthetic win
// odds cells of their rows in the main window.
void MarkFinishers(Session& s);

}  // namespace tz
