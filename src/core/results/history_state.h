// The user's votes on the selected race, collected from PAT98's voting log and matched with the
// payout table, with the totals and the history text.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tz {

struct HistoryState {
  // 23-character vote entries: sale kind (1), race key (4), bet kind (1), numbers (2+2), stake
  // units (4), state (2), result code (1), payout text (6).
  std::vector<std::string> VoteList;
  int VoteCount = 0;
  // Money totals in yen, 64-bit: 9,999 units on a 999,999-yen payout alone pass 2^31.
  std::int64_t LogStake = 0;
  std::int64_t LogReturn = 0;
  std::int64_t MaxHitPayout = 0;
  std::vector<int> PayoutHit;  // 1 where the payout record of that index was hit
  std::string HitMessage;
  std::string HitListText;
  // Load status the log readers left (0 read, 3 no LG-FILE.JRA, 9 a file could not be read);
  // the race's load status itself is back at 0 when the results reader returns.
  int LogStatus = 0;
};

// What the history window shows.
struct HistoryWindowModel {
  std::string Caption = "履歴";
  std::string Text;  // the history text, lines ending in CR LF
  bool TotalsVisible = false;
  // Totals panel: labels and amounts.
  std::string StakeLabel = "投票", ReturnLabel = "払戻", BalanceLabel = "損益";
  std::string StakeText, ReturnText, BalanceText;
  std::int32_t BalanceColor = 0;  // BGR: black, red (255) when the balance is negative
};

}  // namespace tz
