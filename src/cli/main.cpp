// tazuna98-cli: the day report, odds, analysis, CSV and bet files from the command line.
#include <iostream>

#include "commands.h"
#include "program_info.h"

namespace tz::cli {

std::string ForTerminal(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c != '\r') out.push_back(c);
  }
  return out;
}

void TerminalPort::Error(std::string_view title, std::string_view text) {
  ++errors;
  std::cerr << ForTerminal(text) << "\n";
}

void TerminalPort::Info(std::string_view title, std::string_view text) {
  std::cerr << ForTerminal(text) << "\n";
}

Answer TerminalPort::Ask(std::string_view title, std::string_view text, Buttons buttons,
                         Icon icon, Answer defaultAnswer) {
  Answer a = assumeYes ? Answer::Yes : defaultAnswer;
  std::cerr << ForTerminal(text) << " -> " << (a == Answer::Yes ? "Yes" : a == Answer::No ? "No" : a == Answer::Ok ? "OK" : "Cancel") << "\n";
  return a;
}

Answer ConversionPort::Ask(std::string_view title, std::string_view text, Buttons buttons,
                           Icon icon, Answer defaultAnswer) {
  if (buttons == Buttons::Ok) {
    if (icon == Icon::Warning) ++errors;
    std::cerr << ForTerminal(text) << "\n";
    return Answer::Ok;
  }
  return Answer::Yes;
}

}  // namespace tz::cli

int main(int argc, char** argv) {
  CLI::App app{"Tazuna98 command-line tool: PAT98 day files, odds analysis, CSV and bet files"};
  app.require_subcommand(1);
  tz::cli::AddProgramInfoOptions(app);
  tz::cli::CliContext ctx;
  tz::cli::RegisterSettingsCommand(app, ctx);
  tz::cli::RegisterDayCommands(app, ctx);
  tz::cli::RegisterAnalyseCommands(app, ctx);
  tz::cli::RegisterBetCommand(app, ctx);
  tz::cli::RegisterResultsCommands(app, ctx);
  tz::cli::RegisterHistoryCommand(app, ctx);
  tz::cli::RegisterWarsOddsCommand(app, ctx);
  tz::cli::RegisterWarsResultsCommand(app, ctx);
  tz::cli::RegisterListCommands(app, ctx);
  tz::cli::RegisterContestCommand(app, ctx);
  tz::cli::RegisterCheckListCommand(app, ctx);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e);
  }
  return ctx.exitCode;
}
