#include "fm98_file.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QVBoxLayout>

#include "dialog_buttons.h"
#include "qt_user_port.h"
#include "text/files.h"

namespace tz::ui {

namespace {

std::optional<PickedFile> DefaultPicker(QWidget* parent, Session& s, const QString& start) {
  Fm98FileDialog d(s, start, parent);
  if (d.exec() != QDialog::Accepted) return std::nullopt;
  return d.Picked();
}

}  // namespace

QString FilePickerStartFolder(const QString& shownFolder) {
  if (!shownFolder.isEmpty() && QFileInfo(shownFolder).isDir()) return shownFolder;
  return QDir::currentPath();
}

FilePicker& Fm98File() {
  static FilePicker picker = DefaultPicker;
  return picker;
}

Fm98FileDialog::Fm98FileDialog(Session& s, const QString& start, QWidget* parent)
    : QDialog(parent), s_(s) {
  setObjectName("Fm98File");
  setWindowTitle(ToQ("ﾌｧｲﾙの指定"));
  auto* lay = new QVBoxLayout(this);
  pattern_ = new QLineEdit(ToQ(s.app.settings.Mask), this);
  pattern_->setObjectName("Text1");
  lay->addWidget(pattern_);
  auto* row = new QHBoxLayout;
  model_ = new QFileSystemModel(this);
  model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
  model_->setRootPath(QDir::rootPath());
  tree_ = new QTreeView(this);
  tree_->setObjectName("Dir1");
  tree_->setModel(model_);
  for (int c = 1; c < model_->columnCount(); ++c) tree_->hideColumn(c);
  tree_->header()->hide();
  tree_->setMinimumSize(240, 260);
  files_ = new QListWidget(this);
  files_->setObjectName("File1");
  files_->setMinimumWidth(200);
  row->addWidget(tree_, 1);
  row->addWidget(files_, 1);
  lay->addLayout(row);
  DialogButtons buttons = MakeDialogButtons(this);
  ok_ = buttons.ok;
  QPushButton* cancel = buttons.cancel;
  lay->addWidget(buttons.box);

  connect(pattern_, &QLineEdit::textChanged, this, [this] { RefreshFiles(); });
  connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& i) { SetFolder(model_->filePath(i)); });
  connect(files_, &QListWidget::itemDoubleClicked, this, [this] { accept(); });
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  SetFolder(FilePickerStartFolder(start));
}

void Fm98FileDialog::SetFolder(const QString& folder) {
  if (folder == folder_) return;
  folder_ = folder;
  QModelIndex i = model_->index(folder);
  if (i.isValid() && tree_->currentIndex() != i) {
    tree_->setCurrentIndex(i);
    tree_->scrollTo(i);
  }
  RefreshFiles();
}

void Fm98FileDialog::RefreshFiles() {
  files_->clear();
  // Several patterns may be given, separated by ";".
  QStringList patterns = pattern_->text().split(';', Qt::SkipEmptyParts);
  std::vector<std::string> names;
  for (const QString& p : patterns) {
    std::string pattern = FromQ(p.trimmed());
    if (pattern.empty()) continue;
    for (std::string& n : text::ListFolder(FromQ(folder_), pattern)) {
      if (std::find(names.begin(), names.end(), n) == names.end()) names.push_back(std::move(n));
    }
  }
  std::sort(names.begin(), names.end(), text::DirectoryOrderLess);
  for (const std::string& n : names) files_->addItem(ToQ(n));
  if (files_->count() > 0) files_->setCurrentRow(0);
}

PickedFile Fm98FileDialog::Picked() const {
  PickedFile f;
  f.folder = QDir::toNativeSeparators(folder_);
  if (QListWidgetItem* item = files_->currentItem()) f.file = item->text();
  return f;
}

void Fm98FileDialog::done(int r) {
  // The pattern box is kept for the next time, OK or not.
  s_.app.settings.Mask = FromQ(pattern_->text());
  QDialog::done(r);
}

}  // namespace tz::ui
