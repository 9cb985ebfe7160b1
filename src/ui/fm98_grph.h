// The share-graph window (ｸﾞﾗﾌ): the vote-share bars with their label rows, the payout-range
// graph and an empty JRAVAN page, switched by the window's tool bar. It paints
// `Session::shareGraph` and forwards its commands to the core.
#pragma once

#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QToolButton>
#include <QWidget>
#include <array>
#include <functional>
#include <vector>

#include "app/user_port.h"
#include "odds_area.h"
#include "session.h"

class QAction;

namespace tz::ui {

// The bar area of the share graphs (`graph`), with its guide lines.
class GraphPicture : public QWidget {
  Q_OBJECT
 public:
  GraphPicture(const Session& s, QWidget* parent);
  void Resize();

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  const Session& s_;
};

// The bar area of the range graph (`Picture4`).
class RangePicture : public QWidget {
  Q_OBJECT
 public:
  RangePicture(const Session& s, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  const Session& s_;
};

class Fm98Grph : public QWidget {
  Q_OBJECT
 public:
  Fm98Grph(Session& s, UserPort& port, QWidget* parent);
  // Shows everything the model holds.
  void Render();

  QToolButton* Button(int b) const { return buttons_[b - 1]; }
  // Drop-down entry e of tool-bar button b (separators included in the numbering).
  QAction* MenuEntry(int b, int e) const;
  OddsArea* Labels() const { return strip_; }
  QPushButton* LabelModeButton() const { return command1_; }
  QLabel* Title() const { return title_; }
  QLabel* PoolLabel() const { return label4_; }
  QLabel* RangeLabel(int i) const { return label11_[i]; }
  QLabel* PercentLabel(int r) const { return label12_[r]; }
  int CurrentPanel() const;
  // The range dialog opened from the drop-down; tests replace it to answer it themselves.
  void SetRangeDialogRunner(std::function<void()> run) { runRangeDialog_ = std::move(run); }

  // Tool-bar button click and drop-down entry, as the user's click does.
  void ClickButton(int b);
  void ChooseMenu(int b, int e);

 protected:
  void closeEvent(QCloseEvent* e) override;

 private:
  void RenderShares();
  void RenderRange();
  Session& s_;
  UserPort& port_;
  std::array<QToolButton*, 3> buttons_{};
  std::array<std::vector<QAction*>, 3> entries_{};
  QStackedWidget* pages_ = nullptr;
  QLabel* title_ = nullptr;
  GraphPicture* graph_ = nullptr;
  OddsArea* strip_ = nullptr;
  QPushButton* command1_ = nullptr;
  QLabel* label4_ = nullptr;
  RangePicture* picture4_ = nullptr;
  std::array<QLabel*, 6> label11_{};
  std::array<QLabel*, 7> label12_{};
  std::function<void()> runRangeDialog_;
};

}  // namespace tz::ui
