#include "exports/day_lists.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include "analysis/main_window_model.h"
#include "analysis/race_analysis.h"
#include "exports/day_batch.h"
#include "pat98/day_loader.h"
#include "results/results_reader.h"
#include "session.h"
#include "text/files.h"
#include "text/numbers.h"
#include "text/sjis.h"
#include "text/strings.h"

namespace tz {

namespace {

bool ValidRace(int meeting, int race) {
  return meeting >= 1 && meeting <= kMaxMeetings && race >= 1 && race <= kMaxRaces;
}

// The indicator of a group of the predicted-values list.
Indicator GroupIndicator(int group) {
  switch (group) {
    case kGroupW: return Indicator::W;
    case kGroupR: return Indicator::R;
    case kGroupZ: return Indicator::Z;
    case kGroupT: return Indicator::T;
    default: return Indicator::F;
  }
}

template <typename Model>
void StartList(Session& s, Model& list) {
  list = Model{};
  list.MeetingCount = std::clamp(s.race.MeetingCount, 0, kMaxMeetings);
  for (int m = 1; m <= list.MeetingCount; ++m) {
    const MeetingRecord& info = s.race.MeetingInfo[m];
    list.MeetingCaptions[m] = RacecourseName(s.race, info.CourseCode, info.Year);
  }
}

std::string PlainError(int err) {
  return "ErrorNo." + std::to_string(err) + "\n\n" + std::strerror(err);
}

// The export as both buttons run it.
std::filesystem::path WriteLongshotExport(Session& s, UserPort& port, bool csv) {
  const std::string& title = s.app.AppTitle;
  const std::string& folder = s.app.settings.CSVpath;
  if (folder.empty() || !text::FolderExists(folder)) {
    port.Error(title, std::string(kListFolderMissing) + "\n\n" + folder);
    return {};
  }
  const std::filesystem::path path = LongshotExportPath(s, csv);
  if (path.empty()) {
    port.Error(title, std::string(text::kBadFileNameMessage) + "\n\n" + s.race.GuideDate);
    return {};
  }
  const std::string shown = path.string();
  if (text::FileExists(path)) {
    const Answer a = port.Ask(title, shown + "\n\n" + kListOverwrite, Buttons::YesNo,
                              Icon::Warning, Answer::No);
    if (a != Answer::Yes) return {};
  }
  const std::vector<std::string> lines =
      csv ? LongshotCsvLines(s.longshotList) : LongshotTextLines(s.longshotList);
  // The file gets its name only when complete; an error leaves the old one as it was.
  text::LineWriter w(path);
  for (const std::string& line : lines) {
    if (!w.WriteLine(line)) break;
  }
  if (!w.Commit()) {
    port.Error(title, PlainError(w.error()));
    return {};
  }
  port.Info(title, shown + "\n\n" + kListWritten);
  return path;
}

// The cells of one race line of the exports: the mark of horse h (1..18) or nothing.
std::array<std::string, 19> MarksByHorse(const LongshotRace& race) {
  std::array<std::string, 19> marks{};
  for (const LongshotSlot& slot : race.Slots) {
    const std::string& caption = slot.Horse.Text;
    if (text::CharCount(caption) < 2) continue;
    const std::string mark = text::Left(caption, 1);
    const long long h = text::ValInt(text::Mid(caption, 2));
    if (h >= 1 && h <= kMaxHorses && marks[static_cast<std::size_t>(h)].empty()) {
      marks[static_cast<std::size_t>(h)] = mark;
    }
  }
  return marks;
}

}  // namespace

// ---- Recommended longshots ----

void AddLongshotRace(Session& s, int meeting, int race) {
  if (!ValidRace(meeting, race)) return;
  LongshotRace& out = s.longshotList.Races[ListRaceIndex(meeting, race)];
  out.Caption = std::to_string(race) + "R";
  const RaceAnalysis& ra = s.raceAnalysis;
  // The truncated value as the upset label shows it; nothing when the race has no value.
  out.Upset = ra.HasUpset ? ra.UpsetText + " " + ra.ClassLetter() + " " : std::string();

  const bool grey = s.app.settings.UmaTanShi == 1;
  int k = 0;
  for (int p = 1; p <= ra.RowCount && k < kLongshotSlots; ++p) {
    const LongshotMark mark = ra.Mark[p];
    if (mark != LongshotMark::DoubleStar && mark != LongshotMark::Star) continue;
    LongshotSlot& slot = out.Slots[static_cast<std::size_t>(k)];
    slot.HorseNumber = ra.Horse[p];
    slot.Horse.Text = MarkText(mark) + std::to_string(s.race.HorseOrder[p]);
    if (grey && ra.RedRankOne(p)) slot.Horse.Back = kListGrey;
    slot.Position.Text = std::to_string(p);
    slot.Position.Back = colours::kClass[static_cast<std::size_t>(ra.OddsClass[p])];
    ++k;
  }
}

void AddLongshotResults(Session& s, int meeting, int race) {
  if (!ValidRace(meeting, race)) return;
  LongshotRace& out = s.longshotList.Races[ListRaceIndex(meeting, race)];
  const ResultState& res = s.results;
  for (LongshotSlot& slot : out.Slots) {
    for (std::size_t n = 0; n < res.FinisherHorse.size(); ++n) {
      const int place = res.FinisherPlace[n];
      if (place < 1 || place > 5) continue;
      if (slot.HorseNumber < 1 || res.FinisherHorse[n] != slot.HorseNumber) continue;
      slot.Place.Text = std::to_string(place);
      slot.Place.Fore = place <= 3 ? kListRed : kListBlue;
      slot.Place.Bold = place <= 2;
      break;
    }
  }
}

namespace {
// The results step of the day lists: the race's payouts, no voting log.
void ReadPayoutsOfRunRace(Session& s, UserPort& port) {
  ReadRaceResults(s, port, ResultsRead::ResultsOnly);
}
}  // namespace

bool BuildLongshotList(Session& s, UserPort& port, const RaceResultsStep& readResults) {
  StartList(s, s.longshotList);
  s.longshotList.Built = true;
  // Every race of a meeting shows its number, with or without odds.
  for (int m = 1; m <= s.longshotList.MeetingCount; ++m) {
    for (int r = 1; r <= kMaxRaces; ++r) {
      s.longshotList.Races[ListRaceIndex(m, r)].Caption = std::to_string(r) + "R";
    }
  }
  DayRunHooks hooks;
  hooks.analysed = [&](int m, int r) {
    AddLongshotRace(s, m, r);
    if (readResults) readResults(s, port);
    AddLongshotResults(s, m, r);
  };
  hooks.progress = [&](int processed) { ReportBatchProgress(s, port, processed); };
  return RunDayBatch(s, port, hooks);
}

bool BuildLongshotList(Session& s, UserPort& port) {
  return BuildLongshotList(s, port, &ReadPayoutsOfRunRace);
}

// ---- Predicted values ----

void AddPredictedRace(Session& s, int meeting, int race) {
  if (!ValidRace(meeting, race)) return;
  PredictedRace& out = s.predictedList.Races[ListRaceIndex(meeting, race)];
  out = PredictedRace{};
  out.Filled = true;
  const RaceAnalysis& ra = s.raceAnalysis;
  // Rounded here, where the longshot list truncates.
  out.UpsetText = ra.HasUpset
                      ? text::FormatNumber(ra.UpsetIndicator, "#0.0") + " " + ra.ClassLetter()
                      : std::string();
  const MainWindowModel& mw = s.mainWindow;
  out.Favourite = {mw.odzfuk[1].Text, mw.odztan[1].Text, " " + mw.odzren[1].Text};
  if (ra.LeadingPool() != '\0') out.Leading += ra.LeadingPool();
  if (ra.LeadingPair() != '\0') out.Leading += ra.LeadingPair();

  const bool grey = s.app.settings.UmaTanShi == 1;
  for (int g = 0; g < kPredictedGroups; ++g) {
    std::vector<PredictedEntry>& entries = out.Groups[static_cast<std::size_t>(g)];
    const Indicator indicator = GroupIndicator(g);
    for (int p = 1; p <= ra.RowCount && static_cast<int>(entries.size()) < kPredictedEntries;
         ++p) {
      const int rank = ra.RankOf(indicator, p);
      if (rank < 1 || rank > 5) continue;
      PredictedEntry e;
      e.Position = p;
      e.Rank = rank;
      e.Marked = ra.RedRankOne(p);
      entries.push_back(e);
    }
    // Exchange sort by rank: equal ranks keep the order the loop leaves.
    for (std::size_t i = 0; i + 1 < entries.size(); ++i) {
      for (std::size_t j = i + 1; j < entries.size(); ++j) {
        if (entries[j].Rank < entries[i].Rank) std::swap(entries[i], entries[j]);
      }
    }
    for (PredictedEntry& e : entries) {
      e.HorseNumber = ra.Horse[e.Position];
      e.HorseText = std::to_string(s.race.HorseOrder[e.Position]);
      e.PositionText = std::to_string(e.Position);
      e.Back = colours::kClass[static_cast<std::size_t>(ra.OddsClass[e.Position])];
      if (e.Marked && grey) e.Back = kListGrey;
    }
  }
}

void AddPredictedResults(Session& s, int meeting, int race) {
  if (!ValidRace(meeting, race)) return;
  PredictedRace& out = s.predictedList.Races[ListRaceIndex(meeting, race)];
  const ResultState& res = s.results;
  for (auto& entries : out.Groups) {
    const std::size_t shown = std::min<std::size_t>(entries.size(), 5);
    for (std::size_t k = 0; k < shown; ++k) {
      PredictedEntry& e = entries[k];
      for (std::size_t n = 0; n < res.FinisherHorse.size(); ++n) {
        const int place = res.FinisherPlace[n];
        if (place < 1 || place > 5) continue;
        if (e.HorseNumber < 1 || res.FinisherHorse[n] != e.HorseNumber) continue;
        e.PlaceText = std::to_string(place);
        e.PlaceFore = place <= 3 ? kListRed : 0;
        e.PlaceBold = place <= 2;
        break;
      }
    }
  }
}

bool BuildPredictedValuesList(Session& s, UserPort& port, const RaceResultsStep& readResults) {
  StartList(s, s.predictedList);
  s.predictedList.Built = true;
  DayRunHooks hooks;
  hooks.analysed = [&](int m, int r) {
    AddPredictedRace(s, m, r);
    if (readResults) readResults(s, port);
    AddPredictedResults(s, m, r);
  };
  hooks.progress = [&](int processed) { ReportBatchProgress(s, port, processed); };
  return RunDayBatch(s, port, hooks);
}

bool BuildPredictedValuesList(Session& s, UserPort& port) {
  return BuildPredictedValuesList(s, port, &ReadPayoutsOfRunRace);
}

std::vector<PredictedPageRow> PredictedPage(const PredictedValuesListModel& list, int meeting,
                                            int group) {
  std::vector<PredictedPageRow> rows(kMaxRaces);
  if (meeting < 1 || meeting > kMaxMeetings || group < 1 || group > kPredictedGroups) return rows;
  for (int r = 1; r <= kMaxRaces; ++r) {
    const PredictedRace& race = list.Races[ListRaceIndex(meeting, r)];
    PredictedPageRow& row = rows[static_cast<std::size_t>(r - 1)];
    row.Caption = std::to_string(r) + "R";
    row.Upset = " " + race.UpsetText + " ";
    row.Leading = race.Leading;
    row.Slots[5].Horse.Text = race.Favourite[0];
    row.Slots[5].Position.Text = race.Favourite[1];
    row.Slots[5].Place.Text = race.Favourite[2];
    const auto& entries = race.Groups[static_cast<std::size_t>(group - 1)];
    for (std::size_t k = 0; k < entries.size() && k < 5; ++k) {
      const PredictedEntry& e = entries[k];
      LongshotSlot& slot = row.Slots[k];
      slot.Horse.Text = e.HorseText;
      slot.Horse.Back = e.Back;
      slot.Position.Text = e.PositionText;
      slot.Place.Text = e.PlaceText;
      slot.Place.Fore = e.PlaceFore;
      slot.Place.Bold = e.PlaceBold;
    }
  }
  return rows;
}

// ---- Exports of the longshot list ----

std::filesystem::path LongshotExportPath(const Session& s, bool csv) {
  const std::string mmdd = text::Mid(s.race.GuideDate, 5, 4);
  return text::PathInFolder(s.app.settings.CSVpath, mmdd + "推奨馬" + (csv ? ".csv" : ".txt"))
      .value_or(std::filesystem::path());
}

std::vector<std::string> LongshotTextLines(const LongshotListModel& list) {
  std::vector<std::string> lines;
  for (int m = 1; m <= list.MeetingCount; ++m) {
    std::string header = list.MeetingCaptions[m];
    for (int h = 1; h <= kMaxHorses; ++h) header += " " + text::FormatNumber(h, "00");
    lines.push_back(std::move(header));
    for (int r = 1; r <= kMaxRaces; ++r) {
      const auto marks = MarksByHorse(list.Races[ListRaceIndex(m, r)]);
      std::string line = text::FormatText(std::to_string(r), "@@@@");
      for (int h = 1; h <= kMaxHorses; ++h) {
        const std::string& mark = marks[static_cast<std::size_t>(h)];
        line += " " + (mark.empty() ? std::string("－") : mark);
      }
      lines.push_back(std::move(line));
    }
  }
  return lines;
}

std::vector<std::string> LongshotCsvLines(const LongshotListModel& list) {
  std::vector<std::string> lines;
  for (int m = 1; m <= list.MeetingCount; ++m) {
    std::string header = list.MeetingCaptions[m];
    for (int h = 1; h <= kMaxHorses; ++h) header += "," + std::to_string(h);
    lines.push_back(std::move(header));
    for (int r = 1; r <= kMaxRaces; ++r) {
      const auto marks = MarksByHorse(list.Races[ListRaceIndex(m, r)]);
      std::string line = std::to_string(r);
      for (int h = 1; h <= kMaxHorses; ++h) {
        const std::string& mark = marks[static_cast<std::size_t>(h)];
        line += "," + (mark.empty() ? std::string(" ") : mark);
      }
      lines.push_back(std::move(line));
    }
  }
  return lines;
}

std::filesystem::path ExportLongshotText(Session& s, UserPort& port) {
  return WriteLongshotExport(s, port, false);
}

std::filesystem::path ExportLongshotCsv(Session& s, UserPort& port) {
  return WriteLongshotExport(s, port, true);
}

}  // namespace tz
