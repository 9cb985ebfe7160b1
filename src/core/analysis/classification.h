// The race class (RaceTypeCode), the mark integers, the longshot marks ★ ☆ ▲ △ and the red
// R/Z rank 1 of each position, from the ranks of the indicator steps.
#pragma once

namespace tz {

struct Session;

// Needs FValue .. ZValue (the Z rank gives the mark bit 4), the over-betting flags and the
// gap groups of the race.
void ClassifyRace(Session& s);

// Whether mark m qualifies for a longshot mark under the race's letters 1 ("T"/"F") and 2
// ("R"/"Z").
bool MarkQualifies(int m, char letter1, char letter2);

// Letter 1 of the race class: "T" when more than 35 % of the runners up to 60 (c60) are
// over-bet in the win pool (cf, favourite excluded), else "F". With c60 = 0 the share is
// taken in double arithmetic: any over-bet runner gives "T", none gives "F".
char LeadingPoolLetter(int cf, int c60);

}  // namespace tz
