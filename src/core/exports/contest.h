// FHWARS contest entries: for every race of the loaded day one axis horse (軸馬) picked by an
// indicator and a rank, its partners (ひも) picked by another indicator, bet as flow pairs
// (流し) or as a box (ボックス). One text file per rule goes into the export folder, with the
// payouts the picks earned when the results are already there.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/user_port.h"
#include "exports/day_batch.h"

namespace tz {

struct Session;
struct RaceModel;
struct ResultState;

// Indicator codes (axis and partner indicators).
enum ContestIndicator : int {
  kContestT = 1,  // Ｔ値
  kContestF = 2,  // Ｆ値
  kContestR = 3,  // Ｒ値
  kContestZ = 4,  // Ｚ値
  kContestW = 5,  // 単勝人気
  kContestP = 6,  // 複勝人気
  kContestQ = 7,  // 仮単人気
};
inline constexpr int kContestIndicatorCount = 7;
inline constexpr int kContestRankCount = 5;

// Form codes.
enum ContestForm : int {
  kContestFlow = 1,  // 流し: axis-partner pairs
  kContestBox = 2,   // ボックス: every pair among the axis and up to three partners
};
inline constexpr int kContestFormCount = 2;

// How many partners each form uses after the list has been sorted.
inline constexpr int kFlowPartners = 5;
inline constexpr int kBoxPartners = 3;
inline constexpr int kContestPairSlots = 6;

struct ContestRule {
  int AxisIndicator = 1;     // 1..7
  int AxisRank = 1;          // 1..5
  int PartnerIndicator = 1;  // 1..7
  int Form = 1;              // 1..2
};

// Captions and letters.
std::string ContestIndicatorName(int code);  // "Ｔ値" .. "仮単人気"
std::string ContestIndicatorLetter(int code);  // "T" "F" "R" "Z" "W" "P" "Q"
std::string ContestRankName(int rank);       // "１位" .. "５位"
std::string ContestFormName(int form);       // "流し", "ボックス"
std::string ContestFormLetter(int form);     // "N", "B"
// Axis letter, axis rank, partner letter and form letter: "T1FN".
std::string ContestRuleCode(const ContestRule& rule);
// "P" + yymmdd of the guide date + rule code + ".txt": "P981018T1FN.txt".
std::string ContestFileName(const std::string& guideDate, const ContestRule& rule);

// Day of the week of a calendar date, 0 = Sunday .. 6 = Saturday; -1 for a date that does not
// exist.
int DayOfWeek(int year, int month, int day);
// "(日)" .. "(土)" for a guide date yyyymmdd; empty when it is not a date.
std::string WeekdayMark(const std::string& guideDate);

// The header line of meeting m.
std::string ContestMeetingHeader(const RaceModel& race, int meeting, const ContestRule& rule);

// One candidate partner: the popularity position and its rank under the partner indicator.
struct ContestPartner {
  int Position = 0;
  int Rank = 0;
};

// The T, F, R or Z rank of position p as the prediction row shows it (empty counts 0).
int ContestRankAt(const Session& s, int indicator, int position);

// The axis horse of the analysed race under the rule; 0 when no runner holds the rank (no
// position of that T, F, R or Z rank, or a W, P or Q rank beyond the runners).
int ContestAxisHorse(const Session& s, const ContestRule& rule);

// Every qualifying partner of the analysed race (the axis horse left out), ordered by rank;
// equal ranks keep the order of the exchange loop. The list is never cut here, so no
// candidate is lost before the ordering: the forms take their first 5 or 3.
std::vector<ContestPartner> ContestPartners(const Session& s, int partnerIndicator, int axis);

using ContestPair = std::pair<int, int>;  // (smaller horse number, larger horse number)

// The pairs of the entry: flow = (axis, partner) for the first 5 partners; box = every pair in
// order among the axis and the first 3 partners. No pairs without an axis (0). In a race sold
// with bracket quinella only (sale code 7) each pair is the bracket pair of its two horses,
// the smaller bracket first.
std::vector<ContestPair> ContestPairs(const Session& s, int axis,
                                      const std::vector<ContestPartner>& partners, int form);

// The 36 characters of the six pair slots; bracket-only races (sale code 7) write four blanks
// and the two bracket digits.
std::string ContestPairSlots(const std::vector<ContestPair>& pairs, int saleCode);

// What the picks of one race paid (yen per 100-yen ticket), with whether each pool had a
// payout at all.
struct ContestSums {
  std::int64_t Win = 0, Place = 0, Quinella = 0, Wide = 0;
  bool WinSeen = false, PlaceSeen = false, QuinellaSeen = false, WideSeen = false;
};

// Walks the priced payouts of the last results read.
ContestSums ContestPayoutSums(const ResultState& results, int saleCode, int axis,
                              const std::vector<ContestPair>& pairs);

// The 76-character line of a race (with one-digit codes).
std::string ContestRaceLine(int race, int courseCode, int horseCount, int axis,
                            const std::vector<ContestPair>& pairs, int saleCode,
                            const RaceClass& cls, const ContestSums& sums);

// What one run left behind.
struct ContestRunResult {
  std::filesystem::path File;  // empty when nothing was written
  int RaceLines = 0;           // race lines written
  bool Failed = false;         // refused (folder) or ended by an error
};

// The message of a run without a loaded day.
inline constexpr const char* kContestNoDay = "投票要項が読み込まれていません。";

// Whether a contest run can write anything: a day is loaded and the export folder (CSVpath) is
// set and exists. Otherwise the reason is shown once and false returned.
bool ContestRunAllowed(Session& s, UserPort& port);

// Writes the entries of the loaded day under the rule into the export folder (CSVpath).
// Reports the race progress through port.Progress(processed, CurrentDayOddsCount).
ContestRunResult ExportContestEntries(Session& s, UserPort& port, const ContestRule& rule);

// The message of a list or box group left without a selection.
inline constexpr const char* kContestNoSelection = "選択されていない項目があります。";

// Commands of the two dialogs, without the widgets.

// OK of the single-rule dialog: stores the rule in CnJiku..CnBken and runs it, keeping the
// selected meeting.
ContestRunResult RunContestRule(Session& s, UserPort& port, const ContestRule& rule);

// Called after every rule of a multi-rule run with the rules done and the total; returning
// true stops the run (the rule just written stays complete).
using ContestRuleDone = std::function<bool(int done, int total, const ContestRule& rule)>;
// Called before each rule of a multi-rule run starts (the labels of the automatic dialog).
using ContestRuleStart = std::function<void(const ContestRule& rule)>;

// 全パターン of the single-rule dialog: form 1, axis ranks 1-2, axis and partner indicators 1-7
// (98 rules); CnJiku..CnBken are left at 1. Without a day or an export folder the reason is
// shown once and nothing runs (no result).
std::vector<ContestRunResult> RunAllContestPatterns(Session& s, UserPort& port,
                                                    const ContestRuleDone& done);

// The ticked boxes of the automatic dialog as bit masks (bit i = code i + 1).
struct ContestMasks {
  int Axis = 0;     // ContestCJ
  int Rank = 0;     // ContestCR
  int Partner = 0;  // ContestCH
  int Form = 0;     // ContestCB
};

// The codes of the set bits of a mask among codes 1..count, in increasing order.
std::vector<int> CodesOfMask(int mask, int count);

// Every rule of the automatic dialog in run order: forms, then axis indicators, then ranks,
// then partner indicators (innermost).
std::vector<ContestRule> AutoContestRules(const ContestMasks& masks);

// OK of the automatic dialog: refuses (message, false) when a group has no tick, or without a
// day or an export folder (one message, nothing stored); otherwise
// stores the masks in CJ/CR/CH/CB, runs every rule and leaves CnJiku..CnBken at 1.
bool RunAutoContest(Session& s, UserPort& port, const ContestMasks& masks,
                    const ContestRuleStart& start, const ContestRuleDone& done,
                    std::vector<ContestRunResult>* results = nullptr);

}  // namespace tz
