// Odds as the tote pays them out, and the bracket-quinella odds a field's horse pairs imply:
// the one rule the JRDB import (which has no bracket odds) and the generated sample days share.
#pragma once

#include <array>
#include <optional>
#include <vector>

#include "pat98/race_model.h"

namespace tz {

// The payout rate of the quinella and bracket-quinella pools.
inline constexpr double kPairPayoutRate = 0.75;

// The payout per unit at `rate` for a chance `probability`, cut down to 0.1 and never below
// 1.0; 0 without a chance.
double ToteOdds(double rate, double probability);

// Bracket-quinella odds by bracket pair a <= b (1..8): each pair takes the share of its horse
// pairs (`pairProb[i][j]`, i < j <= n, horses in `brackets`) in `total`, paid out at the pair
// rate. nullopt where no two horses make the pair; 0 where its share is not positive.
std::array<std::array<std::optional<double>, kMaxBrackets + 1>, kMaxBrackets + 1>
BracketOddsFromPairs(const std::array<int, kMaxHorses + 1>& brackets, int n,
                     const std::vector<std::vector<double>>& pairProb, double total);

}  // namespace tz
