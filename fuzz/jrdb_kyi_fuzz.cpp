// Feeds arbitrary bytes to the JRDB horse reader (KYI): see jrdb_fuzz.h.
#include "jrdb_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return tz::fuzz::FuzzJrdbReader(data, size, tz::jrdb::ReadHorseEntries);
}
