#include "fm98_chk.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QColorDialog>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFocusEvent>
#include <QMouseEvent>

#include "fm98_main.h"
#include "qt_user_port.h"

namespace tz::ui {

bool IsCheckNameCell(const PaintCell& cell) {
  return (cell.panel == "LbUName" || cell.panel == "Lbjname") && !cell.text.trimmed().isEmpty();
}

QMimeData* MakeCellDragData(const PaintCell& cell) {
  auto* data = new QMimeData;
  data->setData(kCellMimeType, cell.text.toUtf8());
  data->setText(cell.text);
  return data;
}

namespace {

bool CarriesCell(const QMimeData* d) { return d && d->hasFormat(kCellMimeType); }

QString CellCaption(const QMimeData* d) { return QString::fromUtf8(d->data(kCellMimeType)); }

}  // namespace

// ---- the boxes ----------------------------------------------------------------------------

CheckBoxList::CheckBoxList(Fm98Chk* owner, int index, QWidget* parent)
    : QListWidget(parent), owner_(owner), index_(index) {
  setObjectName(QString("List1_%1").arg(index));
  // A click toggles the selection of one name; several names can be selected.
  setSelectionMode(QAbstractItemView::MultiSelection);
  setDragEnabled(false);
  setAcceptDrops(true);
  viewport()->setAcceptDrops(true);
  setDropIndicatorShown(false);
}

void CheckBoxList::dragEnterEvent(QDragEnterEvent* e) {
  if (CarriesCell(e->mimeData())) e->acceptProposedAction();
  else e->ignore();
}

void CheckBoxList::dragMoveEvent(QDragMoveEvent* e) {
  if (CarriesCell(e->mimeData())) e->acceptProposedAction();
  else e->ignore();
}

void CheckBoxList::dropEvent(QDropEvent* e) {
  if (!CarriesCell(e->mimeData())) {
    e->ignore();
    return;
  }
  e->acceptProposedAction();
  owner_->DropCaption(index_, CellCaption(e->mimeData()));
}

void CheckBoxList::mousePressEvent(QMouseEvent* e) {
  if (e->button() == Qt::RightButton) {
    // The right button leaves the selection as it is; it opens the pop-up menu for this box.
    setFocus(Qt::MouseFocusReason);
    owner_->RightPressed(index_, e->globalPosition().toPoint());
    e->accept();
    return;
  }
  QListWidget::mousePressEvent(e);
}

void CheckBoxList::contextMenuEvent(QContextMenuEvent* e) { e->accept(); }

void CheckBoxList::focusInEvent(QFocusEvent* e) {
  QListWidget::focusInEvent(e);
  owner_->BoxFocused(index_, true);
}

void CheckBoxList::focusOutEvent(QFocusEvent* e) {
  QListWidget::focusOutEvent(e);
  // The pop-up menu does not take the box's focus away.
  if (e->reason() != Qt::PopupFocusReason) owner_->BoxFocused(index_, false);
}

// ---- the window ---------------------------------------------------------------------------

Fm98Chk::Fm98Chk(Session& s, QWidget* parent) : QDialog(parent), s_(s) {
  setObjectName("Fm98Chk");
  setWindowTitle(ToQ(kCheckListCaption));
  setModal(false);
  setAttribute(Qt::WA_DeleteOnClose);
  // Not one of the race's windows: it stays open when another race or day is shown, so that
  // names can be collected over several races.
  const auto tw = [this](double twips) { return TwipsToPixels(twips, this); };

  label_ = new QLabel(this);
  label_->setObjectName("Label1");
  label_->setGeometry(tw(120), tw(90), tw(4085), tw(255));

  const double lefts[2] = {120, 2205};
  for (int i = 0; i < 2; ++i) {
    lists_[i] = new CheckBoxList(this, i, this);
    lists_[i]->setGeometry(tw(lefts[i]), tw(375), tw(2000), tw(1860));
    connect(lists_[i], &QListWidget::itemSelectionChanged, this, [this, i] { SyncSelection(i); });
  }

  ok_ = new QPushButton("OK", this);
  ok_->setObjectName("Command1");
  ok_->setGeometry(tw(1080), tw(2355), tw(1000), tw(375));
  cancel_ = new QPushButton(ToQ("ｷｬﾝｾﾙ"), this);
  cancel_->setObjectName("Command2");
  cancel_->setGeometry(tw(2205), tw(2355), tw(1000), tw(375));
  for (QPushButton* b : {ok_, cancel_}) {
    b->setAutoDefault(false);
    b->setDefault(false);
  }
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

  mjPop_ = new QMenu(ToQ("ﾒﾆｭｰ"), this);
  mjPop_->setObjectName("mjPop");
  auto item = [this](const char* name, const char* caption) {
    QAction* a = mjPop_->addAction(ToQ(caption));
    a->setObjectName(name);
    return a;
  };
  connect(item("mjDel", "選択している名前を削除"), &QAction::triggered, this, [this] { MenuCommand(CheckMenu::Del); });
  connect(item("mjDelAll", "このボックス内を全て削除"), &QAction::triggered, this,
          [this] { MenuCommand(CheckMenu::DelAll); });
  mjPop_->addSeparator();
  connect(item("mjMove", "選択している名前を移動"), &QAction::triggered, this, [this] { MenuCommand(CheckMenu::Move); });
  connect(item("mjMoveAll", "このボックス内を全て移動"), &QAction::triggered, this,
          [this] { MenuCommand(CheckMenu::MoveAll); });
  mjPop_->addSeparator();
  connect(item("mjColor", "色の変更"), &QAction::triggered, this, &Fm98Chk::ChangeColour);

  chooser_ = [this](const QColor& initial) -> std::optional<QColor> {
    QColor c = QColorDialog::getColor(initial, this);
    if (!c.isValid()) return std::nullopt;
    return c;
  };

  setFixedSize(tw(4425), tw(2880));
  const CheckListWindowModel& m = s_.checkListWindow;
  if (m.Top >= 0 && m.Left >= 0) {
    move(tw(m.Left), tw(m.Top));
  } else if (parent) {
    QPoint at = parent->window()->frameGeometry().topLeft();
    move(at + QPoint(tw(1000), tw(1500)));
  }

  OpenCheckListWindow(s_.checkListWindow, s_.app);
  Render();
}

void Fm98Chk::Render() {
  const CheckListWindowModel& m = s_.checkListWindow;
  rendering_ = true;
  for (int b = 0; b < 2; ++b) {
    CheckBoxList* list = lists_[b];
    const QColor colour = FromBgr(m.Boxes[b].TextColour);
    QPalette pal = list->palette();
    pal.setColor(QPalette::Text, colour);
    list->setPalette(pal);
    list->clear();
    for (const CheckListItem& it : m.Boxes[b].Items) {
      auto* item = new QListWidgetItem(ToQ(it.Name), list);
      item->setForeground(colour);
      item->setSelected(it.Selected);
    }
  }
  label_->setText(ToQ(m.Label1));
  rendering_ = false;
}

void Fm98Chk::SyncSelection(int box) {
  if (rendering_) return;
  CheckListWindowModel& m = s_.checkListWindow;
  CheckBoxList* list = lists_[box];
  for (int i = 0; i < list->count(); ++i) {
    SetCheckNameSelected(m, box, static_cast<std::size_t>(i), list->item(i)->isSelected());
  }
}

bool Fm98Chk::DropCaption(int box, const QString& caption) {
  if (!DropOnCheckBox(s_.checkListWindow, box, caption.toStdString())) return false;
  Render();
  lists_[box]->setFocus(Qt::OtherFocusReason);
  return true;
}

void Fm98Chk::RightPressed(int box, const QPoint& globalPos) {
  RightPressCheckBox(s_.checkListWindow, box);
  mjPop_->popup(globalPos);
}

void Fm98Chk::BoxFocused(int box, bool in) {
  CheckListWindowModel& m = s_.checkListWindow;
  if (in) FocusCheckBox(m, box);
  else BlurCheckBox(m, box);
  label_->setText(ToQ(m.Label1));
}

void Fm98Chk::MenuCommand(CheckMenu item) {
  RunCheckMenu(s_.checkListWindow, item);
  Render();
}

void Fm98Chk::ChangeColour() {
  CheckListWindowModel& m = s_.checkListWindow;
  const int box = std::clamp(m.SelectedBox, 0, 1);
  std::optional<QColor> c = chooser_(FromBgr(m.Boxes[box].TextColour));
  if (!c) return;
  SetCheckBoxColour(m, ToBgr(*c));
  Render();
}

void Fm98Chk::done(int r) {
  CheckListWindowModel& m = s_.checkListWindow;
  if (!isMinimized()) {
    m.Top = PixelsToTwips(y(), this);
    m.Left = PixelsToTwips(x(), this);
  }
  if (r == QDialog::Accepted) ConfirmCheckList(s_.app, s_.checkListWindow);
  QDialog::done(r);
  if (r == QDialog::Accepted) emit checkListChanged();
}

// ---- the drag source ----------------------------------------------------------------------

namespace {

// Starts a drag as soon as a horse or jockey name of the prediction window is pressed, while
// the check-list window is open to take it.
class CellDragSource : public QObject {
 public:
  explicit CellDragSource(QWidget* main) : QObject(main), main_(main) {}

 protected:
  bool eventFilter(QObject* obj, QEvent* e) override {
    if (e->type() != QEvent::MouseButtonPress) return false;
    auto* area = qobject_cast<OddsArea*>(obj);
    if (!area || area->objectName() != "HyoGrid") return false;
    auto* me = static_cast<QMouseEvent*>(e);
    if (me->button() != Qt::LeftButton) return false;
    Fm98Chk* chk = main_->findChild<Fm98Chk*>();
    if (!chk || !chk->isVisible()) return false;
    const QPoint p = me->position().toPoint();
    const auto& cells = area->Cells();
    for (auto it = cells.rbegin(); it != cells.rend(); ++it) {
      if (!it->rect.contains(p)) continue;
      if (!IsCheckNameCell(*it)) return false;
      auto* drag = new QDrag(area);
      drag->setMimeData(MakeCellDragData(*it));
      drag->exec(Qt::CopyAction);
      return true;
    }
    return false;
  }

 private:
  QWidget* main_;
};

}  // namespace

void InstallCellDragSource(QWidget* mainWindow) {
  qApp->installEventFilter(new CellDragSource(mainWindow));
}

}  // namespace tz::ui
