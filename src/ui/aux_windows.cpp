#include "aux_windows.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>

#include "analysis/bracket_model.h"
#include "betting/bet_list.h"
#include "dialog_buttons.h"
#include "fm98_main.h"
#include "qt_user_port.h"
#include "results/race_card.h"

namespace tz::ui {

QFont JapaneseFixedFont() {
  QFont f("Noto Sans Mono CJK JP");
  f.setStyleHint(QFont::TypeWriter);
  f.setFixedPitch(true);
  return f;
}

void PlaceWindow(QWidget* w, const AppState& app, int index) {
  const auto& pos = app.settings.Windows;
  w->move(TwipsToPixels(pos.Left[index], w), TwipsToPixels(pos.Top[index], w));
}

void RememberWindow(const QWidget* w, AppState& app, int index, double defaultTop,
                    double defaultLeft) {
  if (w->isMinimized()) return;
  auto& pos = app.settings.Windows;
  double top = PixelsToTwips(w->y(), w);
  double left = PixelsToTwips(w->x(), w);
  if (app.ScreenHeight > 0 && top > app.ScreenHeight) top = defaultTop;
  if (app.ScreenWidth > 0 && left > app.ScreenWidth) left = defaultLeft;
  pos.Top[index] = top;
  pos.Left[index] = left;
}

namespace {

QWidget* AsToolWindow(QWidget* w) {
  w->setWindowFlag(Qt::Window, true);
  w->setAttribute(Qt::WA_DeleteOnClose);
  w->setProperty("auxWindow", true);
  return w;
}

int RowH(const QWidget* w) { return std::max(TwipsToPixels(210, w), w->fontMetrics().height() + 1); }

PaintCell MakeCell(const QString& panel, int row, int col, QRect r, const QString& text) {
  PaintCell c;
  c.panel = panel;
  c.row = row;
  c.col = col;
  c.rect = r;
  c.text = text;
  c.align = Qt::AlignCenter;
  return c;
}

}  // namespace

// ---- 予想 ---------------------------------------------------------------------------------

Fm98Hyo::Fm98Hyo(Session& s, QWidget* parent) : QWidget(parent), s_(s) {
  setObjectName("Fm98Hyo");
  AsToolWindow(this);
  setWindowTitle(ToQ("予想"));
  auto* lay = new QVBoxLayout(this);
  lay->setContentsMargins(2, 2, 2, 2);
  grid_ = new OddsArea(this);
  grid_->setObjectName("HyoGrid");
  QFont f = grid_->font();
  f.setPixelSize(std::max(9, TwipsToPixels(210, this) - 3));
  grid_->setFont(f);
  grid_->setVisible(true);
  lay->addWidget(grid_);
  PlaceWindow(this, s_.app, 3);
  Render();
}

void Fm98Hyo::Render() {
  const PredictionModel& pm = s_.prediction;
  RaceCardRows card = BuildRaceCardRows(s_.race, s_.app);
  narrow_ = card.narrow;
  QFontMetrics fm(grid_->font());
  const int rowH = RowH(grid_);
  const int wSmall = fm.horizontalAdvance("18") + 6;
  // The identity columns are as wide as their longest text, so no name is cut.
  const auto widest = [&](const char* least, std::string RaceCardRow::*cell) {
    if (narrow_) return 0;
    int w = fm.horizontalAdvance(ToQ(least));
    for (const RaceCardRow& r : card.rows) w = std::max(w, fm.horizontalAdvance(ToQ(r.*cell).trimmed() + ' '));
    return w + 6;
  };
  const int wName = widest("ＭＭＭＭＭＭＭＭＭ", &RaceCardRow::nameCell);
  const int wJockey = widest("ＭＭＭＭＭ", &RaceCardRow::jockeyCell);
  const int wWeight = widest("☆54.0", &RaceCardRow::weightCell);
  const int wRank = fm.horizontalAdvance("W") + 8;
  const int wMark = fm.horizontalAdvance(ToQ("★")) + 6;
  std::vector<PaintCell> cells;

  int x = 0;
  const int xBracket = x;
  x += wSmall;
  const int xNumber = x;
  x += wSmall;
  const int xName = x;
  x += wName;
  const int xJockey = x;
  x += wJockey;
  const int xWeight = x;
  x += wWeight;
  const int xRanks = x + 2;
  x = xRanks + 5 * wRank;
  const int xMark = x;
  x += wMark;
  // The market-implied win odds beside 仮単 and the win odds, with the option ImpliedWin only.
  const int xImplied = x;
  const int wImplied = fm.horizontalAdvance(ToQ("推定単勝")) + 8;
  if (pm.ImpliedShown) x += static_cast<int>(kImpliedWinHeaders.size()) * wImplied;
  const int width = x;

  for (int k = 0; k < 5; ++k) {
    const PredictionHeader& h = pm.Headers[k];
    PaintCell c = MakeCell("header", 0, k, QRect(xRanks + k * wRank, 0, wRank, rowH), ToQ(h.Letter));
    c.bold = h.Bold;
    c.tip = ToQ(h.Tooltip);
    c.back = palette().color(QPalette::Button);
    cells.push_back(c);
  }

  const int rows = std::min<int>(pm.RowCount, kMaxHorses);
  for (int p = 1; p <= rows; ++p) {
    const PredictionRow& row = pm.Rows[p];
    const int y = p * rowH;
    const RaceCardRow* id = p - 1 < static_cast<int>(card.rows.size()) ? &card.rows[p - 1] : nullptr;
    PaintCell b = MakeCell("bracket", p - 1, 0, QRect(xBracket, y, wSmall, rowH),
                           id && id->bracket ? QString::number(id->bracket) : QString());
    if (id && id->bracketBack) b.back = FromBgr(*id->bracketBack);
    if (id && id->bracketText) b.fore = FromBgr(*id->bracketText);
    cells.push_back(b);
    cells.push_back(MakeCell("number", p - 1, 0, QRect(xNumber, y, wSmall, rowH),
                             id ? QString::number(id->number) : QString::number(row.HorseNumber)));
    if (!narrow_ && id) {
      PaintCell n = MakeCell("LbUName", p - 1, 0, QRect(xName, y, wName, rowH), ToQ(id->nameCell));
      n.align = Qt::AlignLeft | Qt::AlignVCenter;
      if (id->nameColour) n.fore = FromBgr(*id->nameColour);
      cells.push_back(n);
      PaintCell j = MakeCell("Lbjname", p - 1, 0, QRect(xJockey, y, wJockey, rowH), ToQ(id->jockeyCell));
      j.align = Qt::AlignLeft | Qt::AlignVCenter;
      if (id->jockeyColour) j.fore = FromBgr(*id->jockeyColour);
      cells.push_back(j);
      cells.push_back(MakeCell("Lbomosa", p - 1, 0, QRect(xWeight, y, wWeight, rowH), ToQ(id->weightCell)));
    }
    const std::string* ranks[] = {&row.F, &row.T, &row.R, &row.Z, &row.W};
    for (int k = 0; k < 5; ++k) {
      PaintCell c = MakeCell("rank", p - 1, k, QRect(xRanks + k * wRank, y, wRank, rowH), ToQ(*ranks[k]));
      if (k == kColR) c.fore = FromBgr(row.RColour);
      if (k == kColZ) c.fore = FromBgr(row.ZColour);
      cells.push_back(c);
    }
    PaintCell m = MakeCell("Lbana", p - 1, 0, QRect(xMark, y, wMark, rowH), ToQ(row.Mark));
    m.fore = Qt::red;
    cells.push_back(m);
    if (pm.ImpliedShown) {
      const ImpliedWinCells& iw = pm.Implied[p];
      const std::string* texts[] = {&iw.Synthetic, &iw.Win, &iw.Implied, &iw.Ratio};
      for (int k = 0; k < 4; ++k) {
        PaintCell c = MakeCell("implied", p - 1, k, QRect(xImplied + k * wImplied, y, wImplied, rowH),
                               ToQ(*texts[k]).trimmed());
        c.align = Qt::AlignRight | Qt::AlignVCenter;
        cells.push_back(c);
      }
    }
  }
  if (pm.ImpliedShown) {
    // The win pool keeps its takeout, so the ratio of a fairly backed horse is about the pool's
    // payout share (0.8), not 1.
    constexpr const char* kRatioTip = "単勝÷推定単勝（控除の分だけ１より小さいのが普通。小さいほど単勝の売れ過ぎ）";
    for (int k = 0; k < 4; ++k) {
      PaintCell c = MakeCell("impliedHeader", 0, k, QRect(xImplied + k * wImplied, 0, wImplied, rowH),
                             ToQ(kImpliedWinHeaders[k]));
      c.back = palette().color(QPalette::Button);
      if (k == 3) c.tip = ToQ(kRatioTip);
      cells.push_back(c);
    }
  }
  // Separators below the rows, drawn over the cell borders.
  for (int p = 1; p <= rows; ++p) {
    const PredictionRow& row = pm.Rows[p];
    PaintCell sep = MakeCell("separator", p - 1, 0, QRect(0, (p + 1) * rowH - 1, width, 2), QString());
    sep.back = FromBgr(row.SeparatorColour);
    sep.border = false;
    sep.tip.clear();
    cells.push_back(sep);
  }
  QSize size(width + 2, (kMaxHorses + 1) * rowH + 2);
  size.setHeight((rows + 1) * rowH + 4);
  grid_->SetCells(std::move(cells), size);
  grid_->setFixedSize(size);
  adjustSize();
}

void Fm98Hyo::closeEvent(QCloseEvent* e) {
  RememberWindow(this, s_.app, 3, 2020, 3875);
  QWidget::closeEvent(e);
}

// ---- 枠連 ---------------------------------------------------------------------------------

ShareGraph::ShareGraph(const Session& s, QWidget* parent) : QWidget(parent), s_(s) {
  setObjectName("ShareGrph");
  // Under the base line: the bracket numbers and up to three horse numbers per bracket.
  setMinimumSize(TwipsToPixels(540 * 8, this),
                 TwipsToPixels(2000, this) + (kHorseLabels + 1) * LabelHeight() + 4);
}

int ShareGraph::LabelHeight() const { return fontMetrics().height() + 1; }

std::vector<ShareGraph::Label> ShareGraph::Labels() const {
  std::vector<Label> out;
  const BracketViewModel& v = s_.bracketView;
  const auto tw = [this](double twips) { return TwipsToPixels(twips, this); };
  const int base = tw(2000) + 2;
  const int lineH = LabelHeight();
  for (int k = 0; k < 8; ++k) {
    const int b = v.BracketOrder[k + 1];
    if (b < 1 || b > 8) continue;
    const double x = 540.0 * k;
    // The bracket number under its own bar, the horse numbers under the stacked bar, one line
    // each in stacking order; each label spans the bar and the gap after it.
    out.push_back({QString::number(b), QRect(tw(x), base, tw(250), lineH)});
    int lines = 0;
    const int m = s_.race.HorseCount - s_.race.ScratchedCount;
    for (int pos = 1; pos <= m && lines < kHorseLabels; ++pos) {
      const int h = s_.race.HorseOrder[pos];
      if (h < 1 || h > kMaxHorses || s_.race.HorseBracket[h] != b) continue;
      out.push_back({QString::number(h), QRect(tw(x + 250), base + lines * lineH, tw(290), lineH)});
      ++lines;
    }
  }
  return out;
}

void ShareGraph::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), Qt::white);
  const BracketViewModel& v = s_.bracketView;
  const auto tw = [this](double twips) { return TwipsToPixels(twips, this); };
  const int base = tw(2000);
  p.setPen(Qt::black);
  p.drawLine(0, base, width(), base);
  for (int k = 0; k < 8; ++k) {
    const int b = v.BracketOrder[k + 1];
    if (b < 1 || b > 8) continue;
    const QColor colour = FromBgr(s_.app.BracketColors[b - 1]);
    const double x = 540.0 * k;
    const double h1 = 50.0 * v.BracketQuinellaShare[b];
    QRect bar(tw(x + 50), tw(2000 - h1), tw(180), tw(h1));
    p.fillRect(bar, colour);
    p.drawRect(bar);
    // The bracket's runners, stacked in popularity order.
    double top = 2000;
    const int m = s_.race.HorseCount - s_.race.ScratchedCount;
    for (int pos = 1; pos <= m; ++pos) {
      const int h = s_.race.HorseOrder[pos];
      if (h < 1 || h > kMaxHorses || s_.race.HorseBracket[h] != b) continue;
      const double seg = 50.0 * s_.analysis.QuinellaShare[h];
      QRect r(tw(x + 250), tw(top - seg), tw(180), std::max(1, tw(seg)));
      p.fillRect(r, colour);
      p.drawRect(r);
      top -= seg;
    }
  }
  for (const Label& l : Labels()) p.drawText(l.rect, Qt::AlignCenter, l.text);
}

Fm98Waku::Fm98Waku(Session& s, QWidget* parent) : QWidget(parent), s_(s) {
  setObjectName("Fm98Waku");
  AsToolWindow(this);
  setWindowTitle(ToQ("枠連"));
  auto* lay = new QVBoxLayout(this);
  lay->setContentsMargins(2, 2, 2, 2);
  auto* bar = new QToolBar(this);
  bar->setObjectName("Toolbar1");
  const char* names[] = {"通常", "ｿｰﾄ", "ｼｪｱ"};
  for (int k = 0; k < 3; ++k) {
    pageButtons_[k] = new QToolButton(bar);
    pageButtons_[k]->setObjectName(QString("Page%1").arg(k));
    pageButtons_[k]->setText(ToQ(names[k]));
    pageButtons_[k]->setCheckable(true);
    bar->addWidget(pageButtons_[k]);
    connect(pageButtons_[k], &QToolButton::clicked, this, [this, k] { ShowPage(k); });
  }
  bar->addSeparator();
  clear_ = new QToolButton(bar);
  clear_->setObjectName("ClearMenu");
  clear_->setText(ToQ("印"));
  clear_->setPopupMode(QToolButton::InstantPopup);
  auto* menu = new QMenu(clear_);
  QAction* clearAction = menu->addAction(ToQ("ｸﾘｱ"));
  clearAction->setObjectName("BracketClear");
  connect(clearAction, &QAction::triggered, this, [this] {
    ClearBracketMarks(s_);
    Render();
    emit marksChanged();
  });
  clear_->setMenu(menu);
  bar->addWidget(clear_);
  lay->addWidget(bar);

  pages_ = new QStackedWidget(this);
  matrix_ = new OddsArea(pages_);
  matrix_->setObjectName("Lbodz");
  list_ = new OddsArea(pages_);
  list_->setObjectName("Lbsort");
  graph_ = new ShareGraph(s_, pages_);
  for (QWidget* w : {static_cast<QWidget*>(matrix_), static_cast<QWidget*>(list_),
                     static_cast<QWidget*>(graph_)}) {
    w->setVisible(true);
    pages_->addWidget(w);
  }
  lay->addWidget(pages_);
  connect(matrix_, &OddsArea::cellClicked, this, [this](const QString& panel, int row, int col) {
    if (panel != "Lbodz") return;
    ToggleBracketCell(s_, 8 * col + row);
    Render();
    emit marksChanged();
  });
  connect(list_, &OddsArea::cellClicked, this, [this](const QString& panel, int row, int) {
    if (panel != "Lbsort") return;
    ToggleBracketRow(s_, row);
    Render();
    emit marksChanged();
  });
  PlaceWindow(this, s_.app, 5);
  Render();
  ShowPage(s_.bracketView.Page);
}

int Fm98Waku::Page() const { return pages_->currentIndex(); }

void Fm98Waku::ShowPage(int page) {
  if (page == kBracketPageNormal && !s_.bracketView.NormalEnabled) return;
  s_.bracketView.Page = page;
  pages_->setCurrentIndex(page);
  for (int k = 0; k < 3; ++k) {
    pages_->widget(k)->setEnabled(k == page);
    pageButtons_[k]->setChecked(k == page);
  }
  pageButtons_[0]->setEnabled(s_.bracketView.NormalEnabled);
}

void Fm98Waku::Render() {
  const BracketViewModel& v = s_.bracketView;
  QFontMetrics fm(font());
  const int rowH = RowH(this) + 2;
  const int wNum = fm.horizontalAdvance("8") + 10;
  const int wCell = fm.horizontalAdvance("999.9") + 8;
  const int wShare = fm.horizontalAdvance("99.9%") + 8;

  // Matrix page: share texts over the columns, bracket headers, 8 x 8 cells.
  std::vector<PaintCell> cells;
  const int x0 = wNum;
  const int y0 = 3 * rowH;
  for (int i = 0; i < 8; ++i) {
    const int b = v.BracketOrder[i + 1];
    const int x = x0 + i * wCell;
    PaintCell s1 = MakeCell("share1", i, 0, QRect(x, 0, wCell, rowH),
                            b ? ToQ(v.BracketQuinellaShareText[b]) : QString());
    s1.tip = ToQ("枠連集票率");
    PaintCell s2 = MakeCell("share2", i, 0, QRect(x, rowH, wCell, rowH),
                            b ? ToQ(v.BracketShareText[b]) : QString());
    s2.tip = ToQ("枠別馬連集票率");
    cells.push_back(s1);
    cells.push_back(s2);
    const BracketNumberLabel& hx = v.LbnumX[i];
    PaintCell cx = MakeCell("LbnumX", i, 0, QRect(x, 2 * rowH, wCell, rowH), ToQ(hx.Text));
    cx.back = FromBgr(hx.BackColor);
    cx.fore = FromBgr(hx.ForeColor);
    cells.push_back(cx);
    const BracketNumberLabel& hy = v.LbnumY[i];
    PaintCell cy = MakeCell("LbnumY", i, 0, QRect(0, y0 + i * rowH, wNum, rowH), ToQ(hy.Text));
    cy.back = FromBgr(hy.BackColor);
    cy.fore = FromBgr(hy.ForeColor);
    cells.push_back(cy);
  }
  for (int i = 0; i < 8; ++i) {
    for (int j = 0; j < 8; ++j) {
      const BracketCell& bc = v.Lbodz[8 * i + j];
      // Cell (column i, row j) is drawn at column i, row j; row = j, col = i for the click.
      PaintCell c = MakeCell("Lbodz", j, i, QRect(x0 + i * wCell, y0 + j * rowH, wCell, rowH),
                             ToQ(bc.Text));
      c.back = FromBgr(bc.BackColor);
      c.align = Qt::AlignRight | Qt::AlignVCenter;
      cells.push_back(c);
    }
  }
  QSize msize(x0 + 8 * wCell + 2, y0 + 8 * rowH + 2);
  matrix_->SetCells(std::move(cells), msize);
  matrix_->setFixedSize(msize);

  // List page: 36 rows in four columns of nine.
  std::vector<PaintCell> rows;
  const int wRow = 2 * wNum + wCell + 6;
  for (int k = 0; k < 36; ++k) {
    const BracketListRow& r = v.Lbsort[k];
    const int x = (k / 9) * wRow;
    const int y = (k % 9) * rowH;
    PaintCell n1 = MakeCell("Lbnum1", k, 0, QRect(x, y, wNum, rowH), ToQ(r.Lbnum1));
    PaintCell n2 = MakeCell("Lbnum2", k, 0, QRect(x + wNum, y, wNum, rowH), ToQ(r.Lbnum2));
    for (PaintCell* n : {&n1, &n2}) {
      int b = n->text.toInt();
      if (b >= 1 && b <= 8) {
        n->back = FromBgr(s_.app.BracketColors[b - 1]);
        if (b == 2 || b == 4) n->fore = FromBgr(s_.app.BracketColors[0]);
      }
    }
    rows.push_back(n1);
    rows.push_back(n2);
    PaintCell o = MakeCell("Lbsort", k, 0, QRect(x + 2 * wNum, y, wCell, rowH), ToQ(r.Text));
    o.back = FromBgr(r.BackColor);
    o.align = Qt::AlignRight | Qt::AlignVCenter;
    rows.push_back(o);
  }
  QSize lsize(4 * wRow, 9 * rowH + 2);
  list_->SetCells(std::move(rows), lsize);
  list_->setFixedSize(lsize);
  (void)wShare;
  graph_->update();
}

void Fm98Waku::closeEvent(QCloseEvent* e) {
  RememberWindow(this, s_.app, 5, 2650, 3260);
  QWidget::closeEvent(e);
}

// ---- 金額指定 -------------------------------------------------------------------------------

Fm98Kin::Fm98Kin(Session& s, QWidget* parent) : QDialog(parent), s_(s) {
  setObjectName("Fm98Kin");
  OpenAmountDialog(s_);
  setWindowTitle(ToQ(s_.betWindow.Amount.Caption));
  auto* form = new QFormLayout(this);
  const char* labels[] = {"1ﾍﾞｯﾄの金額", "1ﾚｰｽの資金", "1ﾚｰｽの利益"};
  const std::string* values[] = {&s_.betWindow.Amount.MoneyCapital, &s_.betWindow.Amount.MoneyLimit,
                                 &s_.betWindow.Amount.ProfitTarget};
  for (int k = 0; k < 3; ++k) {
    fields_[k] = new QLineEdit(ToQ(*values[k]), this);
    fields_[k]->setObjectName(QString("Text%1").arg(k + 1));
    form->addRow(ToQ(labels[k]), fields_[k]);
  }
  DialogButtons buttons = MakeDialogButtons(this, "OkButton", "CancelButton");
  QPushButton* ok = buttons.ok;
  QPushButton* cancel = buttons.cancel;
  form->addRow(buttons.box);
  connect(ok, &QPushButton::clicked, this, [this] {
    s_.betWindow.Amount.MoneyCapital = FromQ(fields_[0]->text());
    s_.betWindow.Amount.MoneyLimit = FromQ(fields_[1]->text());
    s_.betWindow.Amount.ProfitTarget = FromQ(fields_[2]->text());
    ApplyAmountDialog(s_);
    accept();
  });
  connect(cancel, &QPushButton::clicked, this, [this] {
    CancelAmountDialog(s_);
    reject();
  });
}

// ---- 勝馬投票 -------------------------------------------------------------------------------

Fm98Bet::Fm98Bet(Session& s, UserPort& port, QWidget* parent) : QWidget(parent), s_(s), port_(port) {
  setObjectName("Fm98Bet");
  AsToolWindow(this);
  auto* lay = new QVBoxLayout(this);
  lay->setContentsMargins(2, 2, 2, 2);
  auto* bar = new QToolBar(this);
  bar->setObjectName("Toolbar1");
  amount_ = new QToolButton(bar);
  amount_->setObjectName("AmountButton");
  amount_->setText(ToQ("金額"));
  amount_->setPopupMode(QToolButton::MenuButtonPopup);
  auto* menu = new QMenu(amount_);
  const char* items[] = {"均等配分", "均等利益", "目標利益", "金額指定"};
  for (int k = 0; k < 4; ++k) {
    QAction* a = menu->addAction(ToQ(items[k]));
    a->setObjectName(QString("Amount%1").arg(k + 1));
    connect(a, &QAction::triggered, this, [this, k] { AmountMenu(k + 1); });
  }
  amount_->setMenu(menu);
  connect(amount_, &QToolButton::clicked, this, [this] {
    TakeText();
    NextAllocationMode(s_, port_);
    Render();
  });
  bar->addWidget(amount_);
  send_ = new QToolButton(bar);
  send_->setObjectName("SendButton");
  send_->setText(ToQ("送出"));
  connect(send_, &QToolButton::clicked, this, &Fm98Bet::Send);
  bar->addWidget(send_);
  lay->addWidget(bar);
  label_ = new QLabel(this);
  label_->setObjectName("Label1");
  lay->addWidget(label_);
  text_ = new QPlainTextEdit(this);
  text_->setObjectName("Textbet");
  text_->setFont(JapaneseFixedFont());
  text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  lay->addWidget(text_);
  combined_ = new QLabel(this);
  combined_->setObjectName("LbGosei");
  book_ = new QLabel(this);
  book_->setObjectName("LbBook");
  torigami_ = new QLabel(this);
  torigami_->setObjectName("LbTorigami");
  torigami_->setFont(JapaneseFixedFont());
  torigami_->setStyleSheet("color: red;");
  for (QLabel* l : {combined_, book_, torigami_}) lay->addWidget(l);
  // Every edit of the stakes is checked again as it is typed.
  connect(text_, &QPlainTextEdit::textChanged, this, [this] {
    TakeText();
    UpdateStakeSafety(s_.betWindow);
    RenderSafety();
  });
  resize(TwipsToPixels(4200, this), TwipsToPixels(5400, this));
  PlaceWindow(this, s_.app, 4);
  Render();
}

void Fm98Bet::Render() {
  const BetWindowModel& b = s_.betWindow;
  setWindowTitle(ToQ(b.Caption));
  label_->setText(ToQ(b.ModeLabel));
  QString t = ToQ(b.Text);
  t.replace("\r\n", "\n");
  if (text_->toPlainText() != t) text_->setPlainText(t);
  send_->setEnabled(b.SendEnabled);
  RenderSafety();
}

void Fm98Bet::RenderSafety() {
  const BetWindowModel& b = s_.betWindow;
  combined_->setText(ToQ(b.CombinedOddsLabel));
  book_->setText(ToQ(b.BookLabel));
  torigami_->setText(ToQ(b.TorigamiLabel));
  torigami_->setVisible(!b.TorigamiLabel.empty());
}

void Fm98Bet::TakeText() {
  QString t = text_->toPlainText();
  t.replace("\r\n", "\n");
  t.replace("\n", "\r\n");
  s_.betWindow.Text = FromQ(t);
}

void Fm98Bet::AmountMenu(int item) {
  TakeText();
  if (item >= 1 && item <= 3) {
    ApplyAllocationMode(s_, port_, item - 1);
  } else if (item == 4) {
    Fm98Kin dlg(s_, this);
    dlg.exec();
  }
  Render();
}

void Fm98Bet::Send() {
  TakeText();
  SendBetList(s_, port_);
  Render();
}

void Fm98Bet::closeEvent(QCloseEvent* e) {
  TakeText();
  RememberWindow(this, s_.app, 4, 2020, 0);
  CloseBetWindow(s_);
  QWidget::closeEvent(e);
}

}  // namespace tz::ui
