#include "backtest/backtest_model.h"

#include <algorithm>

#include <fmt/format.h>

#include "text/files.h"

namespace tz {

const char* BacktestPoolCaption(BacktestPool pool) {
  switch (pool) {
    case BacktestPool::Win: return "単勝";
    case BacktestPool::Place: return "複勝";
    case BacktestPool::Quinella: return "馬連";
  }
  return "";
}

std::vector<std::string> BacktestDayChoices(const BacktestResult& r) {
  std::vector<std::string> out{"全期間"};
  for (const auto& d : r.perDay) out.push_back(d.date);
  return out;
}

BacktestWindowModel BuildBacktestWindowModel(const BacktestResult& r, int day) {
  BacktestWindowModel m;
  const bool oneDay = day >= 0 && day < static_cast<int>(r.perDay.size());
  const BacktestTable& table = oneDay ? r.perDay[day].table : r.totals;
  if (oneDay) {
    m.summary = fmt::format("{}  {}ﾚｰｽ", r.perDay[day].date, r.perDay[day].races);
  } else {
    m.summary = fmt::format("{}日  {}ﾚｰｽ  除外 {}{}", r.days, r.races, r.skipped.size(),
                            r.cancelled ? "  (中止)" : "");
  }
  m.columns = {"ｸﾞﾙｰﾌﾟ", "券種", "ﾚｰｽ", "点数", "的中", "投資", "払戻", "回収率", "的中率"};
  for (const auto& [key, t] : table) {
    BacktestWindowRow row;
    row.group = key.group;
    row.pool = BacktestPoolCaption(key.pool);
    row.races = t.races;
    row.bets = t.bets;
    row.hits = t.hits;
    row.stake = t.stake;
    row.ret = t.ret;
    row.recovery = RecoveryRate(t);
    row.hitRate = HitRate(t);
    m.chartMax = std::max(m.chartMax, row.recovery);
    m.rows.push_back(std::move(row));
  }
  for (const auto& k : r.skipped) {
    if (oneDay && k.folder != r.perDay[day].folder) continue;
    std::string line = k.meeting > 0 ? fmt::format("{}  {}-{}R  {}", k.folder, k.meeting, k.race, k.reason)
                                     : fmt::format("{}  {}", k.folder, k.reason);
    if (!k.detail.empty()) line += "  " + k.detail;
    m.skipped.push_back(std::move(line));
  }
  return m;
}

std::string WriteBacktestCsv(const BacktestResult& r, int day, const std::filesystem::path& file) {
  const bool oneDay = day >= 0 && day < static_cast<int>(r.perDay.size());
  return text::WriteTextFileAtomic(file, BacktestCsvLines(oneDay ? r.perDay[day].table : r.totals));
}

}  // namespace tz
