#include "pat98/data_store.h"

#include <algorithm>
#include <ctime>
#include <system_error>

#include "app/startup.h"
#include "pat98/day_loader.h"
#include "session.h"
#include "text/files.h"
#include "text/numbers.h"
#include "text/sjis.h"

namespace tz {

namespace fs = std::filesystem;

namespace {

std::string Two(int v) { return text::FormatNumber(v, "00"); }

// A date folder name must stay one entry directly under StoreRoot, whatever a guide file holds.
bool IsPlainFolderName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  return name.find_first_of("/\\") == std::string_view::npos && name.find('\0') == std::string_view::npos;
}

// yyyy-mm-dd from the first eight characters of a guide date; empty when it has none.
std::string IsoFromGuideDate(std::string_view guideDate) {
  if (text::CharCount(guideDate) < 8 || guideDate == "99999999") return {};
  return text::Mid(guideDate, 1, 4) + "-" + text::Mid(guideDate, 5, 2) + "-" +
         text::Mid(guideDate, 7, 2);
}

// Copies the named files of `from` into `to`, each through a temporary file renamed into place
// over an entry of the same name in any letter case.
void CopyInto(const fs::path& from, const std::vector<std::string>& names, const fs::path& to,
              CopyReport& report) {
  for (const std::string& name : names) {
    std::optional<std::string> bytes = text::ReadFileBytes(from / name);
    if (!bytes) {
      report.failures.push_back(name + ": cannot read " + (from / name).string());
      continue;
    }
    if (std::string err = text::WriteFileAtomic(text::ResolveName(to, name), *bytes);
        !err.empty()) {
      report.failures.push_back(name + ": " + err);
      continue;
    }
    report.copied.push_back(name);
  }
}

void ReportFailures(const AppState& app, UserPort& port, const CopyReport& report) {
  std::string text = kSaveFailedMessage;
  text += "\n";
  for (const std::string& f : report.failures) text += "\n" + f;
  port.Error(app.AppTitle, text);
}

// The day the saved files belong to, as the folder name yyyy-mm-dd.
std::string DayToSave(const AppState& a, const RaceModel& race) {
  if (a.ShowsPat98Folder() && race.MeetingCount > 0 && !race.GuideDateIso.empty()) {
    return race.GuideDateIso;
  }
  return IsoFromGuideDate(ReadPat98GuideDate(a.Pat98Folder));
}

int Reload(Session& s, UserPort& port, const fs::path& folder) {
  s.app.DataFolder = folder;
  s.app.ReloadAllWindows = 1;
  return LoadCurrentData(s, port);
}

}  // namespace

TimeOfDay CurrentTimeOfDay() {
  std::time_t t = std::time(nullptr);
  std::tm tm{};
  localtime_r(&t, &tm);
  return TimeOfDay{tm.tm_hour, tm.tm_min, tm.tm_sec};
}

std::string DatedFolderName(const fs::path& storeRoot, std::string_view dateIso, TimeOfDay now) {
  std::string name(dateIso);
  std::error_code ec;
  if (text::FindEntry(storeRoot, name) || fs::exists(storeRoot / name, ec)) {
    name += "(" + Two(now.hour) + Two(now.minute) + Two(now.second) + ")";
  }
  return name;
}

CopyReport SaveCurrentData(const AppState& a, const RaceModel& race, UserPort& port) {
  return SaveCurrentData(a, race, port, CurrentTimeOfDay());
}

CopyReport SaveCurrentData(const AppState& a, const RaceModel& race, UserPort& port,
                           TimeOfDay now) {
  CopyReport report;
  std::string day = DayToSave(a, race);
  if (!IsPlainFolderName(day)) {
    port.Error(a.AppTitle, kNothingToSaveMessage);
    return report;
  }
  std::string name = DatedFolderName(a.StoreRoot, day, now);
  fs::path target = a.StoreRoot / name;
  std::error_code ec;
  if (!text::FindEntry(a.StoreRoot, name)) fs::create_directories(target, ec);
  if (!text::FolderExists(target)) {
    port.Error(a.AppTitle, std::string(kSaveFailedMessage) + "\n\n" + target.string() +
                               (ec ? ": " + ec.message() : std::string()));
    return report;
  }
  report.folder = target;
  CopyInto(a.Pat98Folder, text::ListFolder(a.Pat98Folder, "*.jra"), target, report);
  if (!report.failures.empty()) {
    ReportFailures(a, port, report);
  } else if (a.settings.SaveMsg == 1) {
    port.Info(a.AppTitle, std::string(kSavedToFolderMessage) + "\n\n" + target.string());
  }
  return report;
}

CopyReport UpdateSavedData(const AppState& a, const RaceModel& race, UserPort& port) {
  CopyReport report;
  if (a.Pat98GuideDate != race.GuideDate) {
    port.Error(a.AppTitle, kDateMismatchMessage);
    return report;
  }
  report.folder = a.DataFolder;
  for (const char* pattern : kUpdatePatterns) {
    CopyInto(a.Pat98Folder, text::ListFolder(a.Pat98Folder, pattern), a.DataFolder, report);
  }
  if (!report.failures.empty()) ReportFailures(a, port, report);
  return report;
}

int OpenCurrentData(Session& s, UserPort& port) { return Reload(s, port, s.app.Pat98Folder); }

std::vector<std::string> PastDataFolders(const fs::path& storeRoot) {
  std::vector<std::string> names = text::ListFolder(storeRoot, "*", true);
  std::sort(names.begin(), names.end(), std::greater<>());
  return names;
}

PastDataDialog PreparePastData(const AppState& app) {
  PastDataDialog d;
  d.listMode = app.settings.SortFolder != 0;
  if (d.listMode) {
    d.caption = kPastDataListCaption;
    d.folders = PastDataFolders(app.StoreRoot);
    d.preselected = d.folders.empty() ? -1 : 0;
  } else {
    d.caption = kPastDataBrowseCaption;
    d.browseStart = app.StoreRoot;
    d.hint = kFolderBrowseHint;
  }
  return d;
}

int OpenPastData(Session& s, UserPort& port, std::string_view folderName) {
  fs::path folder = folderName.empty() ? s.app.StoreRoot : s.app.StoreRoot / std::string(folderName);
  return Reload(s, port, folder);
}

int OpenDataFolder(Session& s, UserPort& port, const fs::path& folder) {
  return Reload(s, port, folder);
}

}  // namespace tz
