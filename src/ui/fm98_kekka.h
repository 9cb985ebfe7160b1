// 競走成績: the results of the selected race (weather and going, the finishers, the payouts with
// the user's hits highlighted, the refunded horses and the hit message, which blinks after a
// big hit). It renders s.resultsWindow; its position is remembered in the settings (Win1).
#pragma once

#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <vector>

#include "session.h"

namespace tz::ui {

class Fm98Kekka : public QWidget {
  Q_OBJECT
 public:
  Fm98Kekka(Session& s, QWidget* parent);
  // Shows s.resultsWindow as it stands.
  void Render();

  QLabel* WeatherLabel() const { return weather_; }
  QLabel* GoingCaptionLabel() const { return goingCaption_; }
  QLabel* GoingLabel() const { return going_; }
  QLabel* RefundLabel() const { return refund_; }
  QLabel* CommentLabel() const { return comment_; }
  QTimer* BlinkTimer() const { return blink_; }
  Colour CommentColour() const { return commentColour_; }
  // Finisher cell: column 0 place, 1 number, 2 bracket, 3 name, 4 time; nullptr beyond the rows.
  QLabel* FinisherCell(int row, int column) const;
  // Payout cells of bet kind 1..5: the numbers (nullptr for win, which shows the payout only)
  // and the payout of the row.
  QLabel* PayoutNumbers(int kind, int row) const;
  QLabel* PayoutCell(int kind, int row) const;

 protected:
  void closeEvent(QCloseEvent* e) override;

 private:
  void Blink();
  void KeepClearOfHistory();
  Session& s_;
  QLabel* weather_;
  QLabel* goingCaption_;
  QLabel* going_;
  QLabel* refund_;
  QLabel* comment_;
  QTimer* blink_;
  QWidget* finishers_;
  QWidget* payouts_;
  Colour commentColour_ = 255;
  std::vector<std::vector<QLabel*>> finisherCells_;
  std::vector<std::vector<QLabel*>> payoutNumbers_{6};
  std::vector<std::vector<QLabel*>> payoutCells_{6};
};

// Closes an open results window, builds the model from the results read last (clearing the
// hit flags) and shows a fresh results window as an auxiliary window of `mainWindow`.
Fm98Kekka* ShowResultsWindow(QWidget* mainWindow, Session& s);
// Closes the results window of `mainWindow` when one is open.
void CloseResultsWindow(QWidget* mainWindow);

}  // namespace tz::ui
