// The racing day as the whole program sees it: which meetings run, which races each meeting
// sells, which odds file belongs to which race, the selection, and the odds of the selected
// race. Tables are 1-based as the domain counts (horse 1..18, bracket 1..8, race 1..12 plus
// slot 13 for the advance-sale race, meeting 1..3, racecourse 1..10); index 0 is unused.
//
// Odds are kept as the fixed-width texts read from the files: an empty text marks a scratched
// horse or a combination that does not exist, and a quoted 0.0 is stored as "999.9"
// (five-character fields) or "9999.9" (six-character fields) so that it sorts last. Each text
// carries its value, read once when the text is stored.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>

#include "text/numbers.h"

namespace tz {

inline constexpr int kMaxHorses = 18;
inline constexpr int kMaxBrackets = 8;
inline constexpr int kMaxRaces = 12;
inline constexpr int kAdvanceSaleSlot = 13;
inline constexpr int kMaxMeetings = 3;
inline constexpr int kMaxGuideFiles = 6;
inline constexpr int kMaxCourses = 10;
inline constexpr int kMaxOddsFiles = 41;

template <typename T, int N>
using Table1 = std::array<T, N + 1>;  // 1-based table with an unused slot 0
template <typename T, int N, int M>
using Table2 = std::array<std::array<T, M + 1>, N + 1>;

// One odds text as read (for the displays and the files written from it) and its value, the
// leading decimal number of the text (0 for an empty text), taken once when the text is stored.
// It reads like the text it holds: compare it, pass it where a text is wanted. The text lives
// in the quote itself, so that filling, mirroring and clearing the tables of a race copies a
// few words and allocates nothing: an odds field is at most six bytes of its file, at most 18
// bytes once decoded, well within the room. (A longer text keeps the whole characters that fit.)
class OddsQuote {
 public:
  static constexpr std::size_t kRoom = 23;

  OddsQuote() = default;
  OddsQuote(std::string_view text) { assign(text); }
  OddsQuote(const std::string& text) : OddsQuote(std::string_view(text)) {}
  OddsQuote(const char* text) : OddsQuote(std::string_view(text)) {}

  std::string_view text() const { return {text_, size_}; }
  double value() const { return value_; }
  bool empty() const { return size_ == 0; }
  std::size_t size() const { return size_; }
  void clear() {
    size_ = 0;
    value_ = 0;
  }
  // Replaces the text and reads its value.
  void assign(std::string_view text) {
    std::size_t n = text.size();
    if (n > kRoom) {
      n = kRoom;
      while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
    }
    std::copy_n(text.data(), n, text_);
    size_ = static_cast<std::uint8_t>(n);
    value_ = text::OddsValue(this->text());
  }
  // assign(std::string_view(field, W)) for a fixed-width field of a file: with the length known
  // here, the copy and the reading of the value compile to straight code.
  template <std::size_t W>
  void assignField(const char* field) {
    static_assert(W <= text::kShortNumberChars);
    std::memcpy(text_, field, W);
    size_ = W;
    value_ = text::ShortVal(std::string_view(text_, W));
  }

  operator std::string_view() const { return text(); }
  friend bool operator==(const OddsQuote& a, std::string_view b) { return a.text() == b; }

 private:
  double value_ = 0;
  std::uint8_t size_ = 0;
  char text_[kRoom] = {};
};

// Result codes of the loading steps.
enum LoadStatusCode : int {
  kLoadOk = 0,
  kLoadOddsMissing = -1,      // odds or quinella file missing; pseudo guide: mixed dates
  kLoadNothing = -3,          // no day guide and no odds file
  kLoadPseudoPossible = 9,    // no day guide, but odds files exist
  kLoadDateMismatch = -9,     // odds file of another date than the guide
  kLoadNotOnSale = 1,         // race not on sale or sale code unusable
  kLoadBadGuideDate = -11,    // the day guide's date is not eight digits: the day is refused
};

struct MeetingRecord {
  int CourseCode = 0;  // racecourse code 1..10
  int Kai = 0;         // meeting number of the year (回)
  int Day = 0;         // day of the meeting (日目)
  int Year = 0;        // 9999 = take the racecourse name from the guide itself
};

struct MeetingGuideRecord {
  std::string Weather;    // 4 bytes decoded, e.g. "晴　"
  std::string TurfGoing;  // 4 bytes decoded
  std::string DirtGoing;  // 4 bytes decoded
};

// One runner record of the race card as kept for the prediction window.
struct RaceCardRunner {
  int Bracket = 0;
  int Number = 0;
  std::string Jockey;  // at most 16 characters
  int MarkCode = 0;    // 10 ☆, 20 △, 30 ▲, 40 ★
  std::string Weight;  // weight carried as written, four characters
};

struct RaceModel {
  // 1. Day guide
  int MeetingCount = 0;
  std::string GuideDate;      // yyyymmdd, empty when no guide is loaded
  std::string GuideDateText;  // yyyy年mm月dd日
  std::string GuideDateIso;   // yyyy-mm-dd
  Table1<MeetingRecord, kMaxMeetings> MeetingInfo{};
  Table1<std::string, kMaxMeetings> MeetingCourseName{};
  Table1<int, kMaxCourses> CourseMeetingSlot{};
  Table2<int, kMaxGuideFiles, kMaxRaces> RaceSaleCode{};

  // 2. Meeting guide
  int GuideHour = 0;  // 0 = no meeting guide loaded
  int GuideMinute = 0;
  Table1<MeetingGuideRecord, kMaxMeetings> MeetingGuide{};

  // 3. Odds-file index
  std::array<std::string, kMaxOddsFiles> OddsFileList{};  // 0..40
  int OddsFileCount = 0;
  Table2<std::string, kMaxCourses, kAdvanceSaleSlot> OddsFileIndex{};
  int CurrentDayOddsCount = 0;

  // 4. Selection
  int CurrentMeeting = 0;
  int CurrentCourse = 0;
  int CurrentDayKind = 1;  // 1 = race of the day, 2 = advance-sale race
  std::string CurrentOddsFileName;
  std::array<std::string, 2> OddsFilePath{};  // [0] odds file, [1] quinella/wide file
  int CurrentRace = 0;
  int CurrentSaleCode = 0;
  int LoadStatus = 0;

  // 5. Selected race
  int HorseCount = 0;
  int ScratchedCount = 0;
  Table1<int, kMaxHorses> ScratchedHorses{};
  Table1<int, kMaxHorses> HorseOrder{};
  Table1<int, kMaxHorses> HorseBracket{};
  Table1<OddsQuote, kMaxHorses> WinOdds{};
  Table1<OddsQuote, kMaxHorses> PlaceOddsLow{};
  Table1<OddsQuote, kMaxHorses> PlaceOddsHigh{};
  Table2<OddsQuote, kMaxBrackets, kMaxBrackets> BracketQuinellaOdds{};
  Table2<OddsQuote, kMaxHorses, kMaxHorses> QuinellaOdds{};
  Table2<OddsQuote, kMaxHorses, kMaxHorses> WideOddsLow{};
  Table2<OddsQuote, kMaxHorses, kMaxHorses> WideOddsHigh{};
  int NoWideOdds = 0;
  int OddsKai = 0;
  int OddsDay = 0;
  int OddsHeaderDigit = 0;
  int OddsTimeKind = 0;
  int OddsHour = 0;
  int OddsMinute = 0;
  std::string OddsCourseName;
  std::array<std::string, 2> RaceTitle{};
  std::array<std::string, 2> OddsBody{};  // raw bytes after the headers

  // 6. Race card (horse names 0..17, post time)
  std::array<std::string, kMaxHorses> HorseName{};
  std::string StartTimeText;     // "hhmm", empty without a race card
  std::string StartTimeCaption;  // caption shown once the post time has passed
  std::string RaceTrackType;     // surface from the race card, one double-byte character (芝, ダ)
  std::string RaceDistance;      // distance in metres from the race card, four characters
  std::array<std::string, 2> RaceCardTitle{};  // the race card's two title lines, trimmed
  bool RaceCardLoaded = false;   // the last race-card read found a usable file
  int RaceCardRunnerCount = 0;   // runner records kept in RaceCardRunners
  std::array<RaceCardRunner, kMaxHorses> RaceCardRunners{};  // 0..17, record k = k-th runner
};

}  // namespace tz
