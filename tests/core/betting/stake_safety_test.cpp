#include "betting/stake_safety.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "betting/bet_list.h"
#include "session.h"
#include "support/fake_port.h"
#include "text/numbers.h"

namespace tz {
namespace {

using test::FakePort;

std::string Pad(const std::string& s, std::size_t w) {
  return std::string(w > s.size() ? w - s.size() : 0, ' ') + s;
}

// A bet list as the bet window holds it: header, empty line, 22-character lines.
std::string List(const std::vector<std::pair<std::string, std::string>>& oddsAndStakes) {
  std::string out = "東京 2回 8日  11R\r\n\r\n";
  int horse = 1;
  for (const auto& [odds, stake] : oddsAndStakes) {
    out += "単 " + Pad(std::to_string(horse++), 2) + "   " + Pad(odds, 7) + Pad(stake, 8) + "\r\n";
  }
  return out;
}

TEST(StakeSafety, ReadsOddsAndStakeOfEveryBetLine) {
  // The header and the empty line hold no "."; a last line without CR LF still counts, and a
  // text edited with LF only reads the same.
  const std::string text = "東京 2回 8日  11R\r\n\r\n馬  3-12   45.6     300\r\nワ  2-7     3.1    1200";
  const std::vector<BetLine> lines = ReadBetLines(text);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].Text, "馬  3-12   45.6     300");
  EXPECT_DOUBLE_EQ(lines[0].Odds, 45.6);
  EXPECT_DOUBLE_EQ(lines[0].Stake, 300);
  EXPECT_DOUBLE_EQ(lines[1].Odds, 3.1);
  EXPECT_DOUBLE_EQ(lines[1].Stake, 1200);

  std::string lf = text;
  for (std::size_t at; (at = lf.find("\r\n")) != std::string::npos;) lf.erase(at, 1);
  const std::vector<BetLine> again = ReadBetLines(lf);
  ASSERT_EQ(again.size(), 2u);
  EXPECT_EQ(again[1].Text, lines[1].Text);
  EXPECT_DOUBLE_EQ(again[1].Stake, 1200);
}

// Hand-worked lists: 合成オッズ = 1 / Σ 1/o, total, and the bets whose return is below the total.
TEST(StakeSafety, CombinedOddsAndTorigamiOfHandWorkedLists) {
  struct Case {
    const char* name;
    std::vector<std::pair<std::string, std::string>> bets;
    std::optional<double> combined;  // one decimal
    double total;
    std::vector<int> shortBets;  // 0-based indexes of the ﾄﾘｶﾞﾐ bets
  };
  const std::vector<Case> cases = {
      // 1 / (1/2 + 1/4) = 1.333; the equal-return stakes of 1,000 yen return 1,400 and 1,200.
      {"equal return 2.0 and 4.0", {{"2.0", "700"}, {"4.0", "300"}}, 1.3, 1000, {}},
      // A return equal to the total is no loss: 2.0 x 100 = 200 of 200.
      {"return equals total", {{"2.0", "100"}, {"4.0", "100"}}, 1.3, 200, {}},
      // 1 / (1/1.5 + 1/3 + 1/10) = 0.909: the favourite at 1.5 returns 150 of 300.
      {"short favourite", {{"1.5", "100"}, {"3.0", "100"}, {"10.0", "100"}}, 0.9, 300, {0}},
      // Equal stakes on long shots: every hit pays, 1 / (3/20) = 6.7.
      {"long shots", {{"20.0", "500"}, {"20.0", "500"}, {"20.0", "500"}}, 6.7, 1500, {}},
      // Heavy stake on the favourite, small ones elsewhere: 8.0 x 100 = 800 < 1,200.
      {"thin outsiders", {{"1.2", "1000"}, {"8.0", "100"}, {"30.0", "100"}}, 1.0, 1200, {1}},
      // A stake of 0 returns nothing; odds of 0 leave the combined odds undefined.
      {"zero stake", {{"5.0", "0"}, {"5.0", "500"}}, 2.5, 500, {0}},
      {"zero odds", {{"0.0", "100"}, {"5.0", "100"}}, std::nullopt, 200, {0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<BetLine> lines = ReadBetLines(List(c.bets));
    const StakeSafety s = AssessStakes(lines);
    EXPECT_EQ(OneDecimal(s.CombinedOdds), c.combined);
    EXPECT_DOUBLE_EQ(s.TotalStake, c.total);
    std::vector<std::string> expected;
    for (int i : c.shortBets) expected.push_back(lines[i].Text);
    EXPECT_EQ(s.Torigami, expected);
  }
}

TEST(StakeSafety, Captions) {
  const StakeSafety s = AssessStakes(ReadBetLines(List({{"1.5", "100"}, {"3.0", "100"}, {"10.0", "100"}})));
  EXPECT_EQ(CombinedOddsCaption(s), "合成オッズ 0.9");
  EXPECT_EQ(TorigamiWarning(s), "ﾄﾘｶﾞﾐ\n単  1       1.5     100");
  EXPECT_EQ(CombinedOddsCaption(AssessStakes({})), "合成オッズ -");
  EXPECT_EQ(TorigamiWarning(AssessStakes({})), "");

  BookPercent b;
  b.Win = 125.04;
  b.Bracket = 133.35;
  EXPECT_EQ(BookCaption(b), "ﾌﾞｯｸ 単勝 125.0%  枠連 133.4%  馬連 -");
}

// The book percentage of a small race worked out by hand: 4 horses (one scratched), brackets 1
// to 4 with one horse each.
TEST(StakeSafety, BookPercentOfEachPool) {
  RaceModel r;
  r.HorseCount = 4;
  r.CurrentSaleCode = 31;
  r.WinOdds[1] = "  1.5";
  r.WinOdds[2] = "  3.0";
  r.WinOdds[3] = "  6.0";  // 1/1.5 + 1/3 + 1/6 = 1.1667
  r.WinOdds[4] = "";       // scratched: not a quote
  auto both = [](auto& table, int i, int j, const std::string& v) { table[i][j] = table[j][i] = v; };
  both(r.BracketQuinellaOdds, 1, 2, "  2.0");
  both(r.BracketQuinellaOdds, 1, 3, "  4.0");
  both(r.BracketQuinellaOdds, 2, 3, "  8.0");
  both(r.BracketQuinellaOdds, 3, 3, "999.9");  // quoted 0.0 still counts: 1/999.9
  both(r.QuinellaOdds, 1, 2, "   2.5");
  both(r.QuinellaOdds, 1, 3, "   5.0");
  both(r.QuinellaOdds, 2, 3, "  10.0");  // 0.4 + 0.2 + 0.1 = 0.7
  both(r.QuinellaOdds, 1, 4, "");

  BookPercent b = RaceBookPercent(r);
  ASSERT_TRUE(b.Win && b.Bracket && b.Quinella);
  EXPECT_NEAR(*b.Win, 116.6667, 1e-3);
  EXPECT_NEAR(*b.Bracket, 100 * (0.5 + 0.25 + 0.125 + 1 / 999.9), 1e-9);
  EXPECT_NEAR(*b.Quinella, 70.0, 1e-9);
  EXPECT_EQ(OneDecimal(b.Win), 116.7);

  // Sold with bracket quinella only, the quinella table holds bracket odds: no quinella pool.
  r.CurrentSaleCode = 7;
  b = RaceBookPercent(r);
  EXPECT_FALSE(b.Quinella);
  EXPECT_TRUE(b.Bracket);

  // A race without any quote in a pool has no book for it.
  RaceModel empty;
  empty.HorseCount = 8;
  b = RaceBookPercent(empty);
  EXPECT_FALSE(b.Win || b.Bracket || b.Quinella);
}

// The equal-return allocation gives every bet about the same return R = capital x F. Rounding
// moves a stake by at most 50 yen (the floor of 100 yen lifts it by less than 100), so whenever
// R - 50 x (the longest odds) still covers the capital plus 100 yen per bet no hit can return
// less than the stakes: over a grid of odds lists, those lists must never warn.
TEST(StakeSafety, EqualReturnAllocationNeverWarnsWhenItsOddsAllowIt) {
  const std::vector<double> prices = {1.4, 2.2, 3.5, 5.8, 9.1, 14.6, 27.0, 48.5};
  const std::vector<std::int32_t> capitals = {1000, 5000, 30000};
  int covered = 0, warned = 0;
  for (std::size_t n = 1; n <= 5; ++n) {
    for (std::size_t first = 0; first + n <= prices.size(); ++first) {
      std::vector<std::pair<std::string, std::string>> bets;
      for (std::size_t k = 0; k < n; ++k) {
        bets.push_back({text::FormatNumber(prices[first + k], "0.0"), "100"});
      }
      const std::string text = List(bets);
      for (std::int32_t capital : capitals) {
        const AllocationResult r = AllocateText(text, kAllocateEqualProfit, capital);
        ASSERT_TRUE(r.Ok);
        std::vector<double> odds;
        for (const BetLine& l : ReadBetLines(r.Text)) odds.push_back(l.Odds);
        const double f = *CombinedOdds(odds);
        const double longest = prices[first + n - 1];
        const StakeSafety s = AssessStakes(ReadBetLines(r.Text));
        if (capital * f - 50 * longest >= capital + 100.0 * n) {
          ++covered;
          EXPECT_TRUE(s.Torigami.empty()) << r.Text;
        }
        warned += s.Torigami.empty() ? 0 : 1;
      }
    }
  }
  EXPECT_GT(covered, 20);  // the condition is met often enough to mean something
  EXPECT_GT(warned, 0);    // and lists whose odds do not allow it do warn
}

// The bet window keeps the captions in step with its text: built, after a mode, after an edit.
TEST(StakeSafety, BetWindowFollowsTheStakes) {
  Session s;
  s.race.GuideDate = s.app.Pat98GuideDate = "20030405";
  s.race.HorseCount = 3;
  s.race.CurrentSaleCode = 31;
  s.race.WinOdds[1] = "  2.0";
  s.race.WinOdds[2] = "  4.0";
  s.race.WinOdds[3] = "  4.0";
  s.app.settings.Money = 100;
  s.app.settings.Limit = 1000;
  FakePort port;
  const std::vector<MarkedBet> bets = {{1, 1, 0, 0, "2.0"}, {1, 2, 0, 1, "4.0"}, {1, 3, 0, 2, "4.0"}};
  ASSERT_TRUE(OpenBetList(s, port, bets, "東京 2回 8日  11R"));
  BetWindowModel& w = s.betWindow;
  EXPECT_EQ(w.BookLabel, "ﾌﾞｯｸ 単勝 100.0%  枠連 -  馬連 -");
  // 1 / (1/2 + 1/4 + 1/4) = 1.0; equal stakes of 100: the 2.0 bet returns 200 of 300.
  EXPECT_EQ(w.CombinedOddsLabel, "合成オッズ 1.0");
  EXPECT_EQ(w.Safety.Torigami.size(), 1u);
  EXPECT_NE(w.TorigamiLabel.find("単  1"), std::string::npos);

  // Equal return with 1,000 yen: 500, 250 -> 300 (rounded), 300: 1,000, 1,200, 1,200 of 1,100.
  ASSERT_TRUE(ApplyAllocationMode(s, port, kAllocateEqualProfit));
  EXPECT_EQ(w.Safety.TotalStake, 1100);
  ASSERT_EQ(w.Safety.Torigami.size(), 1u);
  EXPECT_NE(w.Safety.Torigami[0].find("2.0"), std::string::npos);

  // The user lifts the first stake to 600 by hand: every hit covers the 1,200 total.
  const std::size_t at = w.Text.find("     500");
  ASSERT_NE(at, std::string::npos);
  w.Text.replace(at, 8, "     600");
  UpdateStakeSafety(w);
  EXPECT_EQ(w.Safety.TotalStake, 1200);
  EXPECT_TRUE(w.Safety.Torigami.empty());
  EXPECT_EQ(w.TorigamiLabel, "");
}

}  // namespace
}  // namespace tz
