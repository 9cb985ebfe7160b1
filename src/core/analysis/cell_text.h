// Writing the short texts of panel cells and tool tips into the strings that hold them, so that
// a cell keeps its buffer from race to race and no temporary text is made per cell.
#pragma once

#include <cstring>
#include <string>
#include <string_view>

#include "text/strings.h"

namespace tz::cell_text {

// Room for the digits and sign of any int.
inline constexpr std::size_t kNumberRoom = 11;

// WriteDigits for a number outside 0..99 (out of line, so that the short path stays small
// enough to be inlined with the builder's other calls).
std::size_t WriteOtherDigits(int v, char* out);

// Writes the decimal digits of v as std::to_string writes them at `out`, which has room for
// kNumberRoom characters; returns how many were written.
inline std::size_t WriteDigits(int v, char* out) {
  // Horse, bracket and rank numbers are below 100: written directly, the rest by to_chars.
  if (v >= 0 && v < 10) {
    out[0] = static_cast<char>('0' + v);
    return 1;
  }
  if (v >= 10 && v < 100) {
    out[0] = static_cast<char>('0' + v / 10);
    out[1] = static_cast<char>('0' + v % 10);
    return 2;
  }
  return WriteOtherDigits(v, out);
}

// Sets `out` to a text held elsewhere (an odds cell's view). std::string's assignment from a
// view goes through its general replace (it allows for a text that overlaps the string), about
// 70 instructions before the copy; emptying the string and appending into the buffer it has
// costs a fraction of that. The text may therefore not be a view of `out`. (A copy from another
// std::string is cheap as it is: plain assignment.)
inline void SetText(std::string& out, std::string_view text) {
  out.clear();
  out.append(text.data(), text.size());
}

// Appends the decimal digits of v.
inline void AppendNumber(std::string& out, int v) {
  char digits[kNumberRoom];
  out.append(digits, WriteDigits(v, digits));
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
    if (room_ < kNumberRoom) {
      char digits[kNumberRoom];
      return Append(std::string_view(digits, WriteDigits(v, digits)));
    }
    const std::size_t n = WriteDigits(v, at_);
    at_ += n;
    room_ -= n;
    return *this;
  }
  // The text as text::Trim gives it: without leading and trailing blanks and ideographic spaces.
  TextBuilder& AppendTrimmed(std::string_view s) {
    return text::TrimAsciiView(s) ? Append(s) : Append(text::Trim(s));
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
