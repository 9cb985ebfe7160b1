// The two day overviews built by analysing every race of the loaded day: the recommended
// longshots (推奨穴馬一覧, the horses the prediction rows mark ★ or ☆, with their finishing
// places) and the predicted values (予想値一覧, the horses ranked 1..5 under W, R, Z, T and F),
// and the text and CSV exports of the longshot list.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/user_port.h"
#include "exports/lists_model.h"

namespace tz {

struct Session;

// Reads the results of the current race into s.results (the finishers). The runs use
// ReadRaceResults for the payouts only; tests may put their own.
using RaceResultsStep = std::function<void(Session&, UserPort&)>;

// Runs the day (RunDayBatch) and fills s.longshotList; the progress goes to port.Progress.
// Returns false when an error ended the run early (what was filled stays).
bool BuildLongshotList(Session& s, UserPort& port);
bool BuildLongshotList(Session& s, UserPort& port, const RaceResultsStep& readResults);
// Runs the day and fills s.predictedList.
bool BuildPredictedValuesList(Session& s, UserPort& port);
bool BuildPredictedValuesList(Session& s, UserPort& port, const RaceResultsStep& readResults);

// The race steps, on the analysed current race of meeting m, race r (prediction rows, main
// window panels and upset figures current).
void AddLongshotRace(Session& s, int meeting, int race);
void AddLongshotResults(Session& s, int meeting, int race);  // from s.results
void AddPredictedRace(Session& s, int meeting, int race);
void AddPredictedResults(Session& s, int meeting, int race);  // from s.results

// The lines of one meeting page of the predicted-values list for group 1..5.
std::vector<PredictedPageRow> PredictedPage(const PredictedValuesListModel& list, int meeting,
                                            int group);

// The export files: CsvFolder / mmdd + "推奨馬.txt" or ".csv"; empty when the guide date gives no
// plain file name.
std::filesystem::path LongshotExportPath(const Session& s, bool csv);
// Their lines (UTF-8, without line ends), read from the list as it stands.
std::vector<std::string> LongshotTextLines(const LongshotListModel& list);
std::vector<std::string> LongshotCsvLines(const LongshotListModel& list);
// The exports as the window's buttons run them: folder check, overwrite question, messages.
// Return the path written, empty when nothing was written.
std::filesystem::path ExportLongshotText(Session& s, UserPort& port);
std::filesystem::path ExportLongshotCsv(Session& s, UserPort& port);

inline constexpr const char* kListFolderMissing = "ﾌｧｲﾙ出力ﾌｫﾙﾀﾞが存在しません。";
inline constexpr const char* kListOverwrite = "ﾌｧｲﾙは既に存在します。上書きしますか？";
inline constexpr const char* kListWritten = "ﾌｧｲﾙを作成しました。";

}  // namespace tz
