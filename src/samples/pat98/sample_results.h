// The official results of a generated sample day: a finishing order drawn from each race's own
// odds (so favourites win more often) and payouts taken from those odds. The first two meetings
// get one results file per race; the third meeting gets the five per-day payout files. Scratched
// horses give refunds and void brackets, race 4 of the first meeting ends in a dead heat for
// first and race 5 of the third in a dead heat for second; the advance-sale race and races not
// on sale have no results. The forum results log of the day (samples/fhwars/
// fixture_results_log.h) posts the same results.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "samples/pat98/fixture_results.h"
#include "samples/pat98/sample_day.h"

namespace tz {

// The result of one race of the day, as its files hold it.
struct SampleRaceResult {
  int course = 0, kai = 0, day = 0, race = 0;  // the race, as its files name it
  int yearDigit = 0;         // last digit of the year, part of the file names
  std::string title;         // the race card's race name
  bool perDayFiles = false;  // written into the per-day payout files, else a results file
  bool sellsQuinella = false;
  bool sellsWide = false;
  std::vector<fixture::ResultFinisher> finishers;  // the first five, names from the race card
  std::vector<fixture::SinglePayout> win, place;
  std::vector<fixture::PairPayout> bracket, quinella, wide;
  std::vector<int> scratched;          // at most five
  std::array<int, 9> bracketFlags{};   // brackets 1..8: 1 void bracket, 2 void same-bracket pair
  std::string weather, turfGoing, dirtGoing;  // the meeting guide's (results files only)
};

// The results of every race of the day that has one, in the order of day.races.
std::vector<SampleRaceResult> SampleDayResults(const SampleDay& day);

// A race's results as its results file ("KS-") holds them; the weather and going are the
// file writer's defaults when the result has none.
fixture::ResultsFile SampleResultsFile(const SampleRaceResult& res);

// Writes the results files of the day into `folder`. Returns an error text, empty on success.
std::string WriteSampleResults(const SampleDay& day, const std::filesystem::path& folder);

}  // namespace tz
