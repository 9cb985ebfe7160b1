#include "app/countdown.h"

#include <fmt/format.h>

#include "text/numbers.h"
#include "text/sjis.h"

namespace tz {

namespace {

constexpr Colour kDarkGrey = 4210752;
constexpr Colour kYellow = 65535;
constexpr Colour kRed = 255;
constexpr Colour kWhite = 0xFFFFFF;
constexpr Colour kBlack = 0;

std::string TrimTrailingBlanks(std::string s) {
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

}  // namespace

TimeLabelState UpdateCountdown(const TimeLabelState& label, const std::string& guideDate,
                               const std::string& startTimeText,
                               const std::string& startTimeCaption, const ClockReading& now) {
  TimeLabelState out = label;
  if (startTimeText.empty()) return out;
  out.Visible = true;

  // The guide date as a number yyyymmdd compares like the calendar.
  long guide = static_cast<long>(text::Val(text::Left(guideDate, 8)));
  long today = now.Year * 10000L + now.Month * 100L + now.Day;
  if (guide < today) {
    out.ToolTip = "レース終了";
    out.Back = kDarkGrey;
    out.Fore = kWhite;
    return out;
  }

  int postHour = static_cast<int>(text::Val(text::Mid(startTimeText, 1, 2)));
  int postMinute = static_cast<int>(text::Val(text::Mid(startTimeText, 3, 2)));
  long d = (postHour * 3600L + postMinute * 60L) -
           (now.Hour * 3600L + now.Minute * 60L + now.Second);
  if (d > 0) {
    long hours = d / 3600;
    long minutes = (d % 3600) / 60;
    out.ToolTip = "あと ";
    if (hours > 0) out.ToolTip += fmt::format("{}時間", hours);
    out.ToolTip += fmt::format("{}分", minutes);
    if (hours == 0 && minutes < 10) {
      out.Back = kYellow;
      out.Fore = kBlack;
    }
  } else {
    out.Caption = TrimTrailingBlanks(startTimeCaption);
    out.ToolTip = "締め切り";
    out.Back = kRed;
    out.Fore = kWhite;
  }
  return out;
}

}  // namespace tz
