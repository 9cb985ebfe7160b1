#include "samples/pat98/sample_votes.h"

#include <memory>
#include <vector>

#include "samples/pat98/fixture_voting_log.h"
#include "results/history.h"
#include "results/results_reader.h"
#include "session.h"
#include "text/numbers.h"

namespace tz {

namespace {

using fixture::LoggedVote;
using fixture::OddsCell;

LoggedVote Vote(int course, int race, int kind, int a, int b, int units, int saleKind = 1, int state = 1) {
  LoggedVote v;
  v.saleKind = saleKind;
  v.course = course;
  v.race = race;
  v.kind = kind;
  v.first = a;
  v.second = b;
  v.units = units;
  v.state = state;
  return v;
}

struct RaceResult {
  std::vector<std::string> records;  // the payout table after the refunds were merged
  bool read = false;
};

RaceResult ReadBack(const SampleRace& r, const std::string& date, const std::filesystem::path& folder) {
  auto s = std::make_unique<Session>();
  s->app.DataFolder = folder;
  s->race.CurrentCourse = r.course;
  s->race.CurrentRace = r.race;
  const int yearDigit = date.size() >= 4 ? date[3] - '0' : 0;
  RaceResult out;
  if (!ReadResultsFile(s->results, s->app, s->folders, r.course, yearDigit, r.kai, r.day, r.race) ||
      s->results.ResultsAvailability != PayoutsFound::All) {
    return out;
  }
  MergeRefunds(s->results);
  out.records = s->results.PayoutTable;
  out.read = true;
  return out;
}

// The first priced record of a bet kind; empty when there is none.
std::string Priced(const RaceResult& rr, int kind) {
  for (const std::string& rec : rr.records) {
    if (PayoutKind(rec) == kind && PayoutValue(rec) > 0) return rec;
  }
  return {};
}

bool Scratched(const SampleRace& r, int h) {
  return h >= 1 && h <= static_cast<int>(r.odds.horses.size()) &&
         r.odds.horses[static_cast<std::size_t>(h - 1)].win.kind == OddsCell::Kind::Scratched;
}

bool Paid(const RaceResult& rr, int kind, int horse) {
  for (const std::string& rec : rr.records) {
    if (PayoutKind(rec) == kind && PayoutValue(rec) > 0 &&
        (PayoutSecond(rec) == horse || (kind > 2 && PayoutFirst(rec) == horse))) {
      return true;
    }
  }
  return false;
}

}  // namespace

std::string WriteSampleVotes(const SampleDay& day, const std::filesystem::path& folder) {
  // A day made of real odds has no invented results, hence no votes either.
  if (!day.writeJrdb || day.guides.empty()) return {};
  const int course = day.guides[0].courseCode;
  const SampleRace* main = nullptr;
  const SampleRace* refundRace = nullptr;
  const SampleRace* bigRace = nullptr;
  RaceResult mainResult, refundResult;
  std::string bigRecord;
  for (const SampleRace& r : day.races) {
    if (r.advanceSale) continue;
    const bool meeting12 = day.guides.size() < 2 ? r.course == course
                                                  : (r.course == course || r.course == day.guides[1].courseCode);
    if (!meeting12) continue;
    const RaceResult rr = ReadBack(r, day.date, folder);
    if (!rr.read) continue;
    if (r.course == course && r.race == 11) main = &r, mainResult = rr;
    if (!refundRace && r.course == course) {
      for (int h = 1; h <= static_cast<int>(r.odds.horses.size()); ++h) {
        if (Scratched(r, h)) {
          refundRace = &r;
          refundResult = rr;
          break;
        }
      }
    }
    if (!bigRace) {
      for (const std::string& rec : rr.records) {
        if (PayoutKind(rec) == 4 && PayoutValue(rec) >= 10000) {
          bigRace = &r;
          bigRecord = rec;
          break;
        }
      }
    }
  }

  std::vector<fixture::VoteFileRecord> files;
  const std::string previous = PreviousDay(day.date);
  if (main) {
    const int n = static_cast<int>(main->odds.horses.size());
    const std::string win = Priced(mainResult, 1);
    const std::string quinella = Priced(mainResult, 4);
    const std::string wide = Priced(mainResult, 5);
    // Misses: a place on the highest-numbered runner that was not placed, and a quinella of
    // two runners that were not.
    std::vector<int> unplaced;
    for (int h = n; h >= 1; --h) {
      if (!Scratched(*main, h) && !Paid(mainResult, 2, h) && !Paid(mainResult, 4, h)) unplaced.push_back(h);
    }
    // Bought the day before in the advance sale: a win on the winner and a quinella of two
    // runners that were not placed.
    if (!previous.empty() && !win.empty()) {
      fixture::VoteFileRecord before{"00001", previous, {Vote(course, 11, 1, 0, PayoutSecond(win), 2, 2)}};
      if (unplaced.size() >= 3) before.votes.push_back(Vote(course, 11, 4, unplaced[2], unplaced[1], 1, 2));
      files.push_back(before);
    }
    fixture::VoteFileRecord first{"00002", day.date, {}};
    if (!win.empty()) first.votes.push_back(Vote(course, 11, 1, 0, PayoutSecond(win), 5));
    if (!quinella.empty()) {
      first.votes.push_back(Vote(course, 11, 4, PayoutFirst(quinella), PayoutSecond(quinella), 3));
    }
    if (!wide.empty()) first.votes.push_back(Vote(course, 11, 5, PayoutFirst(wide), PayoutSecond(wide), 2));
    if (!unplaced.empty()) first.votes.push_back(Vote(course, 11, 2, 0, unplaced[0], 10));
    if (unplaced.size() >= 2) {
      first.votes.push_back(Vote(course, 11, 4, unplaced[1], unplaced[0], 1));
    }
    // A vote PAT98 did not accept: not taken.
    first.votes.push_back(Vote(course, 11, 1, 0, 1, 50, 1, 2));
    files.push_back(first);
  }
  // An empty transmission.
  files.push_back({"00003", day.date, {Vote(course, 11, 1, 0, 1, 1)}, true});
  fixture::VoteFileRecord second{"00004", day.date, {}};
  if (refundRace) {
    const int r = refundRace->race;
    int scratched = 0;
    for (int h = 1; h <= static_cast<int>(refundRace->odds.horses.size()) && !scratched; ++h) {
      if (Scratched(*refundRace, h)) scratched = h;
    }
    const std::string win = Priced(refundResult, 1);
    second.votes.push_back(Vote(refundRace->course, r, 1, 0, scratched, 3));
    if (!win.empty()) {
      const int w = PayoutSecond(win);
      second.votes.push_back(Vote(refundRace->course, r, 4, std::min(w, scratched), std::max(w, scratched), 2));
      second.votes.push_back(Vote(refundRace->course, r, 2, 0, w, 4));
    }
  }
  if (bigRace) {
    second.votes.push_back(Vote(bigRace->course, bigRace->race, 4, PayoutFirst(bigRecord),
                                PayoutSecond(bigRecord), 1));
  }
  // The next day's main race, bought today in the advance sale.
  for (const SampleRace& r : day.races) {
    if (r.advanceSale) {
      second.votes.push_back(Vote(r.course, r.race, 4, 1, 2, 2, 2));
      second.votes.push_back(Vote(r.course, r.race, 1, 0, 3, 1, 2));
    }
  }
  if (!second.votes.empty()) files.push_back(second);
  return fixture::WriteVotingLog(folder, files);
}

}  // namespace tz
