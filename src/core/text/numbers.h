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

// The texts ShortVal reads: at most eight characters, so at most eight digits.
inline constexpr std::size_t kShortNumberChars = 8;

// Val of a text of at most kShortNumberChars characters (an odds field), read inline. The digits
// make an integer below 10^8 and the decimals a power of ten up to 10^7, both exact doubles, so
// one division gives the correctly rounded value: the same double as Val, to the bit.
inline double ShortVal(std::string_view s) {
  static constexpr double kTen[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7};
  const auto digitOf = [](char c) { return static_cast<unsigned>(static_cast<unsigned char>(c)) - '0'; };
  const std::size_t n = s.size();
  // The form every odds field of the files has, blanks, digits, a point and one digit ("  12.3"),
  // read by position: the point and the last digit first, then the blanks and digits before them.
  if (n >= 3 && s[n - 2] == '.' && digitOf(s[n - 1]) <= 9) {
    std::size_t i = 0;
    while (i < n - 2 && s[i] == ' ') ++i;
    std::uint32_t mantissa = 0;
    bool plain = i < n - 2;  // a digit before the point
    for (; plain && i < n - 2; ++i) {
      plain = digitOf(s[i]) <= 9;
      mantissa = mantissa * 10 + digitOf(s[i]);
    }
    if (plain) return static_cast<double>(mantissa * 10 + digitOf(s[n - 1])) / 10.0;
  }
  // Any other text: blanks or tabs, a sign, digits, and a point only with a digit after it.
  const char* p = s.data();
  const char* const end = p + n;
  while (p != end && (*p == ' ' || *p == '\t')) ++p;
  bool negative = false;
  if (p != end && (*p == '+' || *p == '-')) {
    negative = *p == '-';
    ++p;
  }
  const char* const start = p;
  std::uint32_t mantissa = 0;
  for (; p != end && digitOf(*p) <= 9; ++p) mantissa = mantissa * 10 + digitOf(*p);
  std::size_t decimals = 0;
  if (end - p >= 2 && *p == '.' && digitOf(p[1]) <= 9) {
    const char* const point = p++;
    for (; p != end && digitOf(*p) <= 9; ++p) mantissa = mantissa * 10 + digitOf(*p);
    decimals = static_cast<std::size_t>(p - point - 1);
  } else if (p == start) {
    return 0.0;  // no number in front
  }
  const double v = static_cast<double>(mantissa) / kTen[decimals];
  return negative ? -v : v;
}

// The value of an odds text: its leading decimal number; an empty text counts as 0.
inline double OddsValue(std::string_view s) {
  return s.size() <= kShortNumberChars ? ShortVal(s) : Val(s);
}

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
