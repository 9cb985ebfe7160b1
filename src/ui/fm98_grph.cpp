#include "fm98_grph.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QMenu>
#include <QPainter>
#include <QToolBar>
#include <QVBoxLayout>
#include <cmath>

#include "analysis/share_graph.h"
#include "fm98_main.h"
#include "fm98_opt.h"
#include "qt_user_port.h"

namespace tz::ui {

namespace {

// Left margin of the bar area and width of the caption column of the label strip, so that
// the bars stand above their labels.
constexpr double kCaptionWidth = graph::kStripExtra;
constexpr double kLabelRowHeight = 240;

// The window is placed and remembered as window 6 of the settings.
constexpr int kWindowIndex = 6;

QColor Bgr(Colour c) { return FromBgr(c); }

PaintCell LabelCell(const char* panel, int row, QRect r, const GraphLabel& l) {
  PaintCell c;
  c.panel = panel;
  c.row = row;
  c.rect = r;
  c.text = ToQ(l.Text);
  c.back = Bgr(l.BackColor);
  c.fore = Bgr(l.ForeColor);
  c.transparent = !l.Opaque;
  c.border = l.Border;
  c.align = Qt::AlignCenter;
  return c;
}

}  // namespace

// ---- bar areas ----------------------------------------------------------------------------

GraphPicture::GraphPicture(const Session& s, QWidget* parent) : QWidget(parent), s_(s) {
  setObjectName("graph");
  Resize();
}

void GraphPicture::Resize() {
  const int columns = std::max(1, s_.shareGraph.ColumnCount);
  setFixedSize(TwipsToPixels(kCaptionWidth + columns * graph::kColumnWidth, this),
               TwipsToPixels(graph::kAreaHeight, this));
}

void GraphPicture::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), Qt::white);
  const ShareGraphModel& g = s_.shareGraph;
  const auto tx = [this](double x) { return TwipsToPixels(kCaptionWidth + x, this); };
  const auto ty = [this](double y) { return TwipsToPixels(y, this); };
  for (const graph::GuideLine& line : graph::kGuideLines) {
    const int y = ty(graph::kBaseline - line.Percent * graph::kTwipsPerPercent);
    p.setPen(Bgr(line.Color));
    p.drawLine(tx(0), y, width(), y);
    if (*line.Label) {
      p.drawText(QRect(0, y - 8, tx(0) - 2, 16), Qt::AlignRight | Qt::AlignVCenter,
                 QString::fromUtf8(line.Label));
    }
  }
  if (!g.SharesDrawn) return;
  for (int k = 1; k <= g.ColumnCount; ++k) {
    const GraphColumn& c = g.Columns[k];
    for (const GraphBar* b : {&c.QuinellaBar, &c.WideBar, &c.WinBar, &c.PlaceBar}) {
      if (!b->Drawn || b->Width <= 0) continue;
      const int left = tx(b->Left);
      const int right = tx(b->Left + b->Width);
      const int top = ty(graph::kBaseline - b->Height);
      p.fillRect(QRect(QPoint(left, top), QPoint(right - 1, ty(graph::kBaseline))), Bgr(b->Color));
    }
  }
  for (const GraphLine& l : g.Lines) {
    p.setPen(QPen(Bgr(l.Color), 1));
    p.drawLine(tx(l.X1), ty(l.Y1), tx(l.X2), ty(l.Y2));
  }
}

RangePicture::RangePicture(const Session& s, QWidget* parent) : QWidget(parent), s_(s) {
  setObjectName("Picture4");
  setFixedSize(TwipsToPixels(graph::kRangeAreaWidth, this),
               TwipsToPixels(graph::kRangeAreaHeight, this));
}

void RangePicture::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), Qt::white);
  const auto tw = [this](double v) { return TwipsToPixels(v, this); };
  for (size_t i = 0; i < graph::kRangeGuideX.size(); ++i) {
    const int x = tw(graph::kRangeGuideX[i]);
    p.setPen(Bgr(graph::kGuideDark));
    p.drawLine(x, 0, x, height());
    p.drawText(QRect(x + 2, height() - 16, 40, 16), Qt::AlignLeft | Qt::AlignVCenter,
               QString::fromUtf8(graph::kRangeGuideLabels[i]));
  }
  const RangeGraph& r = s_.shareGraph.Range;
  if (!r.Drawn) return;
  for (const RangeBar& b : r.Bars) {
    if (!b.Drawn) continue;
    p.fillRect(QRect(0, tw(b.Top), std::max(1, tw(b.Length)), tw(b.Thickness)), Bgr(r.BarColor));
  }
}

// ---- window -------------------------------------------------------------------------------

Fm98Grph::Fm98Grph(Session& s, UserPort& port, QWidget* parent)
    : QWidget(parent), s_(s), port_(port) {
  setObjectName("Fm98Grph");
  setWindowFlag(Qt::Window, true);
  setAttribute(Qt::WA_DeleteOnClose);
  setProperty("auxWindow", true);
  LoadShareGraphWindow(s_);

  auto* lay = new QVBoxLayout(this);
  lay->setContentsMargins(2, 2, 2, 2);
  lay->setSizeConstraint(QLayout::SetFixedSize);
  auto* bar = new QToolBar(this);
  bar->setObjectName("Toolbar1");
  const char* captions[] = {"集票率", "ﾚﾝｼﾞ別", "JRAVAN"};
  const std::vector<const char*> menus[] = {
      {"連勝集票率順", "ﾜｲﾄﾞ集票率順", "単勝集票率順", "複勝集票率順", "1番人気からのｵｯｽﾞ順", "",
       "このグラフを最初に表示する"},
      {"枠連", "馬連", "ﾜｲﾄﾞ", "", "ﾚﾝｼﾞ設定"},
      {"複勝", "馬連"}};
  for (int b = 1; b <= 3; ++b) {
    auto* tb = new QToolButton(bar);
    tb->setObjectName(QString("GraphButton%1").arg(b));
    tb->setText(ToQ(captions[b - 1]));
    tb->setPopupMode(QToolButton::MenuButtonPopup);
    auto* menu = new QMenu(tb);
    int e = 1;
    for (const char* text : menus[b - 1]) {
      QAction* a = *text ? menu->addAction(ToQ(text)) : menu->addSeparator();
      a->setObjectName(QString("GraphMenu%1_%2").arg(b).arg(e));
      if (*text) connect(a, &QAction::triggered, this, [this, b, e] { ChooseMenu(b, e); });
      entries_[b - 1].push_back(a);
      ++e;
    }
    tb->setMenu(menu);
    connect(tb, &QToolButton::clicked, this, [this, b] { ClickButton(b); });
    bar->addWidget(tb);
    buttons_[b - 1] = tb;
  }
  lay->addWidget(bar);

  pages_ = new QStackedWidget(this);
  lay->addWidget(pages_);

  // Panel 1: title, bars, label rows and the label-mode button.
  auto* shares = new QWidget(pages_);
  shares->setObjectName("SharePanel");
  auto* sl = new QVBoxLayout(shares);
  sl->setContentsMargins(0, 0, 0, 0);
  title_ = new QLabel(shares);
  title_->setObjectName("Lbttl");
  sl->addWidget(title_);
  graph_ = new GraphPicture(s_, shares);
  sl->addWidget(graph_, 0, Qt::AlignLeft);
  auto* row = new QHBoxLayout();
  strip_ = new OddsArea(shares);
  strip_->setObjectName("Picture1");
  connect(strip_, &OddsArea::cellClicked, this, [this](const QString& panel, int, int) {
    const char* names[] = {"LabelR", "LabelO", "LabelT", "LabelF"};
    for (int k = 0; k < 4; ++k) {
      if (panel == names[k]) {
        GraphRowCaptionClick(s_, k + 1);
        Render();
      }
    }
  });
  {
    // The value labels are one column (390 twips) wide: a font in which "00.0" fits.
    QFont f = strip_->font();
    const int colW = TwipsToPixels(graph::kColumnWidth, this) - 2;
    int px = std::max(8, TwipsToPixels(200, this));
    for (; px > 7; --px) {
      f.setPixelSize(px);
      if (QFontMetrics(f).horizontalAdvance("00.0") <= colW) break;
    }
    strip_->setFont(f);
  }
  row->addWidget(strip_, 0, Qt::AlignLeft | Qt::AlignTop);
  command1_ = new QPushButton(shares);
  command1_->setObjectName("Command1");
  command1_->setFixedWidth(TwipsToPixels(400, this));
  connect(command1_, &QPushButton::clicked, this, [this] {
    ToggleGraphLabelMode(s_);
    Render();
  });
  row->addWidget(command1_, 0, Qt::AlignBottom);
  row->addStretch(1);
  sl->addLayout(row);
  pages_->addWidget(shares);

  // Panel 2: the range graph with its limits and percentages.
  auto* range = new QWidget(pages_);
  range->setObjectName("RangePanel");
  const auto tw = [this](double v) { return TwipsToPixels(v, this); };
  const int left = tw(900);
  label4_ = new QLabel(range);
  label4_->setObjectName("Label4");
  label4_->setGeometry(0, 0, left, tw(300));
  const int top = tw(300);
  picture4_ = new RangePicture(s_, range);
  picture4_->move(left, top);
  auto* first = new QLabel(QString::fromUtf8(graph::kRangeFirstCaption), range);
  first->setObjectName("RangeFirst");
  first->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  first->setGeometry(0, top + tw(graph::kRangeRowTop) - tw(120), left - 4, tw(240));
  for (int i = 0; i < 6; ++i) {
    label11_[i] = new QLabel(range);
    label11_[i]->setObjectName(QString("Label11_%1").arg(i));
    label11_[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Limit i is the boundary between row i and row i + 1.
    const double y = graph::kRangeRowTop + graph::kRangeRowStep * (i + 1) - 50;
    label11_[i]->setGeometry(0, top + tw(y) - tw(120), left - 4, tw(240));
  }
  auto* last = new QLabel(QString::fromUtf8(graph::kRangeLastCaption), range);
  last->setObjectName("RangeLast");
  last->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  last->setGeometry(0, top + tw(graph::kRangeRowTop + graph::kRangeRowStep * 7 - 50) - tw(120),
                    left - 4, tw(240));
  for (int r = 0; r < 7; ++r) {
    label12_[r] = new QLabel(range);
    label12_[r]->setObjectName(QString("Label12_%1").arg(r));
    label12_[r]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    const double y = graph::kRangeRowTop + graph::kRangeRowStep * r;
    label12_[r]->setGeometry(left + picture4_->width() + 4, top + tw(y), tw(700),
                             tw(graph::kRangeBarHeight));
  }
  range->setFixedSize(left + picture4_->width() + tw(800),
                      top + std::max(picture4_->height(), tw(graph::kRangeRowTop + graph::kRangeRowStep * 7 + 200)));
  pages_->addWidget(range);

  // Panel 3: nothing is drawn for JRAVAN.
  auto* jravan = new QWidget(pages_);
  jravan->setObjectName("JravanPanel");
  pages_->addWidget(jravan);

  runRangeDialog_ = [this] {
    Fm98Range dlg(s_, port_, this);
    dlg.exec();
  };

  PlaceWindow(this, s_.app, kWindowIndex);
  Render();
}

QAction* Fm98Grph::MenuEntry(int b, int e) const {
  if (b < 1 || b > 3) return nullptr;
  const auto& list = entries_[b - 1];
  return e >= 1 && e <= static_cast<int>(list.size()) ? list[e - 1] : nullptr;
}

int Fm98Grph::CurrentPanel() const { return pages_->currentIndex() + 1; }

void Fm98Grph::ClickButton(int b) {
  GraphToolbarClick(s_, b);
  Render();
}

void Fm98Grph::ChooseMenu(int b, int e) {
  if (GraphMenuClick(s_, b, e) == GraphMenuResult::OpenRangeDialog) {
    Render();
    if (runRangeDialog_) runRangeDialog_();
    ::tz::ShareGraph(s_);
  }
  Render();
}

void Fm98Grph::Render() {
  const ShareGraphModel& g = s_.shareGraph;
  setWindowTitle(ToQ(g.Caption.empty() ? std::string("ｸﾞﾗﾌ") : g.Caption));
  pages_->setCurrentIndex(std::clamp(g.VisiblePanel, 1, 3) - 1);
  const GraphMenuState& m = g.Menu;
  MenuEntry(1, 2)->setEnabled(m.WideSort);
  MenuEntry(1, 7)->setEnabled(m.StartEntry);
  MenuEntry(2, 2)->setEnabled(m.RangeQuinella);
  MenuEntry(2, 3)->setEnabled(m.RangeWide);
  MenuEntry(2, 5)->setEnabled(m.RangeSetup);
  MenuEntry(3, 1)->setEnabled(m.JravanPlace);
  command1_->setText(ToQ(g.LabelModeCaption));
  RenderShares();
  RenderRange();
}

void Fm98Grph::RenderShares() {
  const ShareGraphModel& g = s_.shareGraph;
  title_->setText(ToQ(g.Title));
  graph_->Resize();
  graph_->update();
  const auto tw = [this](double v) { return TwipsToPixels(v, this); };
  const int rowH = std::max(tw(kLabelRowHeight), strip_->fontMetrics().height() + 2);
  const int captionW = tw(kCaptionWidth);
  const int colW = tw(graph::kColumnWidth);
  std::vector<PaintCell> cells;
  // Row captions of the four value rows (rows 3..6); a click chooses the order of that row.
  const char* captionNames[] = {"LabelR", "LabelO", "LabelT", "LabelF"};
  const char* captionTexts[] = {"連勝", "ﾜｲﾄﾞ", "単勝", "複勝"};
  for (int k = 0; k < 4; ++k) {
    PaintCell c;
    c.panel = captionNames[k];
    c.rect = QRect(0, (3 + k) * rowH, captionW, rowH);
    c.text = ToQ(captionTexts[k]);
    c.transparent = true;
    c.border = false;
    c.align = Qt::AlignLeft | Qt::AlignVCenter;
    cells.push_back(c);
  }
  for (int k = 1; k <= g.ColumnCount; ++k) {
    const GraphColumn& c = g.Columns[k];
    const int x = captionW + (k - 1) * colW;
    const GraphLabel* rows[] = {&c.Number, &c.Shift, &c.Bracket, &c.Ren, &c.Odz, &c.Tan, &c.Fuk};
    const char* names[] = {"number", "Lbrank", "bracket", "ren", "odz", "tan", "fuk"};
    for (int r = 0; r < 7; ++r) {
      if (r == 4 && !g.WideShown) continue;  // no wide label without wide sales
      cells.push_back(LabelCell(names[r], k - 1, QRect(x, r * rowH, colW, rowH), *rows[r]));
    }
  }
  const QSize size(tw(g.StripWidth), 7 * rowH + 2);
  strip_->SetCells(std::move(cells), size);
  strip_->setFixedSize(size);
}

void Fm98Grph::RenderRange() {
  const RangeGraph& r = s_.shareGraph.Range;
  label4_->setText(ToQ(r.PoolName));
  for (int i = 0; i < 6; ++i) label11_[i]->setText(ToQ(r.RangeLabels[i]));
  for (int k = 0; k < 7; ++k) label12_[k]->setText(ToQ(r.PercentLabels[k]));
  picture4_->update();
}

void Fm98Grph::closeEvent(QCloseEvent* e) {
  RememberWindow(this, s_.app, kWindowIndex, 2020, 0);
  QWidget::closeEvent(e);
}

}  // namespace tz::ui
