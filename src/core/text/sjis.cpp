#include "text/sjis.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace tz::text {
namespace {

// One iconv conversion descriptor per direction, opened on first use and kept for the thread.
// iconv descriptors carry shift state, so each call resets it before converting.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) {
      throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    }
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  iconv_t get() {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    return cd_;
  }

 private:
  iconv_t cd_;
};

Converter& ToUtf8() {
  thread_local Converter c("UTF-8", "CP932");
  return c;
}
Converter& ToCp932() {
  thread_local Converter c("CP932", "UTF-8");
  return c;
}

bool IsAscii(std::string_view s) {
  for (unsigned char c : s) {
    if (c >= 0x80) return false;
  }
  return true;
}

// Length of the UTF-8 sequence that starts with byte c (1 for a stray byte).
std::size_t Utf8SeqLen(unsigned char c) {
  if (c < 0x80) return 1;
  if ((c & 0xE0) == 0xC0) return 2;
  if ((c & 0xF0) == 0xE0) return 3;
  if ((c & 0xF8) == 0xF0) return 4;
  return 1;
}

// Runs iconv over the whole input; on an unconvertible or incomplete sequence it writes
// `replacement`, skips `skip(in)` bytes and goes on.
template <typename Skip>
std::string Convert(Converter& conv, std::string_view in, std::string_view replacement,
                    Skip skip) {
  std::string out;
  out.reserve(in.size() * 2 + 8);
  iconv_t cd = conv.get();
  char* inp = const_cast<char*>(in.data());
  std::size_t inleft = in.size();
  char buf[4096];
  while (inleft > 0) {
    char* outp = buf;
    std::size_t outleft = sizeof buf;
    std::size_t r = iconv(cd, &inp, &inleft, &outp, &outleft);
    out.append(buf, static_cast<std::size_t>(outp - buf));
    if (r == static_cast<std::size_t>(-1)) {
      if (errno == E2BIG) continue;
      // EILSEQ or EINVAL: a byte sequence that cannot be converted.
      out.append(replacement);
      std::size_t n = skip(std::string_view(inp, inleft));
      if (n > inleft) n = inleft;
      inp += n;
      inleft -= n;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  return out;
}

}  // namespace

std::string DecodeSjis(std::string_view bytes) {
  if (IsAscii(bytes)) return std::string(bytes);
  return Convert(ToUtf8(), bytes, "\xEF\xBF\xBD", [](std::string_view) { return std::size_t{1}; });
}

std::string EncodeSjis(std::string_view utf8) {
  if (IsAscii(utf8)) return std::string(utf8);
  return Convert(ToCp932(), utf8, "?", [](std::string_view rest) {
    return Utf8SeqLen(static_cast<unsigned char>(rest.front()));
  });
}

std::size_t CharCount(std::string_view utf8) {
  std::size_t n = 0;
  for (unsigned char c : utf8) {
    if ((c & 0xC0) != 0x80) ++n;
  }
  return n;
}

namespace {
// Byte offset of character index `chars` (0-based) in a UTF-8 text, or size() when beyond.
std::size_t ByteOffset(std::string_view utf8, std::size_t chars) {
  std::size_t i = 0;
  while (i < utf8.size() && chars > 0) {
    i += Utf8SeqLen(static_cast<unsigned char>(utf8[i]));
    --chars;
  }
  return i < utf8.size() ? i : utf8.size();
}
}  // namespace

std::string Mid(std::string_view utf8, std::size_t start, std::size_t len) {
  if (start < 1) start = 1;
  std::size_t b = ByteOffset(utf8, start - 1);
  std::string_view rest = utf8.substr(b);
  std::size_t e = ByteOffset(rest, len);
  return std::string(rest.substr(0, e));
}

std::string Mid(std::string_view utf8, std::size_t start) {
  if (start < 1) start = 1;
  return std::string(utf8.substr(ByteOffset(utf8, start - 1)));
}

std::string Left(std::string_view utf8, std::size_t n) { return Mid(utf8, 1, n); }

std::string Right(std::string_view utf8, std::size_t n) {
  std::size_t count = CharCount(utf8);
  if (n >= count) return std::string(utf8);
  return Mid(utf8, count - n + 1);
}

std::string_view MidB(std::string_view bytes, std::size_t start, std::size_t len) {
  if (start < 1) start = 1;
  if (start - 1 >= bytes.size()) return {};
  return bytes.substr(start - 1, len);
}

std::string FieldB(std::string_view bytes, std::size_t start, std::size_t len) {
  return DecodeSjis(MidB(bytes, start, len));
}

std::size_t SjisLength(std::string_view utf8) { return EncodeSjis(utf8).size(); }

std::string FixedSjis(std::string_view utf8, std::size_t width) {
  std::string out;
  for (char32_t c : ToU32(utf8)) {
    std::string one;
    AppendUtf8(one, c);
    std::string enc = EncodeSjis(one);
    if (out.size() + enc.size() > width) break;
    out += enc;
  }
  out.resize(width, ' ');
  return out;
}

std::u32string ToU32(std::string_view s) {
  std::u32string out;
  out.reserve(s.size());
  std::size_t i = 0;
  while (i < s.size()) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    std::size_t n = Utf8SeqLen(c);
    if (i + n > s.size() || (n == 1 && c >= 0x80)) {
      out.push_back(U'\uFFFD');
      ++i;
      continue;
    }
    char32_t cp = n == 1 ? c : n == 2 ? (c & 0x1F) : n == 3 ? (c & 0x0F) : (c & 0x07);
    bool ok = true;
    for (std::size_t k = 1; k < n; ++k) {
      unsigned char cc = static_cast<unsigned char>(s[i + k]);
      if ((cc & 0xC0) != 0x80) ok = false;
      cp = (cp << 6) | (cc & 0x3F);
    }
    if (!ok) {
      out.push_back(U'\uFFFD');
      ++i;
      continue;
    }
    out.push_back(cp);
    i += n;
  }
  return out;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

std::string ToU8(std::u32string_view text) {
  std::string out;
  out.reserve(text.size() * 3);
  for (char32_t c : text) AppendUtf8(out, c);
  return out;
}

}  // namespace tz::text
