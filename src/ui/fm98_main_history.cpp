// Wiring of the main window's history and results commands: the 履歴 and 結果 buttons and their windows.
#include "analysis/main_window_model.h"
#include "fm98_kekka.h"
#include "fm98_log.h"
#include "fm98_main.h"
#include "results/history.h"
#include "results/results_reader.h"

namespace tz::ui {

namespace {

// The results command on a race whose results are not (completely) there yet.
constexpr const char* kNoResultsYet = "競走成績が取得されていません。";

// Passes everything on and counts the errors shown.
class ErrorCountingPort : public ForwardingPort {
 public:
  using ForwardingPort::ForwardingPort;
  void Error(std::string_view title, std::string_view text) override {
    ++errors;
    ForwardingPort::Error(title, text);
  }
  int errors = 0;
};

}  // namespace

void Fm98Main::InstallHistoryFeature() {
  if (QToolButton* b = ToolButton(11)) connect(b, &QToolButton::clicked, this, [this] { ShowHistory(); });
  if (QToolButton* b = ToolButton(12)) connect(b, &QToolButton::clicked, this, [this] { ShowResults(); });
}

// The votes on the selected race, read without results: marked in the main window and the
// bracket view, and listed in the history window without totals.
void Fm98Main::ShowHistory() {
  if (!s_.mainWindow.RaceShown) return;
  MarkVotesOfSelectedRace(s_, port_);
  if (!s_.history.HitListText.empty()) ShowHistoryWindow(this, s_, false);
  RenderRace();
  if (waku_) waku_->Render();
}

// The results of the selected race: the hit message when asked for, then, with complete
// enough results, the votes with their totals, the finishers in the main window and the
// results window. A race selected for its results only has no odds area to mark.
void Fm98Main::ShowResults() {
  const bool oddsShown = s_.mainWindow.RaceShown;
  if (!oddsShown && !s_.mainWindow.ResultsOnly) return;
  CloseResultsWindow(this);
  ErrorCountingPort port(port_);
  ReadRaceResults(s_, port);
  // Reading the results does not make a race without odds an analysed one.
  if (!oddsShown) s_.race.LoadStatus = kLoadOddsMissing;
  if (!s_.history.HitMessage.empty() && s_.app.settings.HitWait == 1) {
    port_.Info(s_.app.AppTitle, s_.history.HitMessage);
  }
  const PayoutsFound availability = s_.results.ResultsAvailability;
  if (availability != PayoutsFound::AllButWide && availability != PayoutsFound::All) {
    // Nothing to show: say so, unless the reader has already said why.
    if (port.errors == 0) port_.Error(s_.app.AppTitle, kNoResultsYet);
    return;
  }
  CloseHistoryWindow(this);
  if (s_.app.settings.LogDisp == 1) {
    if (oddsShown) MarkVotedCombinations(s_, s_.history.VoteList);
    if (!s_.history.HitListText.empty()) ShowHistoryWindow(this, s_, true);
  }
  if (oddsShown) {
    MarkFinishers(s_);
    RenderRace();
    if (waku_) waku_->Render();
  }
  ShowResultsWindow(this, s_);
}

}  // namespace tz::ui
