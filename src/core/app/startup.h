// The two ends of the program's life: filling the application state at start, and the
// decisions taken when the main window is closed. The windows only show what these decide.
#pragma once

#include <filesystem>
#include <string>

#include "app/app_state.h"
#include "app/user_port.h"

namespace tz {

// The start and the end of the program fill and save the whole session (settings, the check
// list and its window's note of the file, the first load of the day); the steps that need
// less take only the application state.
struct Session;

// Steps of the start sequence up to the first data load: colour tables and run flags,
// StoreRoot (created when missing), the settings, the PAT98 folder (the program folder when
// the stored one is empty or gone), DataFolder, the current-folder file, the default bet
// folder, the PAT98 guide date and the screen size (the main window is never wider than it);
// last, the check list (tzcheck.txt) is loaded.
void InitApplicationState(Session& s, const std::filesystem::path& programFolder,
                          double screenWidthTwips, double screenHeightTwips);

// 0 when the folder holds "pat98.exe" (any letter case), 2 when it does not.
int HasPat98Program(const std::filesystem::path& folder);

// The first 8 characters of "UY-A.JRA" in the PAT98 folder, or "99999999" without the file.
std::string ReadPat98GuideDate(const std::filesystem::path& pat98Folder);

// When no bet folder is set and the PAT98 folder holds the PAT98 program, its "PBET"
// subfolder becomes the bet folder.
void ApplyDefaultBetFolder(AppState& app);

// The user confirmed a PAT98 folder: it becomes the PAT98 and data folder, the default bet
// folder rule runs again and the guide date is read anew. The day is not reloaded.
void ApplyPat98Folder(AppState& app, const std::filesystem::path& folder);

// The same, then the first load of the new folder (as at start). Returns the load status.
int ApplyPat98Folder(Session& s, UserPort& port, const std::filesystem::path& folder);

// The end of the start sequence: removes a stale bank link file, then loads the current day
// from the PAT98 folder as its first load (which also decides on the first-run hint).
// Returns the load status.
int StartupLoadDay(Session& s, UserPort& port);

enum class CloseDecision { Close, SaveThenClose, Cancel };

// Asks whether to save the day's data when the option asks for it and the PAT98 folder holds
// a guide; otherwise the window simply closes.
CloseDecision RequestClose(const AppState& app, UserPort& port);

// Once the main window has closed: keeps its width (unless it was minimised, and at most the
// screen width), removes the bank link file, writes the settings and then the check list.
// Returns the error texts of those writes, empty on success.
std::string Shutdown(Session& s, bool mainWindowMinimised, double mainWindowWidthTwips);

}  // namespace tz
