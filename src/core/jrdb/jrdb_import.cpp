#include "jrdb/jrdb_import.h"

#include <fmt/format.h>

#include <algorithm>
#include <cmath>
#include <system_error>

#include "pat98/day_loader.h"
#include "pat98/file_names.h"
#include "pat98/odds_reader.h"
#include "pat98/record_writers.h"
#include "pat98/tote.h"
#include "session.h"
#include "text/files.h"
#include "text/numbers.h"
#include "text/sjis.h"

namespace tz::jrdb {

namespace fs = std::filesystem;

namespace {

// The time written into the odds headers and the meeting guide: JRDB's base odds are the
// morning's market, before the first race.
constexpr int kOddsHour = 9;
constexpr int kOddsMinute = 0;
constexpr const char* kNoProgrammeTitle = "JRDB基準オッズ";

const char* const kWeather[] = {"", "晴", "曇", "小雨", "雨", "小雪", "雪"};
const char* const kGoing[] = {"", "良", "稍重", "重", "不良"};

std::string WeatherText(int code) { return code >= 1 && code <= 6 ? kWeather[code] : ""; }
std::string GoingText(int code) { return code >= 1 && code <= 4 ? kGoing[code] : ""; }

// An odds text of the base-odds files as a value: blank, 0.0 and 999.9 (JRDB's "no odds") are
// none.
std::optional<double> OddsOf(const std::string& t) {
  if (t.empty()) return std::nullopt;
  const double v = text::Val(t);
  if (!(v > 0) || t == "999.9") return std::nullopt;
  return v;
}

std::string PostTimeOf(const JrdbRace& r) { return r.programme ? r.programme->postTime : ""; }

std::string Title1(const JrdbRace& r) {
  if (r.programme) {
    if (!r.programme->raceName.empty()) return r.programme->raceName;
    if (!r.programme->shortName.empty()) return r.programme->shortName;
  }
  for (const ResultRecord& x : r.results) {
    if (!x.raceName.empty()) return x.raceName;
  }
  return fmt::format("{}{}R", RacecourseTableName(r.key.course), r.key.race);
}

const char* SurfaceText(int code, bool shortForm) {
  switch (code) {
    case 1: return "芝";
    case 2: return shortForm ? "ダ" : "ダート";
    case 3: return shortForm ? "障" : "障害";
    default: return "";
  }
}

std::string Title2(const JrdbRace& r) {
  if (!r.programme) return kNoProgrammeTitle;
  return fmt::format("{}{}ｍ", SurfaceText(r.programme->surface, false), r.programme->distance);
}

OddsFileHeader Header(const JrdbDay& day, const JrdbRace& r) {
  OddsFileHeader h;
  h.date = day.date;
  h.courseName = RacecourseTableName(r.key.course);
  h.year = FullYear(r.key.year);
  h.kai = r.key.kai;
  h.day = r.key.day;
  h.race = r.key.race;
  h.timeKind = 0;
  h.hour = kOddsHour;
  h.minute = kOddsMinute;
  h.title1 = Title1(r);
  h.title2 = Title2(r);
  h.horseCount = r.runners;
  return h;
}

// Horses with base win odds; the others are written as scratched.
std::array<bool, kMaxJrdbRunners + 1> Running(const BaseOddsRecord& oz) {
  std::array<bool, kMaxJrdbRunners + 1> on{};
  for (int h = 1; h <= oz.runners; ++h) on[h] = OddsOf(oz.win[h]).has_value();
  return on;
}

OddsFileRecord OddsRecord(const JrdbDay& day, const JrdbRace& r) {
  const BaseOddsRecord& oz = *r.odds;
  OddsFileRecord f;
  f.header = Header(day, r);
  const auto on = Running(oz);
  for (int h = 1; h <= oz.runners; ++h) {
    OddsFileHorse x;
    x.number = h;
    if (!on[h]) {
      x.win = x.placeLow = x.placeHigh = kScratchedOdds5;
    } else {
      x.win = OddsValueText(*OddsOf(oz.win[h]), 5);
      // One base place value: it is both the lower and the upper place odds.
      auto place = OddsOf(oz.place[h]);
      x.placeLow = x.placeHigh = place ? OddsValueText(*place, 5) : std::string(5, ' ');
    }
    f.horses.push_back(x);
  }
  // Bracket quinella from the quinella market: each bracket pair takes the implied
  // probabilities of its horse pairs, paid out at the pair rate.
  const int n = oz.runners;
  std::vector<std::vector<double>> implied(n + 1, std::vector<double>(n + 1, 0));
  double total = 0;
  for (int i = 1; i < n; ++i) {
    for (int j = i + 1; j <= n; ++j) {
      auto q = oz.hasQuinella ? OddsOf(oz.quinella[PairIndex(i, j)]) : std::nullopt;
      if (!on[i] || !on[j] || !q) continue;
      implied[i][j] = 1.0 / *q;
      total += implied[i][j];
    }
  }
  const auto odds = BracketOddsFromPairs(BracketsForField(n), n, implied, total);
  for (int a = 1; a <= 8; ++a) {
    for (int b = a; b <= 8; ++b) {
      if (!odds[a][b]) {
        f.bracket[a][b] = std::string(5, ' ');
      } else if (*odds[a][b] == 0) {
        f.bracket[a][b] = kScratchedOdds5;
      } else {
        f.bracket[a][b] = OddsValueText(*odds[a][b], 5);
      }
    }
  }
  return f;
}

QuinellaFileRecord QuinellaRecord(const JrdbDay& day, const JrdbRace& r, bool withWide) {
  const BaseOddsRecord& oz = *r.odds;
  QuinellaFileRecord q;
  q.header = Header(day, r);
  q.withWide = withWide;
  const auto on = Running(oz);
  for (int i = 1; i < oz.runners; ++i) {
    for (int j = i + 1; j <= oz.runners; ++j) {
      const int k = PairIndex(i, j);
      auto value = oz.hasQuinella ? OddsOf(oz.quinella[k]) : std::nullopt;
      if (!on[i] || !on[j] || !value) {
        q.quinella[i][j] = kScratchedOdds6;
        q.wideLow[i][j] = q.wideHigh[i][j] = kScratchedOdds5;
        continue;
      }
      q.quinella[i][j] = OddsValueText(*value, 6);
      // One base wide value: both bounds; without it the pair's wide odds stay blank.
      auto wide = r.wide ? OddsOf(r.wide->wide[k]) : std::nullopt;
      q.wideLow[i][j] = q.wideHigh[i][j] = wide ? OddsValueText(*wide, 5) : std::string(5, ' ');
    }
  }
  return q;
}

int Month(const JrdbDay& day) { return std::stoi(day.date.substr(4, 2)); }
int DayOfMonth(const JrdbDay& day) { return std::stoi(day.date.substr(6, 2)); }

RaceCardFile RaceCard(const JrdbDay& day, const JrdbRace& r) {
  RaceCardFile c;
  c.year = FullYear(r.key.year);
  c.month = Month(day);
  c.day = DayOfMonth(day);
  c.courseCode = r.key.course;
  c.courseName = RacecourseTableName(r.key.course);
  c.kai = r.key.kai;
  c.dayOfMeeting = r.key.day;
  c.race = r.key.race;
  c.postTime = PostTimeOf(r);
  c.track = r.programme ? SurfaceText(r.programme->surface, true) : "";
  c.distance = r.programme ? std::to_string(r.programme->distance) : "";
  c.title1 = Title1(r);
  c.title2 = Title2(r);
  const auto brackets = BracketsForField(r.runners);
  for (int h = 1; h <= r.runners; ++h) {
    const JrdbRunner& x = r.card[h];
    RaceCardEntry e;
    e.bracket = brackets[h];
    e.number = h;
    e.name = x.name;
    if (!x.jockey.empty()) e.jockey = text::DecodeSjis(text::FixedSjis(x.jockey, 8)) + "　　　　　";
    e.weight = x.weightTenths > 0 ? fmt::format("{}.{}", x.weightTenths / 10, x.weightTenths % 10) : "";
    c.runners.push_back(e);
  }
  return c;
}

// "1.10.3" from JRDB's MSST.
std::string TimeText(const std::string& msst) {
  if (msst.size() != 4) return {};
  return fmt::format("{}.{}.{}", msst.substr(0, 1), msst.substr(1, 2), msst.substr(3, 1));
}

int Digits(const std::string& s, std::size_t at) { return std::stoi(s.substr(at, 2)); }

template <std::size_t N, typename Make>
int FillPool(std::array<ResultsPayoutField, N>& out, const std::vector<PayoutEntry>& in, Make make) {
  std::size_t k = 0;
  for (const PayoutEntry& e : in) {
    if (k >= N) break;
    out[k++] = make(e);
  }
  return static_cast<int>(k);
}

ResultsFileRecord ResultsRecord(const JrdbDay& day, const JrdbRace& r,
                                const std::optional<MeetingConditionsRecord>& conditions, int* payouts) {
  ResultsFileRecord x;
  x.head = ResultsRecordHead(FullYear(r.key.year), Month(day), DayOfMonth(day),
                             RacecourseTableName(r.key.course), r.key.kai, r.key.day, r.key.race);
  if (conditions) {
    x.weather = text::EncodeSjis(WeatherText(conditions->weather));
    x.turfGoing = text::EncodeSjis(GoingText(conditions->turfGoing));
    x.dirtGoing = text::EncodeSjis(GoingText(conditions->dirtGoing));
  }
  x.title = text::EncodeSjis(Title1(r));

  // The first five places; horses that did not finish have place 0.
  std::vector<const ResultRecord*> placed;
  std::vector<int> scratched;
  for (const ResultRecord& h : r.results) {
    if (h.place > 0) placed.push_back(&h);
    if (h.abnormal == 1 || h.abnormal == 2) scratched.push_back(h.number);
  }
  std::stable_sort(placed.begin(), placed.end(), [](const ResultRecord* a, const ResultRecord* b) {
    return a->place != b->place ? a->place < b->place : a->number < b->number;
  });
  for (std::size_t k = 0; k < placed.size() && k < x.finishers.size(); ++k) {
    const ResultRecord& h = *placed[k];
    x.finishers[k] = FinisherField(h.place, h.number, h.name, TimeText(h.time));
  }
  x.scratched = ScratchedSlots(scratched);
  x.bracketFlags = BracketFlagsField({});

  const int sale = SaleCode(r);
  int count = 0;
  auto winPlace = [](const PayoutEntry& e) { return WinPlacePayoutField(Digits(e.numbers, 0), e.amount); };
  auto pair = [](const PayoutEntry& e) {
    return PairPayoutField(Digits(e.numbers, 0), Digits(e.numbers, 2), e.amount);
  };
  if (r.payouts) {
    const PayoutsRecord& p = *r.payouts;
    x.withWide = sale == 31 || !p.wide.empty();
    count += FillPool(x.win, p.win, winPlace);
    count += FillPool(x.place, p.place, winPlace);
    count += FillPool(x.bracket, p.bracket, [](const PayoutEntry& e) {
      return BracketPayoutField(e.numbers[0] - '0', e.numbers[1] - '0', e.amount);
    });
    count += FillPool(x.quinella, p.quinella, pair);
    if (x.withWide) count += FillPool(x.wide, p.wide, pair);
  } else {
    // Without the payout file only the win pool is known: the winners' final odds times 100.
    x.withWide = sale == 31;
    std::vector<PayoutEntry> wins;
    for (const ResultRecord* h : placed) {
      auto odds = OddsOf(h->finalWinOdds);
      if (h->place == 1 && odds) wins.push_back({fmt::format("{:02d}", h->number), std::lround(*odds * 100)});
    }
    count += FillPool(x.win, wins, winPlace);
  }
  *payouts += count;
  return x;
}

std::string RaceFile(std::string_view prefix, const RaceKey& k) {
  return RaceFileName(prefix, k.course, k.day, k.race);
}

}  // namespace

int SaleCode(const JrdbRace& race) {
  if (!race.programme) return race.wide ? 31 : 15;
  const auto& s = race.programme->sale;  // 単勝, 複勝, 枠連, 馬連, 馬単, ワイド, ３連複, ３連単
  if (s[3] && s[5]) return 31;
  if (s[3]) return 15;
  if (s[0] || s[1] || s[2]) return 7;
  return 0;
}

BuiltDay BuildPat98Day(const JrdbDay& day) {
  BuiltDay out;
  out.date = day.date;
  ImportCounts& n = out.counts;
  n.meetings = static_cast<int>(day.meetings.size());

  bool anyConditions = false;
  MeetingGuideFile guide;
  guide.date = day.date;
  guide.hour = kOddsHour;
  guide.minute = kOddsMinute;
  for (std::size_t m = 0; m < day.meetings.size(); ++m) {
    const JrdbMeeting& meeting = day.meetings[m];
    BettingGuideRecord g;
    g.date = day.date;
    g.courseCode = meeting.key.course;
    g.year = FullYear(meeting.key.year);
    g.kai = meeting.key.kai;
    g.day = meeting.key.day;
    for (const auto& [key, r] : day.races) {
      if (key.course == meeting.key.course) g.saleCodes[key.race] = SaleCode(r);
    }
    out.files.push_back({BettingGuideFileName(static_cast<int>(m) + 1), BettingGuideBytes(g)});
    MeetingWeatherRecord w;
    if (meeting.conditions) {
      anyConditions = true;
      w.weather = WeatherText(meeting.conditions->weather);
      w.turfGoing = GoingText(meeting.conditions->turfGoing);
      w.dirtGoing = GoingText(meeting.conditions->dirtGoing);
      w.weatherCode = meeting.conditions->weather;
    }
    guide.meetings.push_back(w);
  }
  if (anyConditions) out.files.push_back({std::string(kMeetingGuideFileName), MeetingGuideBytes(guide)});

  for (const auto& [key, r] : day.races) {
    ++n.races;
    n.runners += r.runners;
    const int sale = SaleCode(r);
    if (r.odds) {
      out.files.push_back({RaceFile(kOddsFilePrefix, key), OddsRecordBytes(OddsRecord(day, r))});
      if (sale == 15 || sale == 31) {
        out.files.push_back({RaceFile(kQuinellaFilePrefix, key),
                             QuinellaRecordBytes(QuinellaRecord(day, r, sale == 31))});
      }
    }
    out.files.push_back({RaceCardFileName(key.course, key.day, key.race), RaceCardBytes(RaceCard(day, r))});
    if (!r.results.empty() || r.payouts) {
      auto meeting =
          std::find_if(day.meetings.begin(), day.meetings.end(),
                       [course = key.course](const JrdbMeeting& m) { return m.key.course == course; });
      ++n.results;
      out.files.push_back(
          {ResultsFileName(key.course, FullYear(key.year) % 10, key.kai, key.day, key.race),
           ResultsRecordBytes(ResultsRecord(day, r, meeting->conditions, &n.payouts))});
    }
  }
  // The base-odds file goes along as it is, for the base-odds columns of the odds area.
  if (auto oz = day.files.find("OZ"); oz != day.files.end()) {
    if (auto bytes = text::ReadFileBytes(oz->second)) {
      out.files.push_back({"jrdb/" + oz->second.filename().string(), *bytes});
    }
  }
  return out;
}

std::vector<std::string> ExistingDayFiles(const fs::path& folder, const std::vector<DayFile>& files) {
  std::vector<std::string> out;
  for (const DayFile& f : files) {
    const fs::path rel(f.name);
    if (text::FindEntry(folder / rel.parent_path(), rel.filename().string())) out.push_back(f.name);
  }
  return out;
}

std::string WriteDayFiles(const fs::path& folder, const std::vector<DayFile>& files, bool overwrite,
                          std::vector<std::string>* written) {
  if (!overwrite) {
    auto existing = ExistingDayFiles(folder, files);
    if (!existing.empty()) return fmt::format("{}: {}", (folder / existing[0]).string(), kJrdbExistsMessage);
  }
  struct Done {
    fs::path path;
    std::optional<std::string> previous;  // the bytes of the file replaced
  };
  std::vector<Done> done;
  std::vector<fs::path> createdFolders;
  auto undo = [&] {
    for (auto it = done.rbegin(); it != done.rend(); ++it) {
      std::error_code ec;
      if (it->previous) {
        text::WriteFileAtomic(it->path, *it->previous);
      } else {
        fs::remove(it->path, ec);
      }
    }
    for (auto it = createdFolders.rbegin(); it != createdFolders.rend(); ++it) {
      std::error_code ec;
      fs::remove(*it, ec);  // only when it is empty again
    }
  };
  auto makeFolder = [&](const fs::path& p) -> std::string {
    // Each missing level is created and remembered, so that a failure removes only those.
    std::vector<fs::path> missing;
    fs::path start = p.lexically_normal();
    if (!start.has_filename()) start = start.parent_path();  // "day/" is "day"
    for (fs::path q = start; !q.empty() && !text::FolderExists(q); q = q.parent_path()) {
      missing.push_back(q);
      if (q == q.parent_path()) break;
    }
    for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
      std::error_code ec;
      fs::create_directory(*it, ec);
      if (ec || !text::FolderExists(*it)) {
        return fmt::format("{}: ﾌｫﾙﾀﾞを作れません ({})", it->string(),
                           ec ? ec.message() : std::string("ﾌｧｲﾙがあります"));
      }
      createdFolders.push_back(*it);
    }
    return {};
  };
  for (const DayFile& f : files) {
    const fs::path rel(f.name);
    const fs::path dir = rel.has_parent_path() ? folder / rel.parent_path() : folder;
    std::string err = makeFolder(dir);
    const fs::path path = text::ResolveName(dir, rel.filename().string());
    std::optional<std::string> previous;
    if (err.empty() && fs::exists(path)) {
      previous = text::ReadFileBytes(path);
      if (!previous) err = fmt::format("{}: 上書きできません", path.string());
    }
    if (err.empty()) {
      err = text::WriteFileAtomic(path, f.bytes);
      if (!err.empty()) err = fmt::format("{}: {}", path.string(), err);
    }
    if (!err.empty()) {
      undo();
      if (written) written->clear();
      return err;
    }
    done.push_back({path, previous});
    if (written) written->push_back(f.name);
  }
  return {};
}

ImportReport ImportJrdbDate(const fs::path& jrdbFolder, const std::string& yymmdd, const fs::path& out,
                            bool overwrite) {
  return ImportJrdbDate(jrdbFolder, yymmdd, out,
                        [overwrite](const std::vector<std::string>&) { return overwrite; });
}

ImportReport ImportJrdbDate(const fs::path& jrdbFolder, const std::string& yymmdd, const fs::path& out,
                            const OverwriteQuestion& mayOverwrite) {
  ImportReport rep;
  rep.date = FullDate(yymmdd);
  rep.folder = out;
  JrdbDay day = ReadJrdbDay(jrdbFolder, yymmdd);
  if (!day.problems.empty()) {
    for (const Problem& p : day.problems) rep.error += (rep.error.empty() ? "" : "\n") + ProblemText(p);
    return rep;
  }
  BuiltDay built = BuildPat98Day(day);
  rep.counts = built.counts;
  const auto existing = ExistingDayFiles(out, built.files);
  const bool overwrite = !existing.empty() && mayOverwrite(existing);
  if (!existing.empty() && !overwrite) {
    rep.declined = true;
    rep.error = fmt::format("{}: {}", (out / existing[0]).string(), kJrdbExistsMessage);
    return rep;
  }
  rep.error = WriteDayFiles(out, built.files, overwrite, &rep.files);
  rep.ok = rep.error.empty();
  return rep;
}

ImportReport ImportJrdbDay(const fs::path& jrdbFolder, const fs::path& out, bool overwrite) {
  return ImportJrdbDay(jrdbFolder, out, [overwrite](const std::vector<std::string>&) { return overwrite; });
}

ImportReport ImportJrdbDay(const fs::path& jrdbFolder, const fs::path& out,
                           const OverwriteQuestion& mayOverwrite) {
  const auto dates = JrdbDatesInFolder(jrdbFolder);
  if (dates.size() == 1) return ImportJrdbDate(jrdbFolder, dates[0], out, mayOverwrite);
  ImportReport rep;
  rep.folder = out;
  if (dates.empty()) {
    rep.error = fmt::format("{}\n{}", kJrdbNoDayMessage, jrdbFolder.string());
  } else {
    std::string list;
    for (const auto& d : dates) list += (list.empty() ? "" : ", ") + FullDate(d);
    rep.error = fmt::format("{}\n{}: {}", kJrdbSeveralDatesMessage, jrdbFolder.string(), list);
  }
  return rep;
}

std::vector<ImportReport> ImportJrdbSeason(const fs::path& jrdbFolder, const fs::path& storeRoot,
                                           bool overwrite, UserPort& port, TimeOfDay now) {
  std::vector<ImportReport> reports;
  const auto dates = JrdbDatesInFolder(jrdbFolder);
  if (dates.empty()) {
    ImportReport rep;
    rep.error = fmt::format("{}\n{}", kJrdbNoDayMessage, jrdbFolder.string());
    reports.push_back(rep);
    return reports;
  }
  const int total = static_cast<int>(dates.size());
  port.Progress(0, total);
  for (int k = 0; k < total; ++k) {
    const std::string date = FullDate(dates[k]);
    const std::string iso = date.substr(0, 4) + "-" + date.substr(4, 2) + "-" + date.substr(6, 2);
    const std::string name = overwrite ? iso : DatedFolderName(storeRoot, iso, now);
    reports.push_back(ImportJrdbDate(jrdbFolder, dates[k], storeRoot / name, overwrite));
    port.Progress(k + 1, total);
    port.ProcessPendingEvents();
  }
  port.Progress(0, 0);
  return reports;
}

std::string ImportSummary(const ImportReport& r) {
  const std::string iso = r.date.size() == 8
                              ? r.date.substr(0, 4) + "-" + r.date.substr(4, 2) + "-" + r.date.substr(6, 2)
                              : std::string("-");
  if (!r.ok) return fmt::format("{}: 変換できません\n{}", iso, r.error);
  const ImportCounts& c = r.counts;
  return fmt::format("{}: {}開催 {}ﾚｰｽ {}頭 成績{} 払戻{}", iso, c.meetings, c.races, c.runners, c.results,
                     c.payouts);
}

}  // namespace tz::jrdb
