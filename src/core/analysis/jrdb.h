// JRDB base odds of the selected race: the base win (基単) and base place (基複) odds per
// horse, read from the JRDB folder's OZyymmdd.TXT file when the user keeps them.
#pragma once

#include <array>
#include <string>

namespace tz {

struct JrdbBaseOdds {
  int JrdbLoaded = 0;  // -1 when base odds were found for the current race, else 0
  // Cells 0..17 for horses 1..18; empty when absent or quoted as "999.9".
  std::array<std::string, 18> JrdbWinBase{};
  std::array<std::string, 18> JrdbPlaceBase{};
};

}  // namespace tz
