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

// The day's folder of a command that reads one (a PAT98 folder or a dated data folder): given
// as --data DIR or as the first word after the command, the same option either way.
inline CLI::Option* AddDataFolderOption(CLI::App* cmd, std::string& folder) {
  return cmd->add_option("FOLDER,--data", folder, "PAT98 folder or dated data folder of the day")
      ->required();
}

// --base FOLDER: an earlier data folder of the same day whose odds are the base odds instead of
// the JRDB file's (the menu's 基準ｽﾅｯﾌﾟｼｮｯﾄ).
inline CLI::Option* AddBaseOption(CLI::App* cmd, std::string& folder) {
  return cmd->add_option("--base", folder,
                         "Earlier data folder of the same day (a snapshot) whose win and place odds are the base odds");
}
// Chooses the --base folder of a loaded day; an empty folder keeps the JRDB base. False (the
// refusal said through the port) when the folder is of another day or holds no guide.
bool UseBaseFolder(Session& s, UserPort& port, const std::string& folder);

// Exit code of the command that ran (set by the command's callback).
struct CliContext {
  int exitCode = 0;
};

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
