#include "text/numbers.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

#include "text/sjis.h"

namespace tz::text {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Up to 15 digits always fit below 2^53, where every integer is a double.
constexpr std::size_t kExactDigits = 15;
// Powers of ten that are exact doubles.
constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

}  // namespace

double Val(std::string_view s) {
  const char* p = s.data();
  const char* const last = p + s.size();
  while (p < last && (*p == ' ' || *p == '\t')) ++p;
  bool negative = false;
  if (p < last && (*p == '+' || *p == '-')) {
    negative = *p == '-';
    ++p;
  }
  // The digits are gathered as one integer on the way; it is used only when there are few
  // enough of them for it to be exact.
  const char* const start = p;
  std::uint64_t mantissa = 0;
  for (; p < last && IsDigit(*p); ++p) mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
  const char* end = p;
  std::size_t decimals = 0;
  if (p < last && *p == '.') {
    const char* q = p + 1;
    std::uint64_t withFraction = mantissa;
    for (; q < last && IsDigit(*q); ++q) {
      withFraction = withFraction * 10 + static_cast<unsigned>(*q - '0');
    }
    if (q > p + 1) {  // a point without digits after it ends the number before it
      end = q;
      decimals = static_cast<std::size_t>(q - p - 1);
      mantissa = withFraction;
    }
  }
  if (end == start) return 0.0;
  // Short numbers (all odds texts): the digits make an integer below 2^53 and the fraction
  // digits a power of ten that is exact too, so one division gives the correctly rounded
  // value, the same double the full conversion finds.
  const auto digits = static_cast<std::size_t>(end - start) - (decimals > 0 ? 1 : 0);
  if (digits <= kExactDigits) {
    const double v = static_cast<double>(mantissa) / kPowersOfTen[decimals];
    return negative ? -v : v;
  }
  // The digits are parsed in place, without the sign (from_chars takes no "+").
  double v = 0;
  const auto r = std::from_chars(start, end, v, std::chars_format::fixed);
  if (r.ec != std::errc()) {
    // Beyond the range of a double: strtod's answer (infinity, or 0 and the denormals).
    v = std::strtod(std::string(start, end).c_str(), nullptr);
  }
  return negative ? -v : v;
}

std::int64_t RoundHalfEven(double v) {
  if (!std::isfinite(v)) return 0;
  double r = std::nearbyint(v);  // default rounding mode: to nearest, ties to even
  if (r > 9.2e18) return INT64_MAX;
  if (r < -9.2e18) return INT64_MIN;
  return static_cast<std::int64_t>(r);
}

std::int64_t ValInt(std::string_view s) { return RoundHalfEven(Val(s)); }

std::int64_t WholeTextToInt(std::string_view s) {
  std::size_t b = 0;
  std::size_t e = s.size();
  while (b < e && s[b] == ' ') ++b;
  while (e > b && s[e - 1] == ' ') --e;
  std::string t(s.substr(b, e - b));
  if (t.empty()) return 0;
  char* end = nullptr;
  double v = std::strtod(t.c_str(), &end);
  if (end != t.c_str() + t.size()) return 0;
  return RoundHalfEven(v);
}

std::string ShortestDecimal(double v) {
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed);
  if (r.ec != std::errc()) return "0";
  return std::string(buf, r.ptr);
}

namespace {

// The shortest decimal text of v in a caller's buffer of 64 characters; "0" when it does not fit
// (as ShortestDecimal gives).
std::string_view ShortestDecimalIn(double v, char (&buf)[64]) {
  auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed);
  if (r.ec != std::errc()) return "0";
  return std::string_view(buf, static_cast<std::size_t>(r.ptr - buf));
}

// The digits of x >= 0 rounded to `decimals` places from its shortest decimal text: the
// integer digits (at least one) and the fraction digits, one after the other.
void RoundedDigitsOfText(double x, std::size_t decimals, std::string& digits) {
  char shortest[64];
  const std::string_view text = ShortestDecimalIn(x, shortest);
  const std::size_t point = std::min(text.find('.'), text.size());
  std::string_view intText = text.substr(0, point);
  const std::string_view fracText = point < text.size() ? text.substr(point + 1) : "";
  if (intText.empty()) intText = "0";
  const bool roundUp = fracText.size() > decimals && fracText[decimals] >= '5';
  digits.clear();
  digits.reserve(intText.size() + decimals + 1);
  digits.append(intText);
  digits.append(fracText.substr(0, std::min(decimals, fracText.size())));
  digits.append(decimals - std::min(decimals, fracText.size()), '0');
  if (roundUp) {
    std::size_t k = digits.size();
    while (k > 0 && digits[k - 1] == '9') digits[--k] = '0';
    if (k > 0) {
      ++digits[k - 1];
    } else {
      digits.insert(digits.begin(), '1');
    }
  }
}

// x times 10^decimals rounded half away from zero, found without making the text, where that is
// sure to give the same as rounding the shortest text: x times 10^decimals is exact as an integer
// times a power of two, and the two roundings differ only when the halfway point between the two
// candidates lies within half a unit in the last place of x (that text could then fall on either
// side; a whole unit is kept clear). False when this cannot tell.
bool RoundedDirectly(double x, std::size_t decimals, std::uint64_t& rounded) {
  static constexpr std::uint64_t kScale[] = {1, 10, 100};
  if (decimals > 2 || !(x < 1e15)) return false;
  // x (not negative) = mantissa / 2^shift, and a unit in its last place is 1 / 2^shift: the
  // distance to the next double up, as nextafter(x, +inf) finds it, also across a power of two.
  const auto bits = std::bit_cast<std::uint64_t>(x);
  const auto biasedExponent = static_cast<int>(bits >> 52);
  std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
  int shift = 1074;  // zero and the denormals
  if (biasedExponent != 0) {
    mantissa |= std::uint64_t{1} << 52;
    shift = 1075 - biasedExponent;  // at least 3 below 10^15
  }
  const std::uint64_t scaled = mantissa * kScale[decimals];  // below 2^60: exact
  if (shift > 62) {
    // Below 2^-2: the fraction is far below one half, which lies 2^61 units off.
    rounded = 0;
    return true;
  }
  const std::uint64_t whole = scaled >> shift;
  const std::uint64_t fraction = scaled & ((std::uint64_t{1} << shift) - 1);
  const std::uint64_t half = std::uint64_t{1} << (shift - 1);
  const std::uint64_t fromHalf = fraction > half ? fraction - half : half - fraction;
  // A unit in the last place of x, times 10^decimals, is kScale[decimals] in units of 2^-shift;
  // the halfway point must lie farther off than that (the text is within half of it).
  if (!(fromHalf > kScale[decimals])) return false;
  rounded = whole + (fraction > half ? 1u : 0u);
  return true;
}

// What a format pattern asks for.
struct NumberPattern {
  std::size_t decimals = 0;  // "0" and "#" after the point
  std::size_t minInt = 0;    // "0" before the point
  bool grouping = false;     // a "," before the point
};

NumberPattern ReadPattern(std::string_view pattern) {
  // The pattern of every share and 仮単, read without the loop.
  if (pattern.size() == 4 && pattern[0] == '#' && pattern[1] == '0' && pattern[2] == '.' &&
      pattern[3] == '0') {
    return {1, 1, false};
  }
  NumberPattern p;
  bool fraction = false;
  for (char c : pattern) {
    if (c == '.' && !fraction) {
      fraction = true;
    } else if (fraction) {
      if (c == '0' || c == '#') ++p.decimals;
    } else if (c == '0') {
      ++p.minInt;
    } else if (c == ',') {
      p.grouping = true;
    }
  }
  return p;
}

// The integer digits (at least minInt, leading zeros dropped otherwise), grouped in threes when
// asked and there are more than three, then the point and the fraction digits.
void AppendLaidOut(std::string& out, std::string_view intPart, std::string_view fracPart,
                   const NumberPattern& p) {
  const std::size_t intDigits = std::max(intPart.size(), p.minInt);
  for (std::size_t i = 0; i < intDigits; ++i) {
    // Digit i from the left; the pattern's zeros fill in front of the integer part.
    const std::size_t fromRight = intDigits - i;
    if (p.grouping && intDigits > 3 && i > 0 && fromRight % 3 == 0) out.push_back(',');
    out.push_back(i < intDigits - intPart.size() ? '0' : intPart[i - (intDigits - intPart.size())]);
  }
  if (p.decimals > 0) out.append(".").append(fracPart);
}

// The number laid out from the rounded integer, in a buffer of its own: false when the pattern
// wants more digits than the buffer holds.
bool FormatRounded(std::string& out, bool negative, std::uint64_t rounded, const NumberPattern& p) {
  // At most 17 digits of the value and 16 separators; the pattern's zeros may ask for more.
  constexpr std::size_t kMaxIntDigits = 24;
  if (p.minInt > kMaxIntDigits) return false;
  char buf[1 + kMaxIntDigits + kMaxIntDigits / 3 + 1 + 2];
  char* const end = buf + sizeof buf;
  char* at = end;
  std::uint64_t whole = rounded;
  for (std::size_t k = 0; k < p.decimals; ++k) {
    *--at = static_cast<char>('0' + whole % 10);
    whole /= 10;
  }
  if (p.decimals > 0) *--at = '.';
  char digits[20];
  std::size_t count = 0;
  for (; whole > 0; whole /= 10) digits[count++] = static_cast<char>('0' + whole % 10);
  const std::size_t intDigits = std::max(count, p.minInt);
  for (std::size_t k = 0; k < intDigits; ++k) {  // k digits from the right
    if (p.grouping && intDigits > 3 && k > 0 && k % 3 == 0) *--at = ',';
    *--at = k < count ? digits[k] : '0';
  }
  if (negative && rounded != 0) *--at = '-';
  out.clear();
  out.append(at, static_cast<std::size_t>(end - at));
  return true;
}

}  // namespace

void FormatNumberInto(std::string& out, double v, std::string_view pattern) {
  if (!std::isfinite(v)) {
    out.clear();
    return;
  }
  const NumberPattern p = ReadPattern(pattern);
  const bool negative = std::signbit(v);
  std::uint64_t rounded = 0;
  if (RoundedDirectly(std::fabs(v), p.decimals, rounded) && FormatRounded(out, negative, rounded, p)) {
    return;
  }

  // Rounds the shortest decimal text of |v| to `decimals` places, half away from zero: the
  // integer digits and the kept fraction digits, one after the other.
  std::string digits;
  RoundedDigitsOfText(std::fabs(v), p.decimals, digits);
  std::string_view intPart = std::string_view(digits).substr(0, digits.size() - p.decimals);
  const std::string_view fracPart = std::string_view(digits).substr(digits.size() - p.decimals);
  // Leading zeros of the integer part are dropped; the pattern decides how many to show.
  intPart.remove_prefix(std::min(intPart.find_first_not_of('0'), intPart.size()));
  out.clear();
  AppendLaidOut(out, intPart, fracPart, p);
  const bool allZero = out.find_first_of("123456789") == std::string::npos;
  if (negative && !allZero) out.insert(out.begin(), '-');
}

std::string FormatNumber(double v, std::string_view pattern) {
  std::string out;
  FormatNumberInto(out, v, pattern);
  return out;
}

std::string FormatText(std::string_view text, std::string_view pattern) {
  bool leftFill = !pattern.empty() && pattern.front() == '!';
  if (!pattern.empty() && pattern.back() == '!') leftFill = true;
  std::size_t width = 0;
  for (char c : pattern) {
    if (c == '@') ++width;
  }
  std::size_t n = CharCount(text);
  if (n >= width) return std::string(text);
  std::string pad(width - n, ' ');
  return leftFill ? std::string(text) + pad : pad + std::string(text);
}

}  // namespace tz::text
