// Stake safety of a bet list as it stands: the combined odds of its bets (合成オッズ), the book
// percentage of the race's win, bracket-quinella and quinella pools, and the ﾄﾘｶﾞﾐ warning for
// every bet whose hit would return less than the whole stake of the list.
//
// The book percentages belong to the race the list was built for and are taken once, when the
// list is built; the combined odds and the warning follow the text and are worked out again
// whenever the stakes change (an allocation mode, an edit of the text).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pat98/race_model.h"

namespace tz {

inline constexpr const char* kTorigamiCaption = "ﾄﾘｶﾞﾐ";
inline constexpr const char* kCombinedOddsCaption = "合成オッズ";

// Σ 1/o over every quoted combination of a pool, times 100: the market's total, above 100 by
// the takeout. Nothing for a pool the race does not quote.
struct BookPercent {
  std::optional<double> Win;
  std::optional<double> Bracket;
  std::optional<double> Quinella;
};

// The book percentages of the loaded race: the win odds of its runners, the bracket quinella
// odds of every bracket pair (a bracket with itself included) and, unless the race is sold
// with bracket quinella only (sale code 7, whose quinella table holds bracket odds), the
// quinella odds of every pair. An empty text (scratched, no such combination) is not a quote;
// a quoted 0.0, kept as "999.9", is.
BookPercent RaceBookPercent(const RaceModel& r);

// One bet line of the list as the send command reads it: the odds are the token around the
// first "." and the stake is the number from two characters after that ".".
struct BetLine {
  std::string Text;  // the line, trimmed
  double Odds = 0;
  double Stake = 0;
};
// Every line of the text that holds a "." (the header and the empty line hold none).
std::vector<BetLine> ReadBetLines(std::string_view text);

struct StakeSafety {
  // 1 / Σ 1/oᵢ over the bet lines; nothing without lines or with odds of 0 or below.
  std::optional<double> CombinedOdds;
  double TotalStake = 0;
  // The lines whose stake × odds is below TotalStake, in list order.
  std::vector<std::string> Torigami;
};

StakeSafety AssessStakes(const std::vector<BetLine>& lines);

// A value of one decimal as shown and as the command-line tool reports it (half away from
// zero); nothing stays nothing.
std::optional<double> OneDecimal(std::optional<double> v);

// The captions of the bet window: "合成オッズ 1.3" ("合成オッズ -" without a value), the book line
// "ﾌﾞｯｸ 単勝 125.0%  枠連 133.4%  馬連 133.3%" ("-" for a pool without quotes), and the warning:
// "ﾄﾘｶﾞﾐ" followed by one line per bet, or empty when no bet is short.
std::string CombinedOddsCaption(const StakeSafety& s);
std::string BookCaption(const BookPercent& b);
std::string TorigamiWarning(const StakeSafety& s);

}  // namespace tz
