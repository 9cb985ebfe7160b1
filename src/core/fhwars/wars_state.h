// State shared by the forum odds and results conversions.
#pragma once

namespace tz {

struct WarsState {
  // Nonzero when a converted file may replace a file of the same name; set by each run.
  float WarsOverwrite = 0;
};

}  // namespace tz
