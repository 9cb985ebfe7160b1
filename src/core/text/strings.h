// Small text helpers shared by readers and writers.
#pragma once

#include <string>
#include <string_view>

namespace tz::text {

// Removes leading and trailing ASCII blanks and ideographic spaces (U+3000).
std::string Trim(std::string_view s);

// Trim for a text of ASCII characters only (every odds and number text), on its bytes: the
// view loses its leading and trailing blanks and true is returned. A text with any other
// character is left as it is and gives false; Trim reads such a text as code points.
inline bool TrimAsciiView(std::string_view& s) {
  for (unsigned char c : s) {
    if (c >= 0x80) return false;
  }
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return true;
}
std::string TrimRight(std::string_view s);
std::string TrimLeft(std::string_view s);

// ASCII upper case; other characters unchanged.
std::string ToUpperAscii(std::string_view s);
bool EqualsNoCase(std::string_view a, std::string_view b);
bool StartsWithNoCase(std::string_view s, std::string_view prefix);

// Converts full-width characters to their half-width forms: U+FF01-FF5E to ASCII, the
// ideographic space to a blank, katakana (small ones included) to half-width katakana with
// voiced and semi-voiced marks as a second character (ガ -> ｶﾞ, ヴ -> ｳﾞ), "ー" to "ｰ" and
// 。「」、・゛゜ to ｡｢｣､･ﾞﾟ. Kanji, hiragana and ヵヶヮヰヱ stay as they are.
std::string ToHalfWidth(std::string_view utf8);

// The text with CR LF line ends: a lone CR or LF (as an editor may leave) becomes CR LF.
std::string WithCrLf(std::string_view text);

// The text repeated n times.
std::string Repeat(std::string_view s, std::size_t n);

}  // namespace tz::text
