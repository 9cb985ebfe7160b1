// Builds the files PAT98 leaves in its folder for the tests and the sample-day generator: odds
// given as numbers (or as scratched, blank or raw fields) instead of the texts the records
// hold, and records with the defaults of the tests' usual day (2002-09-08, 東京). The bytes
// come from the record writers of pat98/record_writers.h. Also the JRDB base-odds file
// (OZyymmdd.TXT), which PAT98 does not write.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "pat98/file_names.h"
#include "pat98/record_writers.h"

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

// The field text (UTF-8) of a cell in a field of `width` characters: OddsValueText for a number,
// the scratched marker " ﾄﾘｹｼ" / "  ﾄﾘｹｼ", or blanks.
std::string OddsField(const OddsCell& c, int width);

// A betting guide of the tests' day: 2002-09-08, 東京 (5), 2002, 1回 1日, nothing on sale.
struct GuideRecord : BettingGuideRecord {
  GuideRecord();
};

// The meeting guide of the tests' day, 9:30.
struct MeetingGuideRecord : MeetingGuideFile {
  MeetingGuideRecord();
};

// Header of the odds and quinella/wide files; a race of the tests' day (1R at 9:30, a
// snapshot). A course name shorter than its four bytes is padded with full-width blanks.
struct OddsHeader : OddsFileHeader {
  OddsHeader();
};

struct HorseOdds {
  OddsCell win, placeLow, placeHigh;
};

// The odds file (ZO-).
struct OddsFile {
  OddsHeader header;
  std::vector<HorseOdds> horses;  // horse 1 first; header.horseCount of them are written
  // Bracket-quinella odds of (i, j), i <= j, 1-based; cells not set are blank.
  std::array<std::array<OddsCell, 9>, 9> bracket{};
};
std::string OddsHeaderBytes(const OddsHeader& h);  // 142 bytes
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

}  // namespace tz::fixture
