// What the analysis of one race concluded, as plain data: the ranks shown under the five
// indicators, the longshot marks, the race class, the pair scores, the over-betting flags and
// the upset indicator, all by popularity position. The steps compute into `AnalysisState` (their
// working tables); `RankRace` copies the outcome here once per race, and everything that reads
// a race's verdict — the prediction window, the day lists, the contest entries, the backtest —
// reads this struct, never the texts or colours of a window.
#pragma once

#include <array>
#include <string>

#include "analysis/analysis_state.h"
#include "analysis/prediction_model.h"
#include "pat98/race_model.h"

namespace tz {

struct RaceAnalysis {
  bool Analysed = false;  // false until a race has been ranked (and for a race not analysed)
  int RowCount = 0;       // N: positions 1..N, runners first
  int RunnerCount = 0;    // M: positions 1..M are runners

  // ---- By popularity position 1..N ----
  Table1<int, kMaxHorses> Horse{};  // horse number at the position
  // Rank 1..5 under each indicator (index Indicator), 0 when the horse is not ranked.
  std::array<Table1<int, kMaxHorses>, kIndicatorCount> Rank{};
  // The R or Z rank 1 of a position inside the second cut (shown in red).
  Table1<bool, kMaxHorses> RedR{};
  Table1<bool, kMaxHorses> RedZ{};
  Table1<LongshotMark, kMaxHorses> Mark{};
  Table1<int, kMaxHorses> MarkValue{};  // the mark integer (bits 1, 2, 4)
  Table1<double, kMaxHorses> PairScore{};
  Table1<int, kMaxHorses> WinOverbetFlags{};    // bits kOverbetBit1/2/4
  Table1<int, kMaxHorses> PlaceOverbetFlags{};  // bits kOverbetBit1/2
  Table1<int, kMaxHorses> OddsClass{};  // colour class 0..6 of the position's 仮単
  Table1<SeparatorKind, kMaxHorses> Separator{};  // gap separator below the position

  // ---- The race ----
  std::string RaceTypeCode;  // three letters ("T"/"F", "R"/"Z", "A"/"B"/"C"), empty unclassified
  bool HasUpset = false;  // the upset indicator has a value
  double UpsetIndicator = 0;
  int UpsetValue = 0;     // integer part of 10 x the indicator
  std::string UpsetText;  // the indicator truncated to one decimal, empty without a value

  int RankOf(Indicator k, int position) const {
    return Rank[static_cast<std::size_t>(k)][static_cast<std::size_t>(position)];
  }
  bool RedRankOne(int position) const { return RedR[position] || RedZ[position]; }
  // The indicator letter 1 ("F"/"T") or 2 ("R"/"Z") that leads the race, '\0' unclassified.
  char LeadingPool() const { return RaceTypeCode.size() >= 1 ? RaceTypeCode[0] : '\0'; }
  char LeadingPair() const { return RaceTypeCode.size() >= 2 ? RaceTypeCode[1] : '\0'; }
  // The class letter "A"/"B"/"C", empty when unclassified.
  std::string ClassLetter() const { return RaceTypeCode.size() >= 3 ? RaceTypeCode.substr(2, 1) : ""; }
};

// The outcome of the analysed race, from the working tables.
RaceAnalysis SummariseRace(const RaceModel& race, const AnalysisState& a);

// The prediction window (予想) of the race: one row per position with its rank texts, colours,
// mark and separator, and the bold headers of the race's leading indicators.
void RenderPrediction(const RaceAnalysis& ra, const RaceModel& race, PredictionModel& model);

}  // namespace tz
