// The subcommands of tazuna98-cli. Each Register function adds its subcommands to the app.
#pragma once

#include <CLI/CLI.hpp>

#include <filesystem>
#include <functional>
#include <string>

#include "app/app_state.h"
#include "app/user_port.h"

namespace tz {
struct Session;
}

namespace tz::cli {

// Messages go to stderr, each ending its line; questions are answered by --yes (Yes) or else
// the default button. Errors and warnings are counted.
class TerminalPort : public UserPort {
 public:
  bool assumeYes = false;
  int errors = 0;
  void Error(std::string_view title, std::string_view text) override;
  void Info(std::string_view title, std::string_view text) override;
  void Warning(std::string_view title, std::string_view text) override;
  Answer Ask(std::string_view title, std::string_view text, Buttons buttons, Icon icon,
             Answer defaultAnswer) override;
};

// For the forum-log conversions: giving the command is the request to run, so questions
// (run it? create the receiving folder?) are answered Yes; plain messages (the count) go to
// stderr.
class ConversionPort : public TerminalPort {
 public:
  Answer Ask(std::string_view title, std::string_view text, Buttons buttons, Icon icon,
             Answer defaultAnswer) override;
};

// The options the two forum-log conversion commands share: --log, --out, --overwrite, --json
// and --write-sample-log (which excludes the first two).
struct ConversionOptions {
  std::string log;
  std::string out;
  std::string sampleLog;
  bool overwrite = false;
  bool json = false;
};
void AddConversionOptions(CLI::App* cmd, ConversionOptions& o, const char* logHelp,
                          const char* outHelp, const char* sampleHelp);
// Names the log (its folder, and its file under `logFile`) and the receiving folder in the
// settings, as absolute paths; false, with the message on stderr, when either is not given.
bool SetConversionPaths(const ConversionOptions& o, Settings& set,
                        std::string Settings::*logFile, std::filesystem::path& out);
// What writing the example log did: the error text (empty when it was written) and the line
// that says what was written.
struct SampleLogWritten {
  std::string error;
  std::string said;
};
// A conversion command's run, its exit code. With --write-sample-log, `writeSample` writes the
// example log (0 when written, else 1). Otherwise the paths go into a new session's settings
// and `convert` runs the conversion into the receiving folder `out` and gives the exit code; a
// run without both paths is 1.
int RunConversionCommand(
    const ConversionOptions& o, std::string Settings::*logFile,
    const std::function<SampleLogWritten()>& writeSample,
    const std::function<int(Session& s, ConversionPort& port, const std::filesystem::path& out)>& convert);

// Exit code of the command that ran (set by the command's callback).
struct CliContext {
  int exitCode = 0;
};

// The day's folder of a command that reads one (a PAT98 folder or a dated data folder): given
// as --data DIR or as the first word after the command, the same option either way.
inline CLI::Option* AddDataFolderOption(CLI::App* cmd, std::string& folder) {
  return cmd->add_option("FOLDER,--data", folder, "PAT98 folder or dated data folder of the day")
      ->required();
}

// Loads the day of `folder` (as PAT98's folder and the data folder). False, with the message on
// stderr and the exit code 2, when it holds no racing day.
bool LoadDayOf(Session& s, UserPort& port, const std::string& folder, CliContext& ctx);

// One race of a day as the race buttons choose it: FOLDER, --meeting, --race and --advance (the
// meeting's advance-sale race, 前日).
struct RaceChoice {
  std::string folder;
  int meeting = 1;
  int race = 1;
  bool advance = false;
};
void AddRaceChoiceOptions(CLI::App* cmd, RaceChoice& o);
// The race button of the choice (SelectRace).
inline int RaceButton(const RaceChoice& o) { return o.advance ? 17 : 4 + o.race; }
// Loads the day of the choice's folder and checks that it has the meeting; false (message on
// stderr, exit code 2) otherwise.
bool LoadDayOfChoice(Session& s, UserPort& port, const RaceChoice& o, CliContext& ctx);

// --base FOLDER: an earlier data folder of the same day whose odds are the base odds instead of
// the JRDB file's (the menu's 基準ｽﾅｯﾌﾟｼｮｯﾄ).
inline CLI::Option* AddBaseOption(CLI::App* cmd, std::string& folder) {
  return cmd->add_option("--base", folder,
                         "Earlier data folder of the same day (a snapshot) whose win and place odds are the base odds");
}
// --home FOLDER: the program folder whose tz98.ini the command reads; `what` begins the help
// text, which ends with the default folder.
CLI::Option* AddHomeOption(CLI::App* cmd, std::string& home,
                           const char* what = "Program folder with tz98.ini");
// Starts the session from the program folder given as --home, or from the default one when none
// was given.
void InitFromHome(Session& s, const std::string& home);

// Chooses the --base folder of a loaded day; an empty folder keeps the JRDB base. False (the
// refusal said through the port) when the folder is of another day or holds no guide.
bool UseBaseFolder(Session& s, UserPort& port, const std::string& folder);

void RegisterSettingsCommand(CLI::App& app, CliContext& ctx);
void RegisterDayCommands(CLI::App& app, CliContext& ctx);
void RegisterAnalyseCommands(CLI::App& app, CliContext& ctx);
void RegisterBetCommand(CLI::App& app, CliContext& ctx);
void RegisterResultsCommands(CLI::App& app, CliContext& ctx);    // cmd_results.cpp
void RegisterHistoryCommand(CLI::App& app, CliContext& ctx);     // cmd_history.cpp
void RegisterWarsOddsCommand(CLI::App& app, CliContext& ctx);    // cmd_wars_odds.cpp
void RegisterWarsResultsCommand(CLI::App& app, CliContext& ctx); // cmd_wars_results.cpp
void RegisterListCommands(CLI::App& app, CliContext& ctx);       // cmd_lists.cpp
void RegisterContestCommand(CLI::App& app, CliContext& ctx);     // cmd_contest.cpp
void RegisterCheckListCommand(CLI::App& app, CliContext& ctx);   // cmd_checklist.cpp
void RegisterJrdbImportCommand(CLI::App& app, CliContext& ctx);  // cmd_jrdb_import.cpp
void RegisterBacktestCommand(CLI::App& app, CliContext& ctx);    // cmd_backtest.cpp

// A message or a text of the program (a bet list, a history text) with its line breaks as the
// terminal shows them: MessageLines.
std::string ForTerminal(std::string_view text);
// Writes a message to stderr, ending its line.
void PrintMessage(std::string_view text);

}  // namespace tz::cli
