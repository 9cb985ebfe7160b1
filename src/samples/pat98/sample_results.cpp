#include "samples/pat98/sample_results.h"

#include <fmt/format.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <stdexcept>
#include <tuple>

#include "samples/pat98/fixture_results.h"
#include "pat98/odds_reader.h"

namespace tz {

namespace {

using fixture::OddsCell;

double Value(const OddsCell& c, double fallback) {
  return c.kind == OddsCell::Kind::Number && c.value > 0 ? c.value : fallback;
}

// A payout per 100 yen from odds: cut to 10 yen, never below 100.
long Payout(double odds, double factor = 1.0) {
  return std::max(100L, static_cast<long>(std::floor(odds * factor * 10.0 + 1e-9)) * 10);
}

struct Outcome {
  std::vector<int> order;       // runners in finishing order
  std::vector<int> places;      // listed place of each of the first five
  std::vector<int> winners;
  std::vector<std::pair<int, int>> quinellaPairs;
  int placeCount = 3;
};

Outcome Draw(const SampleRace& r, bool deadHeatFirst, bool deadHeatSecond) {
  const int n = static_cast<int>(r.odds.horses.size());
  std::mt19937 rng(static_cast<unsigned>(r.course * 1000 + r.day * 20 + r.race));
  auto uniform = [&] { return (rng() >> 5) * (1.0 / 134217728.0); };
  std::vector<int> left;
  for (int h = 1; h <= n; ++h) {
    if (r.odds.horses[static_cast<std::size_t>(h - 1)].win.kind != OddsCell::Kind::Scratched) left.push_back(h);
  }
  Outcome o;
  while (!left.empty()) {
    double total = 0;
    for (int h : left) total += 1.0 / Value(r.odds.horses[static_cast<std::size_t>(h - 1)].win, 999.9);
    double x = uniform() * total;
    std::size_t pick = left.size() - 1;
    for (std::size_t i = 0; i < left.size(); ++i) {
      x -= 1.0 / Value(r.odds.horses[static_cast<std::size_t>(left[i] - 1)].win, 999.9);
      if (x < 0) {
        pick = i;
        break;
      }
    }
    o.order.push_back(left[pick]);
    left.erase(left.begin() + static_cast<std::ptrdiff_t>(pick));
  }
  o.placeCount = o.order.size() >= 8 ? 3 : 2;
  o.places = {1, 2, 3, 4, 5};
  if (deadHeatFirst) o.places = {1, 1, 3, 4, 5};
  if (deadHeatSecond) o.places = {1, 2, 2, 4, 5};
  o.winners = {o.order[0]};
  if (deadHeatFirst) o.winners.push_back(o.order[1]);
  auto pair = [](int a, int b) { return std::make_pair(std::min(a, b), std::max(a, b)); };
  o.quinellaPairs = {pair(o.order[0], o.order[1])};
  if (deadHeatSecond) o.quinellaPairs.push_back(pair(o.order[0], o.order[2]));
  return o;
}

std::string RaceTime(int distance, int position, const std::vector<int>& places) {
  // About 12 seconds a furlong with a little spread by position; dead heats share the time.
  int tenths = distance * 6 / 10 + 4;
  int shownPlace = places[static_cast<std::size_t>(position)];
  tenths += (shownPlace - 1) * 2;
  return fmt::format("{}.{:02d}.{}", tenths / 600, (tenths / 10) % 60, tenths % 10);
}

}  // namespace

std::vector<SampleRaceResult> SampleDayResults(const SampleDay& day) {
  std::vector<SampleRaceResult> out;
  // A day made of real odds (whose JRDB files are copied, not built) gets no invented results.
  if (!day.writeJrdb) return out;
  const int yearDigit = day.date.size() >= 4 ? day.date[3] - '0' : 0;
  for (const SampleRace& r : day.races) {
    if (r.advanceSale || r.saleCode == 0 || r.odds.horses.size() < 5) continue;
    auto g = std::find_if(day.guides.begin(), day.guides.end(),
                          [&](const fixture::GuideRecord& gr) { return gr.courseCode == r.course; });
    if (g == day.guides.end()) continue;
    const std::size_t m = static_cast<std::size_t>(g - day.guides.begin());
    const bool deadHeatFirst = m == 0 && r.race == 4;
    const bool deadHeatSecond = m == 2 && r.race == 5;
    const Outcome o = Draw(r, deadHeatFirst, deadHeatSecond);
    const int n = static_cast<int>(r.odds.horses.size());
    const auto brackets = BracketsForField(n);
    const auto& horse = [&](int h) -> const fixture::HorseOdds& { return r.odds.horses[static_cast<std::size_t>(h - 1)]; };

    SampleRaceResult res;
    res.course = r.course;
    res.kai = r.kai;
    res.day = r.day;
    res.race = r.race;
    res.yearDigit = yearDigit;
    res.title = r.card.title1;
    res.perDayFiles = m >= 2;
    res.sellsQuinella = r.quinella.has_value();
    res.sellsWide = r.quinella && r.quinella->withWide;
    for (int h : o.winners) res.win.push_back({h, Payout(Value(horse(h).win, 50.0), o.winners.size() > 1 ? 0.55 : 1.0)});
    for (int k = 0; k < o.placeCount; ++k) {
      int h = o.order[static_cast<std::size_t>(k)];
      double mid = (Value(horse(h).placeLow, 20.0) + Value(horse(h).placeHigh, 40.0)) / 2;
      res.place.push_back({h, Payout(mid)});
    }
    for (const auto& [a, b] : o.quinellaPairs) {
      int wa = std::min(brackets[static_cast<std::size_t>(a)], brackets[static_cast<std::size_t>(b)]);
      int wb = std::max(brackets[static_cast<std::size_t>(a)], brackets[static_cast<std::size_t>(b)]);
      const OddsCell& bc = r.odds.bracket[static_cast<std::size_t>(wa)][static_cast<std::size_t>(wb)];
      bool seen = std::any_of(res.bracket.begin(), res.bracket.end(), [&](const auto& p) { return p.first == wa && p.second == wb; });
      if (!seen) res.bracket.push_back({wa, wb, Payout(Value(bc, 80.0), o.quinellaPairs.size() > 1 ? 0.6 : 1.0)});
      if (r.quinella) {
        const OddsCell& qc = r.quinella->quinella[static_cast<std::size_t>(a)][static_cast<std::size_t>(b)];
        res.quinella.push_back({a, b, Payout(Value(qc, 300.0), o.quinellaPairs.size() > 1 ? 0.6 : 1.0)});
      }
    }
    if (res.sellsWide && o.placeCount == 3) {
      for (int i = 0; i < 3; ++i) {
        for (int j = i + 1; j < 3; ++j) {
          int a = std::min(o.order[static_cast<std::size_t>(i)], o.order[static_cast<std::size_t>(j)]);
          int b = std::max(o.order[static_cast<std::size_t>(i)], o.order[static_cast<std::size_t>(j)]);
          const auto& q = *r.quinella;
          double mid = (Value(q.wideLow[static_cast<std::size_t>(a)][static_cast<std::size_t>(b)], 30.0) +
                        Value(q.wideHigh[static_cast<std::size_t>(a)][static_cast<std::size_t>(b)], 60.0)) / 2;
          res.wide.push_back({a, b, Payout(mid)});
        }
      }
    }
    for (int h = 1; h <= n && res.scratched.size() < 5; ++h) {
      if (horse(h).win.kind == OddsCell::Kind::Scratched) res.scratched.push_back(h);
    }
    // A bracket whose horses are all scratched is void; one left with a single runner of
    // several loses its same-bracket combination.
    for (int w = 1; w <= 8; ++w) {
      int members = 0, running = 0;
      for (int h = 1; h <= n; ++h) {
        if (brackets[static_cast<std::size_t>(h)] != w) continue;
        ++members;
        if (horse(h).win.kind != OddsCell::Kind::Scratched) ++running;
      }
      if (members > 0 && running == 0) res.bracketFlags[static_cast<std::size_t>(w)] = 1;
      else if (members >= 2 && running == 1) res.bracketFlags[static_cast<std::size_t>(w)] = 2;
    }
    const int distance = std::atoi(r.card.distance.c_str());
    for (std::size_t k = 0; k < 5 && k < o.order.size(); ++k) {
      int h = o.order[k];
      std::string name = static_cast<std::size_t>(h - 1) < r.card.runners.size() ? r.card.runners[static_cast<std::size_t>(h - 1)].name : "";
      res.finishers.push_back({o.places[k], h, name, RaceTime(distance, static_cast<int>(k), o.places)});
    }
    if (m < day.meetingGuide.meetings.size()) {
      res.weather = day.meetingGuide.meetings[m].weather;
      res.turfGoing = day.meetingGuide.meetings[m].turfGoing;
      res.dirtGoing = day.meetingGuide.meetings[m].dirtGoing;
    }
    out.push_back(std::move(res));
  }
  return out;
}

namespace {

// The race's payouts, scratched horses and void brackets, into either layout's record.
template <typename Record>
void CopyPayouts(const SampleRaceResult& res, Record& r) {
  std::tie(r.win, r.place, r.bracket, r.quinella, r.wide, r.scratched, r.bracketFlags) =
      std::tie(res.win, res.place, res.bracket, res.quinella, res.wide, res.scratched, res.bracketFlags);
}

}  // namespace

fixture::ResultsFile SampleResultsFile(const SampleRaceResult& res) {
  fixture::ResultsFile f;
  f.course = res.course;
  f.yearDigit = res.yearDigit;
  f.kai = res.kai;
  f.day = res.day;
  f.race = res.race;
  if (!res.weather.empty()) {
    f.weather = res.weather;
    f.turfGoing = res.turfGoing;
    f.dirtGoing = res.dirtGoing;
  }
  f.finishers = res.finishers;
  f.withWide = res.sellsWide;
  CopyPayouts(res, f);
  return f;
}

std::string WriteSampleResults(const SampleDay& day, const std::filesystem::path& folder) {
  try {
    std::vector<fixture::DayPayoutFiles> perDay(day.guides.size());
    for (std::size_t m = 0; m < day.guides.size(); ++m) {
      perDay[m].course = day.guides[m].courseCode;
      perDay[m].yearDigit = day.date.size() >= 4 ? day.date[3] - '0' : 0;
      perDay[m].kai = day.guides[m].kai;
      perDay[m].day = day.guides[m].day;
    }
    for (const SampleRaceResult& res : SampleDayResults(day)) {
      if (!res.perDayFiles) {
        fixture::WriteResultsFile(folder, SampleResultsFile(res));
        continue;
      }
      auto g = std::find_if(day.guides.begin(), day.guides.end(),
                            [&](const fixture::GuideRecord& gr) { return gr.courseCode == res.course; });
      fixture::DayPayoutRace dr;
      dr.race = res.race;
      CopyPayouts(res, dr);
      // A race sold without quinella (or without wide) has no payouts in that file: its record
      // counts for the results being complete ("5") but holds none, so that the finishing places
      // are inferred from the bracket payouts (a quinella record "1" without entries would make
      // them 1, 3, 3) and no wide refund is made up for a pool that was never sold. The win and
      // place refunds of scratched horses come from the quinella record's slots only, so the day
      // plans no scratched horse for a race without quinella at this meeting.
      if (!res.sellsQuinella) dr.quinellaStatus = '5';
      if (!res.sellsWide) dr.wideStatus = '5';
      perDay[static_cast<std::size_t>(g - day.guides.begin())].races.push_back(dr);
    }
    for (std::size_t m = 2; m < perDay.size(); ++m) {
      if (!perDay[m].races.empty()) fixture::WriteDayPayoutFiles(folder, perDay[m]);
    }
  } catch (const std::exception& e) {
    return e.what();
  }
  return {};
}

}  // namespace tz
