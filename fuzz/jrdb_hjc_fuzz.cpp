// Feeds arbitrary bytes to the JRDB payout reader (HJC): see jrdb_fuzz.h.
#include "jrdb_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return tz::fuzz::FuzzJrdbReader(data, size, tz::jrdb::ReadPayouts);
}
