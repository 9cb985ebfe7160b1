// Shared pieces of the fuzz targets: a user port that answers No, a scratch folder reused by
// every run, and splitting one input into several files.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "app/user_port.h"

namespace tz::fuzz {

class QuietPort : public UserPort {
 public:
  void Error(std::string_view, std::string_view) override {}
  void Info(std::string_view, std::string_view) override {}
  void Warning(std::string_view, std::string_view) override {}
  Answer Ask(std::string_view, std::string_view, Buttons, Icon, Answer) override { return Answer::No; }
};

// An empty folder for this run (the same path every time, emptied first).
inline std::filesystem::path ScratchFolder() {
  static const std::filesystem::path folder = [] {
    auto p = std::filesystem::temp_directory_path() / ("tazuna-fuzz-" + std::to_string(getpid()));
    std::filesystem::create_directories(p);
    std::atexit([] {
      std::error_code ec;
      std::filesystem::remove_all(
          std::filesystem::temp_directory_path() / ("tazuna-fuzz-" + std::to_string(getpid())), ec);
    });
    return p;
  }();
  std::error_code ec;
  for (const auto& e : std::filesystem::directory_iterator(folder, ec)) std::filesystem::remove_all(e.path(), ec);
  return folder;
}

// The input cut at every "\n--\n" into at most `parts` pieces.
inline std::vector<std::string> Split(const std::uint8_t* data, std::size_t size, std::size_t parts) {
  std::string_view all(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> out;
  while (out.size() + 1 < parts) {
    std::size_t at = all.find("\n--\n");
    if (at == std::string_view::npos) break;
    out.emplace_back(all.substr(0, at));
    all.remove_prefix(at + 4);
  }
  out.emplace_back(all);
  out.resize(parts);
  return out;
}

inline void Put(const std::filesystem::path& folder, const std::string& name, const std::string& bytes) {
  std::ofstream f(folder / name, std::ios::binary);
  f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace tz::fuzz
