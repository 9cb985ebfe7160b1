// Reads PAT98's official results of a race into the payout table: either the race's own results
// file ("KS-": finishers, going, payouts, scratched horses and void brackets) or, when that is
// missing, the five per-day payout files ("TH-" win, "FH-" place, "WH-" bracket quinella, "UH-"
// quinella, "KH-" wide). Refunds for scratched horses and void brackets are generated and, once
// the results are complete enough, appended to the priced payouts.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>

#include "app/user_port.h"
#include "pat98/file_names.h"  // ResultsFileName, PayoutFileName
#include "results/result_state.h"
#include "session.h"

namespace tz {

// Availability weights of the per-day files; a results file counts for all of them.
inline constexpr int kAvailWin = 1;
inline constexpr int kAvailPlace = 2;
inline constexpr int kAvailBracket = 4;
inline constexpr int kAvailQuinella = 8;
inline constexpr int kAvailWide = 16;
inline constexpr int kAvailComplete = 31;
inline constexpr int kAvailNoWide = 15;

// The message shown when a results file exists but cannot be read.
inline constexpr std::string_view kNotAResultsFile = "PAT98対応の結果ﾌｧｲﾙではありません。";

// Course and race as two digits each ("0511").
std::string RaceKey(int course, int race);

// Fields of a payout record.
int PayoutKind(const PayoutRecord& r);     // 1 win .. 5 wide, 0 when malformed
int PayoutFirst(const PayoutRecord& r);    // first number (0 for win and place)
int PayoutSecond(const PayoutRecord& r);   // second number (the horse for win and place)
long PayoutValue(const PayoutRecord& r);   // yen per 100 yen; 0 for a refund
// The priced records and refunds a reader may scan: PayoutTable holds exactly its records, so
// every scan is bounded by its size.
inline int PricedCount(const ResultState& r) {
  return std::min<int>(r.PayoutCount, static_cast<int>(r.PayoutTable.size()));
}

// Reads the selected race's results (results file, else the per-day files), merges the refunds
// when at least win, place, bracket quinella and quinella payouts were found, and then runs the
// history steps (voting log and hit check) unless a batch run is reading. A results file that
// exists but cannot be read is reported and nothing else is done.
void ReadRaceResults(Session& s, UserPort& port);

// Reads one race's results file from DataFolder. A missing file is no failure
// (ResultsAvailability stays 0); a file that is too short or holds a field that must be a number
// and is not makes it fail, leaving the payout and refund tables as they were before the call
// and no finishers. On success ResultsAvailability is 31.
bool ReadResultsFile(Session& s, int course, int yearDigit, int kai, int day, int race);
// The same from the bytes of a results file (the file's last byte is not part of its body).
bool ReadResultsBytes(Session& s, std::string_view bytes, int course, int race);

// Reads the race's records from whichever per-day payout files exist, adds their weights to
// ResultsAvailability (starting from 0), and infers the listed finishers' places from the
// numbers of win, place and quinella payouts (dead heats included).
void ReadPayoutFiles(Session& s, int course, int yearDigit, int kai, int day, int race);

// Appends the refunds collected while reading to the priced payouts; ResultEntryCount then
// counts every record of PayoutTable.
void MergeRefunds(Session& s);

}  // namespace tz
