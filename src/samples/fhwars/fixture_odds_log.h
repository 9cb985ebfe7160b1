// Writes FHWARS forum odds postings, and whole saved logs of them, from plain values, in the
// fixed layout the odds-log conversion reads. Tests build their logs with it, and the bundled
// example log is generated with it (from the generated sample day).
//
// A log holds, per posting, a message header line, a separator line (79 "=" and CR LF), the
// posting lines and a closing separator line. The posting lines are: the race line (racecourse,
// race, date, odds time), the title line, the post-time line (発走, conditions, track,
// distance, field size), two heading lines, one line per horse, then either the quinella table
// (a heading whose columns 2-4 are blank, one row per horse with pairs up to horse 12, and for
// fields above 12 a second block for horses 13-18 beside the bracket-quinella rows) or none,
// the bracket-quinella rows, and the wide block ("ワイド ０１…" headings, one line of
// "XX:low  high" entries per horse and partner group).
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <vector>

namespace tz {
struct SampleDay;
}

namespace tz::fixture {

struct ForumHorse {
  int bracket = 0;         // 0 writes a blank field (the bracket of the line above)
  int number = 0;
  std::string win;         // posted text, right-aligned in 5 ("-----" scratched)
  std::string placeLow;    // right-aligned in 4 ("----" scratched)
  std::string placeHigh;
  std::string name;        // 18 bytes (full-width katakana as on the forum)
  bool jockeyChanged = false;  // writes "H" before the jockey name
  std::string jockey;      // 8 bytes
  std::string weight = "57.0";  // 4 bytes
};

struct ForumOddsPosting {
  std::string messageHeader;    // the line above the opening separator (no "=")
  std::string courseName = "中山";
  int race = 11;
  int year = 3;                 // two digits as posted (03 -> 2003, 95 -> 1995)
  int kai = 3;
  int dayOfMeeting = 5;
  int month = 4, dayOfMonth = 13;
  int oddsHour = 10, oddsMinute = 2;
  int postHour = 15, postMinute = 40;
  std::string title1 = "皐月賞";     // 28 bytes
  std::string title2 = "４歳オープン";  // 28 bytes
  std::string track = "芝";          // 4 bytes
  std::string distance = "2000";     // 4 bytes
  std::vector<ForumHorse> horses;
  bool withQuinella = true;
  // Posted texts of the pairs (i < j), right-aligned in 6 (" -----" scratched).
  std::array<std::array<std::string, 19>, 19> quinella{};
  // Bracket quinella (i, j), 1-based, right-aligned in 4 ("----" for none).
  std::array<std::array<std::string, 9>, 9> bracket{};
  bool withWide = true;
  // Wide pairs (i < j), right-aligned in 5 (" ----" scratched).
  std::array<std::array<std::string, 19>, 19> wideLow{};
  std::array<std::array<std::string, 19>, 19> wideHigh{};
  // Overrides the field size written on the post-time line (0: the number of horses).
  int postedHorseCount = 0;
};

// An odds value as posted: one decimal, right-aligned in `width`.
std::string ForumOdds(double v, int width);

// A posting of n horses with simple odds: win 1.5 + h, place 1.1 + h/10 .. 1.9 + h/10, quinella
// 10·i + j (a whole number, posted without decimals, for j = i + 1), bracket (i, j) i + j + .5,
// wide i + j and i + j + 1; brackets by the JRA rule, blank where a bracket repeats.
ForumOddsPosting MakeForumPosting(int n, const std::string& course = "中山", int day = 5,
                                  int race = 11);

// The posting in the log: message header, separator, posting lines, separator (UTF-8, CR LF).
std::string ForumPostingText(const ForumOddsPosting& p);

// A whole saved log in Shift_JIS: a title line, the postings, and a final line end.
std::string ForumOddsLogBytes(const std::vector<ForumOddsPosting>& postings);

// The postings of a generated sample day: every race that sells quinella, with its race card's
// names, jockeys and post time, in race order.
std::vector<ForumOddsPosting> ForumPostingsFromSampleDay(const SampleDay& day);

// Writes the log into `file` (folders created). Returns an error text, empty on success.
std::string WriteForumOddsLog(const std::filesystem::path& file,
                              const std::vector<ForumOddsPosting>& postings);

}  // namespace tz::fixture
