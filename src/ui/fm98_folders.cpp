#include "fm98_folders.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "app/startup.h"
#include "dialog_buttons.h"
#include "qt_user_port.h"
#include "tazuna98_build_info.h"

namespace tz::ui {

namespace {

bool IsFolder(const QString& path) { return !path.isEmpty() && QFileInfo(path).isDir(); }

QString DefaultPicker(QWidget* parent, const QString& caption, const QString& start) {
  return QFileDialog::getExistingDirectory(parent, caption, start,
                                           QFileDialog::ShowDirsOnly);
}

struct DialogText {
  const char* objectName;
  const char* caption;
  const char* frame;
  const char* labelName;
};

DialogText TextsOf(FolderPurpose p) {
  switch (p) {
    case FolderPurpose::Pat98: return {"Fm98Dir", "PAT98設定", "PAT98ｲﾝｽﾄｰﾙﾌｫﾙﾀﾞ", "Lbpat"};
    case FolderPurpose::Bet: return {"Fm98Pbet", "送出ﾌｫﾙﾀﾞ", "BETﾌｧｲﾙ送出ﾌｫﾙﾀﾞ", "lbbet"};
    case FolderPurpose::Csv: return {"Fm98CSV", ".CSV.TXT ﾌｧｲﾙ", "ﾌｧｲﾙ出力ﾌｫﾙﾀﾞ", "LbCsv"};
    case FolderPurpose::Jrdb:
      return {"Fm98JRDB", "JRDB基準ｵｯｽﾞ", "JRDB基準ｵｯｽﾞ格納ﾌｫﾙﾀﾞ", "LbCsv"};
    default: return {"FolderDialog", "", "", "LbDir"};
  }
}

QString CurrentValue(const Session& s, FolderPurpose p) {
  switch (p) {
    case FolderPurpose::Pat98: return ToQ(s.app.Pat98Folder.string());
    case FolderPurpose::Bet: return ToQ(s.app.BetFolder.string());
    case FolderPurpose::Csv: return ToQ(s.app.settings.CSVpath);
    case FolderPurpose::Jrdb: return ToQ(s.app.settings.OZpath);
    default: return {};
  }
}

}  // namespace

QString PickerStartFolder(FolderPurpose purpose, const QString& shown, const AppState& app) {
  switch (purpose) {
    case FolderPurpose::Pat98: return shown;
    case FolderPurpose::Bet:
    case FolderPurpose::Csv:
      return IsFolder(shown) ? shown : ToQ(app.Pat98Folder.string());
    default: return IsFolder(shown) ? shown : QDir::currentPath();
  }
}

FolderPicker& Fm98Path() {
  static FolderPicker picker = DefaultPicker;
  return picker;
}

QString ChooseFolder(QWidget* parent, FolderPurpose purpose, const QString& shown, const AppState& app) {
  const QString chosen = Fm98Path()(parent, ToQ("ﾌｫﾙﾀﾞの指定"), PickerStartFolder(purpose, shown, app));
  return chosen.isEmpty() ? chosen : QDir::toNativeSeparators(chosen);
}

QLabel* PathLabel(const QString& text, const char* name, QWidget* parent) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(name);
  l->setFrameShape(QFrame::StyledPanel);
  l->setMinimumWidth(320);
  return l;
}

QPushButton* MakePickButton(const char* name, QWidget* parent) {
  auto* b = new QPushButton("...", parent);
  b->setObjectName(name);
  b->setFixedWidth(32);
  return b;
}

QPushButton* AddFolderRow(QBoxLayout* lay, QWidget* parent, const QString& caption, QLabel*& label,
                          const QString& text, const char* labelName, const char* buttonName) {
  auto* frame = new QGroupBox(caption, parent);
  auto* row = new QHBoxLayout(frame);
  label = PathLabel(text, labelName, frame);
  QPushButton* pick = MakePickButton(buttonName, frame);
  row->addWidget(label, 1);
  row->addWidget(pick);
  lay->addWidget(frame);
  return pick;
}

FolderDialog::FolderDialog(Session& s, FolderPurpose purpose, QWidget* parent)
    : QDialog(parent), s_(s), purpose_(purpose) {
  DialogText t = TextsOf(purpose);
  setObjectName(t.objectName);
  setWindowTitle(ToQ(t.caption));
  auto* lay = new QVBoxLayout(this);
  pick_ = AddFolderRow(lay, this, ToQ(t.frame), label_, CurrentValue(s, purpose), t.labelName, "CmdPath");
  DialogButtons buttons = MakeDialogButtons(this);
  ok_ = buttons.ok;
  cancel_ = buttons.cancel;
  sample_ = buttons.box->addButton(ToQ("サンプルデータを開く"), QDialogButtonBox::ActionRole);
  sample_->setObjectName("CmdSample");
  sample_->setVisible(false);
  lay->addWidget(buttons.box);
  connect(pick_, &QPushButton::clicked, this, &FolderDialog::Pick);
  connect(ok_, &QPushButton::clicked, this, &FolderDialog::Confirm);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  connect(sample_, &QPushButton::clicked, this, &FolderDialog::OpenSample);
}

void FolderDialog::SetSampleDay(const QString& folder) {
  sampleDay_ = folder;
  sample_->setToolTip(QDir::toNativeSeparators(folder));
  sample_->setVisible(!folder.isEmpty());
}

void FolderDialog::OpenSample() {
  if (sampleDay_.isEmpty()) return;
  accept();
  emit sampleDayChosen(sampleDay_);
}

void FolderDialog::Pick() {
  const QString chosen = ChooseFolder(this, purpose_, label_->text(), s_.app);
  if (!chosen.isEmpty()) label_->setText(chosen);
}

void FolderDialog::Confirm() {
  std::string folder = FromQ(label_->text());
  switch (purpose_) {
    case FolderPurpose::Pat98:
      accept();
      emit pat98FolderConfirmed(label_->text());
      return;
    case FolderPurpose::Bet: s_.app.BetFolder = folder; break;
    case FolderPurpose::Csv: s_.app.settings.CSVpath = folder; break;
    case FolderPurpose::Jrdb: s_.app.settings.OZpath = folder; break;
    default: break;
  }
  accept();
}

FolderDialog* MakeFm98Dir(Session& s, QWidget* parent) {
  auto* d = new FolderDialog(s, FolderPurpose::Pat98, parent);
  if (HasPat98Program(s.app.Pat98Folder) != 0) {
    d->SetSampleDay(ToQ(build::SampleDay().string()));
  }
  return d;
}
FolderDialog* MakeFm98Pbet(Session& s, QWidget* parent) {
  return new FolderDialog(s, FolderPurpose::Bet, parent);
}
FolderDialog* MakeFm98CSV(Session& s, QWidget* parent) {
  return new FolderDialog(s, FolderPurpose::Csv, parent);
}
FolderDialog* MakeFm98JRDB(Session& s, QWidget* parent) {
  return new FolderDialog(s, FolderPurpose::Jrdb, parent);
}

Fm98Open::Fm98Open(const std::vector<std::string>& names, QWidget* parent) : QDialog(parent) {
  setObjectName("Fm98Open");
  setWindowTitle(ToQ("過去のﾃﾞｰﾀを開く [TZNAﾌｫﾙﾀﾞ]"));
  auto* lay = new QVBoxLayout(this);
  list_ = new QListWidget(this);
  list_->setObjectName("List1");
  for (const std::string& n : names) list_->addItem(ToQ(n));
  if (list_->count() > 0) list_->setCurrentRow(0);
  lay->addWidget(list_);
  DialogButtons buttons = MakeDialogButtons(this);
  connect(buttons.ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(buttons.cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
  lay->addWidget(buttons.box);
  resize(320, 300);
}

QString Fm98Open::SelectedName() const {
  QListWidgetItem* it = list_->currentItem();
  return it ? it->text() : QString();
}

}  // namespace tz::ui
