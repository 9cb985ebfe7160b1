// Time to load a racing day and analyse every race of it (36 races), per day and per race,
// next to the time to only read the same files' bytes (the I/O floor). The last line is
// "ratio R": the day over the bytes, both measured in this run in CPU time of the process, so
// that other programs on a busy machine do not weigh on either side.
//
// The day is the bundled sample day samples/20021020 when it is there, else a generated day of
// three meetings with twelve races each, written into the temporary folder.
#include <benchmark/benchmark.h>

#include <time.h>

#include <filesystem>
#include <iostream>

#include "analysis/pipeline.h"
#include "pat98/day_loader.h"
#include "quiet_port.h"
#include "session.h"
#include "support/odds_day.h"
#include "text/files.h"
#include "text/strings.h"

namespace {

namespace fs = std::filesystem;

using tz::bench::QuietPort;

const fs::path& DayFolder() {
  static const fs::path folder = [] {
    const fs::path sample = fs::path(TAZUNA_SOURCE_DIR) / "samples" / "20021020";
    if (tz::text::FindEntry(sample, "UY-A.JRA")) return sample;
    std::error_code ec;
    const fs::path generated = fs::temp_directory_path() / "tazuna98_bench_day";
    fs::remove_all(generated, ec);
    fs::create_directories(generated);
    tz::test::WriteOddsDay(generated);
    return generated;
  }();
  return folder;
}

// Loads the day and presses every race button of every meeting; returns the races analysed.
int AnalyseWholeDay(tz::Session& s, QuietPort& port) {
  s.app.Pat98Folder = DayFolder();
  s.app.DataFolder = DayFolder();
  tz::LoadCurrentData(s, port);
  int analysed = 0;
  for (int m = 1; m <= s.race.MeetingCount; ++m) {
    tz::SelectMeeting(s, m);
    for (int r = 1; r <= 12; ++r) {
      if (tz::text::Trim(s.race.OddsFileIndex[s.race.CurrentCourse][r]).empty()) continue;
      tz::SelectRace(s, port, 4 + r);
      if (s.race.LoadStatus == 0) ++analysed;
    }
  }
  return analysed;
}

std::size_t ReadAllBytes() {
  std::size_t total = 0;
  for (const auto& e : fs::directory_iterator(DayFolder())) {
    if (auto b = tz::text::ReadFileBytes(e.path())) total += b->size();
  }
  return total;
}

void BM_ReadDayBytes(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(ReadAllBytes());
}
BENCHMARK(BM_ReadDayBytes)->Unit(benchmark::kMillisecond);

void BM_AnalyseDay(benchmark::State& state) {
  auto s = std::make_unique<tz::Session>();
  QuietPort port;
  int races = 0;
  for (auto _ : state) {
    races = AnalyseWholeDay(*s, port);
    benchmark::DoNotOptimize(s->analysis.UpsetValue);
  }
  state.counters["races"] = races;
  // Seconds per analysed race.
  state.counters["per_race"] = benchmark::Counter(
      races, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_AnalyseDay)->Unit(benchmark::kMillisecond);

void BM_AnalyseOneRace(benchmark::State& state) {
  auto s = std::make_unique<tz::Session>();
  QuietPort port;
  s->app.Pat98Folder = DayFolder();
  s->app.DataFolder = DayFolder();
  tz::LoadCurrentData(*s, port);
  tz::SelectMeeting(*s, 1);
  for (auto _ : state) {
    tz::SelectRace(*s, port, 15);  // race 11
    benchmark::DoNotOptimize(s->analysis.UpsetValue);
  }
}
BENCHMARK(BM_AnalyseOneRace)->Unit(benchmark::kMicrosecond);

double CpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Mean CPU seconds of one call; the first call warms the file cache.
template <typename F>
double MeanSeconds(F f, int rounds) {
  f();
  const double t0 = CpuSeconds();
  for (int i = 0; i < rounds; ++i) f();
  return (CpuSeconds() - t0) / rounds;
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  std::cout << "day folder: " << DayFolder().string() << "\n";
  benchmark::RunSpecifiedBenchmarks();

  // The ratio of a whole analysed day to only reading its files.
  auto s = std::make_unique<tz::Session>();
  QuietPort port;
  int races = 0;
  const double analyse = MeanSeconds([&] { races = AnalyseWholeDay(*s, port); }, 50);
  const double io = MeanSeconds([] { benchmark::DoNotOptimize(ReadAllBytes()); }, 200);
  std::cout << "races analysed: " << races << "\n"
            << "day: " << analyse * 1e3 << " ms, per race: " << analyse * 1e3 / races
            << " ms, reading the bytes only: " << io * 1e3 << " ms (CPU time)\n"
            << "ratio " << analyse / io << "\n";
  benchmark::Shutdown();
  return 0;
}
