#include "analysis/upset.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "analysis/vote_shares.h"
#include "race_texts.h"
#include "session.h"

namespace tz {
namespace {

using test::OddsText;
using test::SetRunners;

TEST(UpsetIndicator, ValueAndTextAreTruncatedNotRounded) {
  struct {
    double f;
    int value;
    const char* text;
  } cases[] = {
      {7.0, 70, "7.0"},     {7.06, 70, "7.0"},  {7.19, 71, "7.1"},   {12.34, 123, "12.3"},
      {12.04, 120, "12.0"}, {12.36, 123, "12.3"}, {0.55, 5, "0.5"},  {153.99, 1539, "153.9"},
  };
  for (const auto& c : cases) {
    const UpsetFigures fig = UpsetFiguresFor(c.f);
    EXPECT_EQ(fig.Value, c.value) << c.f;
    EXPECT_EQ(fig.Text, c.text) << c.f;
  }
  for (double f : {std::numeric_limits<double>::infinity(), std::nan(""), 1e300}) {
    EXPECT_EQ(UpsetFiguresFor(f).Text, "") << f;
    EXPECT_EQ(UpsetFiguresFor(f).Value, 0) << f;
  }
}

TEST(UpsetIndicator, PricesTheMeansOfTheTwoFrontGroups) {
  struct Case {
    int firstCut, secondCut, pointBar;
    int value;
    const char* caption;
  } cases[] = {
      // Means 2 and 4 (positions 1..1 and 1..3): theoretical quinella 3.214.
      {1, 3, 1, 32, "3.2B"},
      // Both cuts at 1: two horses at the favourite's 2.0 give 75 / (100 x 0.32 x 5 / 3) = 1.406.
      {1, 1, 0, 14, "1.4B"},
  };
  for (const Case& c : cases) {
    Session s;
    SetRunners(s, {2.0, 4.0, 6.0, 10.0}, {}, {});
    s.analysis.FirstCut = c.firstCut;
    s.analysis.SecondCut = c.secondCut;
    s.analysis.RaceTypeCode = "TRB";
    s.app.settings.PointBar = c.pointBar;
    ComputeUpsetIndicator(s);
    const AnalysisState& a = s.analysis;
    EXPECT_EQ(a.UpsetValue, c.value);
    EXPECT_EQ(a.UpsetCaption, c.caption);
    EXPECT_EQ(a.UpsetClassLetter, "B");
    // The option hides only the bar; value and letter stay.
    EXPECT_EQ(a.UpsetBarVisible, c.pointBar != 0);
    EXPECT_NEAR(a.UpsetBarLength, a.UpsetIndicator, 1e-12);
  }
}

TEST(UpsetIndicator, NothingToShowWithoutTwoRunners) {
  for (int m : {0, 1}) {
    Session s;
    SetRunners(s, std::vector<double>(m, 3.0), {}, {}, 1);
    s.analysis.FirstCut = s.analysis.SecondCut = m;
    s.analysis.UpsetValue = 55;
    s.analysis.UpsetCaption = "5.5A";
    s.app.settings.PointBar = 1;
    ComputeUpsetIndicator(s);
    EXPECT_EQ(s.analysis.UpsetValue, 0) << m;
    EXPECT_EQ(s.analysis.UpsetCaption, "") << m;
    EXPECT_FALSE(s.analysis.UpsetBarVisible) << m;
  }
}

TEST(KaburiDegree, RatioOfTheFavouritesQuinellaOdds) {
  struct Case {
    const char* name;
    int runners;
    double q12, q23, w23;
    bool visible;
    const char* text;
  } cases[] = {
      {"2-3 at 15.0 over 1-2 at 6.0", 4, 6.0, 15.0, 3.0, true, "かぶり度　2.5"},
      {"no wide odds", 4, 6.0, 15.0, 0.0, false, ""},
      {"no quote for favourites 1-2", 4, 0.0, 15.0, 3.0, false, ""},
      {"two runners only", 2, 6.0, 0.0, 0.0, false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Session s;
    SetRunners(s, std::vector<double>(c.runners, 5.0), {}, {});
    AnalysisState& a = s.analysis;
    a.QuinellaByPos[1][2] = c.q12;
    a.QuinellaByPos[2][3] = c.q23;
    a.WideByPos[2][3] = c.w23;
    a.KaburiVisible = true;  // from an earlier race
    KaburiDegree(s);
    EXPECT_EQ(a.KaburiVisible, c.visible);
    EXPECT_EQ(a.KaburiText, c.text);
    if (c.visible) {
      EXPECT_DOUBLE_EQ(a.KaburiDegree, 2.5);
    }
  }
}

TEST(UnderTenShift, RunnersUnderTenFromBaseOddsToSyntheticOdds) {
  struct Case {
    const char* name;
    std::vector<double> synthetic;
    std::vector<double> base;  // empty: no JRDB base odds
    int shift;
    const char* text;
  } cases[] = {
      {"four by base, six by 仮単", {2, 3, 4, 5, 6, 7, 12, 20}, {2, 3, 4, 5, 12, 12, 12, 20}, 2,
       "推移　+2"},
      {"six by base, four by 仮単", {2, 3, 4, 5, 12, 12, 12, 20}, {2, 3, 4, 5, 6, 7, 12, 20}, -2,
       "推移　-2"},
      {"no change", {2, 3, 12}, {2, 3, 12}, 0, "推移　0"},
      {"without base odds: runners under 10", {2, 3, 4, 15}, {}, 3, "推移　+3"},
      {"9.96 is shown as 10.0 and is not under 10", {2, 9.96}, {2, 9.9}, -1, "推移　-1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Session s;
    SetRunners(s, c.synthetic, {}, {}, 1);
    const int scratched = static_cast<int>(c.synthetic.size()) + 1;
    s.analysis.JrdbWinBase[scratched] = OddsText(3.0, 5);  // never counted
    for (std::size_t i = 0; i < c.base.size(); ++i) {
      s.analysis.JrdbWinBase[i + 1] = OddsText(c.base[i], 5);
    }
    UnderTenShift(s);
    EXPECT_EQ(s.analysis.UnderTenShift, c.shift);
    EXPECT_EQ(s.analysis.UnderTenShiftText, c.text);
  }
}

}  // namespace
}  // namespace tz
