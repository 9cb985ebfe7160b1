#include "pat98/file_names.h"

#include <fmt/format.h>

#include <algorithm>

namespace tz {

namespace {

// Upper-case hexadecimal digits of a number, 0 for a negative one.
std::string Hex(int v) { return fmt::format("{:X}", std::max(v, 0)); }

int NonNegative(int v) { return std::max(v, 0); }

}  // namespace

int CodeCharValue(char c) {
  if (c >= '1' && c <= '9') return c - '0';
  if (c == 'A' || c == 'a') return 10;
  if (c == 'B' || c == 'b') return 11;
  if (c == 'C' || c == 'c') return 12;
  return 0;
}

int CodeCharValue(std::string_view s) { return s.empty() ? 0 : CodeCharValue(s.front()); }

char FileCodeChar(int value) {
  if (value >= 1 && value <= 9) return static_cast<char>('0' + value);
  if (value >= 10 && value <= 12) return static_cast<char>('A' + value - 10);
  return '0';
}

std::string RaceFileName(std::string_view prefix, int course, int dayOfMeeting, int race) {
  std::string n(prefix);
  n += FileCodeChar(course);
  n += FileCodeChar(dayOfMeeting);
  n += FileCodeChar(race);
  return n + ".JRA";
}

std::string RaceCardFileName(int course, int dayOfMeeting, int race) {
  return RaceFileName(kRaceCardFilePrefix, course, dayOfMeeting, race);
}

std::string ResultsFileName(int course, int yearDigit, int kai, int day, int race) {
  return fmt::format("KS-{}{}{}{}{}.JRA", Hex(course), NonNegative(yearDigit), NonNegative(kai),
                     NonNegative(day), Hex(race));
}

std::string PayoutFileName(std::string_view prefix, int course, int yearDigit, int kai, int day) {
  return fmt::format("{}{}{}{}{}.JRA", prefix, Hex(course), NonNegative(yearDigit),
                     NonNegative(kai), NonNegative(day));
}

std::string BettingGuideFileName(int guideFile) {
  if (guideFile < 1 || guideFile > 6) return {};
  return fmt::format("UY-{}.JRA", static_cast<char>('A' + guideFile - 1));
}

}  // namespace tz
