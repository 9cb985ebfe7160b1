// Selecting a meeting and a race, and the analysis pipeline run for every race shown or
// exported: load the odds, check the sale code, read the JRDB base odds, then the analysis
// steps in their fixed order.
#pragma once

#include <string>

#include "analysis/analysis_state.h"  // AnalysisFor
#include "app/user_port.h"
#include "jrdb/jrdb_base_odds.h"  // LoadJrdbBaseOdds

namespace tz {

struct Session;

// Meeting button 1..3 pressed.
void SelectMeeting(Session& s, int button);
// Race button 5..17 pressed (5 + r - 1 is race r, 17 the advance-sale race). Runs
// AnalyseRace and, on success, the steps that only serve the screen. A race without an odds
// file but with a results file is not analysed: it is selected for its results only
// (mainWindow.ResultsOnly; LoadStatus stays kLoadOddsMissing, as for any race without odds).
void SelectRace(Session& s, UserPort& port, int button);
// The pipeline; leaves LoadStatus 0 on success.
void AnalyseRace(Session& s, UserPort& port, AnalysisFor purpose = AnalysisFor::Screen);
// Ranks the analysed race (gaps, indicator ranks, race class and marks, upset indicator),
// stores the outcome in `raceAnalysis` and renders the prediction rows from it.
void RankRace(Session& s);
// The outcome of the steps already run into `raceAnalysis`, and the prediction rows from it.
void PublishRaceAnalysis(Session& s);
// The JRDB race key of the loaded race: course "00", year, meeting, day character, race "00".
std::string SelectedRaceJrdbKey(const Session& s);
// Sets the selection of a race slot 1..13 of a meeting (what a race button does before
// analysing); used by the batch runs and the command-line tool.
void SetRaceSelection(Session& s, int meeting, int slot);

}  // namespace tz
