// The voting log of a generated sample day: what a punter sent through PAT98 on the day and the
// day before, chosen from the day's own results so that the history shows every outcome: hits
// (one of them at 10,000 yen or more when the day has such a payout), misses, refunds for a
// scratched horse, advance-sale votes
// bought the day before (shown with "*") and an advance-sale vote of the day on the next day's
// race, a rejected vote and an empty transmission.
#pragma once

#include <filesystem>
#include <string>

#include "samples/pat98/sample_day.h"

namespace tz {

// Writes LG-FILE.JRA and the vote files into `folder`, after the day's results were written
// there. Returns an error text, empty on success.
std::string WriteSampleVotes(const SampleDay& day, const std::filesystem::path& folder);

}  // namespace tz
