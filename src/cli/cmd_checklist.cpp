// tazuna98-cli: the checklist commands.
#include "commands.h"

namespace tz::cli {

void RegisterCheckListCommand(CLI::App& app, CliContext& ctx) {}

}  // namespace tz::cli
