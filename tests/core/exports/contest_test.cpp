// Contest entries: rule names and the file name, the meeting header with the weekday of the
// guide date, the axis and partner choice, the pairs, the payout sums and the race line.
#include "exports/contest.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "session.h"
#include "text/sjis.h"

namespace tz {
namespace {

// A race of n runners in popularity order 1..n held by horses n, n-1, .., 1 (position p holds
// horse n + 1 - p), so that positions and horse numbers never coincide by accident.
Session Reversed(int n) {
  Session s;
  s.race.HorseCount = n;
  s.raceAnalysis.Analysed = true;
  s.raceAnalysis.RowCount = n;
  s.raceAnalysis.RunnerCount = n;
  for (int p = 1; p <= n; ++p) {
    s.race.HorseOrder[p] = n + 1 - p;
    s.raceAnalysis.Horse[p] = n + 1 - p;
  }
  return s;
}

// The rank of position p under an indicator, as the analysis stores it.
int& RankAt(Session& s, Indicator k, int p) {
  return s.raceAnalysis.Rank[static_cast<std::size_t>(k)][static_cast<std::size_t>(p)];
}

std::vector<int> Positions(const std::vector<ContestPartner>& list) {
  std::vector<int> out;
  for (const auto& e : list) out.push_back(e.Position);
  return out;
}

TEST(ContestNames, FileNameAndRuleCodeForEveryLetter) {
  struct Case {
    ContestRule rule;
    const char* file;
  };
  const std::vector<Case> cases = {
      {{1, 1, 2, 1}, "P981018T1FN.txt"},
      {{4, 5, 3, 2}, "P981018Z5RB.txt"},
      {{5, 2, 6, 1}, "P981018W2PN.txt"},
      {{7, 3, 7, 2}, "P981018Q3QB.txt"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ContestFileName("19981018", c.rule), c.file);
  }
  EXPECT_EQ(ContestIndicatorName(5), "単勝人気");
  EXPECT_EQ(ContestRankName(3), "３位");
  EXPECT_EQ(ContestFormName(2), "ボックス");
}

TEST(ContestNames, WeekdayComesFromTheGuideDate) {
  struct Case {
    const char* date;
    const char* mark;
  };
  const std::vector<Case> cases = {
      {"19981018", "(日)"}, {"19981017", "(土)"}, {"20000229", "(火)"},
      {"19991231", "(金)"}, {"20021021", "(月)"}, {"20030101", "(水)"},
      {"20030102", "(木)"}, {"19990229", ""},     {"99999999", ""},
      {"2003010", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(WeekdayMark(c.date), c.mark) << c.date;
}

TEST(ContestHeader, FieldsAreRightAlignedWithBlanks) {
  RaceModel r;
  r.GuideDate = "19981018";
  r.MeetingCount = 2;
  r.MeetingInfo[1] = {6, 4, 8, 1998};
  r.MeetingInfo[2] = {8, 12, 10, 1998};
  EXPECT_EQ(ContestMeetingHeader(r, 1, {1, 1, 2, 1}),
            "中山 1998年  4回  8日目 10月 18日(日) [0000] Tazuna98 Ver 2.041 (T1FN)");
  EXPECT_EQ(ContestMeetingHeader(r, 2, {7, 2, 5, 2}),
            "京都 1998年 12回 10日目 10月 18日(日) [0000] Tazuna98 Ver 2.041 (Q2WB)");
  r.GuideDate = "20020908";
  r.MeetingInfo[1] = {5, 1, 1, 2002};
  EXPECT_EQ(ContestMeetingHeader(r, 1, {1, 1, 2, 1}),
            "東京 2002年  1回  1日目  9月  8日(日) [0000] Tazuna98 Ver 2.041 (T1FN)");
}

TEST(ContestAxis, EachIndicatorPicksItsHorse) {
  Session s = Reversed(10);
  RankAt(s, Indicator::T, 3) = 2;
  RankAt(s, Indicator::T, 6) = 2;  // a later position with the same rank is not taken
  RankAt(s, Indicator::F, 4) = 1;
  RankAt(s, Indicator::R, 7) = 3;
  RankAt(s, Indicator::Z, 9) = 5;
  s.analysis.WinOrder[2] = 4;
  s.analysis.PlaceOrder[3] = 7;
  struct Case {
    ContestRule rule;
    int axis;
  };
  const std::vector<Case> cases = {
      {{kContestT, 2, 1, 1}, 8},  // position 3
      {{kContestF, 1, 1, 1}, 7},  // position 4
      {{kContestR, 3, 1, 1}, 4},  // position 7
      {{kContestZ, 5, 1, 1}, 2},  // position 9
      {{kContestW, 2, 1, 1}, 4},
      {{kContestP, 3, 1, 1}, 7},
      {{kContestQ, 4, 1, 1}, 7},  // position 4
      // No position holds the rank: the race has no axis, whatever an earlier race had.
      {{kContestT, 4, 1, 1}, 0},
      {{kContestZ, 1, 1, 1}, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ContestAxisHorse(s, c.rule), c.axis) << ContestRuleCode(c.rule);
  }

  // A popularity rank beyond the runners names no horse, not a value left from a larger race.
  Session small = Reversed(4);
  small.race.HorseOrder[5] = 9;
  small.analysis.WinOrder[5] = 9;
  small.analysis.PlaceOrder[5] = 9;
  for (int indicator : {kContestW, kContestP, kContestQ}) {
    EXPECT_EQ(ContestAxisHorse(small, {indicator, 5, 1, 1}), 0) << indicator;
    EXPECT_EQ(ContestAxisHorse(small, {indicator, 4, 1, 1}), indicator == kContestQ ? 1 : 0)
        << indicator;
  }
}

TEST(ContestPartners, EachIndicatorTakesRanksOneToFiveInRankOrder) {
  Session s = Reversed(9);
  const std::vector<int> t = {0, 0, 3, 1, 6, 0, 2, 0, 5, 4};
  for (int p = 1; p <= 9; ++p) RankAt(s, Indicator::T, p) = t[p];
  RankAt(s, Indicator::R, 2) = -1;  // "comes after the favourite" is no rank
  RankAt(s, Indicator::R, 5) = 1;
  for (int p = 1; p <= 9; ++p) s.analysis.WinRankByPos[p] = 10 - p;   // 9 .. 1
  for (int p = 1; p <= 9; ++p) s.analysis.PlaceRankByPos[p] = p % 3;  // 1 2 0 1 2 0 ..
  const int axis = 5;  // position 5
  struct Case {
    int indicator;
    std::vector<int> positions;
  };
  const std::vector<Case> cases = {
      {kContestT, {3, 6, 2, 9, 8}},  // ranks 1 2 3 4 5; rank 6 at position 4 is out
      {kContestF, {}},
      {kContestR, {}},                      // only the axis holds rank 1
      {kContestW, {9, 8, 7, 6}},            // ranks 1..4; position 5 is the axis
      {kContestP, {1, 4, 7, 2, 8}},         // rank 1 at 1, 4, 7 and rank 2 at 2, 8
      {kContestQ, {1, 2, 3, 4}},            // positions 1-5 without the axis
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Positions(ContestPartners(s, c.indicator, axis)), c.positions) << c.indicator;
  }
}

// Shared ranks can qualify more horses than a ten-entry table holds. Every candidate is kept
// and ordered before the forms take their first five or three, so the best-ranked horses at
// late positions are never lost.
TEST(ContestPartners, ListGrowsBeyondTenAndIsSortedBeforeItIsCut) {
  Session s = Reversed(16);
  for (int p = 1; p <= 11; ++p) RankAt(s, Indicator::Z, p) = 3;
  RankAt(s, Indicator::Z, 12) = 1;
  RankAt(s, Indicator::Z, 13) = 2;
  RankAt(s, Indicator::Z, 14) = 1;
  const int axis = 1;  // position 16, no rank
  const auto list = ContestPartners(s, kContestZ, axis);
  ASSERT_EQ(list.size(), 14u);
  // The exchange loop moves 12 and 14 (rank 1), then 13 (rank 2) to the front; the rank-3
  // entries they displaced keep the order the loop leaves.
  EXPECT_EQ(Positions(list),
            (std::vector<int>{12, 14, 13, 4, 5, 6, 7, 8, 9, 10, 11, 1, 2, 3}));

  // Flow: the five best; box: the axis and the three best.
  const auto flow = ContestPairs(s, axis, list, kContestFlow);
  EXPECT_EQ(flow, (std::vector<ContestPair>{{1, 5}, {1, 3}, {1, 4}, {1, 13}, {1, 12}}));
  const auto box = ContestPairs(s, axis, list, kContestBox);
  EXPECT_EQ(box, (std::vector<ContestPair>{{1, 5}, {1, 3}, {1, 4}, {3, 5}, {4, 5}, {3, 4}}));
}

TEST(ContestPairs, SlotsForFlowBoxAndBracketOnlyRaces) {
  Session s = Reversed(12);
  // Partner Q with the axis at position 2: partners at 1, 3, 4, 5, four pairs, two blank slots.
  const int axis = s.race.HorseOrder[2];  // horse 11
  const auto flow = ContestPairs(s, axis, ContestPartners(s, kContestQ, axis), kContestFlow);
  EXPECT_EQ(ContestPairSlots(flow, 31),
            " 11-12 10-11  9-11  8-11            ");
  // Box of the axis and three partners: six pairs, no blank slot.
  const auto box = ContestPairs(s, axis, ContestPartners(s, kContestQ, axis), kContestBox);
  EXPECT_EQ(ContestPairSlots(box, 31), " 11-12 10-11  9-11 10-12  9-12  9-10");
  // Bracket-only race: four blanks and the two numbers.
  EXPECT_EQ(ContestPairSlots({{3, 7}, {1, 3}}, 7), "    37    13                        ");
  EXPECT_EQ(ContestPairSlots({}, 31), std::string(36, ' '));
}

// Without an axis horse an entry has no pairs: never a pair with horse 0.
TEST(ContestPairs, NoAxisNoPairs) {
  Session s = Reversed(8);
  const auto partners = ContestPartners(s, kContestQ, 0);
  ASSERT_EQ(partners.size(), 5u);
  for (int form : {kContestFlow, kContestBox}) {
    EXPECT_TRUE(ContestPairs(s, 0, partners, form).empty()) << form;
  }
  const std::string line = ContestRaceLine(7, 5, 8, 0, {}, 31, {}, ContestSums{});
  EXPECT_EQ(line.substr(0, 46), " 7R   0" + std::string(36, ' ') + "  |");
}

// A race sold with bracket quinella only is entered on brackets: each pair is the bracket pair
// of its two horses, smaller first, in a slot of six characters, and the bracket payouts are
// credited to the pairs the entry names.
TEST(ContestPairs, BracketOnlyRaceIsEnteredOnTheHorsesBrackets) {
  Session s = Reversed(12);
  s.race.CurrentSaleCode = 7;
  // Twelve horses: brackets 1-4 hold one horse, brackets 5-8 two.
  const int bracketOf[] = {0, 1, 2, 3, 4, 5, 5, 6, 6, 7, 7, 8, 8};
  for (int h = 1; h <= 12; ++h) s.race.HorseBracket[h] = bracketOf[h];
  const int axis = 4;  // position 9
  const std::vector<ContestPartner> partners = {{2, 1}, {1, 2}, {3, 3}, {6, 4}, {8, 5}};
  // Horses 11, 12, 10, 7 and 5: brackets 8, 8, 7, 6, 5.
  const auto flow = ContestPairs(s, axis, partners, kContestFlow);
  EXPECT_EQ(flow, (std::vector<ContestPair>{{4, 8}, {4, 8}, {4, 7}, {4, 6}, {4, 5}}));
  const std::string slots = ContestPairSlots(flow, 7);
  EXPECT_EQ(slots, "    48    48    47    46    45      ");
  // Box of horses 4, 11, 12, 10: a same-bracket pair is the bracket with itself.
  const auto box = ContestPairs(s, axis, partners, kContestBox);
  EXPECT_EQ(box, (std::vector<ContestPair>{{4, 8}, {4, 8}, {4, 7}, {8, 8}, {7, 8}, {7, 8}}));

  // The "|" column stays where it is.
  const std::string line = ContestRaceLine(5, 5, 12, axis, flow, 7, {}, ContestSums{});
  EXPECT_EQ(line.size(), 76u);
  EXPECT_EQ(line.substr(43, 3), "  |");

  // The bracket payout of 4-8 is credited once for every slot naming it.
  ResultState res;
  res.PayoutTable = {"0505" "3" "04" "08" "001230"};
  res.PayoutCount = 1;
  EXPECT_EQ(ContestPayoutSums(res, 7, axis, flow).Quinella, 2 * 1230);
}

// Payout record: race key, kind, first and second number, payout.
std::string Payout(int kind, int first, int second, int yen) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "0611%d%02d%02d%06d", kind, first, second, yen);
  return buf;
}

TEST(ContestSums, PayoutsOfThePicksByPool) {
  ResultState res;
  res.PayoutTable = {Payout(1, 0, 5, 1230),  Payout(2, 0, 5, 340),  Payout(2, 0, 2, 150),
                     Payout(2, 0, 9, 700),   Payout(3, 3, 7, 2210), Payout(4, 2, 5, 4560),
                     Payout(5, 2, 5, 1250),  Payout(5, 5, 9, 3080), Payout(5, 2, 9, 990),
                     // A refund after the priced records is not a payout.
                     Payout(4, 5, 9, 0)};
  res.PayoutCount = 9;
  const std::vector<ContestPair> pairs = {{2, 5}, {5, 9}, {5, 11}};
  const ContestSums sums = ContestPayoutSums(res, 31, 5, pairs);
  EXPECT_TRUE(sums.WinSeen && sums.PlaceSeen && sums.QuinellaSeen && sums.WideSeen);
  EXPECT_EQ(sums.Win, 1230);
  EXPECT_EQ(sums.Place, 340);
  EXPECT_EQ(sums.Quinella, 4560);  // the bracket payout does not count in a quinella race
  EXPECT_EQ(sums.Wide, 1250 + 3080);

  // Bracket-only race: the bracket payout of 3-7 is the quinella sum, the wide pool counts as
  // seen with nothing, and the quinella and wide records are not read.
  const ContestSums bracket = ContestPayoutSums(res, 7, 3, {{3, 7}, {1, 3}});
  EXPECT_EQ(bracket.Quinella, 2210);
  EXPECT_TRUE(bracket.WideSeen);
  EXPECT_EQ(bracket.Wide, 0);
  EXPECT_EQ(bracket.Win, 0);

  // No results: nothing seen.
  const ContestSums none = ContestPayoutSums(ResultState{}, 31, 5, pairs);
  EXPECT_FALSE(none.WinSeen || none.PlaceSeen || none.QuinellaSeen || none.WideSeen);
}

TEST(ContestLine, SeventySixCharactersWithCodesAndSums) {
  ContestSums sums;
  sums.WinSeen = sums.PlaceSeen = sums.QuinellaSeen = sums.WideSeen = true;
  sums.Win = 1230;
  sums.Place = 340;
  sums.Quinella = 123450;
  sums.Wide = 0;
  const std::vector<ContestPair> pairs = {{3, 12}, {1, 3}};
  const std::string line = ContestRaceLine(1, 6, 16, 3, pairs, 31, {5, 3, 2, 12}, sums);
  EXPECT_EQ(line,
            " 1R   3" "  3-12  1- 3" + std::string(24, ' ') +
                "  | " "06" "01" "16" "5" "3" "2" "12" "0123" "0034" "12345" "00000");
  EXPECT_EQ(line.size(), 76u);

  // Without results the sums are question marks; without a race card the codes are 0.
  const std::string bare = ContestRaceLine(12, 10, 8, 0, {}, 31, {}, ContestSums{});
  EXPECT_EQ(bare.substr(0, 3), "12R");
  EXPECT_EQ(bare.substr(46), " 10120800000" + std::string(18, '?'));
  EXPECT_EQ(bare.size(), 76u);
}

}  // namespace
}  // namespace tz
