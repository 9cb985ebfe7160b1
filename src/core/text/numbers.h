// Reading numbers out of texts and the fixed-layout format patterns.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tz::text {

// The numeric value of the longest leading part of `s` that reads as a decimal number:
// optional leading blanks, an optional sign, digits, an optional "." and digits. Anything
// else ends the number; a text with no number in front gives 0.
double Val(std::string_view s);

// Val taken to the nearest integer, a half going to the even neighbour (2.5 -> 2, 3.5 -> 4).
std::int64_t ValInt(std::string_view s);

// Rounds to the nearest integer, a half going to the even neighbour.
std::int64_t RoundHalfEven(double v);

// The value of an odds text: its leading decimal number; an empty text counts as 0.
inline double OddsValue(std::string_view s) { return Val(s); }

// A whole text converted to the nearest integer (used for colour and range values); a text
// that is not a number gives 0.
std::int64_t WholeTextToInt(std::string_view s);

// Formats a number with a pattern of "0" (digit, kept), "#" (digit, dropped when leading),
// "," (thousands separators) and "." (decimal point), as "0", "00", "#0.0", "###,##0".
// Rounding is half away from zero on the shortest decimal form of the value, so 2.25 gives
// "2.3" and 9.96 gives "10.0". A value that is not finite gives an empty text.
std::string FormatNumber(double v, std::string_view pattern);
// The same text written into `out`, in the buffer it already has.
void FormatNumberInto(std::string& out, double v, std::string_view pattern);

// Formats a text with a pattern of "@" positions: the text is right-aligned in a field of as
// many characters as there are "@", filled with blanks on the left; a pattern ending in "!"
// fills from the left instead. A longer text is never cut.
std::string FormatText(std::string_view text, std::string_view pattern);

// The shortest decimal text that reads back as the same double ("9600", "2020.5").
std::string ShortestDecimal(double v);

}  // namespace tz::text
