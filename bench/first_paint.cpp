// Time from starting the program to the first paint of its main window with the bundled sample
// day loaded (its races selectable): tazuna98 is started ten times, offscreen, each time with a
// fresh program folder and the option --report-first-paint, with which it prints the moment of
// its first paint on the steady clock and ends. The last line is "first paint X ms" with the
// median of the ten starts.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr int kStarts = 10;
constexpr std::string_view kReport = "first paint at ";

// The environment of this process with the program folder and the offscreen platform set.
std::vector<std::string> Environment(const fs::path& home) {
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) {
    std::string_view v(*e);
    if (v.starts_with("TAZUNA98_HOME=") || v.starts_with("QT_QPA_PLATFORM=")) continue;
    env.emplace_back(v);
  }
  env.push_back("TAZUNA98_HOME=" + home.string());
  env.push_back("QT_QPA_PLATFORM=offscreen");
  return env;
}

// One start: milliseconds from the start to the reported paint; a negative value when the
// program reported nothing.
double OneStart(const fs::path& home) {
  std::error_code ec;
  fs::remove_all(home, ec);
  fs::create_directories(home);
  const std::string day = (fs::path(TAZUNA_SOURCE_DIR) / "samples" / "20021020").string();
  std::vector<std::string> args = {TAZUNA98_PATH, "--data", day, "--report-first-paint"};
  std::vector<std::string> env = Environment(home);
  std::vector<char*> argv, envp;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  for (auto& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);

  int out[2];
  if (pipe(out) != 0) return -1;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  pid_t pid = 0;
  const auto start = std::chrono::steady_clock::now();
  const int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  if (rc != 0) {
    close(out[0]);
    return -1;
  }
  std::string text;
  char buf[512];
  for (ssize_t n; (n = read(out[0], buf, sizeof buf)) > 0;) {
    text.append(buf, static_cast<std::size_t>(n));
  }
  close(out[0]);
  int status = 0;
  waitpid(pid, &status, 0);

  const std::size_t at = text.find(kReport);
  if (at == std::string::npos) return -1;
  const long long paintedNs = std::atoll(text.c_str() + at + kReport.size());
  const long long startNs =
      std::chrono::duration_cast<std::chrono::nanoseconds>(start.time_since_epoch()).count();
  return static_cast<double>(paintedNs - startNs) / 1e6;
}

}  // namespace

int main() {
  const fs::path base = fs::temp_directory_path() / "tazuna98_bench_first_paint";
  std::vector<double> ms;
  for (int i = 0; i < kStarts; ++i) {
    const double t = OneStart(base / std::to_string(i));
    if (t < 0) {
      std::cerr << "first_paint: " << TAZUNA98_PATH << " reported no first paint\n";
      return 1;
    }
    std::cout << "start " << i + 1 << ": " << t << " ms\n";
    ms.push_back(t);
  }
  std::error_code ec;
  fs::remove_all(base, ec);
  std::sort(ms.begin(), ms.end());
  std::cout << "first paint " << (ms[kStarts / 2 - 1] + ms[kStarts / 2]) / 2 << " ms\n";
  return 0;
}
