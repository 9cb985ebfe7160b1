// What the prediction window (予想) shows: one row per horse in popularity order with the five
// over-betting ranks, the longshot mark and the separator of the gap analysis, and the five
// column headers with their tooltips and emphasis. It is rendered from the race's
// `RaceAnalysis`, which is what every other reader of the ranks and marks uses.
//
// The identity columns of a row (bracket colour, horse name, jockey, weight, newspaper mark)
// come from the race card row of the horse (`RaceCardRow`, joined by `HorseNumber`).
#pragma once

#include <array>
#include <initializer_list>
#include <string>

#include "analysis/analysis_state.h"
#include "pat98/race_model.h"

namespace tz {

// Column order of the indicator headers.
enum PredictionColumn : int { kColF = 0, kColT = 1, kColR = 2, kColZ = 3, kColW = 4 };

struct PredictionHeader {
  std::string Letter;   // "F", "T", "R", "Z", "W"
  std::string Tooltip;  // what the indicator measures
  bool Bold = false;    // the leading indicator of the race
  bool operator==(const PredictionHeader&) const = default;
};

// Longshot marks.
inline constexpr const char* kMarkDoubleStar = "★";
inline constexpr const char* kMarkStar = "☆";
inline constexpr const char* kMarkTriangle = "▲";
inline constexpr const char* kMarkOpenTriangle = "△";

struct PredictionRow {
  int HorseNumber = 0;  // HorseOrder[p]
  int Bracket = 0;      // HorseBracket of the horse
  bool Runner = false;  // false for a scratched horse (rows M+1..N)
  // Rank texts "1".."5" or empty.
  std::string F, T, R, Z, W;
  Colour RColour = kColourBlack;  // red when the R rank 1 lies inside the second cut
  Colour ZColour = kColourBlack;  // red when the Z rank 1 lies inside the second cut
  std::string Mark;               // ★, ☆, ▲, △ or empty
  SeparatorKind Separator = SeparatorKind::Neutral;  // separator below the row
  Colour SeparatorColour = kColourSeparator;

  // Back to a fresh row as above, keeping the texts' buffers for the next race.
  void Reset() {
    HorseNumber = 0;
    Bracket = 0;
    Runner = false;
    for (std::string* t : {&F, &T, &R, &Z, &W, &Mark}) t->clear();
    RColour = kColourBlack;
    ZColour = kColourBlack;
    Separator = SeparatorKind::Neutral;
    SeparatorColour = kColourSeparator;
  }
  bool operator==(const PredictionRow&) const = default;
};

// The columns of the market-implied win odds of a row (option ImpliedWin): 仮単, the win odds,
// 推定単勝 and the ratio of the win odds to 推定単勝; empty texts for a scratched horse.
struct ImpliedWinCells {
  std::string Synthetic, Win, Implied, Ratio;

  void Reset() {
    for (std::string* t : {&Synthetic, &Win, &Implied, &Ratio}) t->clear();
  }
  bool operator==(const ImpliedWinCells&) const = default;
};
inline constexpr std::array<const char*, 4> kImpliedWinHeaders{"仮単", "単勝", "推定単勝", "比"};

struct PredictionModel {
  int RowCount = 0;  // N, rows 1..N
  Table1<PredictionRow, kMaxHorses> Rows{};
  // Shown only with the option ImpliedWin; the classic window has none of these columns.
  bool ImpliedShown = false;
  Table1<ImpliedWinCells, kMaxHorses> Implied{};
  std::array<PredictionHeader, 5> Headers{{
      {"F", "仮単と比較して複勝の売れ過ぎ度が高い上位５頭", false},
      {"T", "仮単と比較して単勝の売れ過ぎ度が高い上位５頭", false},
      {"R", "１番人気からの馬連の売れ過ぎ度が高い上位５頭", false},
      {"Z", "全通りの馬連の中で売れ過ぎ度が高い上位５頭", false},
      {"W", "１番人気からのﾜｲﾄﾞの売れ過ぎ度が高い上位５頭", false},
  }};
  bool operator==(const PredictionModel&) const = default;
};

}  // namespace tz
