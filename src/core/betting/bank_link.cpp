#include "betting/bank_link.h"

#include <system_error>

#include "text/files.h"

namespace tz {

void WriteBankLink(const AppState& app, const RaceModel& race) {
  if (race.MeetingCount == 0) return;
  text::WriteTextFileAtomic(text::ResolveName(app.Pat98Folder, kBankLinkFileName),
                            {app.DataFolder.string()});
}

void DeleteBankLink(const AppState& app) {
  if (auto p = text::FindEntry(app.Pat98Folder, kBankLinkFileName)) {
    std::error_code ec;
    std::filesystem::remove(*p, ec);
  }
}

void WriteCurrentFolderFile(const AppState& app, const RaceModel& race) {
  if (race.MeetingCount == 0 || app.CurrentFolderFile.empty()) return;
  text::WriteTextFileAtomic(app.CurrentFolderFile, {app.DataFolder.string()});
}

}  // namespace tz
