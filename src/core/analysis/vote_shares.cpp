#include "analysis/vote_shares.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "session.h"
#include "text/numbers.h"
#include "text/strings.h"

namespace tz {

namespace {

int HorseCountOf(const Session& s) { return std::clamp(s.race.HorseCount, 0, kMaxHorses); }

// A share as shown: "#0.0" and a percent sign, written into the text's own buffer.
void SetPercentText(std::string& out, double share) {
  text::FormatNumberInto(out, share, "#0.0");
  out.push_back('%');
}

// The value of a text read with its blanks trimmed, ideographic spaces included. Val itself
// passes over blanks and tabs in front, and trimming leaves the number and what is in front of
// it alone, so only a text whose first byte after them is beyond ASCII can read otherwise than
// its stored value.
double TrimmedValue(const OddsQuote& cell) {
  // A value found means a number right after those blanks: the text reads as its value.
  if (cell.value() != 0) return cell.value();
  const std::string_view t = cell.text();
  std::size_t start = 0;
  while (start < t.size() && (t[start] == ' ' || t[start] == '\t')) ++start;
  if (start < t.size() && static_cast<unsigned char>(t[start]) >= 0x80) {
    return text::OddsValue(text::Trim(t));
  }
  return cell.value();
}

}  // namespace

int RunnerCount(const Session& s) {
  const int n = HorseCountOf(s);
  return std::clamp(n - s.race.ScratchedCount, 0, n);
}

bool IsScratched(const Session& s, int h) {
  const int count = std::clamp(s.race.ScratchedCount, 0, kMaxHorses);
  for (int i = 1; i <= count; ++i) {
    if (s.race.ScratchedHorses[i] == h) return true;
  }
  return false;
}

void ComputeVoteShares(Session& s) {
  RaceModel& r = s.race;
  AnalysisState& a = s.analysis;
  const int n = HorseCountOf(s);
  a.RunnerCount = RunnerCount(s);

  a.BracketShare.fill(0.0);

  // Quinella share and 仮単 of every horse, scratched ones included.
  Table1<double, kMaxHorses> syntheticAt{};
  for (int h = 1; h <= n; ++h) {
    double sum = 0;
    for (int k = 1; k <= n; ++k) {
      if (k == h) continue;
      const OddsQuote& cell = r.QuinellaOdds[k][h];
      if (cell.empty()) continue;
      const double q = cell.value();
      if (q > 0) sum += 75.0 * (1.0 / q);
    }
    const double share = sum / 2.0;
    double synthetic;
    if (share != 0) {
      a.QuinellaShare[h] = share;
      synthetic = 80.0 / share;
    } else {
      a.QuinellaShare[h] = 0;
      synthetic = kNoSyntheticWin;
    }
    a.SyntheticWinByHorse[h] = synthetic;
    const int bracket = r.HorseBracket[h];
    if (bracket >= 1 && bracket <= kMaxBrackets) a.BracketShare[bracket] += a.QuinellaShare[h];
    text::FormatNumberInto(a.SyntheticWinText[h], synthetic, "#0.0");
    SetPercentText(a.QuinellaShareText[h], share);
  }

  // Popularity order: ascending 仮単 by the exchange sort; scratched horses always sort behind
  // every runner, so that positions 1..M are exactly the runners even when a runner's 仮単 is
  // above 999.9. Equal keys keep whatever order the exchanges leave.
  Table1<bool, kMaxHorses> scratchedAt{};
  for (int p = 1; p <= n; ++p) {
    const int h = r.HorseOrder[p];
    const bool valid = h >= 1 && h <= kMaxHorses;
    syntheticAt[p] = valid ? a.SyntheticWinByHorse[h] : kNoSyntheticWin;
    scratchedAt[p] = !valid || IsScratched(s, h);
  }
  for (int j = 1; j <= n - 1; ++j) {
    for (int k = j + 1; k <= n; ++k) {
      const bool outOfOrder =
          (scratchedAt[j] && !scratchedAt[k]) ||
          (scratchedAt[j] == scratchedAt[k] && syntheticAt[j] > syntheticAt[k]);
      if (outOfOrder) {
        SwapValues(syntheticAt[j], syntheticAt[k]);
        SwapValues(scratchedAt[j], scratchedAt[k]);
        SwapValues(r.HorseOrder[j], r.HorseOrder[k]);
      }
    }
  }
  for (int p = 1; p <= n; ++p) a.SyntheticWinOdds[p] = syntheticAt[p];

  // Wide shares (a third of the quinella form: three wide tickets pay per race).
  for (int h = 1; h <= n; ++h) {
    double sum = 0;
    for (int k = 1; k <= n; ++k) {
      if (k == h) continue;
      const double v = TrimmedValue(r.WideOddsLow[k][h]);
      if (v > 0) sum += (75.0 * (1.0 / v)) / 3.0;
    }
    a.WideShare[h] = sum / 2.0;
    SetPercentText(a.WideShareText[h], a.WideShare[h]);
  }
  for (int h = 1; h <= n; ++h) {
    int rank = 1;
    for (int k = 1; k <= n; ++k) {
      if (a.WideShare[k] > a.WideShare[h]) ++rank;
    }
    a.WideShareRank[h] = rank;
  }
}

void BuildPositionTables(Session& s) {
  const RaceModel& r = s.race;
  AnalysisState& a = s.analysis;
  const int m = RunnerCount(s);
  a.RunnerCount = m;

  auto horseAt = [&](int p) {
    const int h = r.HorseOrder[p];
    return (h >= 1 && h <= kMaxHorses) ? h : 0;
  };

  // The horse of each runner's position; 0 past the runners and for a slot without a horse.
  Table1<int, kMaxHorses> runner{};
  for (int p = 1; p <= m; ++p) runner[p] = horseAt(p);
  const bool wide = r.CurrentSaleCode != 7;
  for (int p = 1; p <= kMaxHorses; ++p) {
    const int h = runner[p];
    a.WinOrder[p] = h;
    a.PlaceOrder[p] = h;
    a.PlaceOddsByPos[p] = h != 0 ? r.PlaceOddsLow[h].value() : 0.0;
    a.WinOddsByPos[p] = h != 0 ? r.WinOdds[h].value() : 0.0;
    auto& quinella = a.QuinellaByPos[p];
    auto& wideOdds = a.WideByPos[p];
    int q = 1;
    if (h != 0) {
      for (; q <= m; ++q) {
        const int k = runner[q];
        const bool pair = k != 0 && p != q;
        quinella[q] = pair ? r.QuinellaOdds[h][k].value() : 0.0;
        wideOdds[q] = (pair && wide) ? r.WideOddsLow[h][k].value() : 0.0;
      }
    }
    // No pair with a position past the runners, nor of one past them.
    std::fill(quinella.begin() + q, quinella.end(), 0.0);
    std::fill(wideOdds.begin() + q, wideOdds.end(), 0.0);
  }
  for (int x = 1; x <= kMaxBrackets; ++x) {
    for (int y = 1; y <= kMaxBrackets; ++y) {
      a.BracketQuinella[x][y] = r.BracketQuinellaOdds[x][y].value();
    }
  }

  // Competition ranks by odds; the orders are sorted on a copy of the ranks so that the rank
  // tables keep the rank of each position.
  auto rankAndOrder = [&](const Table1<double, kMaxHorses>& odds, Table1<int, kMaxHorses>& ranks,
                          Table1<int, kMaxHorses>& order) {
    ranks.fill(0);
    for (int p = 1; p <= m; ++p) {
      int rank = 1;
      for (int q = 1; q <= m; ++q) {
        if (odds[q] < odds[p]) ++rank;
      }
      ranks[p] = rank;
    }
    Table1<int, kMaxHorses> sortRanks = ranks;
    for (int i = 1; i <= m - 1; ++i) {
      for (int j = i + 1; j <= m; ++j) {
        if (sortRanks[j] < sortRanks[i]) {
          SwapValues(sortRanks[i], sortRanks[j]);
          SwapValues(order[i], order[j]);
        }
      }
    }
  };
  rankAndOrder(a.PlaceOddsByPos, a.PlaceRankByPos, a.PlaceOrder);
  rankAndOrder(a.WinOddsByPos, a.WinRankByPos, a.WinOrder);

  a.FavQuinellaRank.fill(0);
  for (int p = 1; p <= m; ++p) {
    int rank = 1;
    for (int q = 1; q <= m; ++q) {
      if (a.QuinellaByPos[q][1] < a.QuinellaByPos[p][1]) ++rank;
    }
    a.FavQuinellaRank[p] = rank;
  }
}

void FindPopularityGaps(Session& s) {
  AnalysisState& a = s.analysis;
  const int n = HorseCountOf(s);
  const int m = RunnerCount(s);
  a.RunnerCount = m;

  for (auto& row : a.GapGroups) row.fill(0);
  a.GapSeparator.fill(SeparatorKind::Neutral);
  a.FirstCut = m;
  a.SecondCut = m;

  if (m >= 1) {
    int group = 1;
    int size = 1;
    double cumulative = 0;
    bool firstDone = false;
    bool secondDone = false;
    for (int k = 1; k <= m - 1; ++k) {
      const double ratio =
          a.SyntheticWinOdds[k] > 0 ? a.SyntheticWinOdds[k + 1] / a.SyntheticWinOdds[k] : 0.0;
      int gapClass = 0;
      if (ratio >= 1.9) {
        gapClass = 3;
      } else if (ratio >= 1.6) {
        gapClass = 2;
      } else if (ratio >= 1.4) {
        gapClass = 1;
      }
      if (gapClass > 0) {
        a.GapGroups[kGapSizeRow][group] = size;
        a.GapGroups[kGapClassRow][group] = gapClass;
        ++group;
        size = 0;
        cumulative += ratio;
      }
      ++size;
      if (!firstDone && cumulative > 1.9) {
        a.FirstCut = k;
        firstDone = true;
        if (k >= n / 2.0 && gapClass == 3) {
          a.GapSeparator[k] = SeparatorKind::Red;
          a.SecondCut = k;
          secondDone = true;
        } else {
          a.GapSeparator[k] = SeparatorKind::Blue;
        }
      }
      if (!secondDone && cumulative > 4.5) {
        a.GapSeparator[k] = SeparatorKind::Red;
        a.SecondCut = k;
        secondDone = true;
      }
    }
    if (!secondDone) {
      a.GapSeparator[m] = SeparatorKind::Red;
      a.SecondCut = m;
    }
    a.GapGroups[kGapSizeRow][group] = size;
    a.GapGroups[kGapClassRow][group] = 3;
    a.GapGroups[kGapCountRow][0] = group;
  }
}

double TheoreticalQuinellaOdds(double a, double b) {
  return TheoreticalQuinellaOdds(TheoreticalTermsOf(a), TheoreticalTermsOf(b));
}

}  // namespace tz
