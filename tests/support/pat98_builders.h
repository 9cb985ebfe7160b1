// Small builders of PAT98 folders for the reader tests: odds, quinella/wide and guide records of
// the tests' usual day, on top of the fixture writer.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "samples/pat98/fixture_writer.h"
#include "session.h"

namespace tz::test {

// An odds file of n horses: win odds 2.0 + h, place 1.1 + h/10 .. 1.5 + h/10, bracket (i, j)
// 10·i + j.
inline fixture::OddsFile MakeOdds(int n, int course = 5, int day = 2, int race = 1,
                                  const std::string& date = "20020908") {
  fixture::OddsFile f;
  f.header.date = date;
  f.header.courseName = course == 5 ? "東京" : "中山";
  f.header.year = 2002;
  f.header.kai = 4;
  f.header.day = day;
  f.header.race = race;
  f.header.hour = 10;
  f.header.minute = 5;
  f.header.title1 = "テスト特別";
  f.header.title2 = "３歳以上５００万下";
  f.header.horseCount = n;
  for (int h = 1; h <= n; ++h) {
    f.horses.push_back({fixture::OddsCell::Of(2.0 + h), fixture::OddsCell::Of(1.1 + h / 10.0),
                        fixture::OddsCell::Of(1.5 + h / 10.0)});
  }
  for (int i = 1; i <= 8; ++i) {
    for (int j = i; j <= 8; ++j) f.bracket[i][j] = fixture::OddsCell::Of(10 * i + j);
  }
  return f;
}

// The quinella/wide file of the same race: quinella (i, j) = 100·i + j, wide i + j and
// i + j + 0.5.
inline fixture::QuinellaFile MakeQuinella(const fixture::OddsFile& odds, bool withWide = true) {
  fixture::QuinellaFile q;
  q.header = odds.header;
  q.withWide = withWide;
  int n = odds.header.horseCount;
  for (int i = 1; i < n; ++i) {
    for (int j = i + 1; j <= n; ++j) {
      q.quinella[i][j] = fixture::OddsCell::Of(100 * i + j);
      q.wideLow[i][j] = fixture::OddsCell::Of(i + j);
      q.wideHigh[i][j] = fixture::OddsCell::Of(i + j + 0.5);
    }
  }
  return q;
}

inline fixture::GuideRecord MakeGuide(int course, int day, std::vector<int> sale,
                                      const std::string& date = "20020908") {
  fixture::GuideRecord g;
  g.date = date;
  g.courseCode = course;
  g.year = 2002;
  g.kai = 4;
  g.day = day;
  for (std::size_t r = 0; r < sale.size() && r < 12; ++r) g.saleCodes[r + 1] = sale[r];
  return g;
}

inline void WriteOrFail(const std::filesystem::path& folder, const std::string& name,
                        const std::string& bytes) {
  std::string err = fixture::WriteFixture(folder, name, bytes);
  if (!err.empty()) throw std::runtime_error(err);
}

// A session whose PAT98 and data folder is `folder`.
inline void PointAt(Session& s, const std::filesystem::path& folder) {
  s.app.Pat98Folder = folder;
  s.app.DataFolder = folder;
}

}  // namespace tz::test
