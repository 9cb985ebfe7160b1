// The one object that owns the process-wide tables: application state and settings, the race
// data model, the analysis results and the window models. It is created at start, passed by
// reference to every operation, and lives until exit.
#pragma once

#include "analysis/analysis_state.h"
#include "analysis/bracket_model.h"
#include "analysis/main_window_model.h"
#include "analysis/prediction_model.h"
#include "analysis/race_analysis.h"
#include "analysis/share_graph_model.h"
#include "app/app_state.h"
#include "betting/bet_model.h"
#include "exports/contest_model.h"
#include "exports/day_batch.h"
#include "exports/lists_model.h"
#include "fhwars/wars_state.h"
#include "pat98/day_view_model.h"
#include "pat98/race_model.h"
#include "results/history_state.h"
#include "results/result_state.h"
#include "results/results_window_model.h"
#include "snapshot/base_snapshot.h"
#include "text/files.h"
#include "tools/check_list_model.h"

namespace tz {

struct Session {
  AppState app;
  RaceModel race;
  AnalysisState analysis;     // working tables of the analysis steps
  RaceAnalysis raceAnalysis;  // what the analysis of the current race concluded
  BaseSnapshot baseSnapshot;  // the earlier snapshot used as the base odds, if any
  ResultState results;
  HistoryState history;
  BatchState batch;
  WarsState wars;
  // Listings of the folders the file lookups read, made again after each load.
  text::FolderIndex folders;
  // What the windows show.
  DayViewModel dayView;
  MainWindowModel mainWindow;
  PredictionModel prediction;
  BracketViewModel bracketView;
  BetWindowModel betWindow;
  ResultsWindowModel resultsWindow;
  ResultsListModel resultsList;
  HistoryWindowModel historyWindow;
  LongshotListModel longshotList;
  PredictedValuesListModel predictedList;
  ContestModel contest;
  ShareGraphModel shareGraph;
  CheckListWindowModel checkListWindow;
};

}  // namespace tz
