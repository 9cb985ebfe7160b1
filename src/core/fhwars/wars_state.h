// State shared by the forum odds and results conversions.
#pragma once

namespace tz {

struct WarsState {
  // Whether a converted file may replace a file of the same name; set by each run from the
  // dialog's overwrite box.
  bool WarsOverwrite = false;
};

}  // namespace tz
