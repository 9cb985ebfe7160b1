#include "snapshot/base_snapshot.h"

#include <memory>
#include <system_error>

#include "analysis/pipeline.h"
#include "app/startup.h"
#include "pat98/data_store.h"
#include "pat98/odds_reader.h"
#include "session.h"
#include "text/files.h"
#include "text/strings.h"

namespace tz {

namespace fs = std::filesystem;

namespace {

// The odds reader's own messages (a damaged file, another date) are not shown for a base: the
// race is then simply without base odds, which is said once with kBaseNoRaceMessage.
class QuietPort : public UserPort {
 public:
  void Error(std::string_view, std::string_view) override {}
  void Info(std::string_view, std::string_view) override {}
  void Warning(std::string_view, std::string_view) override {}
  Answer Ask(std::string_view, std::string_view, Buttons, Icon, Answer d) override { return d; }
};

bool SameFolder(const fs::path& a, const fs::path& b) {
  std::error_code ec;
  const bool same = fs::equivalent(a, b, ec);
  return !ec && same;
}

// A base text as the JRDB reader keeps it: empty for a scratched horse and for "999.9".
std::string BaseText(std::string_view odds) {
  if (odds == "999.9" || text::Trim(odds).empty()) return {};
  return std::string(odds);
}

void ClearBaseTables(AnalysisState& a) {
  for (int h = 1; h <= kMaxHorses; ++h) {
    a.JrdbWinBase[h].clear();
    a.JrdbPlaceBase[h].clear();
  }
  a.JrdbLoaded = false;
}

// Reads the selected race's odds file of the snapshot folder into the base tables. Returns
// false when the snapshot has no readable odds of the race.
bool LoadSnapshotBaseOdds(Session& s) {
  const RaceModel& r = s.race;
  const std::string name = text::Trim(r.CurrentOddsFileName);
  if (name.empty()) return false;
  const auto path = text::FindEntry(s.baseSnapshot.Folder, name);
  if (!path || !text::FileExists(*path)) return false;

  auto base = std::make_unique<Session>();
  RaceModel& b = base->race;
  b.GuideDate = r.GuideDate;
  b.OddsFilePath[0] = path->string();
  QuietPort quiet;
  if (ReadRaceOdds(base->race, base->app, base->folders, quiet) != kLoadOk) return false;
  // The same file name at the same date is the same race; the header must agree all the same.
  if (b.CurrentRace != r.CurrentRace || b.OddsKai != r.OddsKai || b.OddsDay != r.OddsDay) return false;

  AnalysisState& a = s.analysis;
  for (int h = 1; h <= b.HorseCount && h <= kMaxHorses; ++h) {
    a.JrdbWinBase[h] = BaseText(b.WinOdds[h]);
    a.JrdbPlaceBase[h] = BaseText(b.PlaceOddsLow[h]);
  }
  a.JrdbLoaded = true;
  a.BaseSource = BaseOddsSource::Snapshot;
  a.BaseCaption = BaseOddsCaption(a.BaseSource, b.OddsHour, b.OddsMinute);
  return true;
}

}  // namespace

bool ChooseBaseSnapshot(Session& s, UserPort& port, const fs::path& folder) {
  const std::string& title = s.app.AppTitle;
  if (folder.empty() || !text::FindEntry(folder, "UY-A.JRA")) {
    port.Error(title, kBaseNoGuideMessage);
    return false;
  }
  const std::string date = ReadPat98GuideDate(folder);
  if (s.race.GuideDate.empty() || date != s.race.GuideDate) {
    port.Error(title, kBaseOtherDayMessage);
    return false;
  }
  if (SameFolder(folder, s.app.DataFolder)) {
    port.Error(title, kBaseSameFolderMessage);
    return false;
  }
  s.baseSnapshot.Folder = folder;
  s.baseSnapshot.GuideDate = date;
  return true;
}

void UseJrdbBase(Session& s) { s.baseSnapshot = BaseSnapshot{}; }

std::vector<std::string> BaseSnapshotChoices(const AppState& app, const RaceModel& race) {
  std::vector<std::string> out;
  const std::string& day = race.GuideDateIso;
  if (day.empty()) return out;
  for (const std::string& name : PastDataFolders(app.StoreRoot)) {
    const bool ofTheDay = name == day || (name.size() > day.size() && name.rfind(day + "(", 0) == 0);
    if (ofTheDay && !SameFolder(app.StoreRoot / name, app.DataFolder)) out.push_back(name);
  }
  return out;
}

void LoadBaseOdds(Session& s, UserPort& port, AnalysisFor purpose) {
  AnalysisState& a = s.analysis;
  a.BaseSource = BaseOddsSource::None;
  a.BaseCaption.clear();
  if (!s.baseSnapshot.Folder.empty() && s.baseSnapshot.GuideDate != s.race.GuideDate) {
    // Another day was opened since the snapshot was chosen.
    port.Warning(s.app.AppTitle, kBaseOtherDayMessage);
    UseJrdbBase(s);
  }
  if (s.baseSnapshot.Folder.empty()) {
    LoadJrdbBaseOdds(s);
    if (a.JrdbLoaded) {
      a.BaseSource = BaseOddsSource::Jrdb;
      a.BaseCaption = BaseOddsCaption(a.BaseSource, 0, 0);
    }
    return;
  }
  ClearBaseTables(a);
  if (!LoadSnapshotBaseOdds(s) && purpose == AnalysisFor::Screen) {
    port.Warning(s.app.AppTitle, kBaseNoRaceMessage);
  }
}

std::string BaseOddsCaption(BaseOddsSource source, int hour, int minute) {
  switch (source) {
    case BaseOddsSource::Jrdb: return "基準 JRDB";
    case BaseOddsSource::Snapshot:
      return "基準 " + std::to_string(hour) + "時" + std::to_string(minute) + "分ｽﾅｯﾌﾟｼｮｯﾄ";
    default: return {};
  }
}

}  // namespace tz
