// The check list of horses and jockeys to watch: the file tzcheck.txt in StoreRoot, and the
// editing done in the check-list window (two boxes of names, each with its text colour).
//
// File format: Shift_JIS, one entry per line ended by CR LF; a line is the box index in
// decimal, a comma and the name in double quotes (box 0 and ABC give `0,"ABC"`).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/app_state.h"
#include "tools/check_list_model.h"

namespace tz {

inline constexpr const char* kCheckListFileName = "tzcheck.txt";
inline constexpr const char* kCheckListCaption = "ﾁｪｯｸ馬／騎手";
inline constexpr const char* kCheckDropHint = "出馬表からﾄﾞﾗｯｸﾞ＆ﾄﾞﾛｯﾌﾟで登録してください";
inline constexpr const char* kCheckMenuHint = "ﾎﾞｯｸｽ上で右ｸﾘｯｸするとﾒﾆｭｰが表示されます";

// A file larger than this is not a check list anyone wrote by hand or with the window; it is
// left alone rather than read into list boxes.
inline constexpr std::size_t kMaxCheckListFileBytes = 8u << 20;

// The path of the check-list file (the existing entry of that name in any letter case).
std::filesystem::path CheckListPath(const AppState& app);

// The entries of a check-list file's bytes, in file order. The box index is the first field
// as a whole number pulled into 0..boxCount-1; the name is taken between the double quotes
// (from the first quote after the comma up to the last quote of the line, so that a name
// holding a comma or a double quote comes back whole) or as the rest of the line when it is
// not quoted, and is trimmed. A line without a comma is taken as a name in box 0, so a
// hand-written list of names is not lost. Lines with an empty name are skipped. CR LF, LF
// and CR all end a line.
std::vector<CheckEntry> ParseCheckList(std::string_view bytes, int boxCount = 2);

// The file's bytes for CheckList from index 1 on: box index, comma, quoted name, CR LF each.
std::string FormatCheckList(const std::vector<CheckEntry>& list);

// Start-up: appends the entries of tzcheck.txt to CheckList (after those the settings file
// supplied). Names are kept without leading and trailing blanks, the migrated ones too, so
// that the windows that compare trimmed names find them. Returns a message for the user when
// the file exists but could not be read (it is then protected from being replaced at exit);
// empty otherwise. `note` keeps what the read found, for the save at exit.
std::string LoadCheckList(AppState& app, CheckListFileNote& note);

// Exit: writes CheckList to tzcheck.txt atomically (an empty list gives an empty file).
// Returns an error text, empty on success. A file that could not be read at start is left
// as it is and reported. When another program saved the file since it was read, the two are
// merged (MergeCheckLists) under a lock of the store folder, and CheckList becomes the
// merged list.
std::string SaveCheckList(AppState& app, CheckListFileNote& note);

// The list to write when the file changed under us: `theirs` (the file now) without the names
// we removed since `base` (the file as we read it), with the boxes we changed, followed by the
// names we added (`mine` is our list now).
std::vector<CheckEntry> MergeCheckLists(const std::vector<CheckEntry>& base,
                                        const std::vector<CheckEntry>& mine,
                                        const std::vector<CheckEntry>& theirs);

// Ascending text order of the boxes: by the upper-cased Shift_JIS bytes of the names.
bool CheckNameLess(std::string_view a, std::string_view b);

// ---- the window -------------------------------------------------------------------------

// Fills the window model from CheckList and BoxColors: SelectedBox 0, no focus, the drop
// hint, each name in its box in sorted place.
void OpenCheckListWindow(CheckListWindowModel& m, const AppState& app);

// Adds a name to a box in its sorted place, unselected. Returns its index in the box.
std::size_t AddToCheckBox(CheckListWindowModel& m, int box, std::string name);

// A dragged cell dropped on a box: its caption, trimmed, is added to that box unless it is
// empty, holds a line break (the file could not keep it) or a name of either box (trimmed)
// equals it; the box then takes the focus. Returns
// whether the name was added.
bool DropOnCheckBox(CheckListWindowModel& m, int box, std::string_view caption);

// Focus moves to a box (hint: the right-click hint) or leaves it (the drop hint again).
void FocusCheckBox(CheckListWindowModel& m, int box);
void BlurCheckBox(CheckListWindowModel& m, int box);

// A click on a name toggles its selection.
void ToggleCheckName(CheckListWindowModel& m, int box, std::size_t index);
void SetCheckNameSelected(CheckListWindowModel& m, int box, std::size_t index, bool selected);

// The right mouse button pressed on a box: the pop-up menu works on it.
void RightPressCheckBox(CheckListWindowModel& m, int box);

enum class CheckMenu {
  Del,      // 選択している名前を削除: the selected names of both boxes are removed
  DelAll,   // このボックス内を全て削除: box SelectedBox is emptied
  Move,     // 選択している名前を移動: the selected names of each box go to the other
  MoveAll,  // このボックス内を全て移動: every name of box SelectedBox goes to the other
};
void RunCheckMenu(CheckListWindowModel& m, CheckMenu item);

// 色の変更 confirmed in the colour dialog: box SelectedBox takes the colour.
void SetCheckBoxColour(CheckListWindowModel& m, Colour colour);

// "OK": BoxColors from the boxes' colours; CheckList becomes the placeholder followed by
// the names of box 0, then box 1, in the order shown, trimmed.
void ConfirmCheckList(AppState& app, const CheckListWindowModel& m);

// ---- editing without the window (command line) --------------------------------------------

// Appends a name (trimmed) in a box unless it is empty, holds a line break or is already on
// the list. Returns
// whether it was added.
bool AddCheckName(AppState& app, std::string_view name, int box);

// Removes every entry whose name equals the trimmed name. Returns how many were removed.
int RemoveCheckName(AppState& app, std::string_view name);

}  // namespace tz
