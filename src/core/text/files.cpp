#include "text/files.h"

#include <unistd.h>

#include <algorithm>
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
  std::ifstream in(p, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream ss;
  ss << in.rdbuf();
  if (in.bad()) return std::nullopt;
  return ss.str();
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
