#include "text/sjis.h"

#include <gtest/gtest.h>

namespace tz::text {
namespace {

struct RoundTrip {
  const char* utf8;
  const char* sjis;
};

TEST(Sjis, RoundTripsCodePage932Characters) {
  const RoundTrip cases[] = {
      {"ABC 123", "ABC 123"},
      {"中山", "\x92\x86\x8E\x52"},
      {"ｶﾞｰ", "\xB6\xDE\xB0"},      // half-width katakana are single bytes
      {"①", "\x87\x40"},             // NEC special row
      {"～", "\x81\x60"},            // Windows-31J maps 0x8160 to the full-width tilde
      {"ﾄﾘｹｼ", "\xC4\xD8\xB9\xBC"},
      {"髙", "\xFB\xFC"},            // IBM extension
      {"疾風組　Ver0.02β", "\x8E\xBE\x95\x97\x91\x67\x81\x40Ver0.02\x83\xC0"},
  };
  for (const RoundTrip& c : cases) {
    EXPECT_EQ(EncodeSjis(c.utf8), c.sjis) << c.utf8;
    EXPECT_EQ(DecodeSjis(c.sjis), c.utf8) << c.utf8;
  }
}

TEST(Sjis, MalformedBytesDecodeToReplacementCharacters) {
  // A lead byte at the end, a lead byte with an invalid trail byte, and an unused byte.
  EXPECT_EQ(DecodeSjis("A\x82"), "A\xEF\xBF\xBD");
  EXPECT_EQ(DecodeSjis("\x82\x20X"), "\xEF\xBF\xBD X");
  EXPECT_EQ(DecodeSjis("\xFF"), "\xEF\xBF\xBD");
  // The rest of the text survives.
  EXPECT_EQ(DecodeSjis("\x92\x86\xFF\x8E\x52"), "中\xEF\xBF\xBD山");
}

TEST(Sjis, UnmappableCharactersEncodeAsQuestionMark) {
  EXPECT_EQ(EncodeSjis("a😀b"), "a?b");
  EXPECT_EQ(EncodeSjis("中\xFF山"), "\x92\x86?\x8E\x52");  // broken UTF-8
}

TEST(Sjis, CharacterAndBytePositions) {
  std::string s = "20020908中山ABC";
  EXPECT_EQ(CharCount(s), 13u);
  EXPECT_EQ(Mid(s, 9, 2), "中山");
  EXPECT_EQ(Mid(s, 11), "ABC");
  EXPECT_EQ(Mid(s, 12, 10), "BC");
  EXPECT_EQ(Mid(s, 40, 2), "");
  EXPECT_EQ(Left(s, 2), "20");
  EXPECT_EQ(Right(s, 4), "山ABC");

  std::string bytes = EncodeSjis(s);
  EXPECT_EQ(MidB(bytes, 9, 4), "\x92\x86\x8E\x52");
  EXPECT_EQ(FieldB(bytes, 9, 4), "中山");
  EXPECT_EQ(MidB(bytes, 100, 4), "");
  EXPECT_EQ(FieldB(bytes, 10, 2), "\xEF\xBF\xBD\xEF\xBF\xBD");  // half a character each side
  EXPECT_EQ(SjisLength("中山ABC"), 7u);
}

TEST(Sjis, FixedFieldsCutAtCharacterBoundariesAndPad) {
  struct Case {
    const char* text;
    std::size_t width;
    const char* bytes;
  };
  const Case cases[] = {
      {"中山", 4, "\x92\x86\x8E\x52"},
      {"中山", 6, "\x92\x86\x8E\x52  "},
      {"中山", 3, "\x92\x86 "},  // the second kanji does not fit whole
      {"Aﾀﾞ", 4, "A\xC0\xDE "},  // half-width katakana take one byte each
      {"", 2, "  "},
  };
  for (const Case& c : cases) EXPECT_EQ(FixedSjis(c.text, c.width), c.bytes) << c.text;
}

}  // namespace
}  // namespace tz::text
