#include "results/results_reader.h"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <optional>

#include "pat98/race_model.h"
#include "results/history.h"
#include "session.h"
#include "text/files.h"
#include "text/numbers.h"
#include "text/sjis.h"
#include "text/strings.h"

namespace tz {

namespace {

constexpr std::size_t kHeaderBytes = 90;
constexpr std::size_t kFinisherBytes = 40;
constexpr std::size_t kPayoutSectionByte = 285;  // body byte where the payout section begins
constexpr std::size_t kLayoutAChars = 178;       // through the bracket flags
constexpr std::size_t kLayoutBChars = 318;
constexpr int kRefundPairsUpTo = 18;             // pair refunds always run to horse 18

// A number field: blanks around decimal digits. Nothing when it holds anything else or is blank.
std::optional<long> Number(std::string_view field) {
  std::string t = text::Trim(field);
  if (t.empty() || t.size() > 9) return std::nullopt;
  long v = 0;
  for (char c : t) {
    if (c < '0' || c > '9') return std::nullopt;
    v = v * 10 + (c - '0');
  }
  return v;
}

bool IsBlank(std::string_view field) { return text::Trim(field).empty(); }

std::string Two(int v) { return fmt::format("{:02d}", std::clamp(v, 0, 99)); }

// The payout field as the results file and the win, place and bracket files leave it in the
// table: the value as decimal digits, left-aligned in six characters.
std::string LeftPayout(long v) { return fmt::format("{:<6}", v); }

// One entry as read: numbers and the payout field ready for the record.
struct Entry {
  int first = 0;
  int second = 0;
  std::string payout;  // six characters
};

// How a reader treats an entry that holds something other than numbers.
enum class Damaged { Fail, Skip };

// Collects records while a file is read, so that a file failing half-way changes nothing.
struct Reading {
  std::string key;
  std::vector<PayoutRecord> priced;
  std::vector<PayoutRecord> refunds;
  std::string refundHorses;
  bool failed = false;

  void Add(int kind, int first, int second, const std::string& payout) {
    priced.push_back(key + static_cast<char>('0' + kind) + Two(first) + Two(second) + payout);
  }
  void Refund(int kind, int first, int second) {
    refunds.push_back(key + static_cast<char>('0' + kind) + Two(first) + Two(second) + "000000");
  }
  // Win and place refunds and the pair refunds of the given kinds for scratched horse h.
  void ScratchedHorse(int h, std::initializer_list<int> kinds) {
    for (int kind : kinds) {
      if (kind == 1 || kind == 2) {
        Refund(kind, 0, h);
        continue;
      }
      for (int x = 1; x < h; ++x) Refund(kind, x, h);
      for (int x = h + 1; x <= kRefundPairsUpTo; ++x) Refund(kind, h, x);
    }
  }
  // Bracket quinella refunds for bracket w with flag digit f: 1 voids every combination with w
  // (w-w included), 2 only w-w.
  void BracketFlag(int w, char f) {
    if (f == '1') {
      for (int x = 1; x <= w; ++x) Refund(3, x, w);
      for (int x = w + 1; x <= kMaxBrackets; ++x) Refund(3, w, x);
    } else if (f == '2') {
      Refund(3, w, w);
    }
  }
};

// A win or place entry (10 characters): horse at 1-2, payout at 5-10.
std::optional<Entry> SingleEntry(std::string_view e, Damaged how, Reading& rd, bool leftAlign) {
  std::string_view horse = e.substr(0, 2);
  if (IsBlank(horse)) return std::nullopt;
  auto h = Number(horse);
  auto v = Number(e.substr(4, 6));
  if (!h || !v || *h < 1 || *h > kMaxHorses) {
    if (how == Damaged::Fail) rd.failed = true;
    return std::nullopt;
  }
  return Entry{0, static_cast<int>(*h), leftAlign ? LeftPayout(*v) : std::string(e.substr(4, 6))};
}

// A bracket quinella entry (12 characters): brackets at 2 and 4, payout at 7-12.
std::optional<Entry> BracketEntry(std::string_view e, Damaged how, Reading& rd) {
  if (IsBlank(e.substr(1, 1))) return std::nullopt;
  auto a = Number(e.substr(1, 1));
  auto b = Number(e.substr(3, 1));
  auto v = Number(e.substr(6, 6));
  if (!a || !b || !v || *a < 1 || *a > kMaxBrackets || *b < 1 || *b > kMaxBrackets) {
    if (how == Damaged::Fail) rd.failed = true;
    return std::nullopt;
  }
  return Entry{static_cast<int>(*a), static_cast<int>(*b), LeftPayout(*v)};
}

// A quinella or wide entry (14 characters): horses at 2-3 and 5-6, payout at 9-14.
std::optional<Entry> PairEntry(std::string_view e, Damaged how, Reading& rd, bool leftAlign) {
  if (IsBlank(e.substr(1, 2))) return std::nullopt;
  auto a = Number(e.substr(1, 2));
  auto b = Number(e.substr(4, 2));
  auto v = Number(e.substr(8, 6));
  if (!a || !b || !v || *a < 1 || *a > kMaxHorses || *b < 1 || *b > kMaxHorses) {
    if (how == Damaged::Fail) rd.failed = true;
    return std::nullopt;
  }
  return Entry{static_cast<int>(*a), static_cast<int>(*b),
               leftAlign ? LeftPayout(*v) : std::string(e.substr(8, 6))};
}

// A scratched-horse slot (2 characters): the horse, nothing when blank or not a horse number.
std::optional<int> ScratchedSlot(std::string_view slot, Damaged how, Reading& rd) {
  if (IsBlank(slot)) return std::nullopt;
  auto h = Number(slot);
  if (!h || *h < 1 || *h > kMaxHorses) {
    if (how == Damaged::Fail) rd.failed = true;
    return std::nullopt;
  }
  return static_cast<int>(*h);
}

// The characters of a decoded ASCII section (one byte per character once decoded as CP932,
// except double-byte characters, which a payout section never holds where it is read). Works on
// code points so that a stray double-byte character cannot shift later fields.
struct Section {
  std::u32string chars;
  explicit Section(std::string_view utf8) : chars(text::ToU32(utf8)) {}
  std::size_t size() const { return chars.size(); }
  // Characters start..start+len-1 (1-based) as UTF-8; missing positions are blanks.
  std::string At(std::size_t start, std::size_t len) const {
    std::u32string out;
    for (std::size_t i = start; i < start + len; ++i) {
      out.push_back(i >= 1 && i <= chars.size() ? chars[i - 1] : U' ');
    }
    return text::ToU8(out);
  }
};

void ResetFinishers(ResultState& r) {
  r.FinisherPlace.fill(0);
  r.FinisherHorse.fill(0);
  for (auto& n : r.FinisherName) n.clear();
  for (auto& t : r.FinisherTime) t.clear();
}

// Adds what a reading collected to the tables. Priced records go at PayoutCount, refunds at
// ResultEntryCount; records beyond those counts (left from an earlier race) are dropped first.
void Commit(ResultState& r, Reading& rd) {
  r.PayoutTable.resize(static_cast<std::size_t>(std::max(0, r.PayoutCount)));
  for (auto& p : rd.priced) r.PayoutTable.push_back(std::move(p));
  r.PayoutCount = static_cast<int>(r.PayoutTable.size());
  r.RefundTable.resize(static_cast<std::size_t>(std::max(0, r.ResultEntryCount)));
  for (auto& p : rd.refunds) r.RefundTable.push_back(std::move(p));
  r.ResultEntryCount = static_cast<int>(r.RefundTable.size());
  r.RefundHorsesText += rd.refundHorses;
}

// Horse names in the results are shown half-width, with the prolonged-sound mark as "-".
std::string ResultHorseName(std::string_view decoded) {
  std::string half = text::ToHalfWidth(decoded);
  static constexpr std::string_view kMark = "ｰ";
  for (std::size_t at = half.find(kMark); at != std::string::npos; at = half.find(kMark, at + 1)) {
    half.replace(at, kMark.size(), "-");
  }
  return half;
}

// The per-day files in reading order: prefix, the payouts it holds, text buffer length, record
// length.
struct DayFile {
  const char* prefix;
  PayoutsFound payouts;
  std::size_t bufferChars;
  std::size_t recordChars;
};
constexpr std::array<DayFile, 5> kDayFiles{{
    {"TH-", PayoutsFound::Win, 656, 44},
    {"FH-", PayoutsFound::Place, 936, 64},
    {"WH-", PayoutsFound::Bracket, 712, 48},
    {"UH-", PayoutsFound::Quinella, 824, 56},
    {"KH-", PayoutsFound::Wide, 2196, 154},
}};

}  // namespace

std::string RaceKey(int course, int race) { return Two(course) + Two(race); }

int PayoutKind(const PayoutRecord& r) {
  if (r.size() < 5 || r[4] < '1' || r[4] > '5') return 0;
  return r[4] - '0';
}
int PayoutFirst(const PayoutRecord& r) { return static_cast<int>(text::Val(text::MidB(r, 6, 2))); }
int PayoutSecond(const PayoutRecord& r) { return static_cast<int>(text::Val(text::MidB(r, 8, 2))); }
long PayoutValue(const PayoutRecord& r) { return static_cast<long>(text::Val(text::MidB(r, 10, 6))); }

bool ReadResultsFile(ResultState& r, const AppState& app, text::FolderIndex& folders, int course,
                     int yearDigit, int kai, int day, int race) {
  r.ResultWeather.clear();
  r.ResultTurfGoing.clear();
  r.ResultDirtGoing.clear();
  r.ResultsAvailability = PayoutsFound::None;
  auto path = folders.FindFile(app.DataFolder, ResultsFileName(course, yearDigit, kai, day, race));
  if (!path) return true;
  auto bytes = text::ReadFileBytes(*path);
  if (!bytes) {
    ResetFinishers(r);
    return false;
  }
  return ReadResultsBytes(r, *bytes, course, race);
}

bool ReadResultsBytes(ResultState& r, std::string_view bytes, int course, int race) {
  r.ResultWeather.clear();
  r.ResultTurfGoing.clear();
  r.ResultDirtGoing.clear();
  r.ResultsAvailability = PayoutsFound::None;
  ResetFinishers(r);

  // The body is everything after the header except the file's last byte. It must reach through
  // the finishers into the payout section far enough to tell the layout.
  if (bytes.size() < kHeaderBytes + 1) return false;
  std::string_view body = bytes.substr(kHeaderBytes, bytes.size() - kHeaderBytes - 1);
  if (body.size() < kPayoutSectionByte - 1 + 3) return false;
  Section pay(text::DecodeSjis(body.substr(kPayoutSectionByte - 1)));
  const bool layoutB = pay.At(3, 1) != " ";
  if (pay.size() < (layoutB ? kLayoutBChars : kLayoutAChars)) return false;

  Reading rd;
  rd.key = RaceKey(course, race);

  // Finishers, kept aside until the whole file has been read.
  std::array<int, 5> place{}, horse{};
  std::array<std::string, 5> name, time;
  for (std::size_t i = 0; i < 5; ++i) {
    std::string_view rec = body.substr(i * kFinisherBytes, kFinisherBytes);
    char p = rec[0];
    if (p == ' ') continue;
    auto h = Number(rec.substr(2, 2));
    if (p < '0' || p > '9' || !h || *h < 1 || *h > kMaxHorses) return false;
    place[i] = p - '0';
    horse[i] = static_cast<int>(*h);
    name[i] = ResultHorseName(text::DecodeSjis(rec.substr(4, 18)));
    time[i] = text::DecodeSjis(rec.substr(22, 6));
  }

  const std::size_t o = layoutB ? 1 : 0;  // layout B is shifted by one character
  for (int k = 0; k < 3; ++k) {
    if (auto e = SingleEntry(pay.At(1 + o + 10 * k, 10), Damaged::Fail, rd, true)) rd.Add(1, 0, e->second, e->payout);
  }
  for (int k = 0; k < 5; ++k) {
    if (auto e = SingleEntry(pay.At(31 + o + 10 * k, 10), Damaged::Fail, rd, true)) rd.Add(2, 0, e->second, e->payout);
  }
  for (int k = 0; k < 3; ++k) {
    if (auto e = BracketEntry(pay.At(81 + o + 12 * k, 12), Damaged::Fail, rd)) rd.Add(3, e->first, e->second, e->payout);
  }
  for (int k = 0; k < 3; ++k) {
    if (auto e = PairEntry(pay.At(117 + o + 14 * k, 14), Damaged::Fail, rd, true)) rd.Add(4, e->first, e->second, e->payout);
  }
  if (layoutB) {
    for (int k = 0; k < 5; ++k) {
      if (auto e = PairEntry(pay.At(160 + 14 * k, 14), Damaged::Fail, rd, true)) rd.Add(5, e->first, e->second, e->payout);
    }
  }
  const std::size_t slots = layoutB ? 301 : 161;
  for (int k = 0; k < 5; ++k) {
    auto h = ScratchedSlot(pay.At(slots + 2 * k, 2), Damaged::Fail, rd);
    if (!h) continue;
    rd.refundHorses += std::to_string(*h) + ",";
    if (layoutB) {
      rd.ScratchedHorse(*h, {1, 2, 4, 5});
    } else {
      rd.ScratchedHorse(*h, {1, 2, 4});
    }
  }
  const std::size_t flags = layoutB ? 311 : 171;
  for (int w = 1; w <= kMaxBrackets; ++w) {
    std::string f = pay.At(flags + static_cast<std::size_t>(w) - 1, 1);
    rd.BracketFlag(w, f.size() == 1 ? f[0] : ' ');
  }
  if (rd.failed) return false;

  r.ResultWeather = text::FieldB(bytes, 23, 4);
  r.ResultTurfGoing = text::FieldB(bytes, 27, 4);
  r.ResultDirtGoing = text::FieldB(bytes, 31, 4);
  r.FinisherPlace = place;
  r.FinisherHorse = horse;
  r.FinisherName = name;
  r.FinisherTime = time;
  Commit(r, rd);
  r.ResultsAvailability = PayoutsFound::All;
  return true;
}

void ReadPayoutFiles(ResultState& r, const RaceModel& raceModel, const AppState& app,
                     text::FolderIndex& folders, int course, int yearDigit, int kai, int day,
                     int race) {
  r.FinisherPlace.fill(3);
  r.FinisherHorse.fill(0);
  for (auto& n : r.FinisherName) n.clear();
  for (auto& t : r.FinisherTime) t.clear();
  r.ResultTurfGoing = "    ";
  r.ResultDirtGoing = "    ";
  r.WinPayoutCount = r.PlacePayoutCount = r.QuinellaPayoutCount = 0;
  r.ResultsAvailability = PayoutsFound::None;
  if (race < 1 || race > kMaxRaces) return;

  auto nameOf = [&](int h) {
    return h >= 1 && h <= kMaxHorses ? raceModel.HorseName[static_cast<std::size_t>(h - 1)]
                                     : std::string();
  };
  PayoutsFound found = PayoutsFound::None;
  for (const DayFile& f : kDayFiles) {
    auto path =
        folders.FindFile(app.DataFolder, PayoutFileName(f.prefix, course, yearDigit, kai, day));
    if (!path) continue;
    auto bytes = text::ReadFileBytes(*path);
    if (!bytes) continue;
    // Body: bytes 21 to the end less the last byte, in a buffer of fixed length (padded with
    // blanks or cut), so a short file simply has blank records.
    std::string_view b = *bytes;
    std::string_view bodyBytes = b.size() > 21 ? b.substr(20, b.size() - 21) : std::string_view();
    Section buf(text::DecodeSjis(bodyBytes));
    buf.chars.resize(f.bufferChars, U' ');
    const std::size_t at = (static_cast<std::size_t>(race) - 1) * f.recordChars + 1;
    if (at + f.recordChars - 1 > f.bufferChars) continue;
    Section rec(buf.At(at, f.recordChars));
    const std::string status = rec.At(3, 1);
    if (status != "1" && status != "5") continue;
    found |= f.payouts;
    if (status != "1") continue;

    Reading rd;
    rd.key = RaceKey(course, race);
    const std::string prefix = f.prefix;
    if (prefix == "TH-" || prefix == "FH-") {
      const bool win = prefix == "TH-";
      int& count = win ? r.WinPayoutCount : r.PlacePayoutCount;
      for (int k = 0; k < (win ? 3 : 5); ++k) {
        auto e = SingleEntry(rec.At(5 + 10 * static_cast<std::size_t>(k), 10), Damaged::Skip, rd, true);
        if (!e) continue;
        rd.Add(win ? 1 : 2, 0, e->second, e->payout);
        if (count < 5) {
          r.FinisherHorse[static_cast<std::size_t>(count)] = e->second;
          r.FinisherName[static_cast<std::size_t>(count)] = nameOf(e->second);
        }
        ++count;
      }
    } else if (prefix == "WH-") {
      r.QuinellaPayoutCount = 0;
      for (int k = 0; k < 3; ++k) {
        auto e = BracketEntry(rec.At(5 + 12 * static_cast<std::size_t>(k), 12), Damaged::Skip, rd);
        if (!e) continue;
        rd.Add(3, e->first, e->second, e->payout);
        ++r.QuinellaPayoutCount;
      }
      for (int w = 1; w <= kMaxBrackets; ++w) {
        rd.BracketFlag(w, rec.At(40 + static_cast<std::size_t>(w), 1)[0]);
      }
    } else if (prefix == "UH-") {
      r.QuinellaPayoutCount = 0;
      for (int k = 0; k < 3; ++k) {
        auto e = PairEntry(rec.At(5 + 14 * static_cast<std::size_t>(k), 14), Damaged::Skip, rd, false);
        if (!e) continue;
        rd.Add(4, e->first, e->second, e->payout);
        ++r.QuinellaPayoutCount;
      }
      for (int k = 0; k < 5; ++k) {
        auto h = ScratchedSlot(rec.At(47 + 2 * static_cast<std::size_t>(k), 2), Damaged::Skip, rd);
        if (!h) continue;
        rd.refundHorses += std::to_string(*h) + ",";
        rd.ScratchedHorse(*h, {1, 2, 4});
      }
    } else {  // KH-
      for (int k = 0; k < 5; ++k) {
        auto e = PairEntry(rec.At(5 + 14 * static_cast<std::size_t>(k), 14), Damaged::Skip, rd, false);
        if (e) rd.Add(5, e->first, e->second, e->payout);
      }
      for (int k = 0; k < 5; ++k) {
        auto h = ScratchedSlot(rec.At(145 + 2 * static_cast<std::size_t>(k), 2), Damaged::Skip, rd);
        if (h) rd.ScratchedHorse(*h, {5});
      }
    }
    Commit(r, rd);
  }
  r.ResultsAvailability = found;

  // Places from the numbers of payouts: the winners (one per win payout), then the horses of
  // the quinella payouts after them share the next place, and entries beyond the place payouts
  // are no finishers. One winner, one quinella and three place payouts give 1, 2, 3; two win
  // payouts give 1, 1, 3; two quinella payouts give 1, 2, 2.
  const int w = std::clamp(r.WinPayoutCount, 0, 5);
  for (int i = 0; i < w; ++i) r.FinisherPlace[static_cast<std::size_t>(i)] = 1;
  for (int i = w; i <= std::min(r.QuinellaPayoutCount, 4); ++i) {
    r.FinisherPlace[static_cast<std::size_t>(i)] = r.WinPayoutCount + 1;
  }
  int placed = std::max(r.PlacePayoutCount, r.WinPayoutCount);
  for (int i = std::max(placed, 0); i <= 4; ++i) r.FinisherPlace[static_cast<std::size_t>(i)] = 0;
}

void MergeRefunds(ResultState& r) {
  r.PayoutTable.resize(static_cast<std::size_t>(std::clamp<int>(r.PayoutCount, 0, static_cast<int>(r.PayoutTable.size()))));
  r.PayoutCount = static_cast<int>(r.PayoutTable.size());
  const std::size_t refunds = std::min<std::size_t>(static_cast<std::size_t>(std::max(0, r.ResultEntryCount)), r.RefundTable.size());
  r.PayoutTable.insert(r.PayoutTable.end(), r.RefundTable.begin(), r.RefundTable.begin() + static_cast<std::ptrdiff_t>(refunds));
  r.ResultEntryCount = r.PayoutCount + static_cast<int>(refunds);
}

void ReadRaceResults(Session& s, UserPort& port, ResultsRead what) {
  ResultState& r = s.results;
  RaceModel& race = s.race;
  r.PayoutCount = 0;
  r.ResultEntryCount = 0;
  r.PayoutTable.clear();
  r.RefundTable.clear();
  s.history.VoteCount = 0;
  s.history.HitListText.clear();
  r.RefundHorsesText.clear();
  r.FinisherPlace.fill(0);
  r.FinisherHorse.fill(0);

  if (what != ResultsRead::VotesOnly) {
    s.history.HitMessage.clear();
    if (!ReadResultsFile(r, s.app, s.folders, race.CurrentCourse, race.OddsHeaderDigit,
                         race.OddsKai, race.OddsDay, race.CurrentRace)) {
      port.Error(s.app.AppTitle, kNotAResultsFile);
      race.LoadStatus = 0;
      return;
    }
    if (r.ResultsAvailability != PayoutsFound::All) {
      ReadPayoutFiles(r, race, s.app, s.folders, race.CurrentCourse, race.OddsHeaderDigit,
                      race.OddsKai, race.OddsDay, race.CurrentRace);
    }
    if (HasAll(r.ResultsAvailability, PayoutsFound::AllButWide)) MergeRefunds(r);
    if (what == ResultsRead::ResultsOnly) {
      race.LoadStatus = 0;
      return;
    }
  }
  // The vote list, voting log, advance-sale votes, hit check and history text.
  RunHistorySteps(s, port);
  race.LoadStatus = 0;
}

}  // namespace tz
