#include "commands.h"

namespace tz::cli {

void RegisterDayCommands(CLI::App& app, CliContext& ctx) {}

}  // namespace tz::cli
