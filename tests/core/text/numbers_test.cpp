#include "text/numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

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
