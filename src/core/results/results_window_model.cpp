#include "results/results_window_model.h"

#include <algorithm>

#include "pat98/day_loader.h"
#include "pat98/file_names.h"
#include "results/race_card.h"
#include "results/results_reader.h"
#include "session.h"
#include "text/files.h"
#include "text/sjis.h"
#include "text/strings.h"

namespace tz {

namespace {

std::string Plain(long v) { return std::to_string(v); }

bool AllBlank(std::string_view s) { return text::Trim(s).empty(); }

}  // namespace

const ResultsWindowModel& BuildResultsWindow(Session& s) {
  const ResultState& r = s.results;
  const AppState& app = s.app;
  ResultsWindowModel m;

  m.Weather = r.ResultWeather;
  if (!AllBlank(r.ResultTurfGoing)) {
    m.GoingCaption = "芝：";
    m.Going = r.ResultTurfGoing;
  } else if (!AllBlank(r.ResultDirtGoing)) {
    m.GoingCaption = "ﾀﾞｰﾄ：";
    m.Going = r.ResultDirtGoing;
  }

  for (std::size_t i = 0; i < 5; ++i) {
    if (r.FinisherPlace[i] <= 0) continue;
    ResultsFinisherRow row;
    row.place = r.FinisherPlace[i];
    row.horse = r.FinisherHorse[i];
    if (row.horse >= 1 && row.horse <= kMaxHorses) {
      row.bracket = s.race.HorseBracket[static_cast<std::size_t>(row.horse)];
    }
    if (row.bracket >= 1 && row.bracket <= kMaxBrackets) {
      row.bracketBack = app.BracketColors[static_cast<std::size_t>(row.bracket - 1)];
      row.bracketText = row.bracket == 2 || row.bracket == 4 ? app.BracketColors[0] : Colour{0};
    }
    const std::string& name = r.FinisherName[i];
    if (i == 0 && AllBlank(name)) {
      row.nameCell = " 出馬表未取得";
    } else {
      row.nameCell = " " + name;
      row.nameColour = CheckListColour(app, name);
    }
    row.time = r.FinisherTime[i];
    m.Finishers.push_back(std::move(row));
  }

  const std::vector<int>& hits = s.history.PayoutHit;
  for (int k = 0; k < PricedCount(r); ++k) {
    const PayoutRecord& rec = r.PayoutTable[static_cast<std::size_t>(k)];
    int kind = PayoutKind(rec);
    if (kind == 0) continue;
    ResultsPayoutCell cell;
    cell.record = k;
    if (kind == 1 || kind == 2) {
      cell.numbers = Plain(PayoutSecond(rec));
    } else {
      cell.numbers = Plain(PayoutFirst(rec)) + "-" + Plain(PayoutSecond(rec));
    }
    cell.payout = Plain(PayoutValue(rec));
    cell.hit = static_cast<std::size_t>(k) < hits.size() && hits[static_cast<std::size_t>(k)] == 1;
    if (cell.hit && app.settings.HitColor != 0) cell.back = kHitBackColour;
    m.Payouts[static_cast<std::size_t>(kind)].push_back(std::move(cell));
  }

  if (text::CharCount(r.RefundHorsesText) > 1) {
    m.RefundHorses = text::Left(r.RefundHorsesText, text::CharCount(r.RefundHorsesText) - 1);
  }
  m.Comment = s.history.HitMessage;
  m.CommentBlinks = s.history.MaxHitPayout >= kBigHitPayout;

  std::fill(s.history.PayoutHit.begin(), s.history.PayoutHit.end(), 0);
  s.resultsWindow = std::move(m);
  return s.resultsWindow;
}

namespace {

// Name and jockey of horse h from a race card read into a scratch session.
ResultsListFinisher CardFinisher(const RaceModel& card, int h) {
  ResultsListFinisher f;
  f.number = Plain(h);
  if (!card.RaceCardLoaded) return f;
  for (int k = 0; k < card.RaceCardRunnerCount; ++k) {
    const RaceCardRunner& run = card.RaceCardRunners[static_cast<std::size_t>(k)];
    if (run.Number != h) continue;
    f.name = " " + text::TrimRight(card.HorseName[static_cast<std::size_t>(k)]);
    f.jockey = " " + text::TrimRight(run.Jockey);
    break;
  }
  return f;
}

ResultsListItem Item(const PayoutRecord& rec, bool pair) {
  ResultsListItem it;
  it.numbers = pair ? rec.substr(5, 2) + "-" + rec.substr(7, 2) : Plain(PayoutSecond(rec));
  it.payout = Plain(PayoutValue(rec));
  return it;
}

}  // namespace

const ResultsListModel& BuildResultsList(Session& s) {
  const ResultState kept = s.results;  // the selected race's results stay as they were
  const RaceModel& day = s.race;
  const int yearDigit = GuideYearDigit(day);

  ResultsListModel list;
  for (int m = 1; m <= std::min(day.MeetingCount, kMaxMeetings); ++m) {
    const MeetingRecord& info = day.MeetingInfo[static_cast<std::size_t>(m)];
    ResultsListMeeting meeting;
    meeting.course = info.CourseCode;
    meeting.courseName = RacecourseName(day, info.CourseCode, info.Year);
    for (int race = 1; race <= kMaxRaces; ++race) {
      ResultsListRace& row = meeting.races[static_cast<std::size_t>(race - 1)];
      row.race = race;
      ResultState& r = s.results;
      r.PayoutCount = 0;
      r.ResultEntryCount = 0;
      r.RefundHorsesText.clear();
      bool ok = ReadResultsFile(r, s.app, s.folders, info.CourseCode, yearDigit, info.Kai, info.Day,
                                race);
      if (ok && r.ResultsAvailability != PayoutsFound::All) {
        ReadPayoutFiles(r, s.race, s.app, s.folders, info.CourseCode, yearDigit, info.Kai, info.Day,
                        race);
      }
      if (!ok) r.PayoutCount = 0;

      int places = 0, wides = 0;
      bool haveWin = false, haveBracket = false, haveQuinella = false;
      std::array<int, 3> placeHorses{};
      for (int k = 0; k < PricedCount(r); ++k) {
        const PayoutRecord& rec = r.PayoutTable[static_cast<std::size_t>(k)];
        switch (PayoutKind(rec)) {
          case 1:
            if (!haveWin) row.win = Item(rec, false);
            haveWin = true;
            break;
          case 2:
            if (places < 3) {
              placeHorses[static_cast<std::size_t>(places)] = PayoutSecond(rec);
              row.place[static_cast<std::size_t>(places++)] = Item(rec, false);
            }
            break;
          case 3:
            if (!haveBracket) row.bracket = Item(rec, true);
            haveBracket = true;
            break;
          case 4:
            if (!haveQuinella) row.quinella = Item(rec, true);
            haveQuinella = true;
            break;
          case 5:
            if (wides < 3) row.wide[static_cast<std::size_t>(wides++)] = Item(rec, true);
            break;
          default: break;
        }
        row.hasResults = true;
      }

      if (places == 0) {
        // Without place payouts (a day whose results came without the payout file) the first
        // three finishers of the results read stand in the columns.
        for (std::size_t i = 0; i < r.FinisherPlace.size() && places < 3; ++i) {
          if (r.FinisherPlace[i] < 1 || r.FinisherHorse[i] < 1 || r.FinisherHorse[i] > kMaxHorses) continue;
          placeHorses[static_cast<std::size_t>(places++)] = r.FinisherHorse[i];
        }
      }
      if (places > 0) {
        // The race card of the race gives the finishers' names and jockeys; it is read into a
        // scratch race model so that the selected race's card stays as it is.
        RaceModel card;
        card.CurrentDayKind = 2;  // no post time is taken from it
        std::optional<std::string> bytes;
        if (auto path = text::FindEntry(s.app.DataFolder, RaceCardFileName(info.CourseCode, info.Day, race));
            path && text::FileExists(*path)) {
          bytes = text::ReadFileBytes(*path);
        }
        ReadRaceCardBytes(card, bytes ? std::optional<std::string_view>(*bytes) : std::nullopt);
        for (int i = 0; i < places; ++i) {
          row.finishers[static_cast<std::size_t>(i)] = CardFinisher(card, placeHorses[static_cast<std::size_t>(i)]);
        }
      }
    }
    list.Meetings.push_back(std::move(meeting));
  }
  s.results = kept;
  s.resultsList = std::move(list);
  return s.resultsList;
}

}  // namespace tz
