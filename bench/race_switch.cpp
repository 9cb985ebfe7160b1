// Time of a race switch in the main window, offscreen, on the bundled sample day: for every race
// of the day, from the click on its race button to the odds area, the prediction window and the
// bracket view being drawn for it (the options open both windows on every selection), events
// processed until none is left. The last line is "race switch median X ms, max Y ms".
#include <benchmark/benchmark.h>

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QToolButton>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <iostream>
#include <memory>
#include <vector>

#include "app/startup.h"
#include "fm98_main.h"
#include "quiet_port.h"
#include "session.h"
#include "text/strings.h"

namespace {

namespace fs = std::filesystem;

struct Race {
  int meeting;
  int button;
};

struct Bench {
  fs::path home = fs::temp_directory_path() / "tazuna98_bench_race_switch";
  tz::Session s;
  tz::bench::QuietPort port;
  std::unique_ptr<tz::ui::Fm98Main> w;
  std::vector<Race> races;

  Bench() {
    std::error_code ec;
    fs::remove_all(home, ec);
    fs::create_directories(home);
    tz::InitApplicationState(s, home, 20000 * 15, 12000 * 15);
    s.app.settings.AutoYoso = 1;
    s.app.settings.AutoWaku = 1;
    w = std::make_unique<tz::ui::Fm98Main>(s, port);
    w->SetFirstRunCheck(false);
    w->OpenDataFolder(fs::path(TAZUNA_SOURCE_DIR) / "samples" / "20021020");
    w->show();
    ProcessUntilIdle();
    for (int m = 1; m <= s.race.MeetingCount; ++m) {
      for (int r = 1; r <= tz::kAdvanceSaleSlot; ++r) {
        if (!tz::text::Trim(s.race.OddsFileIndex[s.race.MeetingInfo[m].CourseCode][r]).empty()) {
          races.push_back({m, 4 + r});
        }
      }
    }
  }

  static void ProcessUntilIdle() {
    QAbstractEventDispatcher* d = QAbstractEventDispatcher::instance();
    for (int i = 0; i < 100; ++i) {
      QCoreApplication::sendPostedEvents();
      if (!d->processEvents(QEventLoop::AllEvents)) break;
    }
  }

  // Milliseconds from the click on the race's button until nothing is left to do.
  double Switch(const Race& race) {
    if (s.race.CurrentMeeting != race.meeting) {
      w->PressMeeting(race.meeting);
      ProcessUntilIdle();
    }
    const auto t0 = std::chrono::steady_clock::now();
    w->RaceButton(race.button)->click();
    ProcessUntilIdle();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
  }
};

Bench* bench = nullptr;

void BM_RaceSwitch(benchmark::State& state) {
  std::size_t next = 0;
  for (auto _ : state) {
    bench->Switch(bench->races[next]);
    next = (next + 1) % bench->races.size();
  }
}
BENCHMARK(BM_RaceSwitch)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  Bench b;
  bench = &b;
  if (b.races.empty()) {
    std::cerr << "race_switch: the sample day has no race\n";
    return 1;
  }
  benchmark::RunSpecifiedBenchmarks();

  // One switch to every race of the day, after one round to warm the caches.
  for (const Race& r : b.races) b.Switch(r);
  std::vector<double> ms;
  for (const Race& r : b.races) ms.push_back(b.Switch(r));
  if (!b.w->PredictionWindow() || !b.w->BracketWindow()) {
    std::cerr << "race_switch: the prediction window or the bracket view did not open\n";
    return 1;
  }
  std::sort(ms.begin(), ms.end());
  const double median = ms.size() % 2 ? ms[ms.size() / 2]
                                      : (ms[ms.size() / 2 - 1] + ms[ms.size() / 2]) / 2;
  std::cout << "races: " << ms.size() << "\n"
            << "race switch median " << median << " ms, max " << ms.back() << " ms\n";
  benchmark::Shutdown();
  return 0;
}
