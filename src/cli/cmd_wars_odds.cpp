// tazuna98-cli: the wars_odds commands.
#include "commands.h"

namespace tz::cli {

void RegisterWarsOddsCommand(CLI::App& app, CliContext& ctx) {}

}  // namespace tz::cli
