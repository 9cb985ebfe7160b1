// PAT98's voting log: LG-FILE.JRA and three vote files of any content, read for one race of the
// day and of the day before, then matched with payouts.
#include "fuzz_support.h"
#include "session.h"
#include "results/history.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto folder = tz::fuzz::ScratchFolder();
  auto parts = tz::fuzz::Split(data, size, 4);
  tz::fuzz::Put(folder, "LG-FILE.JRA", parts[0]);
  for (int i = 1; i <= 3; ++i) tz::fuzz::Put(folder, "0000" + std::to_string(i) + ".JRA", parts[i]);
  tz::Session s;
  s.app.DataFolder = folder;
  s.race.GuideDate = "20021020";
  s.race.CurrentCourse = 5;
  s.race.CurrentRace = 11;
  s.results.PayoutTable = {"05111000700123", "05114071201234"};
  s.results.ResultEntryCount = 2;
  tz::fuzz::QuietPort port;
  for (int kind = 1; kind <= 2; ++kind) {
    s.race.CurrentDayKind = kind;
    tz::RunHistorySteps(s, port);
    tz::BuildHistoryWindow(s, true);
  }
  return 0;
}
