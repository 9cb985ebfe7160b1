#include "pat98/tote.h"

#include <algorithm>
#include <cmath>

namespace tz {

double ToteOdds(double rate, double probability) {
  if (!(probability > 0)) return 0;
  const double v = std::floor(rate / probability * 10.0 + 1e-9) / 10.0;
  return std::max(1.0, v);
}

std::array<std::array<std::optional<double>, kMaxBrackets + 1>, kMaxBrackets + 1>
BracketOddsFromPairs(const std::array<int, kMaxHorses + 1>& brackets, int n,
                     const std::vector<std::vector<double>>& pairProb, double total) {
  std::array<std::array<std::optional<double>, kMaxBrackets + 1>, kMaxBrackets + 1> out{};
  for (int a = 1; a <= kMaxBrackets; ++a) {
    for (int b = a; b <= kMaxBrackets; ++b) {
      int members = 0;
      double prob = 0;
      for (int i = 1; i <= n; ++i) {
        for (int j = i + 1; j <= n; ++j) {
          if (!((brackets[i] == a && brackets[j] == b) || (brackets[i] == b && brackets[j] == a))) {
            continue;
          }
          ++members;
          prob += pairProb[i][j];
        }
      }
      if (members == 0) continue;
      out[a][b] = (prob > 0 && total > 0) ? ToteOdds(kPairPayoutRate, prob / total) : 0.0;
    }
  }
  return out;
}

}  // namespace tz
