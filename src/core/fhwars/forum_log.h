// Helpers shared by the two forum-log conversions (odds postings and results postings): the
// checks of the conversion dialogs, the folder that receives the converted files, reading a
// saved log, and writing one converted file under the overwrite choice.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/app_state.h"
#include "app/user_port.h"
#include "fhwars/wars_state.h"

namespace tz {

// Messages of the conversion dialogs.
inline constexpr const char* kWarsNoTextFolder = "ﾃｷｽﾄﾌｫﾙﾀﾞが指定されていません";
inline constexpr const char* kWarsNoTextFile = "ﾃｷｽﾄﾌｧｲﾙが指定されていません";
inline constexpr const char* kWarsNoConvertFolder = "擬似ﾌｧｲﾙ格納ﾌｫﾙﾀﾞが指定されていません";
inline constexpr const char* kWarsConvertIsPat98 =
    "擬似ﾌｧｲﾙ格納ﾌｫﾙﾀﾞにPAT98ｲﾝｽﾄｰﾙﾌｫﾙﾀﾞが指定されています";
inline constexpr const char* kWarsTextFolderMissing = "ﾃｷｽﾄﾌｫﾙﾀﾞが存在しません";
inline constexpr const char* kWarsConvertFolderMissing = "擬似ﾌｧｲﾙ格納ﾌｫﾙﾀﾞが存在しません";
inline constexpr const char* kWarsCreateFolderQuestion =
    "変換先ﾌｫﾙﾀﾞが存在しません。\n作成しますか？";
inline constexpr const char* kWarsTextFileMissing = "ﾃｷｽﾄﾌｧｲﾙが存在しません";
inline constexpr const char* kWarsRunQuestion = "実行しますか?";
inline constexpr const char* kWarsProcessedSuffix = "ﾌｧｲﾙ処理しました。";

// What the OK button of a conversion dialog does when the receiving folder is missing: the
// odds conversion offers to create it, the results conversion refuses.
enum class MissingConvertFolder { OfferToCreate, Refuse };

// The checks of a conversion dialog's OK button, in their order, on the values already copied
// into the settings (Txtpath, the log's file name, Cnvpath): empty fields, the PAT98 folder as
// the receiving folder, WarsOverwrite set from `overwrite`, the text folder, the receiving
// folder (created on request in OfferToCreate mode) and the log file. The first failure shows
// its message (title AppTitle) and returns false.
bool CheckWarsConversion(const AppState& app, WarsState& wars, UserPort& port,
                         std::string_view logFileName, bool overwrite, MissingConvertFolder mode);

// Whether `folder` names the PAT98 folder: the same text, or the same folder spelled
// differently (a trailing separator, "." parts, a link).
bool IsPat98Folder(const AppState& app, std::string_view folder);

// Asks "変換先ﾌｫﾙﾀﾞが存在しません。作成しますか？" (warning, Yes/No) and creates the folder on
// Yes. Returns true when the folder exists afterwards; a failed creation shows the system's
// error description (error icon).
bool OfferToCreateConvertFolder(const AppState& app, UserPort& port,
                                const std::filesystem::path& folder);

// The saved log: WarsTextFolder + the file name, the name matched without regard to case.
std::filesystem::path WarsLogPath(const AppState& app, std::string_view logFileName);

// A saved log split into lines (decoded from Shift_JIS, CR LF or LF removed); nothing when the
// file cannot be read.
std::optional<std::vector<std::string>> ReadForumLogLines(const std::filesystem::path& p);

// One file the conversion met.
struct ConvertedFile {
  enum class Outcome { Written, Kept, Failed };
  std::string name;
  Outcome outcome = Outcome::Written;
  std::string error;  // Failed: what went wrong
};

// Writes a converted file into `folder` under `name`: an existing file of that name (in any
// letter case) is left alone unless WarsOverwrite is set; otherwise the bytes go to a temporary
// file in the same folder that is then renamed into place, so that a failure never leaves a
// half file under the real name.
ConvertedFile WriteConvertedFile(const WarsState& wars, const std::filesystem::path& folder,
                                 std::string_view name, std::string_view bytes);

}  // namespace tz
