#include "commands.h"

namespace tz::cli {

void RegisterAnalyseCommands(CLI::App& app, CliContext& ctx) {}

}  // namespace tz::cli
