// tazuna98-cli: the results commands.
#include "commands.h"

namespace tz::cli {

void RegisterResultsCommands(CLI::App& app, CliContext& ctx) {}

}  // namespace tz::cli
