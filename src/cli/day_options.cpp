// The day and the race a command reads, given as its options.
#include <iostream>

#include "commands.h"
#include "pat98/day_loader.h"
#include "session.h"

namespace tz::cli {

bool LoadDayOf(Session& s, UserPort& port, const std::string& folder, CliContext& ctx) {
  s.app.Pat98Folder = folder;
  s.app.DataFolder = folder;
  const int status = LoadCurrentData(s, port);
  if (status != 0 || s.race.MeetingCount == 0) {
    std::cerr << "データを読み込めません (LoadStatus " << status << ")\n";
    ctx.exitCode = 2;
    return false;
  }
  return true;
}

void AddRaceChoiceOptions(CLI::App* cmd, RaceChoice& o) {
  AddDataFolderOption(cmd, o.folder);
  cmd->add_option("--meeting", o.meeting, "Meeting 1..3")->required()->check(CLI::Range(1, 3));
  cmd->add_option("--race", o.race, "Race 1..12")->check(CLI::Range(1, 12));
  cmd->add_flag("--advance", o.advance, "The advance-sale race (前日) of the meeting");
}

bool LoadDayOfChoice(Session& s, UserPort& port, const RaceChoice& o, CliContext& ctx) {
  if (!LoadDayOf(s, port, o.folder, ctx)) return false;
  if (o.meeting > s.race.MeetingCount) {
    std::cerr << "開催 " << o.meeting << " はありません (開催数 " << s.race.MeetingCount << ")\n";
    ctx.exitCode = 2;
    return false;
  }
  return true;
}

}  // namespace tz::cli
