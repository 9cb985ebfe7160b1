// tazuna98-cli: the history commands.
#include "commands.h"

namespace tz::cli {

void RegisterHistoryCommand(CLI::App& app, CliContext& ctx) {}

}  // namespace tz::cli
