// The forum-log conversion dialogs ("FHWARSｵｯｽﾞ変換", "FHWARS成績変換") are one dialog: the log
// (folder and file name with "..."), the receiving folder with "...", the overwrite choice,
// "open the folder afterwards", a progress bar, OK and ｷｬﾝｾﾙ, and optionally ﾍﾙﾌﾟ; it stays
// open while the log is being converted. Each conversion says what differs in a `ConversionDialogKind` and runs its conversion in `Convert`.
#pragma once

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <string>

#include "app/user_port.h"
#include "fm98_folders.h"
#include "progress_port.h"
#include "run_dialog.h"
#include "session.h"

namespace tz::ui {

struct ConversionDialogKind {
  const char* objectName;         // "Fm98Wars", "Fm98WarsK"
  std::string title;              // window caption
  std::string Settings::*logFile;  // the settings key of the log's file name
  const char* fileCaption;        // caption of the file-name label
  const char* folderCaption;      // caption of the receiving folder's frame
  const char* folderName;         // object name of the receiving folder's field
  FolderPurpose purpose;          // where the folder picker starts
  ProgressBarPort::WithoutTotal withoutTotal;  // what a step without a total does to the bar
  // A folder typed in but missing is offered for creation by "..." (the field is editable);
  // otherwise the field only shows what the picker chose.
  bool typedFolder = false;
  std::string helpCaption;  // with a ﾍﾙﾌﾟ button when not empty
  std::string helpText;
};

class ConversionDialog : public DayWriterDialog {
  Q_OBJECT
 public:
  QLabel* Lbtext() const { return Lbtext_; }
  QLabel* LbFile() const { return LbFile_; }
  QLineEdit* Folder() const { return folder_; }
  QPushButton* Com3() const { return Com3_; }
  QPushButton* Com2() const { return Com2_; }
  QRadioButton* Option1(int index) const { return index == 1 ? overwrite_ : keep_; }
  QCheckBox* Check1() const { return Check1_; }
  QPushButton* Command1() const { return Command1_; }  // null without help

  // "..." beside the log: the shared file picker.
  void PickLog();
  // "..." beside the receiving folder: the folder picker (first offering to create a typed but
  // missing folder, where the field is editable).
  void PickFolder();
  // OK: keeps the paths in the settings, converts, then closes when the conversion says so,
  // opening the receiving folder when asked.
  void Confirm();
  // ﾍﾙﾌﾟ: the help window, modal.
  void ShowHelp();

 protected:
  ConversionDialog(Session& s, UserPort& port, ConversionDialogKind kind, QWidget* parent);

  struct Outcome {
    bool close = false;       // the dialog closes
    bool openFolder = false;  // the receiving folder opens as the day
  };
  // Runs the conversion with the paths already in the settings.
  virtual Outcome Convert(UserPort& progress, bool overwrite, bool openAfter) = 0;

 private:
  ConversionDialogKind kind_;
  QLabel* Lbtext_;
  QLabel* LbFile_;
  QLineEdit* folder_;
  QPushButton* Com3_;
  QPushButton* Com2_;
  QRadioButton* overwrite_;
  QRadioButton* keep_;
  QCheckBox* Check1_;
  QPushButton* Command1_ = nullptr;
};

}  // namespace tz::ui
