// A JRDB base-odds file (OZyymmdd.TXT) of any content, read for the selected race.
#include "jrdb/jrdb_base_odds.h"
#include "fuzz_support.h"
#include "session.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto folder = tz::fuzz::ScratchFolder();
  tz::fuzz::Put(folder, "OZ021020.TXT", std::string(reinterpret_cast<const char*>(data), size));
  tz::Session s;
  s.app.settings.OZpath = folder.string();
  s.race.GuideDate = "20021020";
  s.race.CurrentMeeting = 1;
  s.race.MeetingCount = 1;
  s.race.MeetingInfo[1] = tz::MeetingRecord{5, 4, 2, 2002};
  s.race.CurrentCourse = 5;
  s.race.CurrentRace = 11;
  tz::LoadJrdbBaseOdds(s);
  return 0;
}
