#include "analysis/race_analysis.h"

#include <algorithm>

#include "analysis/cell_text.h"
#include "analysis/main_window_model.h"

namespace tz {

const char* MarkText(LongshotMark mark) {
  switch (mark) {
    case LongshotMark::DoubleStar: return kMarkDoubleStar;
    case LongshotMark::Star: return kMarkStar;
    case LongshotMark::Triangle: return kMarkTriangle;
    case LongshotMark::OpenTriangle: return kMarkOpenTriangle;
    default: return "";
  }
}

RaceAnalysis SummariseRace(const RaceModel& race, const AnalysisState& a) {
  RaceAnalysis out;
  out.Analysed = true;
  const int n = std::clamp(race.HorseCount, 0, kMaxHorses);
  out.RowCount = n;
  out.RunnerCount = std::clamp(n - race.ScratchedCount, 0, n);
  const int m = out.RunnerCount;
  for (int p = 1; p <= kMaxHorses; ++p) {
    out.Separator[p] = a.GapSeparator[p];
    if (p > n) continue;
    const int h = race.HorseOrder[p];
    out.Horse[p] = (h >= 1 && h <= kMaxHorses) ? h : 0;
    if (p > m) continue;
    // R and W use -1 for a horse behind the favourite; it shows no rank.
    const auto shown = [](int v) { return v > 0 ? v : 0; };
    out.Rank[static_cast<std::size_t>(Indicator::F)][p] = shown(a.FValue[p]);
    out.Rank[static_cast<std::size_t>(Indicator::T)][p] = shown(a.TValue[p]);
    out.Rank[static_cast<std::size_t>(Indicator::R)][p] = shown(a.RValue[p]);
    out.Rank[static_cast<std::size_t>(Indicator::Z)][p] = shown(a.ZValue[p]);
    out.Rank[static_cast<std::size_t>(Indicator::W)][p] = shown(a.WValue[p]);
    out.RedR[p] = a.RedR[p];
    out.RedZ[p] = a.RedZ[p];
    out.Mark[p] = a.Mark[p];
    out.MarkValue[p] = a.MarkValue[p];
    out.PairScore[p] = a.PairScore[p];
    out.WinOverbetFlags[p] = a.WinOverbetFlags[p];
    out.PlaceOverbetFlags[p] = a.PlaceOverbetFlags[p];
    out.OddsClass[p] = SyntheticClass(a.SyntheticWinOdds[p]);
  }
  out.RaceTypeCode = a.RaceTypeCode;
  out.HasUpset = !a.UpsetText.empty();
  out.UpsetIndicator = a.UpsetIndicator;
  out.UpsetValue = a.UpsetValue;
  out.UpsetText = a.UpsetText;
  return out;
}

void RenderPrediction(const RaceAnalysis& ra, const RaceModel& race, PredictionModel& model) {
  model.RowCount = ra.RowCount;
  // Every field of every row is written, in the row's own texts.
  for (int p = 1; p <= kMaxHorses; ++p) {
    PredictionRow& row = model.Rows[p];
    const bool shown = p <= ra.RowCount;
    row.HorseNumber = shown ? ra.Horse[p] : 0;
    row.Bracket = shown && row.HorseNumber >= 1 ? race.HorseBracket[row.HorseNumber] : 0;
    row.Runner = shown && p <= ra.RunnerCount;
    const bool ranked = p <= ra.RunnerCount;
    const auto rank = [&](Indicator k) { return ranked ? ra.RankOf(k, p) : 0; };
    cell_text::SetRank(row.F, rank(Indicator::F));
    cell_text::SetRank(row.T, rank(Indicator::T));
    cell_text::SetRank(row.R, rank(Indicator::R));
    cell_text::SetRank(row.Z, rank(Indicator::Z));
    cell_text::SetRank(row.W, rank(Indicator::W));
    row.RColour = ranked && ra.RedR[p] ? kColourRed : kColourBlack;
    row.ZColour = ranked && ra.RedZ[p] ? kColourRed : kColourBlack;
    row.Mark = ranked ? MarkText(ra.Mark[p]) : "";
    row.Separator = ra.Separator[p];
    row.SeparatorColour = SeparatorColour(ra.Separator[p]);
  }
  for (auto& header : model.Headers) header.Bold = false;
  if (ra.LeadingPool() != '\0') model.Headers[ra.LeadingPool() == 'F' ? kColF : kColT].Bold = true;
  if (ra.LeadingPair() != '\0') model.Headers[ra.LeadingPair() == 'R' ? kColR : kColZ].Bold = true;
}

}  // namespace tz
