// File-system helpers: names matched without regard to letter case, folder listings in a
// stable order, whole-file reads, Shift_JIS text files with CR LF and atomic replacement.
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tz::text {

namespace fs = std::filesystem;

// The entry of `folder` whose name equals `name` without regard to ASCII letter case; an exact
// match wins over others. Nothing when the folder or the entry does not exist.
std::optional<fs::path> FindEntry(const fs::path& folder, std::string_view name);

// The path to use for `name` in `folder`: the existing entry of that name in any letter case,
// otherwise folder / name as given (the name to create).
fs::path ResolveName(const fs::path& folder, std::string_view name);

// The case-insensitive lookups of FindEntry and ResolveName answered from one listing of each
// folder. A listing serves every later lookup in its folder while the folder's modification
// time stays what it was when the listing was made; any change of the folder's entries (the
// program's own writes, or the files PAT98 downloads during the day) moves that time and the
// next lookup lists the folder again. A listing made within a few seconds of the folder's last
// change is used once only, since a change in the same tick of the file-system clock would not
// move the time.
class FolderIndex {
 public:
  std::optional<fs::path> Find(const fs::path& folder, std::string_view name);
  // As Find, and only when the entry found is a regular file.
  std::optional<fs::path> FindFile(const fs::path& folder, std::string_view name);
  fs::path Resolve(const fs::path& folder, std::string_view name);
  // Drops the listing of one folder, or of every folder.
  void Forget(const fs::path& folder);
  void Clear();
  // How many times a folder was listed (the rest were answered from a listing).
  int ListingsMade() const { return listingsMade_; }

 private:
  struct Entry {
    std::string name;
    bool regularFile = false;
  };
  struct Listing {
    fs::file_time_type stamp;
    bool trusted = false;  // made long enough after the folder's last change
    // Entries by upper-cased name, in directory order.
    std::unordered_map<std::string, std::vector<Entry>> byUpper;
  };
  const Listing* Current(const fs::path& folder);
  // The entry `name` stands for: the exact name when it exists, else the first in directory
  // order that differs only in case; nothing when the folder has neither.
  std::optional<Entry> Lookup(const fs::path& folder, std::string_view name);

  std::map<std::string, Listing> listings_;
  int listingsMade_ = 0;
};

bool FileExists(const fs::path& p);
bool FolderExists(const fs::path& p);

// Wildcard match ("*" any run, "?" one character) without regard to ASCII letter case.
bool MatchesPattern(std::string_view name, std::string_view pattern);

// Names of the regular files (or folders, with foldersOnly) of `folder` that match `pattern`,
// in directory order: sorted by the bytes of the upper-cased Shift_JIS name. An absent folder
// lists nothing.
std::vector<std::string> ListFolder(const fs::path& folder, std::string_view pattern,
                                    bool foldersOnly = false);

// Compares two names the way directory order sorts them.
bool DirectoryOrderLess(std::string_view a, std::string_view b);

// The whole file as bytes, or nothing when it cannot be read.
std::optional<std::string> ReadFileBytes(const fs::path& p);

// Writes `bytes` to a temporary file in the same folder and renames it over `p`, so that a
// failure never leaves a half-written file under the real name. Returns an error text, empty
// on success.
std::string WriteFileAtomic(const fs::path& p, std::string_view bytes);

// Lines (UTF-8) joined with CR LF after each line and encoded as Shift_JIS.
std::string JoinLinesSjis(const std::vector<std::string>& lines);

// Shift_JIS text file with CR LF line ends, written atomically. Returns an error text.
std::string WriteTextFileAtomic(const fs::path& p, const std::vector<std::string>& lines);

// A text file written line by line as it goes (exports): each line is encoded as Shift_JIS
// and ended with CR LF; what was written before an error stays in the file.
class LineWriter {
 public:
  explicit LineWriter(const fs::path& p);
  ~LineWriter();
  LineWriter(const LineWriter&) = delete;
  LineWriter& operator=(const LineWriter&) = delete;
  bool ok() const { return file_ != nullptr; }
  bool WriteLine(std::string_view utf8);
  // Writes raw bytes as they are (for fixed terminators).
  bool WriteRaw(std::string_view bytes);
  bool Close();

 private:
  std::FILE* file_ = nullptr;
};

// The program folder: $TAZUNA98_HOME when set, else $XDG_DATA_HOME/tazuna98, else
// ~/.local/share/tazuna98.
fs::path ProgramFolder();

}  // namespace tz::text
