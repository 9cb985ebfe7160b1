// What the results readers leave for the rest of the program: the payout table of the last race
// read (priced payouts first, then refunds), the first five finishers, the going, and how complete
// the results were. Every read overwrites it.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace tz {

// One payout of a race, 15 characters: race key (4), bet kind (1), first number (2), second
// number (2), payout per 100 yen (6; "000000" marks a refund).
using PayoutRecord = std::string;

struct ResultState {
  // Priced payouts first; MergeRefunds appends the refunds. The tables grow as needed, so no
  // record of a race is ever dropped.
  std::vector<PayoutRecord> PayoutTable;
  int PayoutCount = 0;  // priced records in PayoutTable
  std::vector<PayoutRecord> RefundTable;
  // While reading: records in RefundTable; after MergeRefunds: all records in PayoutTable.
  int ResultEntryCount = 0;
  // Sum of the weights of the result files read (TH 1, FH 2, WH 4, UH 8, KH 16; a results file
  // counts 31): 15 = all but the wide payouts, 31 = complete.
  float ResultsAvailability = 0;
  // The listed finishers, entry 0 first; a place of 0 means no entry.
  std::array<int, 5> FinisherPlace{};
  std::array<int, 5> FinisherHorse{};
  std::array<std::string, 5> FinisherName{};
  std::array<std::string, 5> FinisherTime{};
  std::string ResultWeather, ResultTurfGoing, ResultDirtGoing;
  std::string RefundHorsesText;  // scratched horses, each followed by ","
  int WinPayoutCount = 0, PlacePayoutCount = 0, QuinellaPayoutCount = 0;
  bool HistoryOnly = false;  // the history command reads votes only, no results
};

}  // namespace tz
