#include "support/temp_dir.h"

#include <fstream>
#include <random>
#include <sstream>

namespace tz::test {

TempDir::TempDir() {
  std::random_device rd;
  path_ = std::filesystem::temp_directory_path() /
          ("tazuna-test-" + std::to_string(rd()) + "-" + std::to_string(rd()));
  std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

std::filesystem::path TempDir::Write(std::string_view relative, std::string_view bytes) const {
  std::filesystem::path p = path_ / std::string(relative);
  std::filesystem::create_directories(p.parent_path());
  std::ofstream out(p, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return p;
}

std::string ReadAll(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

}  // namespace tz::test
