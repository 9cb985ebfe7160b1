#include "text/sjis.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <string>
#include <vector>

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

// The decoding through iconv: the whole text converted in one go, each byte iconv refuses (or a
// sequence cut off at the end) written as U+FFFD and stepped over.
std::string DecodeThroughIconv(std::string_view in) {
  iconv_t cd = iconv_open("UTF-8", "CP932");
  std::string out;
  char* inp = const_cast<char*>(in.data());
  std::size_t inleft = in.size();
  while (inleft > 0) {
    char buf[256];
    char* outp = buf;
    std::size_t outleft = sizeof buf;
    const std::size_t r = iconv(cd, &inp, &inleft, &outp, &outleft);
    out.append(buf, static_cast<std::size_t>(outp - buf));
    if (r == static_cast<std::size_t>(-1) && errno != E2BIG) {
      out.append("\xEF\xBF\xBD");
      ++inp;
      --inleft;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  iconv_close(cd);
  return out;
}

TEST(Sjis, DecodesEveryByteAndPairAsIconvDoes) {
  auto expectSame = [](const std::string& bytes) {
    EXPECT_EQ(DecodeSjis(bytes), DecodeThroughIconv(bytes)) << testing::PrintToString(bytes);
  };
  // Every byte alone and after a character, every pair of bytes (lead bytes with every trail
  // byte, unused pairs, a lead byte before another lead byte), and each pair cut off at the end.
  for (int a = 0; a < 256; ++a) {
    const char lead = static_cast<char>(a);
    expectSame(std::string(1, lead));
    expectSame("\x82\xA0" + std::string(1, lead));
    for (int b = 0; b < 256; ++b) {
      const std::string pair{lead, static_cast<char>(b)};
      expectSame(pair);
      expectSame("A" + pair + "\x82");
    }
  }
  // Longer texts of bytes drawn from the ranges that matter: ASCII, half-width katakana, lead
  // and trail bytes of both rows, and the bytes with no meaning.
  const std::string pool =
      "A ~\\\x7F\x80\x81\x82\x9F\xA0\xA1\xDF\xE0\xEA\xED\xEE\xF0\xF9\xFA\xFC\xFD\xFF\x40\x7E\x9E";
  std::uint64_t seed = 7;
  for (int n = 0; n < 20000; ++n) {
    std::string bytes;
    const int length = 1 + n % 9;
    for (int k = 0; k < length; ++k) {
      seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
      bytes.push_back(pool[(seed >> 33) % pool.size()]);
    }
    expectSame(bytes);
  }
}

}  // namespace
}  // namespace tz::text
