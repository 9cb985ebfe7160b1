#include "fm98_log.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QVBoxLayout>

#include "aux_windows.h"
#include "fm98_main.h"
#include "qt_user_port.h"
#include "results/history.h"

namespace tz::ui {

namespace {

constexpr int kWinIndex = 2;            // Win2Top / Win2Left
constexpr double kDefaultTop = 2020;    // twips
constexpr double kDefaultLeft = 7335;

QLabel* Amount(QWidget* parent, const char* name) {
  auto* l = new QLabel(parent);
  l->setObjectName(name);
  l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  l->setMinimumWidth(l->fontMetrics().horizontalAdvance("-9999999") + 8);
  return l;
}

}  // namespace

Fm98Log::Fm98Log(Session& s, QWidget* parent) : QWidget(parent), s_(s) {
  setObjectName("Fm98Log");
  setWindowFlag(Qt::Window, true);
  setAttribute(Qt::WA_DeleteOnClose);
  setProperty("auxWindow", true);

  auto* lay = new QVBoxLayout(this);
  lay->setContentsMargins(4, 4, 4, 4);
  text_ = new QPlainTextEdit(this);
  text_->setObjectName("TxtLog");
  text_->setReadOnly(true);
  text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  // The lines are aligned in columns: a fixed-pitch font with its own kana and kanji keeps
  // every line, the ワ line too, in one font.
  text_->setFont(JapaneseFixedFont());
  const QFontMetrics fm(text_->font());
  text_->setMinimumSize(fm.horizontalAdvance(ToQ(" ワ 18-18 100000  ○")) + 40, fm.height() * 10);
  lay->addWidget(text_, 1);

  totals_ = new QWidget(this);
  totals_->setObjectName("PicTotal");
  auto* grid = new QGridLayout(totals_);
  grid->setContentsMargins(0, 0, 0, 0);
  const auto& w = s_.historyWindow;
  const std::pair<const std::string*, const char*> labels[] = {
      {&w.StakeLabel, "LblStakeCaption"}, {&w.ReturnLabel, "LblReturnCaption"},
      {&w.BalanceLabel, "LblBalanceCaption"}};
  for (int i = 0; i < 3; ++i) {
    auto* caption = new QLabel(ToQ(*labels[i].first), totals_);
    caption->setObjectName(labels[i].second);
    grid->addWidget(caption, i, 0);
  }
  stake_ = Amount(totals_, "LblStake");
  return_ = Amount(totals_, "LblReturn");
  balance_ = Amount(totals_, "LblBalance");
  grid->addWidget(stake_, 0, 1);
  grid->addWidget(return_, 1, 1);
  grid->addWidget(balance_, 2, 1);
  lay->addWidget(totals_);

  PlaceWindow(this, s_.app, kWinIndex);
  Render();
}

void Fm98Log::Render() {
  const HistoryWindowModel& w = s_.historyWindow;
  setWindowTitle(ToQ(w.Caption));
  text_->setPlainText(ToQ(w.Text));
  stake_->setText(ToQ(w.StakeText));
  return_->setText(ToQ(w.ReturnText));
  balance_->setText(ToQ(w.BalanceText));
  QPalette pal = balance_->palette();
  pal.setColor(QPalette::WindowText, FromBgr(w.BalanceColor));
  balance_->setPalette(pal);
  totals_->setVisible(w.TotalsVisible);
}

void Fm98Log::closeEvent(QCloseEvent* e) {
  RememberWindow(this, s_.app, kWinIndex, kDefaultTop, kDefaultLeft);
  QWidget::closeEvent(e);
}

void CloseHistoryWindow(QWidget* mainWindow) {
  if (!mainWindow) return;
  for (Fm98Log* w : mainWindow->findChildren<Fm98Log*>()) {
    w->close();
    delete w;  // gone at once, so that the next lookup finds only the fresh window
  }
}

Fm98Log* ShowHistoryWindow(QWidget* mainWindow, Session& s, bool showTotals) {
  CloseHistoryWindow(mainWindow);
  BuildHistoryWindow(s, showTotals);
  auto* w = new Fm98Log(s, mainWindow);
  w->show();
  return w;
}

}  // namespace tz::ui
