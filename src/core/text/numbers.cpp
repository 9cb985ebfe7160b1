#include "text/numbers.h"

#include <algorithm>
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
  std::size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
    negative = s[i] == '-';
    ++i;
  }
  const std::size_t start = i;
  while (i < s.size() && IsDigit(s[i])) ++i;
  std::size_t end = i;
  if (i < s.size() && s[i] == '.') {
    std::size_t j = i + 1;
    while (j < s.size() && IsDigit(s[j])) ++j;
    if (j > i + 1) end = j;  // a point without digits after it ends the number before it
  }
  if (end == start) return 0.0;
  // Short numbers (all odds texts): the digits make an integer below 2^53 and the fraction
  // digits a power of ten that is exact too, so one division gives the correctly rounded
  // value, the same double the full conversion finds.
  const std::size_t point = i;  // the point, or `end` when there is no fraction
  if (end - start <= kExactDigits + (end > point ? 1 : 0)) {
    std::uint64_t mantissa = 0;
    for (std::size_t k = start; k < end; ++k) {
      if (k != point) mantissa = mantissa * 10 + static_cast<std::uint64_t>(s[k] - '0');
    }
    const std::size_t decimals = end > point ? end - point - 1 : 0;
    const double v = static_cast<double>(mantissa) / kPowersOfTen[decimals];
    return negative ? -v : v;
  }
  // The digits are parsed in place, without the sign (from_chars takes no "+").
  double v = 0;
  const auto r = std::from_chars(s.data() + start, s.data() + end, v, std::chars_format::fixed);
  if (r.ec != std::errc()) {
    // Beyond the range of a double: strtod's answer (infinity, or 0 and the denormals).
    v = std::strtod(std::string(s.substr(start, end - start)).c_str(), nullptr);
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

}  // namespace

std::string FormatNumber(double v, std::string_view pattern) {
  if (!std::isfinite(v)) return "";
  std::size_t dot = pattern.find('.');
  std::string_view intPat = pattern.substr(0, dot);
  std::string_view fracPat = dot == std::string_view::npos ? "" : pattern.substr(dot + 1);
  std::size_t decimals = 0;
  for (char c : fracPat) {
    if (c == '0' || c == '#') ++decimals;
  }
  std::size_t minInt = 0;
  bool grouping = false;
  for (char c : intPat) {
    if (c == '0') ++minInt;
    if (c == ',') grouping = true;
  }
  const bool negative = std::signbit(v);

  // Rounds the shortest decimal text of |v| to `decimals` places, half away from zero: the
  // integer digits and the kept fraction digits, one after the other.
  char shortest[64];
  const std::string_view text = ShortestDecimalIn(std::fabs(v), shortest);
  const std::size_t point = std::min(text.find('.'), text.size());
  std::string_view intText = text.substr(0, point);
  const std::string_view fracText = point < text.size() ? text.substr(point + 1) : "";
  if (intText.empty()) intText = "0";
  const bool roundUp = fracText.size() > decimals && fracText[decimals] >= '5';
  std::string digits;
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
  std::string_view intPart = std::string_view(digits).substr(0, digits.size() - decimals);
  const std::string_view fracPart = std::string_view(digits).substr(digits.size() - decimals);
  // Leading zeros of the integer part are dropped; the pattern decides how many to show.
  intPart.remove_prefix(std::min(intPart.find_first_not_of('0'), intPart.size()));

  const std::size_t intDigits = std::max(intPart.size(), minInt);
  std::string out;
  out.reserve(1 + intDigits + intDigits / 3 + 1 + decimals);
  for (std::size_t i = 0; i < intDigits; ++i) {
    // Digit i from the left; the pattern's zeros fill in front of the integer part.
    const std::size_t fromRight = intDigits - i;
    if (grouping && intDigits > 3 && i > 0 && fromRight % 3 == 0) out.push_back(',');
    out.push_back(i < intDigits - intPart.size() ? '0' : intPart[i - (intDigits - intPart.size())]);
  }
  if (decimals > 0) out.append(".").append(fracPart);
  const bool allZero = out.find_first_of("123456789") == std::string::npos;
  if (negative && !allZero) out.insert(out.begin(), '-');
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
