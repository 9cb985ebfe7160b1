// Race-level labels: the upset indicator (波乱度) with its class letter and bar, かぶり度 and
// 推移 (the change in the number of horses under 10 from the JRDB base win odds to 仮単).
#pragma once

#include <string>

namespace tz {

struct Session;

// UpsetIndicator, UpsetValue, UpsetText, UpsetClassLetter, UpsetCaption and the bar. Needs the
// gap cuts and RaceTypeCode of the same race.
void ComputeUpsetIndicator(Session& s);

// The value x 10 truncated and the text with one truncated decimal ("7.0" for 7.06).
struct UpsetFigures {
  int Value = 0;
  std::string Text;  // empty when f is not a finite number
};
UpsetFigures UpsetFiguresFor(double f);

// かぶり度: quinella odds of favourites 2-3 over those of favourites 1-2; shown only when the
// race has wide odds and the value is a finite number.
void KaburiDegree(Session& s);

// 推移: runners under 10 by 仮単 text minus runners under 10 by JRDB base win odds.
void UnderTenShift(Session& s);

}  // namespace tz
