// Dialogs that run a long job while the window keeps processing events: they stay open until
// the run is over, and those that write days can open the day written.
#pragma once

#include <QDialog>
#include <QDialogButtonBox>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <filesystem>
#include <functional>

#include "app/user_port.h"
#include "progress_port.h"
#include "session.h"

namespace tz::ui {

// A dialog that stays open while its run is going on: the close box, Escape and ｷｬﾝｾﾙ wait
// for the end of the run.
class GuardedDialog : public QDialog {
  Q_OBJECT
 public:
  using QDialog::QDialog;

 protected:
  // Whether a run is going on.
  virtual bool Busy() const = 0;
  void closeEvent(QCloseEvent* e) override;
  void reject() override;
};

// The modeless dialog of a run that writes days (the forum-log conversions, the JRDB import):
// OK runs it with a progress bar, the buttons waiting until it is over; afterwards the dialog
// can open the folder written as the day.
class DayWriterDialog : public GuardedDialog {
  Q_OBJECT
 public:
  // What opening the written folder does (the main window loads it as the day); without it
  // DataFolder is only set.
  void SetOpenFolder(std::function<void(const std::filesystem::path&)> open) {
    openFolder_ = std::move(open);
  }

  QProgressBar* ProgressBar1() const { return ProgressBar1_; }
  QPushButton* Comok() const { return Comok_; }
  QPushButton* Comcan() const { return Comcan_; }

 protected:
  DayWriterDialog(Session& s, UserPort& port, QWidget* parent);

  bool Busy() const override { return running_; }
  // Adds the hidden progress bar and the button row below it to `lay`: OK ("Comok"), which
  // the dialog connects to its run, and ｷｬﾝｾﾙ ("Comcan"), which closes. Returns the row, for
  // further buttons.
  QDialogButtonBox* AddRunButtons(QVBoxLayout* lay);

  // Runs `run` with a port whose steps move the progress bar (`withoutTotal` says what a step
  // without a total does); the buttons are disabled until it returns. Returns what `run`
  // returns.
  template <typename Run>
  auto RunWithProgress(ProgressBarPort::WithoutTotal withoutTotal, Run run) {
    SetRunning(true);
    ProgressBarPort progress(port_, ProgressBar1_, withoutTotal);
    ProgressBar1_->setValue(0);
    auto result = run(static_cast<UserPort&>(progress));
    ProgressBar1_->hide();
    SetRunning(false);
    return result;
  }

  // Opens `folder` as the day, or only names it as DataFolder (see SetOpenFolder).
  void OpenFolder(const std::filesystem::path& folder);

  Session& s_;
  UserPort& port_;

 private:
  void SetRunning(bool running);

  std::function<void(const std::filesystem::path&)> openFolder_;
  QProgressBar* ProgressBar1_ = nullptr;
  QPushButton* Comok_ = nullptr;
  QPushButton* Comcan_ = nullptr;
  bool running_ = false;
};

// Shows the day writer `Dialog` beside `main`, one at a time: an open one comes to the front,
// else a new one opens without blocking the main window and opens the day written with `open`.
template <typename Dialog>
void ShowDayWriter(QWidget* main, Session& s, UserPort& port,
                   std::function<void(const std::filesystem::path&)> open) {
  if (auto* d = main->findChild<Dialog*>()) {
    d->show();
    d->raise();
    d->activateWindow();
    return;
  }
  auto* d = new Dialog(s, port, main);
  d->setAttribute(Qt::WA_DeleteOnClose);
  d->SetOpenFolder(std::move(open));
  d->show();
}

}  // namespace tz::ui
