// The process-wide application state: folders, run flags, colour tables and the user's
// settings as read from tz98.ini.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tz {

namespace fs = std::filesystem;

// Colours are 24-bit values with red in the low byte and blue in the high byte.
using Colour = std::int32_t;

struct CheckEntry {
  int ColourIndex = 0;
  std::string Name;
};

// Window positions in twips, section WINDOW of the settings file.
struct WindowPositions {
  double WinWidth = 9600;
  bool WinWidthStored = false;  // the settings file held a width (else WinWidth is the default)
  std::array<double, 8> Top{0, 2020, 2020, 2020, 2020, 2650, 2020, 2020};   // Win1..Win7
  std::array<double, 8> Left{0, 3245, 7335, 3875, 0, 3260, 0, 3875};       // Win1..Win7
};

struct Settings {
  // FOLDER (Patpath and Betpath live in AppState as Pat98Folder and BetFolder)
  std::string Txtpath, Txtfile, Tksfile, Cnvpath, CSVpath, OZpath;

  // OPTION
  int AUTO = 0, CJ = 0, CR = 0, CH = 0, CB = 0;
  std::string Mask = "*.txt";
  int BankLink = 0, HitWait = 0, HitColor = 1, LogDisp = 1, LogColor = 0, PointBar = 0;
  int UpValue = 0, DownValue = 0, Grph = 0, GrphStart = 0, Window = 1, TermScr = 0;
  int SaveMsg = 1, RankDisp = 1, AutoGraph = 0, AutoYoso = 0, AutoWaku = 0, AutoLog = 0;
  int AutoKekka = 0, SortFolder = 0, AnaColor = 0, NinkiDsp = 0, RankLeft = 0;
  int UmaTanShi = 0, OdzColor = 0, CnJiku = 1, CnRank = 1, CnHimo = 1, CnBken = 1;
  std::int32_t Money = 100, Limit = 1000, Profit = 10000;
  int YosoMode = 0;
  // 1: the prediction window, the CSV file and the lists show the market-implied win odds.
  int ImpliedWin = 0;

  WindowPositions Windows;

  // RANGE: lower limits in yen of the odds ranges of the share graphs.
  std::array<std::int32_t, 6> OddsRanges{1000, 2000, 4000, 7000, 10000, 30000};
};

struct AppState {
  std::string AppTitle = "Tazuna98";
  fs::path ProgramFolder;
  fs::path StoreRoot;
  fs::path Pat98Folder;
  fs::path DataFolder;
  fs::path BetFolder;
  fs::path CurrentFolderFile;
  std::string Pat98GuideDate = "99999999";
  double ScreenWidth = 0;   // twips
  double ScreenHeight = 0;  // twips
  double MainWindowWidth = 9600;
  // Set before a load that comes from opening a data folder: the day view then closes every
  // window but the main window, and clears the flag.
  int ReloadAllWindows = 0;
  std::array<Colour, 3> DefaultCheckColors{255, 16711680, 16711935};
  std::array<Colour, 8> BracketColors{16777215, 8421504, 8421631, 16744576,
                                      8454143,  8454016, 8438015, 16744703};
  std::vector<CheckEntry> CheckList{CheckEntry{}};
  std::vector<Colour> BoxColors{0, 0};
  Settings settings;

  // Whether the loaded day is the PAT98 folder's current day.
  bool ShowsPat98Folder() const;
};

}  // namespace tz
