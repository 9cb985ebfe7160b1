// The race card (出馬表) of the selected race: post time, track and distance, and per runner the
// bracket, number, name, jockey, weight carried and jockey mark. Reading it keeps the horse
// names for the whole program (HorseName), sets the post time the countdown works from, and
// gives the main window its post-time and distance captions and the prediction window the
// identity columns of its rows.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "pat98/race_model.h"
#include "text/files.h"

namespace tz {

// Result of ReadRaceCard.
enum RaceCardStatus : int {
  kRaceCardRead = 0,      // the file was read
  kRaceCardMissing = -1,  // no race card file for the selected race
  kRaceCardUnusable = 1,  // a file exists but is too short to hold the header
};

// Width of the prediction window's identity panel and of the window itself when no race card
// is there to fill the name columns (twips).
inline constexpr int kNarrowIdentityPanelTwips = 555;
inline constexpr int kNarrowPredictionWindowTwips = 1900;

// The race-card file name of the selected race: "DE-" + course, day of the meeting (OddsDay)
// and race (CurrentRace), each as one code character (days 10-12 are A-C).
std::string SelectedRaceCardName(const RaceModel& race);

// Reads the race card of the selected race from DataFolder (found through `folders`). Always blanks
// the 18 horse names first. Without a usable file there is no post time and no runner record;
// otherwise the header and the runner records (at most 18, and only those wholly present) are kept,
// the racecourse name replaces OddsCourseName, and StartTimeText/StartTimeCaption are set for a
// race of the day (never for the advance-sale race). A post time that is not four digits
// counts as none.
int ReadRaceCard(RaceModel& race, const AppState& app, text::FolderIndex& folders);

// The same from the bytes of a race card file (nothing = no file).
int ReadRaceCardBytes(RaceModel& race, std::optional<std::string_view> bytes);

// The jockey mark for a mark code: 10 ☆, 20 △, 30 ▲, 40 ★, anything else a full-width blank.
std::string JockeyMark(int markCode);

// "発走時刻  " + hour + "時" + minute + "分" with hour and minute as plain numbers, from "hhmm";
// empty when the text is not four digits.
std::string PostTimeCaption(std::string_view hhmm);

// The caption of the main window's distance label (track + distance + "m", e.g. 芝1600m);
// empty when the last read found no race card (the label is then left as it is).
std::string DistanceCaption(const RaceModel& race);

// One row of the prediction window's identity columns.
struct RaceCardRow {
  int position = 0;                     // popularity position 1..HorseCount
  int bracket = 0;                      // bracket number shown (0 when unknown)
  std::optional<Colour> bracketBack;    // BracketColors[bracket - 1]
  std::optional<Colour> bracketText;    // BracketColors[0] on brackets 2 and 4, else default
  int number = 0;                       // horse number shown
  std::string nameCell;                 // " " + HorseName; empty without a race card
  std::string jockeyCell;               // " " + jockey name; empty without a race card
  std::string weightCell;               // jockey mark + weight carried, e.g. "☆54.0"
  std::optional<Colour> nameColour;     // check-list colour of the horse name
  std::optional<Colour> jockeyColour;   // check-list colour of the jockey name
};

struct RaceCardRows {
  std::vector<RaceCardRow> rows;  // element i is position i + 1
  bool narrow = true;             // no race card: only brackets and numbers, name columns hidden
};

// The identity rows of the prediction window for the selected race, in popularity order
// (HorseOrder), from what the last ReadRaceCard kept. A horse without a runner record on the
// card (or every horse when there is no card) shows its number and bracket from the odds only.
RaceCardRows BuildRaceCardRows(const RaceModel& race, const AppState& app);

// The check-list colour for a shown name: the colour of the box of the first entry whose name
// equals the trimmed name; nothing when no entry matches or the name is blank.
std::optional<Colour> CheckListColour(const AppState& app, std::string_view shownName);

}  // namespace tz
