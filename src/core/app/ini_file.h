// The settings-file class: the classic sectioned key-value ("profile") format in Shift_JIS.
// Section and key names are looked up without regard to letter case; a missing file, section
// or key reads as the empty string; a value is read up to its end of line, at most 254
// characters. Writing a key replaces its value in place, or appends the key (and the section)
// when absent; every other line, unknown ones included, stays as it was.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tz {

class clsIniFile {
 public:
  // Folder of the file (the trailing separator is implied).
  void SetPathName(const std::filesystem::path& folder);
  void SetFileName(std::string_view name);
  std::filesystem::path FullPath() const;

  std::string ReadData(std::string_view section, std::string_view key);
  // Stores the value in memory; Save() writes the file. Returns nonzero on success.
  int WriteData(std::string_view section, std::string_view key, std::string_view value);
  // Writes the file atomically when something was written. Returns an error text, empty on
  // success.
  std::string Save();

 private:
  void Load();
  std::optional<std::size_t> FindSection(std::string_view section) const;
  std::optional<std::size_t> FindKey(std::size_t sectionLine, std::string_view key) const;

  std::filesystem::path folder_;
  std::string fileName_;
  bool loaded_ = false;
  bool dirty_ = false;
  std::vector<std::string> lines_;  // raw Shift_JIS lines without their line ends
};

}  // namespace tz
