// The post-time countdown of the main window's time label: once a second the label says how
// long until the post time of the selected race, turns yellow in the last ten minutes, shows
// the post-time caption in red once the post time has passed, and turns dark grey for a day
// that is already over.
#pragma once

#include <string>

#include "app/app_state.h"

namespace tz {

// What the time label shows.
struct TimeLabelState {
  bool Visible = false;
  std::string Caption;
  std::string ToolTip;
  Colour Back = 0x800000;    // navy
  Colour Fore = 0xFFFFFF;    // white
};

// A calendar day and a time of day, as the clock reports them.
struct ClockReading {
  int Year = 0, Month = 0, Day = 0;
  int Hour = 0, Minute = 0, Second = 0;
};

// One tick of the countdown. guideDate is the loaded day's "yyyymmdd"; startTimeText the post
// time "hhmm" (empty: no race card, the label is left as it is); startTimeCaption the caption
// shown after the post time. Returns the label's new state, starting from `label`.
TimeLabelState UpdateCountdown(const TimeLabelState& label, const std::string& guideDate,
                               const std::string& startTimeText,
                               const std::string& startTimeCaption, const ClockReading& now);

}  // namespace tz
