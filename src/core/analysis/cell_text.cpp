#include "analysis/cell_text.h"

namespace tz::cell_text {

void TextBuilder::Finish() {
  if (inString_) return;
  out_.clear();
  out_.append(buf_, static_cast<std::size_t>(at_ - buf_));
  inString_ = true;
  room_ = 0;
}

void TextBuilder::AppendToString(std::string_view piece) {
  Finish();
  out_.append(piece);
}

}  // namespace tz::cell_text
