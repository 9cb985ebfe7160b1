// The odds-only day of 5 January 2003 (odds_day.h; 中山 is meeting 1) with the results of
// 中山 5R (ten runners: 3, 7 and 1 placed, quinella 3-7 paying 12,340 yen) and a voting log:
// four votes of the day on that race and a quinella 3-7 bought the day before.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

#include "samples/pat98/fixture_results.h"
#include "samples/pat98/fixture_voting_log.h"
#include "support/odds_day.h"

namespace tz::test {

inline fixture::LoggedVote VoteOnRace5(int kind, int a, int b, int units, int saleKind = 1) {
  fixture::LoggedVote v;
  v.saleKind = saleKind;
  v.course = 6;
  v.race = 5;
  v.kind = kind;
  v.first = a;
  v.second = b;
  v.units = units;
  return v;
}

inline void WriteVotedDay(const std::filesystem::path& folder) {
  WriteOddsDay(folder);
  fixture::ResultsFile f;
  f.course = 6;
  f.yearDigit = 3;
  f.kai = 1;
  f.day = 1;
  f.race = 5;
  f.finishers = {{1, 3, "ウイナー", "1.34.5"}, {2, 7, "セカンド", "1.34.7"}, {3, 1, "サード", "1.34.8"}};
  f.win = {{3, 560}};
  f.place = {{3, 160}, {7, 420}, {1, 250}};
  f.bracket = {{3, 6, 1990}};
  f.quinella = {{3, 7, 12340}};
  f.wide = {{3, 7, 2000}, {1, 3, 400}, {1, 7, 900}};
  fixture::WriteResultsFile(folder, f);
  const std::string err = fixture::WriteVotingLog(
      folder, {{"00001", "20030104", {VoteOnRace5(4, 3, 7, 1, 2)}},
               {"00002", "20030105", {VoteOnRace5(1, 0, 3, 2), VoteOnRace5(2, 0, 5, 3)}},
               {"00003", "20030105", {VoteOnRace5(4, 3, 7, 1), VoteOnRace5(5, 1, 2, 1)}}});
  if (!err.empty()) throw std::runtime_error(err);
}

}  // namespace tz::test
