#include "analysis/indicators.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

#include "analysis/cell_text.h"
#include "analysis/classification.h"
#include "analysis/vote_shares.h"
#include "session.h"
#include "text/numbers.h"
#include "text/strings.h"

namespace tz {

namespace {

int HorseAt(const Session& s, int p) {
  const int h = s.race.HorseOrder[p];
  return (h >= 1 && h <= kMaxHorses) ? h : 0;
}

int BracketOf(const Session& s, int h) {
  return (h >= 1 && h <= kMaxHorses) ? s.race.HorseBracket[h] : 0;
}

double BracketQuinellaOf(const AnalysisState& a, int x, int y) {
  if (x < 1 || x > kMaxBrackets || y < 1 || y > kMaxBrackets) return 0;
  return a.BracketQuinella[x][y];
}

// The bracket-quinella tool tip of a pair cell: "枠連 lo-hi  x" and the odds of that bracket pair.
void BracketTip(std::string& tip, const RaceModel& r, int lo, int hi) {
  cell_text::TextBuilder b(tip);
  b.Append("枠連 ").AppendNumber(lo).Append("-").AppendNumber(hi).Append("  x");
  if (lo >= 1 && hi <= kMaxBrackets) b.AppendTrimmed(r.BracketQuinellaOdds[lo][hi].text());
}

// A list of at most one entry per runner, held without allocating.
template <typename T>
class RunnerList {
 public:
  void push_back(const T& entry) { entries_[static_cast<std::size_t>(count_++)] = entry; }
  T& operator[](int i) { return entries_[static_cast<std::size_t>(i)]; }
  const T* begin() const { return entries_.data(); }
  const T* end() const { return entries_.data() + count_; }
  int size() const { return count_; }

 private:
  std::array<T, kMaxHorses> entries_{};
  int count_ = 0;
};

using Candidates = RunnerList<std::pair<int, double>>;  // (position, value)

// Sorts the candidates ascending by value and ranks the first five.
void RankSortedCandidates(Candidates& candidates, Table1<int, kMaxHorses>& ranks) {
  // candidates: in position order on entry.
  const int count = candidates.size();
  for (int i = 0; i < count - 1; ++i) {
    for (int j = i + 1; j < count; ++j) {
      if (candidates[i].second > candidates[j].second) SwapValues(candidates[i], candidates[j]);
    }
  }
  for (int k = 0; k < count && k < 5; ++k) ranks[candidates[k].first] = k + 1;
}

// F step: place odds against 仮単.
void PlaceStep(Session& s, int m) {
  AnalysisState& a = s.analysis;
  a.FValue.fill(0);
  Candidates candidates;
  for (int p = 1; p <= m; ++p) {
    const double placeShare = (80.0 / a.PlaceOddsByPos[p]) / 3.0;
    const double synthShare = 80.0 / a.SyntheticWinOdds[p];
    a.PlaceOverbet[p] = 10.0 * (synthShare / placeShare - 1.0);
    // A runner without place or win odds has nothing to compare.
    if (a.PlaceOddsByPos[p] > 0 && a.WinOddsByPos[p] > 0 && a.PlaceOverbet[p] < 0 &&
        a.WinOddsByPos[p] <= 60 && a.SyntheticWinOdds[p] <= 60 && a.PlaceOddsByPos[p] <= 7) {
      candidates.push_back({p, a.PlaceOverbet[p]});
    }
  }
  RankSortedCandidates(candidates, a.FValue);
}

// T step: win odds against 仮単, recomputed from the numeric tables.
void WinStep(Session& s, int m) {
  AnalysisState& a = s.analysis;
  a.TValue.fill(0);
  Candidates candidates;
  for (int p = 1; p <= m; ++p) {
    a.WinOverbet[p] = 10.0 * (a.WinOddsByPos[p] / a.SyntheticWinOdds[p] - 1.0);
    if (a.WinOddsByPos[p] > 0 && a.WinOverbet[p] < 0 && a.WinOddsByPos[p] <= 40 &&
        a.SyntheticWinOdds[p] <= 60) {
      candidates.push_back({p, a.WinOverbet[p]});
    }
  }
  RankSortedCandidates(candidates, a.TValue);
}

struct FavouriteEntry {
  int position = 0;  // starting position p
  double synthetic = 0;
  double win = 0;
  double v = 0;
  double score = 0;
};

// R and W steps: odds of each runner with the favourite against 仮単. `wide` selects the wide
// form (no bracket replacement, wide share, win-or-仮単 filter, no move term).
void FavouriteStep(Session& s, int m, bool wide, Table1<int, kMaxHorses>& values,
                   Table1<double, kMaxHorses>& vOut) {
  AnalysisState& a = s.analysis;
  values.fill(0);
  vOut.fill(0);
  if (m < 1) return;
  const int favHorse = HorseAt(s, 1);
  const double share = favHorse ? (wide ? a.WideShare[favHorse] : a.QuinellaShare[favHorse]) : 0;
  const int favBracket = BracketOf(s, favHorse);

  RunnerList<FavouriteEntry> list;  // 0-based; list index a is list[a - 1]
  for (int p = 1; p <= m; ++p) {
    double q = wide ? a.WideByPos[p][1] : a.QuinellaByPos[p][1];
    double v = 0;
    if (q > 0) {
      if (!wide && BracketOf(s, HorseAt(s, p)) == favBracket &&
          BracketQuinellaOf(a, favBracket, favBracket) > q) {
        q = BracketQuinellaOf(a, favBracket, favBracket);
      }
      const double oddsWithFavourite = 80.0 / (100.0 * (75.0 / q) / (2.0 * share));
      v = 10.0 * (oddsWithFavourite / a.SyntheticWinOdds[p] - 1.0);
    }
    vOut[p] = v;
    list.push_back({p, a.SyntheticWinOdds[p], a.WinOddsByPos[p], v, 0});
  }

  const int count = list.size();
  for (int i = 0; i < count - 1; ++i) {
    for (int j = i + 1; j < count; ++j) {
      if (list[i].v > list[j].v) SwapValues(list[i], list[j]);
    }
  }

  // The favourite's list index; the others' move is measured against their position among
  // the runners without the favourite.
  int favIndex = count;
  for (int i = 0; i < count; ++i) {
    if (list[i].position == 1) favIndex = i + 1;
  }
  auto move = [&](int index) {
    const int start = list[index - 1].position;
    const int renumbered = start > 1 ? start - 1 : m;
    return index - renumbered;
  };

  RunnerList<FavouriteEntry> selected;
  RunnerList<FavouriteEntry> rest;
  int i = 0;
  for (; i < count && list[i].v < 0; ++i) {
    const FavouriteEntry& e = list[i];
    const bool keep = wide ? (e.synthetic < 60 && (e.synthetic < 40 || e.win < 40))
                           : e.synthetic < 60;
    if (!keep) continue;
    FavouriteEntry chosen = e;
    chosen.score = wide ? -10.0 * e.v : -10.0 * e.v - 5.0 * move(i + 1);
    selected.push_back(chosen);
  }
  for (++i; i < count; ++i) rest.push_back(list[i]);

  const int selectedCount = selected.size();
  for (int x = 0; x < selectedCount - 1; ++x) {
    for (int y = x + 1; y < selectedCount; ++y) {
      if (selected[x].score < selected[y].score) SwapValues(selected[x], selected[y]);
    }
  }

  for (const FavouriteEntry& e : rest) values[e.position] = -1;
  const int limit = std::min(5, favIndex);
  for (int k = 1; k <= limit; ++k) {
    if (k <= selectedCount && selected[k - 1].score > 0) values[selected[k - 1].position] = k;
  }
}

// Z step: rank by pair score; those at or above the mean with rank 1..5.
void PairScoreStep(Session& s, int m) {
  AnalysisState& a = s.analysis;
  a.ZValue.fill(0);
  if (m < 1) return;
  double sum = 0;
  for (int p = 1; p <= m; ++p) sum += a.PairScore[p];
  const double mean = sum / m;
  for (int p = 1; p <= m; ++p) {
    int rank = 1;
    for (int q = 1; q <= m; ++q) {
      if (a.PairScore[q] > a.PairScore[p]) ++rank;
    }
    if (a.PairScore[p] >= mean && rank <= 5) a.ZValue[p] = rank;
  }
}

}  // namespace

void FlagOverbetting(Session& s) {
  AnalysisState& a = s.analysis;
  const RaceModel& r = s.race;
  const int m = RunnerCount(s);
  a.WinOverbetFlags.fill(0);
  a.PlaceOverbetFlags.fill(0);
  for (int p = 1; p <= m; ++p) {
    const int h = HorseAt(s, p);
    if (h == 0) continue;
    const double w = r.WinOdds[h].value();
    const double f = r.PlaceOddsLow[h].value();
    const double t = text::Val(a.SyntheticWinText[h]);
    // A shown 仮単 that is not a positive number ("取消") gives the runner no flags.
    if (!(t > 0)) {
      a.WinOverbet[p] = 0;
      continue;
    }
    a.WinOverbet[p] = 10.0 * (w / t - 1.0);
    if (a.WinOverbet[p] < 0 && w <= 40) {
      a.WinOverbetFlags[p] |= kOverbetBit1;
      if (p == 1) a.WinOverbetFlags[p] |= kOverbetBit2;
    }
    if (a.WinOverbet[p] < -3 && w <= 40) a.WinOverbetFlags[p] |= kOverbetBit4;

    const bool inRange = w <= 40 || t <= 40;
    if (a.WinRankByPos[p] < p && inRange && w < 100) a.WinOverbetFlags[p] |= kOverbetBit2;
    if (a.PlaceRankByPos[p] < p && inRange) {
      if (a.PlaceOddsByPos[p] <= 3) a.PlaceOverbetFlags[p] |= kOverbetBit1;
      if (f < 100) a.PlaceOverbetFlags[p] |= kOverbetBit2;
    }
  }
}

void ScorePairs(Session& s) {
  AnalysisState& a = s.analysis;
  const RaceModel& r = s.race;
  const int m = RunnerCount(s);

  a.PairScore.fill(0);
  for (auto& row : a.QuinellaCellMarks) row.fill(PairCellMarks{});
  for (auto& row : a.WideCellMarks) row.fill(PairCellMarks{});
  for (auto& row : a.QuinellaCellTooltip) {
    for (std::string& tip : row) tip.clear();
  }
  for (std::string& tip : a.PlaceTooltip) tip.clear();
  // The tool tip of each bracket pair (lo <= hi, 0..8) is made in the first cell that needs it;
  // the later cells of the pair copy it from there.
  std::array<std::array<const std::string*, kMaxBrackets + 1>, kMaxBrackets + 1> bracketTips{};
  Table1<TheoreticalTerms, kMaxHorses> terms{};
  for (int p = 1; p <= m; ++p) terms[p] = TheoreticalTermsOf(a.SyntheticWinOdds[p]);

  for (int i = 1; i <= m; ++i) {
    const int hi = HorseAt(s, i);
    if (hi == 0) continue;
    const int bi = BracketOf(s, hi);
    const int first = (i == 1) ? 2 : 1;
    double maxQ = first <= m ? a.QuinellaByPos[i][first] : 0.0;
    double maxW = first <= m ? a.WideByPos[i][first] : 0.0;
    cell_text::TextBuilder(a.PlaceTooltip[i])
        .Append("複勝 ")
        .AppendTrimmed(r.PlaceOddsLow[hi].text())
        .Append(" - ")
        .AppendTrimmed(r.PlaceOddsHigh[hi].text());

    for (int j = 1; j <= m; ++j) {
      if (j == i) continue;
      const int hj = HorseAt(s, j);
      const int bj = BracketOf(s, hj);
      const int lo = std::min(bi, bj);
      const int hiB = std::max(bi, bj);
      std::string& tip = a.QuinellaCellTooltip[i][j];
      if (lo >= 0 && hiB <= kMaxBrackets) {
        const std::string*& made = bracketTips[lo][hiB];
        if (made) {
          tip = *made;
        } else {
          BracketTip(tip, r, lo, hiB);
          made = &tip;
        }
      } else {
        BracketTip(tip, r, lo, hiB);
      }

      // Over-betting of the pair against its theoretical odds. A pair without a quote has
      // nothing to compare and scores nothing.
      double quoted = a.QuinellaByPos[i][j];
      if (bi == bj && BracketQuinellaOf(a, bi, bi) > quoted) quoted = BracketQuinellaOf(a, bi, bi);
      if (quoted > 0) {
        const double theoretical = TheoreticalQuinellaOdds(terms[i], terms[j]);
        const double ratio = 100.0 * theoretical / quoted;
        if (ratio > 115 && quoted < 300) {
          a.PairScore[j] += 5;
          if (quoted < 100 && j > i) {
            a.QuinellaCellMarks[i][j].Underline = true;
            a.QuinellaCellMarks[j][i].Underline = true;
          }
        }
      }

      // Reversal: a pair priced shorter than a pair with a more popular partner.
      const double q = a.QuinellaByPos[i][j];
      if (q > 0 && q < maxQ) {
        if (q < 300) {
          a.PairScore[j] += 2;
          a.QuinellaCellMarks[j][i].RedText = true;
        }
        if (q < 100) a.QuinellaCellMarks[i][j].Bold = true;
      } else if (q > 0) {
        maxQ = q;
      }

      const double w = a.WideByPos[i][j];
      if (w > 0 && w < maxW) {
        if (w < 300) a.WideCellMarks[j][i].RedText = true;
        if (w < 100) a.WideCellMarks[i][j].Bold = true;
      } else if (w > 0) {
        maxW = w;
      }
    }
  }
}

void RankIndicators(Session& s) {
  AnalysisState& a = s.analysis;
  const int m = RunnerCount(s);
  a.FValue.fill(0);
  a.TValue.fill(0);
  a.RValue.fill(0);
  a.WValue.fill(0);
  a.ZValue.fill(0);
  a.ROverbet.fill(0);
  a.WOverbet.fill(0);

  // With fewer than two runners there is no pair to compare: every rank stays empty.
  if (m >= 2) {
    PlaceStep(s, m);
    WinStep(s, m);
    FavouriteStep(s, m, false, a.RValue, a.ROverbet);
    FavouriteStep(s, m, true, a.WValue, a.WOverbet);
    PairScoreStep(s, m);
  }
  ClassifyRace(s);
}

}  // namespace tz
