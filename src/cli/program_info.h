// The options of tazuna98-cli that answer about the program itself instead of running a
// command: --version and --sample-day.
#pragma once

#include <CLI/CLI.hpp>

namespace tz::cli {

// --version prints "tazuna98-cli" and the version; --sample-day prints the folder of the sample
// day that came with the program (exit code 1 when there is none).
void AddProgramInfoOptions(CLI::App& app);

}  // namespace tz::cli
