#include "exports/contest.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <system_error>

#include "analysis/vote_shares.h"
#include "pat98/day_loader.h"
#include "results/results_reader.h"
#include "text/files.h"
#include "session.h"
#include "text/numbers.h"
#include "text/sjis.h"
#include "text/strings.h"

namespace tz {

namespace {

constexpr std::array<const char*, 8> kIndicatorNames{
    "", "Ｔ値", "Ｆ値", "Ｒ値", "Ｚ値", "単勝人気", "複勝人気", "仮単人気"};
constexpr std::array<const char*, 8> kIndicatorLetters{"", "T", "F", "R", "Z", "W", "P", "Q"};
constexpr std::array<const char*, 6> kRankNames{"", "１位", "２位", "３位", "４位", "５位"};
constexpr std::array<const char*, 7> kWeekdays{"(日)", "(月)", "(火)", "(水)",
                                               "(木)", "(金)", "(土)"};

int HorseCountOf(const Session& s) { return std::clamp(s.race.HorseCount, 0, kMaxHorses); }

int HorseAtPosition(const Session& s, int p) {
  return (p >= 1 && p <= kMaxHorses) ? s.race.HorseOrder[p] : 0;
}

std::string Digits(std::int64_t v, const char* pattern) {
  return text::FormatNumber(static_cast<double>(v), pattern);
}

std::string SumText(bool seen, std::int64_t sum, const char* pattern, const char* unseen) {
  return seen ? text::FormatNumber(static_cast<double>(sum) / 10.0, pattern) : std::string(unseen);
}

}  // namespace

std::string ContestIndicatorName(int code) {
  return (code >= 1 && code <= kContestIndicatorCount) ? kIndicatorNames[code] : "";
}

std::string ContestIndicatorLetter(int code) {
  return (code >= 1 && code <= kContestIndicatorCount) ? kIndicatorLetters[code] : "";
}

std::string ContestRankName(int rank) {
  return (rank >= 1 && rank <= kContestRankCount) ? kRankNames[rank] : "";
}

std::string ContestFormName(int form) {
  return form == kContestFlow ? "流し" : form == kContestBox ? "ボックス" : "";
}

std::string ContestFormLetter(int form) {
  return form == kContestFlow ? "N" : form == kContestBox ? "B" : "";
}

std::string ContestRuleCode(const ContestRule& rule) {
  return ContestIndicatorLetter(rule.AxisIndicator) + std::to_string(rule.AxisRank) +
         ContestIndicatorLetter(rule.PartnerIndicator) + ContestFormLetter(rule.Form);
}

std::string ContestFileName(const std::string& guideDate, const ContestRule& rule) {
  return "P" + text::Mid(guideDate, 3, 6) + ContestRuleCode(rule) + ".txt";
}

int DayOfWeek(int year, int month, int day) {
  using namespace std::chrono;
  const year_month_day ymd{std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
                           std::chrono::day{static_cast<unsigned>(day)}};
  if (month < 1 || month > 12 || day < 1 || !ymd.ok()) return -1;
  return static_cast<int>(weekday{sys_days{ymd}}.c_encoding());
}

std::string WeekdayMark(const std::string& guideDate) {
  if (guideDate.size() < 8) return {};
  for (int i = 0; i < 8; ++i) {
    if (guideDate[i] < '0' || guideDate[i] > '9') return {};
  }
  const int w = DayOfWeek(std::stoi(guideDate.substr(0, 4)), std::stoi(guideDate.substr(4, 2)),
                          std::stoi(guideDate.substr(6, 2)));
  return w < 0 ? std::string() : std::string(kWeekdays[w]);
}

std::string ContestMeetingHeader(const RaceModel& race, int meeting, const ContestRule& rule) {
  const MeetingRecord& info = race.MeetingInfo[std::clamp(meeting, 0, kMaxMeetings)];
  const std::string& date = race.GuideDate;
  const auto number = [&](std::size_t start) {
    return std::to_string(text::ValInt(text::Mid(date, start, 2)));
  };
  return RacecourseName(race, info.CourseCode, info.Year) +
         text::FormatText(text::Mid(date, 1, 4), "@@@@@") + "年" +
         text::FormatText(std::to_string(info.Kai), "@@@") + "回" +
         text::FormatText(std::to_string(info.Day), "@@@") + "日目" +
         text::FormatText(number(5), "@@@") + "月" + text::FormatText(number(7), "@@@") + "日" +
         WeekdayMark(date) + " [0000] " + "Tazuna98" + " " + "Ver 2.041" + " (" +
         ContestRuleCode(rule) + ")";
}

int ContestRankAt(const Session& s, int indicator, int position) {
  const RaceAnalysis& ra = s.raceAnalysis;
  if (position < 1 || position > ra.RowCount || position > kMaxHorses) return 0;
  switch (indicator) {
    case kContestT: return ra.RankOf(Indicator::T, position);
    case kContestF: return ra.RankOf(Indicator::F, position);
    case kContestR: return ra.RankOf(Indicator::R, position);
    case kContestZ: return ra.RankOf(Indicator::Z, position);
    default: return 0;
  }
}

int ContestAxisHorse(const Session& s, const ContestRule& rule) {
  const int k = rule.AxisRank;
  const auto& a = s.analysis;
  int horse = 0;
  switch (rule.AxisIndicator) {
    case kContestT:
    case kContestF:
    case kContestR:
    case kContestZ:
      for (int p = 1; p <= HorseCountOf(s); ++p) {
        if (ContestRankAt(s, rule.AxisIndicator, p) == k) return HorseAtPosition(s, p);
      }
      return 0;
    case kContestW: horse = (k >= 1 && k <= kMaxHorses) ? a.WinOrder[k] : 0; break;
    case kContestP: horse = (k >= 1 && k <= kMaxHorses) ? a.PlaceOrder[k] : 0; break;
    case kContestQ: horse = HorseAtPosition(s, k); break;
    default: return 0;
  }
  // Only a runner of this race is an axis (a rank beyond the field names none).
  if (k < 1 || k > RunnerCount(s) || horse < 1 || horse > HorseCountOf(s)) return 0;
  return horse;
}

std::vector<ContestPartner> ContestPartners(const Session& s, int partnerIndicator, int axis) {
  const auto& a = s.analysis;
  std::vector<ContestPartner> list;
  const auto inTop = [](int rank) { return rank >= 1 && rank <= kContestRankCount; };
  for (int p = 1; p <= HorseCountOf(s); ++p) {
    if (HorseAtPosition(s, p) == axis) continue;
    int rank = 0;
    switch (partnerIndicator) {
      case kContestT:
      case kContestF:
      case kContestR:
      case kContestZ: rank = ContestRankAt(s, partnerIndicator, p); break;
      case kContestW: rank = a.WinRankByPos[p]; break;
      case kContestP: rank = a.PlaceRankByPos[p]; break;
      case kContestQ: rank = p <= kContestRankCount ? p : 0; break;
      default: break;
    }
    if (inTop(rank)) list.push_back({p, rank});
  }
  const std::size_t n = list.size();
  for (std::size_t i = 0; i + 1 < n; ++i) {
    for (std::size_t j = i + 1; j < n; ++j) {
      if (list[j].Rank < list[i].Rank) SwapValues(list[i], list[j]);
    }
  }
  return list;
}

std::vector<ContestPair> ContestPairs(const Session& s, int axis,
                                      const std::vector<ContestPartner>& partners, int form) {
  // A race sold with bracket quinella only is bet on the brackets of the two horses.
  const bool brackets = s.race.CurrentSaleCode == 7;
  const auto ordered = [&](int x, int y) {
    if (brackets) {
      x = (x >= 1 && x <= kMaxHorses) ? s.race.HorseBracket[x] : 0;
      y = (y >= 1 && y <= kMaxHorses) ? s.race.HorseBracket[y] : 0;
    }
    return ContestPair{std::min(x, y), std::max(x, y)};
  };
  std::vector<ContestPair> pairs;
  // A race without an axis horse has no pairs.
  if (axis < 1 || axis > kMaxHorses) return pairs;
  if (form == kContestFlow) {
    const std::size_t used = std::min<std::size_t>(partners.size(), kFlowPartners);
    for (std::size_t i = 0; i < used; ++i) {
      pairs.push_back(ordered(axis, HorseAtPosition(s, partners[i].Position)));
    }
  } else if (form == kContestBox) {
    std::vector<int> box{axis};
    const std::size_t used = std::min<std::size_t>(partners.size(), kBoxPartners);
    for (std::size_t i = 0; i < used; ++i) box.push_back(HorseAtPosition(s, partners[i].Position));
    for (std::size_t i = 0; i < box.size(); ++i) {
      for (std::size_t j = i + 1; j < box.size(); ++j) pairs.push_back(ordered(box[i], box[j]));
    }
  }
  return pairs;
}

std::string ContestPairSlots(const std::vector<ContestPair>& pairs, int saleCode) {
  std::string out;
  int slots = 0;
  for (const ContestPair& p : pairs) {
    if (slots == kContestPairSlots) break;
    if (saleCode == 7) {
      out += "    " + std::to_string(p.first) + std::to_string(p.second);
    } else {
      out += text::FormatText(std::to_string(p.first), "@@@") + "-" +
             text::FormatText(std::to_string(p.second), "@@");
    }
    ++slots;
  }
  for (; slots < kContestPairSlots; ++slots) out += "      ";
  return out;
}

ContestSums ContestPayoutSums(const ResultState& results, int saleCode, int axis,
                              const std::vector<ContestPair>& pairs) {
  ContestSums sums;
  const auto matches = [&](int first, int second) {
    return static_cast<std::int64_t>(std::count(pairs.begin(), pairs.end(), ContestPair{first, second}));
  };
  const int count = std::min<int>(results.PayoutCount, static_cast<int>(results.PayoutTable.size()));
  for (int i = 0; i < count; ++i) {
    const std::string& rec = results.PayoutTable[i];
    const int kind = static_cast<int>(text::Val(text::Mid(rec, 5, 1)));
    const int first = static_cast<int>(text::Val(text::Mid(rec, 6, 2)));
    const int second = static_cast<int>(text::Val(text::Mid(rec, 8, 2)));
    const auto payout = static_cast<std::int64_t>(text::Val(text::Mid(rec, 10, 6)));
    switch (kind) {
      case 1:
        sums.WinSeen = true;
        if (second == axis) sums.Win += payout;
        break;
      case 2:
        sums.PlaceSeen = true;
        if (second == axis) sums.Place += payout;
        break;
      case 3:
        if (saleCode != 7) break;
        sums.QuinellaSeen = true;
        sums.WideSeen = true;
        sums.Quinella += payout * matches(first, second);
        break;
      case 4:
        if (saleCode == 7) break;
        sums.QuinellaSeen = true;
        sums.Quinella += payout * matches(first, second);
        break;
      case 5:
        if (saleCode == 7) break;
        sums.WideSeen = true;
        sums.Wide += payout * matches(first, second);
        break;
      default: break;
    }
  }
  return sums;
}

std::string ContestRaceLine(int race, int courseCode, int horseCount, int axis,
                            const std::vector<ContestPair>& pairs, int saleCode,
                            const RaceClass& cls, const ContestSums& sums) {
  return text::FormatText(std::to_string(race), "@@") + "R" + "  " +
         text::FormatText(std::to_string(axis), "@@") + ContestPairSlots(pairs, saleCode) +
         "  |" + " " + Digits(courseCode, "00") + Digits(race, "00") + Digits(horseCount, "00") +
         Digits(cls.Age, "0") + Digits(cls.Class, "0") + Digits(cls.Surface, "0") +
         Digits(cls.Distance, "00") + SumText(sums.WinSeen, sums.Win, "0000", "????") +
         SumText(sums.PlaceSeen, sums.Place, "0000", "????") +
         SumText(sums.QuinellaSeen, sums.Quinella, "00000", "?????") +
         SumText(sums.WideSeen, sums.Wide, "00000", "?????");
}

std::vector<int> CodesOfMask(int mask, int count) {
  std::vector<int> codes;
  for (int i = 0; i < count; ++i) {
    if (mask & (1 << i)) codes.push_back(i + 1);
  }
  return codes;
}

std::vector<ContestRule> AutoContestRules(const ContestMasks& masks) {
  std::vector<ContestRule> rules;
  for (int form : CodesOfMask(masks.Form, kContestFormCount)) {
    for (int axis : CodesOfMask(masks.Axis, kContestIndicatorCount)) {
      for (int rank : CodesOfMask(masks.Rank, kContestRankCount)) {
        for (int partner : CodesOfMask(masks.Partner, kContestIndicatorCount)) {
          rules.push_back({axis, rank, partner, form});
        }
      }
    }
  }
  return rules;
}

bool ContestRunAllowed(Session& s, UserPort& port) {
  const std::string& title = s.app.AppTitle;
  if (s.race.MeetingCount <= 0) {
    port.Error(title, kContestNoDay);
    return false;
  }
  const std::string& folder = s.app.settings.CSVpath;
  if (folder.empty()) {
    port.Error(title, ".CSV.TXT出力ﾌｫﾙﾀﾞを指定されていません。\n\n" + folder);
    return false;
  }
  if (!text::FolderExists(folder)) {
    port.Error(title, "ﾌｧｲﾙ出力ﾌｫﾙﾀﾞが存在しません。\n\n" + folder);
    return false;
  }
  return true;
}

ContestRunResult ExportContestEntries(Session& s, UserPort& port, const ContestRule& rule) {
  ContestRunResult result;
  const std::string& title = s.app.AppTitle;
  if (!ContestRunAllowed(s, port)) {
    result.Failed = true;
    return result;
  }
  const std::string& folder = s.app.settings.CSVpath;
  RaceModel& r = s.race;
  const std::string name = ContestFileName(r.GuideDate, rule);
  const auto inFolder = text::PathInFolder(folder, name);
  if (!inFolder) {
    port.Error(title, std::string(text::kBadFileNameMessage) + "\n\n" + name);
    result.Failed = true;
    return result;
  }
  const std::filesystem::path& path = *inFolder;
  text::LineWriter out(path);
  if (!out.ok()) {
    const int err = out.error();
    port.Error(title, BatchErrorText(err, std::strerror(err)));
    result.Failed = true;
    return result;
  }
  result.File = path;

  // A failed write ends the run through the day run's error path; the entries get their file
  // name only when the whole day is written.
  const auto write = [&](const std::string& line) {
    if (!out.WriteLine(line)) throw std::system_error(errno, std::generic_category());
  };
  const std::string dashes(76, '-');
  int processed = 0;
  s.contest.RaceProgress = 0;

  DayRunHooks hooks;
  hooks.meetingStart = [&](int m) {
    write(dashes);
    write(ContestMeetingHeader(r, m, rule));
    write(dashes);
  };
  hooks.analysed = [&](int m, int race) {
    const int axis = ContestAxisHorse(s, rule);
    const auto partners = ContestPartners(s, rule.PartnerIndicator, axis);
    const auto pairs = ContestPairs(s, axis, partners, rule.Form);
    const RaceClass cls = ClassifyRaceCard(s, m, race);
    ReadRaceResults(s, port, ResultsRead::ResultsOnly);
    const ContestSums sums = ContestPayoutSums(s.results, r.CurrentSaleCode, axis, pairs);
    write(ContestRaceLine(race, r.MeetingInfo[m].CourseCode, r.HorseCount, axis, pairs,
                          r.CurrentSaleCode, cls, sums));
    ++result.RaceLines;
    ++processed;
    const int total = r.CurrentDayOddsCount;
    s.contest.RaceProgress =
        total > 0 ? std::clamp(static_cast<int>(processed * 100LL / total), 0, 100) : 0;
    ReportBatchProgress(s, port, processed);
  };
  hooks.meetingEnd = [&](int) { write(""); };

  const bool whole = RunDayBatch(s, port, hooks);
  if (whole && !out.Commit()) {
    const int err = out.error();
    port.Error(title, BatchErrorText(err, std::strerror(err)));
    result.Failed = true;
  }
  if (!whole) result.Failed = true;
  return result;
}

namespace {

// What every dialog run does around its rules: the race buttons are reset before and after,
// and the selected meeting is restored afterwards.
class ContestRunFrame {
 public:
  explicit ContestRunFrame(Session& s) : s_(s), meeting_(s.race.CurrentMeeting) {
    s_.contest.Running = true;
    ResetRaceButtonsForDayRun(s_);
  }
  ~ContestRunFrame() {
    s_.contest.Running = false;
    s_.race.CurrentMeeting = meeting_;
    const int m = meeting_;
    s_.race.CurrentCourse =
        (m >= 1 && m <= s_.race.MeetingCount) ? s_.race.MeetingInfo[m].CourseCode : 0;
    ResetRaceButtonsForDayRun(s_);
  }
  ContestRunFrame(const ContestRunFrame&) = delete;
  ContestRunFrame& operator=(const ContestRunFrame&) = delete;

 private:
  Session& s_;
  int meeting_;
};

bool RuleComplete(const ContestRule& rule) {
  return rule.AxisIndicator >= 1 && rule.AxisIndicator <= kContestIndicatorCount &&
         rule.AxisRank >= 1 && rule.AxisRank <= kContestRankCount && rule.PartnerIndicator >= 1 &&
         rule.PartnerIndicator <= kContestIndicatorCount && rule.Form >= 1 &&
         rule.Form <= kContestFormCount;
}

void StoreRule(Settings& st, const ContestRule& rule) {
  st.CnJiku = rule.AxisIndicator;
  st.CnRank = rule.AxisRank;
  st.CnHimo = rule.PartnerIndicator;
  st.CnBken = rule.Form;
}

void NoSelection(Session& s, UserPort& port) {
  port.Ask(s.app.AppTitle, kContestNoSelection, Buttons::Ok, Icon::None, Answer::Ok);
}

}  // namespace

ContestRunResult RunContestRule(Session& s, UserPort& port, const ContestRule& rule) {
  if (!RuleComplete(rule)) {
    NoSelection(s, port);
    ContestRunResult refused;
    refused.Failed = true;
    return refused;
  }
  ContestRunFrame frame(s);
  StoreRule(s.app.settings, rule);
  return ExportContestEntries(s, port, rule);
}

std::vector<ContestRunResult> RunAllContestPatterns(Session& s, UserPort& port,
                                                    const ContestRuleDone& done) {
  std::vector<ContestRunResult> results;
  s.contest.StopRequested = false;
  // A run that cannot write says so once, not once for every rule.
  if (!ContestRunAllowed(s, port)) return results;
  {
    ContestRunFrame frame(s);
    // Form 1 only; axis rank 1-2, then axis indicator, then partner indicator innermost.
    std::vector<ContestRule> rules;
    for (int rank = 1; rank <= 2; ++rank) {
      for (int axis = 1; axis <= kContestIndicatorCount; ++axis) {
        for (int partner = 1; partner <= kContestIndicatorCount; ++partner) {
          rules.push_back({axis, rank, partner, kContestFlow});
        }
      }
    }
    const int total = static_cast<int>(rules.size());
    for (const ContestRule& rule : rules) {
      s.contest.Selection = {rule.AxisIndicator, rule.AxisRank, rule.PartnerIndicator, rule.Form};
      results.push_back(ExportContestEntries(s, port, rule));
      port.ProcessPendingEvents();
      const bool stop = done && done(static_cast<int>(results.size()), total, rule);
      if (stop || s.contest.StopRequested) break;
    }
  }
  StoreRule(s.app.settings, {1, 1, 1, 1});
  return results;
}

bool RunAutoContest(Session& s, UserPort& port, const ContestMasks& masks,
                    const ContestRuleStart& start, const ContestRuleDone& done,
                    std::vector<ContestRunResult>* results) {
  const auto rules = AutoContestRules(masks);
  if (rules.empty()) {
    NoSelection(s, port);
    return false;
  }
  if (!ContestRunAllowed(s, port)) return false;
  Settings& st = s.app.settings;
  st.CJ = masks.Axis;
  st.CR = masks.Rank;
  st.CH = masks.Partner;
  st.CB = masks.Form;
  s.contest.StopRequested = false;
  s.contest.RuleProgress = 0;
  {
    ContestRunFrame frame(s);
    const int total = static_cast<int>(rules.size());
    int doneCount = 0;
    for (const ContestRule& rule : rules) {
      StoreRule(st, rule);
      s.contest.RuleLabels = {ContestIndicatorName(rule.AxisIndicator),
                              ContestRankName(rule.AxisRank),
                              ContestIndicatorName(rule.PartnerIndicator),
                              ContestFormName(rule.Form)};
      if (start) start(rule);
      ContestRunResult one = ExportContestEntries(s, port, rule);
      if (results) results->push_back(std::move(one));
      ++doneCount;
      s.contest.RuleProgress = doneCount * 100 / total;
      port.ProcessPendingEvents();
      const bool stop = done && done(doneCount, total, rule);
      if (stop || s.contest.StopRequested) break;
    }
  }
  StoreRule(st, {1, 1, 1, 1});
  return true;
}

}  // namespace tz
