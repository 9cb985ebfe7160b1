// "JRDBﾃﾞｰﾀ変換": the modeless dialog that writes JRDB's data files of a day (or of every day
// in the folder) as PAT98 days and offers to open the day afterwards.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <filesystem>
#include <functional>

#include "app/user_port.h"
#include "session.h"

namespace tz::ui {

class Fm98JrdbImport : public QDialog {
  Q_OBJECT
 public:
  Fm98JrdbImport(Session& s, UserPort& port, QWidget* parent = nullptr);

  // What opening the imported day does (the main window loads it); without it DataFolder is
  // only set.
  void SetOpenFolder(std::function<void(const std::filesystem::path&)> open) { openFolder_ = std::move(open); }

  QLabel* LbJrdb() const { return LbJrdb_; }
  QLabel* LbOut() const { return LbOut_; }
  QPushButton* ComJrdb() const { return ComJrdb_; }
  QPushButton* ComOut() const { return ComOut_; }
  QCheckBox* ChkAll() const { return ChkAll_; }
  QProgressBar* ProgressBar1() const { return ProgressBar1_; }
  QPushButton* Comok() const { return Comok_; }
  QPushButton* Comcan() const { return Comcan_; }

  // "...": the folder pickers of the JRDB files and of the output folder.
  void PickJrdb();
  void PickOut();
  // OK: checks, the overwrite question, the import, the report and the offer to open the day;
  // closes after a day was imported.
  void Confirm();

 protected:
  // A close while the files are being written waits for the end of the run.
  void closeEvent(QCloseEvent* e) override;

 private:
  Session& s_;
  UserPort& port_;
  std::function<void(const std::filesystem::path&)> openFolder_;
  QLabel* LbJrdb_;
  QLabel* LbOut_;
  QPushButton* ComJrdb_;
  QPushButton* ComOut_;
  QCheckBox* ChkAll_;
  QProgressBar* ProgressBar1_;
  QPushButton* Comok_;
  QPushButton* Comcan_;
  bool running_ = false;
};

}  // namespace tz::ui
