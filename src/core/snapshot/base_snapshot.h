// An earlier snapshot of the day's odds as the base odds. A day saved more than once (the
// dated folder and its time-suffixed twins) or any other data folder of the same day can be
// chosen as the base: its win and lower place odds then fill the same base tables the JRDB
// base-odds file fills (AnalysisState::JrdbWinBase / JrdbPlaceBase), so the base columns, their
// ranks and colours, the change indicators and 推移 are worked out exactly as for a JRDB file
// holding the same odds. Without a snapshot the JRDB base odds are read as before.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/analysis_state.h"
#include "app/user_port.h"

namespace tz {

struct Session;
struct AppState;
struct RaceModel;

inline constexpr const char* kBaseSnapshotMenuCaption = "基準ｽﾅｯﾌﾟｼｮｯﾄ";
inline constexpr const char* kBaseJrdbChoice = "JRDB基準ｵｯｽﾞ";
inline constexpr const char* kBaseOtherDayMessage = "基準ｽﾅｯﾌﾟｼｮｯﾄは別の日のﾃﾞｰﾀです。";
inline constexpr const char* kBaseNoGuideMessage = "基準ｽﾅｯﾌﾟｼｮｯﾄのﾌｫﾙﾀﾞに投票要項がありません。";
inline constexpr const char* kBaseSameFolderMessage = "表示中のﾃﾞｰﾀは基準ｽﾅｯﾌﾟｼｮｯﾄにできません。";
inline constexpr const char* kBaseNoRaceMessage = "基準ｽﾅｯﾌﾟｼｮｯﾄにこのﾚｰｽのｵｯｽﾞがありません。";

// The snapshot chosen as the base; an empty folder means the JRDB base odds.
struct BaseSnapshot {
  std::filesystem::path Folder;
  std::string GuideDate;  // yyyymmdd of the folder's betting guide
};

// Chooses `folder` as the base. Refused with a message (and nothing changed) when the folder
// holds no betting guide, when its guide is of another day than the loaded one, or when it is
// the folder on screen itself.
bool ChooseBaseSnapshot(Session& s, UserPort& port, const std::filesystem::path& folder);
// Back to the JRDB base odds.
void UseJrdbBase(Session& s);

// The saved folders of the loaded day under StoreRoot (the dated folder and its time-suffixed
// twins), newest first, without the folder on screen: what the 基準ｽﾅｯﾌﾟｼｮｯﾄ list offers.
std::vector<std::string> BaseSnapshotChoices(const AppState& app, const RaceModel& race);

// The base odds of the selected race: the snapshot's when one is chosen, else the JRDB
// base-odds file's. A snapshot of another day than the loaded one is dropped with a message;
// a snapshot without the race leaves the race without base odds, with a message when the race
// is analysed for the screen. Sets AnalysisState::BaseSource and BaseCaption.
void LoadBaseOdds(Session& s, UserPort& port, AnalysisFor purpose);

// The caption of the race header naming the base: "基準 JRDB", "基準 10時15分ｽﾅｯﾌﾟｼｮｯﾄ", or empty
// without base odds.
std::string BaseOddsCaption(BaseOddsSource source, int hour, int minute);

}  // namespace tz
