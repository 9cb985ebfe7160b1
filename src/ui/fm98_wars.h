// "FHWARSｵｯｽﾞ変換": the modeless dialog that converts a saved FHWARS odds log into race-card,
// odds and quinella/wide files and can open the receiving folder as the loaded day afterwards.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <filesystem>
#include <functional>

#include "app/user_port.h"
#include "session.h"

namespace tz::ui {

class Fm98Wars : public QDialog {
  Q_OBJECT
 public:
  Fm98Wars(Session& s, UserPort& port, QWidget* parent = nullptr);

  // What opening the receiving folder does after a conversion (the main window loads it as the
  // day); without it DataFolder is only set.
  void SetOpenFolder(std::function<void(const std::filesystem::path&)> open) {
    openFolder_ = std::move(open);
  }

  QLabel* Lbtext() const { return Lbtext_; }
  QLabel* LbFile() const { return LbFile_; }
  QLineEdit* LbDir() const { return LbDir_; }
  QPushButton* Com3() const { return Com3_; }
  QPushButton* Com2() const { return Com2_; }
  QRadioButton* Option1(int index) const { return index == 1 ? overwrite_ : keep_; }
  QCheckBox* Check1() const { return Check1_; }
  QProgressBar* ProgressBar1() const { return ProgressBar1_; }
  QPushButton* Comok() const { return Comok_; }
  QPushButton* Comcan() const { return Comcan_; }
  QPushButton* Command1() const { return Command1_; }

  // "..." beside the log: the shared file picker.
  void PickLog();
  // "..." beside the receiving folder: offers to create a folder that is typed but missing,
  // otherwise the folder picker.
  void PickFolder();
  // OK: checks, asks, converts, tells the count; closes after a conversion of at least one
  // posting, opening the receiving folder when Check1 is ticked.
  void Confirm();
  // ﾍﾙﾌﾟ: the help window, modal.
  void ShowHelp();

 protected:
  // A close while the log is being converted waits for the end of the run.
  void closeEvent(QCloseEvent* e) override;

 private:
  Session& s_;
  UserPort& port_;
  std::function<void(const std::filesystem::path&)> openFolder_;
  QLabel* Lbtext_;
  QLabel* LbFile_;
  QLineEdit* LbDir_;
  QPushButton* Com3_;
  QPushButton* Com2_;
  QRadioButton* overwrite_;
  QRadioButton* keep_;
  QCheckBox* Check1_;
  QProgressBar* ProgressBar1_;
  QPushButton* Comok_;
  QPushButton* Comcan_;
  QPushButton* Command1_;
  bool running_ = false;
};

}  // namespace tz::ui
