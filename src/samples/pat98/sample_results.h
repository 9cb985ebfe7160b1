// The official results of a generated sample day: a finishing order drawn from each race's own
// odds (so favourites win more often) and payouts taken from those odds. The first two meetings
// get one results file per race; the third meeting gets the five per-day payout files. Scratched
// horses give refunds and void brackets, race 4 of the first meeting ends in a dead heat for
// first and race 5 of the third in a dead heat for second; the advance-sale race and races not
// on sale have no results.
#pragma once

#include <filesystem>
#include <string>

#include "samples/pat98/sample_day.h"

namespace tz {

// Writes the results files of the day into `folder`. Returns an error text, empty on success.
std::string WriteSampleResults(const SampleDay& day, const std::filesystem::path& folder);

}  // namespace tz
