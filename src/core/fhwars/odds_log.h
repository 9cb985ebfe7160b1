// Conversion of the FHWARS forum's odds postings (conference room 17 logs saved with the NIFTY
// manager) into the files PAT98 would have left for each race: the race card (DE-), the odds
// file (ZO-) and the quinella/wide file (UO-). The converted folder then loads like any data
// folder; without a betting guide the pseudo guide is built from the odds files.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/user_port.h"
#include "fhwars/forum_log.h"
#include "pat98/record_writers.h"

namespace tz {

// One runner of a posting. Odds and text fields are kept as the fixed-width texts written to
// the files (UTF-8; their Shift_JIS forms have the widths noted).
struct OddsPostingHorse {
  int bracket = 0;          // 0..8; a blank field repeats the bracket of the line above
  int number = 0;           // horse number as posted
  std::string win;          // 5: the posted field, or the scratched marker kScratchedOdds5
  std::string placeLow;     // 5: a blank and the posted 4 bytes, or the scratched marker
  std::string placeHigh;    // 5: as placeLow
  std::string name;         // 18: half-width, "ｰ" as "-"
  std::string jockey;       // 18: name (8) + "（替）　　" for a changed jockey, else 5 "　"
  std::string weight;       // 4: weight carried as posted
};

// One parsed odds posting.
struct OddsPosting {
  std::string courseName;   // 4 bytes as posted ("中山")
  int courseCode = 0;       // RacecourseCode of the name, 0 for a name outside the table
  int race = 0;             // 1..12
  int year = 0;             // four digits (two posted: below 91 -> 20xx, else 19xx)
  int kai = 0;              // meeting number (回)
  int dayOfMeeting = 0;     // 1..12 (日), also the day character of the file names
  int month = 0, dayOfMonth = 0;
  int oddsHour = 0, oddsMinute = 0;  // time of the odds snapshot
  int postHour = 0, postMinute = 0;  // post time (発走)
  std::string title1, title2;        // 28 bytes each as posted
  std::string track;                 // 4 bytes as posted; the first character is the surface
  std::string distance;              // 4 bytes as posted
  int horseCount = 0;                // 1..18
  std::vector<OddsPostingHorse> horses;  // horse k is element k - 1
  // Pair tables, 1-based, symmetric; empty texts where the posting gave nothing.
  std::array<std::array<std::string, 19>, 19> quinella{};   // 6 characters
  std::array<std::array<std::string, 19>, 19> wideLow{};    // 5 characters
  std::array<std::array<std::string, 19>, 19> wideHigh{};   // 5 characters
  std::array<std::array<std::string, 9>, 9> bracketQuinella{};  // 5 characters
  bool quinellaFound = false;  // at least one quinella value that is not scratched
};

// Reads one posting (the text from the line after its opening separator through its closing
// separator line). A posting that does not follow the layout (a field past its end, a number
// field without digits, no "発走", a day or race outside 1..12, a horse count outside 1..18, a
// wide entry outside the field) gives nothing and `problem` says why.
std::optional<OddsPosting> ReadOddsPosting(std::string_view posting, std::string* problem);

// The three records of a posting as PAT98 lays them out (pat98/record_writers.h), each in
// Shift_JIS followed by CR LF. The odds are a snapshot ("現在") at the posting's odds time;
// the race card has no jockey marks.
RaceCardFile OddsPostingRaceCard(const OddsPosting& p);
OddsFileRecord OddsPostingOddsRecord(const OddsPosting& p);
QuinellaFileRecord OddsPostingQuinellaRecord(const OddsPosting& p);
std::string OddsPostingRaceCardBytes(const OddsPosting& p);  // DE-
std::string OddsPostingOddsBytes(const OddsPosting& p);      // ZO-, 827 bytes + CR LF
std::string OddsPostingQuinellaBytes(const OddsPosting& p);  // UO-

// RaceFileName of the posting's race: prefix + course code + day of meeting + race, each one
// code character ("0" for a code outside the table), + ".JRA": ZO-65B.JRA is race 11 of day 5
// at 中山.
std::string ConvertedRaceFileName(std::string_view prefix, const OddsPosting& p);

// What became of one posting.
struct OddsPostingResult {
  bool converted = false;      // it followed the layout and its files were handled
  std::string problem;         // why it was not converted
  std::optional<OddsPosting> posting;
  std::vector<ConvertedFile> files;  // DE-, ZO- and (with quinella odds) UO-, in that order
};

// Parses one posting and writes its files into WarsConvertFolder (Cnvpath), race card, odds,
// quinella/wide in that order, each kept when it exists and WarsOverwrite is not set. Nothing is
// written for a posting that does not follow the layout.
OddsPostingResult ParseOddsPosting(const AppState& app, const WarsState& wars,
                                   std::string_view posting);

// The postings of a decoded log: from the line after each "=" separator through the end of the
// next separator line; the search goes on after that.
std::vector<std::string> SplitOddsLog(std::string_view logText);

// The whole log decoded as the conversion reads it: every byte but the last two.
std::string DecodeOddsLog(std::string_view fileBytes);

struct OddsLogReport {
  int total = 0;      // postings found
  int processed = 0;  // postings converted
  struct Skipped {
    int index = 0;    // 1-based place of the posting in the log
    std::string problem;
  };
  std::vector<Skipped> skipped;
  std::vector<ConvertedFile> files;  // every file met, in order
};

// Converts every posting of the log WarsTextFolder / WarsOddsTextFile (Txtpath / Txtfile) into
// WarsConvertFolder (Cnvpath). Progress goes to port.Progress after each posting, with pending
// events processed. Postings that could not be converted and files that could not be written
// are reported in one error message each. Returns the number of postings converted.
int ConvertOddsLog(const AppState& app, const WarsState& wars, UserPort& port,
                   OddsLogReport* report = nullptr);

// The dialog's OK button once its fields are copied into the settings.
struct WarsOddsRun {
  enum class Result { CheckFailed, Declined, Converted };
  Result result = Result::CheckFailed;
  int count = 0;            // postings converted
  bool loadFolder = false;  // the caller opens Cnvpath as the data folder
  bool closeDialog = false;
  OddsLogReport report;
};
// The checks (the receiving folder is created on request), "実行しますか?", the conversion and
// the count message. `openAfter` is the dialog's "変換終了後に格納ﾌｫﾙﾀﾞを開く".
WarsOddsRun RunWarsOddsConversion(const AppState& app, WarsState& wars, UserPort& port,
                                  bool overwrite, bool openAfter);

inline constexpr const char* kWarsOddsCaption = "FHWARSｵｯｽﾞ変換";
inline constexpr const char* kWarsOddsHelpCaption = "FHWARS変換のヘルプ";
// The help window's text, lines separated by CR LF.
std::string WarsOddsHelpText();

}  // namespace tz
