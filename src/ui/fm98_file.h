// The shared file picker of the forum-log conversions ("ﾌｧｲﾙの指定"): a pattern box filled with
// the Mask setting, a folder tree and the list of the folder's files that match the pattern.
#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeView>
#include <functional>
#include <optional>

#include "session.h"

class QFileSystemModel;

namespace tz::ui {

struct PickedFile {
  QString folder;
  QString file;
};

// The folder the picker starts in: the folder the asking dialog shows when it exists, else the
// current folder.
QString FilePickerStartFolder(const QString& shownFolder);

// Opens the picker modally at `start`; nothing when cancelled. OK gives the folder and the
// selected file (empty when the list is empty). Replaceable so that tests can
// answer it. The default picker stores its pattern box back into the Mask setting on closing.
using FilePicker = std::function<std::optional<PickedFile>(QWidget* parent, Session& s, const QString& start)>;
FilePicker& Fm98File();

class Fm98FileDialog : public QDialog {
  Q_OBJECT
 public:
  Fm98FileDialog(Session& s, const QString& start, QWidget* parent = nullptr);
  QLineEdit* PatternBox() const { return pattern_; }
  QListWidget* FileList() const { return files_; }
  QTreeView* FolderTree() const { return tree_; }
  QPushButton* OkButton() const { return ok_; }
  // The folder whose files are listed.
  QString Folder() const { return folder_; }
  void SetFolder(const QString& folder);
  // The chosen folder and file after OK.
  PickedFile Picked() const;

 protected:
  void done(int r) override;

 private:
  void RefreshFiles();
  Session& s_;
  QString folder_;
  QLineEdit* pattern_;
  QTreeView* tree_;
  QFileSystemModel* model_;
  QListWidget* files_;
  QPushButton* ok_;
};

}  // namespace tz::ui
