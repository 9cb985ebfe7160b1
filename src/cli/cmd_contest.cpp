// tazuna98-cli contest: the FHWARS contest entry files of a racing day, as the single-rule
// dialog (one rule, or all 98 flow patterns) or the automatic dialog (every combination of the
// chosen indicators, ranks and forms) writes them.
#include <iostream>
#include <memory>
#include <optional>

#include <nlohmann/json.hpp>

#include "commands.h"
#include "exports/contest.h"
#include "pat98/day_loader.h"
#include "session.h"
#include "text/files.h"

namespace tz::cli {

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

struct ContestOptions {
  std::string data;
  std::string out;
  std::string home;
  bool autoMode = false;
  bool allPatterns = false;
  bool json = false;
  bool yes = false;
  // Single rule; unset values come from the settings (CnJiku .. CnBken).
  std::string axis, partner, form;
  std::optional<int> rank;
  // Automatic run; unset lists come from the settings (CJ, CR, CH, CB).
  std::string axes, ranks, partners, forms;
};

// Indicator code of a letter (T F R Z W P Q) or a digit 1..7; 0 when neither.
int IndicatorCode(char c) {
  const std::string letters = "TFRZWPQ";
  const auto i = letters.find(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
  if (i != std::string::npos) return static_cast<int>(i) + 1;
  if (c >= '1' && c <= '7') return c - '0';
  return 0;
}

int FormCode(char c) {
  switch (std::toupper(static_cast<unsigned char>(c))) {
    case 'N': case '1': return kContestFlow;
    case 'B': case '2': return kContestBox;
    default: return 0;
  }
}

int RankCode(char c) { return (c >= '1' && c <= '5') ? c - '0' : 0; }

// A mask from a list of codes such as "TFQ" or "12"; -1 when a character is not a code.
int MaskOf(const std::string& list, int (*code)(char)) {
  int mask = 0;
  for (char c : list) {
    if (c == ',' || c == ' ') continue;
    const int v = code(c);
    if (v == 0) return -1;
    mask |= 1 << (v - 1);
  }
  return mask;
}

// Loads the day of the data folder. Returns false (message on stderr) when there is none.
bool LoadContestDay(Session& s, TerminalPort& port, const ContestOptions& o) {
  std::error_code ec;
  const fs::path folder = fs::absolute(o.data, ec);
  if (ec || !text::FolderExists(folder)) {
    std::cerr << "folder not found: " << o.data << "\n";
    return false;
  }
  s.app.DataFolder = folder;
  const int status = LoadCurrentData(s, port);
  if (status != 0 || s.race.MeetingCount == 0) {
    if (port.errors == 0) std::cerr << "no racing day in " << folder.string() << " (LoadStatus " << status << ")\n";
    return false;
  }
  return true;
}

json ResultJson(const ContestRule& rule, const ContestRunResult& r) {
  json j;
  j["rule"] = ContestRuleCode(rule);
  j["file"] = r.File.empty() ? json(nullptr) : json(r.File.string());
  j["raceLines"] = r.RaceLines;
  j["failed"] = r.Failed;
  return j;
}

int RunContest(const ContestOptions& o) {
  TerminalPort port;
  port.assumeYes = o.yes;
  auto s = std::make_unique<Session>();
  InitFromHome(*s, o.home);
  if (!o.out.empty()) s->app.settings.CSVpath = o.out;
  Settings& st = s->app.settings;

  // Rules from the options, checked before the day is loaded.
  ContestRule rule{st.CnJiku, st.CnRank, st.CnHimo, st.CnBken};
  ContestMasks masks{st.CJ, st.CR, st.CH, st.CB};
  if (o.autoMode) {
    const std::pair<const std::string*, int*> lists[] = {
        {&o.axes, &masks.Axis}, {&o.ranks, &masks.Rank}, {&o.partners, &masks.Partner}, {&o.forms, &masks.Form}};
    int (*codes[])(char) = {IndicatorCode, RankCode, IndicatorCode, FormCode};
    for (int i = 0; i < 4; ++i) {
      if (lists[i].first->empty()) continue;
      const int mask = MaskOf(*lists[i].first, codes[i]);
      if (mask < 0) {
        std::cerr << "invalid list: " << *lists[i].first << "\n";
        return 2;
      }
      *lists[i].second = mask;
    }
  } else {
    if (!o.axis.empty()) rule.AxisIndicator = o.axis.size() == 1 ? IndicatorCode(o.axis[0]) : 0;
    if (!o.partner.empty()) rule.PartnerIndicator = o.partner.size() == 1 ? IndicatorCode(o.partner[0]) : 0;
    if (!o.form.empty()) rule.Form = o.form.size() == 1 ? FormCode(o.form[0]) : 0;
    if (o.rank) rule.AxisRank = *o.rank;
    if (rule.AxisIndicator == 0 || rule.PartnerIndicator == 0 || rule.Form == 0 ||
        rule.AxisRank < 1 || rule.AxisRank > kContestRankCount) {
      std::cerr << "invalid rule: --axis and --partner take T F R Z W P Q, --rank 1..5, --form N or B\n";
      return 2;
    }
  }

  if (!LoadContestDay(*s, port, o)) return 1;

  json files = json::array();
  bool failed = false;
  if (o.autoMode) {
    std::vector<ContestRunResult> results;
    const auto rules = AutoContestRules(masks);
    if (!RunAutoContest(*s, port, masks, {}, {}, &results)) return 2;
    for (std::size_t i = 0; i < results.size(); ++i) {
      files.push_back(ResultJson(rules[i], results[i]));
      failed = failed || results[i].Failed;
    }
  } else if (o.allPatterns) {
    std::vector<ContestRule> done;
    const auto results = RunAllContestPatterns(
        *s, port, [&](int, int, const ContestRule& r) {
          done.push_back(r);
          return false;
        });
    failed = results.empty();  // refused before the first rule (the reason was shown)
    for (std::size_t i = 0; i < results.size(); ++i) {
      files.push_back(ResultJson(done[i], results[i]));
      failed = failed || results[i].Failed;
    }
  } else {
    const ContestRunResult r = RunContestRule(*s, port, rule);
    files.push_back(ResultJson(rule, r));
    failed = r.Failed;
  }

  if (o.json) {
    json j;
    j["date"] = s->race.GuideDate;
    j["folder"] = s->app.settings.CSVpath;
    j["files"] = files;
    std::cout << j.dump(1) << "\n";
  } else {
    for (const auto& f : files) {
      if (!f["file"].is_null()) {
        std::cout << f["file"].get<std::string>() << "  (" << f["raceLines"].get<int>()
                  << " races)\n";
      }
    }
  }
  return failed ? 1 : 0;
}

}  // namespace

void RegisterContestCommand(CLI::App& app, CliContext& ctx) {
  auto o = std::make_shared<ContestOptions>();
  auto* cmd = app.add_subcommand(
      "contest", "Write the FHWARS contest entry files of a racing day (one file per rule)");
  AddDataFolderOption(cmd, o->data);
  cmd->add_option("--out", o->out, "Export folder (default: the CSVpath setting)");
  AddHomeOption(cmd, o->home);
  cmd->add_flag("--json", o->json, "Report the files written as JSON");
  cmd->add_flag("--yes", o->yes, "Answer Yes to questions (build a pseudo betting guide)");
  cmd->add_option("--axis", o->axis, "Axis indicator: T F R Z W P Q (default: the CnJiku setting)");
  cmd->add_option("--rank", o->rank, "Rank the axis horse must hold, 1..5 (default: CnRank)");
  cmd->add_option("--partner", o->partner, "Partner indicator: T F R Z W P Q (default: CnHimo)");
  cmd->add_option("--form", o->form, "N flow (流し) or B box (ボックス) (default: CnBken)");
  cmd->add_flag("--all-patterns", o->allPatterns,
                "The 98 flow rules of 全パターン: axis ranks 1-2, every axis and partner indicator");
  cmd->add_flag("--auto", o->autoMode,
                "Automatic mode: one file for every combination of --axes, --ranks, --partners and --forms");
  cmd->add_option("--axes", o->axes, "Automatic mode: axis indicators, e.g. TFQ (default: the CJ setting)");
  cmd->add_option("--ranks", o->ranks, "Automatic mode: axis ranks, e.g. 12 (default: CR)");
  cmd->add_option("--partners", o->partners, "Automatic mode: partner indicators (default: CH)");
  cmd->add_option("--forms", o->forms, "Automatic mode: forms, N and/or B (default: CB)");
  cmd->callback([o, &ctx] { ctx.exitCode = RunContest(*o); });
}

}  // namespace tz::cli
