#include "fm98_lists.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QToolBar>
#include <QVBoxLayout>

#include "dialog_buttons.h"
#include "exports/day_lists.h"
#include "fm98_main.h"
#include "progress_port.h"
#include "qt_user_port.h"

namespace tz::ui {

namespace {

QLabel* MakeLabel(QWidget* parent, const QString& name, int width) {
  auto* l = new QLabel(parent);
  l->setObjectName(name);
  l->setAlignment(Qt::AlignCenter);
  l->setMinimumWidth(width);
  l->setFrameShape(QFrame::Panel);
  l->setFrameShadow(QFrame::Sunken);
  return l;
}

// A grid of twelve race lines: caption, upset text, (leading letters,) six slots.
void BuildRaceGrid(QWidget* page, std::vector<ListRaceLabels>& out, int firstIndex, bool leading,
                   const QString& legendSlots, const QString& legendPoint) {
  auto* grid = new QGridLayout(page);
  grid->setContentsMargins(2, 2, 2, 2);
  grid->setSpacing(1);
  int col = 1;
  auto* point = new QLabel(legendPoint, page);
  point->setAlignment(Qt::AlignCenter);
  grid->addWidget(point, 0, col++);
  if (leading) ++col;
  for (int k = 0; k < 6; ++k) {
    auto* legend = new QLabel(legendSlots, page);
    legend->setAlignment(Qt::AlignCenter);
    grid->addWidget(legend, 0, col, 1, 3);
    col += 3;
  }
  for (int r = 1; r <= kMaxRaces; ++r) {
    const int i = firstIndex + r - 1;
    ListRaceLabels labels;
    labels.Lbrace = MakeLabel(page, QString("Lbrace_%1").arg(i), 30);
    labels.Lbtan = MakeLabel(page, QString("Lbtan_%1").arg(i), 48);
    int c = 0;
    grid->addWidget(labels.Lbrace, r, c++);
    grid->addWidget(labels.Lbtan, r, c++);
    if (leading) {
      labels.LbYoso = MakeLabel(page, QString("LbYoso_%1").arg(i), 24);
      grid->addWidget(labels.LbYoso, r, c++);
    }
    for (int k = 0; k < 6; ++k) {
      const int j = 6 * i + k;
      labels.Lbuma[k] = MakeLabel(page, QString("Lbuma_%1").arg(j), 32);
      labels.Lbninki[k] = MakeLabel(page, QString("Lbninki_%1").arg(j), 20);
      labels.Lbchaku[k] = MakeLabel(page, QString("Lbchaku_%1").arg(j), 20);
      grid->addWidget(labels.Lbuma[k], r, c++);
      grid->addWidget(labels.Lbninki[k], r, c++);
      grid->addWidget(labels.Lbchaku[k], r, c++);
    }
    out.push_back(labels);
  }
}

void RenderSlot(const ListRaceLabels& labels, int k, const LongshotSlot& slot) {
  RenderListLabel(labels.Lbuma[k], slot.Horse);
  RenderListLabel(labels.Lbninki[k], slot.Position);
  RenderListLabel(labels.Lbchaku[k], slot.Place);
}

QToolButton* AddToolButton(QToolBar* bar, const QString& name, const QString& caption,
                           bool checkable) {
  auto* b = new QToolButton(bar);
  b->setObjectName(name);
  b->setText(caption);
  b->setCheckable(checkable);
  b->setToolButtonStyle(Qt::ToolButtonTextOnly);
  bar->addWidget(b);
  return b;
}

// The frame of a list window: a window of its own that stays open when a race is selected, its
// layout, and the tool bar whose buttons 1..3 of `tools` choose a meeting with `showMeeting`.
// The caller adds its own buttons to the bar and then the bar to the layout.
template <std::size_t N, typename ShowMeeting>
std::pair<QVBoxLayout*, QToolBar*> BuildListWindow(QWidget* w, const char* name, const char* title,
                                                   std::array<QToolButton*, N>& tools,
                                                   ShowMeeting showMeeting) {
  w->setObjectName(name);
  w->setWindowFlag(Qt::Window, true);
  w->setAttribute(Qt::WA_DeleteOnClose);
  w->setWindowTitle(ToQ(title));
  auto* lay = new QVBoxLayout(w);
  lay->setContentsMargins(0, 0, 0, 0);
  auto* bar = new QToolBar(w);
  bar->setObjectName("Toolbar1");
  for (int m = 1; m <= 3; ++m) {
    tools[m] = AddToolButton(bar, QString("Meeting%1").arg(m), QString(), true);
    QObject::connect(tools[m], &QToolButton::clicked, w, [showMeeting, m] { showMeeting(m); });
  }
  bar->addSeparator();
  return {lay, bar};
}

// Meeting buttons 1..3 of a list window: the meetings' captions, the day's meetings shown.
template <std::size_t N>
void RenderMeetingButtons(const std::array<QToolButton*, N>& tools,
                          const std::array<std::string, 4>& captions, int meetingCount) {
  for (int m = 1; m <= 3; ++m) {
    tools[m]->setText(ToQ(captions[m]));
    tools[m]->setVisible(m <= meetingCount);
  }
}

// Tool button `index` of a list window; null outside the window's buttons.
template <std::size_t N>
QToolButton* ToolAt(const std::array<QToolButton*, N>& tools, int index) {
  return index >= 1 && index < static_cast<int>(N) ? tools[index] : nullptr;
}

}  // namespace

void RenderListLabel(QLabel* label, const ListLabel& model) {
  label->setText(ToQ(model.Text));
  QPalette pal = label->palette();
  pal.setColor(QPalette::WindowText, FromBgr(model.Fore));
  if (model.Back) {
    pal.setColor(QPalette::Window, FromBgr(*model.Back));
    label->setAutoFillBackground(true);
  } else {
    pal.setColor(QPalette::Window, label->parentWidget() ? label->parentWidget()->palette().color(QPalette::Window)
                                                         : QApplication::palette().color(QPalette::Window));
    label->setAutoFillBackground(false);
  }
  label->setPalette(pal);
  QFont f = label->font();
  f.setBold(model.Bold);
  label->setFont(f);
}

// ---- Fm98Mes ------------------------------------------------------------------------------

Fm98Mes::Fm98Mes(Session& s, UserPort& port, QWidget* parent)
    : GuardedDialog(parent), s_(s), port_(port) {
  setObjectName("Fm98Mes");
  setModal(true);
  const int kind = s_.batch.BatchKind;
  setWindowTitle(ToQ(kind == 1 ? "推奨穴馬一覧" : kind == 2 ? "予想値一覧" : ""));
  auto* lay = new QVBoxLayout(this);
  DialogButtons buttons = MakeDialogButtons(this, "Command1", "Command2", "START");
  start_ = buttons.ok;
  cancel_ = buttons.cancel;
  lay->addWidget(buttons.box);
  bar_ = new QProgressBar(this);
  bar_->setObjectName("ProgressBar1");
  bar_->setRange(0, 100);
  bar_->setValue(0);
  bar_->setVisible(false);
  lay->addWidget(bar_);
  connect(start_, &QPushButton::clicked, this, &Fm98Mes::Start);
  connect(cancel_, &QPushButton::clicked, this, &Fm98Mes::close);
}

void Fm98Mes::Start() {
  start_->setVisible(false);
  cancel_->setVisible(false);
  bar_->setVisible(true);
  QApplication::processEvents();
  const int kind = s_.batch.BatchKind;
  if (kind != 1 && kind != 2) {
    close();
    return;
  }
  if (beforeRun) beforeRun();
  // processed / CurrentDayOddsCount x 100; a day without odds files leaves the bar alone.
  ProgressBarPort port(port_, bar_, ProgressBarPort::WithoutTotal::Keep);
  if (kind == 1) {
    BuildLongshotList(s_, port);
  } else {
    BuildPredictedValuesList(s_, port);
  }
  ran_ = true;
  if (afterRun) afterRun();
  close();
}

bool Fm98Mes::Busy() const { return s_.batch.Running; }

// ---- Fm98Ana ------------------------------------------------------------------------------

Fm98Ana::Fm98Ana(Session& s, UserPort& port, QWidget* parent)
    : QWidget(parent), s_(s), port_(port) {
  const auto [lay, bar] =
      BuildListWindow(this, "Fm98Ana", "推奨穴馬一覧", tools_, [this](int m) { ShowMeeting(m); });
  tools_[5] = AddToolButton(bar, "ExportText", ToQ("ﾃｷｽﾄ"), false);
  tools_[5]->setToolTip(ToQ("推奨馬をﾃｷｽﾄﾌｧｲﾙに出力"));
  tools_[6] = AddToolButton(bar, "ExportCsv", "CSV", false);
  tools_[6]->setToolTip(ToQ("推奨馬をCSVﾌｧｲﾙに出力"));
  connect(tools_[5], &QToolButton::clicked, this, [this] { ExportLongshotText(s_, port_); });
  connect(tools_[6], &QToolButton::clicked, this, [this] { ExportLongshotCsv(s_, port_); });
  lay->addWidget(bar);
  pages_ = new QStackedWidget(this);
  for (int m = 1; m <= 3; ++m) {
    auto* page = new QWidget(pages_);
    page->setObjectName(QString("Picoptions_%1").arg(m - 1));
    BuildRaceGrid(page, races_, ListRaceIndex(m, 1), false, ToQ("No/人気/着"), "Point");
    pages_->addWidget(page);
  }
  lay->addWidget(pages_);
  Render();
}

QToolButton* Fm98Ana::ToolButton(int index) const { return ToolAt(tools_, index); }

const ListRaceLabels& Fm98Ana::Race(int meeting, int race) const {
  return races_[static_cast<std::size_t>(ListRaceIndex(meeting, race))];
}

void Fm98Ana::Render() {
  const LongshotListModel& list = s_.longshotList;
  RenderMeetingButtons(tools_, list.MeetingCaptions, list.MeetingCount);
  for (int m = 1; m <= 3; ++m) {
    for (int r = 1; r <= kMaxRaces; ++r) {
      const LongshotRace& race = list.Races[ListRaceIndex(m, r)];
      const ListRaceLabels& labels = Race(m, r);
      labels.Lbrace->setText(ToQ(race.Caption));
      labels.Lbtan->setText(ToQ(race.Upset));
      for (int k = 0; k < kLongshotSlots; ++k) RenderSlot(labels, k, race.Slots[k]);
    }
  }
  ShowMeeting(list.Page);
}

void Fm98Ana::ShowMeeting(int meeting) {
  if (meeting < 1 || meeting > 3) return;
  s_.longshotList.Page = meeting;
  for (int m = 1; m <= 3; ++m) {
    tools_[m]->setChecked(m == meeting);
    pages_->widget(m - 1)->setEnabled(m == meeting);
  }
  pages_->setCurrentIndex(meeting - 1);
}

// ---- Fm98RZ -------------------------------------------------------------------------------

Fm98RZ::Fm98RZ(Session& s, QWidget* parent) : QWidget(parent), s_(s) {
  const auto [lay, bar] =
      BuildListWindow(this, "Fm98RZ", "予想値一覧", tools_, [this](int m) { ShowMeeting(m); });
  for (int g = 1; g <= kPredictedGroups; ++g) {
    tools_[4 + g] = AddToolButton(bar, QString("Group%1").arg(g), ToQ(kPredictedGroupNames[g - 1]), true);
    connect(tools_[4 + g], &QToolButton::clicked, this, [this, g] { ShowGroup(g); });
  }
  lay->addWidget(bar);
  auto* page = new QWidget(this);
  page->setObjectName("Page");
  BuildRaceGrid(page, races_, 0, true, ToQ("No/人気/着"), "Point");
  lay->addWidget(page);
  // A new window starts on meeting 1 and group 1.
  s_.predictedList.Meeting = 1;
  s_.predictedList.Group = 1;
  Render();
}

QToolButton* Fm98RZ::ToolButton(int index) const { return ToolAt(tools_, index); }

void Fm98RZ::ShowMeeting(int meeting) {
  if (meeting < 1 || meeting > 3) return;
  s_.predictedList.Meeting = meeting;
  Render();
}

void Fm98RZ::ShowGroup(int group) {
  if (group < 1 || group > kPredictedGroups) return;
  s_.predictedList.Group = group;
  Render();
}

void Fm98RZ::Render() {
  const PredictedValuesListModel& list = s_.predictedList;
  RenderMeetingButtons(tools_, list.MeetingCaptions, list.MeetingCount);
  for (int m = 1; m <= 3; ++m) tools_[m]->setChecked(m == list.Meeting);
  for (int g = 1; g <= kPredictedGroups; ++g) tools_[4 + g]->setChecked(g == list.Group);
  const auto rows = PredictedPage(list, list.Meeting, list.Group);
  for (int r = 1; r <= kMaxRaces; ++r) {
    const PredictedPageRow& row = rows[static_cast<std::size_t>(r - 1)];
    const ListRaceLabels& labels = Race(r);
    labels.Lbrace->setText(ToQ(row.Caption));
    labels.Lbtan->setText(ToQ(row.Upset));
    labels.LbYoso->setText(ToQ(row.Leading));
    for (int k = 0; k < 6; ++k) RenderSlot(labels, k, row.Slots[k]);
  }
}

}  // namespace tz::ui
