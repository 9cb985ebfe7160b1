// Writes race-card files ("DE-" files, one line per race) byte for byte from structured values,
// in the layout PAT98 leaves and the forum-log conversion produces. Used by the sample-day
// generator, the forum-log conversion and the tests.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tz {

struct RaceCardEntry {
  int bracket = 0;      // 1..8, written as one digit after a blank
  int number = 0;       // horse number, two places right-aligned
  std::string name;     // horse name (UTF-8), 18 bytes in the file
  std::string jockey;   // jockey field (UTF-8), 18 bytes in the file
  int markCode = 0;     // 10 ☆, 20 △, 30 ▲, 40 ★, anything else no mark; two digits
  std::string weight;   // weight carried as text, 4 bytes ("54.0")
};

struct RaceCardFile {
  int year = 2003, month = 1, day = 1;  // calendar date of the race
  int courseCode = 0;                   // racecourse code 1..10 (file name only)
  std::string courseName;               // two double-byte characters, 4 bytes ("中山")
  int kai = 1;                          // meeting number of the year (回)
  int dayOfMeeting = 1;                 // day of the meeting (日目); also the file name's day
  int race = 1;                         // race number 1..12
  std::string postTime;                 // "hhmm"; empty writes four blanks (no post time)
  std::string track = "芝";             // surface, 4 bytes (padded with blanks)
  std::string distance = "1600";        // 4 bytes
  std::string title1, title2;           // race name and conditions, 28 bytes each
  std::vector<RaceCardEntry> runners;   // at most 18 are written
};

// The code character of a number in PAT98 file names: 1-9 as digits, 10-12 as "A"-"C",
// anything else "0".
char FileCodeChar(int value);

// "DE-" + course + day + race code characters + ".JRA" (day 11 of course 5, race 8: DE-5B8.JRA).
std::string RaceCardFileName(int courseCode, int dayOfMeeting, int race);

// The bytes of the file: the record in Shift_JIS followed by CR LF. Text fields are padded with
// blanks to their byte width or cut there (never inside a double-byte character).
std::string RaceCardBytes(const RaceCardFile& card);

// Writes the file into `folder` under RaceCardFileName (an existing file of that name in any
// letter case is replaced) and returns its path; throws std::runtime_error when it cannot.
std::filesystem::path WriteRaceCardFile(const std::filesystem::path& folder,
                                        const RaceCardFile& card);

}  // namespace tz
