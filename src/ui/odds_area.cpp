#include "odds_area.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace tz::ui {

OddsArea::OddsArea(QWidget* parent) : QWidget(parent) {
  setObjectName("PicALL");
  setAutoFillBackground(true);
  setMouseTracking(false);
}

void OddsArea::SetCells(std::vector<PaintCell> cells, QSize size) {
  cells_ = std::move(cells);
  size_ = size;
  setMinimumSize(size_);
  updateGeometry();
  update();
}

const PaintCell* OddsArea::Cell(const QString& panel, int row, int col) const {
  for (const PaintCell& c : cells_) {
    if (c.row == row && c.col == col && c.panel == panel) return &c;
  }
  return nullptr;
}

const PaintCell* OddsArea::HitTest(QPoint p) const {
  // Later cells are drawn on top, so look from the end.
  for (auto it = cells_.rbegin(); it != cells_.rend(); ++it) {
    if (it->rect.contains(p)) return &*it;
  }
  return nullptr;
}

IndicatorShape IndicatorShapeFor(const QRect& r, int image) {
  if (image < 1 || image > 12) return {};
  const int size = image <= 6 ? image : image - 6;  // 1 largest .. 6 smallest
  // Six heights from a third of the cell to the whole cell, at least a pixel apart, so that
  // every size is seen and each differs from its neighbours; the width follows the height.
  const int room = std::max(6, r.height() - 2);
  const int smallest = std::min(room, std::max(4, (r.height() + 2) / 3));
  const double step = std::max(1.0, (room - smallest) / 5.0);
  const int h = std::min(room, smallest + static_cast<int>((6 - size) * step + 0.5));
  const int wide = std::max(5, r.width() - 2);
  int w = std::max(5, wide * h / room);
  if (w % 2 == 0) --w;  // an odd width keeps the point in the middle
  IndicatorShape shape;
  shape.up = image <= 6;
  shape.box = QRect(r.center().x() - w / 2, r.center().y() - h / 2, w, h);
  return shape;
}

void DrawIndicator(QPainter& p, const QRect& r, int image) {
  const IndicatorShape shape = IndicatorShapeFor(r, image);
  if (shape.box.isEmpty()) return;
  const QRect& b = shape.box;
  const QColor colour = shape.up ? QColor(0, 0, 200) : QColor(200, 0, 0);
  // Row by row, so that every size keeps its exact pixels: one pixel at the point, the full
  // width at the base.
  const int rows = b.height();
  for (int i = 0; i < rows; ++i) {
    const int fromPoint = shape.up ? i : rows - 1 - i;
    const int half = rows > 1 ? (b.width() / 2) * fromPoint / (rows - 1) : b.width() / 2;
    p.fillRect(QRect(b.center().x() - half, b.top() + i, 2 * half + 1, 1), colour);
  }
}

void OddsArea::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), palette().color(QPalette::Button));
  QFont base = font();
  for (const PaintCell& c : cells_) {
    if (!c.transparent) p.fillRect(c.rect, c.back);
    if (c.border) {
      p.setPen(QColor(128, 128, 128));
      p.drawRect(c.rect.adjusted(0, 0, -1, -1));
    }
    if (c.image) DrawIndicator(p, c.rect, c.image);
    if (!c.text.isEmpty()) {
      QFont f = base;
      f.setBold(c.bold);
      f.setUnderline(c.underline);
      p.setFont(f);
      p.setPen(c.fore);
      p.drawText(c.rect.adjusted(1, 0, -2, 0), c.align, c.text);
    }
  }
}

void OddsArea::mousePressEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) return;
  const PaintCell* c = HitTest(e->position().toPoint());
  if (c) emit cellClicked(c->panel, c->row, c->col);
}

bool OddsArea::event(QEvent* e) {
  if (e->type() == QEvent::ToolTip) {
    auto* he = static_cast<QHelpEvent*>(e);
    const PaintCell* c = HitTest(he->pos());
    if (c && !c->tip.isEmpty()) {
      QToolTip::showText(he->globalPos(), c->tip, this, c->rect);
    } else {
      QToolTip::hideText();
      e->ignore();
    }
    return true;
  }
  return QWidget::event(e);
}

}  // namespace tz::ui
