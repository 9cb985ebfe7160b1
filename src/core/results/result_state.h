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

// Which of a race's payouts were read: one bit per per-day payout file. A results file holds
// them all.
enum class PayoutsFound : unsigned {
  None = 0,
  Win = 1,       // TH-
  Place = 2,     // FH-
  Bracket = 4,   // WH- (bracket quinella)
  Quinella = 8,  // UH-
  Wide = 16,     // KH-
  AllButWide = 15,
  All = 31,
};
constexpr unsigned Bits(PayoutsFound f) { return static_cast<unsigned>(f); }
constexpr PayoutsFound operator|(PayoutsFound a, PayoutsFound b) {
  return static_cast<PayoutsFound>(Bits(a) | Bits(b));
}
constexpr PayoutsFound& operator|=(PayoutsFound& a, PayoutsFound b) { return a = a | b; }
// Whether every payout of `wanted` is among those found.
constexpr bool HasAll(PayoutsFound found, PayoutsFound wanted) {
  return (Bits(found) & Bits(wanted)) == Bits(wanted);
}

struct ResultState {
  // Priced payouts first; MergeRefunds appends the refunds. The tables grow as needed, so no
  // record of a race is ever dropped.
  std::vector<PayoutRecord> PayoutTable;
  int PayoutCount = 0;  // priced records in PayoutTable
  std::vector<PayoutRecord> RefundTable;
  // While reading: records in RefundTable; after MergeRefunds: all records in PayoutTable.
  int ResultEntryCount = 0;
  // ResultsAvailability: which payouts of the race were read (a results file counts for all).
  PayoutsFound ResultsAvailability = PayoutsFound::None;
  // The listed finishers, entry 0 first; a place of 0 means no entry.
  std::array<int, 5> FinisherPlace{};
  std::array<int, 5> FinisherHorse{};
  std::array<std::string, 5> FinisherName{};
  std::array<std::string, 5> FinisherTime{};
  std::string ResultWeather, ResultTurfGoing, ResultDirtGoing;
  std::string RefundHorsesText;  // scratched horses, each followed by ","
  int WinPayoutCount = 0, PlacePayoutCount = 0, QuinellaPayoutCount = 0;
};

}  // namespace tz
