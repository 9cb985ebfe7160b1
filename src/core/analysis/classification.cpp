#include "analysis/classification.h"

#include <algorithm>
#include <string>

#include "analysis/vote_shares.h"
#include "session.h"

namespace tz {

bool MarkQualifies(int m, char letter1, char letter2) {
  int a = 3;
  int b = 3;
  if (letter2 == 'Z') {
    a = 5;
    b = letter1 == 'F' ? 6 : 5;
  }
  return (m & b) == b || m == a || m == 7;
}

char LeadingPoolLetter(int cf, int c60) {
  // Plain double arithmetic: with no runner up to 60 the share is +infinity when some runner
  // is over-bet ("T") and NaN when none is (a comparison with NaN is false: "F").
  return 100.0 * cf / c60 > 35 ? 'T' : 'F';
}

void ClassifyRace(Session& s) {
  AnalysisState& a = s.analysis;
  const int m = RunnerCount(s);

  a.MarkValue.fill(0);
  a.Mark.fill(LongshotMark::None);
  a.RedR.fill(false);
  a.RedZ.fill(false);

  // Nothing to classify without at least two runners.
  if (m < 2) {
    a.RaceTypeCode.clear();
    return;
  }

  int c39 = 0, c56 = 0, c10 = 0, c60 = 0, w30 = 0, cf = 0;
  for (int p = 1; p <= m; ++p) {
    const double t = a.SyntheticWinOdds[p];
    if (t <= 3.9) ++c39;
    if (t <= 5.6) ++c56;
    if (t <= 10) ++c10;
    if (t <= 60) ++c60;
    if (a.WinOddsByPos[p] <= 30) ++w30;
    if (p > 1 && (a.WinOverbetFlags[p] & kOverbetBit1)) ++cf;
  }

  // Letter 1: the share of win-over-bet runners among those up to 60.
  const char letter1 = LeadingPoolLetter(cf, c60);

  // Letter 2: from the first gap group and the short prices.
  const int g1 = a.GapGroups[kGapSizeRow][1];
  char letter2;
  if (g1 <= 1) {
    letter2 = c39 == 1 ? 'R' : (c10 >= 5 ? 'Z' : 'R');
  } else if (a.WinOddsByPos[1] < 3.0) {
    letter2 = 'R';
  } else if (c56 <= 1) {
    letter2 = g1 > 3 ? 'Z' : 'R';
  } else {
    letter2 = 'Z';
  }

  // Letter 3: how many horses are in the win-odds range up to 30.
  const char letter3 = w30 < 8 ? 'C' : (w30 <= 10 ? 'B' : 'A');
  a.RaceTypeCode = std::string{letter1, letter2, letter3};

  // Mark integers.
  for (int p = 1; p <= m; ++p) {
    if (a.RValue[p] > 0) a.MarkValue[p] = 2;
    const int flags = letter1 == 'T' ? a.WinOverbetFlags[p] : a.PlaceOverbetFlags[p];
    if (flags & (kOverbetBit1 | kOverbetBit2)) a.MarkValue[p] += 1;
  }
  // A Z rank (a pair score at or above the mean, ranked 1..5) adds 4.
  for (int p = 1; p <= m; ++p) {
    if (a.ZValue[p] > 0) a.MarkValue[p] += 4;
  }

  // Longshot marks from the fourth favourite down.
  const int second = a.SecondCut;
  for (int p = 4; p <= m; ++p) {
    bool special = false;
    if (a.RValue[p] == 1 && p <= second) {
      a.RedR[p] = true;
      if (g1 == 1) {
        a.Mark[p] = LongshotMark::Star;
        special = true;
      }
    }
    if (a.ZValue[p] == 1 && p <= second) a.RedZ[p] = true;
    const int mark = a.MarkValue[p];
    if (MarkQualifies(mark, letter1, letter2)) {
      if (mark == 7) {
        a.Mark[p] = p > second ? LongshotMark::Triangle : LongshotMark::DoubleStar;
      } else {
        a.Mark[p] = p > second ? LongshotMark::OpenTriangle
                               : (special ? LongshotMark::DoubleStar : LongshotMark::Star);
      }
    }
  }
}

}  // namespace tz
