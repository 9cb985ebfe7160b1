// Days per second of the archive backtest over 200 generated days with results (three meetings
// of twelve races each), with one job and with two, and the speed-up between them.
//
// Usage: backtest [DAYS]  (default 200). The days are written into a temporary folder, which
// is removed afterwards.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "backtest/backtest.h"
#include "samples/pat98/sample_day.h"
#include "samples/pat98/sample_results.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono;

// yyyymmdd of the n-th day after 1 January 2002.
std::string DateAfter(int n) {
  const year_month_day d{sys_days{year{2002} / January / 1} + days{n}};
  char text[16];
  std::snprintf(text, sizeof text, "%04d%02u%02u", static_cast<int>(d.year()),
                static_cast<unsigned>(d.month()), static_cast<unsigned>(d.day()));
  return text;
}

struct Pace {
  double perSecond = 0;     // days per second of wall-clock time
  double perCpuSecond = 0;  // days per second of the process's processor time
};

// On a machine shared with other work the wall-clock pace says little; the processor time
// tells what the run itself cost.
Pace DaysPerSecond(const std::vector<fs::path>& folders, int jobs, tz::BacktestResult* out) {
  tz::BacktestProgress quiet;
  const auto start = steady_clock::now();
  const std::clock_t cpuStart = std::clock();
  *out = tz::RunBacktest(tz::AppState{}, folders, jobs, quiet);
  const double seconds = duration<double>(steady_clock::now() - start).count();
  const double cpu = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
  const double days = static_cast<double>(folders.size());
  return {days / seconds, days / cpu};
}

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
  const fs::path root = fs::temp_directory_path() / ("tazuna98-bench-backtest-" + std::to_string(::getpid()));
  std::vector<fs::path> folders;
  for (int i = 0; i < count; ++i) {
    const std::string date = DateAfter(i);
    const tz::SampleDay day = tz::BuildSampleDay(static_cast<unsigned>(i + 1), date);
    const fs::path folder = root / date;
    std::string err = tz::WriteSampleDay(day, folder);
    if (err.empty()) err = tz::WriteSampleResults(day, folder);
    if (!err.empty()) {
      std::fprintf(stderr, "%s\n", err.c_str());
      return 1;
    }
    folders.push_back(folder);
  }

  tz::BacktestResult one, two;
  const Pace pace1 = DaysPerSecond(folders, 1, &one);
  const Pace pace2 = DaysPerSecond(folders, 2, &two);
  std::error_code ec;
  fs::remove_all(root, ec);
  if (one.totals != two.totals || one.days != count) {
    std::fprintf(stderr, "the runs differ (%d and %d days scored)\n", one.days, two.days);
    return 1;
  }
  std::printf("%d days, %d races scored\n", one.days, one.races);
  std::printf("days per second 1 job %.1f, 2 jobs %.1f, speed-up %.2f\n", pace1.perSecond,
              pace2.perSecond, pace2.perSecond / pace1.perSecond);
  std::printf("days per processor second 1 job %.1f, 2 jobs %.1f\n", pace1.perCpuSecond,
              pace2.perCpuSecond);
  return 0;
}
