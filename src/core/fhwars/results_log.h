// Conversion of the FHWARS forum's results postings (conference room 17) into per-race results
// files ("KS-" files), so that a day whose results were never fetched with PAT98 can be checked
// for hits and listed like any other.
//
// A results posting is a header line that starts with "///" and the 17 lines after it. The
// header carries a second "///" either at characters 24-26 (postings that list wide payouts,
// written as the results file layout with wide entries) or at characters 23-25 (postings without
// wide payouts). Everything else in the log is forum chatter and is skipped.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/app_state.h"
#include "app/user_port.h"
#include "fhwars/forum_log.h"
#include "pat98/file_names.h"
#include "pat98/record_writers.h"

namespace tz {

inline constexpr const char* kWarsResultsTitle = "FHWARS成績変換";

// Number of lines that follow a header line in a complete posting.
inline constexpr int kResultsPostingBodyLines = 17;

// The lines of a saved forum log (Shift_JIS; lines end with CR LF, LF or CR), read one after
// another as UTF-8 text.
class ResultsLogLines {
 public:
  explicit ResultsLogLines(std::string_view bytes);
  // The next line; false at the end of the log.
  bool Next(std::string& line);
  // Steps back over the line just read, so that it is met again.
  void Unread();
  std::size_t size() const { return lines_.size(); }
  const std::vector<std::string>& lines() const { return lines_; }

 private:
  std::vector<std::string> lines_;
  std::size_t next_ = 0;
};

// Whether a log line is a results header ("///" at characters 1-3).
bool IsResultsHeader(std::string_view line);

enum class ResultsLayout { WithoutWide, WithWide };

// The layout a header line announces: with wide payouts when characters 24-26 are "///",
// without when characters 23-25 are; nothing when neither. A header that has the marker at both
// places is a posting with wide payouts and is read once.
std::optional<ResultsLayout> HeaderLayout(std::string_view header);

// One entry of a payout list and one finisher, as the results record holds them
// (pat98/record_writers.h): Shift_JIS bytes, empty fields written as blanks. The place of a
// finisher is " " for no finisher in its slot, else the place digit; its name is half-width,
// "ｰ" written as "-".
using ResultsPayoutEntry = ResultsPayoutField;
using ResultsFinisher = ResultsFinisherField;

// One parsed results posting. Text fields hold Shift_JIS bytes exactly as they are written
// into the results file.
struct ResultsPosting {
  ResultsLayout layout = ResultsLayout::WithWide;
  int year = 0, month = 0, dayOfMonth = 0;
  int kai = 0;     // meeting number (回)
  int course = 0;  // racecourse code
  int day = 0;     // day of the meeting (日)
  int race = 0;
  std::string title;                     // 32 bytes
  std::array<std::string, 5> scratched;  // 2 bytes each; blanks for an empty slot
  std::array<ResultsFinisher, 5> finishers;
  std::array<ResultsPayoutEntry, 3> win;  // entry 3 stays empty
  std::array<ResultsPayoutEntry, 5> place;
  std::array<ResultsPayoutEntry, 3> bracket;  // entry 3 stays empty
  std::array<ResultsPayoutEntry, 3> quinella;
  std::array<ResultsPayoutEntry, 7> wide;  // with wide payouts only
  // Finisher lines whose place field was neither blank nor a place number (1-based slots).
  std::vector<int> unreadablePlaces;
};

// Reads the posting whose header line has just been read: the 17 lines that follow come from
// `log`. Nothing when the posting is cut short, by the end of the log or by the next header
// line; that header is left to be read next.
std::optional<ResultsPosting> ReadResultsPosting(std::string_view header, ResultsLogLines& log,
                                                 ResultsLayout layout);

// The results file name of a posting: ResultsFileName of its racecourse, the last digit of its
// year, 回, 日 and race.
std::string ResultsFileName(const ResultsPosting& p);

// The results record of a posting: the race named as the race card names it, no weather or
// going, no void brackets, and the marker " TAZUNA " after the bracket flags.
ResultsFileRecord ResultsPostingRecord(const ResultsPosting& p);
// The results file's bytes: one record (700 bytes with wide payouts, 560 without) and CR LF.
std::string ResultsRecordBytes(const ResultsPosting& p);

// What happened to the postings of one conversion.
struct ResultsLogReport {
  int count = 0;    // header lines met
  int written = 0;  // files written
  int kept = 0;     // files left alone because they existed
  int failed = 0;   // postings that wrote no file: cut short, or the file could not be written
  std::vector<std::string> files;  // names of the files written, in log order
  // One line per posting that could not be converted, or was converted with a change.
  std::vector<std::string> problems;
};

// Writes one results file for the posting into WarsConvertFolder (Cnvpath), leaving an
// existing file of the same name alone unless WarsOverwrite is set. The file is written
// atomically. Returns an error text, empty when written or kept.
std::string WriteResultsFile(const AppState& app, const WarsState& wars, const ResultsPosting& p,
                             ResultsLogReport& report);

// The two posting parsers: each reads the posting of `header` from `log` and writes its
// results file.
void ParseResultsPostingB(const AppState& app, const WarsState& wars, std::string_view header,
                          ResultsLogLines& log, ResultsLogReport& report);
void ParseResultsPostingA(const AppState& app, const WarsState& wars, std::string_view header,
                          ResultsLogLines& log, ResultsLogReport& report);

// Converts every results posting of the log Txtpath/Tksfile into results files in Cnvpath and
// returns the number of header lines met. Progress goes to the port after each header.
int ConvertResultsLog(const AppState& app, const WarsState& wars, UserPort& port,
                      ResultsLogReport* report = nullptr);

// The OK command of the conversion dialog after the dialog has put its folder and file texts
// into Txtpath, Tksfile and Cnvpath: checks them, asks before running, converts and tells the
// count. Returns the count, or nothing when a check failed or the user said No. Postings that
// could not be converted are listed in one message after the count.
std::optional<int> RunResultsLogConversion(const AppState& app, WarsState& wars, UserPort& port,
                                           bool overwrite, ResultsLogReport* report = nullptr);

}  // namespace tz
