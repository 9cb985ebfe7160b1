// Shift_JIS (code page 932, Windows-31J) conversion and character-position helpers.
//
// Inside the program text is UTF-8. PAT98's files and every file this program writes are
// code page 932. Decoding never fails: a byte sequence with no code-page-932 meaning becomes
// U+FFFD (one per offending byte). Encoding never fails either: a character that code page 932
// cannot represent is written as "?".
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tz::text {

// Code page 932 bytes -> UTF-8.
std::string DecodeSjis(std::string_view bytes);
// UTF-8 -> code page 932 bytes.
std::string EncodeSjis(std::string_view utf8);

// Number of characters (code points) of a UTF-8 text.
std::size_t CharCount(std::string_view utf8);
// Characters start..start+len-1 (1-based, counting code points) of a UTF-8 text; positions
// beyond the end are simply missing from the result, as with the classic Mid$.
std::string Mid(std::string_view utf8, std::size_t start, std::size_t len);
// Characters from start (1-based) to the end.
std::string Mid(std::string_view utf8, std::size_t start);
// First and last n characters.
std::string Left(std::string_view utf8, std::size_t n);
std::string Right(std::string_view utf8, std::size_t n);

// Bytes start..start+len-1 (1-based) of an undecoded text, clamped to what exists.
inline std::string_view MidB(std::string_view bytes, std::size_t start, std::size_t len) {
  if (start < 1) start = 1;
  if (start - 1 >= bytes.size()) return {};
  return bytes.substr(start - 1, len);
}
// The same bytes decoded from code page 932 on their own.
std::string FieldB(std::string_view bytes, std::size_t start, std::size_t len);

// Number of bytes the text takes in code page 932.
std::size_t SjisLength(std::string_view utf8);
// The text as a fixed-width field of exactly `width` bytes of code page 932: cut before the
// first character that does not fit whole, padded with blanks.
std::string FixedSjis(std::string_view utf8, std::size_t width);

// Code points <-> UTF-8.
std::u32string ToU32(std::string_view utf8);
// The code point that starts at byte `i` of a UTF-8 text, moving `i` past it; a malformed or
// cut sequence reads as U+FFFD and moves one byte on (i < utf8.size() on entry).
char32_t NextCodePoint(std::string_view utf8, std::size_t& i);
std::string ToU8(std::u32string_view text);
void AppendUtf8(std::string& out, char32_t c);

}  // namespace tz::text
