// Writes FHWARS results postings, as members post them in conference room 17, from plain
// values: for tests of the results log conversion and for the bundled example log.
#pragma once

#include <string>
#include <vector>

#include "samples/pat98/sample_day.h"

namespace tz::fixture {

struct ForumFinisher {
  int place = 0;          // 0 writes two blanks (no finisher in the slot)
  std::string placeText;  // when not empty: the 2-byte place field as it stands
  int horse = 0;
  std::string name;  // UTF-8, as posted (full-width katakana); 18 bytes in the line
  std::string time;  // 6 bytes, e.g. "1.58.3"
};

// A payout: win and place use `first` (the horse); bracket quinella, quinella and wide the
// pair first-second.
struct ForumPayout {
  int first = 0;
  int second = 0;
  long payout = 0;
};

struct ForumResultsPosting {
  bool withWide = true;  // second "///" at characters 24-26 and wide columns; else 23-25
  int year = 2002, month = 10, dayOfMonth = 20;
  int kai = 4, course = 5, day = 6, race = 11;
  std::string headerText = "FHWARS";  // forum text between the race number and "///"
  std::string title;                  // UTF-8, 32 bytes in the line
  std::vector<int> scratched;         // at most five
  std::vector<ForumFinisher> finishers;  // at most five
  std::vector<ForumPayout> win, place, bracket, quinella, wide;  // 2, 5, 2, 3, 7 at most
};

// The posting's 18 lines (header and 17 body lines) as Shift_JIS bytes without line ends.
std::vector<std::string> ResultsPostingLines(const ForumResultsPosting& p);

// Lines joined with CR LF after each.
std::string JoinLogLines(const std::vector<std::string>& lines);

// A saved log: each posting behind a forum message header and followed by a blank line and
// a signature, as the NIFTY manager writes a conference room out.
std::string ResultsLogBytes(const std::vector<ForumResultsPosting>& postings);

// Results postings of a generated day: one per race with results (SampleDayResults), posting
// the day's own finishers, payouts and scratched horses; races that sell wide get postings
// with wide payouts. Converted, they give the races' results files back (without weather,
// going and void brackets, which the forum does not post).
std::vector<ForumResultsPosting> SampleResultsPostings(const SampleDay& day);

// The bundled example: the postings of the generated sample day (seed 1, 20 October 2002).
std::string SampleResultsLogBytes();

}  // namespace tz::fixture
