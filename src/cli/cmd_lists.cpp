// tazuna98-cli: the lists commands.
#include "commands.h"

namespace tz::cli {

void RegisterListCommands(CLI::App& app, CliContext& ctx) {}

}  // namespace tz::cli
