#include "odds_area.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>
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

void DrawIndicator(QPainter& p, const QRect& r, int image) {
  if (image < 1 || image > 12) return;
  bool up = image <= 6;
  int size = up ? image : image - 6;  // 1 largest .. 6 smallest
  double scale = (7 - size) / 6.0;    // 1.0 .. 0.17
  int h = std::max(2, static_cast<int>((r.height() - 2) * scale));
  int w = std::max(3, static_cast<int>((r.width() - 2) * (0.4 + 0.6 * scale)));
  int cx = r.center().x();
  int top = r.center().y() - h / 2;
  QPolygon tri;
  if (up) {
    tri << QPoint(cx, top) << QPoint(cx - w / 2, top + h) << QPoint(cx + w / 2, top + h);
  } else {
    tri << QPoint(cx, top + h) << QPoint(cx - w / 2, top) << QPoint(cx + w / 2, top);
  }
  p.save();
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(Qt::NoPen);
  p.setBrush(up ? QColor(0, 0, 200) : QColor(200, 0, 0));
  p.drawPolygon(tri);
  p.restore();
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
