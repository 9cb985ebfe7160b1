#include "app/ini_file.h"

#include "text/files.h"
#include "text/sjis.h"
#include "text/strings.h"

namespace tz {
namespace {

std::string_view TrimAsciiBlanks(std::string_view s) {
  std::size_t b = 0;
  std::size_t e = s.size();
  while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
  while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
  return s.substr(b, e - b);
}

// The section name of a "[name]" line, or nothing.
std::optional<std::string_view> SectionName(std::string_view line) {
  std::string_view t = TrimAsciiBlanks(line);
  if (t.size() < 2 || t.front() != '[') return std::nullopt;
  std::size_t close = t.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return TrimAsciiBlanks(t.substr(1, close - 1));
}

}  // namespace

void clsIniFile::SetPathName(const std::filesystem::path& folder) {
  folder_ = folder;
  loaded_ = false;
}

void clsIniFile::SetFileName(std::string_view name) {
  fileName_ = std::string(name);
  loaded_ = false;
}

std::filesystem::path clsIniFile::FullPath() const {
  return text::ResolveName(folder_, fileName_);
}

void clsIniFile::Load() {
  if (loaded_) return;
  loaded_ = true;
  lines_.clear();
  auto bytes = text::ReadFileBytes(FullPath());
  if (!bytes) return;
  std::string_view all(*bytes);
  std::size_t pos = 0;
  while (pos < all.size()) {
    std::size_t nl = all.find('\n', pos);
    std::string_view line = all.substr(pos, nl == std::string_view::npos ? all.npos : nl - pos);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines_.emplace_back(line);
    if (nl == std::string_view::npos) break;
    pos = nl + 1;
  }
}

std::optional<std::size_t> clsIniFile::FindSection(std::string_view section) const {
  std::string wanted = text::ToUpperAscii(text::EncodeSjis(section));
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    auto name = SectionName(lines_[i]);
    if (name && text::ToUpperAscii(*name) == wanted) return i;
  }
  return std::nullopt;
}

std::optional<std::size_t> clsIniFile::FindKey(std::size_t sectionLine,
                                               std::string_view key) const {
  std::string wanted = text::ToUpperAscii(text::EncodeSjis(key));
  for (std::size_t i = sectionLine + 1; i < lines_.size(); ++i) {
    if (SectionName(lines_[i])) break;
    std::string_view line = lines_[i];
    std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) continue;
    if (text::ToUpperAscii(TrimAsciiBlanks(line.substr(0, eq))) == wanted) return i;
  }
  return std::nullopt;
}

std::string clsIniFile::ReadData(std::string_view section, std::string_view key) {
  Load();
  auto s = FindSection(section);
  if (!s) return {};
  auto k = FindKey(*s, key);
  if (!k) return {};
  std::string_view line = lines_[*k];
  std::string value = text::DecodeSjis(TrimAsciiBlanks(line.substr(line.find('=') + 1)));
  if (text::CharCount(value) > 254) value = text::Left(value, 254);
  return value;
}

int clsIniFile::WriteData(std::string_view section, std::string_view key,
                          std::string_view value) {
  Load();
  std::string line = text::EncodeSjis(key) + "=" + text::EncodeSjis(value);
  auto s = FindSection(section);
  if (!s) {
    lines_.push_back("[" + text::EncodeSjis(section) + "]");
    lines_.push_back(line);
  } else if (auto k = FindKey(*s, key)) {
    lines_[*k] = line;
  } else {
    // Append after the last non-empty line of the section.
    std::size_t insertAt = *s + 1;
    for (std::size_t i = *s + 1; i < lines_.size() && !SectionName(lines_[i]); ++i) {
      if (!TrimAsciiBlanks(lines_[i]).empty()) insertAt = i + 1;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), line);
  }
  dirty_ = true;
  return 1;
}

std::string clsIniFile::Save() {
  if (!dirty_) return {};
  std::string bytes;
  for (const std::string& l : lines_) {
    bytes += l;
    bytes += "\r\n";
  }
  std::error_code ec;
  std::filesystem::create_directories(folder_, ec);
  std::string err = text::WriteFileAtomic(FullPath(), bytes);
  if (err.empty()) dirty_ = false;
  return err;
}

}  // namespace tz
