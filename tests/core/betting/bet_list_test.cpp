#include "betting/bet_list.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "analysis/bracket_model.h"
#include "analysis/main_window_model.h"
#include "betting/marking.h"
#include "session.h"
#include "support/fake_port.h"
#include "support/temp_dir.h"
#include "text/files.h"
#include "text/sjis.h"

namespace tz {
namespace {

namespace fs = std::filesystem;
using test::FakePort;
using test::Message;
using test::ReadAll;
using test::TempDir;

const std::string kLabel = "東京 2回 8日  11R";

std::string Line(const std::string& bet, const std::string& odds, const std::string& stake) {
  auto pad = [](const std::string& s, std::size_t w) {
    return std::string(w > s.size() ? w - s.size() : 0, ' ') + s;
  };
  return bet + pad(odds, 7) + pad(stake, 8) + "\r\n";
}

std::string List(const std::vector<std::string>& lines) {
  std::string out = kLabel + "\r\n\r\n";
  for (const std::string& l : lines) out += l;
  return out;
}

// A session with a loaded current day and the bet window open on `text`.
Session WithBetWindow(const std::string& text) {
  Session s;
  s.race.GuideDate = "20030405";
  s.app.Pat98GuideDate = "20030405";
  s.betWindow.Open = true;
  s.betWindow.Text = text;
  s.betWindow.RaceLabel = kLabel;
  s.betWindow.GuideDate = "20030405";
  s.betWindow.Race = 11;
  s.betWindow.SendEnabled = true;
  return s;
}

TEST(BetList, BetTextsByKind) {
  struct Case {
    MarkedBet bet;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {{1, 5, 0, 0, ""}, "単  5   "},
      {{2, 12, 0, 0, ""}, "複 12   "},
      {{3, 1, 8, 0, ""}, "枠  1-8 "},
      {{4, 3, 12, 0, ""}, "馬  3-12"},
      {{5, 10, 11, 0, ""}, "ワ 10-11"},
  };
  for (const Case& c : cases) {
    std::string t = BetText(c.bet);
    EXPECT_EQ(t, c.expected);
    EXPECT_EQ(text::CharCount(t), 7u) << t;
  }
}

TEST(BetList, LinesAreSortedByKindAndNumbersWithTheStake) {
  std::vector<MarkedBet> bets = {
      {5, 7, 2, 130, "3.1"},    // wide, pair given larger first
      {4, 12, 3, 200, "45.6"},  // quinella
      {1, 9, 0, 4, "12.0"},
      {4, 3, 5, 41, "8.8"},
      {2, 9, 0, 4, "2.4"},
      {3, 1, 1, 0, "120.5"},
  };
  std::string text = BetListText(kLabel, bets, 300);
  EXPECT_EQ(text, List({
                      Line("単  9   ", "12.0", "300"),
                      Line("複  9   ", "2.4", "300"),
                      Line("枠  1-1 ", "120.5", "300"),
                      Line("馬  3-5 ", "8.8", "300"),
                      Line("馬  3-12", "45.6", "300"),
                      Line("ワ  2-7 ", "3.1", "300"),
                  }));
}

TEST(BetList, FiftyBetsAtMost) {
  std::vector<MarkedBet> bets;
  for (int a = 1; a <= 18 && bets.size() < 51; ++a) {
    for (int b = a + 1; b <= 18 && bets.size() < 51; ++b) bets.push_back({4, a, b, 18 * (b - 1) + a - 1, "10.0"});
  }
  {
    Session s;
    s.race.GuideDate = "20030405";
    FakePort port;
    EXPECT_FALSE(OpenBetList(s, port, bets, kLabel));
    EXPECT_EQ(port.Errors(), std::vector<std::string>{"５０ベットを超えています。"});
    EXPECT_FALSE(s.betWindow.Open);
  }
  bets.pop_back();
  {
    Session s;
    FakePort port;
    EXPECT_TRUE(OpenBetList(s, port, bets, kLabel));
    EXPECT_TRUE(port.messages.empty());
    EXPECT_EQ(s.betWindow.BetCount, 50);
    EXPECT_EQ(ParseBetList(s.betWindow.Text).size(), 50u);
  }
  {
    Session s;
    FakePort port;
    EXPECT_FALSE(OpenBetList(s, port, {}, kLabel));
    EXPECT_FALSE(s.betWindow.Open);
    EXPECT_TRUE(port.messages.empty());
  }
}

TEST(BetList, OpensInEqualAmountModeWithSendOnlyForTheCurrentDay) {
  struct Case {
    std::string guideDate, pat98Date;
    bool sendEnabled;
  };
  for (const Case& c : std::vector<Case>{{"20030405", "20030405", true},
                                         {"20030329", "20030405", false},
                                         {"20030405", "99999999", false}}) {
    Session s;
    s.race.GuideDate = c.guideDate;
    s.app.Pat98GuideDate = c.pat98Date;
    s.race.CurrentRace = 11;
    s.race.CurrentDayKind = 2;
    s.app.settings.Money = 1500;
    s.betWindow.AllocationMode = kAllocateTargetProfit;
    FakePort port;
    ASSERT_TRUE(OpenBetList(s, port, {{1, 4, 0, 3, "5.5"}}, kLabel));
    EXPECT_EQ(s.betWindow.SendEnabled, c.sendEnabled) << c.guideDate << " " << c.pat98Date;
    EXPECT_EQ(s.betWindow.AllocationMode, kAllocateEqualAmount);
    EXPECT_EQ(s.betWindow.ModeLabel, "均等配分（金額 1,500円）");
    EXPECT_EQ(s.betWindow.Text, List({Line("単  4   ", "5.5", "1500")}));
    EXPECT_TRUE(s.betWindow.AdvanceSale);
    EXPECT_EQ(s.betWindow.Race, 11);
  }
}

// A shown race of five runners and one scratched horse, popularity order 3 1 5 2 4, with its
// odds cells filled and the bracket view built for it.
Session ShownRace(int saleCode = 31) {
  Session s;
  s.app.Pat98GuideDate = s.race.GuideDate = "20030405";
  s.race.CurrentRace = 11;
  s.race.CurrentSaleCode = saleCode;
  s.race.HorseCount = 6;
  s.race.ScratchedCount = 1;
  const int order[] = {0, 3, 1, 5, 2, 4, 6};
  for (int p = 1; p <= 6; ++p) s.race.HorseOrder[p] = order[p];
  auto& mw = s.mainWindow;
  mw.RaceShown = true;
  mw.RowCount = 6;
  mw.RunnerCount = 5;
  mw.lblkai = kLabel;
  const char* win[] = {"", "2.1", "3.5", "7.2", "12.0", "25.3", ""};
  const char* place[] = {"", "1.1", "1.4", "2.0", "3.3", "6.8", ""};
  for (int p = 1; p <= 6; ++p) {
    mw.odztan[p].Text = win[p];
    mw.odzfuk[p].Text = place[p];
  }
  for (int r = 0; r < kMaxHorses; ++r) {
    for (int c = 0; c < kMaxHorses; ++c) {
      mw.odzuma[r][c].Text = std::to_string(10 * r + c) + ".5";
      mw.WideOdz[r][c].Text = std::to_string(r + c) + ".3";
    }
  }
  for (int a = 1; a <= kMaxBrackets; ++a) {
    for (int b = 1; b <= kMaxBrackets; ++b) {
      s.race.BracketQuinellaOdds[a][b] = std::to_string(10 * std::min(a, b) + std::max(a, b)) + ".0";
    }
  }
  BuildBracketView(s);
  return s;
}

TEST(BuildBetList, CollectsEveryMarkedCellOfTheRace) {
  Session s = ShownRace();
  ToggleHighlight(s, 2, 1);                   // win, position 1 = horse 3
  ToggleHighlight(s, 1, 4);                   // place, position 4 = horse 2
  ToggleCell(s, PairMatrix::Quinella, 1, 4);  // positions 2 and 5 = horses 1 and 4
  ToggleCell(s, PairMatrix::Wide, 0, 2);      // positions 1 and 3 = horses 3 and 5
  ToggleCell(s, PairMatrix::Wide, 5, 0);      // the scratched horse's row: not a cell to mark
  ToggleBracketCell(s, 8 * 4 + 1);            // brackets 5 and 2
  FakePort port;
  ASSERT_TRUE(BuildBetList(s, port));
  EXPECT_TRUE(port.messages.empty());
  EXPECT_EQ(s.betWindow.Text, List({
                                  Line("単  3   ", "2.1", "100"),
                                  Line("複  2   ", "3.3", "100"),
                                  Line("枠  2-5 ", "25.0", "100"),
                                  Line("馬  1-4 ", "41.5", "100"),
                                  Line("ワ  3-5 ", "2.3", "100"),
                              }));
  EXPECT_EQ(s.betWindow.RaceLabel, kLabel);
  EXPECT_EQ(s.betWindow.BetCount, 5);
  EXPECT_TRUE(s.betWindow.SendEnabled);
  // The marks stay where they are.
  EXPECT_EQ(s.mainWindow.odztan[1].BackColor, colours::kMark);
  EXPECT_EQ(s.mainWindow.odzuma[4][1].BackColor, colours::kMark);
  EXPECT_TRUE(IsBracketMarked(s.bracketView.Lbodz[8 * 1 + 4]));
}

// Twelve runners of a race sold with bracket quinella only, in popularity order 1..12:
// brackets 1-4 hold one horse, brackets 5-8 two (5-6, 7-8, 9-10, 11-12).
Session TwelveHorseBracketRace() {
  Session s = ShownRace(7);
  s.race.HorseCount = 12;
  s.race.ScratchedCount = 0;
  const int bracketOf[] = {0, 1, 2, 3, 4, 5, 5, 6, 6, 7, 7, 8, 8};
  for (int p = 1; p <= 12; ++p) {
    s.race.HorseOrder[p] = p;
    s.race.HorseBracket[p] = bracketOf[p];
  }
  s.mainWindow.RowCount = s.mainWindow.RunnerCount = 12;
  return s;
}

// The quinella matrix of such a race shows the bracket odds of each pair of horses: a marked
// cell is the bracket bet of the two horses' brackets, never a bracket bet named by the horse
// numbers; cells of the same bracket pair are one bet.
TEST(BuildBetList, SaleCode7BetsTheBracketsOfTheMarkedHorses) {
  Session s = TwelveHorseBracketRace();
  ToggleCell(s, PairMatrix::Quinella, 8, 0);  // horses 9 and 1: brackets 7 and 1
  ToggleCell(s, PairMatrix::Quinella, 9, 0);  // horses 10 and 1: the same bracket pair
  ToggleCell(s, PairMatrix::Quinella, 2, 0);  // horses 3 and 1: brackets 3 and 1
  ToggleCell(s, PairMatrix::Quinella, 5, 4);  // horses 6 and 5: bracket 5 with itself
  s.mainWindow.odztan[12].Text = "45.0";
  ToggleHighlight(s, 2, 12);                  // win, horse 12
  s.bracketView.SaleCode = 31;  // a mark left in the bracket view must not count
  ToggleBracketCell(s, 8 * 4 + 1);
  s.bracketView.SaleCode = 7;
  FakePort port;
  ASSERT_TRUE(BuildBetList(s, port));
  EXPECT_EQ(s.betWindow.Text, List({
                                  Line("単 12   ", "45.0", "100"),
                                  Line("枠  1-3 ", "20.5", "100"),
                                  Line("枠  1-7 ", "80.5", "100"),
                                  Line("枠  5-5 ", "54.5", "100"),
                              }));
  EXPECT_EQ(s.betWindow.BetCount, 4);

  // Every pair of the twelve horses marked: 66 cells, 32 bracket pairs (brackets 1-4 hold one
  // horse each, so 1-1 .. 4-4 do not exist), within the 50 bets a list may hold.
  Session all = TwelveHorseBracketRace();
  for (int r = 0; r < 12; ++r) {
    for (int c = 0; c < r; ++c) ToggleCell(all, PairMatrix::Quinella, r, c);
  }
  ASSERT_TRUE(BuildBetList(all, port));
  EXPECT_TRUE(port.messages.empty());
  EXPECT_EQ(all.betWindow.BetCount, 32);
  EXPECT_EQ(ParseBetList(all.betWindow.Text).size(), 32u);
}

TEST(BuildBetList, BracketMarksOfAnotherRaceAreNotCollected) {
  Session s = ShownRace();
  ToggleBracketCell(s, 8 * 4 + 1);
  ToggleHighlight(s, 2, 2);
  // The next race has other bracket odds; the view still holds the earlier race's marks.
  s.race.BracketQuinellaOdds[2][5] = s.race.BracketQuinellaOdds[5][2] = "31.7";
  FakePort port;
  ASSERT_TRUE(BuildBetList(s, port));
  EXPECT_EQ(s.betWindow.Text, List({Line("単  1   ", "3.5", "100")}));
  EXPECT_FALSE(IsBracketMarked(s.bracketView.Lbodz[8 * 1 + 4]));
}

TEST(BuildBetList, NothingMarkedOpensNothingAndTooManyIsRefused) {
  Session s = ShownRace();
  s.betWindow.Open = true;  // an earlier list is closed first
  s.betWindow.Text = "old";
  FakePort port;
  EXPECT_FALSE(BuildBetList(s, port));
  EXPECT_FALSE(s.betWindow.Open);
  EXPECT_TRUE(port.messages.empty());

  // 10 quinella + 10 wide pairs of the runners, 36 brackets, 5 win and place: 56 bets.
  for (int r = 0; r < 5; ++r) {
    for (int c = 0; c < r; ++c) {
      ToggleCell(s, PairMatrix::Quinella, r, c);
      ToggleCell(s, PairMatrix::Wide, r, c);
    }
  }
  for (int i = 0; i < 8; ++i) {
    for (int j = i; j < 8; ++j) ToggleBracketCell(s, 8 * i + j);
  }
  for (int p = 1; p <= 5; ++p) ToggleHighlight(s, 2, p);
  EXPECT_FALSE(BuildBetList(s, port));
  EXPECT_EQ(port.Errors(), std::vector<std::string>{"５０ベットを超えています。"});
  EXPECT_FALSE(s.betWindow.Open);
}

TEST(BetList, RoundStake) {
  const std::vector<std::pair<double, int>> cases = {
      {665, 700}, {332.5, 300}, {649.99, 600}, {650, 700}, {1428.57, 1400},
      {2857.14, 2900}, {49.9, 100}, {0, 100}, {-20, 100}, {150, 200}, {149.99, 100},
      // Far beyond any stake either way (a budget of -4.5e21 yen came out of a damaged list).
      {-4.5e21, 100}, {-1e300, 100}, {1e300, 2000000000},
  };
  for (auto [yen, stake] : cases) EXPECT_EQ(RoundStake(yen), stake) << yen;
}

TEST(BetList, CombinedOddsIsCutToTwoDecimals) {
  EXPECT_DOUBLE_EQ(*CombinedOdds({2.0, 4.0}), 1.33);
  EXPECT_DOUBLE_EQ(*CombinedOdds({2.0, 2.0}), 1.0);
  EXPECT_DOUBLE_EQ(*CombinedOdds({3.0}), 3.0);
  EXPECT_FALSE(CombinedOdds({2.0, 0.0}).has_value());
  EXPECT_FALSE(CombinedOdds({}).has_value());
}

TEST(BetList, Allocation) {
  const std::string twoBets = List({Line("馬  1-2 ", "2.0", "100"), Line("馬  1-3 ", "4.0", "100")});
  struct Case {
    const char* what;
    std::string text;
    int mode;
    std::int32_t amount;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"equal amount", twoBets, kAllocateEqualAmount, 500,
       List({Line("馬  1-2 ", "2.0", "500"), Line("馬  1-3 ", "4.0", "500")})},
      // F = 1.33, R = 1330: 665 rounds up, 332.5 rounds down.
      {"equal profit", twoBets, kAllocateEqualProfit, 1000,
       List({Line("馬  1-2 ", "2.0", "700"), Line("馬  1-3 ", "4.0", "300")})},
      // c = 10 - (1 + 2) = 7, k = 1428.57.
      {"target profit", List({Line("馬  1-2 ", "10.0", "100"), Line("ワ  1-2 ", "5.0", "100")}),
       kAllocateTargetProfit, 10000,
       List({Line("馬  1-2 ", "10.0", "1400"), Line("ワ  1-2 ", "5.0", "2900")})},
      {"a last line without CR LF is read like the others",
       kLabel + "\r\n\r\n" + Line("単  1   ", "2.0", "100") + "単  2       4.0     100", kAllocateEqualProfit,
       1000, List({Line("単  1   ", "2.0", "700"), Line("単  2   ", "4.0", "300")})},
      {"a line without stake", kLabel + "\r\n\r\n単  1       2.0\r\n単  2       4.0", kAllocateEqualAmount, 100,
       List({Line("単  1   ", "2.0", "100"), Line("単  2   ", "4.0", "100")})},
      {"surrounding blanks are trimmed and lines without odds after the last bet dropped",
       "  " + twoBets + "memo\r\n  ", kAllocateEqualAmount, 200,
       List({Line("馬  1-2 ", "2.0", "200"), Line("馬  1-3 ", "4.0", "200")})},
      {"edited line ends", kLabel + "\n\n馬  1-2     2.0     100\n馬  1-3     4.0     100\n",
       kAllocateEqualProfit, 1000, List({Line("馬  1-2 ", "2.0", "700"), Line("馬  1-3 ", "4.0", "300")})},
      {"a stake below 50 yen becomes 100 yen", List({Line("単  1   ", "2.0", "100"), Line("単  2   ", "999.9", "100")}),
       kAllocateEqualProfit, 1000, List({Line("単  1   ", "2.0", "1000"), Line("単  2   ", "999.9", "100")})},
      {"no line with odds gives an empty text", kLabel + "\r\n\r\n", kAllocateEqualProfit, 1000, ""},
  };
  for (const Case& c : cases) {
    AllocationResult r = AllocateText(c.text, c.mode, c.amount);
    EXPECT_TRUE(r.Ok) << c.what << ": " << r.Message;
    EXPECT_EQ(r.Text, c.expected) << c.what;
  }
}

TEST(BetList, RefusedAllocationsLeaveTheTextAndShowTheMessage) {
  struct Case {
    const char* what;
    std::string text;
    int mode;
    std::int32_t amount;
    std::string message;
  };
  std::vector<std::string> manyLines;
  for (int i = 0; i < 52; ++i) manyLines.push_back(Line("単  1   ", "2.0", "100"));
  const std::vector<Case> cases = {
      {"c = 0", List({Line("単  1   ", "2.0", "100"), Line("単  2   ", "2.0", "100")}), kAllocateTargetProfit,
       10000, "目標利益は実現できません。"},
      {"c below 0", List({Line("単  1   ", "2.0", "100"), Line("単  2   ", "1.5", "100")}), kAllocateTargetProfit,
       10000, "目標利益は実現できません。"},
      // c = 1.1 - (1 + 0.011) = 0.089: 900,000 / 0.089 yen on the first bet.
      {"stake above the limit", List({Line("単  1   ", "1.1", "100"), Line("単  2   ", "100.0", "100")}),
       kAllocateTargetProfit, 900000, "限度額を超過しています。"},
      {"odds of 0 in equal profit", List({Line("単  1   ", "0.0", "100"), Line("単  2   ", "4.0", "100")}),
       kAllocateEqualProfit, 1000, "0 で除算しました。"},
      {"more than 51 lines", List(manyLines), kAllocateEqualAmount, 100, "インデックスが有効範囲にありません。"},
  };
  for (const Case& c : cases) {
    Session s = WithBetWindow(c.text);
    s.app.AppTitle = "Tazuna98";
    (c.mode == kAllocateTargetProfit ? s.app.settings.Profit
     : c.mode == kAllocateEqualProfit ? s.app.settings.Limit
                                      : s.app.settings.Money) = c.amount;
    FakePort port;
    EXPECT_FALSE(ApplyAllocationMode(s, port, c.mode)) << c.what;
    EXPECT_EQ(s.betWindow.Text, c.text) << c.what;
    ASSERT_EQ(port.messages.size(), 1u) << c.what;
    EXPECT_EQ(port.messages[0].text, c.message) << c.what;
    EXPECT_EQ(port.messages[0].title, "Tazuna98");
    EXPECT_EQ(port.messages[0].buttons, Buttons::Ok);
    EXPECT_EQ(s.betWindow.AllocationMode, c.mode);
  }
}

TEST(BetList, ModeButtonCyclesThroughTheModesWithTheirLabels) {
  Session s = WithBetWindow(List({Line("馬  1-2 ", "10.0", "100"), Line("ワ  1-2 ", "5.0", "100")}));
  s.app.settings.Money = 200;
  s.app.settings.Limit = 3000;
  s.app.settings.Profit = 10000;
  FakePort port;
  ASSERT_TRUE(NextAllocationMode(s, port));
  EXPECT_EQ(s.betWindow.ModeLabel, "均等利益（資金 3,000円）");
  // F = 50 / 15 = 3.33, R = 9990: 999 and 1998.
  EXPECT_EQ(s.betWindow.Text, List({Line("馬  1-2 ", "10.0", "1000"), Line("ワ  1-2 ", "5.0", "2000")}));
  ASSERT_TRUE(NextAllocationMode(s, port));
  EXPECT_EQ(s.betWindow.ModeLabel, "目標利益（利益 10,000円）");
  EXPECT_EQ(s.betWindow.Text, List({Line("馬  1-2 ", "10.0", "1400"), Line("ワ  1-2 ", "5.0", "2900")}));
  ASSERT_TRUE(NextAllocationMode(s, port));
  EXPECT_EQ(s.betWindow.AllocationMode, kAllocateEqualAmount);
  EXPECT_EQ(s.betWindow.ModeLabel, "均等配分（金額 200円）");
  EXPECT_EQ(s.betWindow.Text, List({Line("馬  1-2 ", "10.0", "200"), Line("ワ  1-2 ", "5.0", "200")}));
  EXPECT_TRUE(port.messages.empty());
}

TEST(BetList, AmountDialogStoresHundredsWithinRange) {
  struct Case {
    std::string capital, limit, profit;
    std::int32_t money, limitYen, profitYen;
  };
  const std::vector<Case> cases = {
      {"1550", "2099", "12345", 1500, 2000, 12300},
      {"50", "0", "abc", 100, 100, 100},
      {"400000", "300100", "1000000", 300000, 300000, 900000},
      {" 700", "-500", "900000", 700, 100, 900000},
  };
  for (const Case& c : cases) {
    Session s;
    OpenAmountDialog(s);
    EXPECT_TRUE(s.betWindow.AmountDialogOpen);
    EXPECT_EQ(s.betWindow.Amount.MoneyCapital, "100");
    EXPECT_EQ(s.betWindow.Amount.MoneyLimit, "1000");
    EXPECT_EQ(s.betWindow.Amount.ProfitTarget, "10000");
    s.betWindow.Amount.MoneyCapital = c.capital;
    s.betWindow.Amount.MoneyLimit = c.limit;
    s.betWindow.Amount.ProfitTarget = c.profit;
    ApplyAmountDialog(s);
    EXPECT_FALSE(s.betWindow.AmountDialogOpen);
    EXPECT_EQ(s.app.settings.Money, c.money) << c.capital;
    EXPECT_EQ(s.app.settings.Limit, c.limitYen) << c.limit;
    EXPECT_EQ(s.app.settings.Profit, c.profitYen) << c.profit;
  }
  Session s;
  OpenAmountDialog(s);
  s.betWindow.Amount.MoneyCapital = "5000";
  CancelAmountDialog(s);
  EXPECT_EQ(s.app.settings.Money, 100);
}

TEST(SendBetList, RefusesBadStakes) {
  struct Case {
    const char* what;
    std::string text;
    std::string message;
  };
  const std::vector<Case> cases = {
      {"300,100 yen", List({Line("単  1   ", "2.0", "300000"), Line("単  2   ", "4.0", "100")}),
       "投票可能金額を 100円 超えています。"},
      {"not in 100-yen units", List({Line("単  1   ", "2.0", "150"), Line("単  2   ", "4.0", "100")}),
       "馬券の発売は１００円単位です。"},
      // A negative stake would otherwise lower the total under the limit.
      {"negative stake", List({Line("単  1   ", "2.0", "300000"), Line("単  2   ", "4.0", "-100"),
                               Line("単  3   ", "4.0", "100")}),
       "馬券の発売は１００円単位です。"},
      // A bet line whose odds were deleted from the text still has its stake checked.
      {"5,000,000 yen without odds", List({Line("単  6   ", "", "5000000")}),
       "投票可能金額を 4700000円 超えています。"},
      {"no odds, not in 100-yen units",
       List({Line("単  1   ", "2.0", "100"), Line("馬  3-8 ", "", "150")}),
       "馬券の発売は１００円単位です。"},
  };
  for (const Case& c : cases) {
    TempDir dir;
    Session s = WithBetWindow(c.text);
    s.app.BetFolder = dir.path();
    FakePort port;
    EXPECT_EQ(SendBetList(s, port), SendResult::Refused) << c.what;
    EXPECT_EQ(port.Errors(), std::vector<std::string>{c.message}) << c.what;
    EXPECT_TRUE(text::ListFolder(dir.path(), "*").empty()) << c.what;
  }
}

TEST(SendBetList, ConfirmsThenWritesTheNextFile) {
  TempDir dir;
  dir.Write("03040501.BET", "");
  const std::string text = List({Line("馬  1-2 ", "2.0", "700"), Line("馬  1-3 ", "4.0", "300")});
  Session s = WithBetWindow(text);
  s.app.BetFolder = dir.path();
  FakePort port;
  port.answers = {Answer::Cancel};
  EXPECT_EQ(SendBetList(s, port), SendResult::Cancelled);
  ASSERT_EQ(port.messages.size(), 1u);
  const Message& q = port.messages[0];
  EXPECT_EQ(q.kind, Message::Question);
  EXPECT_EQ(q.buttons, Buttons::OkCancel);
  EXPECT_EQ(q.icon, Icon::Info);
  EXPECT_EQ(q.text, kLabel + " の勝馬投票を送出します。\n\n        投票金額  1000 円\n\n        期待値     1.33");
  EXPECT_EQ(text::ListFolder(dir.path(), "*").size(), 1u);

  port.answers = {Answer::Ok};
  EXPECT_EQ(SendBetList(s, port), SendResult::Written);
  EXPECT_EQ(ReadAll(dir / "03040502.BET"), text::EncodeSjis(text + "\r\n"));
  EXPECT_EQ(s.betWindow.LastBetFile, "03040502.BET");
}

TEST(SendBetList, CombinedOddsTakesOddsBelowOneAsOne) {
  EXPECT_EQ(SendConfirmationText("L", 200, 1), "L の勝馬投票を送出します。\n\n        投票金額  200 円\n\n        期待値     1");
  Session s = WithBetWindow(List({Line("複  1   ", "0.5", "100"), Line("複  2   ", "0.5", "100")}));
  FakePort port;
  port.answers = {Answer::Cancel};
  EXPECT_EQ(SendBetList(s, port), SendResult::Cancelled);
  ASSERT_EQ(port.messages.size(), 1u);
  EXPECT_NE(port.messages[0].text.find("期待値     0.5"), std::string::npos);
}

TEST(SendBetList, NothingToSendAndNoFolder) {
  {
    Session s = WithBetWindow(kLabel + "\r\n\r\n");
    FakePort port;
    EXPECT_EQ(SendBetList(s, port), SendResult::NoBets);
    EXPECT_TRUE(port.messages.empty());
  }
  {
    Session s = WithBetWindow(List({Line("単  1   ", "2.0", "100")}));
    FakePort port;
    EXPECT_EQ(SendBetList(s, port), SendResult::NoFolder);
    ASSERT_EQ(port.Errors().size(), 1u);
    EXPECT_EQ(port.Errors()[0], "BETﾌｧｲﾙ送出ﾌｫﾙﾀﾞが指定されていません。\n\n");
  }
}

TEST(SendBetList, RefusedWhenTheDayIsNotPat98sCurrentDay) {
  TempDir dir;
  Session s;
  s.race.GuideDate = "20030329";
  s.app.Pat98GuideDate = "20030405";
  s.app.BetFolder = dir.path();
  FakePort port;
  ASSERT_TRUE(OpenBetList(s, port, {{1, 4, 0, 3, "5.5"}}, kLabel));
  EXPECT_FALSE(s.betWindow.SendEnabled);
  EXPECT_EQ(SendBetList(s, port), SendResult::Disabled);
  EXPECT_EQ(port.Errors().size(), 1u);
  EXPECT_TRUE(text::ListFolder(dir.path(), "*").empty());
}

}  // namespace
}  // namespace tz
