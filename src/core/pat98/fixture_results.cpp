#include "pat98/fixture_results.h"

#include <fmt/format.h>

#include <algorithm>
#include <stdexcept>

#include "pat98/fixture_writer.h"
#include "results/results_reader.h"

namespace tz::fixture {

namespace {

// A two-byte text field padded with full-width blanks (weather and going).
std::string Going(const std::string& utf8) { return SjisFixed(utf8 + "　　", 4); }

std::string Z2(int v) { return fmt::format("{:02d}", std::clamp(v, 0, 99)); }
std::string Payout6(long v) { return fmt::format("{:>6}", std::clamp(v, 0L, 999999L)); }
std::string Blanks(std::size_t n) { return std::string(n, ' '); }

template <typename T>
const T* Nth(const std::vector<T>& v, std::size_t k) {
  return k < v.size() ? &v[k] : nullptr;
}

// Win / place entry, 10 characters: horse (2), 2 unused, payout (6).
std::string SingleEntry(const SinglePayout* p) {
  if (!p) return Blanks(10);
  return Z2(p->horse) + "  " + Payout6(p->payout);
}
// Bracket quinella entry, 12 characters: unused, first, unused, second, 2 unused, payout.
std::string BracketEntry(const PairPayout* p) {
  if (!p) return Blanks(12);
  return " " + std::to_string(std::clamp(p->first, 0, 9)) + "-" +
         std::to_string(std::clamp(p->second, 0, 9)) + "  " + Payout6(p->payout);
}
// Quinella / wide entry, 14 characters: unused, first (2), unused, second (2), 2 unused, payout.
std::string PairEntry(const PairPayout* p) {
  if (!p) return Blanks(14);
  return " " + Z2(p->first) + "-" + Z2(p->second) + "  " + Payout6(p->payout);
}

std::string Slots(const std::vector<int>& horses) {
  std::string out;
  for (std::size_t k = 0; k < 5; ++k) out += k < horses.size() ? Z2(horses[k]) : Blanks(2);
  return out;
}

std::string Flags(const std::array<int, 9>& flags) {
  std::string out;
  for (int w = 1; w <= 8; ++w) {
    int f = flags[static_cast<std::size_t>(w)];
    out += f > 0 && f <= 9 ? static_cast<char>('0' + f) : ' ';
  }
  return out;
}

template <typename T, typename F>
std::string Entries(const std::vector<T>& v, std::size_t n, F entry) {
  std::string out;
  for (std::size_t k = 0; k < n; ++k) out += entry(Nth(v, k));
  return out;
}

void Put(const std::filesystem::path& folder, const std::string& name, const std::string& bytes) {
  if (std::string err = WriteFixture(folder, name, bytes); !err.empty()) {
    throw std::runtime_error(err);
  }
}

}  // namespace

std::string ResultsFileBytes(const ResultsFile& f) {
  std::string b;
  // Header: race identification (not read), weather, turf and dirt going, padding.
  b += SjisFixed(fmt::format("KS{:02d}{}{:02d}{:02d}{:02d}", f.course, f.yearDigit, f.kai, f.day, f.race), 22);
  b += Going(f.weather);
  b += Going(f.turfGoing);
  b += Going(f.dirtGoing);
  b += Blanks(56);
  for (std::size_t i = 0; i < 5; ++i) {
    const ResultFinisher* r = Nth(f.finishers, i);
    if (!r || r->place <= 0) {
      b += Blanks(40);
      continue;
    }
    b += static_cast<char>('0' + std::clamp(r->place, 0, 9));
    b += ' ';
    b += Z2(r->horse);
    b += SjisFixed(r->name, 18);
    b += SjisFixed(r->time, 6);
    b += Blanks(12);
  }
  b += Blanks(84);

  std::string pay;
  if (f.withWide) pay += ' ';
  pay += Entries(f.win, 3, SingleEntry);
  pay += Entries(f.place, 5, SingleEntry);
  pay += Entries(f.bracket, 3, BracketEntry);
  pay += Entries(f.quinella, 3, PairEntry);
  if (f.withWide) {
    pay += Entries(f.wide, 5, PairEntry);
    pay += Blanks(71);
  } else {
    pay += Blanks(2);
  }
  pay += Slots(f.scratched);
  pay += Flags(f.bracketFlags);
  b += pay;
  b += "\r\n";
  return b;
}

std::filesystem::path WriteResultsFile(const std::filesystem::path& folder, const ResultsFile& f) {
  std::string name = ResultsFileName(f.course, f.yearDigit, f.kai, f.day, f.race);
  Put(folder, name, ResultsFileBytes(f));
  return folder / name;
}

const char* DayPayoutPrefix(DayPayoutKind kind) {
  switch (kind) {
    case DayPayoutKind::Win: return "TH-";
    case DayPayoutKind::Place: return "FH-";
    case DayPayoutKind::Bracket: return "WH-";
    case DayPayoutKind::Quinella: return "UH-";
    case DayPayoutKind::Wide: return "KH-";
  }
  return "";
}

std::string DayPayoutFileBytes(const DayPayoutFiles& f, DayPayoutKind kind) {
  std::string b = SjisFixed(fmt::format("{}{:02d}{}{:02d}{:02d}", DayPayoutPrefix(kind), f.course,
                                        f.yearDigit, f.kai, f.day),
                            20);
  for (int race = 1; race <= 12; ++race) {
    auto it = std::find_if(f.races.begin(), f.races.end(), [&](const DayPayoutRace& r) { return r.race == race; });
    DayPayoutRace none;
    none.race = race;
    none.status = '0';
    const DayPayoutRace& r = it != f.races.end() ? *it : none;
    std::string rec = Z2(race) + r.status + " ";
    switch (kind) {
      case DayPayoutKind::Win:
        rec += Entries(r.win, 3, SingleEntry) + Blanks(10);
        break;
      case DayPayoutKind::Place:
        rec += Entries(r.place, 5, SingleEntry) + Blanks(10);
        break;
      case DayPayoutKind::Bracket:
        rec += Entries(r.bracket, 3, BracketEntry) + Flags(r.bracketFlags);
        break;
      case DayPayoutKind::Quinella:
        rec += Entries(r.quinella, 3, PairEntry) + Slots(r.scratched);
        break;
      case DayPayoutKind::Wide:
        rec += Entries(r.wide, 5, PairEntry) + Blanks(70) + Slots(r.scratched);
        break;
    }
    b += rec;
  }
  b += "\r\n";
  return b;
}

void WriteDayPayoutFiles(const std::filesystem::path& folder, const DayPayoutFiles& f,
                         std::initializer_list<DayPayoutKind> kinds) {
  for (DayPayoutKind kind : kinds) {
    Put(folder, PayoutFileName(DayPayoutPrefix(kind), f.course, f.yearDigit, f.kai, f.day),
        DayPayoutFileBytes(f, kind));
  }
}

}  // namespace tz::fixture
