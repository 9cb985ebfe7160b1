// The options dialog (on/off options of the settings) and the range dialog (the six odds
// ranges of the share graphs). Both work on the settings in memory; the settings file is
// written at exit. Only the bank link acts at once.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "app/app_state.h"

namespace tz {

struct Session;
class UserPort;

// One check box of the options dialog: its index in the dialog's check-box array, its caption
// and the setting it shows (none for the boxes that are not stored).
struct OptionBox {
  int Index;
  const char* Caption;
  int Settings::*Setting;  // nullptr: shown, but neither filled nor stored
  bool Visible = true;
};

inline constexpr int kOptionBoxCount = 26;  // indexes 0..25

inline constexpr std::array<OptionBox, kOptionBoxCount> kOptionBoxes{{
    {0, "Zenibako98に連携", &Settings::BankLink},
    {1, "的中時はｳｪｲﾄ", &Settings::HitWait},
    {2, "的中配当をｶﾗｰﾘﾝｸﾞ", &Settings::HitColor},
    {3, "履歴を競走成績と同時表示", &Settings::LogDisp},
    {4, "履歴をｵｯｽﾞと同時にｶﾗｰﾘﾝｸﾞ", &Settings::LogColor},
    {5, "波乱度ｲﾝｼﾞｹｰﾀｰを表示", &Settings::PointBar},
    {6, "ｸﾞﾗﾌにﾗﾝｸｱｯﾌﾟ値を表示", &Settings::UpValue},
    {7, "ｸﾞﾗﾌにﾗﾝｸﾀﾞｳﾝ値を表示", &Settings::DownValue},
    {8, "ｳｨﾝﾄﾞｳの位置を記憶", &Settings::Window},
    {9, "終了確認をする", &Settings::TermScr},
    {10, "保存完了ﾒｯｾｰｼﾞを表示する", &Settings::SaveMsg},
    {11, "全着順をｵｯｽﾞと同時表示", &Settings::RankDisp},
    {12, "ｸﾞﾗﾌｳｨﾝﾄﾞｳを自動ｵｰﾌﾟﾝ", &Settings::AutoGraph},
    {13, "予想ｳｨﾝﾄﾞｳを自動ｵｰﾌﾟﾝ", &Settings::AutoYoso},
    {14, "枠連ｳｨﾝﾄﾞｳを自動ｵｰﾌﾟﾝ", &Settings::AutoWaku},
    {15, "履歴ｳｨﾝﾄﾞｳを自動ｵｰﾌﾟﾝ", &Settings::AutoLog},
    {16, "結果ｳｨﾝﾄﾞｳを自動ｵｰﾌﾟﾝ", &Settings::AutoKekka},
    {17, "「過去のﾃﾞｰﾀを開く」 ときﾌｫﾙﾀﾞ名を降順ｿｰﾄ（TZNAﾌｫﾙﾀﾞ固定）", &Settings::SortFolder},
    {18, "出馬表に着順を表示", &Settings::RankLeft},
    {19, "人気順位を個別に配置", &Settings::NinkiDsp, false},
    {20, "★☆", nullptr},
    {21, "▲△", nullptr},
    {22, "FHWARSｺﾝﾃｽﾄ[AUTOﾓｰﾄﾞ]", &Settings::AUTO},
    {23, "予想一覧でR1Z1をｶﾗｰﾘﾝｸﾞ", &Settings::UmaTanShi},
    {24, "馬連をｵｯｽﾞ別にｶﾗｰﾘﾝｸﾞ", &Settings::OdzColor},
    {25, "予想に推定単勝を表示", &Settings::ImpliedWin},
}};

// Captions of the option buttons of the frame "予想" (index = `YosoMode`).
inline constexpr std::array<const char*, 3> kYosoModeCaptions{"本紙", "特捜班", "選択"};

// What the options dialog shows: the check boxes by index (1 ticked) and the selected
// option button of "予想".
struct OptionsDialogValues {
  std::array<int, kOptionBoxCount> Check{};
  int YosoMode = 0;
};

// The dialog's values from the settings; a `YosoMode` other than 1 or 2 selects button 0.
OptionsDialogValues FillOptions(const Settings& settings);

// OK of the options dialog: every stored check box into its setting (1 ticked, 0 not), the
// bank link written or deleted at once, then `YosoMode`.
void ApplyOptions(Session& s, const OptionsDialogValues& values);

inline constexpr const char* kRangeInputError = "入力ｴﾗｰ";

// The range dialog's six texts from `OddsRanges`.
std::array<std::string, 6> FillRangeDialog(const Settings& settings);

// The six limits the texts stand for, or nothing when they are not acceptable: each is the
// whole number at the start of its text (rounded down); the first must be above 100, every
// limit must be above the one before, and each must fit the settings' 32-bit range.
std::optional<std::array<std::int32_t, 6>> ParseRanges(const std::array<std::string, 6>& texts);

// OK of the range dialog: stores all six limits and returns true, or shows "入力ｴﾗｰ", stores
// nothing and returns false (the dialog stays open).
bool AcceptRanges(Session& s, UserPort& port, const std::array<std::string, 6>& texts);

}  // namespace tz
