#include "fhwars/forum_log.h"

#include <system_error>

#include "text/files.h"
#include "text/sjis.h"

namespace tz {

namespace fs = std::filesystem;

bool IsPat98Folder(const AppState& app, std::string_view folder) {
  const std::string pat98 = app.Pat98Folder.string();
  if (folder == pat98) return true;
  if (folder.empty() || pat98.empty()) return false;
  // The same folder written another way must not pass either: converted files would
  // otherwise land among PAT98's own.
  fs::path a = fs::path(folder).lexically_normal();
  fs::path b = app.Pat98Folder.lexically_normal();
  auto strip = [](fs::path p) {
    std::string t = p.string();
    while (t.size() > 1 && t.back() == '/') t.pop_back();
    return t;
  };
  if (strip(a) == strip(b)) return true;
  std::error_code ec;
  return fs::exists(a, ec) && fs::exists(b, ec) && fs::equivalent(a, b, ec) && !ec;
}

bool OfferToCreateConvertFolder(const AppState& app, UserPort& port, const fs::path& folder) {
  if (port.Ask(app.AppTitle, kWarsCreateFolderQuestion, Buttons::YesNo, Icon::Warning,
               Answer::Yes) != Answer::Yes) {
    return false;
  }
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (ec || !text::FolderExists(folder)) {
    port.Error(app.AppTitle, ec ? ec.message() : std::string("cannot create the folder"));
    return false;
  }
  return true;
}

fs::path WarsLogPath(const AppState& app, std::string_view logFileName) {
  return text::ResolveName(fs::path(app.settings.Txtpath), logFileName);
}

bool CheckWarsConversion(const AppState& app, WarsState& wars, UserPort& port,
                         std::string_view logFileName, bool overwrite, MissingConvertFolder mode) {
  const Settings& st = app.settings;
  const std::string& title = app.AppTitle;
  if (st.Txtpath.empty()) {
    port.Error(title, kWarsNoTextFolder);
    return false;
  }
  if (logFileName.empty()) {
    port.Error(title, kWarsNoTextFile);
    return false;
  }
  if (st.Cnvpath.empty()) {
    port.Error(title, kWarsNoConvertFolder);
    return false;
  }
  if (IsPat98Folder(app, st.Cnvpath)) {
    port.Warning(title, kWarsConvertIsPat98);
    return false;
  }
  wars.WarsOverwrite = overwrite;
  if (!text::FolderExists(st.Txtpath)) {
    port.Error(title, kWarsTextFolderMissing);
    return false;
  }
  if (!text::FolderExists(st.Cnvpath)) {
    if (mode == MissingConvertFolder::Refuse) {
      port.Error(title, kWarsConvertFolderMissing);
      return false;
    }
    if (!OfferToCreateConvertFolder(app, port, st.Cnvpath)) return false;
  }
  if (!text::FileExists(WarsLogPath(app, logFileName))) {
    port.Error(title, kWarsTextFileMissing);
    return false;
  }
  return true;
}

std::optional<std::vector<std::string>> ReadForumLogLines(const fs::path& p) {
  auto bytes = text::ReadFileBytes(p);
  if (!bytes) return std::nullopt;
  std::vector<std::string> lines;
  std::size_t start = 0;
  const std::string& b = *bytes;
  while (start < b.size()) {
    std::size_t end = b.find('\n', start);
    std::size_t next = end == std::string::npos ? b.size() : end + 1;
    if (end == std::string::npos) end = b.size();
    std::size_t stop = end;
    if (stop > start && b[stop - 1] == '\r') --stop;
    lines.push_back(text::DecodeSjis(std::string_view(b).substr(start, stop - start)));
    start = next;
  }
  return lines;
}

ConvertedFile WriteConvertedFile(const WarsState& wars, const fs::path& folder,
                                 std::string_view name, std::string_view bytes) {
  ConvertedFile f;
  f.name = std::string(name);
  if (auto existing = text::FindEntry(folder, name)) {
    if (!wars.WarsOverwrite) {
      f.outcome = ConvertedFile::Outcome::Kept;
      return f;
    }
  }
  std::string err = text::WriteFileAtomic(text::ResolveName(folder, name), bytes);
  if (!err.empty()) {
    f.outcome = ConvertedFile::Outcome::Failed;
    f.error = err;
  }
  return f;
}

}  // namespace tz
