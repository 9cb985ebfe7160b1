// The results of the bundled sample day read back as they were drawn, whichever files hold
// them, and its forum results log carries the same results.
#include "samples/pat98/sample_results.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <tuple>

#include "fhwars/results_log.h"
#include "results/results_reader.h"
#include "session.h"
#include "support/fake_port.h"
#include "support/temp_dir.h"
#include "text/files.h"
#include "text/strings.h"

namespace tz {
namespace {

namespace fs = std::filesystem;

const fs::path kSampleFolder = fs::path(TAZUNA_SOURCE_DIR) / "samples" / "20021020";
const fs::path kResultsLog = fs::path(TAZUNA_SOURCE_DIR) / "samples" / "fhwars" / "results-log.txt";

// kind, first, second, payout
using Payout = std::tuple<int, int, int, long>;

std::vector<Payout> Payouts(const ResultState& r, int from, int to) {
  std::vector<Payout> out;
  for (int i = from; i < to; ++i) {
    const PayoutRecord& rec = r.PayoutTable[static_cast<std::size_t>(i)];
    out.emplace_back(PayoutKind(rec), PayoutFirst(rec), PayoutSecond(rec), PayoutValue(rec));
  }
  std::sort(out.begin(), out.end());
  return out;
}

std::vector<Payout> Expected(const SampleRaceResult& res) {
  std::vector<Payout> out;
  for (const auto& p : res.win) out.emplace_back(1, 0, p.horse, p.payout);
  for (const auto& p : res.place) out.emplace_back(2, 0, p.horse, p.payout);
  for (const auto& p : res.bracket) out.emplace_back(3, p.first, p.second, p.payout);
  for (const auto& p : res.quinella) out.emplace_back(4, p.first, p.second, p.payout);
  for (const auto& p : res.wide) out.emplace_back(5, p.first, p.second, p.payout);
  std::sort(out.begin(), out.end());
  return out;
}

// Reads one race's results from `folder` as the results command does (a results file, else the
// per-day files) and merges its refunds.
ResultState Read(const fs::path& folder, const SampleRaceResult& res) {
  Session s;
  s.app.DataFolder = folder;
  s.race.CurrentCourse = res.course;
  s.race.CurrentRace = res.race;
  if (!ReadResultsFile(s.results, s.app, s.folders, res.course, res.yearDigit, res.kai, res.day,
                       res.race)) {
    ADD_FAILURE() << "unreadable results file";
  }
  if (s.results.ResultsAvailability != PayoutsFound::All) {
    ReadPayoutFiles(s.results, s.race, s.app, s.folders, res.course, res.yearDigit, res.kai,
                    res.day, res.race);
  }
  if (HasAll(s.results.ResultsAvailability, PayoutsFound::AllButWide)) MergeRefunds(s.results);
  return s.results;
}

int Key(const SampleRaceResult& res) { return res.course * 100 + res.race; }

TEST(SampleResults, EveryRaceReadsBackAsItWasDrawn) {
  const std::vector<SampleRaceResult> results = SampleDayResults(BuildSampleDay(1));
  ASSERT_EQ(results.size(), 35u);  // 36 races, one of them (福島 12R) not on sale
  int perDay = 0;
  for (const SampleRaceResult& res : results) {
    SCOPED_TRACE(Key(res));
    perDay += res.perDayFiles;
    const ResultState r = Read(kSampleFolder, res);
    ASSERT_EQ(r.ResultsAvailability, PayoutsFound::All);
    EXPECT_EQ(Payouts(r, 0, r.PayoutCount), Expected(res));

    // The listed finishers: all five from a results file; from the per-day files the placed
    // horses, their places inferred from the numbers of win and quinella payouts.
    const std::size_t listed = res.perDayFiles ? res.place.size() : res.finishers.size();
    for (std::size_t k = 0; k < 5; ++k) {
      SCOPED_TRACE(k);
      if (k < listed) {
        EXPECT_EQ(r.FinisherHorse[k], res.finishers[k].horse);
        EXPECT_EQ(r.FinisherPlace[k], res.finishers[k].place);
      } else {
        EXPECT_EQ(r.FinisherPlace[k], 0);
      }
    }

    // Refunds for every scratched horse: win, place, quinella (a results file gives them
    // whatever the race sold) and wide where it was sold; and the void brackets.
    std::vector<Payout> refunds = Payouts(r, r.PayoutCount, r.ResultEntryCount);
    std::map<int, int> byKind;
    for (const Payout& p : refunds) {
      EXPECT_EQ(std::get<3>(p), 0);
      ++byKind[std::get<0>(p)];
    }
    const int scratched = static_cast<int>(res.scratched.size());
    EXPECT_EQ(byKind[1], scratched);
    EXPECT_EQ(byKind[2], scratched);
    EXPECT_EQ(byKind[4], res.sellsQuinella || !res.perDayFiles ? 17 * scratched : 0);
    EXPECT_EQ(byKind[5], res.sellsWide ? 17 * scratched : 0);
    int voidPairs = 0;
    for (int w = 1; w <= 8; ++w) voidPairs += res.bracketFlags[w] == 1 ? 8 : res.bracketFlags[w] == 2 ? 1 : 0;
    EXPECT_EQ(byKind[3], voidPairs);
    std::string text;
    for (int h : res.scratched) text += std::to_string(h) + ",";
    EXPECT_EQ(r.RefundHorsesText, text);
  }
  EXPECT_EQ(perDay, 11);  // 福島's races, in the per-day payout files
}

TEST(SampleResults, TheResultsLogCarriesTheDaysOwnResults) {
  const std::vector<SampleRaceResult> results = SampleDayResults(BuildSampleDay(1));
  test::TempDir dir;
  fs::create_directories(dir / "converted");
  Session s;
  test::FakePort port;
  s.app.settings.Txtpath = kResultsLog.parent_path().string();
  s.app.settings.Tksfile = kResultsLog.filename().string();
  s.app.settings.Cnvpath = (dir / "converted").string();
  ResultsLogReport report;
  ASSERT_EQ(ConvertResultsLog(s.app, s.wars, port, &report), static_cast<int>(results.size()));
  EXPECT_EQ(report.written, static_cast<int>(results.size()));
  EXPECT_TRUE(report.problems.empty());

  for (const SampleRaceResult& res : results) {
    SCOPED_TRACE(Key(res));
    // The day's own results as a results file holds them, without the void brackets the forum
    // cannot post, next to what the log converted to.
    fixture::ResultsFile own = SampleResultsFile(res);
    own.bracketFlags = {};
    fixture::WriteResultsFile(dir / "own", own);
    const ResultState expected = Read(dir / "own", res);
    const ResultState converted = Read(dir / "converted", res);

    ASSERT_EQ(converted.ResultsAvailability, PayoutsFound::All);
    EXPECT_EQ(std::vector<PayoutRecord>(converted.PayoutTable.begin(), converted.PayoutTable.end()),
              std::vector<PayoutRecord>(expected.PayoutTable.begin(), expected.PayoutTable.end()));
    EXPECT_EQ(Payouts(converted, 0, converted.PayoutCount), Expected(res));
    EXPECT_EQ(converted.FinisherPlace, expected.FinisherPlace);
    EXPECT_EQ(converted.FinisherHorse, expected.FinisherHorse);
    EXPECT_EQ(converted.FinisherTime, expected.FinisherTime);
    for (std::size_t k = 0; k < 5; ++k) {
      EXPECT_EQ(text::Trim(converted.FinisherName[k]), text::Trim(expected.FinisherName[k])) << k;
    }
    EXPECT_EQ(converted.RefundHorsesText, expected.RefundHorsesText);
  }
}

}  // namespace
}  // namespace tz
