// The tests of tazuna98-cli run the program as a user runs it: a command line in, its exit
// code and what it writes on stdout and stderr out.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "support/odds_day.h"
#include "support/run_command.h"
#include "support/temp_dir.h"

namespace tz::test {

// Runs tazuna98-cli with `args`, the rest of the command line (paths quoted with Q).
inline CommandResult RunCli(const std::string& args) {
  return RunCommand(ShellQuote(TAZUNA_CLI_PATH) + " " + args);
}

// The tool as the first word of a shell command line.
inline std::string Cli() { return ShellQuote(TAZUNA_CLI_PATH); }

// A path as one shell word.
inline std::string Q(const std::filesystem::path& p) { return ShellQuote(p.string()); }

// A folder of the bundled sample data (samples/20021020, the generated day, by default).
inline std::filesystem::path SampleData(std::string_view name = "20021020") {
  return std::filesystem::path(TAZUNA_SOURCE_DIR) / "samples" / std::string(name);
}

// A suite whose tests run the tool on one odds-only day (WriteOddsDay), written before the
// suite's first test and removed after its last.
class OddsDayCliTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    day_ = std::make_unique<TempDir>();
    WriteOddsDay(day_->path());
  }
  static void TearDownTestSuite() { day_.reset(); }
  // The day's folder as one shell word.
  static std::string Folder() { return Q(day_->path()); }
  static const std::filesystem::path& DayFolder() { return day_->path(); }

 private:
  static inline std::unique_ptr<TempDir> day_;
};

}  // namespace tz::test
