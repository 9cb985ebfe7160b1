#include "results/race_card.h"

#include <algorithm>

#include "pat98/file_names.h"
#include "text/files.h"
#include "text/in_place.h"
#include "text/numbers.h"
#include "text/sjis.h"
#include "text/strings.h"

namespace tz {

namespace {

constexpr std::size_t kHeaderBytes = 92;  // through the runner count
constexpr std::size_t kRunnerBytes = 48;
constexpr std::size_t kNameChars = 18;
constexpr std::size_t kJockeyChars = 16;

// The text cut or padded with blanks to exactly `n` characters, into `out`. Its texts are
// decoded ones, whole UTF-8 characters only.
void AssignFixedChars(std::string& out, std::string_view utf8, std::size_t n) {
  std::size_t end = 0;
  std::size_t have = 0;
  for (; end < utf8.size() && have < n; ++have) text::NextCodePoint(utf8, end);
  out.assign(utf8.substr(0, end)).append(n - have, ' ');
}

// Horse names are shown in half-width characters with the prolonged-sound mark as "-", cut or
// padded to 18 characters.
void AssignHorseName(std::string& out, std::string_view decoded) {
  out.clear();
  std::size_t have = 0;
  for (std::size_t i = 0; i < decoded.size() && have < kNameChars;) {
    char32_t half[2];
    const int n = text::HalfWidthForm(text::NextCodePoint(decoded, i), half);
    for (int k = 0; k < n && have < kNameChars; ++k, ++have) {
      text::AppendUtf8(out, half[k] == U'ｰ' ? U'-' : half[k]);
    }
  }
  out.append(kNameChars - have, ' ');
}

// Bytes start..start+len-1 of the file decoded into `out`.
void AssignField(std::string& out, std::string_view bytes, std::size_t start, std::size_t len) {
  text::DecodeSjisInto(out, text::MidB(bytes, start, len));
}

bool IsFourDigits(std::string_view s) {
  return s.size() == 4 && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int SmallInt(std::string_view bytes) { return static_cast<int>(text::ValInt(bytes)); }

}  // namespace

std::string SelectedRaceCardName(const RaceModel& race) {
  return RaceCardFileName(race.CurrentCourse, race.OddsDay, race.CurrentRace);
}

std::string JockeyMark(int markCode) {
  switch (markCode) {
    case 10: return "☆";
    case 20: return "△";
    case 30: return "▲";
    case 40: return "★";
    default: return "　";
  }
}

namespace {

void AppendPostTimeCaption(std::string& out, std::string_view hhmm) {
  if (!IsFourDigits(hhmm)) return;
  out.append("発走時刻  ")
      .append(std::to_string(SmallInt(hhmm.substr(0, 2))))
      .append("時")
      .append(std::to_string(SmallInt(hhmm.substr(2, 2))))
      .append("分");
}

}  // namespace

std::string PostTimeCaption(std::string_view hhmm) {
  std::string out;
  AppendPostTimeCaption(out, hhmm);
  return out;
}

std::string DistanceCaption(const RaceModel& race) {
  if (!race.RaceCardLoaded) return {};
  return race.RaceTrackType + race.RaceDistance + "m";
}

int ReadRaceCard(RaceModel& race, const AppState& app, text::FolderIndex& folders) {
  std::optional<std::string> bytes;
  if (auto path = folders.FindFilePath(app.DataFolder, SelectedRaceCardName(race))) {
    bytes = text::ReadPathBytes(*path);
  }
  return ReadRaceCardBytes(race, bytes ? std::optional<std::string_view>(*bytes) : std::nullopt);
}

int ReadRaceCardBytes(RaceModel& r, std::optional<std::string_view> bytes) {
  // The texts of the model are assigned in place, so that they keep their buffers from race to
  // race.
  for (std::string& name : r.HorseName) name.assign(kNameChars, ' ');
  r.RaceCardLoaded = false;
  r.RaceCardRunnerCount = 0;
  r.RaceTrackType.clear();
  r.RaceDistance.clear();
  for (std::string& title : r.RaceCardTitle) title.clear();
  if (!bytes || bytes->size() < kHeaderBytes) {
    r.StartTimeText.clear();
    return bytes ? kRaceCardUnusable : kRaceCardMissing;
  }
  std::string_view b = *bytes;
  std::string field;  // one decoded field at a time

  AssignField(r.OddsCourseName, b, 9, 4);
  std::string_view post = text::MidB(b, 23, 4);
  if (IsFourDigits(post)) {
    r.StartTimeText.assign(post);
  } else {
    r.StartTimeText.clear();
  }
  AssignField(r.RaceTrackType, b, 27, 2);
  AssignField(r.RaceDistance, b, 31, 4);
  for (std::size_t line = 0; line < r.RaceCardTitle.size(); ++line) {
    AssignField(field, b, 35 + 28 * line, 28);
    text::AssignTrimmed(r.RaceCardTitle[line], field);
  }

  // Only whole runner records count; a runner count beyond 18 or beyond the file is cut.
  int declared = std::clamp(SmallInt(text::MidB(b, 91, 2)), 0, kMaxHorses);
  int present = static_cast<int>((b.size() - kHeaderBytes) / kRunnerBytes);
  int n = std::min(declared, present);
  for (int k = 0; k < n; ++k) {
    std::size_t at = kHeaderBytes + 1 + kRunnerBytes * static_cast<std::size_t>(k);
    RaceCardRunner& run = r.RaceCardRunners[static_cast<std::size_t>(k)];
    run.Bracket = SmallInt(text::MidB(b, at, 2));
    run.Number = SmallInt(text::MidB(b, at + 2, 2));
    AssignField(field, b, at + 6, 18);
    AssignHorseName(r.HorseName[static_cast<std::size_t>(k)], field);
    AssignField(field, b, at + 24, 18);
    AssignFixedChars(run.Jockey, field, kJockeyChars);
    run.MarkCode = SmallInt(text::MidB(b, at + 42, 2));
    AssignField(run.Weight, b, at + 44, 4);
  }
  r.RaceCardRunnerCount = n;
  r.RaceCardLoaded = true;

  if (r.CurrentDayKind != 1) {
    r.StartTimeText.clear();
  } else if (!r.StartTimeText.empty()) {
    r.StartTimeCaption.assign("    ");
    AppendPostTimeCaption(r.StartTimeCaption, r.StartTimeText);
  }
  return kRaceCardRead;
}

std::optional<Colour> CheckListColour(const AppState& app, std::string_view shownName) {
  std::string name = text::Trim(shownName);
  if (name.empty()) return std::nullopt;
  for (std::size_t i = 1; i < app.CheckList.size(); ++i) {
    const CheckEntry& e = app.CheckList[i];
    if (e.Name != name) continue;
    if (app.BoxColors.empty()) return std::nullopt;
    int box = std::clamp(e.ColourIndex, 0, static_cast<int>(app.BoxColors.size()) - 1);
    return app.BoxColors[static_cast<std::size_t>(box)];
  }
  return std::nullopt;
}

RaceCardRows BuildRaceCardRows(const RaceModel& r, const AppState& app) {
  RaceCardRows out;
  out.narrow = !r.RaceCardLoaded;
  int count = std::clamp(r.HorseCount, 0, kMaxHorses);
  for (int p = 1; p <= count; ++p) {
    RaceCardRow row;
    row.position = p;
    int h = r.HorseOrder[static_cast<std::size_t>(p)];
    bool validHorse = h >= 1 && h <= kMaxHorses;
    int k = h - 1;
    if (r.RaceCardLoaded && validHorse && k < r.RaceCardRunnerCount) {
      const RaceCardRunner& run = r.RaceCardRunners[static_cast<std::size_t>(k)];
      const std::string& name = r.HorseName[static_cast<std::size_t>(k)];
      row.bracket = run.Bracket;
      row.number = run.Number;
      row.nameCell = " " + name;
      row.jockeyCell = " " + run.Jockey;
      row.weightCell = JockeyMark(run.MarkCode) + run.Weight;
      row.nameColour = CheckListColour(app, name);
      row.jockeyColour = CheckListColour(app, run.Jockey);
    } else if (validHorse) {
      row.number = h;
      row.bracket = r.HorseBracket[static_cast<std::size_t>(h)];
    }
    if (row.bracket >= 1 && row.bracket <= kMaxBrackets) {
      row.bracketBack = app.BracketColors[static_cast<std::size_t>(row.bracket - 1)];
      if (row.bracket == 2 || row.bracket == 4) row.bracketText = app.BracketColors[0];
    }
    out.rows.push_back(std::move(row));
  }
  return out;
}

}  // namespace tz
