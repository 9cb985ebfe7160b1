#include "app/startup.h"

#include <algorithm>
#include <system_error>

#include "app/settings.h"
#include "betting/bank_link.h"
#include "pat98/day_loader.h"
#include "session.h"
#include "text/files.h"
#include "text/sjis.h"
#include "tools/check_list.h"

namespace tz {

void InitApplicationState(Session& s, const std::filesystem::path& programFolder,
                          double screenWidthTwips, double screenHeightTwips) {
  AppState& a = s.app;
  a.DefaultCheckColors = {255, 16711680, 16711935};
  a.CheckList.assign(1, CheckEntry{});
  a.BoxColors.assign(2, 0);
  a.AppTitle = "Tazuna98";
  a.ProgramFolder = programFolder;

  std::error_code ec;
  std::filesystem::create_directories(programFolder, ec);
  if (auto existing = text::FindEntry(programFolder, "TZNA"); existing && text::FolderExists(*existing)) {
    a.StoreRoot = *existing;
  } else {
    a.StoreRoot = programFolder / "TZNA";
    std::filesystem::create_directories(a.StoreRoot, ec);
  }

  // What an interrupted write of an earlier run left beside the two files goes now, not only
  // when the file is next written.
  text::RemoveStaleTemporaries(text::ResolveName(a.StoreRoot, kSettingsFileName));
  text::RemoveStaleTemporaries(text::ResolveName(a.StoreRoot, kCheckListFileName));
  ReadSettings(a);

  if (a.Pat98Folder.empty() || !text::FolderExists(a.Pat98Folder)) a.Pat98Folder = programFolder;
  a.DataFolder = a.Pat98Folder;
  a.CurrentFolderFile = programFolder / kCurrentFolderFileName;
  ApplyDefaultBetFolder(a);
  a.Pat98GuideDate = ReadPat98GuideDate(a.Pat98Folder);

  a.ScreenWidth = screenWidthTwips;
  a.ScreenHeight = screenHeightTwips;
  if (a.MainWindowWidth > a.ScreenWidth && a.ScreenWidth > 0) a.MainWindowWidth = a.ScreenWidth;

  a.BracketColors = {16777215, 8421504, 8421631, 16744576, 8454143, 8454016, 8438015, 16744703};

  // A file that cannot be read is noted in the check-list model (the main window reports it)
  // and kept from being replaced at exit.
  LoadCheckList(s.app, s.checkListWindow.File);
}

int HasPat98Program(const std::filesystem::path& folder) {
  auto p = text::FindEntry(folder, "pat98.exe");
  return p && text::FileExists(*p) ? 0 : 2;
}

std::string ReadPat98GuideDate(const std::filesystem::path& pat98Folder) {
  auto p = text::FindEntry(pat98Folder, "UY-A.JRA");
  if (!p) return "99999999";
  auto bytes = text::ReadFileBytes(*p);
  if (!bytes) return "99999999";
  return text::Left(text::DecodeSjis(*bytes), 8);
}

void ApplyDefaultBetFolder(AppState& app) {
  if (!app.BetFolder.empty() || HasPat98Program(app.Pat98Folder) != 0) return;
  if (auto pbet = text::FindEntry(app.Pat98Folder, "PBET")) app.BetFolder = *pbet;
}

void ApplyPat98Folder(AppState& app, const std::filesystem::path& folder) {
  app.Pat98Folder = folder;
  app.DataFolder = folder;
  ApplyDefaultBetFolder(app);
  app.Pat98GuideDate = ReadPat98GuideDate(folder);
}

namespace {
int FirstLoad(Session& s, UserPort& port) { return LoadCurrentData(s, port, DayLoad::FirstLoad); }
}  // namespace

int ApplyPat98Folder(Session& s, UserPort& port, const std::filesystem::path& folder) {
  ApplyPat98Folder(s.app, folder);
  return FirstLoad(s, port);
}

int StartupLoadDay(Session& s, UserPort& port) {
  DeleteBankLink(s.app);
  return FirstLoad(s, port);
}

CloseDecision RequestClose(const AppState& app, UserPort& port) {
  if (app.settings.TermScr == 0 || app.Pat98GuideDate == "99999999") {
    return CloseDecision::Close;
  }
  Answer a = port.Ask(app.AppTitle,
                      app.AppTitle + "を終了します。\n現在のデータを保存しますか？",
                      Buttons::YesNoCancel, Icon::Warning, Answer::No);
  if (a == Answer::Yes) return CloseDecision::SaveThenClose;
  if (a == Answer::No) return CloseDecision::Close;
  return CloseDecision::Cancel;
}

std::string Shutdown(Session& s, bool mainWindowMinimised, double mainWindowWidthTwips) {
  AppState& a = s.app;
  if (!mainWindowMinimised) {
    a.MainWindowWidth = a.ScreenWidth > 0 ? std::min(mainWindowWidthTwips, a.ScreenWidth)
                                          : mainWindowWidthTwips;
  }
  DeleteBankLink(a);
  // The check list first: the settings file drops the names of its older section, which must
  // be in tzcheck.txt by then (an interruption in between loses nothing). Both files are
  // written whatever became of the other; their errors are reported together.
  std::string checkErr = SaveCheckList(s.app, s.checkListWindow.File);
  std::string err = WriteSettings(a, checkErr.empty());
  if (!checkErr.empty()) err += (err.empty() ? "" : "\n\n") + checkErr;
  return err;
}

}  // namespace tz
