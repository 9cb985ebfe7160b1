// Dated data folders: PAT98 keeps only the current day's files and overwrites them the next
// racing day, so the day's files are saved into a folder named by the guide date under
// StoreRoot, refreshed later with the results and the voting log, and any such folder can be
// opened again as the current data (DataFolder).
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "app/app_state.h"
#include "app/user_port.h"
#include "pat98/odds_reader.h"  // kDateMismatchMessage, shared with the odds reader
#include "pat98/race_model.h"

namespace tz {

struct Session;

inline constexpr const char* kSavedToFolderMessage = "下記のﾌｫﾙﾀﾞに保存しました";
inline constexpr const char* kSaveFailedMessage = "保存できませんでした。";
inline constexpr const char* kNothingToSaveMessage = "保存する投票要項がありません。";
inline constexpr const char* kPastDataListCaption = "過去のﾃﾞｰﾀを開く [TZNAﾌｫﾙﾀﾞ]";
inline constexpr const char* kPastDataBrowseCaption = "過去のﾃﾞｰﾀを開く";
inline constexpr const char* kFolderBrowseHint = "ダブルクリックで選択";

// The file patterns a refresh copies, in the order they are copied: the voting log, the results
// and payouts, then the meeting guide.
inline constexpr const char* kUpdatePatterns[] = {"LG*.jra", "KS*.jra", "FH*.jra", "TH*.jra",
                                                  "WH*.jra", "UH*.jra", "KH*.jra",
                                                  "KA-ANNAI.jra"};

struct TimeOfDay {
  int hour = 0, minute = 0, second = 0;
};
TimeOfDay CurrentTimeOfDay();

// What a copy into a data folder did.
struct CopyReport {
  std::filesystem::path folder;       // the folder copied into; empty when nothing was done
  std::vector<std::string> copied;    // file names, in the order they were copied
  std::vector<std::string> failures;  // "name: reason" for every file that could not be copied
};

// The name of the dated folder for a day: `dateIso` when no entry of that name exists under
// StoreRoot, else `dateIso` + "(hhmmss)" with the given time.
std::string DatedFolderName(const std::filesystem::path& storeRoot, std::string_view dateIso,
                            TimeOfDay now);

// "現在のﾃﾞｰﾀを保存": copies every "*.jra" file of the PAT98 folder into the dated folder of the
// day (created when missing), each through a temporary file renamed into place, then says
// where when SaveMsg is 1. The folder is named by the loaded guide date while the PAT98 folder
// is the loaded one; when another folder is loaded (the save offered on closing) it is named
// by the date of the PAT98 folder's own guide, the day of the files copied. Without any guide
// date, or when the folder cannot be made, nothing is copied and an error is shown; files that
// cannot be copied are listed in an error message.
CopyReport SaveCurrentData(const AppState& app, const RaceModel& race, UserPort& port);
CopyReport SaveCurrentData(const AppState& app, const RaceModel& race, UserPort& port,
                           TimeOfDay now);

// "結果と履歴を上書き保存": refuses with "日付が一致しません。" unless the PAT98 folder's guide date
// is the loaded day's; otherwise copies the files of each of kUpdatePatterns, in that order,
// from the PAT98 folder into DataFolder, replacing existing files. Patterns without files are
// skipped silently; copy failures are reported.
CopyReport UpdateSavedData(const AppState& app, const RaceModel& race, UserPort& port);

// The three openings below load a day into the whole session (LoadCurrentData): they are the
// entry points of the main window's file menu.

// "現在のﾃﾞｰﾀを開く": DataFolder becomes the PAT98 folder, every other window is closed on the
// reload, the day is loaded. Returns the load status.
int OpenCurrentData(Session& s, UserPort& port);

// What the "過去のﾃﾞｰﾀを開く" dialog shows: with SortFolder not 0 a list of the subfolders of
// StoreRoot, newest first, the first one preselected; with SortFolder 0 a folder browser
// starting at StoreRoot.
struct PastDataDialog {
  bool listMode = false;
  std::string caption;
  std::vector<std::string> folders;  // list mode: names in the order shown
  int preselected = -1;              // index into folders, -1 when the list is empty
  std::filesystem::path browseStart;  // browser mode: where the tree starts
  std::string hint;                   // browser mode: the hint under the tree
};
PastDataDialog PreparePastData(const AppState& app);

// The subfolders of StoreRoot in descending order of their names compared character code by
// character code (a time-suffixed folder of a day comes before the plain one).
std::vector<std::string> PastDataFolders(const std::filesystem::path& storeRoot);

// OK in the folder list: DataFolder becomes StoreRoot + the chosen name (StoreRoot itself for
// an empty name) and the day is loaded with every other window closed. Returns the load status.
int OpenPastData(Session& s, UserPort& port, std::string_view folderName);

// OK in the folder browser: DataFolder becomes `folder`, the day is loaded with every other
// window closed. Returns the load status.
int OpenDataFolder(Session& s, UserPort& port, const std::filesystem::path& folder);

}  // namespace tz
