#include "exports/csv_export.h"

#include <algorithm>
#include <cerrno>
#include <functional>
#include <cstring>

#include "analysis/implied_win.h"
#include "analysis/vote_shares.h"
#include "pat98/day_loader.h"
#include "session.h"
#include "text/files.h"
#include "text/numbers.h"
#include "text/strings.h"

namespace tz {

namespace {

constexpr const char* kScratched = "ﾄﾘｹｼ";

// An empty odds text marks a scratched horse (or a pair with one).
std::string_view OrScratched(std::string_view v) { return v.empty() ? std::string_view(kScratched) : v; }

// The display row (position) of horse h, 0 when it is not in the order.
int PositionOf(const Session& s, int h) {
  for (int p = 1; p <= s.race.HorseCount; ++p) {
    if (s.race.HorseOrder[p] == h) return p;
  }
  return 0;
}

void MatrixRows(std::vector<std::string>& lines, int n,
                const std::function<std::string_view(int, int)>& cell) {
  for (int h = 1; h <= n; ++h) {
    std::string line = std::to_string(h) + ",";
    for (int k = 1; k <= n; ++k) {
      const std::string_view v = cell(h, k);
      line.append(v.empty() && h != k ? std::string_view(kScratched) : v).append(",");
    }
    lines.push_back(std::move(line));
  }
}

// A share line: "," and then every share followed by a comma, like every other line.
std::string ShareLine(const Table1<std::string, kMaxHorses>& shares, int n) {
  std::string line = ",";
  for (int h = 1; h <= n; ++h) line += shares[h] + ",";
  return line;
}

// The racecourse name of the current meeting as the guide gives it.
std::string MeetingCourseName(const Session& s) {
  const auto& r = s.race;
  const int m = r.CurrentMeeting;
  if (m < 1 || m > kMaxMeetings) return {};
  return RacecourseName(r, r.MeetingInfo[m].CourseCode, r.MeetingInfo[m].Year);
}

}  // namespace

std::string RaceCsvFileName(const Session& s) {
  const auto& r = s.race;
  const std::string md = r.GuideDate.size() >= 8 ? r.GuideDate.substr(4, 4) : std::string();
  return md + MeetingCourseName(s) + std::to_string(r.CurrentRace) + "R" +
         (r.CurrentDayKind == 2 ? "前日" : "") + ".csv";
}

std::vector<std::string> RaceCsvLines(const Session& s) {
  const auto& r = s.race;
  const auto& a = s.analysis;
  const auto& mw = s.mainWindow;
  const int n = std::clamp(r.HorseCount, 0, kMaxHorses);
  std::vector<std::string> lines;
  lines.push_back(text::Trim(mw.lblkai) + " " + text::Trim(mw.lblrace) + " " +
                  text::Trim(mw.Lbltime) + ",");
  // With the option ImpliedWin the market-implied win odds follow as one more column, after
  // every classic one, so that readers of the classic file find their columns where they were.
  const bool withImplied = s.app.settings.ImpliedWin == 1;
  const std::optional<ImpliedWin> implied =
      withImplied ? ComputeImpliedWin(r, a) : std::optional<ImpliedWin>();
  lines.push_back(std::string(",複勝1,複勝2,単勝,仮単,馬名,Ｆ,Ｔ,Ｗ,Ｒ,Ｚ,推奨馬,着順") +
                  (withImplied ? ",推定単勝" : ""));
  for (int h = 1; h <= n; ++h) {
    std::string line = std::to_string(h) + ",";
    line.append(OrScratched(r.PlaceOddsLow[h])).append(",");
    line.append(OrScratched(r.PlaceOddsHigh[h])).append(",");
    line.append(OrScratched(r.WinOdds[h])).append(",");
    // Only a scratched horse shows the marker; a runner without quotes keeps "999.9".
    line += (IsScratched(s, h) ? std::string(kScratched) : a.SyntheticWinText[h]) + ",";
    line += r.HorseName[h - 1] + ",";
    const int p = PositionOf(s, h);
    if (p >= 1 && p <= s.prediction.RowCount) {
      const PredictionRow& row = s.prediction.Rows[p];
      line += row.F + "," + row.T + "," + row.W + "," + row.R + "," + row.Z + "," + row.Mark + ",";
    } else {
      line += ",,,,,,";
    }
    if (withImplied) {
      line += ",";
      if (implied && implied->Odds[h] > 0) line += text::FormatNumber(implied->Odds[h], "#0.0");
    }
    lines.push_back(std::move(line));
  }
  lines.emplace_back();

  lines.push_back(ShareLine(a.QuinellaShareText, n));
  std::string title = r.CurrentSaleCode == 7 ? "枠連," : "馬連,";
  for (int h = 1; h <= n; ++h) title += std::to_string(h) + ",";
  lines.push_back(title);
  MatrixRows(lines, n, [&](int h, int k) -> std::string_view { return r.QuinellaOdds[h][k]; });
  lines.emplace_back();

  if (r.CurrentSaleCode != 7) {
    lines.push_back(ShareLine(a.WideShareText, n));
    std::string wideTitle = "ワイド,";
    for (int h = 1; h <= n; ++h) wideTitle += std::to_string(h) + ",";
    lines.push_back(wideTitle);
    MatrixRows(lines, n, [&](int h, int k) -> std::string_view { return r.WideOddsLow[h][k]; });
    lines.emplace_back();
    std::string bracketTitle = "枠連,";
    for (int b = 1; b <= kMaxBrackets; ++b) bracketTitle += std::to_string(b) + ",";
    lines.push_back(bracketTitle);
    MatrixRows(lines, kMaxBrackets,
               [&](int b, int c) -> std::string_view { return r.BracketQuinellaOdds[b][c]; });
  }
  return lines;
}

std::filesystem::path ExportRaceCsv(Session& s, UserPort& port) {
  const std::string& title = s.app.AppTitle;
  const std::string& folder = s.app.settings.CSVpath;
  if (folder.empty()) {
    port.Error(title, "CSVﾌｧｲﾙ作成ﾌｫﾙﾀﾞが指定されていません。\n\n");
    return {};
  }
  if (!text::FolderExists(folder)) {
    port.Error(title, "CSVﾌｧｲﾙ作成ﾌｫﾙﾀﾞが存在しません。\n\n" + folder);
    return {};
  }
  const std::string name = RaceCsvFileName(s);
  const auto inFolder = text::PathInFolder(folder, name);
  if (!inFolder) {
    port.Error(title, std::string(text::kBadFileNameMessage) + "\n\n" + name);
    return {};
  }
  const std::filesystem::path& path = *inFolder;
  const std::string shown = path.string();
  if (text::FileExists(path)) {
    const Answer a = port.Ask(title, shown + "\n\nﾌｧｲﾙは既に存在します。上書きしますか？",
                              Buttons::YesNo, Icon::Warning, Answer::No);
    if (a != Answer::Yes) return {};
  }
  // The file gets its name only when complete; an error leaves the old one as it was.
  text::LineWriter w(path);
  for (const std::string& line : RaceCsvLines(s)) {
    if (!w.WriteLine(line)) break;
  }
  if (!w.Commit()) {
    const int err = w.error();
    port.Error(title, "ErrorNo." + std::to_string(err) + "\n\n" + std::strerror(err));
    return {};
  }
  port.Info(title, shown + "\n\nﾌｧｲﾙを作成しました");
  return path;
}

}  // namespace tz
