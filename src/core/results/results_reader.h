// Reads PAT98's official results of a race into the payout table: either the race's own results
// file ("KS-": finishers, going, payouts, scratched horses and void brackets) or, when that is
// missing, the five per-day payout files ("TH-" win, "FH-" place, "WH-" bracket quinella, "UH-"
// quinella, "KH-" wide). Refunds for scratched horses and void brackets are generated and, once
// the results are complete enough, appended to the priced payouts.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>

#include "app/app_state.h"
#include "app/user_port.h"
#include "pat98/file_names.h"  // ResultsFileName, PayoutFileName
#include "pat98/race_model.h"
#include "results/result_state.h"
#include "text/files.h"

namespace tz {

struct Session;

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

// What ReadRaceResults reads.
enum class ResultsRead {
  ResultsAndVotes,  // the results, then the votes on the race and the hit check
  ResultsOnly,      // the payouts alone (a day run, the results command)
  VotesOnly,        // the votes alone, no results (the history)
};

// Reads the selected race's results (results file, else the per-day files), merges the refunds
// when at least win, place, bracket quinella and quinella payouts were found, and then runs the
// history steps (voting log and hit check), as far as `what` asks. A results file that exists
// but cannot be read is reported and nothing else is done. It takes the whole session because
// it ends in the history steps, which fill the history tables and window.
void ReadRaceResults(Session& s, UserPort& port, ResultsRead what = ResultsRead::ResultsAndVotes);

// Reads one race's results file from DataFolder. A missing file is no failure
// (ResultsAvailability stays None); a file that is too short or holds a field that must be a number
// and is not makes it fail, leaving the payout and refund tables as they were before the call
// and no finishers. On success ResultsAvailability is All.
bool ReadResultsFile(ResultState& results, const AppState& app, text::FolderIndex& folders,
                     int course, int yearDigit, int kai, int day, int race);
// The same from the bytes of a results file (the file's last byte is not part of its body).
bool ReadResultsBytes(ResultState& results, std::string_view bytes, int course, int race);

// Reads the race's records from whichever per-day payout files exist, notes each in
// ResultsAvailability (starting from None), and infers the listed finishers' places from the
// numbers of win, place and quinella payouts (dead heats included); the finishers' names are
// the race's HorseName.
void ReadPayoutFiles(ResultState& results, const RaceModel& race, const AppState& app,
                     text::FolderIndex& folders, int course, int yearDigit, int kai, int day,
                     int raceNumber);

// Appends the refunds collected while reading to the priced payouts; ResultEntryCount then
// counts every record of PayoutTable.
void MergeRefunds(ResultState& results);

}  // namespace tz
