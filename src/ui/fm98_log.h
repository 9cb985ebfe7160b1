// 履歴: the user's votes on the selected race, one line per vote with its hit mark, and below
// them the totals 投票 / 払戻 / 損益 (hidden when only the votes were read). It renders
// s.historyWindow; its position is remembered in the settings (Win2).
#pragma once

#include <QLabel>
#include <QPlainTextEdit>
#include <QWidget>

#include "session.h"

namespace tz::ui {

class Fm98Log : public QWidget {
  Q_OBJECT
 public:
  Fm98Log(Session& s, QWidget* parent);
  // Shows s.historyWindow as it stands.
  void Render();

  QPlainTextEdit* TextBox() const { return text_; }
  QWidget* TotalsPanel() const { return totals_; }
  QLabel* StakeLabel() const { return stake_; }
  QLabel* ReturnLabel() const { return return_; }
  QLabel* BalanceLabel() const { return balance_; }

 protected:
  void closeEvent(QCloseEvent* e) override;

 private:
  Session& s_;
  QPlainTextEdit* text_;
  QWidget* totals_;
  QLabel* stake_;
  QLabel* return_;
  QLabel* balance_;
};

// Closes an open history window, builds the window's texts from the history state (with or
// without the totals) and shows a fresh history window as an auxiliary window of `mainWindow`.
Fm98Log* ShowHistoryWindow(QWidget* mainWindow, Session& s, bool showTotals);
// Closes the history window of `mainWindow` when one is open.
void CloseHistoryWindow(QWidget* mainWindow);

}  // namespace tz::ui
