// What the bet window (Fm98Bet, caption "勝馬投票") and the amount dialog (Fm98Kin, caption
// "金額指定") show. The window renders this model and forwards its commands to the operations
// of betting/bet_list.h; it never computes stakes itself.
#pragma once

#include <cstdint>
#include <string>

#include "betting/stake_safety.h"

namespace tz {

// How the stakes of the bet list are spread (BetAllocationMode).
enum BetAllocationMode : int {
  kAllocateEqualAmount = 0,  // 均等配分: the same stake on every bet
  kAllocateEqualProfit = 1,  // 均等利益: the same return whichever bet hits
  kAllocateTargetProfit = 2, // 目標利益: a fixed profit whichever bet hits
};

inline constexpr int kMaxBets = 50;           // marked bets accepted by the bet list
inline constexpr std::int32_t kMaxStake = 300000;  // yen per bet and per send

// The amount dialog's three fields, as texts the user edits. OpenAmountDialog fills them from
// the settings; ApplyAmountDialog stores them back (multiples of 100, clamped to range).
struct AmountDialogModel {
  std::string Caption = "金額指定";
  std::string MoneyCapital;  // 1ﾍﾞｯﾄの金額
  std::string MoneyLimit;    // 1ﾚｰｽの資金
  std::string ProfitTarget;  // 1ﾚｰｽの利益
};

struct BetWindowModel {
  // The window is shown (BuildBetList opened it and nothing closed it since).
  bool Open = false;
  std::string Caption = "勝馬投票";

  // Textbet: the bet list as the user may edit it. UTF-8, lines ended by CR LF: the race
  // label, an empty line, then one 22-character line per bet (bet text 7, odds 7, stake 8).
  std::string Text;

  // Label1: the name of the allocation mode last applied, for example "均等配分（金額 100円）".
  std::string ModeLabel;
  int AllocationMode = kAllocateEqualAmount;

  // The "送出" button: enabled only when the loaded day is the PAT98 folder's current day.
  bool SendEnabled = false;

  // The race the list was built for, kept so that the confirmation and the file name belong
  // to the list even when the selection moves on: race label (lblkai), guide date (yyyymmdd),
  // race number and whether it is the advance-sale race (written as race 13).
  std::string RaceLabel;
  std::string GuideDate;
  int Race = 0;
  bool AdvanceSale = false;

  // Number of bets collected when the list was built.
  int BetCount = 0;

  // Stake safety beside the allocation modes: the book percentages of the race the list was
  // built for, and the combined odds and ﾄﾘｶﾞﾐ warning of the text as it stands, with their
  // captions (UpdateStakeSafety keeps them in step with the text).
  BookPercent Book;
  StakeSafety Safety;
  std::string CombinedOddsLabel;  // "合成オッズ 1.3"
  std::string BookLabel;          // "ﾌﾞｯｸ 単勝 125.0%  枠連 133.4%  馬連 133.3%"
  std::string TorigamiLabel;      // "ﾄﾘｶﾞﾐ" and the short bets, one a line; empty when none

  // Name of the last .BET file written from this window (empty until a send succeeded).
  std::string LastBetFile;

  // The amount dialog, while it is open.
  bool AmountDialogOpen = false;
  AmountDialogModel Amount;
};

}  // namespace tz
