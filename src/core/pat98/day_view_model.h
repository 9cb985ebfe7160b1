// What the main window shows of the loaded day: caption, status panels, the hint label, the
// meeting and race buttons of the race tool bar, and which commands a load enables. The
// loader and the race selection write it; the window only renders it.
#pragma once

#include <array>
#include <string>

namespace tz {

// Icons of the meeting buttons.
enum MeetingIcon : int {
  kIconNone = 0,
  kIconNoMeetingGuide = 1,
  kIconFine = 2,        // 晴
  kIconCloudy = 3,      // 曇
  kIconRain = 4,        // 雨
  kIconLightRain = 5,   // 小雨
  kIconSnow = 6,        // 雪
};

struct MeetingButtonView {
  bool visible = false;
  bool enabled = false;
  bool pressed = false;
  std::string caption;
  std::string toolTip;
  int icon = kIconNone;
};

struct RaceButtonView {
  bool enabled = false;
  bool pressed = false;
  // A race without an odds file but with its results file: it is selected for its results only.
  bool resultsOnly = false;
  int icon = 0;
};

// The tool tip of a race button that selects a race for its results only.
inline constexpr const char* kResultsOnlyRaceTip = "ｵｯｽﾞなし（結果のみ）";

// Which windows the window layer must close after a refresh.
enum class CloseWindowsRequest {
  None,
  AllButMain,   // after a data folder was opened
  AllButKept,   // all but Fm98Main, Fm98List, Fm98Ana, Fm98RZ, Fm98Con, Fm98Mes, Fm98Chk, FmConAuto
};

struct DayViewModel {
  std::string caption;       // "Tazuna98 - " + DataFolder
  std::string statusPanel1;  // GuideDateText
  std::string statusPanel5;
  bool hintLabelVisible = false;  // LbMsg: shown at start when the folder has no pat98.exe

  // Race tool bar: index 1..3 meeting buttons, 5..17 race buttons (17 = advance-sale race).
  std::array<MeetingButtonView, 4> meetingButtons{};
  std::array<RaceButtonView, 18> raceButtons{};

  bool mainToolBarEnabled = false;
  bool oddsAreaVisible = false;  // PicALL, PicBar and HSarea; hidden = workspace colour
  bool saveCurrentEnabled = false;  // "現在のﾃﾞｰﾀを保存(&S)"
  bool updateSavedEnabled = false;  // "結果と履歴を上書き保存(&U)"

  // What the last refresh asked the window layer to close; the window layer resets it.
  CloseWindowsRequest closeWindows = CloseWindowsRequest::None;
};

}  // namespace tz
