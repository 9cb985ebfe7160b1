// Odds-only racing days for the tests and the benchmark: betting guides, odds files and
// quinella/wide files whose odds are consistent with one another (quinella and wide odds follow
// from the win odds), with a deterministic pseudo-random field per race; no race cards, results
// or voting log (the generated sample day of samples/pat98/sample_day.h has those).
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "analysis/vote_shares.h"
#include "samples/pat98/fixture_writer.h"
#include "pat98/odds_reader.h"

namespace tz::test {

struct RacePlan {
  int course = 6;
  int kai = 1;
  int day = 1;
  int race = 1;
  int horses = 12;
  int saleCode = 31;
  std::vector<int> scratched;   // horse numbers
  bool quinellaFile = true;     // write the UO- file (sale codes 15 and 31)
  bool withWide = true;         // false: quinella-only layout
  std::uint32_t seed = 1;
  std::string date = "20030105";
  std::string courseName = "中山";
};

// Small deterministic generator (no dependence on the library's random engines).
class Lcg {
 public:
  explicit Lcg(std::uint32_t seed) : x_(seed * 2654435761u + 12345u) {}
  double Next() {  // [0, 1)
    x_ = x_ * 1664525u + 1013904223u;
    return (x_ >> 8) / 16777216.0;
  }

 private:
  std::uint32_t x_;
};

inline double Round1(double v) { return std::round(v * 10) / 10; }

// The odds of one race, consistent with a field of win chances.
struct GeneratedRace {
  fixture::OddsFile odds;
  fixture::QuinellaFile quinella;
};

inline GeneratedRace GenerateRace(const RacePlan& p) {
  using fixture::OddsCell;
  Lcg rng(p.seed);
  const int n = p.horses;
  std::vector<double> strength(n + 1, 0);
  double total = 0;
  auto scratched = [&](int h) {
    for (int x : p.scratched) {
      if (x == h) return true;
    }
    return false;
  };
  for (int h = 1; h <= n; ++h) {
    if (scratched(h)) continue;
    strength[h] = std::pow(rng.Next() + 0.05, 2.5);
    total += strength[h];
  }
  std::vector<double> win(n + 1, 0);
  for (int h = 1; h <= n; ++h) {
    if (strength[h] > 0) win[h] = std::max(1.1, Round1(0.8 * total / strength[h]));
  }

  GeneratedRace g;
  auto& h = g.odds.header;
  h.date = p.date;
  h.courseName = p.courseName;
  h.year = std::stoi(p.date.substr(0, 4));
  h.kai = p.kai;
  h.day = p.day;
  h.race = p.race;
  h.timeKind = 0;
  h.hour = 9 + p.race / 2;
  h.minute = (7 * p.race) % 60;
  h.title1 = p.race == 11 ? "ガーネットＳ" : "サラ系一般";
  h.title2 = "４歳以上オープン";
  h.horseCount = n;
  for (int x = 1; x <= n; ++x) {
    if (win[x] == 0) {
      g.odds.horses.push_back({OddsCell::Scratched(), OddsCell::Scratched(), OddsCell::Scratched()});
      continue;
    }
    const double low = std::max(1.0, Round1(win[x] / (3.0 + rng.Next())));
    g.odds.horses.push_back(
        {OddsCell::Of(std::min(win[x], 999.9)), OddsCell::Of(low), OddsCell::Of(Round1(low * 1.6))});
  }
  // Pair odds from the win odds with some noise.
  auto pairOdds = [&](int a, int b) {
    const double t = TheoreticalQuinellaOdds(win[a], win[b]);
    return std::max(1.1, Round1(t * (0.85 + 0.3 * rng.Next())));
  };
  const auto brackets = BracketsForField(n);
  std::array<std::array<double, 9>, 9> bracketShare{};
  g.quinella.header = h;
  g.quinella.withWide = p.withWide;
  for (int a = 1; a < n; ++a) {
    for (int b = a + 1; b <= n; ++b) {
      if (win[a] == 0 || win[b] == 0) {
        g.quinella.quinella[a][b] = OddsCell::Scratched();
        g.quinella.wideLow[a][b] = OddsCell::Scratched();
        g.quinella.wideHigh[a][b] = OddsCell::Scratched();
        continue;
      }
      const double q = std::min(pairOdds(a, b), 9999.9);
      g.quinella.quinella[a][b] = OddsCell::Of(q);
      const double wl = std::max(1.0, Round1(q / (3.0 + rng.Next())));
      g.quinella.wideLow[a][b] = OddsCell::Of(wl);
      g.quinella.wideHigh[a][b] = OddsCell::Of(Round1(wl * 1.5));
      int x = brackets[a], y = brackets[b];
      if (x > y) std::swap(x, y);
      bracketShare[x][y] += 75 / q;
    }
  }
  for (int x = 1; x <= 8; ++x) {
    for (int y = x; y <= 8; ++y) {
      if (bracketShare[x][y] > 0) {
        g.odds.bracket[x][y] = OddsCell::Of(std::min(999.9, std::max(1.1, Round1(75 / bracketShare[x][y]))));
      }
    }
  }
  return g;
}

// Writes one race's files into folder.
inline void WriteRace(const std::filesystem::path& folder, const RacePlan& p) {
  const GeneratedRace g = GenerateRace(p);
  const std::string zo = RaceFileName("ZO-", p.course, p.day, p.race);
  std::string err = fixture::WriteFixture(folder, zo, fixture::OddsFileBytes(g.odds));
  if (err.empty() && p.quinellaFile && p.saleCode != 7) {
    err = fixture::WriteFixture(folder, RaceFileName("UO-", p.course, p.day, p.race),
                                fixture::QuinellaFileBytes(g.quinella));
  }
  if (!err.empty()) throw std::runtime_error(err);
}

struct MeetingPlan {
  int course;
  std::string name;
  int kai, day;
};

// Writes an odds-only racing day of three meetings with 12 races each (36 races) into
// `folder`: mostly sale code 31, with a quinella-only race (15), two bracket-only races (7; 8
// and 10 horses) and scratched horses.
inline void WriteOddsDay(const std::filesystem::path& folder, const std::string& date = "20030105") {
  const MeetingPlan meetings[3] = {{6, "中山", 1, 1}, {8, "京都", 1, 1}, {10, "小倉", 1, 10}};
  const char* guides[3] = {"UY-A.JRA", "UY-B.JRA", "UY-C.JRA"};
  for (int m = 0; m < 3; ++m) {
    fixture::GuideRecord g;
    g.date = date;
    g.courseCode = meetings[m].course;
    g.year = std::stoi(date.substr(0, 4));
    g.kai = meetings[m].kai;
    g.day = meetings[m].day;
    for (int r = 1; r <= 12; ++r) {
      RacePlan p;
      p.course = meetings[m].course;
      p.courseName = meetings[m].name;
      p.kai = meetings[m].kai;
      p.day = meetings[m].day;
      p.race = r;
      p.date = date;
      p.seed = 100 * (m + 1) + r;
      p.horses = 8 + (r * 7 + m * 3) % 11;  // 8..18
      p.saleCode = 31;
      if (m == 1 && r == 1) p.saleCode = 15, p.withWide = false;
      if (m == 2 && r == 1) p.saleCode = 7, p.horses = 8;
      if (m == 2 && r == 2) p.saleCode = 7, p.horses = 10, p.scratched = {5};
      if (r == 4) p.scratched = {2};
      if (r == 9 && p.horses >= 12) p.scratched = {3, 12};
      g.saleCodes[r] = p.saleCode;
      WriteRace(folder, p);
    }
    const std::string err = fixture::WriteFixture(folder, guides[m], BettingGuideBytes(g));
    if (!err.empty()) throw std::runtime_error(err);
  }
}

}  // namespace tz::test
