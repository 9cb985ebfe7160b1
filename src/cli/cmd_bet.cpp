#include "commands.h"

namespace tz::cli {

void RegisterBetCommand(CLI::App& app, CliContext& ctx) {}

}  // namespace tz::cli
