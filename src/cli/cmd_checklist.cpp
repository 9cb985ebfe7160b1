// tazuna98-cli checklist: the check list of horses and jockeys of a program folder (the
// program's tzcheck.txt, with the names still kept in the settings file), listed or edited.
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>

#include "app/settings.h"
#include "commands.h"
#include "session.h"
#include "tools/check_list.h"

namespace tz::cli {

namespace {

using nlohmann::json;

struct CheckListOptions {
  std::string home;
  std::string action = "list";
  std::string name;
  int colour = 0;
  bool asJson = false;
};

json ListJson(const Session& s) {
  json entries = json::array();
  for (std::size_t i = 1; i < s.app.CheckList.size(); ++i) {
    entries.push_back({{"box", s.app.CheckList[i].ColourIndex}, {"name", s.app.CheckList[i].Name}});
  }
  json colours = json::array();
  for (Colour c : s.app.BoxColors) colours.push_back(c);
  return {{"file", CheckListPath(s.app).string()}, {"boxColours", colours}, {"entries", entries}};
}

void PrintList(const Session& s) {
  for (std::size_t i = 1; i < s.app.CheckList.size(); ++i) {
    std::cout << s.app.CheckList[i].ColourIndex << "\t" << s.app.CheckList[i].Name << "\n";
  }
}

// Writes the list back as the program does at exit. Names still kept in the settings file's
// older section are now in tzcheck.txt, so the settings are written too (which removes them
// there); otherwise they would come back a second time at the next start. The check list is
// written first, so that those names are never in neither file.
bool Save(Session& s) {
  std::string err = SaveCheckList(s.app, s.checkListWindow.File);
  if (!err.empty()) {
    std::cerr << ForTerminal(err) << "\n";
    return false;
  }
  AppState probe;
  probe.StoreRoot = s.app.StoreRoot;
  ReadSettings(probe);
  if (probe.CheckList.size() > 1) {
    err = WriteSettings(s.app);
    if (!err.empty()) {
      std::cerr << ForTerminal(err) << "\n";
      return false;
    }
  }
  return true;
}

int RunCheckList(const CheckListOptions& o) {
  if (o.action != "list" && o.action != "add" && o.action != "remove") {
    std::cerr << "unknown action: " << o.action << " (list, add or remove)\n";
    return 2;
  }
  if (o.action != "list" && o.name.empty()) {
    std::cerr << o.action << " needs a NAME\n";
    return 2;
  }
  if (o.colour < 0 || o.colour > 1) {
    std::cerr << "--colour must be 0 or 1\n";
    return 2;
  }
  Session s;
  InitFromHome(s, o.home);
  const std::string& problem = s.checkListWindow.File.Problem;
  if (!problem.empty()) std::cerr << ForTerminal(problem) << "\n";

  if (o.action == "add") {
    if (!problem.empty()) return 1;
    if (!AddCheckName(s.app, o.name, o.colour)) {
      std::cerr << "名前を登録できません (空、改行を含む、または登録済み): " << o.name << "\n";
      return 1;
    }
    if (!Save(s)) return 1;
  } else if (o.action == "remove") {
    if (!problem.empty()) return 1;
    if (RemoveCheckName(s.app, o.name) == 0) {
      std::cerr << "ﾁｪｯｸﾘｽﾄにありません: " << o.name << "\n";
      return 1;
    }
    if (!Save(s)) return 1;
  }

  if (o.asJson) {
    std::cout << ListJson(s).dump(2) << "\n";
  } else if (o.action == "list") {
    PrintList(s);
  }
  return problem.empty() ? 0 : 1;
}

}  // namespace

void RegisterCheckListCommand(CLI::App& app, CliContext& ctx) {
  auto o = std::make_shared<CheckListOptions>();
  auto* cmd = app.add_subcommand("checklist",
                                 "List or edit the check list of horses and jockeys (tzcheck.txt in the store folder)");
  cmd->add_option("ACTION", o->action, "list (default), add or remove");
  cmd->add_option("NAME", o->name, "Horse or jockey name to add or remove");
  cmd->add_option("--colour", o->colour, "Box of an added name: 0 or 1 (its colour is that box's colour)");
  AddHomeOption(cmd, o->home, "Program folder");
  cmd->add_flag("--json", o->asJson, "The list (after the change) as JSON");
  cmd->callback([o, &ctx] { ctx.exitCode = RunCheckList(*o); });
}

}  // namespace tz::cli
