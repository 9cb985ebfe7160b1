// The results window (競走成績) and the results list (競走成績一覧) on a generated day.
#include <QAction>
#include <QApplication>
#include <QTableWidget>

#include "fm98_kekka.h"
#include "fm98_list.h"
#include "samples/pat98/fixture_results.h"
#include "pat98/day_loader.h"
#include "results/results_reader.h"
#include "text/strings.h"
#include "ui_fixture.h"

using namespace tz;
using namespace tz::ui;
using namespace tz::ui::testing;

namespace {

// A results file for the selected race of the day: horses 1, 2, 3 in that order.
void WriteSelectedResults(const Day& d) {
  const RaceModel& r = d.s.race;
  fixture::ResultsFile f;
  f.course = r.CurrentCourse;
  f.yearDigit = r.OddsHeaderDigit;
  f.kai = r.OddsKai;
  f.day = r.OddsDay;
  f.race = r.CurrentRace;
  f.finishers = {{1, 1, "イチバン", "1.34.7"}, {2, 2, "ニバン", "1.34.9"}, {3, 3, "サンバン", "1.35.0"}};
  f.win = {{1, 320}};
  f.place = {{1, 130}, {2, 250}, {3, 180}};
  f.bracket = {{1, 1, 990}};
  f.quinella = {{1, 2, 1270}};
  f.wide = {{1, 2, 480}, {1, 3, 350}, {2, 3, 15200}};
  f.scratched = {5};
  fixture::WriteResultsFile(d.dayFolder, f);
}

QColor Back(const QLabel* l) { return l->palette().color(QPalette::Window); }
QColor Fore(const QLabel* l) { return l->palette().color(QPalette::WindowText); }

}  // namespace

class ResultsWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void resultsWindowRendersTheModel() {
    Day d;
    d.Select(1, 1);
    WriteSelectedResults(d);
    ReadRaceResults(d.s, d.port);
    QCOMPARE(d.s.results.ResultsAvailability, PayoutsFound::All);
    d.s.history.PayoutHit.assign(21, 0);
    d.s.history.PayoutHit[8] = 1;  // the 15200 wide payout
    d.s.history.MaxHitPayout = 15200;
    d.s.history.HitMessage = "万馬券が的中しています！";

    Fm98Kekka* k = ShowResultsWindow(d.w.get(), d.s);
    QVERIFY(k && k->isVisible());
    QCOMPARE(k->windowTitle(), QString::fromUtf8("競走成績"));
    QCOMPARE(k->parentWidget(), d.w.get());
    QCOMPARE(k->WeatherLabel()->text(), QString::fromUtf8("晴　"));
    QCOMPARE(k->GoingCaptionLabel()->text(), QString::fromUtf8("芝："));
    QCOMPARE(k->FinisherCell(0, 0)->text(), QString("1"));
    QCOMPARE(k->FinisherCell(1, 1)->text(), QString("2"));
    QCOMPARE(k->FinisherCell(0, 3)->text().trimmed(), QString::fromUtf8("ｲﾁﾊﾞﾝ"));
    QVERIFY(!k->FinisherCell(3, 0));
    // Bracket 1 on its colour.
    QCOMPARE(k->FinisherCell(0, 2)->text(), QString("1"));
    QCOMPARE(Back(k->FinisherCell(0, 2)), Bgr(d.s.app.BracketColors[0]));

    QCOMPARE(k->PayoutCell(1, 0)->text(), QString("320"));
    QVERIFY(!k->PayoutNumbers(1, 0));
    QCOMPARE(k->PayoutNumbers(2, 1)->text(), QString("2"));
    QCOMPARE(k->PayoutNumbers(5, 2)->text(), QString("2-3"));
    QCOMPARE(Back(k->PayoutCell(5, 2)), Bgr(kHitBackColour));
    QVERIFY(Back(k->PayoutCell(5, 1)) != Bgr(kHitBackColour));
    QCOMPARE(k->RefundLabel()->text(), QString("5"));
    QCOMPARE(k->CommentLabel()->text(), QString::fromUtf8("万馬券が的中しています！"));
    QVERIFY(d.s.history.PayoutHit == std::vector<int>(21, 0));

    // A big hit blinks: 255 and 128 alternate every 400 ms.
    QVERIFY(k->BlinkTimer()->isActive());
    QCOMPARE(k->BlinkTimer()->interval(), 400);
    QCOMPARE(Fore(k->CommentLabel()), Bgr(255));
    QTRY_COMPARE_WITH_TIMEOUT(Fore(k->CommentLabel()), Bgr(128), 2000);
    QTRY_COMPARE_WITH_TIMEOUT(Fore(k->CommentLabel()), Bgr(255), 2000);

    // Showing again replaces the window; a small hit does not blink.
    d.s.history.MaxHitPayout = 480;
    Fm98Kekka* again = ShowResultsWindow(d.w.get(), d.s);
    QCOMPARE(d.w->findChildren<Fm98Kekka*>().size(), 1);
    QVERIFY(!again->BlinkTimer()->isActive());
    QCOMPARE(Back(again->PayoutCell(5, 2)), Back(again->PayoutCell(5, 1)));  // flags were cleared

    // The position is remembered as Win1.
    again->move(again->x() + 40, again->y() + 30);
    const double leftBefore = d.s.app.settings.Windows.Left[1];
    CloseResultsWindow(d.w.get());
    QCOMPARE(d.w->findChildren<Fm98Kekka*>().size(), 0);
    QVERIFY(d.s.app.settings.Windows.Left[1] != leftBefore);
  }

  void resultsListFromTheMenu() {
    Day d;
    d.Select(1, 1);
    WriteSelectedResults(d);
    auto* item = d.w->findChild<QAction*>("MenuList");
    QVERIFY(item && item->isEnabled());
    QCOMPARE(item->shortcut(), QKeySequence("Ctrl+R"));
    item->trigger();
    auto* list = d.w->findChild<Fm98List*>();
    QVERIFY(list && list->isVisible());
    QCOMPARE(list->windowTitle(), QString::fromUtf8("競走成績一覧"));
    const MeetingRecord& first = d.s.race.MeetingInfo[1];
    QCOMPARE(list->MeetingButton(0)->text(),
             QString::fromStdString(text::Trim(RacecourseName(d.s.race, first.CourseCode, first.Year))));
    QVERIFY(list->MeetingButton(d.s.race.MeetingCount - 1));
    QVERIFY(!list->MeetingButton(d.s.race.MeetingCount));

    QTableWidget* t = list->Table();
    QCOMPARE(t->rowCount(), 12);
    QCOMPARE(t->columnCount(), 10);  // race, then number, name and jockey of three finishers
    QCOMPARE(t->item(0, 1)->text(), QString("1"));
    // The race card's name and jockey of horse 1.
    QCOMPARE(t->item(0, 2)->text().trimmed(), QString::fromStdString(text::Trim(d.s.race.HorseName[0])));
    QCOMPARE(t->item(0, 3)->text().trimmed(),
             QString::fromStdString(text::Trim(d.s.race.RaceCardRunners[0].Jockey)));

    list->PayoutsButton()->click();
    QCOMPARE(t->columnCount(), 19);
    QCOMPARE(t->item(0, 1)->text(), QString("1"));
    QCOMPARE(t->item(0, 2)->text(), QString("320"));
    QCOMPARE(t->item(0, 11)->text(), QString("01-02"));  // quinella pair

    list->MeetingButton(1)->click();
    QCOMPARE(d.s.resultsList.CurrentMeeting, 1);
    QCOMPARE(d.s.resultsList.CurrentPage, int(ResultsListModel::kPayoutsPage));
    list->FinishersButton()->click();
    QCOMPARE(t->columnCount(), 10);

    // The list of the day stays open while races are selected, a failed selection included.
    d.Select(1, 2);
    d.Select(2, 3);
    QVERIFY(d.w->findChild<Fm98List*>() && d.w->findChild<Fm98List*>()->isVisible());

    list->CloseButton()->click();
    QTRY_VERIFY(!d.w->findChild<Fm98List*>());

    // Opening another day closes it.
    item->trigger();
    QVERIFY(d.w->findChild<Fm98List*>());
    test::TempDir other;
    test::WriteOddsDay(other.path(), "20030112");
    d.w->OpenDataFolder(other.path());
    QTRY_VERIFY(!d.w->findChild<Fm98List*>() || !d.w->findChild<Fm98List*>()->isVisible());
  }

  // At their default places the results window and the history window, opened together by
  // the results command, do not cover each other.
  void resultsWindowLeavesTheHistoryWindowFree() {
    Day d;
    d.Select(1, 1);
    WriteSelectedResults(d);
    d.s.history.VoteList.clear();
    d.w->ShowResults();
    Fm98Kekka* k = d.w->findChild<Fm98Kekka*>();
    QVERIFY(k && k->isVisible());
    const auto& pos = d.s.app.settings.Windows;
    const QRect history(TwipsToPixels(pos.Left[2], k), TwipsToPixels(pos.Top[2], k), 200, 200);
    QVERIFY(!k->frameGeometry().intersects(history));
    QVERIFY(k->x() >= 0);

    // A place the user chose is kept.
    k->move(500, 300);
    CloseResultsWindow(d.w.get());
    d.w->ShowResults();
    QCOMPARE(d.w->findChild<Fm98Kekka*>()->pos(), QPoint(500, 300));
  }
};

QTEST_MAIN(ResultsWindowsTest)
#include "results_windows_test.moc"
