// The race class (RaceTypeCode), the longshot marks ★ ☆ ▲ △, the bold headers and the red R/Z
// rank texts of the prediction window.
#pragma once

namespace tz {

struct Session;

void ClassifyRace(Session& s);

// Whether mark m qualifies for a longshot mark under the race's letters 1 ("T"/"F") and 2
// ("R"/"Z").
bool MarkQualifies(int m, char letter1, char letter2);

}  // namespace tz
