// What the check-list window shows: the two boxes of names with their text colours and
// selections, the hint line, and which box the pop-up menu works on.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "app/app_state.h"

namespace tz {

struct CheckListItem {
  std::string Name;
  bool Selected = false;
};

struct CheckListBox {
  // Kept in ascending text order (see CheckNameLess).
  std::vector<CheckListItem> Items;
  Colour TextColour = 0;
};

// What the start-up read of tzcheck.txt found. A file that exists but could not be read as a
// whole (unreadable, a folder, too large) is never replaced at exit, so that its names are not
// lost behind the user's back.
struct CheckListFileNote {
  bool Protected = false;
  std::string Problem;  // message for the user; empty when the file was read
  // The entries of tzcheck.txt when it was last read or written: what this program changed
  // since is told from them, so that a save keeps the changes another program made meanwhile.
  std::vector<CheckEntry> OnDisk;
};

struct CheckListWindowModel {
  // List1(0) and List1(1).
  std::array<CheckListBox, 2> Boxes;
  // Box last pressed with the right mouse button: the box mjDelAll, mjMoveAll and mjColor
  // work on.
  int SelectedBox = 0;
  // Box that has the keyboard focus, -1 for none.
  int FocusBox = -1;
  std::string Label1;

  // Position of the window while the program runs (twips); negative until it was first
  // closed.
  double Top = -1;
  double Left = -1;

  CheckListFileNote File;
};

}  // namespace tz
