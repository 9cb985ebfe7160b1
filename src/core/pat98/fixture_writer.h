// Builds the files PAT98 leaves in its folder from structured values, byte for byte in the
// layouts the readers expect: the betting guides (UY-A.JRA .. UY-F.JRA), the meeting guide
// (KA-ANNAI.JRA), the odds files (ZO-), the quinella/wide files (UO-, with wide odds or
// quinella only) and the JRDB base-odds file (OZyymmdd.TXT). Tests build their folders with
// it, and the sample-day generator writes whole days with it.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tz::fixture {

// One odds field as it appears in a file.
struct OddsCell {
  enum class Kind { Number, Scratched, Blank, Raw };
  Kind kind = Kind::Blank;
  double value = 0;  // Number
  std::string raw;   // Raw: UTF-8 text written as it stands (cut or padded to the width)

  static OddsCell Of(double v) { return {Kind::Number, v, {}}; }
  static OddsCell Scratched() { return {Kind::Scratched, 0, {}}; }
  static OddsCell Blank() { return {Kind::Blank, 0, {}}; }
  static OddsCell Text(std::string t) { return {Kind::Raw, 0, std::move(t)}; }
};

// The field text (UTF-8) of a cell in a field of `width` characters: a number right-aligned
// with one decimal (values that do not fit are written as the largest that does: "999.9" or
// "9999.9"), the scratched marker " ﾄﾘｹｼ" / "  ﾄﾘｹｼ", or blanks.
std::string OddsField(const OddsCell& c, int width);

// The code character of a value in PAT98 file names: 1..9 -> "1".."9", 10 -> "A", 11 -> "B",
// 12 -> "C"; anything else "0".
char CodeChar(int value);
// "ZO-" / "UO-" / "DE-" + course + day + race + ".JRA".
std::string RaceFileName(std::string_view prefix, int course, int day, int race);

// A betting guide (UY-A..F). Written as one line: the 100 characters the reader takes
// followed by CR LF.
struct GuideRecord {
  std::string date = "20020908";  // yyyymmdd
  int courseCode = 5;              // "01".."10"
  int year = 2002;                 // 9999 = the meeting shows the name of positions 94-95
  int kai = 1;
  int day = 1;
  std::array<int, 13> saleCodes{};  // races 1..12 (index 0 unused)
  std::string courseName;           // two full-width characters; empty = the table name
};
std::string GuideBytes(const GuideRecord& g);

// The meeting guide KA-ANNAI.JRA.
struct MeetingWeather {
  std::string weather = "晴";  // padded with full-width blanks to 4 bytes
  std::string turf = "良";
  std::string dirt = "良";
  int weatherCode = 1;
};
struct MeetingGuideRecord {
  std::string date = "20020908";
  int hour = 9;
  int minute = 30;
  std::vector<MeetingWeather> meetings;  // meeting 1 first
};
std::string MeetingGuideBytes(const MeetingGuideRecord& k);

// Header shared by the odds file and the quinella/wide file.
struct OddsHeader {
  std::string date = "20020908";  // yyyymmdd
  std::string courseName = "東京";
  int year = 2002;
  int kai = 1;
  int day = 1;
  int race = 1;
  int timeKind = 0;  // 0 = snapshot at hour:minute, other = final odds at post time
  int hour = 9;
  int minute = 30;
  std::string title1;  // race name, padded or cut to 28 bytes
  std::string title2;  // conditions, padded or cut to 28 bytes
  int horseCount = 0;
};
std::string OddsHeaderBytes(const OddsHeader& h);  // 142 bytes

struct HorseOdds {
  OddsCell win, placeLow, placeHigh;
};

// The odds file (ZO-): header, 18 horse slots, the 36-entry bracket table, "E", CR LF.
struct OddsFile {
  OddsHeader header;
  std::vector<HorseOdds> horses;  // horse 1 first; header.horseCount of them are written
  // Bracket-quinella odds of (i, j), i <= j, 1-based; cells not set are blank.
  std::array<std::array<OddsCell, 9>, 9> bracket{};
};
std::string OddsFileBytes(const OddsFile& f);

// The quinella/wide file (UO-).
struct QuinellaFile {
  OddsHeader header;
  bool withWide = true;  // 25-character entries with wide odds; false: 12-character entries
  // Pair values for (i, j), i < j, 1-based.
  std::array<std::array<OddsCell, 19>, 19> quinella{};
  std::array<std::array<OddsCell, 19>, 19> wideLow{};
  std::array<std::array<OddsCell, 19>, 19> wideHigh{};
};
std::string QuinellaFileBytes(const QuinellaFile& f);

// One race of the JRDB base-odds file: the key, then base win, base place and quinella odds.
struct JrdbRace {
  int course = 5;
  int year = 2002;  // two digits of it are written
  int kai = 1;
  int day = 1;
  int race = 1;
  std::vector<OddsCell> win;    // horse 1 first
  std::vector<OddsCell> place;  // horse 1 first
  std::vector<OddsCell> quinella;  // pairs 1-2, 1-3 .. 17-18 (may be empty)
};
// The 8-character race key: course "00", the last two digits of the year, the meeting number
// and the day as one code character each (1..9, then a, b, c), the race "00".
std::string JrdbRaceKey(int course, int year, int kai, int day, int race);
std::string JrdbLine(const JrdbRace& r);  // without the line end
std::string JrdbFileBytes(const std::vector<JrdbRace>& races);  // lines ended with CR LF
// "OZ" + yymmdd + ".TXT" for a date yyyymmdd.
std::string JrdbFileName(std::string_view date);

// Writes bytes into folder/name (creating the folder). Returns an error text, empty on success.
std::string WriteFixture(const std::filesystem::path& folder, std::string_view name,
                         std::string_view bytes);

// Pads (with blanks) or cuts a UTF-8 text to `bytes` bytes of Shift_JIS; a double-byte
// character that would be split is replaced by a blank.
std::string SjisFixed(std::string_view utf8, std::size_t bytes);

}  // namespace tz::fixture
