// The archive backtest: how the longshot marks, the indicator ranks and the contest rules would
// have paid over saved racing days. Every bet is one 100-yen ticket; a day is analysed exactly
// as a day-wide run does it and scored against the payouts of its own results.
//
// Groups and their pools:
//   - marks ★ ☆ ▲ △: a win and a place bet on every marked horse;
//   - indicator ranks F1..F5, T1..T5, R1..R5, Z1..Z5, W1..W5: a win and a place bet on every
//     horse holding that rank;
//   - race classes ("TRA", ...): the mark bets of the races of that class;
//   - contest rules of the full pattern ("T1FN", ...): the pairs of the rule's entry as
//     quinella bets (bracket quinella in races sold with bracket quinella only), so that a
//     rule's return is the quinella sum of its contest entry file.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "analysis/analysis_state.h"
#include "app/app_state.h"

namespace tz {

struct Session;
struct ResultState;

inline constexpr int kTicketYen = 100;

enum class BacktestPool : int { Win = 0, Place = 1, Quinella = 2 };
const char* BacktestPoolName(BacktestPool pool);  // "win", "place", "quinella"

enum class BacktestGroupKind : int { Mark = 0, Indicator = 1, RaceClass = 2, Contest = 3 };

// What one group earned in one pool.
struct PoolTally {
  int races = 0;  // races in which the group bet at least once
  int bets = 0;
  int hits = 0;
  std::int64_t stake = 0;  // yen
  std::int64_t ret = 0;    // yen
  PoolTally& operator+=(const PoolTally& o);
  bool operator==(const PoolTally&) const = default;
};

// 回収率: return / stake x 100, and hit rate: hits / bets x 100, both rounded to one decimal;
// 0 without a bet.
double RecoveryRate(const PoolTally& t);
double HitRate(const PoolTally& t);

struct BacktestKey {
  BacktestGroupKind kind = BacktestGroupKind::Mark;
  int order = 0;      // place of the group inside its kind (classes: 0, ordered by name)
  std::string group;  // "★", "F1", "TRA", "T1FN"
  BacktestPool pool = BacktestPool::Win;
  auto operator<=>(const BacktestKey&) const = default;
};

// The figures of a set of races, in a fixed order of groups whatever order they were met in.
using BacktestTable = std::map<BacktestKey, PoolTally>;
void AddTable(BacktestTable& into, const BacktestTable& from);

// ---- One race ----

// Indicator order of the rank groups.
inline constexpr std::array<char, 5> kBacktestIndicators{'F', 'T', 'R', 'Z', 'W'};

// What the analysis of a race says, per popularity position of the runners.
struct RaceAnalysisView {
  std::string RaceType;  // the three class letters; empty when the race was not classified
  struct Runner {
    int Horse = 0;
    std::array<int, 5> Rank{};  // F, T, R, Z, W; 1..5, else not ranked
    LongshotMark Mark = LongshotMark::None;
  };
  std::vector<Runner> Runners;  // positions 1..M
};

// Reads the view from the analysed race of the session (its `raceAnalysis`).
RaceAnalysisView ReadRaceAnalysis(const Session& s);

// The priced payouts of a race (refunds left out), by pool.
struct RacePayouts {
  struct Single {
    int horse;
    std::int64_t yen;
  };
  struct Pair {
    int first, second;
    std::int64_t yen;
  };
  std::vector<Single> win, place;
  std::vector<Pair> bracket, quinella;
};
RacePayouts ReadRacePayouts(const ResultState& results);

// What one ticket returns: the payouts of every record of the horse (a dead heat pays each
// horse its own record), or of every record of the pair (smaller number first).
std::int64_t SingleReturn(const std::vector<RacePayouts::Single>& records, int horse);
std::int64_t PairReturn(const std::vector<RacePayouts::Pair>& records, int first, int second);

// The pairs of one contest rule's entry in a race: horse pairs, or bracket pairs in a race
// sold with bracket quinella only.
struct ContestRuleBets {
  int order = 0;     // place of the rule in the full pattern
  std::string rule;  // "T1FN"
  std::vector<std::pair<int, int>> pairs;
};
// The entries of the 98 rules of the full pattern for the analysed race.
std::vector<ContestRuleBets> ContestRuleBetsOfRace(const Session& s);

// Scores one race into its own table (every touched row has races = 1).
BacktestTable ScoreRace(const RaceAnalysisView& view, const RacePayouts& payouts,
                        bool bracketOnly, const std::vector<ContestRuleBets>& contest);

// ---- Days ----

inline constexpr const char* kSkipNoOdds = "no odds";
inline constexpr const char* kSkipRefused = "analysis refused";
inline constexpr const char* kSkipNoResults = "no results";
inline constexpr const char* kSkipUnreadableResults = "unreadable results";
// Whole days.
inline constexpr const char* kSkipNoFolder = "folder not found";
inline constexpr const char* kSkipNoDay = "no racing day";
inline constexpr const char* kSkipRunEnded = "run ended by an error";

// A race or a whole day (meeting and race 0) left out, with why.
struct BacktestSkip {
  std::string folder;
  int meeting = 0;
  int race = 0;
  std::string reason;  // one of the kSkip texts above, or why a day was left out
  std::string detail;  // what the program said about it, when it said anything
  bool operator==(const BacktestSkip&) const = default;
};

struct BacktestDay {
  std::string folder;
  std::string date;  // yyyy-mm-dd of the guide; empty for a broken day
  bool broken = false;
  int races = 0;  // races scored
  BacktestTable table;
  std::vector<BacktestSkip> skipped;
};

// Loads the folder as the day of its own session (settings from `base`; the JRDB base odds
// of the folder's "jrdb" subfolder when it has one) and scores every race. Never throws: a
// day that cannot be loaded or whose run ends in an error comes back broken, with one skip
// entry saying why and no figures.
BacktestDay BacktestOneDay(const AppState& base, const std::filesystem::path& folder);

// The subfolders of StoreRoot named by a date (yyyy-mm-dd, with or without a time suffix),
// oldest first.
std::vector<std::filesystem::path> SavedDayFolders(const std::filesystem::path& storeRoot);

// ---- The whole run ----

struct BacktestProgressInfo {
  int daysDone = 0;
  int daysTotal = 0;
  int races = 0;  // races scored so far
  double elapsedSeconds = 0;
  double remainingSeconds = 0;  // estimate from the pace so far
};

// Told after every day; the calls never overlap, though they come from the worker threads.
class BacktestProgress {
 public:
  virtual ~BacktestProgress() = default;
  virtual void DayDone(const BacktestProgressInfo& info) {}
  // Asked before each day starts; a run asked to stop finishes the days already running.
  virtual bool Cancelled() { return false; }
};

struct BacktestResult {
  int days = 0;   // days scored (broken days not counted)
  int races = 0;  // races scored
  bool cancelled = false;
  std::vector<BacktestSkip> skipped;  // in folder order
  BacktestTable totals;
  std::vector<BacktestDay> perDay;  // the scored days, in folder order
};

// Runs the days on `jobs` threads (0: one per core), each day in its own session. The result
// is the same for any number of jobs.
BacktestResult RunBacktest(const AppState& base, const std::vector<std::filesystem::path>& folders,
                           int jobs, BacktestProgress& progress);

// One line per row: group, pool, races, bets, hits, stake, return, 回収率, hit rate, under a
// header line (UTF-8, no line ends).
std::vector<std::string> BacktestCsvLines(const BacktestTable& table);

}  // namespace tz
