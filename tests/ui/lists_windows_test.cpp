// The batch dialog (Fm98Mes) and the two list windows (推奨穴馬一覧 Fm98Ana, 予想値一覧 Fm98RZ) on
// the bundled sample day.
#include <QAction>
#include <QApplication>
#include <QTimer>

#include "exports/day_lists.h"
#include "fm98_lists.h"
#include "ui_fixture.h"

using namespace tz;
using namespace tz::ui;
using namespace tz::ui::testing;

namespace {

QColor Back(const QLabel* l) { return l->palette().color(QPalette::Window); }
QColor Fore(const QLabel* l) { return l->palette().color(QPalette::WindowText); }

struct SeenDialog {
  QString title;
  bool barVisibleBefore = true;
  bool startVisible = false;
};

// Opens the menu item and presses START in the dialog once it shows.
SeenDialog RunFromMenu(Day& d, const char* menu) {
  SeenDialog seen;
  QTimer::singleShot(0, [&] {
    auto* mes = qobject_cast<Fm98Mes*>(QApplication::activeModalWidget());
    if (!mes) mes = d.w->findChild<Fm98Mes*>();
    if (!mes) return;
    seen.title = mes->windowTitle();
    seen.barVisibleBefore = mes->Bar()->isVisible();
    seen.startVisible = mes->StartButton()->isVisible();
    mes->StartButton()->click();
  });
  QAction* a = d.w->findChild<QAction*>(menu);
  if (a && a->isEnabled()) a->trigger();
  return seen;
}

}  // namespace

class ListsWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void longshotRunFromTheMenuFillsTheWindow() {
    Day d(SampleDay());
    d.Select(2, 5);
    QVERIFY(d.s.mainWindow.RaceShown);
    const int meetingBefore = d.s.race.CurrentMeeting;
    // What the main window shows of 京都5R before the run.
    const char* header[] = {"lblkai", "lblrace", "Lbltime", "Lbm", "Lbtime", "LbKaburi", "LbDown", "Lbjval"};
    QStringList before;
    for (const char* name : header) before << d.w->findChild<QLabel*>(name)->text();
    const QString timeTip = d.w->TimeLabel()->toolTip();
    const QString favourite = d.Cell("odztan", 0)->text;
    d.Click("odztan", 0);  // a bet mark on the favourite's win odds

    const SeenDialog seen = RunFromMenu(d, "MenuAna");
    QCOMPARE(seen.title, QString::fromUtf8("推奨穴馬一覧"));
    QVERIFY(seen.startVisible);
    QVERIFY(!seen.barVisibleBefore);

    Fm98Ana* ana = d.w->findChild<Fm98Ana*>();
    QVERIFY(ana && ana->isVisible());
    QVERIFY(!d.w->findChild<Fm98Mes*>() || !d.w->findChild<Fm98Mes*>()->isVisible());
    QVERIFY(!d.s.batch.Running);
    QCOMPARE(d.s.race.CurrentMeeting, meetingBefore);
    // The race buttons are reset; the race on screen stays as it was: its header (the distance
    // and post time of the same race), its odds area with the user's mark, the tool bar.
    for (int b = 5; b <= 17; ++b) QVERIFY(!d.w->RaceButton(b)->isChecked());
    QVERIFY(d.s.mainWindow.RaceShown);
    QVERIFY(d.w->Odds()->isVisible());
    QVERIFY(d.w->ToolButton(14)->isEnabled());
    QStringList after;
    for (const char* name : header) after << d.w->findChild<QLabel*>(name)->text();
    QCOMPARE(after, before);
    QVERIFY(d.w->TimeLabel()->isVisible());
    QCOMPARE(d.w->TimeLabel()->toolTip(), timeTip);
    QCOMPARE(d.Cell("odztan", 0)->text, favourite);
    QCOMPARE(d.Cell("odztan", 0)->back, Bgr(colours::kMark));
    QCOMPARE(d.s.race.CurrentRace, 5);
    QVERIFY(d.port.Errors().empty());

    // The window shows the list: meeting buttons, race lines, marks, colours.
    const LongshotListModel& list = d.s.longshotList;
    QCOMPARE(ana->ToolButton(1)->text(), QString::fromStdString(list.MeetingCaptions[1]));
    QVERIFY(ana->ToolButton(3)->isVisibleTo(ana));
    QVERIFY(ana->ToolButton(1)->isChecked());
    int shown = 0;
    for (int m = 1; m <= 3; ++m) {
      for (int r = 1; r <= 12; ++r) {
        const LongshotRace& race = list.Races[ListRaceIndex(m, r)];
        const ListRaceLabels& labels = ana->Race(m, r);
        QCOMPARE(labels.Lbrace->text(), QString("%1R").arg(r));
        QCOMPARE(labels.Lbtan->text(), QString::fromStdString(race.Upset));
        for (int k = 0; k < 6; ++k) {
          const LongshotSlot& slot = race.Slots[k];
          QCOMPARE(labels.Lbuma[k]->text(), QString::fromStdString(slot.Horse.Text));
          QCOMPARE(labels.Lbninki[k]->text(), QString::fromStdString(slot.Position.Text));
          if (slot.Horse.Text.empty()) continue;
          ++shown;
          QCOMPARE(Back(labels.Lbninki[k]), Bgr(*slot.Position.Back));
          if (!slot.Place.Text.empty()) {
            QCOMPARE(labels.Lbchaku[k]->text(), QString::fromStdString(slot.Place.Text));
            QCOMPARE(Fore(labels.Lbchaku[k]), Bgr(slot.Place.Fore));
            QCOMPARE(labels.Lbchaku[k]->font().bold(), slot.Place.Bold);
          }
        }
      }
    }
    QVERIFY(shown > 0);

    // Meeting buttons switch the page.
    ana->ToolButton(2)->click();
    QCOMPARE(ana->Meeting(), 2);
    QVERIFY(ana->ToolButton(2)->isChecked());
    QVERIFY(!ana->ToolButton(1)->isChecked());
    QVERIFY(ana->Race(2, 1).Lbrace->isVisibleTo(ana));
    QVERIFY(!ana->Race(1, 1).Lbrace->isVisibleTo(ana));

    // The text button writes the export into the export folder.
    const auto out = d.home / "csv";
    std::filesystem::create_directories(out);
    d.s.app.settings.CSVpath = out.string();
    ana->ToolButton(5)->click();
    QVERIFY(std::filesystem::exists(out / "1020推奨馬.txt"));
    ana->ToolButton(6)->click();
    QVERIFY(std::filesystem::exists(out / "1020推奨馬.csv"));

    // Selecting a race afterwards leaves the list open.
    d.Select(1, 1);
    QVERIFY(d.w->findChild<Fm98Ana*>());

    // A second run replaces the window.
    RunFromMenu(d, "MenuAna");
    QTRY_COMPARE(d.w->findChildren<Fm98Ana*>().size(), qsizetype(1));
  }

  void predictedRunShowsGroupsPerMeeting() {
    Day d(SampleDay());
    const SeenDialog seen = RunFromMenu(d, "MenuRZ");
    QCOMPARE(seen.title, QString::fromUtf8("予想値一覧"));
    Fm98RZ* rz = d.w->findChild<Fm98RZ*>();
    QVERIFY(rz && rz->isVisible());
    QVERIFY(rz->ToolButton(1)->isChecked());
    QVERIFY(rz->ToolButton(5)->isChecked());
    QCOMPARE(rz->ToolButton(7)->text(), QString("Z"));

    auto check = [&](int meeting, int group) {
      const auto page = PredictedPage(d.s.predictedList, meeting, group);
      for (int r = 1; r <= 12; ++r) {
        const PredictedPageRow& row = page[r - 1];
        const ListRaceLabels& labels = rz->Race(r);
        QCOMPARE(labels.Lbtan->text(), QString::fromStdString(row.Upset));
        QCOMPARE(labels.LbYoso->text(), QString::fromStdString(row.Leading));
        for (int k = 0; k < 6; ++k) {
          QCOMPARE(labels.Lbuma[k]->text(), QString::fromStdString(row.Slots[k].Horse.Text));
          QCOMPARE(labels.Lbninki[k]->text(), QString::fromStdString(row.Slots[k].Position.Text));
          QCOMPARE(labels.Lbchaku[k]->text(), QString::fromStdString(row.Slots[k].Place.Text));
          if (row.Slots[k].Horse.Back) QCOMPARE(Back(labels.Lbuma[k]), Bgr(*row.Slots[k].Horse.Back));
        }
      }
    };
    check(1, 1);
    rz->ToolButton(7)->click();  // Z
    QCOMPARE(d.s.predictedList.Group, 3);
    QVERIFY(rz->ToolButton(7)->isChecked());
    QVERIFY(!rz->ToolButton(5)->isChecked());
    check(1, 3);
    rz->ToolButton(3)->click();
    QVERIFY(rz->ToolButton(3)->isChecked());
    check(3, 3);
    // The favourite's odds in slot 5 of an analysed race.
    QVERIFY(!rz->Race(1).Lbninki[5]->text().isEmpty());
  }

  void batchDialogRefusesToCloseDuringARun() {
    Day d(SampleDay());
    d.s.batch.BatchKind = 1;
    Fm98Mes mes(d.s, d.port, d.w.get());
    mes.show();
    d.s.batch.Running = true;
    mes.close();
    QVERIFY(mes.isVisible());
    QTest::keyClick(&mes, Qt::Key_Escape);
    QVERIFY(mes.isVisible());
    d.s.batch.Running = false;
    mes.CancelButton()->click();
    QVERIFY(!mes.isVisible());
    QVERIFY(!mes.Ran());

    // Another kind closes the dialog without a run.
    d.s.batch.BatchKind = 3;
    Fm98Mes other(d.s, d.port, d.w.get());
    other.show();
    other.StartButton()->click();
    QVERIFY(!other.isVisible());
    QVERIFY(!other.Ran());
  }
};

QTEST_MAIN(ListsWindowsTest)
#include "lists_windows_test.moc"
