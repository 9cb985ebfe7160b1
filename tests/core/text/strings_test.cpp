#include "text/strings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/sjis.h"

namespace tz::text {
namespace {

TEST(Strings, TrimRemovesBlanksAndIdeographicSpaces) {
  EXPECT_EQ(Trim("　晴　"), "晴");
  EXPECT_EQ(Trim("  abc  "), "abc");
  EXPECT_EQ(Trim("　 　"), "");
  EXPECT_EQ(Trim("a　b"), "a　b");
  EXPECT_EQ(TrimRight("発走 "), "発走");
  EXPECT_EQ(TrimLeft("  x "), "x ");
}

TEST(Strings, FullWidthToHalfWidth) {
  struct {
    const char* in;
    const char* out;
  } cases[] = {
      {"ＡＢＣ１２３！～", "ABC123!~"},
      {"ガンバレ　ヴィクトリー", "ｶﾞﾝﾊﾞﾚ ｳﾞｨｸﾄﾘｰ"},
      {"パッション", "ﾊﾟｯｼｮﾝ"},
      {"。「」、・゛゜", "｡｢｣､･ﾞﾟ"},
      {"中山ひらがなヵヶヮヰヱ", "中山ひらがなヵヶヮヰヱ"},
      {"ヲン", "ｦﾝ"},
      {"already ｶﾅ", "already ｶﾅ"},
  };
  for (const auto& c : cases) EXPECT_EQ(ToHalfWidth(c.in), c.out) << c.in;
}

TEST(Strings, CaseInsensitiveComparisons) {
  EXPECT_TRUE(EqualsNoCase("uy-a.jra", "UY-A.JRA"));
  EXPECT_FALSE(EqualsNoCase("uy-a.jra", "UY-B.JRA"));
  EXPECT_TRUE(StartsWithNoCase("zo-1234", "ZO-"));
  EXPECT_FALSE(StartsWithNoCase("z", "ZO-"));
}

TEST(Strings, EveryLineEndBecomesCrLf) {
  struct {
    const char* in;
    const char* out;
  } cases[] = {
      {"a\r\nb", "a\r\nb"},        // kept, not doubled
      {"a\nb\rc", "a\r\nb\r\nc"},  // lone LF and lone CR
      {"a\n\r", "a\r\n\r\n"},      // LF CR is two line ends
      {"\r\r\n", "\r\n\r\n"},
      {"a\r", "a\r\n"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(WithCrLf(c.in), c.out) << c.in;
}

// Trimming and half-width conversion read a text as code points (a malformed byte as U+FFFD)
// and write the result back: the same as going through a text of code points.
std::u32string TrimU32(std::u32string u, bool leading, bool trailing) {
  auto blank = [](char32_t c) { return c == U' ' || c == U'\u3000'; };
  while (trailing && !u.empty() && blank(u.back())) u.pop_back();
  std::size_t i = 0;
  while (leading && i < u.size() && blank(u[i])) ++i;
  return u.substr(i);
}

TEST(Strings, TrimAndHalfWidthReadMalformedTextsAsCodePoints) {
  const std::vector<std::string> texts = {
      "\xFF", " \xFF ", "\xE3\x80", "\xE3\x80\x80\xE3\x80", "　\xC0\x80x　", "\x80　",
      "中\xE4\xB8", "\xF0\x9F\x98\x80　", "ア\xFFガ", "\xED\xA0\x80 ", "　ー\xFE　",
      "\xEF\xBF\xBD　", "\xE3\x80\x80\xE3\x80\x80", " a ", "",
      // Overlong forms of the blanks and of other characters, and code points beyond U+10FFFF.
      "\xC0\xA0x\xC0\xA0", "\xF0\x83\x80\x80中\xF0\x83\x80\x80", "\xE0\x80\xA0　",
      "　\xE0\x83\xBF", "\xF7\xBF\xBF\xBF　", "　\xF4\x90\x80\x80 ", "ｱｰ　\xE3\x80",
  };
  for (const std::string& t : texts) {
    const std::u32string u = ToU32(t);
    EXPECT_EQ(Trim(t), ToU8(TrimU32(u, true, true))) << testing::PrintToString(t);
    EXPECT_EQ(TrimLeft(t), ToU8(TrimU32(u, true, false))) << testing::PrintToString(t);
    EXPECT_EQ(TrimRight(t), ToU8(TrimU32(u, false, true))) << testing::PrintToString(t);
    // Malformed bytes come out as U+FFFD, the characters around them converted.
    EXPECT_EQ(ToHalfWidth(t), ToHalfWidth(ToU8(u))) << testing::PrintToString(t);
  }
  EXPECT_EQ(ToHalfWidth("ア\xFFガ"), "ｱ\xEF\xBF\xBDｶﾞ");
  EXPECT_EQ(Trim("　\xFF　"), "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace tz::text
