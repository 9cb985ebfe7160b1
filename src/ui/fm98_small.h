// Small windows of the main window: version window and help window.
#pragma once

#include <QDialog>
#include <QPlainTextEdit>
#include <QPushButton>

namespace tz::ui {

// "ﾊﾞｰｼﾞｮﾝ": the program title and its version; OK closes it.
class Fm98Ver : public QDialog {
  Q_OBJECT
 public:
  Fm98Ver(const QString& appTitle, QWidget* parent = nullptr);
};

// A read-only text with a vertical scroll bar and "閉じる"; the opener supplies caption and text.
class Fm98Help : public QDialog {
  Q_OBJECT
 public:
  explicit Fm98Help(QWidget* parent = nullptr);
  void SetHelpText(const QString& text);
  QPlainTextEdit* Text1 = nullptr;
  QPushButton* Command1 = nullptr;
};

}  // namespace tz::ui
