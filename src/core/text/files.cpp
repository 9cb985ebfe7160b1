#include "text/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <system_error>

#include "text/sjis.h"
#include "text/strings.h"

namespace tz::text {

std::optional<fs::path> FindEntry(const fs::path& folder, std::string_view name) {
  std::error_code ec;
  fs::path exact = folder / std::string(name);
  if (fs::exists(exact, ec)) return exact;
  if (!fs::is_directory(folder, ec)) return std::nullopt;
  std::string upper = ToUpperAscii(name);
  std::optional<fs::path> found;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::string n = it->path().filename().string();
    if (n.size() == upper.size() && ToUpperAscii(n) == upper) {
      // Several entries may differ only in case; take the first in directory order.
      if (!found || DirectoryOrderLess(n, found->filename().string())) found = it->path();
    }
  }
  return found;
}

fs::path ResolveName(const fs::path& folder, std::string_view name) {
  if (auto p = FindEntry(folder, name)) return *p;
  return folder / std::string(name);
}

namespace {

// A listing made this soon after the folder's last change may miss a change in the same tick.
constexpr auto kStableAfter = std::chrono::seconds(3);

// Names that are not a plain entry of the folder are looked up on the file system itself.
bool IsPlainName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." && name.find('/') == std::string_view::npos;
}

// Calls `entry(name, isRegularFile, isFolder)` for every entry of a folder but "." and "..",
// a link judged by what it points to. False when the folder cannot be read to its end.
template <typename Entry>
bool ForEachEntry(const fs::path& folder, Entry entry) {
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return false;
  const int fd = ::dirfd(dir);
  bool ok = true;
  for (;;) {
    errno = 0;
    const dirent* d = ::readdir(dir);
    if (!d) {
      ok = errno == 0;
      break;
    }
    const std::string_view name = d->d_name;
    if (name == "." || name == "..") continue;
    bool regular = d->d_type == DT_REG;
    bool isFolder = d->d_type == DT_DIR;
    if (d->d_type == DT_LNK || d->d_type == DT_UNKNOWN) {
      struct stat st {};
      const bool known = ::fstatat(fd, d->d_name, &st, 0) == 0;
      regular = known && S_ISREG(st.st_mode);
      isFolder = known && S_ISDIR(st.st_mode);
    }
    entry(name, regular, isFolder);
  }
  ::closedir(dir);
  return ok;
}

}  // namespace

FolderIndex::SameView::SameView(FolderIndex& index) : index_(index) {
  if (index_.viewDepth_++ == 0) ++index_.view_;
}

FolderIndex::SameView::~SameView() { --index_.viewDepth_; }

const FolderIndex::Listing* FolderIndex::Current(const fs::path& folder) {
  auto it = listings_.find(folder.native());
  const bool inView = viewDepth_ > 0;
  if (inView && it != listings_.end() && it->second.view == view_) return &it->second;

  std::error_code ec;
  const fs::file_time_type stamp = fs::last_write_time(folder, ec);
  if (ec) {
    listings_.erase(folder.native());
    return nullptr;
  }
  if (it != listings_.end() && it->second.trusted && it->second.stamp == stamp) {
    if (inView) it->second.view = view_;
    return &it->second;
  }

  Listing l;
  l.stamp = stamp;
  if (inView) l.view = view_;
  l.trusted = fs::file_time_type::clock::now() - stamp > kStableAfter;
  const bool listed = ForEachEntry(folder, [&](std::string_view name, bool regular, bool) {
    l.byUpper[ToUpperAscii(name)].push_back({std::string(name), regular});
  });
  if (!listed) {
    listings_.erase(folder.native());
    return nullptr;
  }
  for (auto& [upper, entries] : l.byUpper) {
    if (entries.size() < 2) continue;
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
      return DirectoryOrderLess(a.name, b.name);
    });
  }
  ++listingsMade_;
  return &(listings_[folder.native()] = std::move(l));
}

namespace {

// `folder / name` as a text, for a plain name: a separator is put between them unless the
// folder is empty or ends with one.
std::string JoinedPath(const fs::path& folder, std::string_view name) {
  const std::string& f = folder.native();
  std::string out;
  out.reserve(f.size() + 1 + name.size());
  out.append(f);
  if (!f.empty() && f.back() != '/') out.push_back('/');
  out.append(name);
  return out;
}

}  // namespace

const FolderIndex::Entry* FolderIndex::Lookup(const fs::path& folder, std::string_view name) {
  const Listing* l = Current(folder);
  if (!l) return nullptr;
  upper_.assign(name);
  for (char& c : upper_) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  auto it = l->byUpper.find(upper_);
  if (it == l->byUpper.end()) return nullptr;
  for (const Entry& e : it->second) {
    if (e.name == name) return &e;
  }
  return &it->second.front();
}

std::optional<fs::path> FolderIndex::Find(const fs::path& folder, std::string_view name) {
  if (!IsPlainName(name)) return FindEntry(folder, name);
  if (const Entry* e = Lookup(folder, name)) return fs::path(JoinedPath(folder, e->name));
  return std::nullopt;
}

std::optional<fs::path> FolderIndex::FindFile(const fs::path& folder, std::string_view name) {
  if (!IsPlainName(name)) {
    auto p = FindEntry(folder, name);
    return p && FileExists(*p) ? p : std::nullopt;
  }
  if (auto path = FindFilePath(folder, name)) return fs::path(std::move(*path));
  return std::nullopt;
}

std::optional<std::string> FolderIndex::FindFilePath(const fs::path& folder,
                                                     std::string_view name) {
  if (!IsPlainName(name)) {
    auto p = FindFile(folder, name);
    return p ? std::optional<std::string>(p->native()) : std::nullopt;
  }
  if (const Entry* e = Lookup(folder, name); e && e->regularFile) return JoinedPath(folder, e->name);
  return std::nullopt;
}

fs::path FolderIndex::Resolve(const fs::path& folder, std::string_view name) {
  if (auto p = Find(folder, name)) return *p;
  return folder / std::string(name);
}

std::string FolderIndex::ResolvePath(const fs::path& folder, std::string_view name) {
  if (!IsPlainName(name)) return Resolve(folder, name).native();
  const Entry* e = Lookup(folder, name);
  return JoinedPath(folder, e ? std::string_view(e->name) : name);
}

void FolderIndex::Forget(const fs::path& folder) { listings_.erase(folder.native()); }

void FolderIndex::Clear() { listings_.clear(); }

bool FileExists(const fs::path& p) {
  std::error_code ec;
  return fs::is_regular_file(p, ec);
}

bool FolderExists(const fs::path& p) {
  std::error_code ec;
  return fs::is_directory(p, ec);
}

bool MatchesPattern(std::string_view name, std::string_view pattern) {
  // Iterative wildcard match with backtracking on the last "*".
  std::size_t n = 0, p = 0, starP = std::string_view::npos, starN = 0;
  auto up = [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; };
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || up(pattern[p]) == up(name[n]))) {
      ++n;
      ++p;
    } else if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (starP != std::string_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

std::string DirectoryOrderKey(std::string_view name) { return ToUpperAscii(EncodeSjis(name)); }

bool DirectoryOrderLess(std::string_view a, std::string_view b) {
  // std::string compares its chars as unsigned bytes (char_traits<char>::lt).
  return DirectoryOrderKey(a) < DirectoryOrderKey(b);
}

std::vector<std::string> ListFolder(const fs::path& folder, std::string_view pattern,
                                    bool foldersOnly) {
  // Each name with its sort key, made once.
  std::vector<std::pair<std::string, std::string>> keyed;
  ForEachEntry(folder, [&](std::string_view name, bool isFile, bool isDir) {
    if (foldersOnly ? !isDir : !isFile) return;
    if (MatchesPattern(name, pattern)) keyed.emplace_back(DirectoryOrderKey(name), name);
  });
  std::sort(keyed.begin(), keyed.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<std::string> names;
  names.reserve(keyed.size());
  for (auto& [key, name] : keyed) names.push_back(std::move(name));
  return names;
}

std::optional<std::string> ReadFileBytes(const fs::path& p) { return ReadPathBytes(p.native()); }

std::optional<std::string> ReadPathBytes(const std::string& p) {
  const int fd = ::open(p.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat st {};
  const std::size_t size =
      ::fstat(fd, &st) == 0 && st.st_size > 0 ? static_cast<std::size_t>(st.st_size) : 0;
  // One byte more than the size, to see at once whether the file grew; read on to the end in
  // that case. A read error ends the bytes (a folder reads empty).
  std::string out(size + 1, '\0');
  std::size_t got = 0;
  for (;;) {
    if (got == out.size()) out.resize(out.size() + 4096);
    const ssize_t n = ::read(fd, out.data() + got, out.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    got += static_cast<std::size_t>(n);
  }
  ::close(fd);
  out.resize(got);
  return out;
}

bool IsPlainFileName(std::string_view name) {
  if (name.empty() || name.find("..") != std::string_view::npos) return false;
  return name.find_first_of(std::string_view("/\\\0", 3)) == std::string_view::npos;
}

std::optional<fs::path> PathInFolder(const fs::path& folder, std::string_view name) {
  if (!IsPlainFileName(name)) return std::nullopt;
  return ResolveName(folder, name);
}

namespace {

// When this process started, for telling the leftovers of earlier runs from files being
// written now.
const fs::file_time_type kProcessStart = fs::file_time_type::clock::now();

// Temporary files of `target` are named ".tmp-<name>-<pid>-<random>".
std::string TemporaryPrefix(const fs::path& target) {
  return ".tmp-" + target.filename().string() + "-";
}

fs::path FolderOf(const fs::path& p) {
  fs::path folder = p.parent_path();
  return folder.empty() ? fs::path(".") : folder;
}

fs::path TemporaryName(const fs::path& target) {
  std::random_device rd;
  return FolderOf(target) / (TemporaryPrefix(target) + std::to_string(::getpid()) + "-" +
                             std::to_string(rd()));
}

// The process id in the part of a temporary name after its prefix; 0 for names without one
// (those of older versions, "<random>" only).
pid_t WriterOf(std::string_view rest) {
  const std::size_t dash = rest.find('-');
  if (dash == std::string_view::npos || dash == 0 || dash > 9) return 0;
  pid_t pid = 0;
  for (char c : rest.substr(0, dash)) {
    if (c < '0' || c > '9') return 0;
    pid = pid * 10 + (c - '0');
  }
  return pid;
}

bool ProcessRunning(pid_t pid) {
  if (pid <= 0) return false;
  if (pid == ::getpid()) return true;
  return ::kill(pid, 0) == 0 || errno == EPERM;
}

std::string ErrorText(std::string_view what, const fs::path& p, int err) {
  return std::string(what) + " " + p.string() + ": " + std::strerror(err);
}

// Writes the complete bytes into a new temporary file beside `target`. Returns its path, or
// nothing with `error` set (and no file left).
std::optional<fs::path> WriteTemporary(const fs::path& target, std::string_view bytes,
                                       std::string& error) {
  RemoveStaleTemporaries(target);
  const fs::path tmp = TemporaryName(target);
  std::FILE* f = std::fopen(tmp.c_str(), "wbx");
  if (!f) {
    error = ErrorText("cannot create", tmp, errno);
    return std::nullopt;
  }
  int err = 0;
  if (std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size()) err = errno;
  if (std::fflush(f) != 0 && err == 0) err = errno;
  if (::fsync(fileno(f)) != 0 && err == 0) err = errno;
  if (std::fclose(f) != 0 && err == 0) err = errno;
  if (err != 0) {
    std::remove(tmp.c_str());
    error = ErrorText("cannot write", target, err);
    return std::nullopt;
  }
  return tmp;
}

}  // namespace

void RemoveStaleTemporaries(const fs::path& p) {
  const std::string prefix = TemporaryPrefix(p);
  std::error_code ec;
  for (fs::directory_iterator it(FolderOf(p), ec), end; !ec && it != end; it.increment(ec)) {
    const std::string n = it->path().filename().string();
    if (n.size() <= prefix.size() || n.compare(0, prefix.size(), prefix) != 0) continue;
    std::error_code ec2;
    if (!it->is_regular_file(ec2)) continue;
    const auto changed = fs::last_write_time(it->path(), ec2);
    if (ec2 || changed >= kProcessStart) continue;
    if (ProcessRunning(WriterOf(std::string_view(n).substr(prefix.size())))) continue;
    fs::remove(it->path(), ec2);
  }
}

std::string WriteFileAtomic(const fs::path& p, std::string_view bytes) {
  std::string error;
  const auto tmp = WriteTemporary(p, bytes, error);
  if (!tmp) return error;
  if (std::rename(tmp->c_str(), p.c_str()) != 0) {
    const int err = errno;
    std::remove(tmp->c_str());
    return ErrorText("cannot replace", p, err);
  }
  return {};
}

NewFileOutcome WriteFileNew(const fs::path& p, std::string_view bytes) {
  NewFileOutcome out;
  const auto tmp = WriteTemporary(p, bytes, out.error);
  if (!tmp) return out;
  // The name is taken only if free: renameat2 where the file system knows it, else a hard
  // link (which fails on an existing name too).
  int rc = ::renameat2(AT_FDCWD, tmp->c_str(), AT_FDCWD, p.c_str(), RENAME_NOREPLACE);
  if (rc != 0 && (errno == EINVAL || errno == ENOSYS || errno == ENOTSUP)) {
    rc = ::link(tmp->c_str(), p.c_str());
    const int err = errno;
    std::remove(tmp->c_str());
    errno = err;
  }
  if (rc == 0) {
    out.result = NewFileResult::Written;
    return out;
  }
  const int err = errno;
  std::remove(tmp->c_str());
  if (err == EEXIST) {
    out.result = NewFileResult::Exists;
  } else {
    out.error = ErrorText("cannot create", p, err);
  }
  return out;
}

std::string JoinLinesSjis(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& l : lines) {
    out += EncodeSjis(l);
    out += "\r\n";
  }
  return out;
}

std::string WriteTextFileAtomic(const fs::path& p, const std::vector<std::string>& lines) {
  return WriteFileAtomic(p, JoinLinesSjis(lines));
}

LineWriter::LineWriter(const fs::path& p) : path_(p) {
  RemoveStaleTemporaries(p);
  tmp_ = TemporaryName(p);
  file_ = std::fopen(tmp_.c_str(), "wbx");
  if (!file_) error_ = errno;
}

LineWriter::~LineWriter() { Discard(); }

void LineWriter::Discard() {
  if (!file_) return;
  std::fclose(file_);
  file_ = nullptr;
  std::remove(tmp_.c_str());
}

bool LineWriter::WriteRaw(std::string_view bytes) {
  if (!file_ || error_ != 0) return false;
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size()) return true;
  error_ = errno != 0 ? errno : EIO;
  return false;
}

bool LineWriter::WriteLine(std::string_view utf8) {
  return WriteRaw(EncodeSjis(utf8)) && WriteRaw("\r\n");
}

bool LineWriter::Commit() {
  if (!file_) {
    if (error_ == 0) error_ = EBADF;
    return false;
  }
  if (error_ == 0 && std::fflush(file_) != 0) error_ = errno;
  if (error_ == 0 && ::fsync(fileno(file_)) != 0) error_ = errno;
  const bool closed = std::fclose(file_) == 0;
  if (!closed && error_ == 0) error_ = errno;
  file_ = nullptr;
  if (error_ == 0 && std::rename(tmp_.c_str(), path_.c_str()) != 0) error_ = errno;
  if (error_ != 0) {
    std::remove(tmp_.c_str());
    return false;
  }
  return true;
}

FolderLock::FolderLock(const fs::path& folder) {
  fd_ = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd_ < 0) return;
  while (::flock(fd_, LOCK_EX) != 0) {
    if (errno == EINTR) continue;
    ::close(fd_);
    fd_ = -1;
    return;
  }
}

FolderLock::~FolderLock() {
  if (fd_ >= 0) ::close(fd_);  // closing releases the lock
}

fs::path ProgramFolder() {
  if (const char* h = std::getenv("TAZUNA98_HOME"); h && *h) return fs::path(h);
  if (const char* x = std::getenv("XDG_DATA_HOME"); x && *x) return fs::path(x) / "tazuna98";
  if (const char* home = std::getenv("HOME"); home && *home) {
    return fs::path(home) / ".local" / "share" / "tazuna98";
  }
  return fs::current_path() / "tazuna98";
}

}  // namespace tz::text
