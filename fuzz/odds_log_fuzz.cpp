// A forum odds log of any content: split into postings, each read and turned into the race
// card, odds and quinella/wide records.
#include "fhwars/odds_log.h"
#include "fuzz_support.h"
#include "session.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  for (const std::string& posting : tz::SplitOddsLog(tz::DecodeOddsLog(bytes))) {
    std::string problem;
    const auto p = tz::ReadOddsPosting(posting, &problem);
    if (!p) continue;
    tz::OddsPostingRaceCardBytes(*p);
    tz::OddsPostingOddsBytes(*p);
    tz::OddsPostingQuinellaBytes(*p);
    tz::ConvertedRaceFileName("ZO-", *p);
  }
  return 0;
}
