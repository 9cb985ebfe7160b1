#include "results/history.h"

#include <fmt/format.h>

#include <algorithm>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "analysis/main_window_model.h"
#include "results/results_reader.h"
#include "session.h"
#include "text/files.h"
#include "text/numbers.h"
#include "text/sjis.h"

namespace tz {

namespace {

constexpr const char* kIndexName = "LG-FILE.JRA";
constexpr std::size_t kIndexHeader = 23;      // bytes before the first index entry
constexpr std::size_t kIndexEntry = 26;       // bytes per index entry
constexpr int kMaxLogFiles = 100;             // names taken from the index
constexpr std::size_t kVoteFileRead = 1004;   // bytes of a vote file that are read
constexpr std::size_t kVoteSectionStart = 21; // 1-based byte where the vote section starts
constexpr std::size_t kVoteLength = 19;       // characters per vote

// A failure while reading a log file: the description and number the message shows.
struct ReadFailure {
  int number = 0;
  std::string description;
};

const ReadFailure kPastEnd{62, "ファイルの終わりを越えて読み込もうとしました。"};
const ReadFailure kNotNumber{13, "数値として読めない欄があります。"};
const ReadFailure kCannotRead{75, "ファイルを読み込めません。"};

void ReportFailure(Session& s, UserPort& port, const ReadFailure& f, const fs::path& path) {
  port.Error(s.app.AppTitle,
             fmt::format("{}({})\n\n{}", f.description, f.number, path.string()));
}

// A whole field read as a number: blanks around digits; anything else does not convert.
std::optional<int> FieldNumber(std::string_view field) {
  std::size_t a = 0, b = field.size();
  while (a < b && field[a] == ' ') ++a;
  while (b > a && field[b - 1] == ' ') --b;
  if (a == b || b - a > 9) return std::nullopt;
  int v = 0;
  for (std::size_t i = a; i < b; ++i) {
    if (field[i] < '0' || field[i] > '9') return std::nullopt;
    v = v * 10 + (field[i] - '0');
  }
  return v;
}

std::string RaceKey(const Session& s) {
  return text::FormatNumber(s.race.CurrentCourse, "00") + text::FormatNumber(s.race.CurrentRace, "00");
}

// The names of the vote files listed in the index whose date field (index-entry characters
// `from`..16) equals `date`, at most 100, in index order; names with a path in them are left
// out. A failure leaves `failure` set.
std::vector<std::string> IndexNames(const std::string& bytes, std::size_t from,
                                    const std::string& date, std::optional<ReadFailure>& failure) {
  std::vector<std::string> names;
  if (bytes.size() < 19) {
    failure = kPastEnd;
    return names;
  }
  const auto n = FieldNumber(std::string_view(bytes).substr(16, 3));
  if (!n) {
    failure = kNotNumber;
    return names;
  }
  const int count = std::min(*n, kMaxLogFiles);
  if (bytes.size() < kIndexHeader + kIndexEntry * static_cast<std::size_t>(count)) {
    failure = kPastEnd;
    return names;
  }
  for (int i = 0; i < count; ++i) {
    const std::string_view entry =
        std::string_view(bytes).substr(kIndexHeader + kIndexEntry * static_cast<std::size_t>(i), kIndexEntry);
    // A name that would leave the day folder ("../ou") is no vote file of the day.
    const std::string_view name = entry.substr(0, 5);
    if (!date.empty() && entry.substr(from - 1, 17 - from) == date && text::IsPlainFileName(name)) {
      names.emplace_back(name);
    }
  }
  return names;
}

// One vote of a vote file: its 19 characters.
struct FileVotes {
  bool empty = false;               // bytes 13-16 read "0000"
  std::vector<std::string> votes;   // every vote of the file, 19 characters each
};

// Reads the votes of one vote file. The whole file is checked before any vote is used, so a
// damaged file contributes nothing.
std::optional<FileVotes> ReadVoteFile(const fs::path& path, std::optional<ReadFailure>& failure) {
  const auto bytes = text::ReadFileBytes(path);
  if (!bytes) {
    failure = kCannotRead;
    return std::nullopt;
  }
  FileVotes out;
  if (bytes->size() < 16) {
    failure = kPastEnd;
    return std::nullopt;
  }
  if (bytes->compare(12, 4, "0000") == 0) {
    out.empty = true;
    return out;
  }
  if (bytes->size() < kVoteSectionStart + 1) {
    failure = kPastEnd;
    return std::nullopt;
  }
  const std::size_t end = std::min(bytes->size(), kVoteFileRead);
  const std::string section =
      text::DecodeSjis(std::string_view(*bytes).substr(kVoteSectionStart - 1, end - (kVoteSectionStart - 1)));
  const auto m = FieldNumber(text::Mid(section, 1, 2));
  if (!m) {
    failure = kNotNumber;
    return std::nullopt;
  }
  const std::size_t chars = text::CharCount(section);
  if (2 + kVoteLength * static_cast<std::size_t>(*m) > chars) {
    failure = kPastEnd;
    return std::nullopt;
  }
  for (int j = 0; j < *m; ++j) {
    std::string vote = text::Mid(section, 3 + kVoteLength * static_cast<std::size_t>(j), kVoteLength);
    // Sale kind, stake and state must read as numbers; the other fields are compared as text.
    if (!FieldNumber(text::Mid(vote, 4, 1)) || !FieldNumber(text::Mid(vote, 14, 4)) ||
        !FieldNumber(text::Mid(vote, 18, 2))) {
      failure = kNotNumber;
      return std::nullopt;
    }
    out.votes.push_back(std::move(vote));
  }
  return out;
}

void AddVote(Session& s, std::string entry, int units) {
  auto& h = s.history;
  h.VoteList.push_back(std::move(entry));
  h.VoteCount = static_cast<int>(h.VoteList.size());
  h.LogStake += static_cast<std::int64_t>(units) * 100;
}

// Sale kind, stake units and state of a 19-character vote (checked by ReadVoteFile).
int VoteSaleKind(const std::string& v) { return *FieldNumber(text::Mid(v, 4, 1)); }
int VoteUnits(const std::string& v) { return *FieldNumber(text::Mid(v, 14, 4)); }
int VoteState(const std::string& v) { return *FieldNumber(text::Mid(v, 18, 2)); }

bool IsLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeapYear(y) ? 29 : kDays[m - 1];
}

// The voting log's index in the day's folder, with LoadStatus cleared; without one, LoadStatus
// says kLogMissing.
std::optional<fs::path> FindLogIndex(Session& s) {
  s.race.LoadStatus = 0;
  std::optional<fs::path> index = text::FindEntry(s.app.DataFolder, kIndexName);
  if (!index) s.race.LoadStatus = kLogMissing;
  return index;
}

// Hands every vote of the vote files `names` in `folder` to `take`, file by file; a missing
// file is passed over. A file that cannot be read goes to `failed` with its path, which says
// whether to go on with the next file.
template <typename Take, typename Failed>
void ForEachLoggedVote(const fs::path& folder, const std::vector<std::string>& names, Take take,
                       Failed failed) {
  for (const std::string& name : names) {
    const auto path = text::FindEntry(folder, name + ".JRA");
    if (!path) continue;
    std::optional<ReadFailure> failure;
    const auto file = ReadVoteFile(*path, failure);
    if (failure) {
      if (!failed(*failure, *path)) return;
      continue;
    }
    if (file->empty) continue;
    for (const std::string& v : file->votes) take(v);
  }
}

std::string RightAligned(int v, int width) {
  return text::FormatText(std::to_string(v), std::string(static_cast<std::size_t>(width), '@'));
}

}  // namespace

std::string PreviousDay(const std::string& yyyymmdd) {
  if (yyyymmdd.size() != 8 ||
      !std::all_of(yyyymmdd.begin(), yyyymmdd.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return {};
  }
  int y = std::stoi(yyyymmdd.substr(0, 4));
  int m = std::stoi(yyyymmdd.substr(4, 2));
  int d = std::stoi(yyyymmdd.substr(6, 2));
  if (m < 1 || m > 12 || d < 1 || d > DaysInMonth(y, m) || (y == 0 && m == 1 && d == 1)) return {};
  if (--d == 0) {
    if (--m == 0) {
      m = 12;
      --y;
    }
    d = DaysInMonth(y, m);
  }
  return fmt::format("{:04}{:02}{:02}", y, m, d);
}

std::string PreviousDayShort(const std::string& yyyymmdd) {
  const std::string day = PreviousDay(yyyymmdd);
  return day.empty() ? day : day.substr(2);
}

void ReadVotingLog(Session& s, UserPort& port) {
  auto& h = s.history;
  const auto index = FindLogIndex(s);
  if (!index) return;
  // A damaged file ends the reading: the race's votes would be incomplete.
  auto fail = [&](const ReadFailure& f, const fs::path& path) {
    ReportFailure(s, port, f, path);
    s.race.LoadStatus = kLogReadError;
    return false;
  };
  const auto bytes = text::ReadFileBytes(*index);
  if (!bytes) {
    fail(kCannotRead, *index);
    return;
  }
  std::optional<ReadFailure> failure;
  const std::vector<std::string> names = IndexNames(*bytes, 9, s.race.GuideDate, failure);
  if (failure) {
    fail(*failure, *index);
    return;
  }

  const std::string key = RaceKey(s);
  h.LogStake = 0;
  ForEachLoggedVote(s.app.DataFolder, names, [&](const std::string& v) {
    if (VoteSaleKind(v) == s.race.CurrentDayKind && text::Mid(v, 5, 4) == key && VoteState(v) == 1) {
      AddVote(s, text::Mid(v, 4, 16) + std::string(7, ' '), VoteUnits(v));
    }
  }, fail);
}

void ReadAdvanceSaleLog(Session& s, UserPort& port) {
  auto& h = s.history;
  const auto index = FindLogIndex(s);
  if (!index) return;
  // Votes bought the day before only concern a race of the day.
  const std::string previous = PreviousDayShort(s.race.GuideDate);
  if (s.race.CurrentDayKind == 1 && !previous.empty()) {
    // A damaged file of the day before is reported and left out; the day's votes and the
    // other files still count.
    auto report = [&](const ReadFailure& f, const fs::path& path) {
      ReportFailure(s, port, f, path);
      s.race.LoadStatus = kLogReadError;
      return true;
    };
    std::optional<ReadFailure> failure;
    std::vector<std::string> names;
    if (const auto bytes = text::ReadFileBytes(*index)) {
      names = IndexNames(*bytes, 11, previous, failure);
      if (failure) report(*failure, *index);
    } else {
      report(kCannotRead, *index);
    }
    const std::string key = RaceKey(s);
    ForEachLoggedVote(s.app.DataFolder, names, [&](const std::string& v) {
      if (text::Mid(v, 5, 4) == key && VoteSaleKind(v) == 2 && VoteState(v) == 1) {
        AddVote(s, "3" + text::Mid(v, 5, 15) + std::string(7, ' '), VoteUnits(v));
      }
    }, report);
  }
  // Ascending by the whole entry, with the exchange loop: race-day votes before the ones of
  // the day before, then by bet kind, numbers and stake.
  auto& list = h.VoteList;
  for (std::size_t i = 0; i + 1 < list.size(); ++i) {
    for (std::size_t j = i + 1; j < list.size(); ++j) {
      if (list[i] > list[j]) std::swap(list[i], list[j]);
    }
  }
}

void CheckHits(Session& s) {
  auto& h = s.history;
  const auto& table = s.results.PayoutTable;
  h.PayoutHit.assign(table.size(), 0);
  h.LogReturn = 0;
  h.MaxHitPayout = 0;
  // Only the first ResultEntryCount records are scanned: after the refunds were merged that is
  // the whole table; with incomplete results it is what the reader left.
  const std::size_t scanned =
      std::min(table.size(), static_cast<std::size_t>(std::max(0, s.results.ResultEntryCount)));
  for (std::string& e : h.VoteList) {
    if (e.size() < 23) e.resize(23, ' ');
    const char sale = e[0];
    const int units = static_cast<int>(text::Val(e.substr(10, 4)));
    const int state = static_cast<int>(text::Val(e.substr(14, 2)));
    char result = '9';
    std::string payout(6, ' ');
    if (state == 1 && (sale == '1' || sale == '3')) {
      result = '0';
      for (std::size_t p = 0; p < scanned; ++p) {
        const std::string& rec = table[p];
        if (rec.size() < 9) continue;
        if (rec.compare(0, 5, e, 1, 5) == 0) result = '2';
        if (rec.compare(0, 9, e, 1, 9) == 0) {
          std::int64_t v =
              static_cast<std::int64_t>(text::Val(rec.size() > 9 ? rec.substr(9, 6) : std::string()));
          if (v != 0) {
            result = '1';
            h.MaxHitPayout = std::max(h.MaxHitPayout, v);
            h.PayoutHit[p] = 1;
            payout = text::FormatText(rec.substr(9, 6), "@@@@@@!");
          } else {
            v = 100;
            result = '3';
            payout = "   100";
          }
          h.LogReturn += units * v;  // 64-bit
          break;
        }
      }
    }
    e = e.substr(0, 16) + result + payout;
  }
  if (h.MaxHitPayout > 0) {
    h.HitMessage = h.MaxHitPayout >= 10000 ? "万馬券が的中しています！" : "的中しています！";
  }
}

std::string HitListLine(const std::string& entry) {
  std::string e = entry;
  if (e.size() < 23) e.resize(23, ' ');
  std::string line;
  switch (e[0]) {
    case '1':
    case '2':
      line = " ";
      break;
    case '3':
      line = "*";
      break;
    default:
      line = "?";
  }
  const std::string n1 = RightAligned(static_cast<int>(text::Val(e.substr(6, 2))), 2);
  const std::string n2 = RightAligned(static_cast<int>(text::Val(e.substr(8, 2))), 2);
  switch (e[5]) {
    case '1':
      line += "単 " + n2 + "   ";
      break;
    case '2':
      line += "複 " + n2 + "   ";
      break;
    case '3':
      line += "枠 " + n1 + "-" + n2;
      break;
    case '4':
      line += "馬 " + n1 + "-" + n2;
      break;
    case '5':
      line += "ワ " + n1 + "-" + n2;
      break;
    default:
      line += "??      ";
  }
  line += " " + RightAligned(static_cast<int>(text::Val(e.substr(10, 4))) * 100, 6) + " ";
  switch (e[16]) {
    case '0':
      break;
    case '1':
      line += " ○";
      break;
    case '2':
      line += " ×";
      break;
    case '3':
      line += " 返";
      break;
    case '9':
      line += " ？";
      break;
    default:
      line += "??";
  }
  return line;
}

void BuildHitList(Session& s) {
  for (const std::string& e : s.history.VoteList) s.history.HitListText += HitListLine(e) + "\r\n";
}

void RunHistorySteps(Session& s, UserPort& port) {
  auto& h = s.history;
  h.VoteList.clear();
  h.VoteCount = 0;
  // Totals and hit flags belong to this race only, also when the log is missing or damaged.
  h.LogStake = 0;
  h.LogReturn = 0;
  h.MaxHitPayout = 0;
  h.PayoutHit.assign(s.results.PayoutTable.size(), 0);
  h.HitListText.clear();
  ReadVotingLog(s, port);
  h.LogStatus = s.race.LoadStatus;
  if (s.race.LoadStatus > 0) return;
  ReadAdvanceSaleLog(s, port);
  h.LogStatus = s.race.LoadStatus;
  CheckHits(s);
  BuildHitList(s);
}

void BuildHistoryWindow(Session& s, bool showTotals) {
  const auto& h = s.history;
  auto& w = s.historyWindow;
  w.Text = h.HitListText;
  w.TotalsVisible = showTotals;
  w.StakeText = std::to_string(h.LogStake);
  w.ReturnText = std::to_string(h.LogReturn);
  const std::int64_t balance = h.LogReturn - h.LogStake;
  w.BalanceText = (balance > 0 ? "+" : "") + std::to_string(balance);
  w.BalanceColor = balance < 0 ? colours::kRed : colours::kBlack;
}

void MarkVotesOfSelectedRace(Session& s, UserPort& port) {
  ReadRaceResults(s, port, ResultsRead::VotesOnly);
  MarkVotedCombinations(s, s.history.VoteList);
}

void MarkFinishers(Session& s) {
  auto& mw = s.mainWindow;
  const auto& r = s.results;
  for (std::size_t i = 0; i < r.FinisherPlace.size(); ++i) {
    const int place = r.FinisherPlace[i];
    const int horse = r.FinisherHorse[i];
    if (place < 1 || place > 5 || horse < 1 || horse > kMaxHorses) continue;
    for (int p = 1; p <= mw.RowCount && p <= kMaxHorses; ++p) {
      if (s.race.HorseOrder[p] != horse) continue;
      CellView& c = mw.odzren[p];
      c.ForeColor = place <= 3 ? colours::kRed : colours::kBlue;
      c.Bold = place <= 2;
      c.ToolTip = std::to_string(place) + "着";
      break;
    }
  }
}

}  // namespace tz
