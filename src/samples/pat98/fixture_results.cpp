#include "samples/pat98/fixture_results.h"

#include <fmt/format.h>

#include <algorithm>
#include <stdexcept>

#include "pat98/file_names.h"
#include "pat98/record_writers.h"
#include "samples/pat98/fixture_writer.h"
#include "text/sjis.h"

namespace tz::fixture {

namespace {

// A two-byte text field padded with full-width blanks (weather and going).
std::string Going(const std::string& utf8) { return text::FixedSjis(utf8 + "　　", 4); }

std::string Blanks(std::size_t n) { return std::string(n, ' '); }

template <typename T>
const T* Nth(const std::vector<T>& v, std::size_t k) {
  return k < v.size() ? &v[k] : nullptr;
}

ResultsPayoutField Single(const SinglePayout* p) {
  return p ? WinPlacePayoutField(p->horse, p->payout) : ResultsPayoutField{};
}
ResultsPayoutField Bracket(const PairPayout* p) {
  return p ? BracketPayoutField(p->first, p->second, p->payout) : ResultsPayoutField{};
}
ResultsPayoutField Pair(const PairPayout* p) {
  return p ? PairPayoutField(p->first, p->second, p->payout) : ResultsPayoutField{};
}

// The first `take` entries of a payout list as the N record fields (empty fields after them).
template <std::size_t N, typename T, typename F>
std::array<ResultsPayoutField, N> Fields(const std::vector<T>& v, F field, std::size_t take = N) {
  std::array<ResultsPayoutField, N> out;
  for (std::size_t k = 0; k < N && k < take; ++k) out[k] = field(Nth(v, k));
  return out;
}

// The entries of a per-day record, each in its entry layout.
template <typename T, typename F>
std::string Entries(const std::vector<T>& v, std::size_t n, F field,
                    std::string (*entry)(const ResultsPayoutField&)) {
  std::string out;
  for (std::size_t k = 0; k < n; ++k) out += entry(field(Nth(v, k)));
  return out;
}

std::string Slots(const std::vector<int>& horses) {
  std::string out;
  for (const std::string& s : ScratchedSlots(horses)) out += s;
  return out;
}

void Put(const std::filesystem::path& folder, const std::string& name, const std::string& bytes) {
  if (std::string err = WriteFixture(folder, name, bytes); !err.empty()) {
    throw std::runtime_error(err);
  }
}

}  // namespace

std::string ResultsFileBytes(const ResultsFile& f) {
  ResultsFileRecord r;
  // The race as "KS" and its numbers (not read).
  r.head = text::FixedSjis(
      fmt::format("KS{:02d}{}{:02d}{:02d}{:02d}", f.course, f.yearDigit, f.kai, f.day, f.race), 22);
  r.weather = Going(f.weather);
  r.turfGoing = Going(f.turfGoing);
  r.dirtGoing = Going(f.dirtGoing);
  for (std::size_t i = 0; i < r.finishers.size(); ++i) {
    if (const ResultFinisher* x = Nth(f.finishers, i)) {
      r.finishers[i] = FinisherField(x->place, x->horse, x->name, x->time);
    }
  }
  r.withWide = f.withWide;
  r.win = Fields<3>(f.win, Single);
  r.place = Fields<5>(f.place, Single);
  r.bracket = Fields<3>(f.bracket, Bracket);
  r.quinella = Fields<3>(f.quinella, Pair);
  if (f.withWide) r.wide = Fields<7>(f.wide, Pair, 5);  // the five the reader takes
  r.scratched = ScratchedSlots(f.scratched);
  r.bracketFlags = BracketFlagsField(f.bracketFlags);
  return ResultsRecordBytes(r);
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
  std::string b = text::FixedSjis(fmt::format("{}{:02d}{}{:02d}{:02d}", DayPayoutPrefix(kind), f.course,
                                              f.yearDigit, f.kai, f.day),
                                  20);
  for (int race = 1; race <= 12; ++race) {
    auto it = std::find_if(f.races.begin(), f.races.end(), [&](const DayPayoutRace& r) { return r.race == race; });
    DayPayoutRace none;
    none.race = race;
    none.status = '0';
    const DayPayoutRace& r = it != f.races.end() ? *it : none;
    char status = r.status;
    if (kind == DayPayoutKind::Quinella && r.quinellaStatus) status = r.quinellaStatus;
    if (kind == DayPayoutKind::Wide && r.wideStatus) status = r.wideStatus;
    std::string rec = fmt::format("{:02d}", race) + status + " ";
    switch (kind) {
      case DayPayoutKind::Win:
        rec += Entries(r.win, 3, Single, WinPlaceEntryBytes) + Blanks(10);
        break;
      case DayPayoutKind::Place:
        rec += Entries(r.place, 5, Single, WinPlaceEntryBytes) + Blanks(10);
        break;
      case DayPayoutKind::Bracket:
        rec += Entries(r.bracket, 3, Bracket, BracketEntryBytes) + BracketFlagsField(r.bracketFlags);
        break;
      case DayPayoutKind::Quinella:
        rec += Entries(r.quinella, 3, Pair, PairEntryBytes) + Slots(r.scratched);
        break;
      case DayPayoutKind::Wide:
        rec += Entries(r.wide, 5, Pair, PairEntryBytes) + Blanks(70) + Slots(r.scratched);
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
