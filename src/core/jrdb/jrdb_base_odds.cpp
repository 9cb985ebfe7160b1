#include "jrdb/jrdb_base_odds.h"

#include <vector>

#include "analysis/pipeline.h"
#include "jrdb/jrdb_readers.h"
#include "session.h"
#include "text/files.h"
#include "text/strings.h"

namespace tz {

namespace {

// A base-odds text as the odds area shows it: right-aligned in its five characters; JRDB's
// 999.9 (no odds) and a blank field are none.
std::string BaseOddsField(const std::string& v) {
  if (v.empty() || v == "999.9" || v.size() > 5) return {};
  return std::string(5 - v.size(), ' ') + v;
}

}  // namespace

void LoadJrdbBaseOdds(Session& s) {
  auto& a = s.analysis;
  for (int h = 1; h <= kMaxHorses; ++h) {
    a.JrdbWinBase[h].clear();
    a.JrdbPlaceBase[h].clear();
  }
  a.JrdbLoaded = false;
  const std::string& folder = s.app.settings.OZpath;
  const std::string& date = s.race.GuideDate;
  if (folder.empty() || date.size() < 8) return;
  const auto path = s.folders.Find(folder, "OZ" + date.substr(2, 6) + ".TXT");
  if (!path) return;
  const auto bytes = text::ReadFileBytes(*path);
  if (!bytes) return;
  const std::string key = SelectedRaceJrdbKey(s);
  // A record that cannot be read belongs to no race; it does not keep this race's base odds
  // from being shown.
  std::vector<jrdb::Problem> unused;
  for (const auto& r : jrdb::ReadBaseOdds(path->filename().string(), *bytes, unused)) {
    if (!text::EqualsNoCase(r.keyText, key)) continue;
    for (int i = 1; i <= r.runners && i <= kMaxHorses; ++i) {
      a.JrdbWinBase[i] = BaseOddsField(r.win[i]);
      a.JrdbPlaceBase[i] = BaseOddsField(r.place[i]);
    }
    a.JrdbLoaded = true;
    break;
  }
}

}  // namespace tz
