// The options dialog (ｵﾌﾟｼｮﾝ) and the range dialog (ﾚﾝｼﾞ設定). They show the settings in
// memory and hand the user's choices to the core on OK.
#pragma once

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <array>

#include "app/options.h"
#include "app/user_port.h"
#include "session.h"

namespace tz::ui {

class Fm98Opt : public QDialog {
  Q_OBJECT
 public:
  Fm98Opt(Session& s, QWidget* parent);
  // The check box of index i (0..24), the option button of "予想" (0..2).
  QCheckBox* Check(int i) const { return check_[i]; }
  QRadioButton* Option(int i) const { return option_[i]; }
  QTabWidget* Tabs() const { return tabs_; }
  QPushButton* OkButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }
  // The dialog's values as the core reads them.
  OptionsDialogValues Values() const;
  // Shows the given values.
  void Fill(const OptionsDialogValues& v);

 protected:
  void keyPressEvent(QKeyEvent* e) override;

 private:
  void Accept();
  Session& s_;
  QTabWidget* tabs_ = nullptr;
  std::array<QCheckBox*, kOptionBoxCount> check_{};
  std::array<QRadioButton*, 3> option_{};
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
};

class Fm98Range : public QDialog {
  Q_OBJECT
 public:
  Fm98Range(Session& s, UserPort& port, QWidget* parent);
  QLineEdit* Text(int i) const { return text_[i]; }
  QLabel* LbMax() const { return lbMax_; }
  QPushButton* OkButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }

 private:
  void Accept();
  Session& s_;
  UserPort& port_;
  std::array<QLineEdit*, 6> text_{};
  QLabel* lbMax_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
};

}  // namespace tz::ui
