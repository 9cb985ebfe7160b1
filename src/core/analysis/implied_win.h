// Market-implied win odds (推定単勝): the quinella shares measure each horse's chance to finish
// in the first two, not to win, so 1 / share is flatter than the win market. Under Harville's
// model (1973) the chance that horse i finishes first or second is
//     tᵢ = pᵢ + Σⱼ≠ᵢ pⱼ · pᵢ / (1 − pⱼ)
// for win chances p with Σp = 1. Taking t = 2 × the normalised quinella shares, the win chances
// are the solution of these equations, and 1 / pᵢ are the win odds the quinella market implies.
// Their ratio to the win pool's odds tells how much the win pool over-bets a horse (below 1)
// or leaves it aside (above 1).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/analysis_state.h"
#include "pat98/race_model.h"

namespace tz {

struct Session;

// Harville's top-two chances of win chances p (Σp = 1, each below 1).
std::vector<double> HarvilleTopTwo(const std::vector<double>& p);

// The win chances whose Harville top-two chances are t (Σt = 2), to 1e-9 and summing to 1;
// horses with t = 0 get 0. Nothing when no such chances exist (fewer than three horses with a
// chance, a t of 1 or more, or no convergence).
std::optional<std::vector<double>> WinChancesFromTopTwo(const std::vector<double>& t);

// The market-implied win chances and odds of the analysed race, by horse number; 0 for a
// scratched horse or one without any quinella quote. Nothing in a race sold with bracket
// quinella only (its quinella table holds bracket odds) or when the chances cannot be solved.
struct ImpliedWin {
  Table1<double, kMaxHorses> Chance{};
  Table1<double, kMaxHorses> Odds{};  // 1 / chance, 0 where the chance is 0
};
std::optional<ImpliedWin> ComputeImpliedWin(const RaceModel& r, const AnalysisState& a);

// The prediction window's columns 仮単, 単勝, 推定単勝 and 比 (win odds / 推定単勝), filled for
// every row when the option ImpliedWin is on (PredictionModel::Implied*); off, the window is
// the classic one.
void FillImpliedWinColumns(Session& s);

}  // namespace tz
