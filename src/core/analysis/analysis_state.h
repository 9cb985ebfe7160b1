// The numbers derived from the odds of the selected race: vote shares, synthetic win odds
// (仮単), the popularity order and its gaps, the by-position tables and popularity ranks, the
// over-betting flags, pair scores and indicator ranks, the race class and the race-level
// labels (upset indicator, かぶり度, 推移). Every analysis overwrites what it owns; positions
// above the runner count M are never read for the current race.
//
// Index conventions (all tables are 1-based, slot 0 unused):
//   "horse"    = horse number 1..18
//   "position" = popularity position 1..18 (position p holds horse `RaceModel::HorseOrder[p]`;
//                runners are positions 1..M, scratched horses follow them)
//   "bracket"  = bracket 1..8
#pragma once

#include <array>
#include <string>

#include "app/app_state.h"
#include "pat98/race_model.h"

namespace tz {

inline constexpr Colour kColourBlack = 0;
inline constexpr Colour kColourRed = 255;             // &HFF
inline constexpr Colour kColourBlue = 16711680;       // &HFF0000
inline constexpr Colour kColourUpsetBar = 0xC0C0FF;   // light red
inline constexpr Colour kColourSeparator = 0x808080;  // neutral separator (grey)

// The value a horse without any quinella quote gets as 仮単; it sorts after every quoted horse.
inline constexpr double kNoSyntheticWin = 999.9;

// Separator drawn below a row of the prediction window by the gap analysis.
enum class SeparatorKind : int { Neutral = 0, Blue = 1, Red = 2 };

inline Colour SeparatorColour(SeparatorKind k) {
  switch (k) {
    case SeparatorKind::Blue: return kColourBlue;
    case SeparatorKind::Red: return kColourRed;
    default: return kColourSeparator;
  }
}

// The five indicators, in the column order of the prediction window.
enum class Indicator : int { F = 0, T = 1, R = 2, Z = 3, W = 4 };
inline constexpr int kIndicatorCount = 5;
inline constexpr std::array<Indicator, kIndicatorCount> kIndicators{
    Indicator::F, Indicator::T, Indicator::R, Indicator::Z, Indicator::W};

// Longshot marks of the fourth favourite down: ★ (strongest) ☆ ▲ △.
enum class LongshotMark : unsigned char { None, DoubleStar, Star, Triangle, OpenTriangle };
inline constexpr std::array<LongshotMark, 4> kLongshotMarks{
    LongshotMark::DoubleStar, LongshotMark::Star, LongshotMark::Triangle,
    LongshotMark::OpenTriangle};

// "★", "☆", "▲", "△", or "" for none.
const char* MarkText(LongshotMark mark);

// Marks of one cell of the main window's quinella or wide matrix (the wide matrix uses red
// text and bold only).
struct PairCellMarks {
  bool RedText = false;
  bool Bold = false;
  bool Underline = false;
};

// Bits of `WinOverbetFlags` / `PlaceOverbetFlags`.
inline constexpr int kOverbetBit1 = 1;
inline constexpr int kOverbetBit2 = 2;
inline constexpr int kOverbetBit4 = 4;

// Rows of `GapGroups`.
inline constexpr int kGapCountRow = 0;  // cell 0: number of groups
inline constexpr int kGapSizeRow = 1;   // cell g: positions in group g
inline constexpr int kGapClassRow = 2;  // cell g: class (1..3) of the gap that closed group g

// Where the base odds of the analysed race came from.
enum class BaseOddsSource : int { None = 0, Jrdb = 1, Snapshot = 2 };

// Whom the analysis of a race serves: the race on screen, or a run over every race of the day,
// which leaves out what only the screen shows (the race card's captions) and what would
// interrupt the run (the note that the base snapshot lacks the race).
enum class AnalysisFor { Screen, DayRun };

struct AnalysisState {
  // ---- JRDB base odds of the race (filled by LoadJrdbBaseOdds; horse numbers 1..18) ----
  bool JrdbLoaded = false;  // base odds were found for the race
  Table1<std::string, kMaxHorses> JrdbWinBase{};    // 基単, empty when absent or "999.9"
  Table1<std::string, kMaxHorses> JrdbPlaceBase{};  // 基複, empty when absent or "999.9"
  // The same tables may come from an earlier snapshot of the day (snapshot/base_snapshot.h):
  // the source, and the race header's caption naming it ("基準 JRDB", "基準 10時15分ｽﾅｯﾌﾟｼｮｯﾄ").
  BaseOddsSource BaseSource = BaseOddsSource::None;
  std::string BaseCaption;

  // ---- Vote shares and synthetic win odds (per horse) ----
  Table1<double, kMaxHorses> QuinellaShare{};        // percent
  Table1<double, kMaxHorses> SyntheticWinByHorse{};  // 仮単 of the horse (999.9 = no quote)
  Table1<std::string, kMaxHorses> SyntheticWinText{};   // "#0.0"
  Table1<std::string, kMaxHorses> QuinellaShareText{};  // "#0.0%"
  Table1<double, kMaxHorses> WideShare{};               // percent
  Table1<std::string, kMaxHorses> WideShareText{};      // "#0.0%"
  Table1<int, kMaxHorses> WideShareRank{};
  Table1<double, kMaxBrackets> BracketShare{};  // sum of the quinella shares of the bracket

  // ---- By popularity position ----
  int RunnerCount = 0;                             // M = HorseCount - ScratchedCount
  Table1<double, kMaxHorses> SyntheticWinOdds{};   // 仮単 at the position, ascending
  Table1<double, kMaxHorses> WinOddsByPos{};
  Table1<double, kMaxHorses> PlaceOddsByPos{};
  Table2<double, kMaxHorses, kMaxHorses> QuinellaByPos{};  // 0 on the diagonal
  Table2<double, kMaxHorses, kMaxHorses> WideByPos{};      // 0 on the diagonal and for code 7
  Table2<double, kMaxBrackets, kMaxBrackets> BracketQuinella{};  // by bracket, 0 where empty
  Table1<int, kMaxHorses> WinRankByPos{};    // win popularity rank of the position
  Table1<int, kMaxHorses> PlaceRankByPos{};  // place popularity rank of the position
  Table1<int, kMaxHorses> FavQuinellaRank{};  // rank by quinella odds with position 1
  Table1<int, kMaxHorses> WinOrder{};    // horse numbers in win popularity order (1..M)
  Table1<int, kMaxHorses> PlaceOrder{};  // horse numbers in place popularity order (1..M)

  // ---- Gap analysis (断層) ----
  std::array<std::array<int, kMaxHorses + 1>, 3> GapGroups{};  // rows kGap*Row, cells 0..18
  int FirstCut = 0;
  int SecondCut = 0;
  // Separator below row p of the prediction window.
  Table1<SeparatorKind, kMaxHorses> GapSeparator{};

  // ---- Over-betting flags and pair scores (by position) ----
  Table1<double, kMaxHorses> WinOverbet{};    // 10 x (win / 仮単 - 1)
  Table1<double, kMaxHorses> PlaceOverbet{};  // 10 x (3 x place / 仮単 - 1)
  Table1<int, kMaxHorses> WinOverbetFlags{};    // bits kOverbetBit1/2/4
  Table1<int, kMaxHorses> PlaceOverbetFlags{};  // bits kOverbetBit1/2
  Table1<double, kMaxHorses> PairScore{};
  // Cell marks and tooltips of the main window's matrices, by (row position, column position).
  Table2<PairCellMarks, kMaxHorses, kMaxHorses> QuinellaCellMarks{};
  Table2<PairCellMarks, kMaxHorses, kMaxHorses> WideCellMarks{};
  Table2<std::string, kMaxHorses, kMaxHorses> QuinellaCellTooltip{};  // "枠連 x-y  x..."
  Table1<std::string, kMaxHorses> PlaceTooltip{};  // "複勝 low - high" of row p

  // ---- Indicator ranks (by position; 1..5 rank, 0 not ranked) ----
  Table1<int, kMaxHorses> FValue{};
  Table1<int, kMaxHorses> TValue{};
  Table1<int, kMaxHorses> RValue{};  // also -1: the horse comes after the favourite
  Table1<int, kMaxHorses> WValue{};  // also -1: the horse comes after the favourite
  Table1<int, kMaxHorses> ZValue{};  // equal scores share a rank
  // The over-betting value v of the quinella and wide steps with the favourite: 10 x (odds
  // with the favourite / 仮単 - 1); 0 without a quote.
  Table1<double, kMaxHorses> ROverbet{};
  Table1<double, kMaxHorses> WOverbet{};

  // ---- Race classification ----
  // Three one-character codes: "T"/"F", "R"/"Z", "A"/"B"/"C". Empty with fewer than two
  // runners (nothing to classify).
  std::string RaceTypeCode;
  Table1<int, kMaxHorses> MarkValue{};  // the mark integer m per position (bits 1, 2, 4)
  Table1<LongshotMark, kMaxHorses> Mark{};  // longshot mark per position
  // The R or Z rank 1 of a position inside the second cut (shown in red).
  Table1<bool, kMaxHorses> RedR{};
  Table1<bool, kMaxHorses> RedZ{};

  // ---- Upset indicator (波乱度) ----
  double UpsetIndicator = 0;  // f, the theoretical quinella odds of the two front groups
  int UpsetValue = 0;         // integer part of 10 x f
  std::string UpsetText;      // f truncated to one decimal ("7.0"); empty when not defined
  std::string UpsetClassLetter;  // third letter of RaceTypeCode
  std::string UpsetCaption;      // UpsetText followed by the class letter ("12.3B")
  bool UpsetBarVisible = false;  // option PointBar not 0 and a value exists
  double UpsetBarLength = 0;     // f in bar units, clipped to [0, kUpsetBarScale]

  // ---- かぶり度 and 推移 ----
  double KaburiDegree = 0;
  bool KaburiVisible = false;
  std::string KaburiText;  // "かぶり度　2.5"
  int UnderTenShift = 0;
  std::string UnderTenShiftText;  // "推移　+2", "推移　0", "推移　-2"
};

// Width of the upset bar area in bar units: a bar of f units is drawn from the left edge, in
// kColourUpsetBar and kUpsetBarHeight units high.
inline constexpr double kUpsetBarScale = 100.0;
inline constexpr double kUpsetBarHeight = 15.0;

inline constexpr const char* kKaburiTooltip = "かぶり度（１、２番人気と２、３番人気の馬連の比率）";
inline constexpr const char* kUnderTenShiftTooltip = "１０倍未満の馬数の推移（基単→仮単）";

}  // namespace tz
