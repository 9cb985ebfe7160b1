#include "analysis/implied_win.h"

#include <algorithm>
#include <cmath>

#include "analysis/vote_shares.h"
#include "session.h"
#include "text/numbers.h"

namespace tz {

namespace {

constexpr double kTolerance = 1e-9;
constexpr int kMaxIterations = 200000;

// Σⱼ pⱼ / (1 − pⱼ) and its terms.
double OddsSum(const std::vector<double>& p, std::vector<double>& terms) {
  double sum = 0;
  terms.resize(p.size());
  for (std::size_t j = 0; j < p.size(); ++j) {
    terms[j] = p[j] / (1 - p[j]);
    sum += terms[j];
  }
  return sum;
}

double Residual(const std::vector<double>& p, const std::vector<double>& t) {
  const std::vector<double> top = HarvilleTopTwo(p);
  double worst = 0;
  for (std::size_t i = 0; i < t.size(); ++i) worst = std::max(worst, std::fabs(top[i] - t[i]));
  return worst;
}

}  // namespace

std::vector<double> HarvilleTopTwo(const std::vector<double>& p) {
  std::vector<double> terms;
  const double sum = OddsSum(p, terms);
  std::vector<double> t(p.size());
  for (std::size_t i = 0; i < p.size(); ++i) t[i] = p[i] + p[i] * (sum - terms[i]);
  return t;
}

std::optional<std::vector<double>> WinChancesFromTopTwo(const std::vector<double>& t) {
  int withChance = 0;
  double total = 0;
  for (double ti : t) {
    if (!(ti >= 0) || ti >= 1) return std::nullopt;
    withChance += ti > 0;
    total += ti;
  }
  if (withChance < 3) return std::nullopt;

  // Fixed point of pᵢ = tᵢ / (1 + Σⱼ≠ᵢ pⱼ / (1 − pⱼ)), brought back to Σp = 1 at every step. A
  // fixed point of the normalised step solves the equations exactly: summing Harville's
  // top-two chances over the horses always gives 2, so the scale factor must be 1.
  std::vector<double> p(t.size());
  for (std::size_t i = 0; i < t.size(); ++i) p[i] = t[i] / total;
  std::vector<double> terms, next(t.size());
  for (int it = 0; it < kMaxIterations; ++it) {
    const double sum = OddsSum(p, terms);
    double norm = 0;
    for (std::size_t i = 0; i < t.size(); ++i) {
      next[i] = t[i] / (1 + sum - terms[i]);
      norm += next[i];
    }
    double change = 0;
    for (std::size_t i = 0; i < t.size(); ++i) {
      next[i] /= norm;
      change = std::max(change, std::fabs(next[i] - p[i]));
    }
    p.swap(next);
    if (change < 1e-14) break;
  }
  if (!(Residual(p, t) <= kTolerance)) return std::nullopt;
  return p;
}

std::optional<ImpliedWin> ComputeImpliedWin(const RaceModel& r, const AnalysisState& a) {
  if (r.CurrentSaleCode == 7) return std::nullopt;
  const int n = std::min(r.HorseCount, kMaxHorses);
  std::vector<bool> runs(n + 1, true);
  for (int k = 1; k <= r.ScratchedCount && k <= kMaxHorses; ++k) {
    const int h = r.ScratchedHorses[k];
    if (h >= 1 && h <= n) runs[h] = false;
  }
  double shares = 0;
  for (int h = 1; h <= n; ++h) {
    if (runs[h]) shares += a.QuinellaShare[h];
  }
  if (!(shares > 0)) return std::nullopt;
  std::vector<double> t(n, 0.0);
  for (int h = 1; h <= n; ++h) {
    if (runs[h]) t[h - 1] = 2 * a.QuinellaShare[h] / shares;
  }
  const std::optional<std::vector<double>> p = WinChancesFromTopTwo(t);
  if (!p) return std::nullopt;
  ImpliedWin out;
  for (int h = 1; h <= n; ++h) {
    out.Chance[h] = (*p)[h - 1];
    out.Odds[h] = out.Chance[h] > 0 ? 1 / out.Chance[h] : 0;
  }
  return out;
}

void FillImpliedWinColumns(Session& s) {
  PredictionModel& pm = s.prediction;
  pm.ImpliedShown = s.app.settings.ImpliedWin == 1;
  for (auto& cells : pm.Implied) cells = ImpliedWinCells{};
  if (!pm.ImpliedShown) return;
  const std::optional<ImpliedWin> implied = ComputeImpliedWin(s.race, s.analysis);
  for (int p = 1; p <= pm.RowCount && p <= kMaxHorses; ++p) {
    const int h = pm.Rows[p].HorseNumber;
    if (h < 1 || h > kMaxHorses || !pm.Rows[p].Runner) continue;
    ImpliedWinCells& c = pm.Implied[p];
    c.Synthetic = s.analysis.SyntheticWinText[h];
    c.Win = s.race.WinOdds[h];
    if (!implied || !(implied->Odds[h] > 0)) continue;
    c.Implied = text::FormatNumber(implied->Odds[h], "#0.0");
    const double win = text::OddsValue(s.race.WinOdds[h]);
    if (win > 0) c.Ratio = text::FormatNumber(win / implied->Odds[h], "0.00");
  }
}

}  // namespace tz
