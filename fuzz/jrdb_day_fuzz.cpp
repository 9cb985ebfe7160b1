// Feeds arbitrary bytes as the nine JRDB files of one day (cut at "\n--\n": OZ, OW, SKB, UKC,
// KYI, BAC, KAB, SED, HJC) to the day reader and, when it finds no problem, builds the PAT98
// day: nothing may crash, and a day read without problems always gives its betting guides.
#include <cstddef>
#include <cstdint>

#include "fuzz_support.h"
#include "jrdb/jrdb_day.h"
#include "jrdb/jrdb_import.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto parts = tz::fuzz::Split(data, size, 9);
  const auto folder = tz::fuzz::ScratchFolder();
  for (std::size_t k = 0; k < parts.size(); ++k) {
    if (!parts[k].empty()) tz::fuzz::Put(folder, std::string(tz::jrdb::kDayFileKinds[k]) + "020908.TXT", parts[k]);
  }
  tz::jrdb::JrdbDay day = tz::jrdb::ReadJrdbDay(folder, "020908");
  if (!day.problems.empty()) return 0;
  if (day.meetings.empty() || day.meetings.size() > 3) __builtin_trap();
  tz::jrdb::BuiltDay built = tz::jrdb::BuildPat98Day(day);
  if (built.files.empty() || built.files[0].name != "UY-A.JRA") __builtin_trap();
  return 0;
}
