#include "backtest/backtest.h"

#include <algorithm>
#include <chrono>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include <fmt/format.h>

#include "analysis/vote_shares.h"
#include "exports/contest.h"
#include "exports/day_batch.h"
#include "pat98/day_loader.h"
#include "results/results_reader.h"
#include "session.h"
#include "text/files.h"
#include "text/strings.h"

namespace tz {

namespace fs = std::filesystem;

const char* BacktestPoolName(BacktestPool pool) {
  switch (pool) {
    case BacktestPool::Win: return "win";
    case BacktestPool::Place: return "place";
    case BacktestPool::Quinella: return "quinella";
  }
  return "";
}

PoolTally& PoolTally::operator+=(const PoolTally& o) {
  races += o.races;
  bets += o.bets;
  hits += o.hits;
  stake += o.stake;
  ret += o.ret;
  return *this;
}

namespace {

// part / whole x 100 in tenths, rounded half up, as a number with one decimal.
double PercentOneDecimal(std::int64_t part, std::int64_t whole) {
  if (whole <= 0) return 0;
  const std::int64_t tenths = (part * 2000 + whole) / (2 * whole);
  return static_cast<double>(tenths) / 10.0;
}

}  // namespace

double RecoveryRate(const PoolTally& t) { return PercentOneDecimal(t.ret, t.stake); }
double HitRate(const PoolTally& t) { return PercentOneDecimal(t.hits, t.bets); }

void AddTable(BacktestTable& into, const BacktestTable& from) {
  for (const auto& [key, tally] : from) into[key] += tally;
}

// The one place that reads the analysis of a race.
RaceAnalysisView ReadRaceAnalysis(const Session& s) {
  const RaceAnalysis& ra = s.raceAnalysis;
  RaceAnalysisView view;
  view.RaceType = ra.RaceTypeCode.size() == 3 ? ra.RaceTypeCode : std::string();
  for (int p = 1; p <= ra.RunnerCount; ++p) {
    RaceAnalysisView::Runner runner;
    runner.Horse = ra.Horse[p];
    for (int i = 0; i < kIndicatorCount; ++i) runner.Rank[i] = ra.Rank[i][p];
    runner.Mark = ra.Mark[p];
    view.Runners.push_back(runner);
  }
  return view;
}

RacePayouts ReadRacePayouts(const ResultState& results) {
  RacePayouts out;
  const int count = PricedCount(results);
  for (int i = 0; i < count; ++i) {
    const PayoutRecord& rec = results.PayoutTable[i];
    const int first = PayoutFirst(rec);
    const int second = PayoutSecond(rec);
    const std::int64_t yen = PayoutValue(rec);
    switch (PayoutKind(rec)) {
      case 1: out.win.push_back({second, yen}); break;
      case 2: out.place.push_back({second, yen}); break;
      case 3: out.bracket.push_back({first, second, yen}); break;
      case 4: out.quinella.push_back({first, second, yen}); break;
      default: break;  // wide is not bet
    }
  }
  return out;
}

std::int64_t SingleReturn(const std::vector<RacePayouts::Single>& records, int horse) {
  std::int64_t sum = 0;
  for (const auto& r : records) {
    if (r.horse == horse) sum += r.yen;
  }
  return sum;
}

std::int64_t PairReturn(const std::vector<RacePayouts::Pair>& records, int first, int second) {
  std::int64_t sum = 0;
  for (const auto& r : records) {
    if (r.first == first && r.second == second) sum += r.yen;
  }
  return sum;
}

std::vector<ContestRuleBets> ContestRuleBetsOfRace(const Session& s) {
  // The full pattern: form 1, axis ranks 1-2, then the axis and the partner indicators.
  std::vector<ContestRuleBets> out;
  for (int rank = 1; rank <= 2; ++rank) {
    for (int axisIndicator = 1; axisIndicator <= kContestIndicatorCount; ++axisIndicator) {
      for (int partner = 1; partner <= kContestIndicatorCount; ++partner) {
        const ContestRule rule{axisIndicator, rank, partner, kContestFlow};
        const int axis = ContestAxisHorse(s, rule);
        const auto partners = ContestPartners(s, partner, axis);
        ContestRuleBets bets;
        bets.order = static_cast<int>(out.size());
        bets.rule = ContestRuleCode(rule);
        bets.pairs = ContestPairs(s, axis, partners, rule.Form);
        out.push_back(std::move(bets));
      }
    }
  }
  return out;
}

BacktestTable ScoreRace(const RaceAnalysisView& view, const RacePayouts& payouts,
                        bool bracketOnly, const std::vector<ContestRuleBets>& contest) {
  BacktestTable t;
  const auto bet = [&t](const BacktestKey& key, std::int64_t ret) {
    PoolTally& x = t[key];
    x.races = 1;
    ++x.bets;
    x.stake += kTicketYen;
    x.ret += ret;
    if (ret > 0) ++x.hits;
  };
  constexpr std::array<BacktestPool, 2> kSinglePools{BacktestPool::Win, BacktestPool::Place};
  for (const auto& runner : view.Runners) {
    for (BacktestPool pool : kSinglePools) {
      const auto& records = pool == BacktestPool::Win ? payouts.win : payouts.place;
      const std::int64_t ret = SingleReturn(records, runner.Horse);
      if (runner.Mark != LongshotMark::None) {
        bet({BacktestGroupKind::Mark, static_cast<int>(runner.Mark), MarkText(runner.Mark),
             pool},
            ret);
        if (!view.RaceType.empty()) bet({BacktestGroupKind::RaceClass, 0, view.RaceType, pool}, ret);
      }
      for (int i = 0; i < static_cast<int>(kBacktestIndicators.size()); ++i) {
        const int rank = runner.Rank[i];
        if (rank < 1 || rank > 5) continue;
        const std::string group = std::string(1, kBacktestIndicators[i]) + std::to_string(rank);
        bet({BacktestGroupKind::Indicator, i * 5 + rank - 1, group, pool}, ret);
      }
    }
  }
  const auto& pairRecords = bracketOnly ? payouts.bracket : payouts.quinella;
  for (const ContestRuleBets& rule : contest) {
    for (const auto& [first, second] : rule.pairs) {
      bet({BacktestGroupKind::Contest, rule.order, rule.rule, BacktestPool::Quinella},
          PairReturn(pairRecords, first, second));
    }
  }
  return t;
}

namespace {

// A day's own port: nobody is there to answer. Questions are declined, since each would have
// the program write into the saved day (a pseudo betting guide); errors are kept as the
// reasons of skipped races and days.
class DayPort : public UserPort {
 public:
  std::vector<std::string> errors;
  void Error(std::string_view, std::string_view text) override { errors.emplace_back(text); }
  void Info(std::string_view, std::string_view) override {}
  void Warning(std::string_view, std::string_view text) override { errors.emplace_back(text); }
  Answer Ask(std::string_view, std::string_view, Buttons buttons, Icon, Answer) override {
    switch (buttons) {
      case Buttons::Ok: return Answer::Ok;
      case Buttons::YesNo: return Answer::No;
      default: return Answer::Cancel;
    }
  }

  // The messages since `mark`, one line.
  std::string Since(std::size_t mark) const {
    std::string out;
    for (std::size_t i = mark; i < errors.size(); ++i) {
      if (!out.empty()) out += " / ";
      out += errors[i];
    }
    for (char& c : out) {
      if (c == '\n' || c == '\r') c = ' ';
    }
    return out;
  }
};

// Reasons of skipped races, with the messages the day's port received meanwhile.
void Skip(BacktestDay& day, int meeting, int race, const char* reason, const std::string& detail) {
  day.skipped.push_back({day.folder, meeting, race, reason, detail});
}

BacktestDay BrokenDay(const std::string& folder, const std::string& why,
                      const std::string& detail = {}) {
  BacktestDay day;
  day.folder = folder;
  day.broken = true;
  day.skipped.push_back({folder, 0, 0, why, detail});
  return day;
}

// The races on sale whose odds were never downloaded: a day run passes over them silently.
void SkipRacesWithoutOdds(const RaceModel& r, BacktestDay& day) {
  for (int m = 1; m <= std::min(r.MeetingCount, kMaxMeetings); ++m) {
    const int course = r.MeetingInfo[m].CourseCode;
    if (course < 1 || course > kMaxCourses) continue;
    for (int race = 1; race <= kMaxRaces; ++race) {
      if (r.RaceSaleCode[m][race] == 0) continue;
      if (!text::StartsWithNoCase(r.OddsFileIndex[course][race], "Z")) {
        Skip(day, m, race, kSkipNoOdds, {});
      }
    }
  }
}

void ScoreDay(Session& s, DayPort& port, BacktestDay& day) {
  SkipRacesWithoutOdds(s.race, day);
  int scoredKey = 0;
  const auto currentKey = [&s] { return s.race.CurrentMeeting * 100 + s.race.CurrentRace; };
  DayRunHooks hooks;
  std::size_t mark = 0;
  hooks.analysed = [&](int m, int race) {
    scoredKey = currentKey();
    if (RunnerCount(s) < 2) {
      Skip(day, m, race, kSkipRefused, "fewer than two runners");
      return;
    }
    const std::size_t before = port.errors.size();
    ReadRaceResults(s, port, ResultsRead::ResultsOnly);
    if (port.errors.size() > before) {
      Skip(day, m, race, kSkipUnreadableResults, port.Since(before));
      return;
    }
    if (!HasAll(s.results.ResultsAvailability, PayoutsFound::AllButWide)) {
      Skip(day, m, race, kSkipNoResults, {});
      return;
    }
    AddTable(day.table, ScoreRace(ReadRaceAnalysis(s), ReadRacePayouts(s.results),
                                  s.race.CurrentSaleCode == 7, ContestRuleBetsOfRace(s)));
    ++day.races;
  };
  hooks.progress = [&](int) {
    if (scoredKey != currentKey()) {
      Skip(day, s.race.CurrentMeeting, s.race.CurrentRace, kSkipRefused, port.Since(mark));
    }
    mark = port.errors.size();
  };
  if (!RunDayBatch(s, port, hooks)) throw std::runtime_error(port.Since(mark));
  std::stable_sort(day.skipped.begin(), day.skipped.end(), [](const auto& a, const auto& b) {
    return std::pair(a.meeting, a.race) < std::pair(b.meeting, b.race);
  });
}

}  // namespace

BacktestDay BacktestOneDay(const AppState& base, const fs::path& folder) {
  const std::string name = folder.string();
  try {
    if (!text::FolderExists(folder)) return BrokenDay(name, kSkipNoFolder);
    auto s = std::make_unique<Session>();
    s->app = base;
    s->app.DataFolder = folder;
    s->app.ReloadAllWindows = 0;
    // The sibling programs are not told about the days a backtest opens.
    s->app.CurrentFolderFile.clear();
    if (const auto jrdb = text::FindEntry(folder, "jrdb"); jrdb && text::FolderExists(*jrdb)) {
      s->app.settings.OZpath = jrdb->string();
    }
    DayPort port;
    const int status = LoadCurrentData(*s, port);
    if (status != 0 || s->race.MeetingCount == 0) {
      std::string detail = "LoadStatus " + std::to_string(status);
      if (const std::string said = port.Since(0); !said.empty()) detail += ": " + said;
      return BrokenDay(name, kSkipNoDay, detail);
    }
    BacktestDay day;
    day.folder = name;
    day.date = s->race.GuideDateIso;
    ScoreDay(*s, port, day);
    return day;
  } catch (const std::exception& e) {
    return BrokenDay(name, kSkipRunEnded, e.what());
  } catch (...) {
    return BrokenDay(name, kSkipRunEnded);
  }
}

std::vector<fs::path> SavedDayFolders(const fs::path& storeRoot) {
  std::vector<fs::path> out;
  std::error_code ec;
  for (fs::directory_iterator it(storeRoot, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code dirEc;
    if (!it->is_directory(dirEc)) continue;
    const std::string name = it->path().filename().string();
    const auto digits = [&](std::size_t from, std::size_t n) {
      for (std::size_t i = from; i < from + n; ++i) {
        if (i >= name.size() || name[i] < '0' || name[i] > '9') return false;
      }
      return true;
    };
    const bool dated = name.size() >= 10 && digits(0, 4) && name[4] == '-' && digits(5, 2) &&
                       name[7] == '-' && digits(8, 2) && (name.size() == 10 || name[10] == '(');
    if (dated) out.push_back(it->path());
  }
  std::sort(out.begin(), out.end(), [](const fs::path& a, const fs::path& b) {
    return a.filename().string() < b.filename().string();
  });
  return out;
}

BacktestResult RunBacktest(const AppState& base, const std::vector<fs::path>& folders, int jobs,
                           BacktestProgress& progress) {
  const std::size_t n = folders.size();
  if (jobs <= 0) jobs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  jobs = static_cast<int>(std::clamp<std::size_t>(static_cast<std::size_t>(jobs), 1, std::max<std::size_t>(n, 1)));

  std::vector<std::optional<BacktestDay>> days(n);
  std::mutex mu;
  std::size_t next = 0;
  bool stopped = false;
  BacktestProgressInfo info;
  info.daysTotal = static_cast<int>(n);
  const auto start = std::chrono::steady_clock::now();

  const auto worker = [&] {
    for (;;) {
      std::size_t i = 0;
      {
        std::lock_guard<std::mutex> lock(mu);
        if (!stopped && next < n && progress.Cancelled()) stopped = true;
        if (stopped || next >= n) return;
        i = next++;
      }
      BacktestDay day = BacktestOneDay(base, folders[i]);
      std::lock_guard<std::mutex> lock(mu);
      ++info.daysDone;
      info.races += day.races;
      info.elapsedSeconds =
          std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      info.remainingSeconds =
          info.elapsedSeconds / info.daysDone * static_cast<double>(info.daysTotal - info.daysDone);
      days[i] = std::move(day);
      progress.DayDone(info);
    }
  };
  std::vector<std::thread> threads;
  for (int j = 1; j < jobs; ++j) threads.emplace_back(worker);
  worker();
  for (auto& t : threads) t.join();

  // Put together in folder order, so that the result does not depend on who ran what.
  BacktestResult result;
  result.cancelled = stopped;
  for (auto& day : days) {
    if (!day) continue;
    result.skipped.insert(result.skipped.end(), day->skipped.begin(), day->skipped.end());
    if (day->broken) continue;
    ++result.days;
    result.races += day->races;
    AddTable(result.totals, day->table);
    result.perDay.push_back(std::move(*day));
  }
  return result;
}

std::vector<std::string> BacktestCsvLines(const BacktestTable& table) {
  std::vector<std::string> lines{"group,pool,races,bets,hits,stake,return,回収率,的中率"};
  for (const auto& [key, t] : table) {
    lines.push_back(fmt::format("{},{},{},{},{},{},{},{:.1f},{:.1f}", key.group,
                                BacktestPoolName(key.pool), t.races, t.bets, t.hits, t.stake,
                                t.ret, RecoveryRate(t), HitRate(t)));
  }
  return lines;
}

}  // namespace tz
