// JRDB's fixed-width data files: what every reader shares. A file is Shift_JIS text, one record
// per line (CR LF or LF). Every field is addressed by its 0-based byte offset and width in bytes,
// as JRDB publishes its layouts; the readers never count characters. A record longer than its
// layout keeps its extra bytes unread (newer layout versions append fields); a line that is
// empty or all blanks is no record; a record too short for the fields read, a key that is not a
// race of a known racecourse, or a number field that holds anything but digits and blanks is a
// problem named by file and line, and that record is not used.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tz::jrdb {

// A record that could not be used: the file's name as found, the 1-based line, what is wrong.
struct Problem {
  std::string file;
  int line = 0;
  std::string what;
};
// "OZ020908.TXT 3行目: ..." (the line is left out when it is 0: the file as a whole; the file
// when the problem is the day's, not one file's).
std::string ProblemText(const Problem& p);

// One line of a file with its 1-based number, without its line end.
struct Line {
  int number = 0;
  std::string bytes;
};
// The records of a file: every line that is not empty or all blanks.
std::vector<Line> SplitRecords(std::string_view bytes);

// The race key at the head of every record: 場コード (2 digits, JRA 01..10), 年 (2 digits), 回
// and 日 (one code character each: 1..9, a, b, c), R (2 digits). Meeting files (KAB) have the
// key without R.
struct RaceKey {
  int course = 0;
  int year = 0;  // two digits
  int kai = 0;
  int day = 0;
  int race = 0;  // 0 for a meeting key
  // The key as JRDB writes it (lower-case day character), 8 or 6 characters.
  std::string Text() const;
  std::string MeetingText() const;  // the first 6 characters
  auto operator<=>(const RaceKey&) const = default;
};

// Reads a key of 8 bytes (withRace) or 6; nothing and `why` set when it is not one.
std::optional<RaceKey> ParseRaceKey(std::string_view record, bool withRace, std::string* why);

// Bytes [offset, offset + width) of a record, clamped to what exists.
std::string_view Bytes(std::string_view record, std::size_t offset, std::size_t width);
// The same decoded from Shift_JIS, blanks and ideographic spaces trimmed.
std::string TextField(std::string_view record, std::size_t offset, std::size_t width);

// A number field: digits with blanks around them (and a leading "-" when `signedField`). An
// all-blank field gives 0 and sets *blank; a field with anything else gives nothing.
std::optional<int> IntField(std::string_view record, std::size_t offset, std::size_t width,
                            bool* blank = nullptr, bool signedField = false);
// An odds or amount field with one optional decimal point ("  7.9", "  12.0"): its text with
// the blanks trimmed, empty for an all-blank field, nothing for anything else.
std::optional<std::string> DecimalField(std::string_view record, std::size_t offset,
                                        std::size_t width);

// Collects the problems of one file and hands out its usable records.
class RecordReader {
 public:
  RecordReader(std::string fileName, std::string_view bytes, std::vector<Problem>& problems);
  const std::vector<Line>& lines() const { return lines_; }
  // Reports a problem of the line.
  void Fail(const Line& line, std::string what);
  // The key of a record of at least `minBytes` bytes, or nothing after reporting why not.
  std::optional<RaceKey> Key(const Line& line, std::size_t minBytes, bool withRace = true);
  // A number field that must be digits; reports the line when it is not.
  std::optional<int> Int(const Line& line, std::size_t offset, std::size_t width,
                         const char* field);
  const std::string& file() const { return file_; }

 private:
  std::string file_;
  std::vector<Line> lines_;
  std::vector<Problem>& problems_;
};

// The year of a two-digit JRDB year: 19yy from 90 on, else 20yy.
int FullYear(int twoDigits);

}  // namespace tz::jrdb
