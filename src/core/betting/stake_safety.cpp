#include "betting/stake_safety.h"

#include <algorithm>
#include <cmath>

#include "text/numbers.h"
#include "text/strings.h"

namespace tz {

namespace {

// Adds 1/o of a quoted text to the sum; returns whether the text was a quote.
bool AddQuote(const OddsQuote& odds, double& sum) {
  if (text::Trim(odds.text()).empty()) return false;
  const double o = odds.value();
  if (!(o > 0)) return false;
  sum += 1 / o;
  return true;
}

std::optional<double> Percent(bool quoted, double sum) {
  if (!quoted) return std::nullopt;
  return 100 * sum;
}

std::string OneDecimalText(std::optional<double> v) {
  return v ? text::FormatNumber(*v, "#0.0") : std::string("-");
}

}  // namespace

BookPercent RaceBookPercent(const RaceModel& r) {
  BookPercent b;
  const int n = std::min(r.HorseCount, kMaxHorses);
  double sum = 0;
  bool quoted = false;
  for (int h = 1; h <= n; ++h) quoted |= AddQuote(r.WinOdds[h], sum);
  b.Win = Percent(quoted, sum);

  sum = 0;
  quoted = false;
  for (int i = 1; i <= kMaxBrackets; ++i) {
    for (int j = i; j <= kMaxBrackets; ++j) quoted |= AddQuote(r.BracketQuinellaOdds[i][j], sum);
  }
  b.Bracket = Percent(quoted, sum);

  if (r.CurrentSaleCode != 7) {
    sum = 0;
    quoted = false;
    for (int i = 1; i < n; ++i) {
      for (int j = i + 1; j <= n; ++j) quoted |= AddQuote(r.QuinellaOdds[i][j], sum);
    }
    b.Quinella = Percent(quoted, sum);
  }
  return b;
}

std::vector<BetLine> ReadBetLines(std::string_view input) {
  std::vector<BetLine> lines;
  std::size_t start = 0;
  while (start < input.size()) {
    std::size_t end = input.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = input.size();
    const std::string line = text::Trim(input.substr(start, end - start));
    start = end + 1;
    if (end < input.size() && input[end] == '\r' && start < input.size() && input[start] == '\n') ++start;

    const std::size_t dot = line.find('.');
    if (dot == std::string::npos) continue;
    std::size_t from = line.find_last_of(' ', dot);
    from = from == std::string::npos ? 0 : from + 1;
    std::size_t to = line.find(' ', dot);
    if (to == std::string::npos) to = line.size();
    BetLine bet;
    bet.Text = line;
    bet.Odds = text::Val(std::string_view(line).substr(from, to - from));
    bet.Stake = dot + 2 <= line.size() ? text::Val(std::string_view(line).substr(dot + 2)) : 0;
    lines.push_back(std::move(bet));
  }
  return lines;
}

StakeSafety AssessStakes(const std::vector<BetLine>& lines) {
  StakeSafety s;
  double inverse = 0;
  bool allPositive = !lines.empty();
  for (const BetLine& l : lines) {
    s.TotalStake += l.Stake;
    if (l.Odds > 0) {
      inverse += 1 / l.Odds;
    } else {
      allPositive = false;
    }
  }
  if (allPositive && inverse > 0) s.CombinedOdds = 1 / inverse;
  for (const BetLine& l : lines) {
    if (l.Stake * l.Odds < s.TotalStake) s.Torigami.push_back(l.Text);
  }
  return s;
}

std::optional<double> OneDecimal(std::optional<double> v) {
  if (!v || !std::isfinite(*v)) return std::nullopt;
  return text::Val(text::FormatNumber(*v, "0.0"));
}

std::string CombinedOddsCaption(const StakeSafety& s) {
  return std::string(kCombinedOddsCaption) + " " + OneDecimalText(OneDecimal(s.CombinedOdds));
}

std::string BookCaption(const BookPercent& b) {
  auto pool = [](const char* name, std::optional<double> v) {
    return std::string(name) + " " + (v ? OneDecimalText(v) + "%" : std::string("-"));
  };
  return "ﾌﾞｯｸ " + pool("単勝", b.Win) + "  " + pool("枠連", b.Bracket) + "  " +
         pool("馬連", b.Quinella);
}

std::string TorigamiWarning(const StakeSafety& s) {
  if (s.Torigami.empty()) return {};
  std::string out = kTorigamiCaption;
  for (const std::string& line : s.Torigami) out += "\n" + line;
  return out;
}

}  // namespace tz
