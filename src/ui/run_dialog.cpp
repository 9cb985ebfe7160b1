#include "run_dialog.h"

#include <QCloseEvent>

#include "dialog_buttons.h"

namespace tz::ui {

void GuardedDialog::closeEvent(QCloseEvent* e) {
  if (Busy()) {
    e->ignore();
    return;
  }
  QDialog::closeEvent(e);
}

void GuardedDialog::reject() {
  if (Busy()) return;
  QDialog::reject();
}

DayWriterDialog::DayWriterDialog(Session& s, UserPort& port, QWidget* parent)
    : GuardedDialog(parent), s_(s), port_(port) {
  setModal(false);
}

QDialogButtonBox* DayWriterDialog::AddRunButtons(QVBoxLayout* lay) {
  ProgressBar1_ = new QProgressBar(this);
  ProgressBar1_->setObjectName("ProgressBar1");
  ProgressBar1_->setRange(0, 100);
  ProgressBar1_->setValue(0);
  ProgressBar1_->hide();
  lay->addWidget(ProgressBar1_);

  DialogButtons buttons = MakeDialogButtons(this, "Comok", "Comcan");
  Comok_ = buttons.ok;
  Comcan_ = buttons.cancel;
  lay->addWidget(buttons.box);
  connect(Comcan_, &QPushButton::clicked, this, &QDialog::close);
  return buttons.box;
}

void DayWriterDialog::SetRunning(bool running) {
  running_ = running;
  Comok_->setEnabled(!running);
  Comcan_->setEnabled(!running);
}

void DayWriterDialog::OpenFolder(const std::filesystem::path& folder) {
  if (openFolder_) {
    openFolder_(folder);
  } else {
    s_.app.DataFolder = folder;
  }
}

}  // namespace tz::ui
