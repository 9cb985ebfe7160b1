#include "analysis/cell_text.h"

#include <charconv>

namespace tz::cell_text {

std::size_t WriteOtherDigits(int v, char* out) {
  return static_cast<std::size_t>(std::to_chars(out, out + kNumberRoom, v).ptr - out);
}

void TextBuilder::Finish() {
  if (inString_) return;
  SetText(out_, std::string_view(buf_, static_cast<std::size_t>(at_ - buf_)));
  inString_ = true;
  room_ = 0;
}

void TextBuilder::AppendToString(std::string_view piece) {
  Finish();
  out_.append(piece.data(), piece.size());
}

}  // namespace tz::cell_text
