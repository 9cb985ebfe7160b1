// What the backtest window shows: a summary, the skipped races, the table of groups (one row
// per group and pool, in the report's order) and a bar of 回収率 per row against the 100 % line.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "backtest/backtest.h"

namespace tz {

inline constexpr const char* kBacktestCaption = "回収率ﾊﾞｯｸﾃｽﾄ";

struct BacktestWindowRow {
  std::string group;
  std::string pool;  // 単勝, 複勝, 馬連
  int races = 0, bets = 0, hits = 0;
  std::int64_t stake = 0, ret = 0;
  double recovery = 0;  // 回収率, %
  double hitRate = 0;   // %
};

struct BacktestWindowModel {
  std::string summary;  // "3日  36ﾚｰｽ  除外 2", or the day's date and races
  std::vector<std::string> columns;
  std::vector<BacktestWindowRow> rows;
  std::vector<std::string> skipped;  // one line per skipped race or day
  double chartMax = 100;  // the longest bar, at least the 100 % line
};

// The caption of a pool in the window.
const char* BacktestPoolCaption(BacktestPool pool);

// The whole run (day -1) or one day of it (an index into r.perDay); the days' dates are the
// choices of the window's day list, after "全期間".
BacktestWindowModel BuildBacktestWindowModel(const BacktestResult& r, int day = -1);
std::vector<std::string> BacktestDayChoices(const BacktestResult& r);

// The table of the whole run or of one day as a CSV file (Shift_JIS, CR LF), written
// atomically. Returns an error text, empty on success.
std::string WriteBacktestCsv(const BacktestResult& r, int day, const std::filesystem::path& file);

}  // namespace tz
