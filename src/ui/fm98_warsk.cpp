#include "fm98_warsk.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "fhwars/results_log.h"
#include "fm98_file.h"
#include "fm98_folders.h"
#include "progress_port.h"
#include "qt_user_port.h"
#include "wars_dialog_parts.h"

namespace tz::ui {

Fm98WarsK::Fm98WarsK(Session& s, UserPort& port, QWidget* parent)
    : QDialog(parent), s_(s), port_(port) {
  setObjectName("Fm98WarsK");
  setWindowTitle(ToQ(kWarsResultsTitle));
  setModal(false);
  const Settings& set = s.app.settings;
  auto* lay = new QVBoxLayout(this);

  auto* textFrame = new QGroupBox(ToQ("ﾃｷｽﾄﾌｧｲﾙ (17番会議室ﾛｸﾞ)"), this);
  auto* textGrid = new QGridLayout(textFrame);
  Lbtext_ = ConversionPathLabel(set.Txtpath, "Lbtext", textFrame);
  LbFile_ = ConversionPathLabel(set.Tksfile, "LbFile", textFrame);
  Com3_ = new QPushButton("...", textFrame);
  Com3_->setObjectName("Com3");
  Com3_->setFixedWidth(32);
  textGrid->addWidget(Lbtext_, 0, 0, 1, 2);
  textGrid->addWidget(Com3_, 0, 2);
  textGrid->addWidget(new QLabel(ToQ("成績ﾌｧｲﾙ名"), textFrame), 1, 0);
  textGrid->addWidget(LbFile_, 1, 1);
  textGrid->setColumnStretch(1, 1);
  lay->addWidget(textFrame);

  auto* dirFrame = new QGroupBox(ToQ("擬似成績ﾌｧｲﾙ格納ﾌｫﾙﾀﾞ"), this);
  auto* dirRow = new QHBoxLayout(dirFrame);
  Lbdir_ = ConversionPathLabel(set.Cnvpath, "Lbdir", dirFrame);
  Com2_ = new QPushButton("...", dirFrame);
  Com2_->setObjectName("Com2");
  Com2_->setFixedWidth(32);
  dirRow->addWidget(Lbdir_, 1);
  dirRow->addWidget(Com2_);
  lay->addWidget(dirFrame);

  auto* overwriteFrame = new QGroupBox(ToQ("同一名ﾌｧｲﾙの上書き"), this);
  auto* optRow = new QHBoxLayout(overwriteFrame);
  overwrite_ = new QRadioButton(ToQ("する"), overwriteFrame);
  overwrite_->setObjectName("Option1_1");
  keep_ = new QRadioButton(ToQ("しない"), overwriteFrame);
  keep_->setObjectName("Option1_0");
  auto* group = new QButtonGroup(this);
  group->addButton(keep_, 0);
  group->addButton(overwrite_, 1);
  keep_->setChecked(true);
  optRow->addWidget(overwrite_);
  optRow->addWidget(keep_);
  optRow->addStretch(1);
  lay->addWidget(overwriteFrame);

  Check1_ = new QCheckBox(ToQ("変換終了後に格納ﾌｫﾙﾀﾞを開く"), this);
  Check1_->setObjectName("Check1");
  Check1_->setChecked(true);
  lay->addWidget(Check1_);

  ProgressBar1_ = new QProgressBar(this);
  ProgressBar1_->setObjectName("ProgressBar1");
  ProgressBar1_->setRange(0, 100);
  ProgressBar1_->setValue(0);
  ProgressBar1_->hide();
  lay->addWidget(ProgressBar1_);

  auto* buttons = new QHBoxLayout;
  Comok_ = new QPushButton("OK", this);
  Comok_->setObjectName("Comok");
  Comok_->setDefault(true);
  Comcan_ = new QPushButton(ToQ("ｷｬﾝｾﾙ"), this);
  Comcan_->setObjectName("Comcan");
  buttons->addStretch(1);
  buttons->addWidget(Comok_);
  buttons->addWidget(Comcan_);
  lay->addLayout(buttons);

  connect(Com3_, &QPushButton::clicked, this, &Fm98WarsK::PickLog);
  connect(Com2_, &QPushButton::clicked, this, &Fm98WarsK::PickFolder);
  connect(Comok_, &QPushButton::clicked, this, &Fm98WarsK::Confirm);
  connect(Comcan_, &QPushButton::clicked, this, &QDialog::close);
}

void Fm98WarsK::PickLog() {
  std::optional<PickedFile> f = Fm98File()(this, s_, FilePickerStartFolder(Lbtext_->text()));
  if (!f) return;
  Lbtext_->setText(f->folder);
  LbFile_->setText(f->file);
}

void Fm98WarsK::PickFolder() {
  QString start = PickerStartFolder(FolderPurpose::WarsResults, Lbdir_->text(), s_.app);
  QString chosen = Fm98Path()(this, ToQ("ﾌｫﾙﾀﾞの指定"), start);
  if (!chosen.isEmpty()) Lbdir_->setText(QDir::toNativeSeparators(chosen));
}

void Fm98WarsK::Confirm() {
  if (running_) return;
  Settings& set = s_.app.settings;
  set.Txtpath = FromQ(Lbtext_->text());
  set.Tksfile = FromQ(LbFile_->text());
  set.Cnvpath = FromQ(Lbdir_->text());

  // The window processes events while converting: the buttons wait until the run is over.
  running_ = true;
  Comok_->setEnabled(false);
  Comcan_->setEnabled(false);
  ProgressBarPort port(port_, ProgressBar1_, ProgressBarPort::WithoutTotal::Zero);
  ProgressBar1_->setValue(0);
  std::optional<int> count = RunResultsLogConversion(s_, port, overwrite_->isChecked());
  ProgressBar1_->hide();
  running_ = false;
  Comok_->setEnabled(true);
  Comcan_->setEnabled(true);

  if (!count || *count <= 0) return;
  if (Check1_->isChecked()) {
    std::filesystem::path folder = set.Cnvpath;
    if (openFolder_) {
      openFolder_(folder);
    } else {
      s_.app.DataFolder = folder;
    }
  }
  close();
}

void Fm98WarsK::closeEvent(QCloseEvent* e) {
  if (running_) {
    e->ignore();
    return;
  }
  QDialog::closeEvent(e);
}

}  // namespace tz::ui
