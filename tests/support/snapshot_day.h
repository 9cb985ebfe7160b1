// An earlier snapshot of the generated sample day, and a JRDB base-odds file holding the same
// odds, for the tests of the snapshot base.
#pragma once

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "pat98/file_names.h"
#include "pat98/odds_reader.h"
#include "samples/pat98/sample_day.h"
#include "session.h"
#include "support/fake_port.h"

namespace tz::test {

// The sample day (seed 1) as it stood earlier: every win and lower place quote moved by a
// factor of 0.55 to 1.6 that depends on the horse and the race (large moves and small ones,
// both ways), the odds taken at 10:05. No JRDB file is written with it.
inline SampleDay EarlierSnapshot() {
  using fixture::OddsCell;
  SampleDay day = BuildSampleDay(1);
  day.writeJrdb = false;
  for (SampleRace& r : day.races) {
    r.odds.header.timeKind = 0;
    r.odds.header.hour = 10;
    r.odds.header.minute = 5;
    for (std::size_t k = 0; k < r.odds.horses.size(); ++k) {
      const double f = 0.55 + 0.15 * static_cast<double>((k * 5 + r.race) % 8);
      for (OddsCell* c : {&r.odds.horses[k].win, &r.odds.horses[k].placeLow}) {
        if (c->kind == OddsCell::Kind::Number && c->value > 0) c->value = std::max(1.0, c->value * f);
      }
    }
  }
  return day;
}

// The bytes of a JRDB base-odds file holding, for every race of `day`, the win and lower place
// odds texts the odds reader takes from the day's files in `folder`.
inline std::string JrdbFileOf(const SampleDay& day, const std::filesystem::path& folder) {
  using fixture::OddsCell;
  std::vector<fixture::JrdbRace> races;
  for (const SampleRace& sr : day.races) {
    auto s = std::make_unique<Session>();
    FakePort port;
    s->race.GuideDate = day.date;
    s->race.OddsFilePath[0] = (folder / RaceFileName("ZO-", sr.course, sr.day, sr.race)).string();
    if (ReadRaceOdds(s->race, s->app, s->folders, port) != 0) continue;
    fixture::JrdbRace j = sr.jrdb;
    j.win.clear();
    j.place.clear();
    for (int h = 1; h <= s->race.HorseCount; ++h) {
      j.win.push_back(OddsCell::Text(std::string(s->race.WinOdds[h].text())));
      j.place.push_back(OddsCell::Text(std::string(s->race.PlaceOddsLow[h].text())));
    }
    races.push_back(j);
  }
  return fixture::JrdbFileBytes(races);
}

// Writes the earlier snapshot into `snapshot` and the JRDB file of its odds into `jrdbFolder`.
// Returns an error text, empty on success.
inline std::string WriteSnapshotAndJrdb(const std::filesystem::path& snapshot,
                                        const std::filesystem::path& jrdbFolder) {
  const SampleDay earlier = EarlierSnapshot();
  std::string error = WriteSampleDay(earlier, snapshot);
  if (!error.empty()) return error;
  return fixture::WriteFixture(jrdbFolder, fixture::JrdbFileName(earlier.date), JrdbFileOf(earlier, snapshot));
}

}  // namespace tz::test
