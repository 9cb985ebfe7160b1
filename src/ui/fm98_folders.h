// The folder dialogs of the settings (PAT98 folder, bet folder, export folder, JRDB folder),
// the shared folder picker, and the two ways of opening a past data folder.
#pragma once

#include <QBoxLayout>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <functional>
#include <vector>

#include "session.h"

namespace tz::ui {

// Which dialog asked the shared folder picker; decides its start folder.
enum class FolderPurpose { Pat98 = 1, Bet = 2, WarsOdds = 3, WarsResults = 4, Csv = 5, Jrdb = 6 };

// The folder the picker starts in: the PAT98 dialog starts at the folder it shows; the bet and
// export dialogs at the shown folder when it exists, else the PAT98 folder; the others at the
// shown folder when it exists, else the current folder.
QString PickerStartFolder(FolderPurpose purpose, const QString& shown, const AppState& app);

// The shared folder picker ("ﾌｫﾙﾀﾞの指定"): returns the chosen folder, empty when cancelled.
// Replaceable so that tests can answer it.
using FolderPicker = std::function<QString(QWidget* parent, const QString& caption,
                                           const QString& start)>;
FolderPicker& Fm98Path();
// The shared picker at the start folder of `purpose` for the folder `shown`: the chosen folder
// with the system's separators, empty when cancelled.
QString ChooseFolder(QWidget* parent, FolderPurpose purpose, const QString& shown, const AppState& app);

// A framed label showing a folder or file name.
QLabel* PathLabel(const QString& text, const char* name, QWidget* parent);
// The "..." button beside a path label.
QPushButton* MakePickButton(const char* name, QWidget* parent);
// A frame captioned `caption` with a path label (`labelName`, showing `text`) and its "..."
// button (`buttonName`), added to `lay`. Returns the button and sets `label`.
QPushButton* AddFolderRow(QBoxLayout* lay, QWidget* parent, const QString& caption, QLabel*& label,
                          const QString& text, const char* labelName, const char* buttonName);

// One folder setting: a frame with the folder label, "..." for the picker, OK and Cancel.
class FolderDialog : public QDialog {
  Q_OBJECT
 public:
  FolderDialog(Session& s, FolderPurpose purpose, QWidget* parent = nullptr);
  QLabel* FolderLabel() const { return label_; }
  QPushButton* PickButton() const { return pick_; }
  QPushButton* OkButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }
  QPushButton* SampleButton() const { return sample_; }
  // "...": opens the picker at its start folder and shows its choice.
  void Pick();
  // The sample day offered by "サンプルデータを開く"; an empty folder hides that button.
  void SetSampleDay(const QString& folder);

 signals:
  // OK on the PAT98 folder dialog: the main window applies the folder and reloads the day.
  void pat98FolderConfirmed(const QString& folder);
  // "サンプルデータを開く": the main window opens the sample day as the loaded day, as opening
  // a past data folder does; the PAT98 folder stays as it is.
  void sampleDayChosen(const QString& folder);

 private:
  void Confirm();
  void OpenSample();
  Session& s_;
  FolderPurpose purpose_;
  QLabel* label_;
  QPushButton* pick_;
  QPushButton* ok_;
  QPushButton* cancel_;
  QPushButton* sample_;
  QString sampleDay_;
};

// "PAT98設定", "送出ﾌｫﾙﾀﾞ", ".CSV.TXT ﾌｧｲﾙ", "JRDB基準ｵｯｽﾞ". While the PAT98 folder holds no
// PAT98 program, "PAT98設定" also offers the sample day installed with the program.
FolderDialog* MakeFm98Dir(Session& s, QWidget* parent);
FolderDialog* MakeFm98Pbet(Session& s, QWidget* parent);
FolderDialog* MakeFm98CSV(Session& s, QWidget* parent);
FolderDialog* MakeFm98JRDB(Session& s, QWidget* parent);

// Folder list of the store folder ("過去のﾃﾞｰﾀを開く [TZNAﾌｫﾙﾀﾞ]"), names in the order given,
// the first preselected. Accepted: SelectedName() is the chosen name (empty for an empty list).
class Fm98Open : public QDialog {
  Q_OBJECT
 public:
  Fm98Open(const std::vector<std::string>& names, QWidget* parent = nullptr);
  QString SelectedName() const;
  QListWidget* List() const { return list_; }

 private:
  QListWidget* list_;
};

}  // namespace tz::ui
