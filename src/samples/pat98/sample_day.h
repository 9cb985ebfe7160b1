// A generated racing day in PAT98's files, for trying the program without PAT98: three
// meetings of twelve races, fields of 5 to 18 horses, every sale code (0, 7, 15, 31),
// scratched horses, zero quotes, long shots, an advance-sale race, weather and going, race
// cards and JRDB base odds. All odds of a race come from one set of win probabilities
// (Harville order probabilities), paid out at 80 % for win and place and 75 % for bracket
// quinella, quinella and wide, so that the pools tell one consistent story.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "pat98/record_writers.h"
#include "samples/pat98/fixture_writer.h"

namespace tz {

struct SampleRace {
  int course = 0;
  int kai = 0;
  int day = 0;
  int race = 0;
  int saleCode = 31;
  bool advanceSale = false;
  fixture::OddsFile odds;
  std::optional<fixture::QuinellaFile> quinella;  // sale codes 15 and 31
  RaceCardFile card;
  fixture::JrdbRace jrdb;
};

struct SampleDay {
  std::string date;  // yyyymmdd
  std::vector<fixture::GuideRecord> guides;  // UY-A, UY-B, UY-C
  std::optional<fixture::GuideRecord> advanceGuide;  // UY-D (meeting 1's next day)
  fixture::MeetingGuideRecord meetingGuide;  // not written when it lists no meeting
  std::vector<SampleRace> races;
  bool writeJrdb = true;  // write the JRDB base-odds file built from the races
};

// The same seed and date always give the same day, byte for byte.
SampleDay BuildSampleDay(unsigned seed, const std::string& date = "20021020");

// Writes the day into `folder` (created when missing): guides, meeting guide, odds, quinella
// and race-card files, and the JRDB base-odds file in folder/"jrdb". Returns an error text,
// empty on success.
std::string WriteSampleDay(const SampleDay& day, const std::filesystem::path& folder);

}  // namespace tz
