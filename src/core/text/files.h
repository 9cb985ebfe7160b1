// File-system helpers: names matched without regard to letter case, folder listings in a
// stable order, whole-file reads, Shift_JIS text files with CR LF and atomic replacement.
#pragma once

#include <cstdint>
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
  // While one lives, the index takes each folder as it was at the first lookup: the folder's
  // time is read once, not at every lookup. For one user action (a race picked, a meeting
  // picked) that reads several files of the same folder and writes none there; the action then
  // sees one state of the folder, as if whatever arrives meanwhile came just after it. Forget
  // and Clear still drop a listing at once. They may nest; the outermost one ends the view.
  class SameView {
   public:
    explicit SameView(FolderIndex& index);
    ~SameView();
    SameView(const SameView&) = delete;
    SameView& operator=(const SameView&) = delete;

   private:
    FolderIndex& index_;
  };

  std::optional<fs::path> Find(const fs::path& folder, std::string_view name);
  // As Find, and only when the entry found is a regular file.
  std::optional<fs::path> FindFile(const fs::path& folder, std::string_view name);
  fs::path Resolve(const fs::path& folder, std::string_view name);
  // FindFile and Resolve as the path's text, for a file read at once: a path object takes
  // its text apart when it is made.
  std::optional<std::string> FindFilePath(const fs::path& folder, std::string_view name);
  std::string ResolvePath(const fs::path& folder, std::string_view name);
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
    std::uint64_t view = 0;  // the SameView in which the folder's time was last read
    // Entries by upper-cased name, in directory order.
    std::unordered_map<std::string, std::vector<Entry>> byUpper;
  };
  const Listing* Current(const fs::path& folder);
  // The entry `name` stands for: the exact name when it exists, else the first in directory
  // order that differs only in case; nothing when the folder has neither.
  const Entry* Lookup(const fs::path& folder, std::string_view name);

  std::map<std::string, Listing> listings_;
  int listingsMade_ = 0;
  std::string upper_;  // the upper-cased name of the last lookup, its buffer kept
  int viewDepth_ = 0;       // SameView objects alive
  std::uint64_t view_ = 0;  // counts the outermost SameView objects; 0 before the first

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
// The sort key of that order (compare keys as unsigned bytes, std::string's own order):
// DirectoryOrderLess(a, b) == (DirectoryOrderKey(a) < DirectoryOrderKey(b)).
std::string DirectoryOrderKey(std::string_view name);

// The whole file as bytes, or nothing when it cannot be read.
std::optional<std::string> ReadFileBytes(const fs::path& p);
// The same for a path given as text.
std::optional<std::string> ReadPathBytes(const std::string& path);

// Whether `name` names one entry of a folder and nothing else: not empty, no "/", "\\", NUL
// or "..". Names built from file contents (dates, vote-file names) are checked with this
// before they are joined to a folder.
bool IsPlainFileName(std::string_view name);
// What the user is told when a file name built from the day's files is not a plain name.
inline constexpr const char* kBadFileNameMessage = "ﾌｧｲﾙ名に使用できない文字があります。";

// The path of `name` in `folder` as ResolveName gives it, or nothing when `name` is not a plain
// file name (the path would leave the folder).
std::optional<fs::path> PathInFolder(const fs::path& folder, std::string_view name);

// Writes `bytes` to a temporary file in the same folder and renames it over `p`, so that a
// failure never leaves a half-written file under the real name. Returns an error text, empty
// on success.
std::string WriteFileAtomic(const fs::path& p, std::string_view bytes);

// Writes `bytes` as a new file `p` that no other writer can replace at the same moment: the
// complete temporary file is given the name only when no entry of that name exists.
enum class NewFileResult { Written, Exists, Failed };
struct NewFileOutcome {
  NewFileResult result = NewFileResult::Failed;
  std::string error;  // with Failed
};
NewFileOutcome WriteFileNew(const fs::path& p, std::string_view bytes);

// Removes the temporary files an interrupted write of `p` left in its folder: those of the
// writers' own prefix for that name, last changed before this process started and not
// belonging to a running process. The writers above call it themselves.
void RemoveStaleTemporaries(const fs::path& p);

// Lines (UTF-8) joined with CR LF after each line and encoded as Shift_JIS.
std::string JoinLinesSjis(const std::vector<std::string>& lines);

// Shift_JIS text file with CR LF line ends, written atomically. Returns an error text.
std::string WriteTextFileAtomic(const fs::path& p, const std::vector<std::string>& lines);

// A text file written line by line (exports) into a temporary file of the same folder: each
// line is encoded as Shift_JIS and ended with CR LF. Commit() gives the complete file its name;
// without it (an error, or the writer dropped) nothing is left under the real name.
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
  // Flushes, syncs and renames the temporary file over the target. False on failure, with
  // error() telling why; the temporary file is then removed.
  bool Commit();
  // The errno of the first failure (creating, writing, flushing or renaming), 0 when none.
  int error() const { return error_; }

 private:
  void Discard();
  fs::path path_;
  fs::path tmp_;
  std::FILE* file_ = nullptr;
  int error_ = 0;
};

// An exclusive advisory lock on a folder, held while the object lives (flock on the folder
// itself, so no lock file is left behind); other processes taking the same lock wait. Used
// around read-modify-write of a file that several programs edit.
class FolderLock {
 public:
  explicit FolderLock(const fs::path& folder);
  ~FolderLock();
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;
  bool locked() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

// The program folder: $TAZUNA98_HOME when set, else $XDG_DATA_HOME/tazuna98, else
// ~/.local/share/tazuna98.
fs::path ProgramFolder();

}  // namespace tz::text
