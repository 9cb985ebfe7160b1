// tazuna98-cli: the wars_results commands.
#include "commands.h"

namespace tz::cli {

void RegisterWarsResultsCommand(CLI::App& app, CliContext& ctx) {}

}  // namespace tz::cli
