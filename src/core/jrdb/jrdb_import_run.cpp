// The JRDB conversion dialog's OK command.
#include <fmt/format.h>

#include "jrdb/jrdb_import.h"
#include "session.h"
#include "text/files.h"

namespace tz::jrdb {

namespace {

constexpr const char* kNoSourceMessage = "JRDBﾃﾞｰﾀのﾌｫﾙﾀﾞを指定してください。";
constexpr const char* kNoOutputMessage = "変換先のﾌｫﾙﾀﾞを指定してください。";

}  // namespace

JrdbImportRun RunJrdbImport(Session& s, UserPort& port, const std::filesystem::path& jrdbFolder,
                            const std::filesystem::path& outFolder, bool all) {
  JrdbImportRun run;
  if (jrdbFolder.empty() || !text::FolderExists(jrdbFolder)) {
    port.Warning(kJrdbImportCaption, kNoSourceMessage);
    return run;
  }
  if (outFolder.empty()) {
    port.Warning(kJrdbImportCaption, kNoOutputMessage);
    return run;
  }
  if (all) {
    run.reports = ImportJrdbSeason(jrdbFolder, outFolder, false, port, CurrentTimeOfDay());
  } else {
    run.reports.push_back(ImportJrdbDay(jrdbFolder, outFolder, [&](const std::vector<std::string>&) {
      return port.Ask(kJrdbImportCaption, kJrdbOverwriteQuestion, Buttons::YesNo, Icon::Question,
                      Answer::No) == Answer::Yes;
    }));
    if (run.reports.back().declined) return run;
  }
  std::string text;
  bool anyFailed = false;
  for (const ImportReport& r : run.reports) {
    text += (text.empty() ? "" : "\n") + ImportSummary(r);
    if (r.ok) {
      run.imported = true;
      run.dayFolder = r.folder;
    } else {
      anyFailed = true;
    }
  }
  if (!run.imported) {
    port.Error(kJrdbImportCaption, text);
    return run;
  }
  if (anyFailed) port.Warning(kJrdbImportCaption, text);
  const std::string question = anyFailed ? std::string(kJrdbOpenQuestion)
                                         : text + "\n\n" + kJrdbOpenQuestion;
  if (port.Ask(kJrdbImportCaption, question, Buttons::YesNo, Icon::Question, Answer::Yes) !=
      Answer::Yes) {
    return run;
  }
  run.openDay = true;
  const auto jrdb = run.dayFolder / "jrdb";
  if (text::FolderExists(jrdb)) s.app.settings.OZpath = jrdb.string();
  return run;
}

}  // namespace tz::jrdb
