#include "fm98_jrdb_import.h"

#include <QCloseEvent>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "dialog_buttons.h"
#include "fm98_folders.h"
#include "jrdb/jrdb_import.h"
#include "progress_port.h"
#include "qt_user_port.h"
#include "wars_dialog_parts.h"

namespace tz::ui {

namespace {

// A framed folder label with its "..." button.
QPushButton* FolderRow(QVBoxLayout* lay, QWidget* parent, const char* caption, QLabel*& label,
                       const std::string& text, const char* labelName, const char* buttonName) {
  auto* frame = new QGroupBox(ToQ(caption), parent);
  auto* row = new QHBoxLayout(frame);
  label = ConversionPathLabel(text, labelName, frame);
  auto* pick = new QPushButton("...", frame);
  pick->setObjectName(buttonName);
  pick->setFixedWidth(32);
  row->addWidget(label, 1);
  row->addWidget(pick);
  lay->addWidget(frame);
  return pick;
}

}  // namespace

Fm98JrdbImport::Fm98JrdbImport(Session& s, UserPort& port, QWidget* parent)
    : QDialog(parent), s_(s), port_(port) {
  setObjectName("Fm98JrdbImport");
  setWindowTitle(ToQ(jrdb::kJrdbImportCaption));
  setModal(false);
  auto* lay = new QVBoxLayout(this);
  ComJrdb_ = FolderRow(lay, this, "JRDBﾃﾞｰﾀﾌｧｲﾙのﾌｫﾙﾀﾞ", LbJrdb_, s.app.settings.OZpath, "LbJrdb",
                       "ComJrdb");
  ComOut_ = FolderRow(lay, this, "変換先ﾌｫﾙﾀﾞ", LbOut_, "", "LbOut", "ComOut");

  ChkAll_ = new QCheckBox(ToQ("ﾌｫﾙﾀﾞの全日付を変換 (TZNAﾌｫﾙﾀﾞに日付別のﾌｫﾙﾀﾞを作成)"), this);
  ChkAll_->setObjectName("ChkAll");
  lay->addWidget(ChkAll_);

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

  connect(ComJrdb_, &QPushButton::clicked, this, &Fm98JrdbImport::PickJrdb);
  connect(ComOut_, &QPushButton::clicked, this, &Fm98JrdbImport::PickOut);
  // A season goes into the dated folders of the store.
  connect(ChkAll_, &QCheckBox::toggled, this, [this](bool all) {
    if (all) LbOut_->setText(QDir::toNativeSeparators(ToQ(s_.app.StoreRoot.string())));
    ComOut_->setEnabled(!all);
  });
  connect(Comok_, &QPushButton::clicked, this, &Fm98JrdbImport::Confirm);
  connect(Comcan_, &QPushButton::clicked, this, &QDialog::close);
}

void Fm98JrdbImport::PickJrdb() {
  QString start = PickerStartFolder(FolderPurpose::Jrdb, LbJrdb_->text(), s_.app);
  QString chosen = Fm98Path()(this, ToQ("ﾌｫﾙﾀﾞの指定"), start);
  if (!chosen.isEmpty()) LbJrdb_->setText(QDir::toNativeSeparators(chosen));
}

void Fm98JrdbImport::PickOut() {
  QString start = PickerStartFolder(FolderPurpose::WarsOdds, LbOut_->text(), s_.app);
  QString chosen = Fm98Path()(this, ToQ("ﾌｫﾙﾀﾞの指定"), start);
  if (!chosen.isEmpty()) LbOut_->setText(QDir::toNativeSeparators(chosen));
}

void Fm98JrdbImport::Confirm() {
  if (running_) return;
  // The window processes events while writing: the buttons wait until the run is over.
  running_ = true;
  Comok_->setEnabled(false);
  Comcan_->setEnabled(false);
  ProgressBarPort port(port_, ProgressBar1_, ProgressBarPort::WithoutTotal::Hide);
  jrdb::JrdbImportRun run = jrdb::RunJrdbImport(s_, port, FromQ(LbJrdb_->text()),
                                                FromQ(LbOut_->text()), ChkAll_->isChecked());
  ProgressBar1_->hide();
  running_ = false;
  Comok_->setEnabled(true);
  Comcan_->setEnabled(true);

  if (!run.imported) return;
  if (run.openDay) {
    if (openFolder_) {
      openFolder_(run.dayFolder);
    } else {
      s_.app.DataFolder = run.dayFolder;
    }
  }
  close();
}

void Fm98JrdbImport::closeEvent(QCloseEvent* e) {
  if (running_) {
    e->ignore();
    return;
  }
  QDialog::closeEvent(e);
}

}  // namespace tz::ui
