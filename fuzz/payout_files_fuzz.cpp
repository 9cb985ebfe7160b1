// The five per-day payout files (win, place, bracket quinella, quinella, wide) of any content,
// read for one race with its refunds merged.
#include "fuzz_support.h"
#include "session.h"
#include "pat98/file_names.h"
#include "results/results_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto folder = tz::fuzz::ScratchFolder();
  auto parts = tz::fuzz::Split(data, size, 5);
  const char* prefixes[] = {"TH-", "FH-", "WH-", "UH-", "KH-"};
  for (int i = 0; i < 5; ++i) {
    if (!parts[i].empty()) tz::fuzz::Put(folder, tz::PayoutFileName(prefixes[i], 3, 2, 3, 6), parts[i]);
  }
  tz::Session s;
  s.app.DataFolder = folder;
  tz::ReadPayoutFiles(s.results, s.race, s.app, s.folders, 3, 2, 3, 6, 11);
  tz::MergeRefunds(s.results);
  return 0;
}
