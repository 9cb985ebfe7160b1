#include "text/strings.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace tz::text
