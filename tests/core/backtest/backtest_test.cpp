// The archive backtest: one race scored by hand, the reading of the analysis against what the
// prediction window shows, a small archive of three days whose totals the test works out from
// the prediction rows and the payouts it wrote, broken days and races, the number of jobs, and
// the contest groups against the contest entry files of the same days.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "backtest/backtest.h"
#include "exports/contest.h"
#include "exports/day_batch.h"
#include "pat98/day_loader.h"
#include "pat98/record_writers.h"
#include "samples/pat98/fixture_results.h"
#include "samples/pat98/sample_day.h"
#include "samples/pat98/sample_results.h"
#include "session.h"
#include "support/fake_port.h"
#include "support/odds_day.h"
#include "support/pat98_builders.h"
#include "support/temp_dir.h"
#include "text/files.h"
#include "text/numbers.h"
#include "text/sjis.h"

namespace tz {
namespace {

namespace fs = std::filesystem;
using test::FakePort;
using test::TempDir;

PoolTally Tally(int races, int bets, int hits, std::int64_t ret) {
  return {races, bets, hits, static_cast<std::int64_t>(bets) * kTicketYen, ret};
}

// The figures of a table by group and pool name, for comparisons that read like the report.
std::map<std::string, PoolTally> ByName(const BacktestTable& t) {
  std::map<std::string, PoolTally> out;
  for (const auto& [key, tally] : t) out[key.group + " " + BacktestPoolName(key.pool)] = tally;
  return out;
}

// ---- One race ----

// Horse 5 (★, R1) wins in a dead heat with the favourite 3; 3-5 is the quinella.
TEST(BacktestRace, ScoresEveryGroupOfOneRaceByHand) {
  RaceAnalysisView view;
  view.RaceType = "TRA";
  view.Runners = {
      {3, {1, 0, 0, 2, 1}, LongshotMark::None},
      {7, {2, 1, -1, 0, 0}, LongshotMark::None},
      {1, {0, 0, 0, 0, 0}, LongshotMark::None},
      {5, {0, 0, 1, 0, 0}, LongshotMark::DoubleStar},
      {9, {0, 0, 0, 0, 0}, LongshotMark::OpenTriangle},
  };
  RacePayouts pay;
  pay.win = {{5, 1520}, {3, 340}};
  pay.place = {{5, 420}, {3, 150}, {7, 210}};
  pay.quinella = {{3, 5, 2780}};
  pay.bracket = {{2, 4, 1500}};
  const std::vector<ContestRuleBets> contest{{0, "T1FN", {{3, 5}, {5, 7}}}, {48, "Q1QN", {}}};

  const auto got = ByName(ScoreRace(view, pay, false, contest));
  const std::map<std::string, PoolTally> expected{
      {"★ win", Tally(1, 1, 1, 1520)},   {"★ place", Tally(1, 1, 1, 420)},
      {"△ win", Tally(1, 1, 0, 0)},      {"△ place", Tally(1, 1, 0, 0)},
      {"TRA win", Tally(1, 2, 1, 1520)}, {"TRA place", Tally(1, 2, 1, 420)},
      {"F1 win", Tally(1, 1, 1, 340)},   {"F1 place", Tally(1, 1, 1, 150)},
      {"F2 win", Tally(1, 1, 0, 0)},     {"F2 place", Tally(1, 1, 1, 210)},
      {"T1 win", Tally(1, 1, 0, 0)},     {"T1 place", Tally(1, 1, 1, 210)},
      {"R1 win", Tally(1, 1, 1, 1520)},  {"R1 place", Tally(1, 1, 1, 420)},
      {"Z2 win", Tally(1, 1, 1, 340)},   {"Z2 place", Tally(1, 1, 1, 150)},
      {"W1 win", Tally(1, 1, 1, 340)},   {"W1 place", Tally(1, 1, 1, 150)},
      {"T1FN quinella", Tally(1, 2, 1, 2780)},
  };
  EXPECT_EQ(got, expected);

  // In a race sold with bracket quinella only the pairs are brackets, paid by the bracket
  // records; the horse quinella records are not looked at.
  const std::vector<ContestRuleBets> brackets{{0, "T1FN", {{2, 4}, {3, 5}, {2, 4}}}};
  EXPECT_EQ(ByName(ScoreRace(view, pay, true, brackets))["T1FN quinella"], Tally(1, 3, 2, 3000));
}

TEST(BacktestRace, GroupsComeInAFixedOrder) {
  RaceAnalysisView view;
  view.RaceType = "FZC";
  view.Runners = {{2, {0, 3, 0, 0, 1}, LongshotMark::Star}, {4, {1, 0, 0, 0, 0}, LongshotMark::DoubleStar}};
  const std::vector<ContestRuleBets> contest{{7, "T2TN", {{2, 4}}}, {1, "T1FN", {{2, 4}}}};
  std::vector<std::string> order;
  for (const auto& [key, t] : ScoreRace(view, {}, false, contest)) {
    order.push_back(key.group + " " + BacktestPoolName(key.pool));
  }
  EXPECT_EQ(order, (std::vector<std::string>{
                       "★ win", "★ place", "☆ win", "☆ place", "F1 win", "F1 place", "T3 win",
                       "T3 place", "W1 win", "W1 place", "FZC win", "FZC place", "T1FN quinella",
                       "T2TN quinella"}));
}

// Only priced records are paid: the refunds after them and the wide payouts are not bets of
// the backtest.
TEST(BacktestRace, ReadsThePricedPayoutsOnly) {
  // Race key, kind, two numbers, payout field (left-aligned digits or the file's six
  // characters; "000000" a refund).
  const auto rec = [](int kind, int a, int b, const std::string& yen) {
    return "0601" + std::to_string(kind) + text::FormatNumber(a, "00") +
           text::FormatNumber(b, "00") + yen;
  };
  ResultState r;
  r.PayoutTable = {rec(1, 0, 5, "1230  "), rec(1, 0, 3, "340   "), rec(2, 0, 5, "420   "),
                   rec(3, 1, 2, "640   "), rec(4, 3, 7, "000870"), rec(5, 3, 7, "000300"),
                   rec(1, 0, 7, "000000"), rec(4, 1, 7, "000000")};
  r.PayoutCount = 6;
  const RacePayouts p = ReadRacePayouts(r);
  EXPECT_EQ(SingleReturn(p.win, 5), 1230);
  EXPECT_EQ(SingleReturn(p.win, 3), 340);
  EXPECT_EQ(SingleReturn(p.win, 7), 0);  // refund of a scratched horse
  EXPECT_EQ(SingleReturn(p.place, 5), 420);
  EXPECT_EQ(PairReturn(p.bracket, 1, 2), 640);
  EXPECT_EQ(PairReturn(p.quinella, 3, 7), 870);
  EXPECT_EQ(PairReturn(p.quinella, 7, 3), 0);  // pairs are written smaller number first
  EXPECT_EQ(PairReturn(p.quinella, 1, 7), 0);
}

TEST(BacktestRace, RatesRoundToOneDecimal) {
  struct Case {
    std::int64_t part, whole;
    double rate;
  };
  for (const Case& c : std::vector<Case>{{1520, 100, 1520.0}, {1, 300, 0.3}, {2, 300, 0.7},
                                         {5, 1000, 0.5}, {1, 3, 33.3}, {2, 3, 66.7},
                                         {0, 0, 0.0}, {0, 500, 0.0}}) {
    PoolTally t;
    t.ret = c.part;
    t.stake = c.whole;
    t.hits = static_cast<int>(c.part);
    t.bets = static_cast<int>(c.whole);
    EXPECT_DOUBLE_EQ(RecoveryRate(t), c.rate) << c.part << "/" << c.whole;
    EXPECT_DOUBLE_EQ(HitRate(t), c.rate) << c.part << "/" << c.whole;
  }
}

// ---- The reading of the analysis ----

// Race after race of a generated day, the marks and ranks read from the analysis tables are
// the ones the prediction window shows.
TEST(BacktestRace, ReadsTheMarksAndRanksThePredictionWindowShows) {
  TempDir dir;
  ASSERT_EQ(WriteSampleDay(BuildSampleDay(7), dir.path()), "");
  Session s;
  FakePort port;
  test::PointAt(s, dir.path());
  ASSERT_EQ(LoadCurrentData(s, port), 0);
  int races = 0, marks = 0;
  ForEachRaceOfDay(s, port, [&](int m, int r) {
    SCOPED_TRACE(std::to_string(m) + "-" + std::to_string(r));
    ++races;
    const RaceAnalysisView view = ReadRaceAnalysis(s);
    EXPECT_EQ(view.RaceType, s.analysis.RaceTypeCode);
    for (std::size_t i = 0; i < view.Runners.size(); ++i) {
      const PredictionRow& row = s.prediction.Rows[static_cast<int>(i) + 1];
      const auto& runner = view.Runners[i];
      EXPECT_EQ(runner.Horse, row.HorseNumber);
      EXPECT_EQ(MarkText(runner.Mark), row.Mark) << "position " << i + 1;
      if (runner.Mark != LongshotMark::None) ++marks;
      const std::string* texts[] = {&row.F, &row.T, &row.R, &row.Z, &row.W};
      for (int k = 0; k < 5; ++k) {
        const int shown = static_cast<int>(text::Val(*texts[k]));
        EXPECT_EQ(runner.Rank[k] > 0 ? runner.Rank[k] : 0, shown) << kBacktestIndicators[k];
      }
    }
  });
  EXPECT_GT(races, 30);
  EXPECT_GT(marks, 10);
}

// ---- A small archive ----

// What the prediction window showed of one race, and the results the test wrote for it.
struct ShownRace {
  int saleCode = 0;
  std::string raceType;
  struct Row {
    int horse, bracket;
    std::string mark;
    std::array<std::string, 5> ranks;  // F T R Z W
  };
  std::vector<Row> rows;  // positions 1..M
  fixture::ResultsFile results;
  bool scored = false;
};

struct DayPlan {
  std::string folder;  // name under the store root
  std::string date;    // yyyymmdd
  std::vector<test::RacePlan> races;
  std::vector<int> onSaleWithoutOdds;
  std::vector<int> withResults;
  std::vector<int> deadHeat;     // races whose favourite dead-heats for first
  std::vector<int> unreadable;   // races with a broken results file
};

bool Has(const std::vector<int>& v, int x) { return std::find(v.begin(), v.end(), x) != v.end(); }

// Writes the odds and the guide of the day, looks at what the prediction window shows for
// every race, and writes results that pay the first marked horse (or the fourth favourite)
// to win, and the first two favourites as the quinella.
std::map<int, ShownRace> WriteArchiveDay(const fs::path& folder, const DayPlan& plan) {
  fs::create_directories(folder);
  fixture::GuideRecord g;
  g.date = plan.date;
  g.courseCode = 6;
  g.year = std::stoi(plan.date.substr(0, 4));
  g.kai = 1;
  g.day = 1;
  for (const auto& r : plan.races) {
    test::RacePlan p = r;
    p.date = plan.date;
    test::WriteRace(folder, p);
    g.saleCodes[p.race] = p.saleCode;
  }
  for (int race : plan.onSaleWithoutOdds) g.saleCodes[race] = 31;
  test::WriteOrFail(folder, "UY-A.JRA", BettingGuideBytes(g));

  std::map<int, ShownRace> shown;
  Session s;
  FakePort port;
  test::PointAt(s, folder);
  if (LoadCurrentData(s, port) != 0) throw std::runtime_error("day not loaded");
  ForEachRaceOfDay(s, port, [&](int, int race) {
    ShownRace& sr = shown[race];
    sr.saleCode = s.race.CurrentSaleCode;
    sr.raceType = s.analysis.RaceTypeCode;
    for (int p = 1; p <= s.prediction.RowCount; ++p) {
      const PredictionRow& row = s.prediction.Rows[p];
      if (!row.Runner) continue;
      sr.rows.push_back({row.HorseNumber, s.race.HorseBracket[row.HorseNumber], row.Mark,
                         {row.F, row.T, row.R, row.Z, row.W}});
    }
  });
  for (auto& [race, sr] : shown) {
    if (!Has(plan.withResults, race) && !Has(plan.unreadable, race)) continue;
    int winner = sr.rows[3].horse;
    for (const auto& row : sr.rows) {
      if (!row.mark.empty()) {
        winner = row.horse;
        break;
      }
    }
    const int h1 = sr.rows[0].horse, h2 = sr.rows[1].horse;
    const int b1 = sr.rows[0].bracket, b2 = sr.rows[1].bracket;
    fixture::ResultsFile& f = sr.results;
    f.course = 6;
    f.yearDigit = g.year % 10;
    f.race = race;
    f.withWide = sr.saleCode != 7;
    f.finishers = {{1, winner, "ｶﾁｳﾏ", "1.34.7"}, {2, h1, "ﾆﾊﾞﾝ", "1.34.8"}};
    f.win = {{winner, 1520}};
    if (Has(plan.deadHeat, race)) f.win.push_back({h1, 340});
    f.place = {{winner, 420}, {h1, 150}, {h2, 210}};
    f.bracket = {{std::min(b1, b2), std::max(b1, b2), 640}};
    if (sr.saleCode != 7) {
      f.quinella = {{std::min(h1, h2), std::max(h1, h2), 870}};
      f.wide = {{std::min(h1, h2), std::max(h1, h2), 300}};
    }
    if (Has(plan.unreadable, race)) {
      std::string bytes = fixture::ResultsFileBytes(f);
      test::WriteOrFail(folder, ResultsFileName(6, g.year % 10, 1, 1, race), bytes.substr(0, 120));
      continue;
    }
    fixture::WriteResultsFile(folder, f);
    sr.scored = true;
  }
  return shown;
}

// The figures worked out from the rows the prediction window showed and the payouts written:
// a win and a place bet for every shown mark and rank, the marks again under the race class,
// and the pairs of rule Q1QN (the favourite with the next four) as quinella bets.
std::map<std::string, PoolTally> ExpectedFigures(const std::vector<std::map<int, ShownRace>>& days) {
  std::map<std::string, PoolTally> out;
  for (const auto& day : days) {
    for (const auto& [race, sr] : day) {
      if (!sr.scored) continue;
      std::map<std::string, PoolTally> inRace;
      const auto bet = [&](const std::string& group, std::int64_t ret) {
        PoolTally& t = inRace[group];
        t.races = 1;
        ++t.bets;
        t.stake += 100;
        t.ret += ret;
        t.hits += ret > 0;
      };
      const auto paid = [](const std::vector<fixture::SinglePayout>& v, int horse) {
        std::int64_t sum = 0;
        for (const auto& p : v) sum += p.horse == horse ? p.payout : 0;
        return sum;
      };
      for (const auto& row : sr.rows) {
        for (const char* pool : {"win", "place"}) {
          const std::int64_t ret = paid(std::string(pool) == "win" ? sr.results.win : sr.results.place, row.horse);
          if (!row.mark.empty()) {
            bet(row.mark + " " + pool, ret);
            bet(sr.raceType + " " + pool, ret);
          }
          for (int k = 0; k < 5; ++k) {
            if (!row.ranks[k].empty()) bet(std::string(1, "FTRZW"[k]) + row.ranks[k] + " " + pool, ret);
          }
        }
      }
      const auto& pairs = sr.saleCode == 7 ? sr.results.bracket : sr.results.quinella;
      for (std::size_t p = 1; p < 5 && p < sr.rows.size(); ++p) {
        int x = sr.rows[0].horse, y = sr.rows[p].horse;
        if (sr.saleCode == 7) x = sr.rows[0].bracket, y = sr.rows[p].bracket;
        std::int64_t ret = 0;
        for (const auto& q : pairs) {
          if (q.first == std::min(x, y) && q.second == std::max(x, y)) ret += q.payout;
        }
        bet("Q1QN quinella", ret);
      }
      for (const auto& [group, t] : inRace) out[group] += t;
    }
  }
  return out;
}

class CountingProgress : public BacktestProgress {
 public:
  std::vector<BacktestProgressInfo> calls;
  int cancelAfter = -1;
  void DayDone(const BacktestProgressInfo& info) override { calls.push_back(info); }
  bool Cancelled() override { return cancelAfter >= 0 && static_cast<int>(calls.size()) >= cancelAfter; }
};

// Three saved days under a store root, a broken (empty) dated folder and a folder that is not
// a day: race 3 of the first day is on sale without odds, race 2 of the second has no
// results, race 3 of the third a broken results file; the first race of the second day ends
// in a dead heat for first, the first of the third is sold with bracket quinella only.
struct Archive {
  TempDir root;
  std::vector<std::map<int, ShownRace>> shown;

  Archive() {
    const auto race = [](int number, int horses, int saleCode, unsigned seed) {
      test::RacePlan p;
      p.race = number;
      p.horses = horses;
      p.saleCode = saleCode;
      p.seed = seed;
      return p;
    };
    const std::vector<DayPlan> plans{
        {"2003-01-05", "20030105", {race(1, 12, 31, 11), race(2, 14, 31, 12)}, {3}, {1, 2}, {}, {}},
        {"2003-01-11", "20030111", {race(1, 16, 31, 21), race(2, 10, 31, 22)}, {}, {1}, {1}, {}},
        {"2003-01-12", "20030112", {race(1, 10, 7, 31), race(2, 13, 31, 32), race(3, 9, 31, 33)},
         {}, {1, 2}, {}, {3}},
    };
    for (const auto& plan : plans) shown.push_back(WriteArchiveDay(root / plan.folder, plan));
    fs::create_directories(root / "2003-01-13");
    fs::create_directories(root / "notes");
  }
};

TEST(BacktestArchive, TotalsOfThreeDaysMatchTheFiguresWorkedOutByHand) {
  Archive a;
  const auto folders = SavedDayFolders(a.root.path());
  ASSERT_EQ(folders.size(), 4u);
  EXPECT_EQ(folders.front().filename(), "2003-01-05");
  EXPECT_EQ(folders.back().filename(), "2003-01-13");

  CountingProgress progress;
  const BacktestResult r = RunBacktest(AppState{}, folders, 2, progress);
  EXPECT_EQ(r.days, 3);
  EXPECT_EQ(r.races, 5);
  EXPECT_FALSE(r.cancelled);

  const auto expected = ExpectedFigures(a.shown);
  std::map<std::string, PoolTally> got;
  for (const auto& [name, t] : ByName(r.totals)) {
    if (name.find("quinella") == std::string::npos || name == "Q1QN quinella") got[name] = t;
  }
  EXPECT_EQ(got, expected);
  ASSERT_TRUE(expected.count("Q1QN quinella"));
  EXPECT_EQ(expected.at("Q1QN quinella").races, 5);
  EXPECT_GE(expected.at("Q1QN quinella").hits, 4);  // the bracket race may pay more pairs
  // The archive has marked horses, and the results pay them.
  int markHits = 0;
  for (const char* mark : {"★ win", "☆ win", "▲ win", "△ win"}) {
    if (expected.count(mark)) markHits += expected.at(mark).hits;
  }
  EXPECT_GT(markHits, 0);

  // Every day's own figures add up to the totals.
  BacktestTable sum;
  for (const auto& day : r.perDay) AddTable(sum, day.table);
  EXPECT_EQ(sum, r.totals);
  ASSERT_EQ(r.perDay.size(), 3u);
  EXPECT_EQ(r.perDay[1].date, "2003-01-11");
  EXPECT_EQ(r.perDay[1].races, 1);

  // Each skipped race and the broken day, in folder and race order.
  std::vector<std::string> skipped;
  for (const auto& k : r.skipped) {
    skipped.push_back(fs::path(k.folder).filename().string() + " " + std::to_string(k.meeting) +
                      "-" + std::to_string(k.race) + " " + k.reason);
  }
  EXPECT_EQ(skipped, (std::vector<std::string>{"2003-01-05 1-3 no odds", "2003-01-11 1-2 no results",
                                               "2003-01-12 1-3 unreadable results",
                                               "2003-01-13 0-0 no racing day"}));
  EXPECT_NE(r.skipped[2].detail.find("PAT98対応の結果ﾌｧｲﾙではありません"), std::string::npos);

  ASSERT_EQ(progress.calls.size(), 4u);
  EXPECT_EQ(progress.calls.back().daysDone, 4);
  EXPECT_EQ(progress.calls.back().daysTotal, 4);
  EXPECT_EQ(progress.calls.back().races, 5);
}

TEST(BacktestArchive, TheResultDoesNotDependOnTheNumberOfJobs) {
  Archive a;
  const auto folders = SavedDayFolders(a.root.path());
  CountingProgress one, four;
  const BacktestResult r1 = RunBacktest(AppState{}, folders, 1, one);
  const BacktestResult r4 = RunBacktest(AppState{}, folders, 4, four);
  EXPECT_EQ(r1.totals, r4.totals);
  EXPECT_EQ(r1.skipped, r4.skipped);
  ASSERT_EQ(r1.perDay.size(), r4.perDay.size());
  for (std::size_t i = 0; i < r1.perDay.size(); ++i) {
    EXPECT_EQ(r1.perDay[i].folder, r4.perDay[i].folder);
    EXPECT_EQ(r1.perDay[i].table, r4.perDay[i].table);
  }
  EXPECT_EQ(BacktestCsvLines(r1.totals), BacktestCsvLines(r4.totals));
}

TEST(BacktestArchive, AStopLeavesTheDaysNotStartedOut) {
  Archive a;
  CountingProgress progress;
  progress.cancelAfter = 1;
  const BacktestResult r = RunBacktest(AppState{}, SavedDayFolders(a.root.path()), 1, progress);
  EXPECT_TRUE(r.cancelled);
  EXPECT_EQ(r.days, 1);
  ASSERT_EQ(r.perDay.size(), 1u);
  EXPECT_EQ(r.perDay[0].date, "2003-01-05");
}

// A missing folder, and a folder of odds files without a betting guide: the loader would
// offer to build a pseudo guide into it, which a backtest declines, so the saved files stay
// as they were.
TEST(BacktestArchive, FoldersThatAreNoDayAreReportedNotFatal) {
  TempDir root;
  const fs::path oddsOnly = root / "odds-only";
  fs::create_directories(oddsOnly);
  test::WriteRace(oddsOnly, test::RacePlan{});
  const auto before = text::ListFolder(oddsOnly, "*");
  CountingProgress progress;
  const BacktestResult r = RunBacktest(AppState{}, {root / "missing", oddsOnly}, 2, progress);
  EXPECT_EQ(r.days, 0);
  ASSERT_EQ(r.skipped.size(), 2u);
  EXPECT_EQ(r.skipped[0].reason, kSkipNoFolder);
  EXPECT_EQ(r.skipped[1].folder, oddsOnly.string());
  EXPECT_EQ(r.skipped[1].reason, kSkipNoDay);
  EXPECT_EQ(text::ListFolder(oddsOnly, "*"), before);
  EXPECT_TRUE(r.totals.empty());
}

// ---- The contest groups ----

// The quinella sum of every race line of a contest entry file, in yen.
std::int64_t QuinellaSumOfFile(const fs::path& file) {
  const std::string body = text::DecodeSjis(test::ReadAll(file));
  std::int64_t sum = 0;
  std::size_t start = 0;
  while (start < body.size()) {
    std::size_t end = body.find("\r\n", start);
    if (end == std::string::npos) end = body.size();
    const std::string line = body.substr(start, end - start);
    start = end + 2;
    if (line.size() == 76 && line[2] == 'R' && line[45] == '|' && line.substr(66, 5) != "?????") {
      sum += 10 * text::ValInt(line.substr(66, 5));
    }
  }
  return sum;
}

TEST(BacktestArchive, ContestGroupsReturnTheQuinellaSumsOfTheContestEntries) {
  TempDir root, out;
  for (unsigned seed : {3u, 4u}) {
    const fs::path day = root / ("2002-10-2" + std::to_string(seed));
    const SampleDay sample = BuildSampleDay(seed, "2002102" + std::to_string(seed));
    ASSERT_EQ(WriteSampleDay(sample, day), "");
    ASSERT_EQ(WriteSampleResults(sample, day), "");
  }
  CountingProgress progress;
  const BacktestResult r = RunBacktest(AppState{}, SavedDayFolders(root.path()), 2, progress);
  ASSERT_EQ(r.days, 2);

  std::map<std::string, std::int64_t> fromFiles;
  for (const auto& day : r.perDay) {
    Session s;
    FakePort port;
    test::PointAt(s, day.folder);
    s.app.settings.CSVpath = out.path().string();
    ASSERT_EQ(LoadCurrentData(s, port), 0);
    for (const ContestRunResult& file : RunAllContestPatterns(s, port, {})) {
      const std::string name = file.File.filename().string();
      fromFiles[name.substr(7, 4)] += QuinellaSumOfFile(file.File);
    }
  }
  ASSERT_EQ(fromFiles.size(), 98u);
  std::map<std::string, std::int64_t> fromBacktest;
  for (const auto& [rule, sum] : fromFiles) fromBacktest[rule] = 0;
  for (const auto& [key, t] : r.totals) {
    if (key.kind == BacktestGroupKind::Contest) fromBacktest[key.group] = t.ret;
  }
  EXPECT_EQ(fromBacktest, fromFiles);
  std::int64_t paid = 0;
  for (const auto& [rule, sum] : fromFiles) paid += sum;
  EXPECT_GT(paid, 0);
}

}  // namespace
}  // namespace tz
