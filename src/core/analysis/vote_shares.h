// Vote shares, synthetic win odds (仮単), the popularity order and its gaps, and the tables
// by popularity position that the indicators and windows read.
#pragma once

#include <utility>

namespace tz {

struct Session;

// Number of runners M = HorseCount - ScratchedCount (never negative).
int RunnerCount(const Session& s);

// True when horse h is listed among the scratched horses of the race.
bool IsScratched(const Session& s, int h);

// Quinella and wide vote shares, 仮単 and its texts, bracket shares, and the popularity order:
// HorseOrder is re-sorted by 仮単 with the exchange sort (equal values keep the order the loop
// leaves), scratched horses always behind every runner. Writes SyntheticWinOdds for 1..N.
void ComputeVoteShares(Session& s);

// Gaps in the 仮単 sequence: GapGroups, FirstCut, SecondCut and the separators below rows of
// the prediction window (GapSeparator, and the rows of s.prediction when they exist).
void FindPopularityGaps(Session& s);

// Odds by position, win and place popularity ranks and orders, ranks by quinella odds with the
// favourite. Positions above M are zeroed.
void BuildPositionTables(Session& s);

// Quinella odds implied by two synthetic win odds a and b.
double TheoreticalQuinellaOdds(double a, double b);

// The terms of TheoreticalQuinellaOdds that depend on one 仮単 t: the win probability p = 2 x
// (80 / t) / 100 and 1 / (2 - p), worked out once per horse where a horse is paired with many.
struct TheoreticalTerms {
  double probability = 0;
  double inverse = 0;
};
inline TheoreticalTerms TheoreticalTermsOf(double t) {
  const double p = 2.0 * (80.0 / t) / 100.0;
  return {p, 1.0 / (2.0 - p)};
}
inline double TheoreticalQuinellaOdds(const TheoreticalTerms& a, const TheoreticalTerms& b) {
  const double p = 100.0 * (a.probability * b.probability / 2.0) * (a.inverse + b.inverse);
  return 75.0 / p;
}

// Exchanges two values in place; every exchange sort of the analysis uses it.
template <typename T>
void SwapValues(T& x, T& y) {
  T t = std::move(x);
  x = std::move(y);
  y = std::move(t);
}

}  // namespace tz
