// Writing the short texts of panel cells and tool tips into the strings that hold them, so that
// a cell keeps its buffer from race to race and no temporary text is made per cell.
#pragma once

#include <charconv>
#include <string>
#include <string_view>

#include "text/strings.h"

namespace tz::cell_text {

// Room for the digits and sign of any int.
using DigitBuffer = char[12];

// The decimal digits of v as std::to_string writes them, in `buf`.
inline std::string_view DigitsOf(int v, DigitBuffer& buf) {
  // Horse, bracket and rank numbers are below 100: written directly, the rest by to_chars.
  if (v >= 0 && v < 10) {
    buf[0] = static_cast<char>('0' + v);
    return {buf, 1};
  }
  if (v >= 10 && v < 100) {
    buf[0] = static_cast<char>('0' + v / 10);
    buf[1] = static_cast<char>('0' + v % 10);
    return {buf, 2};
  }
  const auto end = std::to_chars(buf, buf + sizeof buf, v).ptr;
  return {buf, static_cast<std::size_t>(end - buf)};
}

// Sets `out` to the text. std::string's assignment goes through its general replace (it allows
// for a text that overlaps the string), about 70 instructions before the copy; emptying the
// string and appending into the buffer it has costs a fraction of that. The text may therefore
// not be a view of `out`.
inline void SetText(std::string& out, std::string_view text) {
  out.clear();
  out.append(text.data(), text.size());
}

// Appends the decimal digits of v.
inline void AppendNumber(std::string& out, int v) {
  DigitBuffer buf;
  const std::string_view digits = DigitsOf(v, buf);
  out.append(digits.data(), digits.size());
}

// Sets `out` to the decimal digits of v.
inline void SetNumber(std::string& out, int v) {
  out.clear();
  AppendNumber(out, v);
}

// Sets `out` to the digits of a rank, or empties it for no rank (0 or less).
inline void SetRank(std::string& out, int rank) {
  out.clear();
  if (rank > 0) AppendNumber(out, rank);
}

// A short text (a tool tip, a caption) put together piece by piece in the string that holds
// it, in the buffer that string already has: the string is emptied when the builder is made and
// every piece is appended to it. No piece may be a view of that string.
class TextBuilder {
 public:
  explicit TextBuilder(std::string& out) : out_(out) { out_.clear(); }
  TextBuilder(const TextBuilder&) = delete;
  TextBuilder& operator=(const TextBuilder&) = delete;

  TextBuilder& Append(std::string_view piece) {
    out_.append(piece.data(), piece.size());
    return *this;
  }
  TextBuilder& AppendNumber(int v) {
    cell_text::AppendNumber(out_, v);
    return *this;
  }
  // The text as text::Trim gives it: without leading and trailing blanks and ideographic spaces.
  TextBuilder& AppendTrimmed(std::string_view s) {
    return text::TrimAsciiView(s) ? Append(s) : Append(text::Trim(s));
  }

 private:
  std::string& out_;
};

}  // namespace tz::cell_text
