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
  PredictionModel& model = s.prediction;
  const int m = RunnerCount(s);

  a.MarkValue.fill(0);
  for (auto& header : model.Headers) header.Bold = false;
  for (int p = 1; p <= kMaxHorses; ++p) {
    model.Rows[p].Mark.clear();
    model.Rows[p].RColour = kColourBlack;
    model.Rows[p].ZColour = kColourBlack;
  }

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
  double sum = 0;
  for (int p = 1; p <= m; ++p) sum += a.PairScore[p];
  const double mean = sum / m;
  for (int p = 1; p <= m; ++p) {
    int rank = 1;
    for (int q = 1; q <= m; ++q) {
      if (a.PairScore[q] > a.PairScore[p]) ++rank;
    }
    if (rank <= 5 && a.PairScore[p] >= mean) a.MarkValue[p] += 4;
  }

  model.Headers[letter1 == 'F' ? kColF : kColT].Bold = true;
  model.Headers[letter2 == 'R' ? kColR : kColZ].Bold = true;

  // Longshot marks from the fourth favourite down.
  const int second = a.SecondCut;
  for (int p = 4; p <= m; ++p) {
    PredictionRow& row = model.Rows[p];
    bool special = false;
    if (row.R == "1" && p <= second) {
      row.RColour = kColourRed;
      if (g1 == 1) {
        row.Mark = kMarkStar;
        special = true;
      }
    }
    if (row.Z == "1" && p <= second) row.ZColour = kColourRed;
    const int mark = a.MarkValue[p];
    if (MarkQualifies(mark, letter1, letter2)) {
      if (mark == 7) {
        row.Mark = p > second ? kMarkTriangle : kMarkDoubleStar;
      } else {
        row.Mark = p > second ? kMarkOpenTriangle : (special ? kMarkDoubleStar : kMarkStar);
      }
    }
  }
}

}  // namespace tz
