#include "text/numbers.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

#include "text/sjis.h"

namespace tz::text {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

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

// Rounds a plain decimal text "123.456" (no sign) to `decimals` places, half away from zero.
// Returns the integer digits and the fraction digits.
void RoundDecimalText(const std::string& text, int decimals, std::string& intPart,
                      std::string& fracPart) {
  std::size_t dot = text.find('.');
  intPart = dot == std::string::npos ? text : text.substr(0, dot);
  std::string frac = dot == std::string::npos ? "" : text.substr(dot + 1);
  if (intPart.empty()) intPart = "0";
  bool roundUp = static_cast<int>(frac.size()) > decimals && frac[decimals] >= '5';
  frac.resize(static_cast<std::size_t>(decimals), '0');
  std::string digits = intPart + frac;
  if (roundUp) {
    int k = static_cast<int>(digits.size()) - 1;
    while (k >= 0) {
      if (digits[k] == '9') {
        digits[k] = '0';
        --k;
      } else {
        ++digits[k];
        break;
      }
    }
    if (k < 0) digits.insert(digits.begin(), '1');
  }
  intPart = digits.substr(0, digits.size() - static_cast<std::size_t>(decimals));
  fracPart = digits.substr(digits.size() - static_cast<std::size_t>(decimals));
  // Drop leading zeros of the integer part; the pattern decides how many to show.
  std::size_t nz = intPart.find_first_not_of('0');
  intPart = nz == std::string::npos ? "" : intPart.substr(nz);
}

}  // namespace

std::string FormatNumber(double v, std::string_view pattern) {
  if (!std::isfinite(v)) return "";
  std::size_t dot = pattern.find('.');
  std::string_view intPat = pattern.substr(0, dot);
  std::string_view fracPat = dot == std::string_view::npos ? "" : pattern.substr(dot + 1);
  int decimals = 0;
  for (char c : fracPat) {
    if (c == '0' || c == '#') ++decimals;
  }
  int minInt = 0;
  bool grouping = false;
  for (char c : intPat) {
    if (c == '0') ++minInt;
    if (c == ',') grouping = true;
  }
  bool negative = std::signbit(v);
  std::string text = ShortestDecimal(std::fabs(v));
  std::string intPart;
  std::string fracPart;
  RoundDecimalText(text, decimals, intPart, fracPart);
  while (static_cast<int>(intPart.size()) < minInt) intPart.insert(intPart.begin(), '0');
  if (grouping && intPart.size() > 3) {
    std::string g;
    int n = 0;
    for (auto it = intPart.rbegin(); it != intPart.rend(); ++it) {
      if (n > 0 && n % 3 == 0) g.insert(g.begin(), ',');
      g.insert(g.begin(), *it);
      ++n;
    }
    intPart = g;
  }
  std::string out = intPart;
  if (decimals > 0) out += "." + fracPart;
  bool allZero = out.find_first_of("123456789") == std::string::npos;
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
