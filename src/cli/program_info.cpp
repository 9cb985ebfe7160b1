#include "program_info.h"

#include <filesystem>
#include <iostream>
#include <string>

#include "tazuna98_build_info.h"

namespace tz::cli {

void AddProgramInfoOptions(CLI::App& app) {
  app.set_version_flag("--version", std::string("tazuna98-cli ") + build::kVersion);
  app.add_flag_callback(
      "--sample-day",
      [] {
        std::filesystem::path day = build::SampleDay();
        if (day.empty()) {
          std::cerr << "No sample day found (installed samples: share/tazuna98/samples)\n";
          throw CLI::RuntimeError(1);
        }
        std::cout << day.string() << "\n";
        throw CLI::Success();
      },
      "Print the folder of the sample day installed with the program and exit");
}

}  // namespace tz::cli
