// A results file (KS-) of any content, read for the race and matched with a voting entry.
#include "fuzz_support.h"
#include "session.h"
#include "results/history.h"
#include "results/results_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  tz::Session s;
  s.race.CurrentCourse = 5;
  s.race.CurrentRace = 11;
  if (tz::ReadResultsBytes(s.results, bytes, 5, 11)) {
    tz::MergeRefunds(s.results);
    s.history.VoteList = {"105111000700030111230  ", "10511409120005013   100"};
    tz::CheckHits(s);
    tz::BuildHitList(s);
  }
  return 0;
}
