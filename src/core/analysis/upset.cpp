#include "analysis/upset.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "analysis/cell_text.h"
#include "analysis/vote_shares.h"
#include "session.h"
#include "text/numbers.h"

namespace tz {

UpsetFigures UpsetFiguresFor(double f) {
  UpsetFigures out;
  const double tenfold = std::trunc(10.0 * f);
  if (!std::isfinite(tenfold) || tenfold > std::numeric_limits<int>::max() ||
      tenfold < std::numeric_limits<int>::min()) {
    return out;
  }
  out.Value = static_cast<int>(tenfold);
  const int whole = out.Value / 10;
  const int tenth = std::abs(out.Value % 10);
  const bool negative = out.Value < 0;
  out.Text = (negative && whole == 0 ? "-" : "") + std::to_string(whole) + "." +
             std::to_string(tenth);
  return out;
}

void ComputeUpsetIndicator(Session& s) {
  AnalysisState& a = s.analysis;
  const int m = RunnerCount(s);

  a.UpsetIndicator = 0;
  a.UpsetValue = 0;
  a.UpsetText.clear();
  a.UpsetCaption.clear();
  a.UpsetClassLetter = a.RaceTypeCode.size() >= 3 ? a.RaceTypeCode.substr(2, 1) : std::string();
  a.UpsetBarVisible = false;
  a.UpsetBarLength = 0;

  // The indicator prices a pair of front groups: nothing to show without two runners.
  const int first = std::min(a.FirstCut, m);
  const int second = std::min(a.SecondCut, m);
  if (m < 2 || first < 1 || second < 1) return;

  double sum1 = 0;
  for (int p = 1; p <= first; ++p) sum1 += a.SyntheticWinOdds[p];
  double sum2 = 0;
  for (int p = 1; p <= second; ++p) sum2 += a.SyntheticWinOdds[p];
  const double f = TheoreticalQuinellaOdds(sum1 / first, sum2 / second);

  const UpsetFigures figures = UpsetFiguresFor(f);
  if (figures.Text.empty()) return;
  a.UpsetIndicator = f;
  a.UpsetValue = figures.Value;
  a.UpsetText = figures.Text;
  a.UpsetCaption = figures.Text + a.UpsetClassLetter;
  a.UpsetBarVisible = s.app.settings.PointBar != 0;
  a.UpsetBarLength = std::clamp(f, 0.0, kUpsetBarScale);
}

void KaburiDegree(Session& s) {
  AnalysisState& a = s.analysis;
  const int m = RunnerCount(s);
  a.KaburiDegree = 0;
  a.KaburiVisible = false;
  a.KaburiText.clear();
  if (m < 3 || a.WideByPos[2][3] == 0) return;
  const double value = a.QuinellaByPos[2][3] / a.QuinellaByPos[1][2];
  // Without a quinella quote for favourites 1-2 the ratio has no value to show.
  if (!std::isfinite(value) || a.QuinellaByPos[1][2] == 0) return;
  a.KaburiDegree = value;
  a.KaburiVisible = true;
  std::string figure;
  text::FormatNumberInto(figure, value, "#0.0");
  cell_text::TextBuilder(a.KaburiText).Append("かぶり度　").Append(figure);
}

void UnderTenShift(Session& s) {
  AnalysisState& a = s.analysis;
  const int m = RunnerCount(s);
  int byBase = 0;
  int bySynthetic = 0;
  for (int p = 1; p <= m; ++p) {
    const int h = s.race.HorseOrder[p];
    if (h < 1 || h > kMaxHorses) continue;
    const double base = text::OddsValue(a.JrdbWinBase[h]);
    if (base > 0 && base < 10) ++byBase;
    const double synthetic = text::OddsValue(a.SyntheticWinText[h]);
    if (synthetic > 0 && synthetic < 10) ++bySynthetic;
  }
  const int d = bySynthetic - byBase;
  a.UnderTenShift = d;
  cell_text::TextBuilder(a.UnderTenShiftText).Append("推移　").Append(d > 0 ? "+" : "").AppendNumber(d);
}

}  // namespace tz
