// tazuna98-cli: the contest commands.
#include "commands.h"

namespace tz::cli {

void RegisterContestCommand(CLI::App& app, CliContext& ctx) {}

}  // namespace tz::cli
