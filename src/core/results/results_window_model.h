// What the results window (競走成績) and the day's results list (競走成績一覧) show, and the
// functions that build them from the results read.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "app/app_state.h"

namespace tz {

struct Session;

// Background of a payout cell whose payout one of the user's votes hit.
inline constexpr Colour kHitBackColour = 0xC0C0FF;
// The comment of a big hit blinks between these text colours.
inline constexpr Colour kCommentColour = 255;
inline constexpr Colour kCommentDimColour = 128;
inline constexpr int kCommentBlinkMs = 400;
// A payout per 100 yen from which a hit makes the comment blink.
inline constexpr long kBigHitPayout = 10000;
// How many payouts each column of the results window holds before it needs more rows
// (win, place, bracket quinella, quinella, wide). The model keeps every payout.
inline constexpr std::array<int, 6> kPayoutColumnRows{0, 5, 5, 3, 3, 7};

struct ResultsFinisherRow {
  int place = 0;
  int horse = 0;
  int bracket = 0;                    // 0 when unknown
  std::optional<Colour> bracketBack;  // BracketColors[bracket - 1]
  std::optional<Colour> bracketText;  // BracketColors[0] on brackets 2 and 4, else black
  std::string nameCell;               // " " + name, or " 出馬表未取得" in the first row
  std::optional<Colour> nameColour;   // check-list colour of the name
  std::string time;
};

struct ResultsPayoutCell {
  int record = 0;            // index in PayoutTable
  std::string numbers;       // win and place: the horse; pairs: "3-12"
  std::string payout;        // plain decimal
  bool hit = false;          // one of the user's votes hit it
  std::optional<Colour> back;  // kHitBackColour when hit and the hit colour option is on
};

struct ResultsWindowModel {
  std::string Weather;
  std::string GoingCaption;  // "芝：", "ﾀﾞｰﾄ：" or empty
  std::string Going;
  std::vector<ResultsFinisherRow> Finishers;
  // Columns by bet kind 1..5 (win, place, bracket quinella, quinella, wide); index 0 unused.
  std::array<std::vector<ResultsPayoutCell>, 6> Payouts;
  std::string RefundHorses;  // "3,12"; empty when no horse was scratched
  std::string Comment;       // the hit message
  Colour CommentColour = kCommentColour;
  bool CommentBlinks = false;
};

// One item of the results list: a horse number or pair, and a payout.
struct ResultsListItem {
  std::string numbers;
  std::string payout;
  bool empty() const { return numbers.empty() && payout.empty(); }
};

struct ResultsListFinisher {
  std::string number;  // horse number of the place record
  std::string name;    // " " + horse name from the race card, empty without one
  std::string jockey;  // " " + jockey from the race card, empty without one
};

struct ResultsListRace {
  int race = 0;
  bool hasResults = false;  // any priced payout was read
  ResultsListItem win;
  std::array<ResultsListItem, 3> place;
  ResultsListItem bracket;
  ResultsListItem quinella;
  std::array<ResultsListItem, 3> wide;
  std::array<ResultsListFinisher, 3> finishers;  // 1着, 2着, 3着
};

struct ResultsListMeeting {
  int course = 0;
  std::string courseName;  // button caption
  std::array<ResultsListRace, 12> races;  // races 1..12
};

struct ResultsListModel {
  enum Page { kFinishersPage = 0, kPayoutsPage = 1 };
  std::vector<ResultsListMeeting> Meetings;  // meetings 1..MeetingCount in order
  int CurrentMeeting = 0;                    // index into Meetings
  int CurrentPage = kFinishersPage;
};

// Fills s.resultsWindow from the results read last (weather and going, finishers, payouts with
// the hit background, refunded horses, hit message) and then clears every hit flag.
const ResultsWindowModel& BuildResultsWindow(Session& s);

// Reads the results of every race of every meeting of the loaded day and the race cards, and
// fills s.resultsList showing meeting 1 on the finishers page. The results of the selected race
// (s.results) are left as they were.
const ResultsListModel& BuildResultsList(Session& s);

}  // namespace tz
