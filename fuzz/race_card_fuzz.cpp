// Feeds arbitrary bytes to the race-card reader and builds the prediction rows from what it
// kept, for every selection kind: nothing may crash or read out of bounds.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "results/race_card.h"
#include "session.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  tz::Session s;
  s.race.HorseCount = 18;
  for (int p = 1; p <= 18; ++p) {
    s.race.HorseOrder[static_cast<std::size_t>(p)] = 19 - p;
    s.race.HorseBracket[static_cast<std::size_t>(p)] = (p + 1) / 2 > 8 ? 8 : (p + 1) / 2;
  }
  s.app.CheckList.push_back(tz::CheckEntry{7, "ﾃｽﾄ"});
  for (int kind = 1; kind <= 2; ++kind) {
    s.race.CurrentDayKind = kind;
    tz::ReadRaceCardBytes(s.race, bytes);
    tz::RaceCardRows rows = tz::BuildRaceCardRows(s.race, s.app);
    if (rows.rows.size() != 18) __builtin_trap();
    tz::DistanceCaption(s.race);
    tz::PostTimeCaption(s.race.StartTimeText);
  }
  return 0;
}
