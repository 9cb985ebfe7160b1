#include "betting/bank_link.h"

#include <system_error>

#include "text/files.h"

namespace tz {

namespace {

// The full path of the data folder, as the sibling programs need it whatever the current
// folder of this process is.
std::string FullDataFolder(const AppState& app) {
  if (app.DataFolder.is_absolute()) return app.DataFolder.string();
  std::error_code ec;
  std::filesystem::path p = std::filesystem::absolute(app.DataFolder, ec);
  return ec ? app.DataFolder.string() : p.string();
}

}  // namespace

void WriteBankLink(const AppState& app, const RaceModel& race) {
  if (race.MeetingCount == 0) return;
  text::WriteTextFileAtomic(text::ResolveName(app.Pat98Folder, kBankLinkFileName),
                            {FullDataFolder(app)});
}

void DeleteBankLink(const AppState& app) {
  if (auto p = text::FindEntry(app.Pat98Folder, kBankLinkFileName)) {
    std::error_code ec;
    std::filesystem::remove(*p, ec);
  }
}

void WriteCurrentFolderFile(const AppState& app, const RaceModel& race) {
  if (race.MeetingCount == 0 || app.CurrentFolderFile.empty()) return;
  text::WriteTextFileAtomic(app.CurrentFolderFile, {FullDataFolder(app)});
}

void ApplyBankLinkOption(AppState& app, const RaceModel& race, int on) {
  app.settings.BankLink = on;
  if (on == 1) {
    WriteBankLink(app, race);
  } else {
    DeleteBankLink(app);
  }
}

}  // namespace tz
