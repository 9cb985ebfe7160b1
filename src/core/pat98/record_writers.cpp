#include "pat98/record_writers.h"

#include <fmt/format.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "pat98/day_loader.h"
#include "pat98/file_names.h"
#include "text/files.h"
#include "text/numbers.h"
#include "text/sjis.h"

namespace tz {

namespace {

// The last n characters of a number text, padded on the left with `fill`.
std::string LastChars(const std::string& s, std::size_t n, char fill) {
  if (s.size() >= n) return s.substr(s.size() - n);
  return std::string(n - s.size(), fill) + s;
}

// "2z" and "2s" fields, and a four-digit year.
std::string Z2(int v) { return LastChars(text::FormatNumber(v, "00"), 2, '0'); }
std::string S2(int v) { return LastChars(std::to_string(v), 2, ' '); }
std::string Year4(int v) { return LastChars(std::to_string(std::max(v, 0)), 4, '0'); }

// Shift_JIS bytes padded with blanks or cut to exactly n bytes.
std::string FitBytes(std::string_view bytes, std::size_t n) {
  std::string out(bytes.substr(0, std::min(bytes.size(), n)));
  out.resize(n, ' ');
  return out;
}

// A text padded to `bytes` with full-width blanks (and a final blank when odd), as PAT98 pads
// its names of places, weather and going.
std::string PadWide(std::string_view utf8, std::size_t bytes) {
  std::string b = text::EncodeSjis(utf8);
  if (b.size() > bytes) return text::FixedSjis(utf8, bytes);
  const std::string wideBlank = text::EncodeSjis("　");
  while (b.size() + 2 <= bytes) b += wideBlank;
  while (b.size() < bytes) b += ' ';
  return b;
}

}  // namespace

std::string OddsValueText(double value, int width) {
  const double maxValue = width >= 6 ? 9999.9 : 999.9;
  double v = value;
  if (!std::isfinite(v) || v < 0) v = 0;
  if (v > maxValue) v = maxValue;
  std::string t = text::FormatNumber(v, "#0.0");
  const std::size_t w = static_cast<std::size_t>(std::max(width, 0));
  return t.size() >= w ? t.substr(t.size() - w) : std::string(w - t.size(), ' ') + t;
}

std::string BettingGuideBytes(const BettingGuideRecord& g) {
  std::string out = text::FixedSjis(g.date, 8);
  out += std::string(50, '0');
  out += Z2(g.courseCode);
  out += fmt::format("{:04d}", g.year < 0 ? 0 : g.year % 10000);
  out += Z2(g.kai);
  out += Z2(g.day);
  out += "1";
  for (int r = 1; r <= 12; ++r) out += Z2(g.saleCodes[static_cast<std::size_t>(r)]);
  out += PadWide(g.courseName.empty() ? RacecourseTableName(g.courseCode) : g.courseName, 4);
  out += "00000";
  return out + "\r\n";
}

std::string MeetingGuideBytes(const MeetingGuideFile& k) {
  std::string out = text::FixedSjis(k.date, 8);
  out += Z2(k.hour);
  out += Z2(k.minute);
  out += std::string(20, '0');
  for (std::size_t m = 0; m < k.meetings.size(); ++m) {
    const MeetingWeatherRecord& w = k.meetings[m];
    out += Z2(static_cast<int>(m + 1));  // not read
    out += "0000";                       // not read
    out += std::string(24, ' ');         // not read
    out += static_cast<char>('0' + (w.weatherCode >= 0 && w.weatherCode <= 9 ? w.weatherCode : 0));
    out += ' ';
    out += PadWide(w.weather, 4);
    out += PadWide(w.turfGoing, 4);
    out += PadWide(w.dirtGoing, 4);
  }
  return out + "\r\n";
}

std::string OddsHeaderRecord(const OddsFileHeader& h) {
  std::string out = text::FixedSjis(h.date, 8);
  out += std::string(20, ' ');
  out += text::FixedSjis(h.courseName, 4);
  out += fmt::format("{:04d}", h.year < 0 ? 0 : h.year % 10000);
  out += Z2(h.kai);
  out += Z2(h.day);
  out += S2(h.race);
  out += static_cast<char>('0' + (h.timeKind >= 0 && h.timeKind <= 9 ? h.timeKind : 1));
  out += '0';
  out += Z2(h.hour);
  out += Z2(h.minute);
  out += text::FixedSjis(h.title1, 28);
  out += text::FixedSjis(h.title2, 28);
  out += std::string(36, ' ');
  out += S2(h.horseCount);
  return out;
}

std::string OddsRecordBytes(const OddsFileRecord& f) {
  std::string out = OddsHeaderRecord(f.header);
  for (int k = 1; k <= 18; ++k) {
    if (k <= f.header.horseCount && k <= static_cast<int>(f.horses.size())) {
      const OddsFileHorse& h = f.horses[static_cast<std::size_t>(k - 1)];
      out += "0" + S2(h.number) + text::FixedSjis(h.win, 5) + text::FixedSjis(h.placeLow, 5) +
             text::FixedSjis(h.placeHigh, 5);
    } else {
      out += std::string(18, ' ');
    }
  }
  for (int i = 1; i <= 8; ++i) {
    for (int j = i; j <= 8; ++j) {
      out += fmt::format("0 {}-{}", i, j) + text::FixedSjis(f.bracket[i][j], 5);
    }
  }
  return out + "E\r\n";
}

std::string QuinellaRecordBytes(const QuinellaFileRecord& f) {
  std::string out = OddsHeaderRecord(f.header) + "11";
  const int n = std::min(f.header.horseCount, 18);
  for (int i = 1; i < n; ++i) {
    for (int j = i + 1; j <= n; ++j) {
      if (f.withWide) {
        out += "00" + S2(i) + "-" + S2(j) + text::FixedSjis(f.quinella[i][j], 6) + " " +
               text::FixedSjis(f.wideLow[i][j], 5) + " " + text::FixedSjis(f.wideHigh[i][j], 5);
      } else {
        out += Z2(i) + Z2(j) + text::FixedSjis(f.quinella[i][j], 6) + "  ";
      }
    }
  }
  return out + "E\r\n";
}

std::string ResultsRecordHead(int year, int month, int dayOfMonth, std::string_view courseName,
                              int kai, int day, int race) {
  const std::string y = Year4(year);
  return y + Z2(month) + Z2(dayOfMonth) + text::FixedSjis(courseName, 4) + y + Z2(kai) + Z2(day) +
         S2(race);
}

std::string RaceCardBytes(const RaceCardFile& c) {
  std::string r =
      ResultsRecordHead(c.year, c.month, c.day, c.courseName, c.kai, c.dayOfMeeting, c.race);
  r += text::FixedSjis(c.postTime, 4);
  r += text::FixedSjis(c.track, 4);
  r += text::FixedSjis(c.distance, 4);
  r += text::FixedSjis(c.title1, 28);
  r += text::FixedSjis(c.title2, 28);
  const std::size_t n = std::min<std::size_t>(c.runners.size(), 18);
  r += S2(static_cast<int>(n));
  for (std::size_t k = 0; k < n; ++k) {
    const RaceCardEntry& e = c.runners[k];
    r += ' ';
    r += text::FixedSjis(std::to_string(e.bracket), 1);
    r += S2(e.number);
    r += "1 ";
    r += text::FixedSjis(e.name, 18);
    r += text::FixedSjis(e.jockey, 18);
    r += Z2(e.markCode);
    r += text::FixedSjis(e.weight, 4);
  }
  return r + "\r\n";
}

std::filesystem::path WriteRaceCardFile(const std::filesystem::path& folder,
                                        const RaceCardFile& card) {
  std::filesystem::path p =
      text::ResolveName(folder, RaceCardFileName(card.courseCode, card.dayOfMeeting, card.race));
  if (std::string err = text::WriteFileAtomic(p, RaceCardBytes(card)); !err.empty()) {
    throw std::runtime_error(err);
  }
  return p;
}

std::string WinPlaceEntryBytes(const ResultsPayoutField& e) {
  return FitBytes(e.number, 2) + "  " + FitBytes(e.payout, 6);
}

std::string BracketEntryBytes(const ResultsPayoutField& e) {
  return " " + FitBytes(e.number, 3) + "  " + FitBytes(e.payout, 6);
}

std::string PairEntryBytes(const ResultsPayoutField& e) {
  return " " + FitBytes(e.number, 5) + "  " + FitBytes(e.payout, 6);
}

std::string ResultsRecordBytes(const ResultsFileRecord& rec) {
  std::string r;
  r.reserve(720);
  r += FitBytes(rec.head, 22);
  r += FitBytes(rec.weather, 4);
  r += FitBytes(rec.turfGoing, 4);
  r += FitBytes(rec.dirtGoing, 4);
  r += FitBytes(rec.title, 32);
  r += std::string(24, ' ');
  for (const ResultsFinisherField& f : rec.finishers) {
    r += FitBytes(f.place, 1) + " " + FitBytes(f.horse, 2) + FitBytes(f.name, 18) +
         FitBytes(f.time, 6) + std::string(12, ' ');
  }
  // The payout section starts at the last of these blanks; with wide payouts its entries begin
  // one character later.
  r += std::string(rec.withWide ? 85 : 84, ' ');
  for (const auto& e : rec.win) r += WinPlaceEntryBytes(e);
  for (const auto& e : rec.place) r += WinPlaceEntryBytes(e);
  for (const auto& e : rec.bracket) r += BracketEntryBytes(e);
  for (const auto& e : rec.quinella) r += PairEntryBytes(e);
  if (rec.withWide) {
    for (const auto& e : rec.wide) r += PairEntryBytes(e);
    r += std::string(43, ' ');
  } else {
    r += "  ";
  }
  for (const std::string& slot : rec.scratched) r += FitBytes(slot, 2);
  r += FitBytes(rec.bracketFlags, 8);
  r += rec.trailer;
  return r + "\r\n";
}

ResultsFinisherField FinisherField(int place, int horse, std::string_view name,
                                   std::string_view time) {
  if (place <= 0) return {};
  return {std::string(1, static_cast<char>('0' + std::clamp(place, 0, 9))),
          Z2(std::clamp(horse, 0, 99)), text::FixedSjis(name, 18), text::FixedSjis(time, 6)};
}

namespace {
std::string Payout6(long v) { return fmt::format("{:>6}", std::clamp(v, 0L, 999999L)); }
}  // namespace

ResultsPayoutField WinPlacePayoutField(int horse, long payout) {
  return {Z2(std::clamp(horse, 0, 99)), Payout6(payout)};
}

ResultsPayoutField BracketPayoutField(int first, int second, long payout) {
  return {std::to_string(std::clamp(first, 0, 9)) + "-" + std::to_string(std::clamp(second, 0, 9)),
          Payout6(payout)};
}

ResultsPayoutField PairPayoutField(int first, int second, long payout) {
  return {Z2(std::clamp(first, 0, 99)) + "-" + Z2(std::clamp(second, 0, 99)), Payout6(payout)};
}

std::string BracketFlagsField(const std::array<int, 9>& flags) {
  std::string out;
  for (int w = 1; w <= 8; ++w) {
    const int f = flags[static_cast<std::size_t>(w)];
    out += f > 0 && f <= 9 ? static_cast<char>('0' + f) : ' ';
  }
  return out;
}

std::array<std::string, 5> ScratchedSlots(const std::vector<int>& horses) {
  std::array<std::string, 5> out;
  for (std::size_t k = 0; k < out.size(); ++k) {
    out[k] = k < horses.size() ? Z2(std::clamp(horses[k], 0, 99)) : std::string(2, ' ');
  }
  return out;
}

}  // namespace tz
