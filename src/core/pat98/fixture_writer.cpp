#include "pat98/fixture_writer.h"

#include <fmt/format.h>

#include <cctype>
#include <cmath>
#include <system_error>

#include "text/files.h"
#include "text/numbers.h"
#include "text/sjis.h"

namespace tz::fixture {

namespace {

const char* const kCourseNames[] = {"",     "札幌", "函館", "福島", "新潟", "東京",
                                    "中山", "中京", "京都", "阪神", "小倉"};

// Right-aligns text in `width` characters (text longer than that is cut on the left).
std::string RightAlign(const std::string& s, int width) {
  std::size_t n = text::CharCount(s);
  if (n >= static_cast<std::size_t>(width)) return text::Right(s, width);
  return std::string(width - n, ' ') + s;
}

// Two digits with a leading zero ("00" pattern) or a leading blank ("2s").
std::string Z2(int v) { return fmt::format("{:02d}", v % 100 < 0 ? 0 : v % 100); }
std::string S2(int v) { return fmt::format("{:>2d}", v % 100 < 0 ? 0 : v % 100); }
std::string Z4(int v) { return fmt::format("{:04d}", v < 0 ? 0 : v % 10000); }

// Pads a Shift_JIS text to `bytes` with full-width blanks (and a final blank when odd).
std::string PadWide(std::string_view utf8, std::size_t bytes) {
  std::string b = text::EncodeSjis(utf8);
  if (b.size() > bytes) return SjisFixed(utf8, bytes);
  const std::string wideBlank = text::EncodeSjis("　");
  while (b.size() + 2 <= bytes) b += wideBlank;
  while (b.size() < bytes) b += ' ';
  return b;
}

std::string Field(const OddsCell& c, int width) { return text::EncodeSjis(OddsField(c, width)); }

}  // namespace

std::string OddsField(const OddsCell& c, int width) {
  switch (c.kind) {
    case OddsCell::Kind::Scratched:
      return std::string(width - 4, ' ') + "ﾄﾘｹｼ";
    case OddsCell::Kind::Blank:
      return std::string(width, ' ');
    case OddsCell::Kind::Raw: {
      std::string b = SjisFixed(c.raw, width);
      return text::DecodeSjis(b);
    }
    case OddsCell::Kind::Number: {
      double maxValue = width >= 6 ? 9999.9 : 999.9;
      double v = c.value;
      if (!std::isfinite(v) || v < 0) v = 0;
      if (v > maxValue) v = maxValue;
      return RightAlign(text::FormatNumber(v, "#0.0"), width);
    }
  }
  return std::string(width, ' ');
}

char CodeChar(int value) {
  if (value >= 1 && value <= 9) return static_cast<char>('0' + value);
  if (value >= 10 && value <= 12) return static_cast<char>('A' + value - 10);
  return '0';
}

std::string RaceFileName(std::string_view prefix, int course, int day, int race) {
  std::string n(prefix);
  n += CodeChar(course);
  n += CodeChar(day);
  n += CodeChar(race);
  n += ".JRA";
  return n;
}

std::string SjisFixed(std::string_view utf8, std::size_t bytes) {
  std::string out;
  for (char32_t ch : text::ToU32(utf8)) {
    std::string one;
    text::AppendUtf8(one, ch);
    std::string enc = text::EncodeSjis(one);
    if (out.size() + enc.size() > bytes) {
      break;
    }
    out += enc;
  }
  while (out.size() < bytes) out += ' ';
  return out;
}

std::string GuideBytes(const GuideRecord& g) {
  std::string out = SjisFixed(g.date, 8);
  out += std::string(50, '0');
  out += Z2(g.courseCode);
  out += Z4(g.year);
  out += Z2(g.kai);
  out += Z2(g.day);
  out += "1";
  for (int r = 1; r <= 12; ++r) out += Z2(g.saleCodes[r]);
  std::string name = g.courseName;
  if (name.empty() && g.courseCode >= 1 && g.courseCode <= 10) name = kCourseNames[g.courseCode];
  out += PadWide(name, 4);
  out += "00000";
  out += "\r\n";
  return out;
}

std::string MeetingGuideBytes(const MeetingGuideRecord& k) {
  std::string out = SjisFixed(k.date, 8);
  out += Z2(k.hour);
  out += Z2(k.minute);
  out += std::string(20, '0');
  for (std::size_t m = 0; m < k.meetings.size(); ++m) {
    const MeetingWeather& w = k.meetings[m];
    std::string block = Z2(static_cast<int>(m + 1));  // 0: not read
    block += "0000";                                  // 2: not read
    block += std::string(24, ' ');                    // 6: not read
    block += static_cast<char>('0' + (w.weatherCode >= 0 && w.weatherCode <= 9 ? w.weatherCode : 0));
    block += ' ';
    block += PadWide(w.weather, 4);
    block += PadWide(w.turf, 4);
    block += PadWide(w.dirt, 4);
    out += block;
  }
  out += "\r\n";
  return out;
}

std::string OddsHeaderBytes(const OddsHeader& h) {
  std::string out = SjisFixed(h.date, 8);
  out += std::string(20, ' ');
  out += PadWide(h.courseName, 4);
  out += Z4(h.year);
  out += Z2(h.kai);
  out += Z2(h.day);
  out += S2(h.race);
  out += static_cast<char>('0' + (h.timeKind >= 0 && h.timeKind <= 9 ? h.timeKind : 1));
  out += '0';
  out += Z2(h.hour);
  out += Z2(h.minute);
  out += SjisFixed(h.title1, 28);
  out += SjisFixed(h.title2, 28);
  out += std::string(36, ' ');
  out += S2(h.horseCount);
  return out;
}

std::string OddsFileBytes(const OddsFile& f) {
  std::string out = OddsHeaderBytes(f.header);
  for (int h = 1; h <= 18; ++h) {
    if (h <= f.header.horseCount && h <= static_cast<int>(f.horses.size())) {
      const HorseOdds& o = f.horses[h - 1];
      out += "0" + S2(h) + Field(o.win, 5) + Field(o.placeLow, 5) + Field(o.placeHigh, 5);
    } else {
      out += std::string(18, ' ');
    }
  }
  for (int i = 1; i <= 8; ++i) {
    for (int j = i; j <= 8; ++j) {
      out += fmt::format("0 {}-{}", i, j) + Field(f.bracket[i][j], 5);
    }
  }
  out += "E\r\n";
  return out;
}

std::string QuinellaFileBytes(const QuinellaFile& f) {
  std::string out = OddsHeaderBytes(f.header);
  out += "11";
  int n = f.header.horseCount;
  if (n > 18) n = 18;
  for (int i = 1; i < n; ++i) {
    for (int j = i + 1; j <= n; ++j) {
      if (f.withWide) {
        out += "00" + S2(i) + "-" + S2(j) + Field(f.quinella[i][j], 6) + " " +
               Field(f.wideLow[i][j], 5) + " " + Field(f.wideHigh[i][j], 5);
      } else {
        out += Z2(i) + Z2(j) + Field(f.quinella[i][j], 6) + "  ";
      }
    }
  }
  out += "E\r\n";
  return out;
}

std::string JrdbRaceKey(int course, int year, int kai, int day, int race) {
  std::string key = Z2(course) + Z2(year % 100);
  key += static_cast<char>(std::tolower(static_cast<unsigned char>(CodeChar(kai))));
  key += static_cast<char>(std::tolower(static_cast<unsigned char>(CodeChar(day))));
  key += Z2(race);
  return key;
}

std::string JrdbLine(const JrdbRace& r) {
  std::string line = JrdbRaceKey(r.course, r.year, r.kai, r.day, r.race);
  int n = static_cast<int>(r.win.size());
  line += S2(n);
  for (int i = 0; i < 18; ++i) {
    line += i < static_cast<int>(r.win.size()) ? Field(r.win[i], 5) : std::string(5, ' ');
  }
  for (int i = 0; i < 18; ++i) {
    line += i < static_cast<int>(r.place.size()) ? Field(r.place[i], 5) : std::string(5, ' ');
  }
  for (int k = 0; k < 153; ++k) {
    line += k < static_cast<int>(r.quinella.size()) ? Field(r.quinella[k], 5) : std::string(5, ' ');
  }
  return line;
}

std::string JrdbFileBytes(const std::vector<JrdbRace>& races) {
  std::string out;
  for (const JrdbRace& r : races) out += JrdbLine(r) + "\r\n";
  return out;
}

std::string JrdbFileName(std::string_view date) {
  std::string d(date);
  return "OZ" + (d.size() >= 8 ? d.substr(2, 6) : d) + ".TXT";
}

std::string WriteFixture(const std::filesystem::path& folder, std::string_view name,
                         std::string_view bytes) {
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec) return ec.message();
  return text::WriteFileAtomic(text::ResolveName(folder, name), bytes);
}

}  // namespace tz::fixture
