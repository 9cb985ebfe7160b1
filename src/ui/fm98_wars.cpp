#include "fm98_wars.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "fhwars/odds_log.h"
#include "fm98_file.h"
#include "fm98_folders.h"
#include "fm98_small.h"
#include "progress_port.h"
#include "qt_user_port.h"
#include "wars_dialog_parts.h"

namespace tz::ui {

Fm98Wars::Fm98Wars(Session& s, UserPort& port, QWidget* parent)
    : QDialog(parent), s_(s), port_(port) {
  setObjectName("Fm98Wars");
  setWindowTitle(ToQ(kWarsOddsCaption));
  setModal(false);
  const Settings& set = s.app.settings;
  auto* lay = new QVBoxLayout(this);

  auto* textFrame = new QGroupBox(ToQ("ﾃｷｽﾄﾌｧｲﾙ (17番会議室ﾛｸﾞ)"), this);
  auto* textGrid = new QGridLayout(textFrame);
  Lbtext_ = ConversionPathLabel(set.Txtpath, "Lbtext", textFrame);
  LbFile_ = ConversionPathLabel(set.Txtfile, "LbFile", textFrame);
  Com3_ = new QPushButton("...", textFrame);
  Com3_->setObjectName("Com3");
  Com3_->setFixedWidth(32);
  textGrid->addWidget(Lbtext_, 0, 0, 1, 2);
  textGrid->addWidget(Com3_, 0, 2);
  textGrid->addWidget(new QLabel(ToQ("ｵｯｽﾞﾌｧｲﾙ名"), textFrame), 1, 0);
  textGrid->addWidget(LbFile_, 1, 1);
  textGrid->setColumnStretch(1, 1);
  lay->addWidget(textFrame);

  auto* dirFrame = new QGroupBox(ToQ("擬似ｵｯｽﾞﾌｧｲﾙ格納ﾌｫﾙﾀﾞ"), this);
  auto* dirRow = new QHBoxLayout(dirFrame);
  LbDir_ = new QLineEdit(ToQ(set.Cnvpath), dirFrame);
  LbDir_->setObjectName("LbDir");
  LbDir_->setMinimumWidth(320);
  Com2_ = new QPushButton("...", dirFrame);
  Com2_->setObjectName("Com2");
  Com2_->setFixedWidth(32);
  dirRow->addWidget(LbDir_, 1);
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
  Command1_ = new QPushButton(ToQ("ﾍﾙﾌﾟ"), this);
  Command1_->setObjectName("Command1");
  Comok_ = new QPushButton("OK", this);
  Comok_->setObjectName("Comok");
  Comok_->setDefault(true);
  Comcan_ = new QPushButton(ToQ("ｷｬﾝｾﾙ"), this);
  Comcan_->setObjectName("Comcan");
  buttons->addWidget(Command1_);
  buttons->addStretch(1);
  buttons->addWidget(Comok_);
  buttons->addWidget(Comcan_);
  lay->addLayout(buttons);

  connect(Com3_, &QPushButton::clicked, this, &Fm98Wars::PickLog);
  connect(Com2_, &QPushButton::clicked, this, &Fm98Wars::PickFolder);
  connect(Comok_, &QPushButton::clicked, this, &Fm98Wars::Confirm);
  connect(Comcan_, &QPushButton::clicked, this, &QDialog::close);
  connect(Command1_, &QPushButton::clicked, this, &Fm98Wars::ShowHelp);
}

void Fm98Wars::PickLog() {
  std::optional<PickedFile> f = Fm98File()(this, s_, FilePickerStartFolder(Lbtext_->text()));
  if (!f) return;
  Lbtext_->setText(f->folder);
  LbFile_->setText(f->file);
}

void Fm98Wars::PickFolder() {
  const QString shown = LbDir_->text();
  if (!shown.isEmpty() && !QFileInfo(shown).isDir()) {
    // A folder typed in but missing is made on request, and the click ends there.
    if (OfferToCreateConvertFolder(s_, port_, std::filesystem::path(FromQ(shown)))) return;
  }
  QString start = PickerStartFolder(FolderPurpose::WarsOdds, shown, s_.app);
  QString chosen = Fm98Path()(this, ToQ("ﾌｫﾙﾀﾞの指定"), start);
  if (!chosen.isEmpty()) LbDir_->setText(QDir::toNativeSeparators(chosen));
}

void Fm98Wars::ShowHelp() {
  Fm98Help help(this);
  help.setWindowTitle(ToQ(kWarsOddsHelpCaption));
  help.SetHelpText(ToQ(WarsOddsHelpText()));
  help.exec();
}

void Fm98Wars::Confirm() {
  if (running_) return;
  Settings& set = s_.app.settings;
  set.Txtpath = FromQ(Lbtext_->text());
  set.Txtfile = FromQ(LbFile_->text());
  set.Cnvpath = FromQ(LbDir_->text());

  // The window processes events while converting: the buttons wait until the run is over.
  running_ = true;
  Comok_->setEnabled(false);
  Comcan_->setEnabled(false);
  ProgressBarPort port(port_, ProgressBar1_, ProgressBarPort::WithoutTotal::Hide);
  ProgressBar1_->setValue(0);
  WarsOddsRun run = RunWarsOddsConversion(s_, port, overwrite_->isChecked(), Check1_->isChecked());
  ProgressBar1_->hide();
  running_ = false;
  Comok_->setEnabled(true);
  Comcan_->setEnabled(true);

  if (!run.closeDialog) return;
  if (run.loadFolder) {
    std::filesystem::path folder = set.Cnvpath;
    if (openFolder_) {
      openFolder_(folder);
    } else {
      s_.app.DataFolder = folder;
    }
  }
  close();
}

void Fm98Wars::closeEvent(QCloseEvent* e) {
  if (running_) {
    e->ignore();
    return;
  }
  QDialog::closeEvent(e);
}

}  // namespace tz::ui
