#include "betting/bet_list.h"

#include <algorithm>
#include <cmath>
#include <fmt/format.h>

#include "betting/bet_file.h"
#include "betting/stake_safety.h"
#include "session.h"
#include "text/files.h"
#include "text/numbers.h"
#include "text/strings.h"

namespace tz {

namespace {

// Runtime error texts shown when an allocation cannot be computed.
constexpr const char* kDivisionByZero = "0 で除算しました。";
constexpr const char* kOverflow = "オーバーフローしました。";
constexpr const char* kTooManyLines = "インデックスが有効範囲にありません。";

// The allocation modes read at most this many bet lines (the 50 bets of a built list and one
// spare line the user may have added).
constexpr std::size_t kMaxParsedLines = 51;

std::string Two(int n) { return text::FormatNumber(n, "00"); }

std::string ItemKey(const MarkedBet& b) {
  return std::to_string(b.Kind) + Two(b.First) + Two(b.Second) + text::FormatNumber(b.CellIndex, "000");
}

// The bet list as the modes and the send command read it: CR LF line ends (as the text box
// keeps them), trimmed of leading and trailing blanks.
std::string Prepared(std::string_view text) { return text::Trim(text::WithCrLf(text)); }

// A line that starts with the mark of a bet kind, as every bet line of the list does.
bool IsBetKindLine(std::string_view line) {
  for (std::string_view mark : {"単", "複", "枠", "馬", "ワ"}) {
    if (line.substr(0, mark.size()) == mark) return true;
  }
  return false;
}

// The stake of a bet line without odds: its last blank-separated field after the kind and the
// numbers ("単  6            5000000"); 0 when there is none.
double LastFieldStake(std::string_view line) {
  const std::string trimmed = text::Trim(line);
  const std::size_t blank = trimmed.find_last_of(' ');
  if (blank == std::string::npos) return 0;
  const std::string before = text::Trim(std::string_view(trimmed).substr(0, blank));
  // "単  6" alone: the kind and the horse, no stake.
  if (before.find(' ') == std::string::npos) return 0;
  return text::Val(std::string_view(trimmed).substr(blank + 1));
}

std::string StakeField(std::int64_t stake) {
  return text::FormatText(std::to_string(stake), "@@@@@@@@");
}

void ShowOk(UserPort& port, std::string_view title, std::string_view text) {
  port.Ask(title, text, Buttons::Ok, Icon::None, Answer::Ok);
}

std::int32_t& AmountOf(Session& s, int mode) {
  Settings& st = s.app.settings;
  return mode == kAllocateEqualProfit ? st.Limit : mode == kAllocateTargetProfit ? st.Profit : st.Money;
}

}  // namespace

std::string BetText(const MarkedBet& bet) {
  const std::string first = text::FormatText(std::to_string(bet.First), "@@");
  const std::string second = text::FormatText(std::to_string(bet.Second), "@@!");
  switch (bet.Kind) {
    case 1: return "単 " + first + "   ";
    case 2: return "複 " + first + "   ";
    case 3: return "枠 " + first + "-" + second;
    case 4: return "馬 " + first + "-" + second;
    default: return "ワ " + first + "-" + second;
  }
}

std::string BetListText(std::string_view raceLabel, std::vector<MarkedBet> bets, std::int32_t stake) {
  for (MarkedBet& b : bets) {
    if (b.Kind >= 3 && b.Second < b.First) std::swap(b.First, b.Second);
  }
  // Exchange sort on the item keys; keys differ in the cell index, so the order is total.
  std::vector<std::string> keys;
  keys.reserve(bets.size());
  for (const MarkedBet& b : bets) keys.push_back(ItemKey(b));
  for (std::size_t a = 0; a < bets.size(); ++a) {
    for (std::size_t b = a + 1; b < bets.size(); ++b) {
      if (keys[b] < keys[a]) {
        std::swap(keys[a], keys[b]);
        std::swap(bets[a], bets[b]);
      }
    }
  }
  std::string out(raceLabel);
  out += "\r\n\r\n";
  for (const MarkedBet& b : bets) {
    out += BetText(b);
    out += text::FormatText(b.OddsText, "@@@@@@@");
    out += StakeField(stake);
    out += "\r\n";
  }
  return out;
}

bool OpenBetList(Session& s, UserPort& port, const std::vector<MarkedBet>& bets,
                 std::string_view raceLabel) {
  CloseBetWindow(s);
  if (static_cast<int>(bets.size()) > kMaxBets) {
    port.Error(s.app.AppTitle, "５０ベットを超えています。");
    return false;
  }
  if (bets.empty()) return false;
  BetWindowModel& w = s.betWindow;
  const std::int32_t stake = s.app.settings.Money;
  w.Text = BetListText(raceLabel, bets, stake);
  w.AllocationMode = kAllocateEqualAmount;
  w.ModeLabel = AllocationModeLabel(kAllocateEqualAmount, stake);
  w.RaceLabel = std::string(raceLabel);
  w.GuideDate = s.race.GuideDate;
  w.Race = s.race.CurrentRace;
  w.AdvanceSale = s.race.CurrentDayKind == 2;
  w.BetCount = static_cast<int>(bets.size());
  w.SendEnabled = !s.race.GuideDate.empty() && s.race.GuideDate == s.app.Pat98GuideDate;
  w.LastBetFile.clear();
  w.Book = RaceBookPercent(s.race);
  w.BookLabel = BookCaption(w.Book);
  UpdateStakeSafety(w);
  w.Open = true;
  return true;
}

void UpdateStakeSafety(BetWindowModel& w) {
  w.Safety = AssessStakes(ReadBetLines(w.Text));
  w.CombinedOddsLabel = CombinedOddsCaption(w.Safety);
  w.TorigamiLabel = TorigamiWarning(w.Safety);
}

void CloseBetWindow(Session& s) {
  s.betWindow = BetWindowModel{};
}

// ---- Allocation ----------------------------------------------------------------------------

std::vector<ParsedBetLine> ParseBetList(std::string_view input) {
  const std::string text = Prepared(input);
  std::vector<ParsedBetLine> lines;
  std::size_t start = 0;
  std::size_t dot = text.find('.');
  while (dot != std::string::npos) {
    // The odds token runs from the blank before the "." to the blank (or line end) after it.
    std::size_t endOdds = text.find_first_of(" \r\n", dot);
    if (endOdds == std::string::npos) endOdds = text.size();
    std::size_t startOdds = text.find_last_of(" \n", dot);
    startOdds = (startOdds == std::string::npos || startOdds < start) ? start : startOdds + 1;
    std::size_t endLine = text.find("\r\n", dot);
    ParsedBetLine line;
    line.Kept = text.substr(start, endOdds - start);
    line.Odds = text::Val(std::string_view(text).substr(startOdds, endOdds - startOdds));
    lines.push_back(std::move(line));
    if (endLine == std::string::npos) break;
    start = endLine + 2;
    dot = text.find('.', start);
  }
  return lines;
}

std::int32_t RoundStake(double yen) {
  double n = std::trunc(yen);
  if (!(n < 1e12)) n = 1e12;  // far above any stake that can be sent
  if (n < 0) n = 0;           // no stake at all: the least one below
  auto whole = static_cast<std::int64_t>(n);
  std::int64_t units = whole / 100;
  if (whole % 100 >= 50) ++units;
  if (units < 1) units = 1;
  return static_cast<std::int32_t>(std::min<std::int64_t>(units * 100, 2000000000));
}

std::optional<double> CombinedOdds(const std::vector<double>& odds) {
  if (odds.empty()) return std::nullopt;
  for (double o : odds) {
    if (o == 0) return std::nullopt;
  }
  // 1 / sum(1 / o), computed through the product of the odds as P / sum(P / o) so that the
  // usual odds give exactly the values punters work out by hand.
  double product = 1;
  for (double o : odds) product *= o;
  double f;
  if (std::isfinite(product) && product != 0) {
    double sum = 0;
    for (double o : odds) sum += product / o;
    f = product / sum;
  } else {
    double sum = 0;
    for (double o : odds) sum += 1 / o;
    f = 1 / sum;
  }
  if (!std::isfinite(f)) return std::nullopt;
  return std::trunc(100 * f) / 100;
}

std::string AllocationModeLabel(int mode, std::int32_t amount) {
  const std::string yen = text::FormatNumber(amount, "###,##0");
  switch (mode) {
    case kAllocateEqualProfit: return "均等利益（資金 " + yen + "円）";
    case kAllocateTargetProfit: return "目標利益（利益 " + yen + "円）";
    default: return "均等配分（金額 " + yen + "円）";
  }
}

AllocationResult AllocateText(std::string_view text, int mode, std::int32_t amount) {
  AllocationResult result;
  const std::vector<ParsedBetLine> lines = ParseBetList(text);
  if (lines.size() > kMaxParsedLines) {
    result.Message = kTooManyLines;
    return result;
  }
  std::vector<double> stakes(lines.size(), 0);
  if (mode == kAllocateEqualProfit) {
    std::vector<double> odds;
    for (const ParsedBetLine& l : lines) odds.push_back(l.Odds);
    if (!lines.empty()) {
      for (double o : odds) {
        if (o == 0) {
          result.Message = kDivisionByZero;
          return result;
        }
      }
      std::optional<double> f = CombinedOdds(odds);
      if (!f) {
        result.Message = kOverflow;
        return result;
      }
      const double target = amount * *f;
      for (std::size_t i = 0; i < lines.size(); ++i) stakes[i] = RoundStake(target / odds[i]);
    }
  } else if (mode == kAllocateTargetProfit) {
    if (!lines.empty()) {
      const double first = lines[0].Odds;
      std::vector<double> ratio;
      double sum = 0;
      for (const ParsedBetLine& l : lines) {
        ratio.push_back(l.Odds == 0 ? 0 : first / l.Odds);
        sum += ratio.back();
      }
      const double c = first - sum;
      if (!(c > 0)) {
        result.Message = "目標利益は実現できません。";
        return result;
      }
      const double k = amount / c;
      for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!std::isfinite(k * ratio[i])) {
          result.Message = kOverflow;
          return result;
        }
        stakes[i] = RoundStake(k * ratio[i]);
      }
      for (double st : stakes) {
        if (st > kMaxStake) {
          result.Message = "限度額を超過しています。";
          return result;
        }
      }
    }
  } else {
    std::fill(stakes.begin(), stakes.end(), amount);
  }
  for (std::size_t i = 0; i < lines.size(); ++i) {
    result.Text += lines[i].Kept;
    result.Text += StakeField(static_cast<std::int64_t>(stakes[i]));
    result.Text += "\r\n";
  }
  result.Ok = true;
  return result;
}

bool ApplyAllocationMode(Session& s, UserPort& port, int mode) {
  if (mode < kAllocateEqualAmount || mode > kAllocateTargetProfit) mode = kAllocateEqualAmount;
  BetWindowModel& w = s.betWindow;
  const std::int32_t amount = AmountOf(s, mode);
  w.AllocationMode = mode;
  w.ModeLabel = AllocationModeLabel(mode, amount);
  AllocationResult r = AllocateText(w.Text, mode, amount);
  if (!r.Ok) {
    ShowOk(port, s.app.AppTitle, r.Message);
    return false;
  }
  w.Text = std::move(r.Text);
  UpdateStakeSafety(w);
  return true;
}

bool AllocateEqualAmount(Session& s, UserPort& port) {
  return ApplyAllocationMode(s, port, kAllocateEqualAmount);
}
bool AllocateEqualProfit(Session& s, UserPort& port) {
  return ApplyAllocationMode(s, port, kAllocateEqualProfit);
}
bool AllocateTargetProfit(Session& s, UserPort& port) {
  return ApplyAllocationMode(s, port, kAllocateTargetProfit);
}

bool NextAllocationMode(Session& s, UserPort& port) {
  return ApplyAllocationMode(s, port, (s.betWindow.AllocationMode + 1) % 3);
}

// ---- Amount dialog ---------------------------------------------------------------------------

void OpenAmountDialog(Session& s) {
  AmountDialogModel& d = s.betWindow.Amount;
  d = AmountDialogModel{};
  d.MoneyCapital = std::to_string(s.app.settings.Money);
  d.MoneyLimit = std::to_string(s.app.settings.Limit);
  d.ProfitTarget = std::to_string(s.app.settings.Profit);
  s.betWindow.AmountDialogOpen = true;
}

namespace {
std::int32_t AmountFromField(std::string_view field, double highest) {
  double v = std::trunc(text::Val(field) / 100) * 100;
  if (!(v >= 100)) v = 100;
  if (v > highest) v = highest;
  return static_cast<std::int32_t>(v);
}
}  // namespace

void ApplyAmountDialog(Session& s) {
  const AmountDialogModel& d = s.betWindow.Amount;
  s.app.settings.Money = AmountFromField(d.MoneyCapital, kMaxStake);
  s.app.settings.Limit = AmountFromField(d.MoneyLimit, kMaxStake);
  s.app.settings.Profit = AmountFromField(d.ProfitTarget, 900000);
  s.betWindow.AmountDialogOpen = false;
}

void CancelAmountDialog(Session& s) { s.betWindow.AmountDialogOpen = false; }

// ---- Send ------------------------------------------------------------------------------------

std::string SendConfirmationText(std::string_view raceLabel, std::int64_t total, double combined) {
  return std::string(raceLabel) + " の勝馬投票を送出します。\n\n        投票金額  " +
         std::to_string(total) + " 円\n\n        期待値     " + text::ShortestDecimal(combined);
}

SendResult SendBetList(Session& s, UserPort& port) {
  BetWindowModel& w = s.betWindow;
  const std::string& title = s.app.AppTitle;
  const std::string text = Prepared(w.Text);

  // Stakes: the number two characters after the "." of every line that holds one; a bet line
  // whose odds were removed is checked too, by its last field.
  std::vector<BetLine> lines = ReadBetLines(text);
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) end = text.size();
    const std::string_view line = std::string_view(text).substr(start, end - start);
    if (line.find('.') == std::string_view::npos && IsBetKindLine(line)) {
      lines.push_back({std::string(line), 0, LastFieldStake(line)});
    }
    start = end + 2;
  }
  if (lines.empty()) return SendResult::NoBets;

  if (!w.SendEnabled) {
    port.Error(title, "現在のPAT98のデータではないため、送出できません。");
    return SendResult::Disabled;
  }
  double total = 0;
  for (const BetLine& line : lines) {
    const double st = line.Stake;
    // A negative stake would lower the total below the limit; it is refused like any stake
    // that is not a whole number of 100-yen units.
    if (st < 0 || std::fmod(st, 100) != 0) {
      port.Error(title, "馬券の発売は１００円単位です。");
      return SendResult::Refused;
    }
    total += st;
  }
  if (total > kMaxStake) {
    port.Error(title, "投票可能金額を " + text::ShortestDecimal(total - kMaxStake) + "円 超えています。");
    return SendResult::Refused;
  }
  std::vector<double> odds;
  for (const ParsedBetLine& l : ParseBetList(text)) odds.push_back(std::max(l.Odds, 1.0));
  const double combined = CombinedOdds(odds).value_or(0);
  const std::string question =
      SendConfirmationText(w.RaceLabel, static_cast<std::int64_t>(total), combined);
  if (port.Ask(title, question, Buttons::OkCancel, Icon::Info, Answer::Ok) != Answer::Ok) {
    return SendResult::Cancelled;
  }
  if (s.app.BetFolder.empty()) {
    port.Error(title, "BETﾌｧｲﾙ送出ﾌｫﾙﾀﾞが指定されていません。\n\n" + s.app.BetFolder.string());
    return SendResult::NoFolder;
  }
  if (!text::FolderExists(s.app.BetFolder)) {
    WriteBetFile(s, port);  // reports the missing folder
    return SendResult::NoFolder;
  }
  return WriteBetFile(s, port).empty() ? SendResult::Failed : SendResult::Written;
}

}  // namespace tz
