// The day-wide lists: the batch dialog that runs them (Fm98Mes), the recommended-longshot list
// (Fm98Ana) and the predicted-values list (Fm98RZ). The windows render their list models; the
// runs and exports are core operations.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QToolButton>
#include <QWidget>
#include <array>
#include <functional>
#include <vector>

#include "app/user_port.h"
#include "run_dialog.h"
#include "session.h"

namespace tz::ui {

// A label of a list window, coloured as its model says.
void RenderListLabel(QLabel* label, const ListLabel& model);

// 推奨穴馬一覧 / 予想値一覧 batch dialog: START runs the list of BatchKind over the day with a
// progress bar; ｷｬﾝｾﾙ closes it. It refuses to close while a run is going on.
class Fm98Mes : public GuardedDialog {
  Q_OBJECT
 public:
  Fm98Mes(Session& s, UserPort& port, QWidget* parent);
  QPushButton* StartButton() const { return start_; }
  QPushButton* CancelButton() const { return cancel_; }
  QProgressBar* Bar() const { return bar_; }
  // Called before and after the run (the main window resets its race buttons there).
  std::function<void()> beforeRun;
  std::function<void()> afterRun;
  // The START button.
  void Start();
  // Whether the last START ran a list.
  bool Ran() const { return ran_; }

 protected:
  bool Busy() const override;

 private:
  Session& s_;
  UserPort& port_;
  QPushButton* start_;
  QPushButton* cancel_;
  QProgressBar* bar_;
  bool ran_ = false;
};

// The labels of one race line: caption, upset text, and six slots of three labels.
struct ListRaceLabels {
  QLabel* Lbrace = nullptr;
  QLabel* Lbtan = nullptr;
  QLabel* LbYoso = nullptr;  // predicted values only
  std::array<QLabel*, 6> Lbuma{};
  std::array<QLabel*, 6> Lbninki{};
  std::array<QLabel*, 6> Lbchaku{};
};

// 推奨穴馬一覧: one page per meeting, the meeting buttons and the two exports.
class Fm98Ana : public QWidget {
  Q_OBJECT
 public:
  Fm98Ana(Session& s, UserPort& port, QWidget* parent);
  void Render();
  // Meeting button 1..3.
  void ShowMeeting(int meeting);
  int Meeting() const { return s_.longshotList.Page; }
  QToolButton* ToolButton(int index) const;  // 1..3 meetings, 5 text, 6 CSV
  const ListRaceLabels& Race(int meeting, int race) const;

 private:
  Session& s_;
  UserPort& port_;
  QStackedWidget* pages_;
  std::array<QToolButton*, 7> tools_{};
  std::vector<ListRaceLabels> races_;  // index 12 (m - 1) + (r - 1)
};

// 予想値一覧: one meeting and one indicator group at a time.
class Fm98RZ : public QWidget {
  Q_OBJECT
 public:
  Fm98RZ(Session& s, QWidget* parent);
  void Render();
  void ShowMeeting(int meeting);
  void ShowGroup(int group);  // 1..5: W, R, Z, T, F
  QToolButton* ToolButton(int index) const;  // 1..3 meetings, 5..9 groups
  const ListRaceLabels& Race(int race) const { return races_[static_cast<std::size_t>(race - 1)]; }

 private:
  Session& s_;
  std::array<QToolButton*, 10> tools_{};
  std::vector<ListRaceLabels> races_;  // races 1..12 of the page
};

}  // namespace tz::ui
