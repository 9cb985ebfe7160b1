#include "conversion_dialog.h"

#include <QButtonGroup>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "fhwars/forum_log.h"
#include "fm98_file.h"
#include "fm98_small.h"
#include "qt_user_port.h"

namespace tz::ui {

ConversionDialog::ConversionDialog(Session& s, UserPort& port, ConversionDialogKind kind,
                                   QWidget* parent)
    : DayWriterDialog(s, port, parent), kind_(std::move(kind)) {
  setObjectName(kind_.objectName);
  setWindowTitle(ToQ(kind_.title));
  const Settings& set = s.app.settings;
  auto* lay = new QVBoxLayout(this);

  auto* textFrame = new QGroupBox(ToQ("ﾃｷｽﾄﾌｧｲﾙ (17番会議室ﾛｸﾞ)"), this);
  auto* textGrid = new QGridLayout(textFrame);
  Lbtext_ = PathLabel(ToQ(set.Txtpath), "Lbtext", textFrame);
  LbFile_ = PathLabel(ToQ(set.*kind_.logFile), "LbFile", textFrame);
  Com3_ = MakePickButton("Com3", textFrame);
  textGrid->addWidget(Lbtext_, 0, 0, 1, 2);
  textGrid->addWidget(Com3_, 0, 2);
  textGrid->addWidget(new QLabel(ToQ(kind_.fileCaption), textFrame), 1, 0);
  textGrid->addWidget(LbFile_, 1, 1);
  textGrid->setColumnStretch(1, 1);
  lay->addWidget(textFrame);

  auto* dirFrame = new QGroupBox(ToQ(kind_.folderCaption), this);
  auto* dirRow = new QHBoxLayout(dirFrame);
  folder_ = new QLineEdit(ToQ(set.Cnvpath), dirFrame);
  folder_->setObjectName(kind_.folderName);
  folder_->setMinimumWidth(320);
  folder_->setReadOnly(!kind_.typedFolder);
  Com2_ = MakePickButton("Com2", dirFrame);
  dirRow->addWidget(folder_, 1);
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

  QDialogButtonBox* buttons = AddRunButtons(lay);
  if (!kind_.helpCaption.empty()) {
    Command1_ = buttons->addButton(ToQ("ﾍﾙﾌﾟ"), QDialogButtonBox::HelpRole);
    Command1_->setObjectName("Command1");
    connect(Command1_, &QPushButton::clicked, this, &ConversionDialog::ShowHelp);
  }

  connect(Com3_, &QPushButton::clicked, this, &ConversionDialog::PickLog);
  connect(Com2_, &QPushButton::clicked, this, &ConversionDialog::PickFolder);
  connect(Comok(), &QPushButton::clicked, this, &ConversionDialog::Confirm);
}

void ConversionDialog::PickLog() {
  std::optional<PickedFile> f = Fm98File()(this, s_, FilePickerStartFolder(Lbtext_->text()));
  if (!f) return;
  Lbtext_->setText(f->folder);
  LbFile_->setText(f->file);
}

void ConversionDialog::PickFolder() {
  const QString shown = folder_->text();
  if (kind_.typedFolder && !shown.isEmpty() && !QFileInfo(shown).isDir()) {
    // A folder typed in but missing is made on request, and the click ends there.
    if (OfferToCreateConvertFolder(s_.app, port_, std::filesystem::path(FromQ(shown)))) return;
  }
  const QString chosen = ChooseFolder(this, kind_.purpose, shown, s_.app);
  if (!chosen.isEmpty()) folder_->setText(chosen);
}

void ConversionDialog::ShowHelp() {
  Fm98Help help(this);
  help.setWindowTitle(ToQ(kind_.helpCaption));
  help.SetHelpText(ToQ(kind_.helpText));
  help.exec();
}

void ConversionDialog::Confirm() {
  if (Busy()) return;
  Settings& set = s_.app.settings;
  set.Txtpath = FromQ(Lbtext_->text());
  set.*kind_.logFile = FromQ(LbFile_->text());
  set.Cnvpath = FromQ(folder_->text());

  const Outcome outcome = RunWithProgress(kind_.withoutTotal, [this](UserPort& progress) {
    return Convert(progress, overwrite_->isChecked(), Check1_->isChecked());
  });
  if (!outcome.close) return;
  if (outcome.openFolder) OpenFolder(set.Cnvpath);
  close();
}

}  // namespace tz::ui
