// The records of the files PAT98 leaves in its folder, built byte for byte from plain values:
// the betting guide (UY-), the meeting guide (KA-ANNAI.JRA), the odds file (ZO-), the
// quinella/wide file (UO-), the race card (DE-) and the results file (KS-). These are the
// layouts the readers take apart; the forum-log conversions write their files with them, and so
// do the sample-day generator and the tests. The names of the files are in pat98/file_names.h.
//
// Text values are UTF-8 and are written in Shift_JIS, padded with blanks or cut to their byte
// width (never inside a double-byte character), unless a field says it holds Shift_JIS bytes.
// Numbers are written in their fields as the layouts say: "2z" two digits with a leading zero,
// "2s" right-aligned in two places; a number that does not fit keeps its last digits.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "pat98/file_names.h"

namespace tz {

// ---- Odds fields ----

// The scratched marker (取消) of a five- and a six-character odds field.
inline constexpr const char* kScratchedOdds5 = " ﾄﾘｹｼ";
inline constexpr const char* kScratchedOdds6 = "  ﾄﾘｹｼ";

// An odds value as PAT98 writes it: one decimal, right-aligned in `width` characters. A value
// too large for the field is written as the largest that fits ("999.9", "9999.9"); a negative
// value, or one that is not a number, as 0.0.
std::string OddsValueText(double value, int width);

// ---- Betting guide (UY-A.JRA .. UY-F.JRA) ----

struct BettingGuideRecord {
  std::string date;                 // yyyymmdd
  int courseCode = 0;               // racecourse code, "01".."10"
  int year = 0;                     // 9999 makes the meeting's button show courseName
  int kai = 0;                      // meeting number of the year (回)
  int day = 0;                      // day of the meeting (日目)
  std::array<int, 13> saleCodes{};  // races 1..12 (index 0 unused): 0, 7, 15 or 31
  std::string courseName;           // two full-width characters; empty: the racecourse table's
};
// The 100 characters the reader takes, on one line ended by CR LF.
std::string BettingGuideBytes(const BettingGuideRecord& g);

// ---- Meeting guide (KA-ANNAI.JRA) ----

struct MeetingWeatherRecord {
  std::string weather;    // "晴", "曇", "雨", "小雨", "雪"; padded with "　" to 4 bytes
  std::string turfGoing;  // "良", "稍重", "重", "不良"
  std::string dirtGoing;
  int weatherCode = 0;    // PAT98's own weather digit (not read)
};
struct MeetingGuideFile {
  std::string date;  // yyyymmdd; the guide is read only when it is the betting guide's date
  int hour = 0, minute = 0;  // time of the guide
  std::vector<MeetingWeatherRecord> meetings;  // meeting 1 first
};
// The date, the time, and one 44-byte block per meeting, on one line ended by CR LF.
std::string MeetingGuideBytes(const MeetingGuideFile& k);

// ---- Odds file (ZO-) and quinella/wide file (UO-) ----

// Bytes 1-142, shared by both files.
struct OddsFileHeader {
  std::string date;        // yyyymmdd
  std::string courseName;  // 4 bytes: two double-byte characters ("東京")
  int year = 0;            // four digits
  int kai = 0;             // meeting number (回), 2z
  int day = 0;             // day of the meeting (日), 2z
  int race = 0;            // 2s
  int timeKind = 0;        // 0: odds as of hour:minute; 1..9: final odds at the post time
  int hour = 0, minute = 0;
  std::string title1;      // race name, 28 bytes
  std::string title2;      // race conditions, 28 bytes
  int horseCount = 0;      // 2s
};
std::string OddsHeaderRecord(const OddsFileHeader& h);  // exactly 142 bytes

struct OddsFileHorse {
  int number = 0;         // horse number written in the slot
  std::string win;        // 5 characters: OddsValueText(v, 5), kScratchedOdds5 or blanks
  std::string placeLow;   // 5 characters
  std::string placeHigh;  // 5 characters
};

struct OddsFileRecord {
  OddsFileHeader header;
  // Slot k (1..18) is written from horses[k - 1] when k <= header.horseCount and such an
  // element exists; other slots are 18 blanks.
  std::vector<OddsFileHorse> horses;
  // Bracket-quinella odds of the pairs (i, j), i <= j, 1-based, 5 characters each.
  std::array<std::array<std::string, 9>, 9> bracket{};
};
// Header, 18 horse slots of 18 bytes, 36 bracket-quinella entries of 10 bytes, "E", CR LF:
// 827 bytes and the line end.
std::string OddsRecordBytes(const OddsFileRecord& f);

struct QuinellaFileRecord {
  OddsFileHeader header;
  // Entries of 25 characters with wide odds ("00" i "-" j, quinella, wide lower and upper), or
  // of 12 characters with quinella odds only.
  bool withWide = true;
  // Values of the pairs (i, j), i < j <= header.horseCount, 1-based: quinella 6 characters,
  // wide lower and upper 5 characters each.
  std::array<std::array<std::string, 19>, 19> quinella{};
  std::array<std::array<std::string, 19>, 19> wideLow{};
  std::array<std::array<std::string, 19>, 19> wideHigh{};
};
// Header, "11", the pairs i = 1..n-1, j = i+1..n, "E", CR LF.
std::string QuinellaRecordBytes(const QuinellaFileRecord& f);

// ---- Race card (DE-) ----

struct RaceCardEntry {
  int bracket = 0;      // 1..8, written as one digit after a blank
  int number = 0;       // horse number, 2s
  std::string name;     // horse name, 18 bytes
  std::string jockey;   // jockey field, 18 bytes: the name in 8 bytes, then "（替）　　" for a
                        // changed jockey or five full-width blanks
  int markCode = 0;     // 10 ☆, 20 △, 30 ▲, 40 ★, anything else no mark; 2z
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
  std::string track = "芝";             // surface, 4 bytes
  std::string distance = "1600";        // 4 bytes
  std::string title1, title2;           // race name and conditions, 28 bytes each
  std::vector<RaceCardEntry> runners;   // at most 18 are written
};

// The record in Shift_JIS followed by CR LF.
std::string RaceCardBytes(const RaceCardFile& card);

// Writes the file into `folder` under RaceCardFileName (an existing file of that name in any
// letter case is replaced) and returns its path; throws std::runtime_error when it cannot.
std::filesystem::path WriteRaceCardFile(const std::filesystem::path& folder,
                                        const RaceCardFile& card);

// ---- Results file (KS-) ----
//
// Every field of the results record holds Shift_JIS bytes and is padded with blanks or cut to
// its width. The builders below make the fields from plain values.

struct ResultsFinisherField {
  std::string place;  // 1 byte: the place digit, or a blank for no finisher in this slot
  std::string horse;  // 2 bytes: the horse number
  std::string name;   // 18 bytes
  std::string time;   // 6 bytes ("1.34.7")
};

// One payout entry: the horse (2 bytes) of a win or place payout, the bracket combination
// (3 bytes, "3-5") or the horse pair (5 bytes, "03-12"), and the payout in yen per 100 yen
// (6 bytes). Empty fields are written as blanks.
struct ResultsPayoutField {
  std::string number;
  std::string payout;
};

struct ResultsFileRecord {
  std::string head;       // bytes 1-22 (not read by the results reader); see ResultsRecordHead
  std::string weather;    // 4 bytes each: 晴, 小雨; blanks when not known
  std::string turfGoing;
  std::string dirtGoing;
  std::string title;      // bytes 35-66, then 24 blanks
  std::array<ResultsFinisherField, 5> finishers;
  // The payout section with wide payouts (its entries start one character later) or without.
  bool withWide = true;
  std::array<ResultsPayoutField, 3> win;
  std::array<ResultsPayoutField, 5> place;
  std::array<ResultsPayoutField, 3> bracket;
  std::array<ResultsPayoutField, 3> quinella;
  std::array<ResultsPayoutField, 7> wide;  // with wide payouts only; the reader takes five
  std::array<std::string, 5> scratched;    // 2 bytes each: scratched horses, blanks for none
  std::string bracketFlags;  // 8 bytes, brackets 1..8: "1" the bracket is void, "2" only its
                             // same-bracket pair is void, a blank neither
  std::string trailer;       // bytes written after the flags (the forum conversion's marker)
};

// The record followed by CR LF: a 90-byte header, five 40-byte finisher records, then the
// payout section (85 blanks and 233 characters with wide payouts, 84 blanks and 178 without)
// and the trailer.
std::string ResultsRecordBytes(const ResultsFileRecord& r);

// The first 22 bytes as the race card begins: year, month (2z), day of month (2z), racecourse
// name (4 bytes), year, 回 (2z), 日 (2z), race (2s).
std::string ResultsRecordHead(int year, int month, int dayOfMonth, std::string_view courseName,
                              int kai, int day, int race);
ResultsFinisherField FinisherField(int place, int horse, std::string_view name,
                                   std::string_view time);
ResultsPayoutField WinPlacePayoutField(int horse, long payout);                // "07", "   380"
ResultsPayoutField BracketPayoutField(int first, int second, long payout);     // "3-5"
ResultsPayoutField PairPayoutField(int first, int second, long payout);        // "03-12"
// Bracket flags from flags[1..8] (0 writes a blank).
std::string BracketFlagsField(const std::array<int, 9>& flags);
// Scratched-horse slots from up to five horse numbers (2z), blanks after them.
std::array<std::string, 5> ScratchedSlots(const std::vector<int>& horses);

// The entry layouts shared by the results file and the per-day payout files: win and place
// 10 bytes (horse, 2 unused, payout), bracket quinella 12 bytes (unused, combination, 2
// unused, payout), quinella and wide 14 bytes (unused, pair, 2 unused, payout).
std::string WinPlaceEntryBytes(const ResultsPayoutField& e);
std::string BracketEntryBytes(const ResultsPayoutField& e);
std::string PairEntryBytes(const ResultsPayoutField& e);

}  // namespace tz
