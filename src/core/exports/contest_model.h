// What the contest entry windows show: the single-rule dialog (Fm98Con) and the automatic
// dialog (FmConAuto). The windows render this and forward their buttons to the operations of
// exports/contest.h.
#pragma once

#include <array>
#include <string>

namespace tz {

struct ContestModel {
  // Fm98Con: the item data selected in Combo1 .. Combo4 (axis indicator, axis rank, partner
  // indicator, form); 0 = nothing selected.
  std::array<int, 4> Selection{};
  // FmConAuto: the ticks of Check1 (axis indicators), Check3 (ranks), Check2 (partner
  // indicators) and Check4 (forms), index 0 first.
  std::array<bool, 7> AxisTicks{};
  std::array<bool, 5> RankTicks{};
  std::array<bool, 7> PartnerTicks{};
  std::array<bool, 2> FormTicks{};

  bool Running = false;        // a run is going on: the dialog refuses to close
  bool StopRequested = false;  // 中止 pressed; takes effect after the current rule's file
  int RaceProgress = 0;        // percent of the races of the current rule
  int RuleProgress = 0;        // percent of the rules of a multi-rule run
  // FmConAuto's Label1 .. Label4: axis indicator, rank, partner indicator and form of the rule
  // being written.
  std::array<std::string, 4> RuleLabels{};
};

}  // namespace tz
