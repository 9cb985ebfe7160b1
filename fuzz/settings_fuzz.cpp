// A settings file (tz98.ini) of any content: read, described and written back.
#include "app/settings.h"
#include "fuzz_support.h"
#include "session.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto folder = tz::fuzz::ScratchFolder();
  tz::fuzz::Put(folder, "tz98.ini", std::string(reinterpret_cast<const char*>(data), size));
  tz::AppState state;
  state.StoreRoot = folder;
  tz::ReadSettings(state);
  tz::DescribeSettings(state);
  tz::WriteSettings(state);
  tz::AppState again;
  again.StoreRoot = folder;
  tz::ReadSettings(again);
  return 0;
}
