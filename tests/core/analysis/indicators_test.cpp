#include "analysis/indicators.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/pipeline.h"
#include "analysis/vote_shares.h"
#include "race_texts.h"
#include "session.h"

namespace tz {
namespace {

using test::SetRunners;

std::vector<std::string> Column(const Session& s, std::string PredictionRow::*cell) {
  std::vector<std::string> out;
  for (int p = 1; p <= s.prediction.RowCount; ++p) out.push_back(s.prediction.Rows[p].*cell);
  return out;
}

std::vector<int> Values(const Table1<int, kMaxHorses>& t, int m) {
  return std::vector<int>(t.begin() + 1, t.begin() + 1 + m);
}

// Quinella (or wide) odds of each position with the favourite, both directions.
void SetWithFavourite(Table2<double, kMaxHorses, kMaxHorses>& t, const std::vector<double>& q) {
  for (std::size_t i = 0; i < q.size(); ++i) {
    const int p = static_cast<int>(i) + 2;
    t[p][1] = t[1][p] = q[i];
  }
}

TEST(FlagOverbetting, FlagsFromTheShownTexts) {
  Session s;
  // 仮単, win and place of six runners; runner 5 has no quinella quote (999.9), runner 6 shows a
  // text that is no number.
  SetRunners(s, {2.0, 4.0, 6.0, 50.0, 999.9, 7.0}, {1.8, 2.5, 8.0, 45.0, 30.0, 3.0},
             {1.1, 1.3, 3.5, 9.0, 8.0, 1.2});
  s.analysis.SyntheticWinText[6] = "取消";
  const int winRank[] = {0, 1, 1, 3, 3, 3, 1};
  const int placeRank[] = {0, 1, 1, 2, 2, 5, 1};
  for (int p = 1; p <= 6; ++p) {
    s.analysis.WinRankByPos[p] = winRank[p];
    s.analysis.PlaceRankByPos[p] = placeRank[p];
  }
  s.analysis.WinOverbetFlags[7] = 7;  // an earlier race's value beyond M is cleared
  FlagOverbetting(s);

  const AnalysisState& a = s.analysis;
  EXPECT_EQ(Values(a.WinOverbetFlags, 7), (std::vector<int>{3, 7, 0, 0, 7, 0, 0}));
  EXPECT_EQ(Values(a.PlaceOverbetFlags, 7), (std::vector<int>{0, 3, 2, 0, 0, 0, 0}));
  EXPECT_DOUBLE_EQ(a.WinOverbet[2], 10.0 * (2.5 / 4.0 - 1.0));
}

TEST(ScorePairs, OverbetPairsReversalsMarksAndTooltips) {
  Session s;
  SetRunners(s, {2.0, 4.0, 5.0, 8.0}, {2.0, 4.0, 5.0, 8.0}, {1.1, 1.3, 1.5, 2.0});
  AnalysisState& a = s.analysis;
  auto pair = [&](int i, int j, double q, double w) {
    a.QuinellaByPos[i][j] = a.QuinellaByPos[j][i] = q;
    a.WideByPos[i][j] = a.WideByPos[j][i] = w;
  };
  // Theoretical odds: 1-2 3.21, 1-3 4.10, 1-4 6.75, 2-3 9.60, 2-4 15.88, 3-4 20.37.
  pair(1, 2, 3.0, 1.5);
  pair(1, 3, 3.4, 1.8);   // 121 % of the quote: over-bet, under 100 -> underlined
  pair(1, 4, 7.0, 3.0);
  pair(2, 3, 9.0, 2.5);
  pair(2, 4, 12.0, 2.0);  // 132 %: over-bet
  pair(3, 4, 10.0, 4.0);  // 204 %: over-bet; from row 4 priced below 2-4 (12.0): reversal
  s.race.BracketQuinellaOdds[1][3] = "  5.6";
  s.race.PlaceOddsLow[2] = "  1.3";
  s.race.PlaceOddsHigh[2] = "  2.1";
  ScorePairs(s);

  EXPECT_EQ((std::vector<double>{a.PairScore[1], a.PairScore[2], a.PairScore[3], a.PairScore[4]}),
            (std::vector<double>{5, 5, 12, 10}));
  EXPECT_TRUE(a.QuinellaCellMarks[1][3].Underline);
  EXPECT_TRUE(a.QuinellaCellMarks[3][1].Underline);
  EXPECT_TRUE(a.QuinellaCellMarks[2][4].Underline);
  EXPECT_FALSE(a.QuinellaCellMarks[1][2].Underline);
  EXPECT_TRUE(a.QuinellaCellMarks[3][4].RedText);
  EXPECT_TRUE(a.QuinellaCellMarks[4][3].Bold);
  EXPECT_FALSE(a.QuinellaCellMarks[4][3].RedText);
  // Wide 2-4 (2.0) is priced below 2-3 (2.5) from row 2 and below 1-4 (3.0) from row 4.
  EXPECT_TRUE(a.WideCellMarks[4][2].RedText);
  EXPECT_TRUE(a.WideCellMarks[2][4].Bold);
  EXPECT_TRUE(a.WideCellMarks[2][4].RedText);
  EXPECT_TRUE(a.WideCellMarks[4][2].Bold);
  EXPECT_FALSE(a.WideCellMarks[3][4].RedText);
  EXPECT_EQ(a.QuinellaCellTooltip[3][1], "枠連 1-3  x5.6");
  EXPECT_EQ(a.QuinellaCellTooltip[1][3], "枠連 1-3  x5.6");
  EXPECT_EQ(a.QuinellaCellTooltip[2][4], "枠連 2-4  x");
  EXPECT_EQ(a.PlaceTooltip[2], "複勝 1.3 - 2.1");
}

TEST(ScorePairs, SameBracketPairIsPricedByTheBracketQuinella) {
  struct {
    int bracketOf2;
    double score;
  } cases[] = {{2, 5}, {1, 0}};
  for (const auto& c : cases) {
    Session s;
    SetRunners(s, {2.0, 4.0}, {2.0, 4.0}, {1.1, 1.3});
    s.race.HorseBracket[2] = c.bracketOf2;
    s.analysis.QuinellaByPos[1][2] = s.analysis.QuinellaByPos[2][1] = 2.5;  // 129 % over-bet
    s.analysis.BracketQuinella[1][1] = 12.0;
    ScorePairs(s);
    EXPECT_EQ(s.analysis.PairScore[2], c.score) << "bracket " << c.bracketOf2;
  }
}

TEST(ScorePairs, PairWithoutAQuoteScoresNothing) {
  // 2-3 has no quinella quote: it is neither over-bet nor a price reversal.
  Session s;
  SetRunners(s, {2.0, 4.0, 5.0}, {2.0, 4.0, 5.0}, {1.1, 1.3, 1.5});
  AnalysisState& a = s.analysis;
  a.QuinellaByPos[1][2] = a.QuinellaByPos[2][1] = 3.0;
  a.QuinellaByPos[1][3] = a.QuinellaByPos[3][1] = 3.6;
  ScorePairs(s);
  for (int p = 1; p <= 3; ++p) EXPECT_EQ(a.PairScore[p], 0) << p;
  EXPECT_FALSE(a.QuinellaCellMarks[3][2].RedText);
  EXPECT_FALSE(a.QuinellaCellMarks[2][3].Bold);
}

TEST(RankIndicators, PlaceStepRanksFiveCandidatesOnly) {
  Session s;
  // Runners 1-7 are candidates; 8 has place odds above 7, 9 a 仮単 above 60, 10 win odds
  // above 60, 11 is not over-bet in the place pool.
  SetRunners(s, {4, 6, 8, 10, 12, 16, 20, 30, 61, 40, 40},
             {10, 10, 10, 10, 10, 10, 10, 10, 10, 61, 10},
             {1.2, 1.0, 2.0, 2.8, 2.2, 1.6, 5.8, 7.5, 3.0, 2.0, 14.0});
  RankIndicators(s);
  PublishRaceAnalysis(s);
  EXPECT_EQ(Column(s, &PredictionRow::F),
            (std::vector<std::string>{"", "2", "4", "5", "3", "1", "", "", "", "", ""}));
  EXPECT_EQ(s.analysis.FValue[6], 1);
}

TEST(RankIndicators, WinStepKeepsTheExchangeOrderOfEqualValues) {
  Session s;
  // Win over-bet values: p2 -5, p3 -5, p4 -7; p5 has win odds above 40, p6 is not over-bet.
  // The exchange brings p4 to the front by swapping it with p2, which leaves p3 before p2.
  SetRunners(s, {2, 4, 4, 6, 50, 10}, {2.2, 2.0, 2.0, 1.8, 41, 12}, {1, 1, 1, 1, 1, 1});
  RankIndicators(s);
  PublishRaceAnalysis(s);
  EXPECT_EQ(Column(s, &PredictionRow::T), (std::vector<std::string>{"", "3", "2", "1", "", ""}));

  // No candidate at all leaves the column empty.
  SetRunners(s, {2, 4, 6}, {3, 5, 7}, {1, 1, 1});
  RankIndicators(s);
  PublishRaceAnalysis(s);
  EXPECT_EQ(Column(s, &PredictionRow::T), (std::vector<std::string>{"", "", ""}));
}

// The favourite's share 46.875 makes the odds with the favourite come out as the quote itself,
// so v = 10 x (quote / 仮単 - 1).
void FavouriteRace(Session& s, const std::vector<double>& synthetic, const std::vector<double>& q,
                   bool wide = false, const std::vector<double>& win = {}) {
  SetRunners(s, synthetic, win.empty() ? synthetic : win, {});
  s.analysis.QuinellaShare[1] = 46.875;
  s.analysis.WideShare[1] = 46.875;
  SetWithFavourite(wide ? s.analysis.WideByPos : s.analysis.QuinellaByPos, q);
}

TEST(RankIndicators, QuinellaFromTheFavourite) {
  struct Case {
    const char* name;
    std::vector<double> quotes;  // positions 2..5 with the favourite
    std::vector<int> rValues;
  } cases[] = {
      // v: p2 -2, p3 +1, p4 -5, p5 -1.2; sorted p4, p2, p5 | p1, p3. Scores: p4 50 + 10,
      // p2 20 - 5 (moved down one place), p5 12 + 5 (moved up one place).
      {"move term decides", {3.2, 6.6, 4.0, 8.8}, {0, 3, -1, 1, 2}},
      // v: p2 -0.2, p3 -3, p4 -5, p5 +1: p2 ends third in the list from first among the
      // others, score 2 - 10 = -8: selected but not ranked, and not behind the favourite.
      {"negative score gets no rank", {3.92, 4.2, 4.0, 11.0}, {0, 0, 2, 1, -1}},
      // Every v is positive: the favourite heads the list, everyone else is behind it.
      {"nothing over-bet", {5.0, 7.0, 9.0, 11.0}, {0, -1, -1, -1, -1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Session s;
    FavouriteRace(s, {2, 4, 6, 8, 10}, c.quotes);
    RankIndicators(s);
    PublishRaceAnalysis(s);
    EXPECT_EQ(Values(s.analysis.RValue, 5), c.rValues);
    for (int p = 1; p <= 5; ++p) {
      const int r = c.rValues[p - 1];
      EXPECT_EQ(s.prediction.Rows[p].R, r > 0 ? std::to_string(r) : "") << "row " << p;
    }
  }
}

TEST(RankIndicators, QuinellaFromTheFavouriteUsesTheSameBracketQuinella) {
  // Horse 2 shares the favourite's bracket: its 8.0 with the favourite is read as the bracket
  // quinella 12.0 and it is no longer over-bet.
  struct {
    int bracketOf2;
    int rValue;
  } cases[] = {{2, 1}, {1, -1}};
  for (const auto& c : cases) {
    Session s;
    FavouriteRace(s, {2, 10, 15}, {8.0, 20.0});
    s.race.HorseBracket[2] = c.bracketOf2;
    s.analysis.BracketQuinella[1][1] = 12.0;
    RankIndicators(s);
    PublishRaceAnalysis(s);
    EXPECT_EQ(s.analysis.RValue[2], c.rValue) << "bracket " << c.bracketOf2;
    EXPECT_EQ(s.analysis.RValue[1], 0);
  }
}

TEST(RankIndicators, WideFromTheFavourite) {
  // p2: 仮単 50 and win 45, neither under 40: not selected. p3: 仮単 50 with win 30: selected.
  // p4: 仮単 8, v -5. No move term: p3 (v -4) ranks below p4.
  Session s;
  FavouriteRace(s, {2, 50, 50, 8}, {40.0, 30.0, 4.0}, true, {2, 45, 30, 8});
  RankIndicators(s);
  PublishRaceAnalysis(s);
  EXPECT_EQ(Values(s.analysis.WValue, 4), (std::vector<int>{0, 0, 2, 1}));
  EXPECT_EQ(Column(s, &PredictionRow::W), (std::vector<std::string>{"", "", "2", "1"}));

  // Without wide odds (sale code 7) every value is 0: nothing ranks, all follow the favourite.
  FavouriteRace(s, {2, 4, 6, 8}, {0, 0, 0}, true);
  RankIndicators(s);
  PublishRaceAnalysis(s);
  EXPECT_EQ(Values(s.analysis.WValue, 4), (std::vector<int>{0, -1, -1, -1}));
}

TEST(RankIndicators, PairScoreRanksShareAndCanMarkMoreThanFive) {
  struct Case {
    std::vector<double> scores;
    std::vector<std::string> z;
  } cases[] = {
      {{10, 10, 10, 10, 10, 10, 5}, {"1", "1", "1", "1", "1", "1", ""}},
      {{8, 6, 6, 6, 6, 6, 1}, {"1", "2", "2", "2", "2", "2", ""}},
      {{9, 1, 8, 2, 7, 3, 6}, {"1", "", "2", "", "3", "", "4"}},
      // A score equal to the mean (28 / 7 = 4) is marked.
      {{6, 4, 4, 4, 4, 4, 2}, {"1", "2", "2", "2", "2", "2", ""}},
  };
  for (const Case& c : cases) {
    Session s;
    SetRunners(s, {2, 4, 6, 8, 10, 12, 14}, {}, {});
    for (int p = 1; p <= 7; ++p) s.analysis.PairScore[p] = c.scores[p - 1];
    RankIndicators(s);
    PublishRaceAnalysis(s);
    EXPECT_EQ(Column(s, &PredictionRow::Z), c.z);
  }
}

TEST(RankIndicators, RowsFollowThePopularityOrderWithScratchedHorsesLast) {
  Session s;
  SetRunners(s, {2, 4, 6}, {2, 4, 6}, {3, 3, 3}, 2);
  s.race.HorseOrder[1] = 3;
  s.race.HorseOrder[3] = 1;
  s.analysis.GapSeparator[3] = SeparatorKind::Red;
  s.prediction.Rows[2].F = "9";  // left over from an earlier race
  RankIndicators(s);
  PublishRaceAnalysis(s);
  const PredictionModel& m = s.prediction;
  ASSERT_EQ(m.RowCount, 5);
  EXPECT_EQ(m.Rows[1].HorseNumber, 3);
  EXPECT_EQ(m.Rows[1].Bracket, 3);
  EXPECT_TRUE(m.Rows[3].Runner);
  EXPECT_FALSE(m.Rows[4].Runner);
  EXPECT_EQ(m.Rows[2].F, "");
  EXPECT_EQ(m.Rows[3].SeparatorColour, kColourRed);
}

TEST(FlagOverbetting, LimitsOfTheFlagTests) {
  // Runner 2 of two; the favourite (仮単 2, win 3, place 1.5) is not over-bet anywhere.
  struct Case {
    const char* name;
    double synthetic, win, place;
    int winRank, placeRank;
    int winFlags, placeFlags;
  } cases[] = {
      {"win odds of exactly 40 over-bet", 50, 40, 9, 2, 2, 1, 0},
      {"win odds above 40", 50, 40.5, 9, 2, 2, 0, 0},
      {"over-bet beyond -3", 50, 30, 9, 2, 2, 5, 0},
      {"win rank ahead, 仮単 exactly 40, win odds 99.9", 40, 99.9, 9, 1, 2, 2, 0},
      {"win rank ahead, win odds 100", 40, 100, 9, 1, 2, 0, 0},
      {"win rank ahead, neither price up to 40", 40.5, 99.9, 9, 1, 2, 0, 0},
      {"place rank ahead, place odds exactly 3.0", 8, 10, 3.0, 2, 1, 0, 3},
      {"place rank ahead, place odds 3.1", 8, 10, 3.1, 2, 1, 0, 2},
      {"place rank ahead, place odds 100", 8, 10, 100, 2, 1, 0, 0},
      {"place rank ahead, neither price up to 40", 41, 41, 2, 2, 1, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Session s;
    SetRunners(s, {2, c.synthetic}, {3, c.win}, {1.5, c.place});
    AnalysisState& a = s.analysis;
    a.WinRankByPos[1] = a.PlaceRankByPos[1] = 1;
    a.WinRankByPos[2] = c.winRank;
    a.PlaceRankByPos[2] = c.placeRank;
    FlagOverbetting(s);
    EXPECT_EQ(a.WinOverbetFlags[1], 0);
    EXPECT_EQ(a.PlaceOverbetFlags[1], 0);
    EXPECT_EQ(a.WinOverbetFlags[2], c.winFlags);
    EXPECT_EQ(a.PlaceOverbetFlags[2], c.placeFlags);
  }
}

TEST(ScorePairs, LimitsOfTheOverbetPairTest) {
  // Two runners at 仮単 40: theoretical quinella odds 918.75, so every quote below is over-bet;
  // it scores below 300 and is underlined below 100.
  struct {
    double quote;
    double score;
    bool underline;
  } cases[] = {{300, 0, false}, {299.9, 5, false}, {100, 5, false}, {99.9, 5, true}};
  for (const auto& c : cases) {
    Session s;
    SetRunners(s, {40, 40}, {40, 40}, {5, 5});
    AnalysisState& a = s.analysis;
    a.QuinellaByPos[1][2] = a.QuinellaByPos[2][1] = c.quote;
    ScorePairs(s);
    EXPECT_EQ(a.PairScore[1], c.score) << c.quote;
    EXPECT_EQ(a.PairScore[2], c.score) << c.quote;
    EXPECT_EQ(a.QuinellaCellMarks[1][2].Underline, c.underline) << c.quote;
    EXPECT_EQ(a.QuinellaCellMarks[2][1].Underline, c.underline) << c.quote;
  }
}

TEST(ScorePairs, LimitsOfTheReversalTest) {
  // Quotes far above the theoretical odds (no over-bet pair): 1-2 500, 1-3 600. Pair 2-3 is
  // priced below both rows' running maximum; it scores and turns red below 300, bold below 100.
  struct {
    double quote23;
    double score;
    bool red, bold;
  } cases[] = {{300, 0, false, false}, {299.9, 2, true, false}, {100, 2, true, false},
               {99.9, 2, true, true}};
  for (const auto& c : cases) {
    Session s;
    SetRunners(s, {2, 4, 6}, {2, 4, 6}, {1.5, 2, 2.5});
    AnalysisState& a = s.analysis;
    a.QuinellaByPos[1][2] = a.QuinellaByPos[2][1] = 500;
    a.QuinellaByPos[1][3] = a.QuinellaByPos[3][1] = 600;
    a.QuinellaByPos[2][3] = a.QuinellaByPos[3][2] = c.quote23;
    a.WideByPos[1][2] = a.WideByPos[2][1] = 500;
    a.WideByPos[1][3] = a.WideByPos[3][1] = 600;
    a.WideByPos[2][3] = a.WideByPos[3][2] = c.quote23;
    ScorePairs(s);
    EXPECT_EQ((std::vector<double>{a.PairScore[1], a.PairScore[2], a.PairScore[3]}),
              (std::vector<double>{0, c.score, c.score}))
        << c.quote23;
    for (const auto* marks : {&a.QuinellaCellMarks, &a.WideCellMarks}) {
      EXPECT_EQ((*marks)[3][2].RedText, c.red) << c.quote23;
      EXPECT_EQ((*marks)[2][3].RedText, c.red) << c.quote23;
      EXPECT_EQ((*marks)[2][3].Bold, c.bold) << c.quote23;
      EXPECT_EQ((*marks)[3][2].Bold, c.bold) << c.quote23;
      EXPECT_FALSE((*marks)[1][3].RedText) << c.quote23;
    }
  }
}

TEST(RankIndicators, LimitsOfThePlaceAndWinCandidates) {
  // Runner 2 of two; the favourite (仮単 2, win 3, place 14) is no candidate of either step.
  struct Case {
    const char* name;
    double synthetic, win, place;
    const char* f;
    const char* t;
  } cases[] = {
      {"every limit met exactly", 60, 40, 7, "1", "1"},
      {"仮単 above 60", 60.5, 40, 7, "", ""},
      {"win odds above 40 count for F only", 60, 40.5, 7, "1", ""},
      {"win odds of exactly 60 count for F only", 60, 60, 7, "1", ""},
      {"win odds equal to 仮単 are not over-bet", 30, 30, 14, "", ""},
      {"win odds above 60", 60, 60.5, 7, "", ""},
      {"place odds above 7", 60, 40, 7.1, "", "1"},
      {"three times the place odds equal to 仮単 is not over-bet", 15, 20, 5, "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Session s;
    SetRunners(s, {2, c.synthetic}, {3, c.win}, {14, c.place});
    RankIndicators(s);
    PublishRaceAnalysis(s);
    EXPECT_EQ(Column(s, &PredictionRow::F), (std::vector<std::string>{"", c.f}));
    EXPECT_EQ(Column(s, &PredictionRow::T), (std::vector<std::string>{"", c.t}));
  }
}

TEST(RankIndicators, SelectionLimitsFromTheFavourite) {
  struct Case {
    const char* name;
    bool wide;
    std::vector<double> synthetic, win, quotes;
    std::vector<int> values;
  } cases[] = {
      {"quinella: 仮単 of exactly 60 is not selected", false, {2, 60}, {2, 10}, {30}, {0, 0}},
      {"quinella: 仮単 59.9 is selected", false, {2, 59.9}, {2, 10}, {30}, {0, 1}},
      {"wide: 仮単 and win odds of exactly 40", true, {2, 40}, {2, 40}, {20}, {0, 0}},
      {"wide: 仮単 39.9", true, {2, 39.9}, {2, 40}, {20}, {0, 1}},
      {"wide: win odds 39.9", true, {2, 40}, {2, 39.9}, {20}, {0, 1}},
      {"wide: 仮単 of exactly 60", true, {2, 60}, {2, 10}, {30}, {0, 0}},
      // Six over-bet runners in list order: the sixth is selected but only five ranks exist;
      // it is not behind the favourite either.
      {"quinella: five ranks at most", false, {2, 10, 10, 10, 10, 10, 10},
       {2, 10, 10, 10, 10, 10, 10}, {4, 5, 6, 7, 8, 9}, {0, 1, 2, 3, 4, 5, 0}},
      {"wide: five ranks at most", true, {2, 10, 10, 10, 10, 10, 10},
       {2, 10, 10, 10, 10, 10, 10}, {4, 5, 6, 7, 8, 9}, {0, 1, 2, 3, 4, 5, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Session s;
    FavouriteRace(s, c.synthetic, c.quotes, c.wide, c.win);
    RankIndicators(s);
    PublishRaceAnalysis(s);
    const int m = static_cast<int>(c.synthetic.size());
    EXPECT_EQ(Values(c.wide ? s.analysis.WValue : s.analysis.RValue, m), c.values);
  }
}

}  // namespace
}  // namespace tz
