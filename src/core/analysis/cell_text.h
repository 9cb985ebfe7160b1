// Writing the short texts of panel cells and tool tips into the strings that hold them, so that
// a cell keeps its buffer from race to race and no temporary text is made per cell.
#pragma once

#include <cstring>
#include <string>
#include <string_view>

#include "text/strings.h"

namespace tz::cell_text {

// Appends the decimal digits of v (horse, bracket and rank numbers are below 100).
inline void AppendNumber(std::string& out, int v) {
  if (v >= 0 && v < 10) {
    out.push_back(static_cast<char>('0' + v));
  } else if (v >= 10 && v < 100) {
    const char digits[2] = {static_cast<char>('0' + v / 10), static_cast<char>('0' + v % 10)};
    out.append(digits, 2);
  } else {
    out.append(std::to_string(v));
  }
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

// Trims the text on its bytes as text::Trim does, when it is ASCII only (every odds text):
// leading and trailing blanks go. False, the view unchanged, for a text with other characters,
// which text::Trim reads as code points.
inline bool TrimAscii(std::string_view& s) {
  for (unsigned char c : s) {
    if (c >= 0x80) return false;
  }
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return true;
}

// A short text (a tool tip, a caption) put together piece by piece on the stack and copied into
// its string once, when the builder goes, in the buffer that string already has. A text longer
// than the stack buffer goes on in the string itself. No piece may be a view of that string.
class TextBuilder {
 public:
  explicit TextBuilder(std::string& out) : out_(out) {}
  TextBuilder(const TextBuilder&) = delete;
  TextBuilder& operator=(const TextBuilder&) = delete;
  ~TextBuilder() { Finish(); }

  TextBuilder& Append(std::string_view piece) {
    if (piece.size() <= room_) {
      std::memcpy(at_, piece.data(), piece.size());
      at_ += piece.size();
      room_ -= piece.size();
    } else {
      AppendToString(piece);
    }
    return *this;
  }
  TextBuilder& AppendNumber(int v) {
    if (v >= 0 && v < 10) {
      const char digit = static_cast<char>('0' + v);
      return Append(std::string_view(&digit, 1));
    }
    if (v >= 10 && v < 100) {
      const char digits[2] = {static_cast<char>('0' + v / 10), static_cast<char>('0' + v % 10)};
      return Append(std::string_view(digits, 2));
    }
    return Append(std::to_string(v));
  }
  // The text as text::Trim gives it: without leading and trailing blanks and ideographic spaces.
  TextBuilder& AppendTrimmed(std::string_view s) {
    return TrimAscii(s) ? Append(s) : Append(text::Trim(s));
  }

 private:
  // Copies what the buffer holds into the string, once.
  void Finish();
  // A piece the buffer has no room for: the string takes it and every later piece.
  void AppendToString(std::string_view piece);

  std::string& out_;
  char buf_[96];
  char* at_ = buf_;
  std::size_t room_ = sizeof buf_;
  bool inString_ = false;  // the buffer has gone into the string
};

}  // namespace tz::cell_text
