#include "text/strings.h"

#include <array>

#include "text/in_place.h"
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

// Whether every character of a text reads back as its own bytes: no malformed byte and no
// overlong form. Such a text is trimmed on its bytes, a blank being " " or the three bytes of
// U+3000 there.
bool ReadsAsItself(std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    if (static_cast<unsigned char>(s[i]) < 0x80) {
      ++i;
      continue;
    }
    const std::size_t at = i;
    const char32_t c = NextCodePoint(s, i);
    const std::size_t n = i - at;
    if (n == 1 || (n == 2 && c < 0x80) || (n == 3 && c < 0x800) || (n == 4 && c < 0x10000)) {
      return false;
    }
  }
  return true;
}

constexpr std::string_view kIdeographicSpace = "\u3000";

std::string_view TrimBytes(std::string_view s, bool leading, bool trailing) {
  for (bool more = leading; more && !s.empty();) {
    if (s.front() == ' ') {
      s.remove_prefix(1);
    } else if (s.substr(0, kIdeographicSpace.size()) == kIdeographicSpace) {
      s.remove_prefix(kIdeographicSpace.size());
    } else {
      more = false;
    }
  }
  for (bool more = trailing; more && !s.empty();) {
    if (s.back() == ' ') {
      s.remove_suffix(1);
    } else if (s.size() >= kIdeographicSpace.size() &&
               s.substr(s.size() - kIdeographicSpace.size()) == kIdeographicSpace) {
      s.remove_suffix(kIdeographicSpace.size());
    } else {
      more = false;
    }
  }
  return s;
}

// The text read as code points (a malformed byte as U+FFFD), without its leading and/or
// trailing blanks, written back as UTF-8 into `out`.
void TrimCodePoints(std::string& out, std::string_view s, bool leading, bool trailing) {
  if (ReadsAsItself(s)) {
    out.assign(TrimBytes(s, leading, trailing));
    return;
  }
  out.clear();
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
}

std::string TrimmedText(std::string_view s, bool leading, bool trailing) {
  if (IsAsciiText(s)) {
    if (leading) s = TrimAsciiLeft(s);
    if (trailing) s = TrimAsciiRight(s);
    return std::string(s);
  }
  std::string out;
  TrimCodePoints(out, s, leading, trailing);
  return out;
}

}  // namespace

std::string Trim(std::string_view s) {
  if (TrimAsciiView(s)) return std::string(s);
  std::string out;
  TrimCodePoints(out, s, true, true);
  return out;
}
std::string TrimRight(std::string_view s) { return TrimmedText(s, false, true); }
std::string TrimLeft(std::string_view s) { return TrimmedText(s, true, false); }

void AssignTrimmed(std::string& out, std::string_view s) {
  if (TrimAsciiView(s)) {
    out.assign(s);
  } else {
    TrimCodePoints(out, s, true, true);
  }
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

int HalfWidthForm(char32_t c, char32_t (&half)[2]) {
  if (c < 0x80) {
    half[0] = c;
    return 1;
  }
  if (c >= 0xFF01 && c <= 0xFF5E) {
    half[0] = c - 0xFF01 + 0x21;
    return 1;
  }
  if (c >= 0x30A1 && c <= 0x30F6) {
    const std::u32string_view h = kKatakana[c - 0x30A1];
    if (h.empty()) {
      half[0] = c;
      return 1;
    }
    half[0] = h[0];
    if (h.size() == 1) return 1;
    half[1] = h[1];
    return 2;
  }
  switch (c) {
    case U'\u3000': half[0] = U' '; break;
    case U'ー': half[0] = U'ｰ'; break;
    case U'。': half[0] = U'｡'; break;
    case U'「': half[0] = U'｢'; break;
    case U'」': half[0] = U'｣'; break;
    case U'、': half[0] = U'､'; break;
    case U'・': half[0] = U'･'; break;
    case U'゛': half[0] = U'ﾞ'; break;
    case U'゜': half[0] = U'ﾟ'; break;
    default: half[0] = c; break;
  }
  return 1;
}

std::string ToHalfWidth(std::string_view utf8) {
  // No ASCII character has another form.
  if (IsAsciiText(utf8)) return std::string(utf8);
  std::string out;
  out.reserve(utf8.size() * 2);  // a katakana with its mark takes two characters of as many bytes
  for (std::size_t i = 0; i < utf8.size();) {
    char32_t half[2];
    const int n = HalfWidthForm(NextCodePoint(utf8, i), half);
    for (int k = 0; k < n; ++k) AppendUtf8(out, half[k]);
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
