// Runs over every race of the loaded day, as if the user selected each race in turn.
#pragma once

namespace tz {

struct Session;

// Age, class, surface and distance (hundreds of metres) of a race from its race card; all 0
// without a race card.
struct RaceClass {
  int Age = 0;
  int Class = 0;
  int Surface = 0;
  int Distance = 0;
};

struct BatchState {
  int BatchKind = 0;  // 1 recommended longshots, 2 predicted values
};

// Makes race r of meeting m the current race without touching the race buttons; false when the
// race has no odds file.
bool MakeCurrentRace(Session& s, int meeting, int race);
RaceClass ClassifyRaceCard(const Session& s, int meeting, int race);

}  // namespace tz
