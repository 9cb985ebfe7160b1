// --home of the commands that read the program's settings.
#include "app/startup.h"
#include "commands.h"
#include "session.h"
#include "text/files.h"

namespace tz::cli {

CLI::Option* AddHomeOption(CLI::App* cmd, std::string& home, const char* what) {
  return cmd->add_option("--home", home,
                         std::string(what) + " (default: $TAZUNA98_HOME or ~/.local/share/tazuna98)");
}

void InitFromHome(Session& s, const std::string& home) {
  InitApplicationState(s, home.empty() ? text::ProgramFolder() : std::filesystem::path(home), 0, 0);
}

}  // namespace tz::cli
