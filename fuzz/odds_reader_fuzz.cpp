// Odds and quinella files of any content: the readers must stay inside what they were given.
#include "fuzz_support.h"
#include "pat98/odds_reader.h"
#include "session.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto folder = tz::fuzz::ScratchFolder();
  auto parts = tz::fuzz::Split(data, size, 2);
  tz::fuzz::Put(folder, "ZO-521.JRA", parts[0]);
  tz::fuzz::Put(folder, "UO-521.JRA", parts[1]);
  tz::Session s;
  s.app.DataFolder = folder;
  s.race.GuideDate = parts[0].substr(0, 8);
  s.race.OddsFilePath[0] = (folder / "ZO-521.JRA").string();
  s.race.OddsFilePath[1] = (folder / "UO-521.JRA").string();
  tz::fuzz::QuietPort port;
  if (tz::ReadRaceOdds(s.race, s.app, s.folders, port) == 0) {
    tz::ReadQuinellaFile(s.race, s.folders);
    tz::QuinellaFromBracketTable(s.race);
    tz::QuinellaFromBracketRepresentatives(s.race);
  }
  return 0;
}
