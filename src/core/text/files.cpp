#include "text/files.h"

#include <sys/stat.h>
#include <unistd.h>

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

}  // namespace

const FolderIndex::Listing* FolderIndex::Current(const fs::path& folder) {
  std::error_code ec;
  const fs::file_time_type stamp = fs::last_write_time(folder, ec);
  if (ec) {
    listings_.erase(folder.string());
    return nullptr;
  }
  auto it = listings_.find(folder.string());
  if (it != listings_.end() && it->second.trusted && it->second.stamp == stamp) return &it->second;

  Listing l;
  l.stamp = stamp;
  l.trusted = fs::file_time_type::clock::now() - stamp > kStableAfter;
  for (fs::directory_iterator d(folder, ec), end; !ec && d != end; d.increment(ec)) {
    std::error_code ec2;
    std::string n = d->path().filename().string();
    const bool regular = d->is_regular_file(ec2);
    l.byUpper[ToUpperAscii(n)].push_back({std::move(n), regular});
  }
  if (ec) {
    listings_.erase(folder.string());
    return nullptr;
  }
  for (auto& [upper, entries] : l.byUpper) {
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
      return DirectoryOrderLess(a.name, b.name);
    });
  }
  ++listingsMade_;
  return &(listings_[folder.string()] = std::move(l));
}

std::optional<FolderIndex::Entry> FolderIndex::Lookup(const fs::path& folder,
                                                      std::string_view name) {
  const Listing* l = Current(folder);
  if (!l) return std::nullopt;
  auto it = l->byUpper.find(ToUpperAscii(name));
  if (it == l->byUpper.end()) return std::nullopt;
  for (const Entry& e : it->second) {
    if (e.name == name) return e;
  }
  return it->second.front();
}

std::optional<fs::path> FolderIndex::Find(const fs::path& folder, std::string_view name) {
  if (!IsPlainName(name)) return FindEntry(folder, name);
  if (auto e = Lookup(folder, name)) return folder / e->name;
  return std::nullopt;
}

std::optional<fs::path> FolderIndex::FindFile(const fs::path& folder, std::string_view name) {
  if (!IsPlainName(name)) {
    auto p = FindEntry(folder, name);
    return p && FileExists(*p) ? p : std::nullopt;
  }
  if (auto e = Lookup(folder, name); e && e->regularFile) return folder / e->name;
  return std::nullopt;
}

fs::path FolderIndex::Resolve(const fs::path& folder, std::string_view name) {
  if (auto p = Find(folder, name)) return *p;
  return folder / std::string(name);
}

void FolderIndex::Forget(const fs::path& folder) { listings_.erase(folder.string()); }

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

bool DirectoryOrderLess(std::string_view a, std::string_view b) {
  std::string ka = ToUpperAscii(EncodeSjis(a));
  std::string kb = ToUpperAscii(EncodeSjis(b));
  auto ua = reinterpret_cast<const unsigned char*>(ka.data());
  auto ub = reinterpret_cast<const unsigned char*>(kb.data());
  return std::lexicographical_compare(ua, ua + ka.size(), ub, ub + kb.size());
}

std::vector<std::string> ListFolder(const fs::path& folder, std::string_view pattern,
                                    bool foldersOnly) {
  std::vector<std::string> names;
  std::error_code ec;
  if (!fs::is_directory(folder, ec)) return names;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code ec2;
    bool isDir = it->is_directory(ec2);
    bool isFile = it->is_regular_file(ec2);
    if (foldersOnly ? !isDir : !isFile) continue;
    std::string n = it->path().filename().string();
    if (MatchesPattern(n, pattern)) names.push_back(n);
  }
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return DirectoryOrderLess(a, b); });
  return names;
}

std::optional<std::string> ReadFileBytes(const fs::path& p) {
  std::FILE* f = std::fopen(p.c_str(), "rb");
  if (!f) return std::nullopt;
  struct stat st {};
  const std::size_t size =
      ::fstat(fileno(f), &st) == 0 && st.st_size > 0 ? static_cast<std::size_t>(st.st_size) : 0;
  std::string out(size, '\0');
  out.resize(size > 0 ? std::fread(out.data(), 1, size, f) : 0);
  // Read on to the end in case the file grew; a read error ends the bytes (a folder reads
  // empty).
  if (out.size() == size) {
    char buf[4096];
    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) out.append(buf, n);
  }
  std::fclose(f);
  return out;
}

std::string WriteFileAtomic(const fs::path& p, std::string_view bytes) {
  fs::path folder = p.parent_path();
  if (folder.empty()) folder = ".";
  std::random_device rd;
  fs::path tmp = folder / (".tmp-" + p.filename().string() + "-" + std::to_string(rd()));
  std::FILE* f = std::fopen(tmp.c_str(), "wb");
  if (!f) return "cannot create " + tmp.string();
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  ok = std::fflush(f) == 0 && ok;
  ok = ::fsync(fileno(f)) == 0 && ok;
  ok = std::fclose(f) == 0 && ok;
  if (!ok) {
    std::remove(tmp.c_str());
    return "cannot write " + p.string();
  }
  std::error_code ec;
  fs::rename(tmp, p, ec);
  if (ec) {
    std::remove(tmp.c_str());
    return "cannot replace " + p.string() + ": " + ec.message();
  }
  return {};
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

LineWriter::LineWriter(const fs::path& p) : file_(std::fopen(p.c_str(), "wb")) {}

LineWriter::~LineWriter() { Close(); }

bool LineWriter::WriteRaw(std::string_view bytes) {
  if (!file_) return false;
  return std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size();
}

bool LineWriter::WriteLine(std::string_view utf8) {
  return WriteRaw(EncodeSjis(utf8)) && WriteRaw("\r\n");
}

bool LineWriter::Close() {
  if (!file_) return false;
  bool ok = std::fclose(file_) == 0;
  file_ = nullptr;
  return ok;
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
