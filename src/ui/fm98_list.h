// 競走成績一覧: the first three finishers and the main payouts of every race of the day, one
// meeting at a time, on a finishers page and a payouts page. It renders s.resultsList.
#pragma once

#include <QTableWidget>
#include <QToolButton>
#include <QWidget>
#include <vector>

#include "session.h"

namespace tz::ui {

class Fm98List : public QWidget {
  Q_OBJECT
 public:
  Fm98List(Session& s, QWidget* parent);
  // Shows the current meeting and page of s.resultsList.
  void Render();
  // A meeting button (index into the meetings) and the page buttons.
  void ShowMeeting(int index);
  void ShowPage(int page);

  QTableWidget* Table() const { return table_; }
  QToolButton* MeetingButton(int index) const;
  QToolButton* FinishersButton() const { return finishersButton_; }
  QToolButton* PayoutsButton() const { return payoutsButton_; }
  QToolButton* CloseButton() const { return closeButton_; }

 private:
  Session& s_;
  QTableWidget* table_;
  std::vector<QToolButton*> meetingButtons_;
  QToolButton* finishersButton_;
  QToolButton* payoutsButton_;
  QToolButton* closeButton_;
};

}  // namespace tz::ui
