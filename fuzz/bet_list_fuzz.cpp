// A bet-list text of any content (the user may edit the bet window's text): parsed, spread by
// every allocation mode and checked for sending (the confirmation is declined).
#include "betting/bet_list.h"
#include "fuzz_support.h"
#include "session.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  tz::ParseBetList(text);
  for (int mode : {tz::kAllocateEqualAmount, tz::kAllocateEqualProfit, tz::kAllocateTargetProfit}) {
    for (std::int32_t amount : {100, 1000000, 2000000000}) tz::AllocateText(text, mode, amount);
  }
  auto folder = tz::fuzz::ScratchFolder();
  tz::Session s;
  s.app.BetFolder = folder;
  s.betWindow.Text = std::string(text);
  s.betWindow.GuideDate = "20021020";
  s.betWindow.SendEnabled = true;
  tz::fuzz::QuietPort port;
  tz::SendBetList(s, port);
  return 0;
}
