// The main window: menus, the two tool bars, the race header, the odds area and the status bar.
#pragma once

#include <QDateTime>
#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <filesystem>
#include <functional>
#include <map>
#include <vector>

#include "app/countdown.h"
#include "aux_windows.h"
#include "odds_area.h"
#include "qt_user_port.h"
#include "session.h"

namespace tz::ui {

// Twips <-> pixels at the screen's logical resolution.
int TwipsToPixels(double twips, const QWidget* w = nullptr);
double PixelsToTwips(int pixels, const QWidget* w = nullptr);

// Colours are stored with red in the low byte.
QColor FromBgr(Colour c);
Colour ToBgr(const QColor& c);

class FolderDialog;

// The upset bar: a filled bar from the left edge, proportional to the upset value.
class UpsetBar : public QWidget {
  Q_OBJECT
 public:
  static constexpr double kScale = 100.0;  // units across the bar area
  explicit UpsetBar(QWidget* parent = nullptr);
  void SetBar(bool visible, double length, QColor colour);
  bool BarVisible() const { return visible_; }
  double Length() const { return length_; }

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  bool visible_ = false;
  double length_ = 0;
  QColor colour_;
};

class Fm98Main : public QMainWindow {
  Q_OBJECT
 public:
  Fm98Main(Session& session, UserPort& port, QWidget* parent = nullptr);

  // Caption "Tazuna98 - " + DataFolder.
  void RefreshCaption();

  // The clock the countdown reads; the real clock unless a test puts its own.
  void SetClock(std::function<QDateTime()> clock) { clock_ = std::move(clock); }
  // One tick of the post-time countdown on the time label.
  void TickCountdown();
  QLabel* TimeLabel() const { return Lbtime_; }

  // Pair-odds view the user chose: 0 quinella, 1 wide, 2 both.
  int ViewMode() const { return s_.mainWindow.ViewMode; }
  void SetViewMode(int mode);
  // Tool-bar button 9: the next view.
  void CycleViewMode();

  // Main tool bar button by index (1..16), race tool bar button by index (1..17); nullptr for
  // the separators.
  QToolButton* ToolButton(int index) const;
  QToolButton* RaceButton(int index) const;
  QLabel* StatusPanel(int index) const;  // 1..5
  OddsArea* Odds() const { return odds_; }
  QLabel* HintLabel() const { return LbMsg_; }

  // The first-activation check for the PAT98 program (on by default); off also hides the
  // first-run hint.
  void SetFirstRunCheck(bool on);
  // The width the window needs for the whole race header and both matrices of an 18-horse race
  // with the JRDB columns (pixels, frame included).
  int FullRaceWidth() const;
  // The classic default width of the main window (9600 twips at 96 dpi).
  static constexpr int kClassicWidthPixels = 640;
  // Opens a folder as the loaded day, as opening a past data folder does.
  void OpenDataFolder(const std::filesystem::path& folder);
  // The first load of the PAT98 folder at start.
  void StartupLoad();
  // Meeting button 1..3 and race button 5..17 of the race tool bar, as a press does.
  void PressMeeting(int button);
  void PressRace(int button);
  // Tool-bar commands: prediction window, bracket view, bet list, CSV export.
  Fm98Hyo* OpenPrediction();
  Fm98Waku* OpenBracketView();
  Fm98Bet* OpenBetList();
  void ExportCsv();
  Fm98Hyo* PredictionWindow() const { return hyo_; }
  Fm98Waku* BracketWindow() const { return waku_; }
  Fm98Bet* BetWindow() const { return bet_; }
  // The day's meetings and races after a load.
  void RenderDayView();
  // The analysed race: header labels, odds area, race labels, tool-bar states.
  void RenderRace();
  // Marking patterns of the "投票" drop-down, 1..4: box, limited flow, total flow, clear.
  void ApplyPattern(int pattern);
  // A click on a cell of the odds area.
  void OddsCellClicked(const QString& panel, int row, int col);

  // Commands of the results, history, conversion, list, graph and tool features. Each feature
  // defines its commands and wires its menu items and buttons in its own source file
  // (fm98_main_<feature>.cpp), so the features stay apart.
  void ShowResults();             // 結果 button: results window of the selected race
  void ShowHistory();             // 履歴 button: the votes on the selected race
  void ShowResultsList();         // 競走成績一覧
  void ShowWarsOdds();            // FHWARSｵｯｽﾞ変換
  void ShowWarsResults();         // FHWARS成績変換
  void ShowJrdbImport();          // JRDBﾃﾞｰﾀ変換
  void ShowBatchList(int kind);   // 1 推奨穴馬一覧, 2 予想値一覧
  void ShowContest();             // FHWARSｺﾝﾃｽﾄ形式
  void ShowGraphs();              // ｸﾞﾗﾌ button
  void ShowOptions();             // ｵﾌﾟｼｮﾝ
  void ShowCheckList();           // ﾁｪｯｸ button
  void ShowBacktest();            // 回収率ﾊﾞｯｸﾃｽﾄ
  void ChooseBase();              // 基準ｽﾅｯﾌﾟｼｮｯﾄ

 signals:
  // Emitted after the view mode changed (the odds area redraws on it).
  void viewModeChanged(int mode);

 protected:
  void closeEvent(QCloseEvent* e) override;
  bool event(QEvent* e) override;
  void changeEvent(QEvent* e) override;

 private:
  void BuildMenus();
  void BuildToolbar1();
  void BuildToolbar2();
  void BuildStatusBar();
  void BuildCentre();
  void ApplyFixedHeight();
  // The width at start: the remembered one, or on a first start the full race width.
  int StartWidth() const;
  // Enables the day-wide commands (lists, results list, contest entries) while a day is loaded.
  void UpdateDayCommands();
  void ShowPat98Dialog();
  void ShowFolderDialog(FolderDialog* d);
  void ShowVersion();
  void OpenPast();
  void AfterLoad();
  void CloseAuxWindows();
  void SyncAuxWindows();
  void SetMainToolbarEnabled(bool on);
  void RenderTimeLabel();
  // Whether a race is shown (its odds area visible).
  bool RaceOnScreen() const;
  int RowHeight() const;
  // The windows the options open after a selection, in their fixed order.
  void OpenAutoWindows();
  void InstallResultsFeature();
  void InstallHistoryFeature();
  void InstallWarsOddsFeature();
  void InstallWarsResultsFeature();
  void InstallJrdbImportFeature();
  void InstallListsFeature();
  void InstallContestFeature();
  void InstallGraphFeature();
  void InstallOptionsFeature();
  void InstallCheckListFeature();
  void InstallBacktestFeature();
  void InstallSnapshotFeature();

  Session& s_;
  UserPort& port_;
  std::function<QDateTime()> clock_;
  bool firstRunCheck_ = true;
  bool firstActivationDone_ = false;

  QLabel* LbMsg_ = nullptr;
  QLabel* lblkai_ = nullptr;
  QLabel* lblrace_ = nullptr;
  QLabel* Lbltime_ = nullptr;
  QLabel* LbBase_ = nullptr;
  QLabel* Lbm_ = nullptr;
  QLabel* Lbtime_ = nullptr;
  QLabel* LbView_ = nullptr;
  QLabel* LbKaburi_ = nullptr;
  QLabel* LbDown_ = nullptr;
  QLabel* Lbjval_ = nullptr;
  class UpsetBar* PicBar_ = nullptr;
  OddsArea* odds_ = nullptr;
  QToolBar* toolbar1_ = nullptr;
  QToolBar* toolbar2_ = nullptr;
  std::map<int, QToolButton*> tool1_;
  std::map<int, QToolButton*> tool2_;
  std::map<int, QAction*> tool2Actions_;
  int seenCloseSerial_ = 0;
  std::map<int, QLabel*> panels_;
  QTimer* Timer1_ = nullptr;
  QAction* actSave_ = nullptr;
  QAction* actUpdate_ = nullptr;
  QAction* actOpenCurrent_ = nullptr;
  QAction* actOpenPast_ = nullptr;
  QPointer<QDialog> dirDialog_;
  QPointer<Fm98Hyo> hyo_;
  QPointer<Fm98Waku> waku_;
  QPointer<Fm98Bet> bet_;
};

}  // namespace tz::ui
