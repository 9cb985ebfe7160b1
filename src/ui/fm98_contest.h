// The contest entry dialogs: Fm98Con (one rule, or all 98 flow rules from the keyboard-only
// 全パターン button) and FmConAuto (one file for every combination of the ticked choices).
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QWidget>
#include <array>

#include "app/user_port.h"
#include "run_dialog.h"
#include "session.h"

namespace tz::ui {

class Fm98Con : public GuardedDialog {
  Q_OBJECT
 public:
  Fm98Con(Session& s, UserPort& port, QWidget* parent = nullptr);

  QComboBox* Combo1 = nullptr;  // axis indicator
  QComboBox* Combo2 = nullptr;  // axis rank
  QComboBox* Combo3 = nullptr;  // partner indicator
  QComboBox* Combo4 = nullptr;  // form
  QPushButton* Command1 = nullptr;  // OK
  QPushButton* Command2 = nullptr;  // ｷｬﾝｾﾙ
  QPushButton* Command3 = nullptr;  // 全パターン (below the visible area)
  QPushButton* Command4 = nullptr;  // 中止 (below the visible area)
  QProgressBar* ProgressBar1 = nullptr;

  // OK: the selected rule.
  void RunSelected();
  // 全パターン: the 98 flow rules.
  void RunAllPatterns();

 signals:
  // The main window's race buttons were reset (before and after a run).
  void dayViewChanged();

 protected:
  // A run is going on: between the rules of a multi-rule run as well as inside one.
  bool Busy() const override;

 private:
  void StartRun(bool allPatterns);
  Session& s_;
  UserPort& port_;
};

class FmConAuto : public GuardedDialog {
  Q_OBJECT
 public:
  FmConAuto(Session& s, UserPort& port, QWidget* parent = nullptr);

  std::array<QCheckBox*, 7> Check1{};  // axis indicators
  std::array<QCheckBox*, 5> Check3{};  // axis ranks
  std::array<QCheckBox*, 7> Check2{};  // partner indicators
  std::array<QCheckBox*, 2> Check4{};  // forms
  QGroupBox* FrameAxis = nullptr;
  QGroupBox* FramePartner = nullptr;
  QGroupBox* FrameForm = nullptr;
  QWidget* Picture1 = nullptr;
  QProgressBar* ProgressBar1 = nullptr;  // rules done
  QProgressBar* ProgressBar2 = nullptr;  // races of the current rule
  std::array<QLabel*, 5> Labels{};       // Label1 .. Label5
  QPushButton* ComOK = nullptr;
  QPushButton* ComCan = nullptr;
  QPushButton* ComStop = nullptr;

  // OK: every combination of the ticked boxes.
  void RunTicked();

 signals:
  void dayViewChanged();

 protected:
  // A run is going on: between the rules of a multi-rule run as well as inside one.
  bool Busy() const override;

 private:
  Session& s_;
  UserPort& port_;
};

}  // namespace tz::ui
