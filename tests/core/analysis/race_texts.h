// Small helpers for the analysis tests: put odds texts of a race straight into the race model
// (fixed-width fields as the odds reader leaves them), or fill the by-position tables that the
// later analysis steps read.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "session.h"
#include "text/numbers.h"

namespace tz::test {

// "  12.3" in a field of `width` characters.
inline std::string OddsText(double v, int width = 6) {
  std::string pattern(static_cast<std::size_t>(width), '@');
  return text::FormatText(text::FormatNumber(v, "#0.0"), pattern);
}

// A race of n horses, each alone in its bracket up to 8 (brackets repeat 1..8 beyond), with
// identity popularity order and no odds.
inline void StartRace(Session& s, int n, int saleCode = 31) {
  RaceModel& r = s.race;
  r.HorseCount = n;
  r.ScratchedCount = 0;
  r.CurrentSaleCode = saleCode;
  r.ScratchedHorses.fill(0);
  for (int h = 1; h <= kMaxHorses; ++h) {
    r.HorseOrder[h] = h;
    r.HorseBracket[h] = (h - 1) % 8 + 1;
    r.WinOdds[h].clear();
    r.PlaceOddsLow[h].clear();
    r.PlaceOddsHigh[h].clear();
    for (int k = 1; k <= kMaxHorses; ++k) {
      r.QuinellaOdds[h][k].clear();
      r.WideOddsLow[h][k].clear();
      r.WideOddsHigh[h][k].clear();
    }
  }
}

inline void Scratch(Session& s, std::initializer_list<int> horses) {
  for (int h : horses) s.race.ScratchedHorses[++s.race.ScratchedCount] = h;
}

inline void SetQuinella(Session& s, int a, int b, double v) {
  s.race.QuinellaOdds[a][b] = s.race.QuinellaOdds[b][a] = OddsText(v);
}

inline void SetWide(Session& s, int a, int b, double v) {
  s.race.WideOddsLow[a][b] = s.race.WideOddsLow[b][a] = OddsText(v);
}

// Analysis tables of m runners in popularity order for steps that start from them (horse p at
// position p): 仮単, win and place odds.
inline void SetRunners(Session& s, const std::vector<double>& synthetic,
                       const std::vector<double>& win, const std::vector<double>& place,
                       int scratched = 0) {
  const int m = static_cast<int>(synthetic.size());
  StartRace(s, m + scratched);
  for (int i = 0; i < scratched; ++i) s.race.ScratchedHorses[++s.race.ScratchedCount] = m + 1 + i;
  AnalysisState& a = s.analysis;
  a = AnalysisState{};
  a.RunnerCount = m;
  for (int p = 1; p <= m; ++p) {
    a.SyntheticWinOdds[p] = synthetic[p - 1];
    a.SyntheticWinByHorse[p] = synthetic[p - 1];
    a.SyntheticWinText[p] = text::FormatNumber(synthetic[p - 1], "#0.0");
    if (p - 1 < static_cast<int>(win.size())) {
      a.WinOddsByPos[p] = win[p - 1];
      s.race.WinOdds[p] = OddsText(win[p - 1], 5);
    }
    if (p - 1 < static_cast<int>(place.size())) {
      a.PlaceOddsByPos[p] = place[p - 1];
      s.race.PlaceOddsLow[p] = OddsText(place[p - 1], 5);
    }
  }
}

}  // namespace tz::test
