// Results files converted from forum postings, read back by the results reader.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "samples/fhwars/fixture_results_log.h"
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
using fixture::ForumResultsPosting;
using test::TempDir;

// 2003-05-10, 東京 2回 8日 11R with horses 7 and 14 scratched.
ForumResultsPosting Posting(bool withWide) {
  ForumResultsPosting p;
  p.withWide = withWide;
  p.year = 2003;
  p.month = 5;
  p.dayOfMonth = 10;
  p.kai = 2;
  p.course = 5;
  p.day = 8;
  p.race = 11;
  p.title = "ＮＨＫマイルカップ";
  p.scratched = {7, 14};
  p.finishers = {{1, "", 3, "サクラローレル", "1.33.5"},
                 {2, "", 11, "テイエムオーシャン", "1.33.6"},
                 {2, "", 5, "ダンツフレーム", "1.33.6"},
                 {4, "", 1, "アグネスタキオン", "1.33.9"},
                 {0, "", 0, "", ""}};
  p.win = {{3, 0, 450}};
  p.place = {{3, 0, 160}, {11, 0, 220}, {5, 0, 310}};
  p.bracket = {{2, 6, 1250}, {2, 3, 980}};
  p.quinella = {{3, 11, 2340}, {3, 5, 1870}};
  p.wide = {{3, 11, 780}, {3, 5, 1020}, {5, 11, 1500}};
  return p;
}

struct Payout {
  int kind, first, second;
  long value;
  bool operator==(const Payout&) const = default;
};

std::vector<Payout> Records(const ResultState& r, int from, int to) {
  std::vector<Payout> out;
  for (int i = from; i < to; ++i) {
    const PayoutRecord& rec = r.PayoutTable[static_cast<std::size_t>(i)];
    EXPECT_EQ(rec.substr(0, 4), "0511");
    out.push_back({PayoutKind(rec), PayoutFirst(rec), PayoutSecond(rec), PayoutValue(rec)});
  }
  return out;
}

// Converts the postings into a folder that becomes the data folder.
struct Converted {
  TempDir root;
  Session s;
  test::FakePort port;
  explicit Converted(const std::vector<ForumResultsPosting>& postings) {
    root.Write("logs/results.log", fixture::ResultsLogBytes(postings));
    fs::create_directories(root / "day");
    s.app.settings.Txtpath = (root / "logs").string();
    s.app.settings.Tksfile = "results.log";
    s.app.settings.Cnvpath = (root / "day").string();
    s.app.DataFolder = root / "day";
    EXPECT_EQ(ConvertResultsLog(s.app, s.wars, port), static_cast<int>(postings.size()));
  }
};

TEST(ResultsLogReadBack, BothLayoutsGiveTheFinishersPayoutsAndRefunds) {
  for (bool wide : {true, false}) {
    SCOPED_TRACE(wide ? "with wide payouts" : "without wide payouts");
    Converted c({Posting(wide)});
    ResultState& r = c.s.results;
    r.PayoutCount = 0;
    r.ResultEntryCount = 0;
    ASSERT_TRUE(ReadResultsFile(c.s.results, c.s.app, c.s.folders, 5, 3, 2, 8, 11));
    EXPECT_EQ(r.ResultsAvailability, PayoutsFound::All);
    EXPECT_EQ(r.FinisherPlace, (std::array<int, 5>{1, 2, 2, 4, 0}));
    EXPECT_EQ(r.FinisherHorse, (std::array<int, 5>{3, 11, 5, 1, 0}));
    EXPECT_EQ(text::Trim(r.FinisherName[0]), "ｻｸﾗﾛ-ﾚﾙ");
    EXPECT_EQ(text::Trim(r.FinisherName[1]), "ﾃｲｴﾑｵ-ｼｬﾝ");
    EXPECT_EQ(r.FinisherTime[2], "1.33.6");

    std::vector<Payout> priced = {{1, 0, 3, 450},  {2, 0, 3, 160},  {2, 0, 11, 220}, {2, 0, 5, 310},
                                  {3, 2, 6, 1250}, {3, 2, 3, 980},  {4, 3, 11, 2340}, {4, 3, 5, 1870}};
    if (wide) {
      priced.push_back({5, 3, 11, 780});
      priced.push_back({5, 3, 5, 1020});
      priced.push_back({5, 5, 11, 1500});
    }
    ASSERT_EQ(r.PayoutCount, static_cast<int>(priced.size()));
    EXPECT_EQ(Records(r, 0, r.PayoutCount), priced);

    // Horses 7 and 14 were scratched: win, place and quinella refunds, and wide ones where the
    // posting listed wide payouts.
    EXPECT_EQ(r.RefundHorsesText, "7,14,");
    MergeRefunds(c.s.results);
    const int perHorse = wide ? 36 : 19;
    ASSERT_EQ(r.ResultEntryCount, r.PayoutCount + 2 * perHorse);
    std::vector<Payout> refunds = Records(r, r.PayoutCount, r.ResultEntryCount);
    for (const Payout& p : refunds) EXPECT_EQ(p.value, 0);
    auto has = [&](Payout p) { return std::find(refunds.begin(), refunds.end(), p) != refunds.end(); };
    EXPECT_TRUE(has({1, 0, 7, 0}));
    EXPECT_TRUE(has({2, 0, 14, 0}));
    EXPECT_TRUE(has({4, 6, 7, 0}));
    EXPECT_TRUE(has({4, 14, 18, 0}));
    EXPECT_EQ(has({5, 7, 8, 0}), wide);
  }
}

TEST(ResultsLogReadBack, EveryRaceOfTheExampleLogReads) {
  std::vector<ForumResultsPosting> postings = fixture::SampleResultsPostings(BuildSampleDay(1, "20021020"));
  ASSERT_EQ(postings.size(), 35u);  // every race with results: 福島 12R is not on sale
  Converted c(postings);
  for (const ForumResultsPosting& p : postings) {
    SCOPED_TRACE(p.course * 100 + p.race);
    ResultState& r = c.s.results;
    r.PayoutCount = 0;
    r.ResultEntryCount = 0;
    r.PayoutTable.clear();
    r.RefundTable.clear();
    r.RefundHorsesText.clear();
    ASSERT_TRUE(ReadResultsFile(c.s.results, c.s.app, c.s.folders, p.course, p.year % 10, p.kai,
                                p.day, p.race));
    EXPECT_EQ(r.ResultsAvailability, PayoutsFound::All);
    EXPECT_EQ(r.FinisherPlace[0], 1);
    EXPECT_EQ(r.FinisherHorse[0], p.finishers[0].horse);
    int wins = 0, wides = 0;
    for (int i = 0; i < r.PayoutCount; ++i) {
      int kind = PayoutKind(r.PayoutTable[static_cast<std::size_t>(i)]);
      wins += kind == 1;
      wides += kind == 5;
    }
    EXPECT_EQ(wins, static_cast<int>(p.win.size()));  // two in a dead heat for first
    EXPECT_EQ(wides, static_cast<int>(p.wide.size()));
    std::string scratched;
    for (int h : p.scratched) scratched += std::to_string(h) + ",";
    EXPECT_EQ(r.RefundHorsesText, scratched);
  }
}

}  // namespace
}  // namespace tz
