#include "analysis/vote_shares.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "analysis/pipeline.h"
#include "race_texts.h"
#include "session.h"
#include "text/numbers.h"
#include "text/strings.h"

namespace tz {
namespace {

using test::OddsText;
using test::SetQuinella;
using test::SetWide;
using test::StartRace;

std::vector<int> OrderOf(const Session& s) {
  std::vector<int> order;
  for (int p = 1; p <= s.race.HorseCount; ++p) order.push_back(s.race.HorseOrder[p]);
  return order;
}

TEST(VoteShares, EqualSyntheticOddsKeepTheExchangeOrderNotHorseNumbers) {
  // Horses 1 and 2 get the same 仮単 (8.5), horse 3 the shortest (5.3): the exchange sort moves
  // horse 3 to the front by swapping it with horse 1, which leaves 3, 2, 1.
  Session s;
  StartRace(s, 3);
  SetQuinella(s, 1, 2, 20.0);
  SetQuinella(s, 1, 3, 5.0);
  SetQuinella(s, 2, 3, 5.0);
  ComputeVoteShares(s);

  EXPECT_EQ(OrderOf(s), (std::vector<int>{3, 2, 1}));
  EXPECT_DOUBLE_EQ(s.analysis.QuinellaShare[1], 9.375);
  EXPECT_DOUBLE_EQ(s.analysis.QuinellaShare[3], 15.0);
  EXPECT_EQ(s.analysis.SyntheticWinText[1], "8.5");
  EXPECT_EQ(s.analysis.SyntheticWinText[3], "5.3");
  EXPECT_EQ(s.analysis.QuinellaShareText[3], "15.0%");
  EXPECT_DOUBLE_EQ(s.analysis.SyntheticWinOdds[1], 80.0 / 15.0);
  EXPECT_DOUBLE_EQ(s.analysis.SyntheticWinOdds[2], 80.0 / 9.375);
  // Each horse is alone in its bracket.
  EXPECT_DOUBLE_EQ(s.analysis.BracketShare[3], 15.0);
  EXPECT_DOUBLE_EQ(s.analysis.BracketShare[4], 0.0);
}

TEST(VoteShares, RunnerWithoutQuotesSortsAfterQuotedRunnersAndBeforeScratched) {
  Session s;
  StartRace(s, 5);
  test::Scratch(s, {5});
  SetQuinella(s, 1, 3, 4.0);
  SetQuinella(s, 1, 4, 10.0);
  SetQuinella(s, 3, 4, 30.0);
  // Horse 2 runs but has no quinella quote at all.
  ComputeVoteShares(s);

  EXPECT_EQ(s.analysis.QuinellaShareText[2], "0.0%");
  EXPECT_EQ(s.analysis.SyntheticWinText[2], "999.9");
  EXPECT_EQ(OrderOf(s), (std::vector<int>{1, 3, 4, 2, 5}));
  EXPECT_EQ(s.analysis.RunnerCount, 4);
}

TEST(VoteShares, ScratchedHorsesSortBehindARunnerPricedAbove999) {
  // Horse 4's only quote is 9999.9, so its 仮単 is far above the 999.9 of the scratched horse 1;
  // it still belongs to the runners and must take a position within 1..M.
  Session s;
  StartRace(s, 4);
  test::Scratch(s, {1});
  SetQuinella(s, 2, 3, 5.0);
  SetQuinella(s, 2, 4, 9999.9);
  ComputeVoteShares(s);

  EXPECT_GT(s.analysis.SyntheticWinByHorse[4], 999.9);
  EXPECT_EQ(OrderOf(s), (std::vector<int>{2, 3, 4, 1}));
  // A quoted 9999.9 still counts towards both horses' shares.
  EXPECT_DOUBLE_EQ(s.analysis.QuinellaShare[2], (75.0 / 5.0 + 75.0 / 9999.9) / 2.0);
}

TEST(VoteShares, WideSharesAndTheirSharedRanks) {
  Session s;
  StartRace(s, 3);
  SetWide(s, 1, 2, 2.5);
  SetWide(s, 1, 3, 5.0);
  SetWide(s, 2, 3, 5.0);
  ComputeVoteShares(s);

  EXPECT_DOUBLE_EQ(s.analysis.WideShare[1], 7.5);
  EXPECT_DOUBLE_EQ(s.analysis.WideShare[3], 5.0);
  EXPECT_EQ(s.analysis.WideShareText[2], "7.5%");
  EXPECT_EQ(s.analysis.WideShareText[3], "5.0%");
  EXPECT_EQ(s.analysis.WideShareRank[1], 1);
  EXPECT_EQ(s.analysis.WideShareRank[2], 1);
  EXPECT_EQ(s.analysis.WideShareRank[3], 3);
}

// The wide share reads each wide text with its blanks trimmed, ideographic spaces and malformed
// bytes included, whatever the text's stored value says.
TEST(VoteShares, WideSharesReadEveryTextTrimmed) {
  const std::vector<std::string> texts = {
      "5.0", " 5.0", "\t5.0", "\u3000" "5.0", " \u3000 5.0", "\t\u3000" "5.0", "5.0\u3000",
      "5.\u3000" "0", "\u3000", " ", "", "\xff" "5.0", " \xe3\x80" "5.0", "5.0\xff", "ﾄﾘｹｼ",
      "\u3000-2.5", "\u3000\t5.0", " +4\u3000", "\xe3\x80\x80\xe3\x80\x80" "12.5 ",
  };
  for (const std::string& t : texts) {
    Session s;
    StartRace(s, 3);
    SetWide(s, 1, 2, 2.5);
    s.race.WideOddsLow[1][3].assign(t);
    s.race.WideOddsLow[3][1].assign(t);
    ComputeVoteShares(s);
    double expected = (75.0 * (1.0 / 2.5)) / 3.0;
    const double v = text::Val(text::Trim(t));
    if (v > 0) expected += (75.0 * (1.0 / v)) / 3.0;
    EXPECT_EQ(s.analysis.WideShare[1], expected / 2.0) << t;
    EXPECT_EQ(s.analysis.WideShare[3], v > 0 ? ((75.0 * (1.0 / v)) / 3.0) / 2.0 : 0.0) << t;
  }
}

TEST(VoteShares, NoRunnersOrASingleHorseGiveDefinedValues) {
  Session s;
  StartRace(s, 3);
  test::Scratch(s, {1, 2, 3});
  ComputeVoteShares(s);
  BuildPositionTables(s);
  FindPopularityGaps(s);
  EXPECT_EQ(s.analysis.RunnerCount, 0);
  EXPECT_EQ(s.analysis.FirstCut, 0);
  EXPECT_EQ(s.analysis.GapGroups[kGapCountRow][0], 0);

  StartRace(s, 1);
  ComputeVoteShares(s);
  BuildPositionTables(s);
  FindPopularityGaps(s);
  EXPECT_EQ(s.analysis.SyntheticWinText[1], "999.9");
  EXPECT_EQ(s.analysis.WinRankByPos[1], 1);
  EXPECT_EQ(s.analysis.FirstCut, 1);
}

TEST(PositionTables, RanksStayWithTheirPositionsWhileOrdersAreSorted) {
  Session s;
  StartRace(s, 5);
  test::Scratch(s, {5});
  const int order[] = {0, 2, 1, 3, 4, 5};
  for (int p = 1; p <= 5; ++p) s.race.HorseOrder[p] = order[p];
  s.race.WinOdds[2] = OddsText(3.0, 5);
  s.race.WinOdds[1] = OddsText(2.5, 5);
  s.race.WinOdds[3] = OddsText(3.0, 5);
  s.race.WinOdds[4] = OddsText(5.0, 5);
  s.race.PlaceOddsLow[2] = OddsText(1.5, 5);
  s.race.PlaceOddsLow[1] = OddsText(1.5, 5);
  s.race.PlaceOddsLow[3] = OddsText(1.2, 5);
  s.race.PlaceOddsLow[4] = OddsText(2.0, 5);
  SetQuinella(s, 2, 1, 6.0);
  SetQuinella(s, 2, 3, 4.0);
  SetQuinella(s, 2, 4, 6.0);
  SetQuinella(s, 1, 3, 10.0);
  SetQuinella(s, 1, 4, 20.0);
  SetQuinella(s, 3, 4, 30.0);
  SetWide(s, 2, 1, 2.2);
  s.race.BracketQuinellaOdds[1][2] = OddsText(12.5, 5);
  // Values of an earlier race above M must not survive.
  s.analysis.QuinellaByPos[5][1] = 99;
  s.analysis.WinOddsByPos[5] = 99;

  BuildPositionTables(s);
  const AnalysisState& a = s.analysis;

  // Win odds by position 3.0, 2.5, 3.0, 5.0: competition ranks 2, 1, 2, 4.
  EXPECT_EQ((std::vector<int>{a.WinRankByPos[1], a.WinRankByPos[2], a.WinRankByPos[3],
                              a.WinRankByPos[4]}),
            (std::vector<int>{2, 1, 2, 4}));
  EXPECT_EQ((std::vector<int>{a.WinOrder[1], a.WinOrder[2], a.WinOrder[3], a.WinOrder[4]}),
            (std::vector<int>{1, 2, 3, 4}));
  // Place odds 1.5, 1.5, 1.2, 2.0: ranks 2, 2, 1, 4; order by the exchange sort 3, 1, 2, 4.
  EXPECT_EQ((std::vector<int>{a.PlaceRankByPos[1], a.PlaceRankByPos[2], a.PlaceRankByPos[3],
                              a.PlaceRankByPos[4]}),
            (std::vector<int>{2, 2, 1, 4}));
  EXPECT_EQ((std::vector<int>{a.PlaceOrder[1], a.PlaceOrder[2], a.PlaceOrder[3], a.PlaceOrder[4]}),
            (std::vector<int>{3, 1, 2, 4}));
  // Quinella odds with the favourite 0 (itself), 6, 4, 6.
  EXPECT_EQ((std::vector<int>{a.FavQuinellaRank[1], a.FavQuinellaRank[2], a.FavQuinellaRank[3],
                              a.FavQuinellaRank[4]}),
            (std::vector<int>{1, 3, 2, 3}));
  EXPECT_DOUBLE_EQ(a.QuinellaByPos[3][4], 30.0);
  EXPECT_DOUBLE_EQ(a.QuinellaByPos[2][2], 0.0);
  EXPECT_DOUBLE_EQ(a.WideByPos[1][2], 2.2);
  EXPECT_DOUBLE_EQ(a.BracketQuinella[1][2], 12.5);
  EXPECT_DOUBLE_EQ(a.BracketQuinella[2][2], 0.0);
  EXPECT_DOUBLE_EQ(a.QuinellaByPos[5][1], 0.0);
  EXPECT_DOUBLE_EQ(a.WinOddsByPos[5], 0.0);

  // Sale code 7 sells no wide: every wide cell is 0 whatever the texts hold.
  s.race.CurrentSaleCode = 7;
  BuildPositionTables(s);
  EXPECT_DOUBLE_EQ(s.analysis.WideByPos[1][2], 0.0);
}

TEST(PopularityGaps, CutsGroupsAndSeparators) {
  using K = SeparatorKind;
  struct Case {
    const char* name;
    std::vector<double> synthetic;
    int scratched;
    int firstCut, secondCut;
    std::vector<int> sizes, classes;
    std::map<int, K> separators;
  } cases[] = {
      {"single runner", {3.0}, 0, 1, 1, {1}, {3}, {{1, K::Red}}},
      {"first cut in the first half is blue, second waits for 4.5",
       {1.5, 3.0, 3.3, 3.6, 4.0, 4.4, 4.8, 5.3, 5.8, 6.4, 7.0, 7.7, 8.5, 9.3, 10.2, 11.2},
       0, 1, 16, {1, 15}, {3, 3}, {{1, K::Blue}, {16, K::Red}}},
      {"blue then red, gap classes 3, 1, 2",
       {1.5, 3.0, 4.5, 7.5, 8.0}, 0, 1, 3, {1, 1, 1, 2}, {3, 1, 2, 3},
       {{1, K::Blue}, {3, K::Red}}},
      {"class-3 gap in the second half makes both cuts red",
       {2.0, 2.2, 2.4, 6.0}, 0, 3, 3, {3, 1}, {3, 3}, {{3, K::Red}}},
      {"one gap passing both thresholds is a single red separator",
       {1.0, 5.0, 5.2, 5.4, 5.6, 5.8}, 0, 1, 1, {1, 5}, {3, 3}, {{1, K::Red}}},
      {"scratched horses count in the half-field test",
       {2.0, 2.1, 2.2, 5.0, 5.1, 5.2}, 2, 3, 6, {3, 3}, {3, 3}, {{3, K::Blue}, {6, K::Red}}},
      {"no runners", {}, 3, 0, 0, {}, {}, {}},
      // Class boundaries are inclusive; the cumulative thresholds are strict.
      {"ratio of exactly 1.4 is a class-1 gap", {2.0, 2.8}, 0, 2, 2, {1, 1}, {1, 3},
       {{2, K::Red}}},
      {"ratio just under 1.4 is no gap", {2.0, 2.79}, 0, 2, 2, {2}, {3}, {{2, K::Red}}},
      {"ratio of exactly 1.6 is a class-2 gap", {2.0, 3.2}, 0, 2, 2, {1, 1}, {2, 3},
       {{2, K::Red}}},
      {"ratio of exactly 1.9 is class 3 but does not pass 1.9", {2.0, 3.8}, 0, 2, 2, {1, 1},
       {3, 3}, {{2, K::Red}}},
      {"cumulative ratio of exactly 4.5 makes no second cut", {1.0, 2.0, 5.0}, 0, 1, 3,
       {1, 1, 1}, {3, 3, 3}, {{1, K::Blue}, {3, K::Red}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Session s;
    test::SetRunners(s, c.synthetic, {}, {}, c.scratched);
    FindPopularityGaps(s);
    PublishRaceAnalysis(s);
    const AnalysisState& a = s.analysis;
    EXPECT_EQ(a.FirstCut, c.firstCut);
    EXPECT_EQ(a.SecondCut, c.secondCut);
    ASSERT_EQ(a.GapGroups[kGapCountRow][0], static_cast<int>(c.sizes.size()));
    for (std::size_t g = 0; g < c.sizes.size(); ++g) {
      EXPECT_EQ(a.GapGroups[kGapSizeRow][g + 1], c.sizes[g]) << "group " << g + 1;
      EXPECT_EQ(a.GapGroups[kGapClassRow][g + 1], c.classes[g]) << "group " << g + 1;
    }
    for (int p = 1; p <= kMaxHorses; ++p) {
      const auto it = c.separators.find(p);
      const K expected = it == c.separators.end() ? K::Neutral : it->second;
      EXPECT_EQ(a.GapSeparator[p], expected) << "row " << p;
      EXPECT_EQ(s.prediction.Rows[p].SeparatorColour, SeparatorColour(expected)) << "row " << p;
    }
  }
}

TEST(TheoreticalQuinella, OddsImpliedByTwoSyntheticWinOdds) {
  struct {
    double a, b, odds;
  } cases[] = {{4.0, 4.0, 7.5}, {2.0, 8.0, 6.75}, {8.0, 2.0, 6.75}};
  for (const auto& c : cases) {
    EXPECT_NEAR(TheoreticalQuinellaOdds(c.a, c.b), c.odds, 1e-9) << c.a << " " << c.b;
  }
}

// The formula as one expression of the two 仮単, as it was before its terms were worked out per
// horse: the paired form must give the same double, to the bit.
double TheoreticalQuinellaInOne(double a, double b) {
  const double pa = 2.0 * (80.0 / a) / 100.0;
  const double pb = 2.0 * (80.0 / b) / 100.0;
  const double p = 100.0 * (pa * pb / 2.0) * (1.0 / (2.0 - pa) + 1.0 / (2.0 - pb));
  return 75.0 / p;
}

TEST(TheoreticalQuinella, TermsPerHorseGiveTheSameOddsToTheBit) {
  // Every 仮単 the texts can show, and the odd ones: zero (no share), the 0.8 where 2 - p is
  // zero, negative, very small and very large, infinite and not a number.
  std::vector<double> values = {0.0, -0.0, 0.8, -0.8, 1e-300, 1e300, -3.5, kNoSyntheticWin,
                                std::numeric_limits<double>::infinity(),
                                std::numeric_limits<double>::quiet_NaN()};
  for (int tenths = 1; tenths <= 9999; tenths += 7) values.push_back(tenths / 10.0);
  for (int i = 1; i < 400; ++i) values.push_back(80.0 / (i * 0.37));
  const auto bits = [](double v) { return std::isnan(v) ? std::uint64_t{1} : std::bit_cast<std::uint64_t>(v); };
  for (std::size_t i = 0; i < values.size(); i += 3) {
    for (double b : values) {
      const double a = values[i];
      const double expected = TheoreticalQuinellaInOne(a, b);
      EXPECT_EQ(bits(TheoreticalQuinellaOdds(a, b)), bits(expected)) << a << " " << b;
      EXPECT_EQ(bits(TheoreticalQuinellaOdds(TheoreticalTermsOf(a), TheoreticalTermsOf(b))),
                bits(expected))
          << a << " " << b;
    }
  }
}

TEST(TheoreticalQuinella, SwapValuesExchanges) {
  int x = 1, y = 2;
  SwapValues(x, y);
  EXPECT_EQ(x, 2);
  EXPECT_EQ(y, 1);
}

}  // namespace
}  // namespace tz
