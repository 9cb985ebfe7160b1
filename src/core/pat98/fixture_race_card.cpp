#include "pat98/fixture_race_card.h"

#include <algorithm>
#include <stdexcept>

#include "text/files.h"
#include "text/numbers.h"
#include "text/sjis.h"

namespace tz {

namespace {

// Two digits with a leading zero below 10.
std::string Zero2(int v) { return text::FixedSjis(text::FormatNumber(v, "00"), 2); }
// Right-aligned in two places.
std::string Space2(int v) { return text::FixedSjis(text::FormatText(std::to_string(v), "@@"), 2); }

}  // namespace

char FileCodeChar(int value) {
  if (value >= 1 && value <= 9) return static_cast<char>('0' + value);
  if (value >= 10 && value <= 12) return static_cast<char>('A' + value - 10);
  return '0';
}

std::string RaceCardFileName(int courseCode, int dayOfMeeting, int race) {
  std::string n = "DE-";
  n += FileCodeChar(courseCode);
  n += FileCodeChar(dayOfMeeting);
  n += FileCodeChar(race);
  return n + ".JRA";
}

std::string RaceCardBytes(const RaceCardFile& c) {
  std::string r;
  r += text::FixedSjis(std::to_string(c.year), 4);
  r += Zero2(c.month);
  r += Zero2(c.day);
  r += text::FixedSjis(c.courseName, 4);
  r += text::FixedSjis(std::to_string(c.year), 4);
  r += Zero2(c.kai);
  r += Zero2(c.dayOfMeeting);
  r += Space2(c.race);
  r += text::FixedSjis(c.postTime, 4);
  r += text::FixedSjis(c.track, 4);
  r += text::FixedSjis(c.distance, 4);
  r += text::FixedSjis(c.title1, 28);
  r += text::FixedSjis(c.title2, 28);
  std::size_t n = std::min<std::size_t>(c.runners.size(), 18);
  r += Space2(static_cast<int>(n));
  for (std::size_t k = 0; k < n; ++k) {
    const RaceCardEntry& e = c.runners[k];
    r += ' ';
    r += text::FixedSjis(std::to_string(e.bracket), 1);
    r += Space2(e.number);
    r += "1 ";
    r += text::FixedSjis(e.name, 18);
    r += text::FixedSjis(e.jockey, 18);
    r += Zero2(e.markCode);
    r += text::FixedSjis(e.weight, 4);
  }
  r += "\r\n";
  return r;
}

std::filesystem::path WriteRaceCardFile(const std::filesystem::path& folder,
                                        const RaceCardFile& card) {
  std::filesystem::path p =
      text::ResolveName(folder, RaceCardFileName(card.courseCode, card.dayOfMeeting, card.race));
  if (std::string err = text::WriteFileAtomic(p, RaceCardBytes(card)); !err.empty()) {
    throw std::runtime_error(err);
  }
  return p;
}

}  // namespace tz
