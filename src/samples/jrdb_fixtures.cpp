#include "samples/jrdb_fixtures.h"

#include <fmt/format.h>

#include <cctype>
#include <stdexcept>

#include "pat98/file_names.h"
#include "text/files.h"
#include "text/sjis.h"

namespace tz::fixture::jrdb {

namespace {

// A record of `length` blanks filled field by field.
class Record {
 public:
  explicit Record(std::size_t length) : bytes_(length, ' ') {}
  // Shift_JIS bytes of the text, left-aligned and cut to the width.
  Record& Text(std::size_t offset, std::size_t width, std::string_view utf8) {
    return Raw(offset, text::FixedSjis(utf8, width));
  }
  // A text right-aligned in its field.
  Record& Right(std::size_t offset, std::size_t width, std::string_view s) {
    std::string v(s.substr(0, width));
    return Raw(offset, std::string(width - v.size(), ' ') + v);
  }
  Record& Zero(std::size_t offset, std::size_t width, long v) {
    return Raw(offset, fmt::format("{:0{}d}", v, width));
  }
  Record& Raw(std::size_t offset, std::string_view b) {
    bytes_.replace(offset, b.size(), b);
    return *this;
  }
  std::string str() const { return bytes_; }

 private:
  std::string bytes_;
};

void Pool(Record& r, std::size_t offset, std::size_t count, std::size_t numberWidth,
          std::size_t amountWidth, const std::vector<Payout>& entries, bool zeroFilledEmpty) {
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t at = offset + i * (numberWidth + amountWidth);
    if (i < entries.size()) {
      r.Raw(at, entries[i].numbers.substr(0, numberWidth));
      r.Right(at + numberWidth, amountWidth, std::to_string(entries[i].amount));
    } else if (zeroFilledEmpty) {
      r.Raw(at, std::string(numberWidth, '0'));
      r.Right(at + numberWidth, amountWidth, "0");
    }
  }
}

void OddsList(Record& r, std::size_t offset, const std::vector<std::string>& values) {
  for (std::size_t i = 0; i < values.size(); ++i) r.Right(offset + 5 * i, 5, values[i]);
}

}  // namespace

std::string KeyText(const Key& k, bool withRace) {
  std::string key = fmt::format("{:02d}{:02d}", k.course, k.year % 100);
  key += static_cast<char>(std::tolower(static_cast<unsigned char>(FileCodeChar(k.kai))));
  key += static_cast<char>(std::tolower(static_cast<unsigned char>(FileCodeChar(k.day))));
  if (withRace) key += fmt::format("{:02d}", k.race);
  return key;
}

std::string BaseOddsLine(const BaseOdds& o) {
  Record r(o.quinella.empty() ? 190 : 955);
  r.Raw(0, KeyText(o.key)).Right(8, 2, std::to_string(o.win.size()));
  OddsList(r, 10, o.win);
  OddsList(r, 100, o.place);
  OddsList(r, 190, o.quinella);
  return r.str();
}

std::string WideOddsLine(const WideOdds& o) {
  Record r(778);
  r.Raw(0, KeyText(o.key)).Right(8, 2, std::to_string(o.runners));
  OddsList(r, 10, o.wide);
  return r.str();
}

std::string RunnerIdLine(const Key& k, int number, std::string_view horseId) {
  return Record(302).Raw(0, KeyText(k)).Zero(8, 2, number).Text(10, 8, horseId).str();
}

std::string HorseNameLine(std::string_view horseId, std::string_view name) {
  return Record(290).Text(0, 8, horseId).Text(8, 36, name).str();
}

std::string HorseEntryLine(const HorseEntry& e) {
  Record r(1022);
  r.Raw(0, KeyText(e.key)).Zero(8, 2, e.number).Text(10, 8, e.horseId).Text(18, 36, e.name);
  r.Right(95, 5, e.baseOdds).Text(171, 12, e.jockey).Zero(183, 3, e.weightTenths);
  r.Text(187, 12, e.trainer).Right(323, 1, e.bracket > 0 ? std::to_string(e.bracket) : "");
  return r.str();
}

std::string ProgrammeLine(const Programme& p) {
  Record r(182);
  r.Raw(0, KeyText(p.key)).Text(8, 8, p.date).Text(16, 4, p.postTime).Zero(20, 4, p.distance);
  r.Zero(24, 1, p.surface).Text(36, 50, p.raceName).Zero(94, 2, p.runners);
  r.Text(106, 18, p.shortName).Text(160, 8, p.saleFlags);
  return r.str();
}

std::string MeetingLine(const Meeting& m) {
  Record r(70);
  r.Raw(0, KeyText(m.key, false)).Text(6, 8, m.date).Zero(21, 1, m.weather);
  r.Text(22, 2, m.turfGoing).Text(40, 2, m.dirtGoing);
  return r.str();
}

std::string ResultLine(const Result& x) {
  Record r(374);
  r.Raw(0, KeyText(x.key)).Zero(8, 2, x.number).Text(10, 8, x.horseId).Text(26, 36, x.name);
  r.Zero(62, 4, x.distance).Zero(66, 1, x.surface).Text(69, 2, x.going).Text(80, 50, x.raceName);
  r.Zero(130, 2, x.runners).Zero(140, 2, x.place).Zero(142, 1, x.abnormal).Text(143, 4, x.time);
  r.Zero(147, 3, x.weightTenths).Text(150, 12, x.jockey).Right(174, 6, x.finalWinOdds);
  r.Zero(180, 2, x.popularity);
  return r.str();
}

std::string PayoutsLine(const Payouts& p) {
  Record r(442);
  r.Raw(0, KeyText(p.key));
  Pool(r, 8, 3, 2, 7, p.win, p.zeroFilledEmpty);
  Pool(r, 35, 5, 2, 7, p.place, p.zeroFilledEmpty);
  Pool(r, 80, 3, 2, 7, p.bracket, p.zeroFilledEmpty);
  Pool(r, 107, 3, 4, 8, p.quinella, p.zeroFilledEmpty);
  Pool(r, 143, 7, 4, 8, p.wide, p.zeroFilledEmpty);
  Pool(r, 227, 6, 4, 8, p.exacta, p.zeroFilledEmpty);
  Pool(r, 299, 3, 6, 8, p.trio, p.zeroFilledEmpty);
  Pool(r, 341, 6, 6, 9, p.trifecta, p.zeroFilledEmpty);
  return r.str();
}

std::string FileBytes(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& l : lines) out += l + "\r\n";
  return out;
}

void WriteFiles(const std::filesystem::path& folder,
                const std::vector<std::pair<std::string, std::string>>& files) {
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  for (const auto& [name, bytes] : files) {
    std::string err = text::WriteFileAtomic(folder / name, bytes);
    if (!err.empty()) throw std::runtime_error(name + ": " + err);
  }
}

}  // namespace tz::fixture::jrdb
