#include "fm98_kekka.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "aux_windows.h"
#include "fm98_main.h"
#include "qt_user_port.h"
#include "results/results_window_model.h"

namespace tz::ui {

namespace {

constexpr int kWinIndex = 1;  // Win1Top / Win1Left
constexpr double kDefaultTop = 2020;
constexpr double kDefaultLeft = 3245;
constexpr int kHistoryWinIndex = 2;  // the history window's Win2Top / Win2Left
constexpr int kFrameAllowance = 12;  // pixels left for the window frames between the two

const char* const kKindCaptions[] = {"", "単勝", "複勝", "枠連", "馬連", "ワイド"};

QLabel* Cell(QWidget* parent, const QString& name, Qt::Alignment align = Qt::AlignRight | Qt::AlignVCenter) {
  auto* l = new QLabel(parent);
  l->setObjectName(name);
  l->setAlignment(align);
  l->setAutoFillBackground(true);
  l->setContentsMargins(3, 0, 3, 0);
  return l;
}

void Colours(QLabel* l, std::optional<Colour> back, std::optional<Colour> fore) {
  QPalette p = l->palette();
  p.setColor(QPalette::Window, back ? FromBgr(*back) : l->parentWidget()->palette().color(QPalette::Window));
  p.setColor(QPalette::WindowText, fore ? FromBgr(*fore) : l->parentWidget()->palette().color(QPalette::WindowText));
  l->setPalette(p);
}

void ClearLayout(QWidget* w) {
  delete w->layout();
  qDeleteAll(w->findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
}

}  // namespace

Fm98Kekka::Fm98Kekka(Session& s, QWidget* parent) : QWidget(parent), s_(s) {
  setObjectName("Fm98Kekka");
  setWindowFlag(Qt::Window, true);
  setAttribute(Qt::WA_DeleteOnClose);
  setProperty("auxWindow", true);
  setWindowTitle(ToQ("競走成績"));

  auto* lay = new QVBoxLayout(this);
  lay->setContentsMargins(4, 4, 4, 4);
  auto* top = new QHBoxLayout;
  weather_ = new QLabel(this);
  weather_->setObjectName("LblWeather");
  goingCaption_ = new QLabel(this);
  goingCaption_->setObjectName("LblGoingCaption");
  going_ = new QLabel(this);
  going_->setObjectName("LblGoing");
  top->addWidget(weather_);
  top->addSpacing(12);
  top->addWidget(goingCaption_);
  top->addWidget(going_);
  top->addStretch(1);
  lay->addLayout(top);

  finishers_ = new QWidget(this);
  finishers_->setObjectName("Finishers");
  lay->addWidget(finishers_);
  payouts_ = new QWidget(this);
  payouts_->setObjectName("Payouts");
  lay->addWidget(payouts_);

  auto* refundRow = new QHBoxLayout;
  auto* refundCaption = new QLabel(ToQ("返還馬番"), this);
  refund_ = new QLabel(this);
  refund_->setObjectName("LblRefund");
  refundRow->addWidget(refundCaption);
  refundRow->addWidget(refund_);
  refundRow->addStretch(1);
  lay->addLayout(refundRow);

  comment_ = new QLabel(this);
  comment_->setObjectName("LblComment");
  comment_->setAutoFillBackground(false);
  QFont f = comment_->font();
  f.setBold(true);
  comment_->setFont(f);
  lay->addWidget(comment_);

  blink_ = new QTimer(this);
  blink_->setObjectName("BlinkTimer");
  blink_->setInterval(kCommentBlinkMs);
  connect(blink_, &QTimer::timeout, this, &Fm98Kekka::Blink);

  PlaceWindow(this, s_.app, kWinIndex);
  Render();
  KeepClearOfHistory();
}

void Fm98Kekka::KeepClearOfHistory() {
  // At its default place the window would reach over the history window's default place, and
  // the two open together: it then ends where the history window begins.
  const auto& stored = s_.app.settings.Windows;
  if (stored.Left[kWinIndex] != kDefaultLeft || stored.Top[kWinIndex] != kDefaultTop) return;
  const int historyLeft = TwipsToPixels(stored.Left[kHistoryWinIndex], this);
  const int historyTop = TwipsToPixels(stored.Top[kHistoryWinIndex], this);
  const QRect mine(pos(), size());
  if (mine.right() < historyLeft || mine.bottom() < historyTop) return;
  move(std::max(0, historyLeft - width() - kFrameAllowance), y());
}

void Fm98Kekka::Render() {
  const ResultsWindowModel& m = s_.resultsWindow;
  weather_->setText(ToQ(m.Weather));
  goingCaption_->setText(ToQ(m.GoingCaption));
  going_->setText(ToQ(m.Going));

  // Finishers: place, number, bracket on its colour, name, time.
  ClearLayout(finishers_);
  finisherCells_.clear();
  auto* fg = new QGridLayout(finishers_);
  fg->setContentsMargins(0, 0, 0, 0);
  fg->setHorizontalSpacing(1);
  fg->setVerticalSpacing(1);
  for (std::size_t i = 0; i < m.Finishers.size(); ++i) {
    const ResultsFinisherRow& r = m.Finishers[i];
    const QString n = QString::number(static_cast<int>(i));
    std::vector<QLabel*> row{Cell(finishers_, "Place" + n), Cell(finishers_, "Horse" + n),
                             Cell(finishers_, "Bracket" + n, Qt::AlignCenter),
                             Cell(finishers_, "Name" + n, Qt::AlignLeft | Qt::AlignVCenter),
                             Cell(finishers_, "Time" + n)};
    row[0]->setText(QString::number(r.place));
    row[1]->setText(QString::number(r.horse));
    row[2]->setText(r.bracket > 0 ? QString::number(r.bracket) : QString());
    Colours(row[2], r.bracketBack, r.bracketText);
    row[3]->setText(ToQ(r.nameCell));
    Colours(row[3], std::nullopt, r.nameColour);
    row[4]->setText(ToQ(r.time));
    for (int c = 0; c < 5; ++c) fg->addWidget(row[static_cast<std::size_t>(c)], static_cast<int>(i), c);
    finisherCells_.push_back(std::move(row));
  }
  fg->setColumnStretch(3, 1);

  // Payouts: one column per bet kind, each filled from the top in record order. Win shows the
  // payout only, in rows aligned with the horse numbers of the place column.
  ClearLayout(payouts_);
  auto* pg = new QGridLayout(payouts_);
  pg->setContentsMargins(0, 4, 0, 0);
  pg->setHorizontalSpacing(2);
  pg->setVerticalSpacing(1);
  int col = 0;
  for (int kind = 1; kind <= 5; ++kind) {
    const auto& cells = m.Payouts[static_cast<std::size_t>(kind)];
    auto& numbers = payoutNumbers_[static_cast<std::size_t>(kind)];
    auto& payouts = payoutCells_[static_cast<std::size_t>(kind)];
    numbers.clear();
    payouts.clear();
    const bool withNumbers = kind != 1;
    auto* head = new QLabel(ToQ(kKindCaptions[kind]), payouts_);
    head->setAlignment(Qt::AlignCenter);
    pg->addWidget(head, 0, col, 1, withNumbers ? 2 : 1);
    const int rows = std::max<int>(kPayoutColumnRows[static_cast<std::size_t>(kind)], static_cast<int>(cells.size()));
    for (int k = 0; k < rows; ++k) {
      const QString n = QString("%1_%2").arg(kind).arg(k);
      QLabel* num = nullptr;
      if (withNumbers) {
        num = Cell(payouts_, "PayNum" + n, Qt::AlignCenter);
        pg->addWidget(num, k + 1, col);
      }
      QLabel* pay = Cell(payouts_, "Pay" + n);
      pg->addWidget(pay, k + 1, withNumbers ? col + 1 : col);
      if (k < static_cast<int>(cells.size())) {
        const ResultsPayoutCell& c = cells[static_cast<std::size_t>(k)];
        if (num) num->setText(ToQ(c.numbers));
        pay->setText(ToQ(c.payout));
        pay->setProperty("hit", c.hit);
        Colours(pay, c.back, std::nullopt);
        numbers.push_back(num);
        payouts.push_back(pay);
      }
    }
    col += withNumbers ? 2 : 1;
  }

  refund_->setText(ToQ(m.RefundHorses));
  comment_->setText(ToQ(m.Comment));
  commentColour_ = m.CommentColour;
  Colours(comment_, std::nullopt, commentColour_);
  if (m.CommentBlinks) {
    blink_->start();
  } else {
    blink_->stop();
  }
  adjustSize();
}

void Fm98Kekka::Blink() {
  commentColour_ = commentColour_ == kCommentColour ? kCommentDimColour : kCommentColour;
  Colours(comment_, std::nullopt, commentColour_);
}

QLabel* Fm98Kekka::FinisherCell(int row, int column) const {
  if (row < 0 || row >= static_cast<int>(finisherCells_.size()) || column < 0 || column > 4) return nullptr;
  return finisherCells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

QLabel* Fm98Kekka::PayoutNumbers(int kind, int row) const {
  if (kind < 1 || kind > 5) return nullptr;
  const auto& v = payoutNumbers_[static_cast<std::size_t>(kind)];
  return row >= 0 && row < static_cast<int>(v.size()) ? v[static_cast<std::size_t>(row)] : nullptr;
}

QLabel* Fm98Kekka::PayoutCell(int kind, int row) const {
  if (kind < 1 || kind > 5) return nullptr;
  const auto& v = payoutCells_[static_cast<std::size_t>(kind)];
  return row >= 0 && row < static_cast<int>(v.size()) ? v[static_cast<std::size_t>(row)] : nullptr;
}

void Fm98Kekka::closeEvent(QCloseEvent* e) {
  blink_->stop();
  RememberWindow(this, s_.app, kWinIndex, kDefaultTop, kDefaultLeft);
  QWidget::closeEvent(e);
}

void CloseResultsWindow(QWidget* mainWindow) {
  if (!mainWindow) return;
  for (Fm98Kekka* w : mainWindow->findChildren<Fm98Kekka*>()) {
    w->close();
    delete w;  // gone at once, so that the next lookup finds only a fresh window
  }
}

Fm98Kekka* ShowResultsWindow(QWidget* mainWindow, Session& s) {
  CloseResultsWindow(mainWindow);
  BuildResultsWindow(s);
  auto* w = new Fm98Kekka(s, mainWindow);
  w->show();
  return w;
}

}  // namespace tz::ui
