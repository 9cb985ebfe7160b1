// tazuna98-cli settings: the settings the program will use, one "SECTION.Key=value" per line.
#include <iostream>

#include "app/settings.h"
#include "commands.h"
#include "session.h"
#include "text/files.h"

namespace tz::cli {

void RegisterSettingsCommand(CLI::App& app, CliContext& ctx) {
  auto* cmd = app.add_subcommand("settings", "Print the effective settings (tz98.ini with defaults)");
  auto home = std::make_shared<std::string>();
  AddHomeOption(cmd, *home, "Program folder");
  cmd->callback([home, &ctx] {
    Session s;
    InitFromHome(s, *home);
    for (const std::string& line : DescribeSettings(s.app)) std::cout << line << "\n";
    std::cout << "StoreRoot=" << s.app.StoreRoot.string() << "\n";
    std::cout << "DataFolder=" << s.app.DataFolder.string() << "\n";
    ctx.exitCode = 0;
  });
}

}  // namespace tz::cli
