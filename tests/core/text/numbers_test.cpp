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
  const std::string alphabet = " \t+-.059x";
  std::string t;
  auto all = [&](auto&& self, std::size_t length) -> void {
    if (t.size() == length) {
      ExpectSameAsStrtod(t);
      return;
    }
    for (char c : alphabet) {
      t.push_back(c);
      self(self, length);
      t.pop_back();
    }
  };
  for (std::size_t length = 0; length <= 5; ++length) all(all, length);
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
