#include "text/sjis.h"

#include "text/in_place.h"

#include <iconv.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <vector>

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

std::string DecodeWithIconv(std::string_view bytes) {
  return Convert(ToUtf8(), bytes, "\xEF\xBF\xBD", [](std::string_view) { return std::size_t{1}; });
}

// Code page 932 as two tables, filled once from iconv's own answers for every single byte and
// every byte pair, so that a text decodes without a call into iconv: each byte is a character
// on its own, the lead byte of a pair, or a byte without meaning; a pair has one character or
// none (its lead byte is then a byte without meaning and the trail byte is read on its own).
// Every character is kept as its UTF-8 bytes, at most three.
class Cp932Table {
 public:
  Cp932Table() {
    leadSlot_.fill(-1);
    for (int b = 0; b < 256; ++b) {
      const char one[1] = {static_cast<char>(b)};
      single_[b] = Ask(std::string_view(one, 1));
      if (single_[b].length == kLead) {
        leadSlot_[b] = static_cast<int>(pairs_.size() / 256);
        for (int t = 0; t < 256; ++t) {
          const char two[2] = {static_cast<char>(b), static_cast<char>(t)};
          const Utf8Char c = Ask(std::string_view(two, 2));
          // A pair read as anything but one character leaves the decoding to iconv.
          if (c.length == kLead || c.length == kTooLong) usable_ = false;
          pairs_.push_back(c);
        }
      } else if (single_[b].length == kTooLong) {
        usable_ = false;
      }
    }
  }

  bool usable() const { return usable_; }

  // Decodes a text into `out`: the same characters, and the same U+FFFD for each byte without
  // meaning, as the conversion through iconv.
  void DecodeInto(std::string& out, std::string_view bytes) const {
    static constexpr Utf8Char kReplacement{{'\xEF', '\xBF', '\xBD'}, 3};
    out.resize(bytes.size() * 3);
    char* at = out.data();
    for (std::size_t i = 0; i < bytes.size();) {
      const unsigned char b = static_cast<unsigned char>(bytes[i]);
      const Utf8Char* c = &single_[b];
      std::size_t used = 1;
      if (c->length == kLead) {
        c = &kReplacement;
        if (i + 1 < bytes.size()) {
          const unsigned char t = static_cast<unsigned char>(bytes[i + 1]);
          const Utf8Char& pair = pairs_[static_cast<std::size_t>(leadSlot_[b]) * 256 + t];
          if (pair.length != kNone) {
            c = &pair;
            used = 2;
          }
        }
      } else if (c->length == kNone) {
        c = &kReplacement;
      }
      std::memcpy(at, c->bytes, 3);
      at += c->length;
      i += used;
    }
    out.resize(static_cast<std::size_t>(at - out.data()));
  }

 private:
  // A character as UTF-8, or by its length one of the markers below.
  struct Utf8Char {
    char bytes[3] = {};
    std::uint8_t length = 0;
  };
  static constexpr std::uint8_t kNone = 0;       // no meaning
  static constexpr std::uint8_t kLead = 0xFE;    // the start of a longer sequence
  static constexpr std::uint8_t kTooLong = 0xFF; // more than three bytes of UTF-8

  // The one character iconv reads from `in` as a whole.
  Utf8Char Ask(std::string_view in) {
    iconv_t cd = ToUtf8().get();
    char* inp = const_cast<char*>(in.data());
    std::size_t inleft = in.size();
    char buf[16];
    char* outp = buf;
    std::size_t outleft = sizeof buf;
    const std::size_t r = iconv(cd, &inp, &inleft, &outp, &outleft);
    Utf8Char c;
    if (r == static_cast<std::size_t>(-1)) {
      const int err = errno;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
      if (err == EINVAL && inleft == in.size()) c.length = kLead;
      return c;
    }
    const std::string_view utf8(buf, static_cast<std::size_t>(outp - buf));
    if (ToU32(utf8).size() != 1) return c;
    if (utf8.size() > 3) {
      c.length = kTooLong;
      return c;
    }
    std::memcpy(c.bytes, utf8.data(), utf8.size());
    c.length = static_cast<std::uint8_t>(utf8.size());
    return c;
  }

  std::array<Utf8Char, 256> single_{};
  std::array<int, 256> leadSlot_{};
  std::vector<Utf8Char> pairs_;  // 256 entries per lead byte, in the order of leadSlot_
  bool usable_ = true;
};

const Cp932Table& Cp932() {
  static const Cp932Table table;
  return table;
}

}  // namespace

std::string DecodeSjis(std::string_view bytes) {
  std::string out;
  DecodeSjisInto(out, bytes);
  return out;
}

void DecodeSjisInto(std::string& out, std::string_view bytes) {
  if (IsAscii(bytes)) {
    out.assign(bytes);
    return;
  }
  const Cp932Table& table = Cp932();
  if (table.usable()) {
    table.DecodeInto(out, bytes);
  } else {
    out = DecodeWithIconv(bytes);
  }
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

char32_t NextCodePoint(std::string_view s, std::size_t& i) {
  const unsigned char c = static_cast<unsigned char>(s[i]);
  const std::size_t n = Utf8SeqLen(c);
  if (i + n > s.size() || (n == 1 && c >= 0x80)) {
    ++i;
    return U'\uFFFD';
  }
  char32_t cp = n == 1 ? c : n == 2 ? (c & 0x1F) : n == 3 ? (c & 0x0F) : (c & 0x07);
  for (std::size_t k = 1; k < n; ++k) {
    const unsigned char cc = static_cast<unsigned char>(s[i + k]);
    if ((cc & 0xC0) != 0x80) {
      ++i;
      return U'\uFFFD';
    }
    cp = (cp << 6) | (cc & 0x3F);
  }
  i += n;
  return cp;
}

std::u32string ToU32(std::string_view s) {
  std::u32string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) out.push_back(NextCodePoint(s, i));
  return out;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
    return;
  }
  char buf[4];
  std::size_t n;
  if (c < 0x800) {
    buf[0] = static_cast<char>(0xC0 | (c >> 6));
    buf[1] = static_cast<char>(0x80 | (c & 0x3F));
    n = 2;
  } else if (c < 0x10000) {
    buf[0] = static_cast<char>(0xE0 | (c >> 12));
    buf[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    buf[2] = static_cast<char>(0x80 | (c & 0x3F));
    n = 3;
  } else {
    buf[0] = static_cast<char>(0xF0 | (c >> 18));
    buf[1] = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    buf[2] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    buf[3] = static_cast<char>(0x80 | (c & 0x3F));
    n = 4;
  }
  out.append(buf, n);
}

std::string ToU8(std::u32string_view text) {
  std::string out;
  out.reserve(text.size() * 3);
  for (char32_t c : text) AppendUtf8(out, c);
  return out;
}

}  // namespace tz::text
