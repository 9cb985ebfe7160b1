// PAT98's results files from numbers, for the tests and the sample-day generator: the per-race
// results file ("KS-", with or without wide payouts, written by the results record writer of
// pat98/record_writers.h) and the five per-day payout files ("TH-" win, "FH-" place, "WH-"
// bracket quinella, "UH-" quinella, "KH-" wide), which only PAT98 writes.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <vector>

namespace tz::fixture {

struct SinglePayout {
  int horse = 0;
  long payout = 0;  // yen per 100 yen
};

struct PairPayout {
  int first = 0;  // bracket or horse
  int second = 0;
  long payout = 0;
};

struct ResultFinisher {
  int place = 0;         // 1..9; 0 writes an empty record (blank position)
  int horse = 0;
  std::string name;      // UTF-8, 18 bytes in the file
  std::string time;      // 6 bytes, e.g. "1.34.7"
};

// One race's results file. Layout B (withWide) holds wide payouts; its first win entry's horse
// number is what tells the layouts apart, so a layout-B file always has a win payout.
struct ResultsFile {
  int course = 5, yearDigit = 2, kai = 1, day = 1, race = 1;
  std::string weather = "晴", turfGoing = "良", dirtGoing = "良";  // 4 bytes each
  std::vector<ResultFinisher> finishers;  // at most 5 are written
  bool withWide = true;
  std::vector<SinglePayout> win;          // at most 3
  std::vector<SinglePayout> place;        // at most 5
  std::vector<PairPayout> bracket;        // at most 3
  std::vector<PairPayout> quinella;       // at most 3
  std::vector<PairPayout> wide;           // at most 5 (layout B only)
  std::vector<int> scratched;             // at most 5
  std::array<int, 9> bracketFlags{};      // brackets 1..8: 0 blank, 1 void bracket, 2 void w-w
};

// The bytes of the file: 90-byte header (its first 22 bytes name the race as "KS" + the five
// numbers), five 40-byte finisher records, 84 unused bytes, the payout section, CR LF.
std::string ResultsFileBytes(const ResultsFile& f);
// Writes it into `folder` under its name (ResultsFileName); throws std::runtime_error.
std::filesystem::path WriteResultsFile(const std::filesystem::path& folder, const ResultsFile& f);

// One race's record in the per-day payout files.
struct DayPayoutRace {
  int race = 1;
  char status = '1';  // '1' payouts, '5' counted without payouts, anything else no result
  std::vector<SinglePayout> win;      // TH, at most 3
  std::vector<SinglePayout> place;    // FH, at most 5
  std::vector<PairPayout> bracket;    // WH, at most 3
  std::array<int, 9> bracketFlags{};  // WH, brackets 1..8
  std::vector<PairPayout> quinella;   // UH, at most 3
  std::vector<int> scratched;         // UH and KH, at most 5
  std::vector<PairPayout> wide;       // KH, at most 5
  // The status of the quinella (UH) and wide (KH) records when it is not `status` (0: status).
  char quinellaStatus = 0;
  char wideStatus = 0;
};

enum class DayPayoutKind { Win, Place, Bracket, Quinella, Wide };  // TH FH WH UH KH

struct DayPayoutFiles {
  int course = 5, yearDigit = 2, kai = 1, day = 1;
  std::vector<DayPayoutRace> races;  // races not listed get a record without a result
};

// "TH-", "FH-", "WH-", "UH-" or "KH-".
const char* DayPayoutPrefix(DayPayoutKind kind);
// The bytes of one per-day file: 20-byte header, one record per race 1..12, CR LF.
std::string DayPayoutFileBytes(const DayPayoutFiles& f, DayPayoutKind kind);
// Writes the files of the given kinds into `folder`; throws std::runtime_error.
void WriteDayPayoutFiles(const std::filesystem::path& folder, const DayPayoutFiles& f,
                         std::initializer_list<DayPayoutKind> kinds = {
                             DayPayoutKind::Win, DayPayoutKind::Place, DayPayoutKind::Bracket,
                             DayPayoutKind::Quinella, DayPayoutKind::Wide});

}  // namespace tz::fixture
