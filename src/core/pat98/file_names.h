// Names of the files PAT98 leaves in its folder. A race's files code the racecourse, the day of
// the meeting and the race in one character each ("1".."9", then "A", "B", "C"); the results
// and payout files write the racecourse and race as upper-case hexadecimal digits and the year
// digit, meeting number (回) and day (日) in decimal. Every reader and writer of these files
// takes its names from here; readers match them without regard to letter case.
#pragma once

#include <string>
#include <string_view>

namespace tz {

// The value of a code character: "1".."9" -> 1..9, "A"/"a" -> 10, "B"/"b" -> 11, "C"/"c" -> 12,
// anything else 0.
int CodeCharValue(char c);
int CodeCharValue(std::string_view s);  // first character; empty gives 0

// The code character of a value: 1..9 -> "1".."9", 10 -> "A", 11 -> "B", 12 -> "C"; anything
// else "0".
char FileCodeChar(int value);

// Prefixes of a race's files.
inline constexpr std::string_view kOddsFilePrefix = "ZO-";      // win, place, bracket quinella
inline constexpr std::string_view kQuinellaFilePrefix = "UO-";  // quinella and wide
inline constexpr std::string_view kRaceCardFilePrefix = "DE-";  // race card

// prefix + racecourse + day of the meeting + race, one code character each, + ".JRA":
// ZO-65B.JRA is race 11 of day 5 at 中山 (6).
std::string RaceFileName(std::string_view prefix, int course, int dayOfMeeting, int race);
// The race card: DE-58B.JRA for racecourse 5, day 8, race 11.
std::string RaceCardFileName(int course, int dayOfMeeting, int race);

// The results file of one race: "KS-" + racecourse (hex) + year digit + 回 + 日 (decimal) + race
// (hex) + ".JRA"; racecourse 5, year 2003, 回 2, 日 8, race 11 gives KS-5328B.JRA. Negative
// numbers are written as 0.
std::string ResultsFileName(int course, int yearDigit, int kai, int day, int race);
// A per-day payout file: prefix ("TH-" win, "FH-" place, "WH-" bracket quinella, "UH-"
// quinella, "KH-" wide) + racecourse (hex) + year digit + 回 + 日 + ".JRA".
std::string PayoutFileName(std::string_view prefix, int course, int yearDigit, int kai, int day);

// The betting guides: 1..3 the day guides UY-A..UY-C.JRA of meetings 1..3, 4..6 the
// advance-sale guides UY-D..UY-F.JRA of the same meetings; empty for another number.
std::string BettingGuideFileName(int guideFile);
// The meeting guide with weather and going.
inline constexpr std::string_view kMeetingGuideFileName = "KA-ANNAI.JRA";

}  // namespace tz
