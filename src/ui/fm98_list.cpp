#include "fm98_list.h"

#include <QHeaderView>
#include <QToolBar>
#include <QVBoxLayout>

#include "qt_user_port.h"
#include "text/strings.h"
#include "results/results_window_model.h"

namespace tz::ui {

namespace {

QToolButton* Button(QToolBar* bar, const QString& name, const QString& caption) {
  auto* b = new QToolButton(bar);
  b->setObjectName(name);
  b->setText(caption);
  b->setToolButtonStyle(Qt::ToolButtonTextOnly);
  bar->addWidget(b);
  return b;
}

void Put(QTableWidget* t, int row, int col, const std::string& text, Qt::Alignment align = Qt::AlignRight | Qt::AlignVCenter) {
  auto* item = new QTableWidgetItem(ToQ(text));
  item->setTextAlignment(align);
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  t->setItem(row, col, item);
}

}  // namespace

Fm98List::Fm98List(Session& s, QWidget* parent) : QWidget(parent), s_(s) {
  setObjectName("Fm98List");
  setWindowFlag(Qt::Window, true);
  setAttribute(Qt::WA_DeleteOnClose);
  // A list of the whole day: it stays open while races are selected (no "auxWindow" mark);
  // opening another day closes it with every other window.
  setWindowTitle(ToQ("競走成績一覧"));

  auto* lay = new QVBoxLayout(this);
  lay->setContentsMargins(2, 2, 2, 2);
  auto* bar = new QToolBar(this);
  bar->setObjectName("Toolbar1");
  lay->addWidget(bar);
  const ResultsListModel& m = s_.resultsList;
  for (std::size_t i = 0; i < m.Meetings.size(); ++i) {
    QToolButton* b = Button(bar, QString("Meeting%1").arg(i + 1), ToQ(text::Trim(m.Meetings[i].courseName)));
    b->setCheckable(true);
    connect(b, &QToolButton::clicked, this, [this, i] { ShowMeeting(static_cast<int>(i)); });
    meetingButtons_.push_back(b);
  }
  bar->addSeparator();
  finishersButton_ = Button(bar, "PageFinishers", ToQ("着順"));
  payoutsButton_ = Button(bar, "PagePayouts", ToQ("払戻"));
  finishersButton_->setCheckable(true);
  payoutsButton_->setCheckable(true);
  connect(finishersButton_, &QToolButton::clicked, this, [this] { ShowPage(ResultsListModel::kFinishersPage); });
  connect(payoutsButton_, &QToolButton::clicked, this, [this] { ShowPage(ResultsListModel::kPayoutsPage); });
  bar->addSeparator();
  closeButton_ = Button(bar, "CloseList", ToQ("閉じる"));
  connect(closeButton_, &QToolButton::clicked, this, &QWidget::close);

  table_ = new QTableWidget(this);
  table_->setObjectName("ListTable");
  table_->verticalHeader()->setVisible(false);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  lay->addWidget(table_);
  resize(900, 420);
  Render();
}

QToolButton* Fm98List::MeetingButton(int index) const {
  return index >= 0 && index < static_cast<int>(meetingButtons_.size()) ? meetingButtons_[static_cast<std::size_t>(index)] : nullptr;
}

void Fm98List::ShowMeeting(int index) {
  if (index < 0 || index >= static_cast<int>(s_.resultsList.Meetings.size())) return;
  s_.resultsList.CurrentMeeting = index;
  Render();
}

void Fm98List::ShowPage(int page) {
  s_.resultsList.CurrentPage = page == ResultsListModel::kPayoutsPage ? page : ResultsListModel::kFinishersPage;
  Render();
}

void Fm98List::Render() {
  const ResultsListModel& m = s_.resultsList;
  const bool payouts = m.CurrentPage == ResultsListModel::kPayoutsPage;
  finishersButton_->setChecked(!payouts);
  payoutsButton_->setChecked(payouts);
  for (std::size_t i = 0; i < meetingButtons_.size(); ++i) {
    meetingButtons_[i]->setChecked(static_cast<int>(i) == m.CurrentMeeting);
  }

  QStringList heads{"R"};
  if (payouts) {
    const char* kinds[] = {"単勝", "複勝", "複勝", "複勝", "枠連", "馬連", "ワイド", "ワイド", "ワイド"};
    for (const char* k : kinds) heads << ToQ(k) << ToQ("払戻");
  } else {
    for (const char* k : {"1着", "2着", "3着"}) heads << ToQ(k) << ToQ("馬名") << ToQ("騎手");
  }
  table_->clear();
  table_->setColumnCount(static_cast<int>(heads.size()));
  table_->setHorizontalHeaderLabels(heads);
  table_->setRowCount(0);
  if (m.CurrentMeeting < 0 || m.CurrentMeeting >= static_cast<int>(m.Meetings.size())) return;
  const ResultsListMeeting& meeting = m.Meetings[static_cast<std::size_t>(m.CurrentMeeting)];
  table_->setRowCount(kMaxRaces);
  for (int r = 0; r < kMaxRaces; ++r) {
    const ResultsListRace& race = meeting.races[static_cast<std::size_t>(r)];
    Put(table_, r, 0, std::to_string(race.race) + "R");
    int col = 1;
    if (payouts) {
      std::vector<const ResultsListItem*> items{&race.win, &race.place[0], &race.place[1], &race.place[2],
                                                &race.bracket, &race.quinella, &race.wide[0], &race.wide[1],
                                                &race.wide[2]};
      for (const ResultsListItem* it : items) {
        Put(table_, r, col++, it->numbers, Qt::AlignCenter);
        Put(table_, r, col++, it->payout);
      }
    } else {
      for (const ResultsListFinisher& f : race.finishers) {
        Put(table_, r, col++, f.number);
        Put(table_, r, col++, f.name, Qt::AlignLeft | Qt::AlignVCenter);
        Put(table_, r, col++, f.jockey, Qt::AlignLeft | Qt::AlignVCenter);
      }
    }
  }
  table_->resizeColumnsToContents();
}

}  // namespace tz::ui
