// ﾁｪｯｸ馬／騎手: the check-list window. Two boxes of names, each drawn in its own colour; names
// are dragged in from the prediction window's name and jockey cells, and moved, removed and
// recoloured from the boxes' pop-up menu. Edits reach the check list only through "OK".
#pragma once

#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <functional>
#include <optional>

#include "odds_area.h"
#include "session.h"
#include "tools/check_list.h"

namespace tz::ui {

// Drag payload of a prediction-window cell: the cell's caption.
inline constexpr const char* kCellMimeType = "application/x-tazuna98-cell";

// Whether a prediction-window cell may be dragged into the check list (horse and jockey
// names).
bool IsCheckNameCell(const PaintCell& cell);
// The drag data of such a cell: its caption as the cell payload and as plain text.
QMimeData* MakeCellDragData(const PaintCell& cell);

// Makes the name cells of the main window's prediction window drag sources.
void InstallCellDragSource(QWidget* mainWindow);

class Fm98Chk;

// One of the two boxes, List1(0) and List1(1).
class CheckBoxList : public QListWidget {
  Q_OBJECT
 public:
  CheckBoxList(Fm98Chk* owner, int index, QWidget* parent);
  int Index() const { return index_; }

 protected:
  void dragEnterEvent(QDragEnterEvent* e) override;
  void dragMoveEvent(QDragMoveEvent* e) override;
  void dropEvent(QDropEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void contextMenuEvent(QContextMenuEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;

 private:
  Fm98Chk* owner_;
  int index_;
};

class Fm98Chk : public QDialog {
  Q_OBJECT
 public:
  Fm98Chk(Session& s, QWidget* parent);

  // Draws the boxes, their colours and selections and the hint line from the window model.
  void Render();

  CheckBoxList* List1(int i) const { return lists_[i]; }
  QLabel* Label1() const { return label_; }
  QPushButton* Command1() const { return ok_; }
  QPushButton* Command2() const { return cancel_; }
  QMenu* PopupMenu() const { return mjPop_; }

  // What the boxes do with the user's actions (also the way tests drive them).
  bool DropCaption(int box, const QString& caption);
  void RightPressed(int box, const QPoint& globalPos);
  void BoxFocused(int box, bool in);
  void MenuCommand(CheckMenu item);
  void ChangeColour();

  // The colour dialog; tests put their own chooser. Nothing means cancelled.
  using ColourChooser = std::function<std::optional<QColor>(const QColor& initial)>;
  void SetColourChooser(ColourChooser c) { chooser_ = std::move(c); }

 signals:
  // "OK" replaced the check list and the box colours.
  void checkListChanged();

 protected:
  void done(int r) override;

 private:
  void SyncSelection(int box);

  Session& s_;
  CheckBoxList* lists_[2];
  QLabel* label_;
  QPushButton* ok_;
  QPushButton* cancel_;
  QMenu* mjPop_;
  ColourChooser chooser_;
  bool rendering_ = false;
};

}  // namespace tz::ui
