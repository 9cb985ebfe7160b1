#include "cli_app.h"

#include "commands.h"
#include "program_info.h"

namespace tz::cli {

int Run(int argc, char** argv) {
  CLI::App app{"Tazuna98 command-line tool: PAT98 day files, odds analysis, CSV and bet files"};
  app.require_subcommand(1);
  AddProgramInfoOptions(app);
  CliContext ctx;
  RegisterSettingsCommand(app, ctx);
  RegisterDayCommands(app, ctx);
  RegisterAnalyseCommands(app, ctx);
  RegisterBetCommand(app, ctx);
  RegisterResultsCommands(app, ctx);
  RegisterHistoryCommand(app, ctx);
  RegisterWarsOddsCommand(app, ctx);
  RegisterWarsResultsCommand(app, ctx);
  RegisterListCommands(app, ctx);
  RegisterContestCommand(app, ctx);
  RegisterCheckListCommand(app, ctx);
  RegisterJrdbImportCommand(app, ctx);
  RegisterBacktestCommand(app, ctx);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e);
  }
  return ctx.exitCode;
}

}  // namespace tz::cli
