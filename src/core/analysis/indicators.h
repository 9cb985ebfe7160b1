// Over-betting (売れ過ぎ) of each runner measured in five ways and ranked 1..5: F (place against
// 仮単), T (win against 仮単), R (quinella with the favourite), W (wide with the favourite) and
// Z (every quinella pair against its theoretical odds); plus the per-position flags and pair
// scores that the race classification reads, and the marks of the odds matrices.
#pragma once

namespace tz {

struct Session;

// WinOverbet, WinOverbetFlags and PlaceOverbetFlags from the win, place and 仮単 texts shown
// for positions 1..M.
void FlagOverbetting(Session& s);

// PairScore, and the marks and tooltips of the quinella and wide matrix cells.
void ScorePairs(Session& s);

// Runs the F, T, R, W and Z steps (ranks into FValue .. ZValue), then ClassifyRace.
void RankIndicators(Session& s);

}  // namespace tz
