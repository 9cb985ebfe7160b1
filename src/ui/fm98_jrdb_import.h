// "JRDBﾃﾞｰﾀ変換": the modeless dialog that writes JRDB's data files of a day (or of every day
// in the folder) as PAT98 days and offers to open the day afterwards. It stays open while the
// files are being written.
#pragma once

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include "app/user_port.h"
#include "run_dialog.h"
#include "session.h"

namespace tz::ui {

class Fm98JrdbImport : public DayWriterDialog {
  Q_OBJECT
 public:
  Fm98JrdbImport(Session& s, UserPort& port, QWidget* parent = nullptr);

  QLabel* LbJrdb() const { return LbJrdb_; }
  QLabel* LbOut() const { return LbOut_; }
  QPushButton* ComJrdb() const { return ComJrdb_; }
  QPushButton* ComOut() const { return ComOut_; }
  QCheckBox* ChkAll() const { return ChkAll_; }

  // "...": the folder pickers of the JRDB files and of the output folder.
  void PickJrdb();
  void PickOut();
  // OK: checks, the overwrite question, the import, the report and the offer to open the day;
  // closes after a day was imported.
  void Confirm();

 private:
  QLabel* LbJrdb_;
  QLabel* LbOut_;
  QPushButton* ComJrdb_;
  QPushButton* ComOut_;
  QCheckBox* ChkAll_;
};

}  // namespace tz::ui
