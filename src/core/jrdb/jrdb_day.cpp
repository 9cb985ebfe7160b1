#include "jrdb/jrdb_day.h"

#include <fmt/format.h>

#include <algorithm>
#include <set>

#include "text/files.h"
#include "text/strings.h"

namespace tz::jrdb {

namespace fs = std::filesystem;

namespace {

// The yymmdd of a name "<kind>yymmdd.TXT", or nothing.
std::optional<std::string> DateOfName(std::string_view name, std::string_view kind) {
  if (name.size() != kind.size() + 10 || !text::StartsWithNoCase(name, kind)) return std::nullopt;
  std::string_view date = name.substr(kind.size(), 6);
  if (date.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
  if (!text::EqualsNoCase(name.substr(kind.size() + 6), ".TXT")) return std::nullopt;
  return std::string(date);
}

class DayBuilder {
 public:
  DayBuilder(JrdbDay& day, const fs::path& folder, const std::string& yymmdd)
      : day_(day), folder_(folder), yymmdd_(yymmdd) {}

  // The bytes of the day's file of a kind, or nothing when there is none.
  std::optional<std::string> Read(const char* kind) {
    auto p = FindJrdbFile(folder_, kind, yymmdd_);
    if (!p) return std::nullopt;
    day_.files[kind] = *p;
    auto bytes = text::ReadFileBytes(*p);
    if (!bytes) day_.problems.push_back({Name(kind), 0, "読めません"});
    return bytes;
  }
  std::string Name(const char* kind) const {
    auto it = day_.files.find(kind);
    return it == day_.files.end() ? std::string(kind) : it->second.filename().string();
  }

  // The race of a record's key, after checking that the key is of this day's year.
  JrdbRace* Race(const RaceKey& key, const char* kind, int line) {
    if (!YearFits(key, kind, line)) return nullptr;
    JrdbRace& r = day_.races[key];
    r.key = key;
    return &r;
  }
  bool YearFits(const RaceKey& key, const char* kind, int line) {
    if (key.year == std::stoi(yymmdd_.substr(0, 2))) return true;
    Fail(kind, line, fmt::format("レースキー「{}」は{}年のレースです", key.Text(), FullYearText(key)));
    return false;
  }
  void Fail(const char* kind, int line, std::string what) {
    day_.problems.push_back({Name(kind), line, std::move(what)});
  }
  // A horse number of a record within the race's field.
  bool NumberFits(const JrdbRace& r, int number, const char* kind, int line) {
    if (r.runners == 0 || number <= r.runners) return true;
    Fail(kind, line, fmt::format("馬番{}は{}頭立てのレースにありません", number, r.runners));
    return false;
  }

 private:
  static std::string FullYearText(const RaceKey& k) { return std::to_string(FullYear(k.year)); }
  JrdbDay& day_;
  fs::path folder_;
  std::string yymmdd_;
};

template <typename Rec>
std::map<RaceKey, Rec> ByRace(DayBuilder& b, const char* kind, std::vector<Rec> records) {
  std::map<RaceKey, Rec> out;
  for (Rec& r : records) {
    if (!out.emplace(r.key, r).second) {
      b.Fail(kind, r.line, fmt::format("レース「{}」が2度あります", r.key.Text()));
    }
  }
  return out;
}

}  // namespace

std::vector<std::string> JrdbDatesInFolder(const fs::path& folder) {
  std::set<std::string> dates;
  for (const std::string& name : text::ListFolder(folder, "*.TXT")) {
    for (const char* kind : kDayFileKinds) {
      if (auto d = DateOfName(name, kind)) dates.insert(*d);
    }
  }
  return {dates.begin(), dates.end()};
}

std::optional<fs::path> FindJrdbFile(const fs::path& folder, std::string_view kind,
                                     std::string_view yymmdd) {
  return text::FindEntry(folder, std::string(kind) + std::string(yymmdd) + ".TXT");
}

std::string FullDate(std::string_view yymmdd) {
  return std::to_string(FullYear(std::stoi(std::string(yymmdd.substr(0, 2))))) +
         std::string(yymmdd.substr(2, 4));
}

JrdbDay ReadJrdbDay(const fs::path& folder, const std::string& yymmdd) {
  JrdbDay day;
  day.date = FullDate(yymmdd);
  DayBuilder b(day, folder, yymmdd);
  std::vector<Problem>& problems = day.problems;

  // The field of each race first: the odds file's count, else the programme's.
  if (auto bytes = b.Read("OZ")) {
    for (auto& [key, rec] : ByRace(b, "OZ", ReadBaseOdds(b.Name("OZ"), *bytes, problems))) {
      // The odds files need the quinella block; a record of win and place odds only is cut.
      if (!rec.hasQuinella) {
        b.Fail("OZ", rec.line, fmt::format("馬連基準ｵｯｽﾞがありません (レコードが{}バイトより短い)", kBaseOddsBytes));
        continue;
      }
      if (JrdbRace* r = b.Race(key, "OZ", rec.line)) {
        r->runners = rec.runners;
        r->odds = rec;
      }
    }
  }
  if (auto bytes = b.Read("BAC")) {
    for (auto& [key, rec] : ByRace(b, "BAC", ReadProgramme(b.Name("BAC"), *bytes, problems))) {
      if (rec.date != day.date) {
        b.Fail("BAC", rec.line, fmt::format("年月日{}はﾌｧｲﾙ名の日付{}ではありません", rec.date, day.date));
        continue;
      }
      if (JrdbRace* r = b.Race(key, "BAC", rec.line)) {
        if (r->runners == 0) r->runners = rec.runners;
        r->programme = rec;
      }
    }
  }
  if (auto bytes = b.Read("OW")) {
    for (auto& [key, rec] : ByRace(b, "OW", ReadWideOdds(b.Name("OW"), *bytes, problems))) {
      if (JrdbRace* r = b.Race(key, "OW", rec.line)) r->wide = rec;
    }
  }

  // Names: SKB with UKC, then KYI (names, jockeys, weights, brackets), then SED.
  std::map<std::string, std::string> nameById;
  if (auto bytes = b.Read("UKC")) {
    for (const auto& h : ReadHorseNames(b.Name("UKC"), *bytes, problems)) nameById[h.horseId] = h.name;
  }
  if (auto bytes = b.Read("SKB")) {
    for (const auto& rec : ReadRunnerIds(b.Name("SKB"), *bytes, problems)) {
      JrdbRace* r = b.Race(rec.key, "SKB", rec.line);
      if (!r || !b.NumberFits(*r, rec.number, "SKB", rec.line)) continue;
      auto name = nameById.find(rec.horseId);
      r->card[rec.number].number = rec.number;
      if (name != nameById.end()) r->card[rec.number].name = name->second;
    }
  }
  if (auto bytes = b.Read("KYI")) {
    for (const auto& rec : ReadHorseEntries(b.Name("KYI"), *bytes, problems)) {
      JrdbRace* r = b.Race(rec.key, "KYI", rec.line);
      if (!r || !b.NumberFits(*r, rec.number, "KYI", rec.line)) continue;
      JrdbRunner& c = r->card[rec.number];
      c.number = rec.number;
      c.bracket = rec.bracket;
      if (c.name.empty()) c.name = rec.name;
      c.jockey = rec.jockey;
      c.weightTenths = rec.weightTenths;
    }
  }
  if (auto bytes = b.Read("SED")) {
    std::set<std::pair<RaceKey, int>> seen;
    for (const auto& rec : ReadResults(b.Name("SED"), *bytes, problems)) {
      JrdbRace* r = b.Race(rec.key, "SED", rec.line);
      if (!r || !b.NumberFits(*r, rec.number, "SED", rec.line)) continue;
      if (!seen.insert({rec.key, rec.number}).second) {
        b.Fail("SED", rec.line, fmt::format("馬番{}が2度あります", rec.number));
        continue;
      }
      JrdbRunner& c = r->card[rec.number];
      c.number = rec.number;
      if (c.name.empty()) c.name = rec.name;
      if (c.jockey.empty()) c.jockey = rec.jockey;
      if (c.weightTenths == 0) c.weightTenths = rec.weightTenths;
      r->results.push_back(rec);
    }
  }
  if (auto bytes = b.Read("HJC")) {
    for (auto& [key, rec] : ByRace(b, "HJC", ReadPayouts(b.Name("HJC"), *bytes, problems))) {
      if (JrdbRace* r = b.Race(key, "HJC", rec.line)) r->payouts = rec;
    }
  }

  // A race known only from its runners gets the field of its highest horse number.
  for (auto& [key, r] : day.races) {
    if (r.runners != 0) continue;
    for (int h = 1; h <= kMaxJrdbRunners; ++h) {
      if (r.card[h].number != 0) r.runners = h;
    }
  }

  // The meetings: one per racecourse, at most three.
  for (const auto& [key, r] : day.races) {
    RaceKey m = key;
    m.race = 0;
    auto same = std::find_if(day.meetings.begin(), day.meetings.end(),
                             [&](const JrdbMeeting& x) { return x.key.course == m.course; });
    if (same == day.meetings.end()) {
      day.meetings.push_back({m, std::nullopt});
    } else if (same->key != m) {
      problems.push_back({"", 0, fmt::format("場コード{:02d}に2つの開催があります ({}, {})", m.course,
                                             same->key.MeetingText(), m.MeetingText())});
    }
  }
  if (day.meetings.size() > 3) {
    std::string list;
    for (const auto& m : day.meetings) list += (list.empty() ? "" : ", ") + m.key.MeetingText();
    problems.push_back({"", 0, fmt::format("{}の開催が{}つあります (3つまで): {}", day.date,
                                           day.meetings.size(), list)});
  }
  if (auto bytes = b.Read("KAB")) {
    for (const auto& rec : ReadMeetings(b.Name("KAB"), *bytes, problems)) {
      if (!b.YearFits(rec.key, "KAB", rec.line)) continue;
      auto m = std::find_if(day.meetings.begin(), day.meetings.end(),
                            [&](const JrdbMeeting& x) { return x.key == rec.key; });
      if (m != day.meetings.end()) m->conditions = rec;
    }
  }
  if (day.races.empty() && problems.empty()) {
    problems.push_back({"", 0, fmt::format("{}のレースがありません (OZ, BAC, SED, KYI, SKBのどれもありません)",
                                           day.date)});
  }
  return day;
}

}  // namespace tz::jrdb
