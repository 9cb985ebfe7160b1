#include "analysis/classification.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/indicators.h"
#include "analysis/pipeline.h"
#include "race_texts.h"
#include "session.h"

namespace tz {
namespace {

using test::SetRunners;

TEST(ClassifyRace, WinPoolLetterNeedsMoreThan35Percent) {
  struct {
    int cf, c60;
    char letter;
  } cases[] = {{4, 9, 'T'}, {7, 20, 'F'}, {6, 17, 'T'}, {5, 15, 'F'}, {0, 0, 'F'}, {0, 5, 'F'},
               // No runner up to 60: any over-bet runner makes the share infinite.
               {1, 0, 'T'}, {3, 0, 'T'}};
  for (const auto& c : cases) {
    EXPECT_EQ(LeadingPoolLetter(c.cf, c.c60), c.letter) << c.cf << "/" << c.c60;
  }
}

TEST(ClassifyRace, WinPoolLetterCountsOverbetRunnersBehindTheFavourite) {
  // Ten runners, nine at most 60. Four runners behind the favourite over-bet in the win pool
  // give 44 % and "T"; the favourite's own flag does not count.
  struct {
    std::vector<int> flagged;
    char letter;
  } cases[] = {{{2, 3, 4, 5}, 'T'}, {{1, 2, 3, 4}, 'F'}};
  for (const auto& c : cases) {
    Session s;
    SetRunners(s, {2, 4, 6, 8, 10, 12, 14, 16, 18, 70}, {}, {});
    s.analysis.GapGroups[kGapSizeRow][1] = 2;
    for (int p : c.flagged) s.analysis.WinOverbetFlags[p] = kOverbetBit1;
    ClassifyRace(s);
    PublishRaceAnalysis(s);
    ASSERT_EQ(s.analysis.RaceTypeCode.size(), 3u);
    EXPECT_EQ(s.analysis.RaceTypeCode[0], c.letter);
    EXPECT_TRUE(s.prediction.Headers[c.letter == 'T' ? kColT : kColF].Bold);
    EXPECT_FALSE(s.prediction.Headers[c.letter == 'T' ? kColF : kColT].Bold);
  }
}

TEST(ClassifyRace, FavouriteOrAllCombinationsLetter) {
  struct Case {
    const char* name;
    int g1;
    std::vector<double> synthetic;
    double favouriteWin;
    char letter;
  } cases[] = {
      {"lone favourite alone under 3.9", 1, {3.5, 5, 6, 7, 8, 9, 12}, 3.0, 'R'},
      {"lone favourite at 4.2, five runners at most 10", 1, {4.2, 6, 7, 8, 9, 12}, 4.0, 'Z'},
      {"lone favourite at 4.2, three at most 10", 1, {4.2, 6, 7, 11, 12}, 4.0, 'R'},
      {"front group, favourite's win odds under 3.0", 3, {4.0, 4.5, 5.0, 12}, 2.9, 'R'},
      {"front group of four, one runner up to 5.6", 4, {5.0, 6.0, 6.5, 7.0, 15}, 3.5, 'Z'},
      {"front group of two, one runner up to 5.6", 2, {5.0, 6.0, 12, 14}, 3.5, 'R'},
      {"front group, two runners up to 5.6", 2, {4.0, 5.0, 8.0, 14}, 3.5, 'Z'},
      // Boundaries: the price counts are inclusive, the favourite's win odds strict.
      {"lone favourite at exactly 3.9", 1, {3.9, 5, 6, 7, 8, 9}, 3.0, 'R'},
      {"lone favourite at 4.2, fifth runner at exactly 10", 1, {4.2, 6, 7, 8, 10}, 4.0, 'Z'},
      {"front group, favourite's win odds exactly 3.0", 3, {4.0, 4.5, 5.0, 12}, 3.0, 'Z'},
      {"front group of two, second runner at exactly 5.6", 2, {5.0, 5.6, 12, 14}, 3.5, 'Z'},
      {"front group of three, one runner up to 5.6", 3, {5.0, 6.0, 6.5, 15}, 3.5, 'R'},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Session s;
    std::vector<double> win(c.synthetic.size(), 10.0);
    win[0] = c.favouriteWin;
    SetRunners(s, c.synthetic, win, {});
    s.analysis.GapGroups[kGapSizeRow][1] = c.g1;
    ClassifyRace(s);
    PublishRaceAnalysis(s);
    ASSERT_EQ(s.analysis.RaceTypeCode.size(), 3u);
    EXPECT_EQ(s.analysis.RaceTypeCode[1], c.letter);
    EXPECT_TRUE(s.prediction.Headers[c.letter == 'R' ? kColR : kColZ].Bold);
    EXPECT_FALSE(s.prediction.Headers[c.letter == 'R' ? kColZ : kColR].Bold);
  }
}

TEST(ClassifyRace, FieldLetterCountsRunnersUpTo30) {
  struct {
    int upTo30;
    char letter;
  } cases[] = {{7, 'C'}, {8, 'B'}, {10, 'B'}, {11, 'A'}};
  for (const auto& c : cases) {
    Session s;
    std::vector<double> win(12, 50.0);
    for (int i = 0; i < c.upTo30; ++i) win[i] = 30.0;
    SetRunners(s, std::vector<double>(12, 10.0), win, {}, 1);
    s.analysis.WinOddsByPos[13] = 1.0;  // the scratched horse never counts
    s.analysis.GapGroups[kGapSizeRow][1] = 2;
    ClassifyRace(s);
    ASSERT_EQ(s.analysis.RaceTypeCode.size(), 3u);
    EXPECT_EQ(s.analysis.RaceTypeCode[2], c.letter) << c.upTo30;
  }
}

TEST(ClassifyRace, MarkQualifyingRule) {
  struct {
    int m;
    char l1, l2;
    bool qualifies;
  } cases[] = {
      {6, 'F', 'Z', true},  {6, 'T', 'Z', false}, {5, 'T', 'Z', true},  {5, 'F', 'Z', true},
      {4, 'F', 'Z', false}, {7, 'T', 'Z', true},  {3, 'T', 'Z', false}, {3, 'F', 'R', true},
      {7, 'F', 'R', true},  {6, 'F', 'R', false}, {2, 'T', 'R', false}, {1, 'F', 'R', false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MarkQualifies(c.m, c.l1, c.l2), c.qualifies)
        << c.m << " " << c.l1 << c.l2;
  }
}

std::vector<std::string> Marks(const AnalysisState& a, int count) {
  std::vector<std::string> marks;
  for (int p = 1; p <= count; ++p) marks.push_back(MarkText(a.Mark[p]));
  return marks;
}

TEST(ClassifyRace, LongshotMarksFromTheFourthFavouriteDown) {
  // Letters F and R (front group of two, favourite's win odds 2.5); second cut after row 5.
  Session s;
  SetRunners(s, {2, 4, 6, 8, 10, 12, 14, 16}, {2.5, 4, 6, 8, 10, 12, 14, 16}, {});
  AnalysisState& a = s.analysis;
  a.GapGroups[kGapSizeRow][1] = 2;
  a.SecondCut = 5;
  const int rValue[] = {0, 0, 1, 0, 2, 1, 4, 5, 5};
  for (int p = 1; p <= 8; ++p) a.RValue[p] = rValue[p];
  for (int p : {2, 4, 5, 6, 7}) a.PlaceOverbetFlags[p] = kOverbetBit1;
  // Four equal pair scores share Z rank 1.
  for (int p : {2, 5, 6, 8}) a.ZValue[p] = 1;
  ClassifyRace(s);

  EXPECT_EQ(a.RaceTypeCode.substr(0, 2), "FR");
  EXPECT_EQ((std::vector<int>(a.MarkValue.begin() + 1, a.MarkValue.begin() + 9)),
            (std::vector<int>{0, 7, 0, 3, 7, 7, 3, 6}));
  // Mark 7 on row 2 shows nothing (the three favourites never get one); 7 inside the second
  // cut is ★ and outside ▲; 3 inside is ☆ and outside △; 6 does not qualify with "R".
  EXPECT_EQ(Marks(a, 8), (std::vector<std::string>{"", "", "", "☆", "★", "▲", "△", ""}));
  EXPECT_TRUE(a.RedR[5]);
  EXPECT_TRUE(a.RedZ[5]);
  EXPECT_FALSE(a.RedZ[6]);  // outside the second cut
  EXPECT_FALSE(a.RedR[2]);  // favourites are not marked
  EXPECT_FALSE(a.RedZ[2]);

  // The prediction window shows the same in its rows.
  PublishRaceAnalysis(s);
  EXPECT_EQ(s.prediction.Rows[5].Mark, "★");
  EXPECT_EQ(s.prediction.Rows[5].RColour, kColourRed);
  EXPECT_EQ(s.prediction.Rows[5].ZColour, kColourRed);
  EXPECT_EQ(s.prediction.Rows[6].ZColour, kColourBlack);
  EXPECT_EQ(s.prediction.Rows[2].RColour, kColourBlack);
  EXPECT_TRUE(s.prediction.Headers[kColF].Bold);
  EXPECT_TRUE(s.prediction.Headers[kColR].Bold);
  EXPECT_FALSE(s.prediction.Headers[kColT].Bold);
  EXPECT_FALSE(s.prediction.Headers[kColZ].Bold);
}

TEST(ClassifyRace, RankOneBehindALoneFavourite) {
  struct {
    int g1;
    std::vector<std::string> marks;
  } cases[] = {
      // Lone favourite: R rank 1 inside the second cut is ☆ on its own and ★ when its mark
      // also qualifies; outside the cut it is an ordinary △.
      {1, {"", "", "", "☆", "★", "", "△"}},
      {2, {"", "", "", "", "☆", "", "△"}},
  };
  for (const auto& c : cases) {
    Session s;
    SetRunners(s, {3.0, 5, 6, 7, 8, 9, 10}, {2.5, 5, 6, 7, 8, 9, 10}, {});
    AnalysisState& a = s.analysis;
    a.GapGroups[kGapSizeRow][1] = c.g1;
    a.SecondCut = 5;
    a.ZValue[1] = 1;  // everyone else below the mean pair score
    for (int p : {4, 5, 7}) a.RValue[p] = 1;
    for (int p : {5, 7}) a.PlaceOverbetFlags[p] = kOverbetBit2;
    ClassifyRace(s);
    ASSERT_EQ(a.RaceTypeCode.substr(0, 2), "FR");
    EXPECT_EQ(Marks(a, 7), c.marks) << "g1 " << c.g1;
    EXPECT_TRUE(a.RedR[4]);
    EXPECT_FALSE(a.RedR[7]);
  }
}

TEST(ClassifyRace, PairScoreMarkNeedsTheMeanAndATopFiveRank) {
  struct Case {
    const char* name;
    std::vector<double> scores;
    std::vector<int> marks;
  } cases[] = {
      {"a score equal to the mean counts", {6, 4, 4, 4, 4, 4, 2}, {4, 4, 4, 4, 4, 4, 0}},
      {"rank 5 counts, rank 6 does not", {10, 9, 8, 7, 6, 5, 0, 0, 0, 0},
       {4, 4, 4, 4, 4, 0, 0, 0, 0, 0}},
      {"shared rank 1 marks more than five", {3, 3, 3, 3, 3, 3, 0}, {4, 4, 4, 4, 4, 4, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Session s;
    const int m = static_cast<int>(c.scores.size());
    std::vector<double> synthetic;
    for (int p = 1; p <= m; ++p) synthetic.push_back(2.0 * p);
    SetRunners(s, synthetic, synthetic, {});
    s.analysis.GapGroups[kGapSizeRow][1] = 2;
    for (int p = 1; p <= m; ++p) s.analysis.PairScore[p] = c.scores[p - 1];
    // The Z step ranks the pair scores; the classification reads those ranks.
    RankIndicators(s);
    EXPECT_EQ((std::vector<int>(s.analysis.MarkValue.begin() + 1,
                                s.analysis.MarkValue.begin() + 1 + m)),
              c.marks);
  }
}

TEST(ClassifyRace, FewerThanTwoRunnersClassifyNothing) {
  for (int m : {0, 1}) {
    Session s;
    SetRunners(s, std::vector<double>(m, 3.0), std::vector<double>(m, 3.0), {}, 2);
    s.analysis.RaceTypeCode = "TRA";
    s.analysis.Mark[1] = LongshotMark::Star;
    s.prediction.Headers[kColF].Bold = true;
    ClassifyRace(s);
    EXPECT_EQ(s.analysis.RaceTypeCode, "") << m;
    EXPECT_EQ(s.analysis.Mark[1], LongshotMark::None) << m;
    PublishRaceAnalysis(s);
    EXPECT_FALSE(s.prediction.Headers[kColF].Bold);
  }
}

}  // namespace
}  // namespace tz
