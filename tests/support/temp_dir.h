// A fresh temporary folder for one test, removed afterwards.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tz::test {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(std::string_view name) const { return path_ / std::string(name); }
  // Writes raw bytes into a file under the folder (creating subfolders) and returns its path.
  std::filesystem::path Write(std::string_view relative, std::string_view bytes) const;

 private:
  std::filesystem::path path_;
};

// The whole file as bytes ("" when missing).
std::string ReadAll(const std::filesystem::path& p);

}  // namespace tz::test
