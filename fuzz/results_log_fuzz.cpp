// A forum results log of any content, converted into results files of a scratch folder.
#include "fhwars/results_log.h"
#include "fuzz_support.h"
#include "session.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto folder = tz::fuzz::ScratchFolder();
  std::filesystem::create_directories(folder / "out");
  tz::fuzz::Put(folder, "results.log", std::string(reinterpret_cast<const char*>(data), size));
  tz::Session s;
  s.app.settings.Txtpath = folder.string();
  s.app.settings.Tksfile = "results.log";
  s.app.settings.Cnvpath = (folder / "out").string();
  tz::fuzz::QuietPort port;
  tz::ResultsLogReport report;
  const int count = tz::ConvertResultsLog(s.app, s.wars, port, &report);
  // Every posting counted is written, kept or reported as not converted.
  if (report.written + report.kept + report.failed != count) __builtin_trap();
  return 0;
}
