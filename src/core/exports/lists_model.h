// What the recommended-longshot list (推奨穴馬一覧) and the predicted-values list (予想値一覧)
// show. Both are filled by a run over every race of the day and keep what the last run of
// their kind filled. Races are addressed by meeting m (1..3) and race r (1..12), the race index
// being i = 12 (m - 1) + (r - 1).
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "app/app_state.h"

namespace tz {

inline constexpr int kListRaces = 36;       // 3 meetings x 12 races
inline constexpr int kLongshotSlots = 6;    // marked horses kept per race
inline constexpr int kPredictedGroups = 5;  // W, R, Z, T, F
inline constexpr int kPredictedEntries = 6; // entries kept per group; five are shown
inline constexpr Colour kListGrey = 0xE0E0E0;  // horse ranked 1 in red under R or Z (UmaTanShi)
inline constexpr Colour kListRed = 255;
inline constexpr Colour kListBlue = 0xFF0000;

inline constexpr int ListRaceIndex(int meeting, int race) { return 12 * (meeting - 1) + (race - 1); }

// One label of a list window: its caption, the background when it is not the window's own,
// text colour and weight.
struct ListLabel {
  std::string Text;
  std::optional<Colour> Back;
  Colour Fore = 0;
  bool Bold = false;
};

// One marked horse of a race: mark and horse number (Lbuma), popularity position on the colour
// of its win odds cell (Lbninki), finishing place once results exist (Lbchaku).
struct LongshotSlot {
  int HorseNumber = 0;  // the marked horse, 0 for an empty slot
  ListLabel Horse;
  ListLabel Position;
  ListLabel Place;
};

struct LongshotRace {
  std::string Caption;  // Lbrace: "1R" .. "12R"
  std::string Upset;    // Lbtan: truncated upset value, blank, class letter, blank
  std::array<LongshotSlot, kLongshotSlots> Slots{};
};

struct LongshotListModel {
  bool Built = false;   // a run has filled the list
  int MeetingCount = 0;
  std::array<std::string, 4> MeetingCaptions{};  // 1..3: racecourse names of the meeting buttons
  std::array<LongshotRace, kListRaces> Races{};
  int Page = 1;  // meeting page shown
};

// One horse of an indicator group.
struct PredictedEntry {
  int Position = 0;
  int Rank = 0;
  int HorseNumber = 0;
  bool Marked = false;      // R or Z rank 1 shown in red
  std::string HorseText;    // horse number
  std::string PositionText; // popularity position
  Colour Back = 0xFFFFFF;   // the colour of the win odds cell of the position, or grey
  std::string PlaceText;    // finishing place 1..5 once results exist
  Colour PlaceFore = 0;     // red for places 1..3
  bool PlaceBold = false;   // places 1 and 2
};

struct PredictedRace {
  bool Filled = false;             // the race was analysed
  std::string UpsetText;           // upset value rounded to one decimal, blank, class letter
  std::array<std::string, 3> Favourite{};  // place, win and " " + 仮単 texts of position 1
  std::string Leading;             // "F"/"T" + "R"/"Z" as the bold headers show
  // Groups in the order W, R, Z, T, F.
  std::array<std::vector<PredictedEntry>, kPredictedGroups> Groups{};
};

// Indicator groups of the list.
enum PredictedGroup : int { kGroupW = 0, kGroupR = 1, kGroupZ = 2, kGroupT = 3, kGroupF = 4 };
inline constexpr std::array<const char*, kPredictedGroups> kPredictedGroupNames{"W", "R", "Z",
                                                                              "T", "F"};

struct PredictedValuesListModel {
  bool Built = false;
  int MeetingCount = 0;
  std::array<std::string, 4> MeetingCaptions{};  // 1..3
  std::array<PredictedRace, kListRaces> Races{};
  int Meeting = 1;  // meeting shown
  int Group = 1;    // group shown, 1..5 (W, R, Z, T, F)
};

// One race line of a predicted-values page.
struct PredictedPageRow {
  std::string Caption;  // Lbrace: "1R" ..
  std::string Upset;    // Lbtan: blank, upset text, blank
  std::string Leading;  // LbYoso
  // Slots 0..4: the group's first five entries; slot 5: the favourite's place, win and 仮単.
  std::array<LongshotSlot, 6> Slots{};
};

}  // namespace tz
