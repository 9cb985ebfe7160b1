// Guides, meeting guide and odds files of any content: the day load must never fail.
#include "fuzz_support.h"
#include "pat98/day_loader.h"
#include "session.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto folder = tz::fuzz::ScratchFolder();
  auto parts = tz::fuzz::Split(data, size, 6);
  tz::fuzz::Put(folder, "UY-A.JRA", parts[0]);
  if (!parts[1].empty()) tz::fuzz::Put(folder, "UY-B.JRA", parts[1]);
  if (!parts[2].empty()) tz::fuzz::Put(folder, "UY-D.JRA", parts[2]);
  tz::fuzz::Put(folder, "KA-ANNAI.JRA", parts[3]);
  tz::fuzz::Put(folder, "ZO-521.JRA", parts[4]);
  tz::fuzz::Put(folder, "ZO-5B3.JRA", parts[5]);
  tz::Session s;
  s.app.Pat98Folder = folder;
  s.app.DataFolder = folder;
  tz::fuzz::QuietPort port;
  tz::LoadCurrentData(s, port);
  for (int m = 1; m <= s.race.MeetingCount; ++m) {
    s.race.CurrentMeeting = m;
    tz::RefreshDayView(s.race, s.dayView, s.app, s.folders);
  }
  return 0;
}
