// A check list (tzcheck.txt) of any content: parsed, written back and parsed again (the same
// entries), and shown in the window.
#include "fuzz_support.h"
#include "session.h"
#include "tools/check_list.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::vector<tz::CheckEntry> list{tz::CheckEntry{}};
  for (tz::CheckEntry& e : tz::ParseCheckList(bytes, 2)) list.push_back(std::move(e));
  const std::string written = tz::FormatCheckList(list);
  const std::vector<tz::CheckEntry> back = tz::ParseCheckList(written, 2);
  if (back.size() + 1 != list.size()) __builtin_trap();
  tz::Session s;
  s.app.CheckList = list;
  s.app.BoxColors = {255, 16711680};
  tz::OpenCheckListWindow(s.checkListWindow, s.app);
  return 0;
}
