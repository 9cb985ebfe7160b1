// The odds area of the main window: the column panels, the two matrices and their headers,
// drawn as cells. Every cell keeps what it shows (text, colours, bold, underline, tool tip),
// so that the window can be read back and clicks can be told by panel, row and column.
#pragma once

#include <QColor>
#include <QRect>
#include <QString>
#include <QWidget>
#include <vector>

namespace tz::ui {

struct PaintCell {
  QString panel;  // control name: "odztan", "odzuma", "numumaY", ...
  int row = 0;    // 0-based
  int col = 0;    // 0-based
  QRect rect;
  QString text;
  QColor back = Qt::white;
  QColor fore = Qt::black;
  bool bold = false;
  bool underline = false;
  bool transparent = false;  // no background fill (unselected header labels)
  bool border = true;
  QString tip;
  int image = 0;  // change-indicator image 1..12, 0 none
  Qt::Alignment align = Qt::AlignRight | Qt::AlignVCenter;
};

class OddsArea : public QWidget {
  Q_OBJECT
 public:
  explicit OddsArea(QWidget* parent = nullptr);
  void SetCells(std::vector<PaintCell> cells, QSize size);
  const std::vector<PaintCell>& Cells() const { return cells_; }
  // The cell of a panel, or nullptr when the panel has no such cell.
  const PaintCell* Cell(const QString& panel, int row, int col = 0) const;
  QSize sizeHint() const override { return size_; }

 signals:
  void cellClicked(const QString& panel, int row, int col);

 protected:
  void paintEvent(QPaintEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  bool event(QEvent* e) override;

 private:
  const PaintCell* HitTest(QPoint p) const;
  std::vector<PaintCell> cells_;
  QSize size_{640, 280};
};

// The triangle of change-indicator image 1..12 in cell r: images 1-6 point up, largest first,
// 7-12 are the same sizes pointing down. The six heights run from a third of the cell to the
// whole cell, each at least a pixel from the next. An empty box for any other image.
struct IndicatorShape {
  bool up = true;
  QRect box;  // the triangle's bounding box
};
IndicatorShape IndicatorShapeFor(const QRect& r, int image);
// Draws change-indicator image 1..12 into r.
void DrawIndicator(class QPainter& p, const QRect& r, int image);

}  // namespace tz::ui
