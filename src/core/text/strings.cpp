#include "text/strings.h"

#include <array>

#include "text/sjis.h"

namespace tz::text {
namespace {

bool IsBlank(char32_t c) { return c == U' ' || c == U'\u3000'; }

// Half-width forms of the katakana U+30A1 .. U+30F6, in code order. An empty entry keeps
// the full-width character (ヮ ヰ ヱ ヵ ヶ have no half-width form).
constexpr std::array<std::u32string_view, 0x30F6 - 0x30A1 + 1> kKatakana = {
    U"ｧ", U"ｱ", U"ｨ", U"ｲ", U"ｩ", U"ｳ", U"ｪ", U"ｴ", U"ｫ", U"ｵ",          // ァ..オ
    U"ｶ", U"ｶﾞ", U"ｷ", U"ｷﾞ", U"ｸ", U"ｸﾞ", U"ｹ", U"ｹﾞ", U"ｺ", U"ｺﾞ",    // カ..ゴ
    U"ｻ", U"ｻﾞ", U"ｼ", U"ｼﾞ", U"ｽ", U"ｽﾞ", U"ｾ", U"ｾﾞ", U"ｿ", U"ｿﾞ",    // サ..ゾ
    U"ﾀ", U"ﾀﾞ", U"ﾁ", U"ﾁﾞ", U"ｯ", U"ﾂ", U"ﾂﾞ", U"ﾃ", U"ﾃﾞ", U"ﾄ", U"ﾄﾞ",  // タ..ド
    U"ﾅ", U"ﾆ", U"ﾇ", U"ﾈ", U"ﾉ",                                        // ナ..ノ
    U"ﾊ", U"ﾊﾞ", U"ﾊﾟ", U"ﾋ", U"ﾋﾞ", U"ﾋﾟ", U"ﾌ", U"ﾌﾞ", U"ﾌﾟ",          // ハ..プ
    U"ﾍ", U"ﾍﾞ", U"ﾍﾟ", U"ﾎ", U"ﾎﾞ", U"ﾎﾟ",                               // ヘ..ポ
    U"ﾏ", U"ﾐ", U"ﾑ", U"ﾒ", U"ﾓ",                                        // マ..モ
    U"ｬ", U"ﾔ", U"ｭ", U"ﾕ", U"ｮ", U"ﾖ",                                  // ャ..ヨ
    U"ﾗ", U"ﾘ", U"ﾙ", U"ﾚ", U"ﾛ",                                        // ラ..ロ
    U"", U"ﾜ", U"", U"", U"ｦ", U"ﾝ", U"ｳﾞ", U"", U"",                     // ヮ..ヶ
};

bool IsAsciiText(std::string_view s) {
  for (unsigned char c : s) {
    if (c >= 0x80) return false;
  }
  return true;
}

// Texts of ASCII only (odds, numbers) are trimmed on their bytes; others go through their code
// points, which also replaces a malformed byte with U+FFFD.
std::string_view TrimAsciiRight(std::string_view s) {
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}
std::string_view TrimAsciiLeft(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  return s;
}

// The text read as code points (a malformed byte as U+FFFD), without its leading and/or
// trailing blanks, written back as UTF-8.
std::string TrimCodePoints(std::string_view s, bool leading, bool trailing) {
  std::string out;
  out.reserve(s.size());
  std::size_t kept = 0;  // the length of `out` through its last character that is no blank
  bool started = !leading;
  for (std::size_t i = 0; i < s.size();) {
    const char32_t c = NextCodePoint(s, i);
    if (!started && IsBlank(c)) continue;
    started = true;
    AppendUtf8(out, c);
    if (!IsBlank(c)) kept = out.size();
  }
  if (trailing) out.resize(kept);
  return out;
}

}  // namespace

std::string Trim(std::string_view s) {
  if (IsAsciiText(s)) return std::string(TrimAsciiLeft(TrimAsciiRight(s)));
  return TrimCodePoints(s, true, true);
}

std::string TrimRight(std::string_view s) {
  if (IsAsciiText(s)) return std::string(TrimAsciiRight(s));
  return TrimCodePoints(s, false, true);
}

std::string TrimLeft(std::string_view s) {
  if (IsAsciiText(s)) return std::string(TrimAsciiLeft(s));
  return TrimCodePoints(s, true, false);
}

std::string ToUpperAscii(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && ToUpperAscii(a) == ToUpperAscii(b);
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() && EqualsNoCase(s.substr(0, prefix.size()), prefix);
}

std::string ToHalfWidth(std::string_view utf8) {
  // No ASCII character has another form.
  if (IsAsciiText(utf8)) return std::string(utf8);
  std::string out;
  out.reserve(utf8.size() * 2);  // a katakana with its mark takes two characters of as many bytes
  for (std::size_t i = 0; i < utf8.size();) {
    const char32_t c = NextCodePoint(utf8, i);
    if (c >= 0xFF01 && c <= 0xFF5E) {
      AppendUtf8(out, c - 0xFF01 + 0x21);
    } else if (c == 0x3000) {
      out.push_back(' ');
    } else if (c >= 0x30A1 && c <= 0x30F6) {
      std::u32string_view h = kKatakana[c - 0x30A1];
      if (h.empty()) {
        AppendUtf8(out, c);
      } else {
        for (char32_t k : h) AppendUtf8(out, k);
      }
    } else {
      switch (c) {
        case U'ー': AppendUtf8(out, U'ｰ'); break;
        case U'。': AppendUtf8(out, U'｡'); break;
        case U'「': AppendUtf8(out, U'｢'); break;
        case U'」': AppendUtf8(out, U'｣'); break;
        case U'、': AppendUtf8(out, U'､'); break;
        case U'・': AppendUtf8(out, U'･'); break;
        case U'゛': AppendUtf8(out, U'ﾞ'); break;
        case U'゜': AppendUtf8(out, U'ﾟ'); break;
        default: AppendUtf8(out, c); break;
      }
    }
  }
  return out;
}

std::string Repeat(std::string_view s, std::size_t n) {
  std::string out;
  out.reserve(s.size() * n);
  for (std::size_t i = 0; i < n; ++i) out.append(s);
  return out;
}

std::string WithCrLf(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r') {
      out += "\r\n";
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (c == '\n') {
      out += "\r\n";
    } else {
      out.push_back(c);
    }
  }
  return out;
}

}  // namespace tz::text
