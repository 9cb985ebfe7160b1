// The one object that owns the process-wide tables: application state and settings, the race
// data model, the analysis results and the window models. It is created at start, passed by
// reference to every operation, and lives until exit.
#pragma once

#include "analysis/analysis_state.h"
#include "analysis/bracket_model.h"
#include "analysis/main_window_model.h"
#include "analysis/prediction_model.h"
#include "app/app_state.h"
#include "betting/bet_model.h"
#include "pat98/day_view_model.h"
#include "pat98/race_model.h"

namespace tz {

struct Session {
  AppState app;
  RaceModel race;
  AnalysisState analysis;
  // What the windows show.
  DayViewModel dayView;
  MainWindowModel mainWindow;
  PredictionModel prediction;
  BracketViewModel bracketView;
  BetWindowModel betWindow;
};

}  // namespace tz
