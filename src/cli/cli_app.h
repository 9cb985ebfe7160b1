// tazuna98-cli as a library: the program's commands over the same core as the windows. The
// executable's main only calls Run.
#pragma once

namespace tz::cli {

// Parses the command line, runs the subcommand it names and returns the exit code: 0 done,
// 1 or 2 as the command says, CLI11's codes for a command line it cannot parse.
int Run(int argc, char** argv);

}  // namespace tz::cli
