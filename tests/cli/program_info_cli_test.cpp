// The options of tazuna98-cli about the program itself: --version and --sample-day.
#include <fstream>
#include <regex>

#include "cli_test.h"

namespace tz::test {
namespace {

namespace fs = std::filesystem;

// The version of the project, as the build files declare it.
std::string ProjectVersion() {
  std::ifstream in(fs::path(TAZUNA_SOURCE_DIR) / "CMakeLists.txt");
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::smatch m;
  if (!std::regex_search(text, m, std::regex(R"(project\(\s*Tazuna98\s+VERSION\s+([0-9.]+))"))) {
    return {};
  }
  return m[1];
}

TEST(ProgramInfoCli, TellsItsVersionAndSampleDay) {
  std::string version = ProjectVersion();
  ASSERT_FALSE(version.empty());
  auto v = RunCli("--version");
  EXPECT_EQ(v.exitCode, 0) << v.err;
  EXPECT_EQ(v.out, "tazuna98-cli " + version + "\n");

  // Run from the build folder, the tool finds the checkout's first sample day.
  auto s = RunCli("--sample-day");
  EXPECT_EQ(s.exitCode, 0) << s.err;
  fs::path expected = fs::path(TAZUNA_SOURCE_DIR) / "samples" / "20021020";
  EXPECT_EQ(fs::path(s.out.substr(0, s.out.find('\n'))), expected) << s.out;
}

}  // namespace
}  // namespace tz::test
