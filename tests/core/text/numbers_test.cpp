#include "text/numbers.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

namespace tz::text {
namespace {

TEST(Numbers, ValReadsTheLeadingDecimalNumber) {
  struct {
    const char* text;
    double value;
  } cases[] = {
      {"", 0},        {"  12.3", 12.3}, {"-4.5x", -4.5}, {"+7", 7},    {"12a34", 12},
      {"abc", 0},     {"1.2.3", 1.2},   {" 0.0", 0},     {"999.9", 999.9},
      {"3.", 3},      {".5", 0.5},      {"- 3", 0},      {"ﾄﾘｹｼ", 0},  {"  ", 0},
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(Val(c.text), c.value) << '"' << c.text << '"';
}

// The reading Val had before it parsed in place: the number's characters copied out and handed
// to strtod. The two must agree on every text, to the bit.
double CopiedStrtodVal(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
  std::string num;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) num.push_back(s[i++]);
  bool digits = false;
  while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
    num.push_back(s[i++]);
    digits = true;
  }
  if (i < s.size() && s[i] == '.') {
    std::size_t j = i + 1;
    std::string frac;
    while (j < s.size() && s[j] >= '0' && s[j] <= '9') frac.push_back(s[j++]);
    if (!frac.empty()) {
      num += '.' + frac;
      digits = true;
    }
  }
  return digits ? std::strtod(num.c_str(), nullptr) : 0.0;
}

void ExpectSameAsStrtod(const std::string& text) {
  const double expected = CopiedStrtodVal(text);
  const double got = Val(text);
  EXPECT_EQ(std::bit_cast<std::uint64_t>(got), std::bit_cast<std::uint64_t>(expected))
      << '"' << text << "\": " << got << " against " << expected;
}

// Calls check(t) for every text t of up to maxLength characters of the alphabet.
template <typename Check>
void ForEveryText(std::string_view alphabet, std::size_t maxLength, const Check& check) {
  std::string t;
  auto all = [&](auto&& self, std::size_t length) -> void {
    if (t.size() == length) {
      check(t);
      return;
    }
    for (char c : alphabet) {
      t.push_back(c);
      self(self, length);
      t.pop_back();
    }
  };
  for (std::size_t length = 0; length <= maxLength; ++length) all(all, length);
}

TEST(Numbers, ValAgreesWithStrtodOnOddTexts) {
  const std::vector<std::string> odd = {
      "", " ", "\t", "  12.3", "\t 7.5", " \t-3", "+", "-", "+.", "-.", ".", "..5", "-.5", "+.5",
      "5.", "5..", "1.2.3", "9999.9", "999.9", "  0.0", "   0.0", "-0", "-0.0", "+0", "00012.50",
      "1e5", "1E-2", "0x1A", "inf", "-inf", "nan", "infinity", "12,5", "１２", "ﾄﾘｹｼ", " ﾄﾘｹｼ",
      "--1", "+-1", "- 1", "1 2", "12\n", "\n12", "3.14159265358979323846264338327950288",
      "9007199254740993", "9007199254740992.5", "0.1", "0.30000000000000004",
      "2.2250738585072011e-308", "179769313486231570" + std::string(291, '0'),
      "1" + std::string(400, '0'), "0." + std::string(400, '0') + "1",
      "0." + std::string(320, '0') + "49406564584124654", std::string(60, '9') + ".5",
  };
  for (const std::string& t : odd) ExpectSameAsStrtod(t);

  // Every text of up to five characters over the characters that matter to the reading.
  ForEveryText(" \t+-.059x", 5, [](const std::string& t) { ExpectSameAsStrtod(t); });

  // Numbers of 1 to 19 digits with the point at every place, around the length up to which
  // the digits are read as one exact integer: all nines, a one and zeros, and mixed digits.
  std::uint64_t seed = 12345;
  for (std::size_t digits = 1; digits <= 19; ++digits) {
    std::string mixed;
    for (std::size_t k = 0; k < digits; ++k) {
      seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
      mixed.push_back(static_cast<char>('0' + (seed >> 33) % 10));
    }
    for (const std::string& d : {std::string(digits, '9'), "1" + std::string(digits - 1, '0'), mixed}) {
      for (std::size_t point = 0; point <= digits; ++point) {
        const std::string number = d.substr(0, point) + "." + d.substr(point);
        ExpectSameAsStrtod(number);
        ExpectSameAsStrtod("-" + number);
        ExpectSameAsStrtod(" " + number + "x");
      }
    }
  }
}

// The inline reading of short texts must give Val's double, to the bit, on every text it takes:
// the file form it reads by position and everything that only looks like it.
TEST(Numbers, ShortValAgreesWithVal) {
  const auto expectSame = [](std::string_view text) {
    const double expected = Val(text);
    const double got = ShortVal(text);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(got), std::bit_cast<std::uint64_t>(expected))
        << '"' << text << "\": " << got << " against " << expected;
  };
  const std::vector<std::string> odd = {
      "", " ", "\t", "  12.3", "9999.9", "999.9", "  0.0", "   0.0", "     ", "      ", ".5", "5.",
      "  .5", " 5.", "1.2.3", "12.3.4", "1 2.3", " 1 .3", "  1.23", "99999999", "9999.999", "1234567.",
      ".9999999", "-9999999", "+1234.56", "-0", "-0.0", "+0.0", "-", "+", ".", "-.", "+.5", "--1.5",
      "\t 7.5", " \t12.3", "\t\t1.0", "12.3\t", "12.3 ", "1.2 ", " -2.5", "- 2.5", "x12.3", "12x.3",
      "12.x", "1e5", "0x1A", "inf", "nan", "１.２", " \xc4\xd8\xb9\xbc", "\xb0\xb1.5", "1\x80.5",
      "12.\xff", std::string("1\0.5", 4), std::string(" \0 1.5", 6), "00012.5", "0000.0", "/0.0",
      ":0.0", "  9/.5", "  9:.5",
  };
  for (const std::string& t : odd) {
    ASSERT_LE(t.size(), kShortNumberChars) << t;
    expectSame(t);
  }

  // Every text of up to five characters over the characters that matter to either reading, and
  // random texts of six to eight, most of them near the file form.
  ForEveryText(" \t+-.09/:x\x80", 5, expectSame);
  const std::string nearForm = "   1234567890..-+\tx";
  std::uint64_t seed = 98765;
  for (int k = 0; k < 200000; ++k) {
    seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
    const std::size_t length = 6 + (seed >> 40) % 3;
    std::string r;
    for (std::size_t i = 0; i < length; ++i) {
      seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
      r.push_back(nearForm[(seed >> 33) % nearForm.size()]);
    }
    // Half of them end as the files' fields do, in a point and a digit.
    if (k % 2 == 0) r.replace(length - 2, 2, std::string(".") + static_cast<char>('0' + k % 10));
    expectSame(r);
  }
}

// The formatting FormatNumber had before it worked in one buffer: the shortest decimal text
// rounded through strings. The two must give the same text for every value and pattern.
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

std::string TextBuiltFormat(double v, std::string_view pattern) {
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

TEST(Numbers, FormatNumberAgreesWithTheTextBuiltFormatting) {
  // Besides the patterns in use: more zeros in front than the laid-out buffer holds, a second
  // point, grouping with decimals.
  const char* patterns[] = {"0",     "00",      "#0.0",   "###,##0", "#.0",
                            "0.00",  "#,##0.0", "000",    "#,##0.00", "#0.0.0",
                            "000,000,000,000,000,000,000,000", "0000000000000000000000000.00"};
  std::vector<double> values = {0.0, -0.0, 0.05, 0.04999, 2.25, -2.25, 9.95, 9.96, 99.95, 999.95,
                                1e15, 123456789.5, 1e63, 1e64, 1e300, -1e-300, 5e-324,
                                std::numeric_limits<double>::max()};
  for (int i = 0; i < 20000; ++i) values.push_back((i - 10000) * 0.05);
  for (int i = 1; i < 2000; ++i) values.push_back(80.0 / (i * 0.37));
  // Around the halfway points of one and two decimals, and of whole numbers: the values a few
  // units in the last place either side, where the shortest text decides the rounding.
  for (int k = 0; k < 1000; ++k) {
    for (double halfway : {(k + 0.5) / 10.0, (k + 0.5) / 100.0, k + 0.5, (k + 0.5) * 1e9}) {
      double below = halfway;
      double above = halfway;
      for (int step = 0; step < 4; ++step) {
        values.push_back(below);
        values.push_back(above);
        below = std::nextafter(below, 0.0);
        above = std::nextafter(above, 1e300);
      }
    }
  }
  // Powers of two and their neighbours, where a unit in the last place changes size, down to the
  // smallest normal number and the denormals below it.
  for (int k = -1074; k <= 50; ++k) {
    const double power = std::ldexp(1.0, k);
    for (double v : {power, std::nextafter(power, 0.0), std::nextafter(power, 1e300), power * 10,
                     power * 100 + 0.5}) {
      values.push_back(v);
    }
  }
  for (double big : {9.999999999999999e14, 1e15, 4503599627370495.5, 4503599627370497.0}) {
    values.push_back(big);
    values.push_back(std::nextafter(big, 0.0));
  }
  // The text written in place is the same, whatever the string held before.
  std::string reused = "a longer text left over from before";
  for (double v : values) {
    for (const char* p : patterns) {
      const std::string expected = TextBuiltFormat(v, p);
      EXPECT_EQ(FormatNumber(v, p), expected) << v << " " << p;
      FormatNumberInto(reused, v, p);
      EXPECT_EQ(reused, expected) << v << " " << p;
    }
  }
}

TEST(Numbers, ValIntRoundsHalfToEven) {
  struct {
    const char* text;
    std::int64_t value;
  } cases[] = {{"2.5", 2}, {"3.5", 4}, {"-2.5", -2}, {"2.51", 3}, {"9", 9}, {"x", 0}, {"0.5", 0}, {"1.5", 2}};
  for (const auto& c : cases) EXPECT_EQ(ValInt(c.text), c.value) << c.text;
}

TEST(Numbers, FormatPatterns) {
  struct {
    double value;
    const char* pattern;
    const char* text;
  } cases[] = {
      {2.25, "#0.0", "2.3"},        {9.96, "#0.0", "10.0"},     {0.04, "#0.0", "0.0"},
      {0.05, "#0.0", "0.1"},        {123.45, "#0.0", "123.5"},  {-2.25, "#0.0", "-2.3"},
      {7.0, "#0.0", "7.0"},         {1.15, "#0.0", "1.2"},      {1234567, "###,##0", "1,234,567"},
      {999, "###,##0", "999"},      {0, "###,##0", "0"},        {1500.5, "###,##0", "1,501"},
      {-1200, "###,##0", "-1,200"}, {5, "00", "05"},            {12, "0", "12"},
      {3, "000", "003"},            {2.5, "0", "3"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatNumber(c.value, c.pattern), c.text) << c.value << " " << c.pattern;
  }
  EXPECT_EQ(FormatNumber(std::numeric_limits<double>::infinity(), "#0.0"), "");
  EXPECT_EQ(FormatNumber(std::nan(""), "#0.0"), "");
}

TEST(Numbers, TextPatternsPadButNeverCut) {
  EXPECT_EQ(FormatText("12.3", "@@@@@"), " 12.3");
  EXPECT_EQ(FormatText("123456", "@@@@@"), "123456");
  EXPECT_EQ(FormatText("ab", "@@@@!"), "ab  ");
  EXPECT_EQ(FormatText("中山", "@@@@"), "  中山");
  EXPECT_EQ(FormatText("", "@@"), "  ");
}

TEST(Numbers, WholeTextAndShortestDecimal) {
  EXPECT_EQ(WholeTextToInt(" 16711680 "), 16711680);
  EXPECT_EQ(WholeTextToInt("255x"), 0);
  EXPECT_EQ(WholeTextToInt("2.5"), 2);
  EXPECT_EQ(ShortestDecimal(9600), "9600");
  EXPECT_EQ(ShortestDecimal(2020.5), "2020.5");
}

}  // namespace
}  // namespace tz::text
