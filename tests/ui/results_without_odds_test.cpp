// The main window on a day without odds (the real 2008-09-13 JRDB files imported): a race is
// picked with its race button and its results opened with 結果, as for any race.
#include <QApplication>

#include "fm98_kekka.h"
#include "jrdb/jrdb_import.h"
#include "pat98/day_view_model.h"
#include "ui_fixture.h"

using namespace tz;
using namespace tz::ui;
using namespace tz::ui::testing;

namespace {

// The day imported into a folder of its own.
std::filesystem::path ImportedDay(const test::TempDir& dir) {
  const auto source = std::filesystem::path(TAZUNA_SOURCE_DIR) / "tests" / "data" / "jrdb-20080913";
  const jrdb::ImportReport rep = jrdb::ImportJrdbDay(source, dir / "day", false);
  if (!rep.ok) qWarning("%s", rep.error.c_str());
  return dir / "day";
}

QString LabelText(const QWidget* w, const char* name) {
  const auto* l = w->findChild<QLabel*>(name);
  return l ? l->text() : QString("<missing>");
}

}  // namespace

class ResultsWithoutOddsTest : public QObject {
  Q_OBJECT

 private slots:
  void raceWithoutOddsIsPickedAndItsResultsOpened() {
    test::TempDir dir;
    Day d(ImportedDay(dir));
    d.w->PressMeeting(2);
    QToolButton* race7 = d.w->RaceButton(4 + 7);
    QVERIFY(race7);
    QVERIFY(race7->isEnabled());
    QCOMPARE(race7->toolTip(), QString::fromUtf8(kResultsOnlyRaceTip));
    QVERIFY(!d.w->ToolButton(12)->isEnabled());

    QTest::mouseClick(race7, Qt::LeftButton);
    QVERIFY(race7->isChecked());
    QVERIFY(!d.w->Odds()->isVisible());
    QCOMPARE(LabelText(d.w.get(), "lblkai"), QString::fromUtf8("中山 4回 1日  7R"));
    QVERIFY(d.w->ToolButton(12)->isEnabled());
    QVERIFY(!d.w->ToolButton(4)->isEnabled());   // prediction: nothing to predict from
    QVERIFY(!d.w->ToolButton(14)->isEnabled());  // no bets without odds
    QVERIFY(d.port.messages.empty());

    QTest::mouseClick(d.w->ToolButton(12), Qt::LeftButton);
    auto* k = d.w->findChild<Fm98Kekka*>();
    QVERIFY(k && k->isVisible());
    QVERIFY(d.port.messages.empty());
    // 4 won at 6.8 from 5 and 9; 14 was excluded. Brackets from the race card (two a bracket).
    QCOMPARE(k->FinisherCell(0, 1)->text(), QString("4"));
    QCOMPARE(k->FinisherCell(0, 2)->text(), QString("2"));
    QCOMPARE(k->FinisherCell(1, 1)->text(), QString("5"));
    QCOMPARE(k->FinisherCell(2, 1)->text(), QString("9"));
    QCOMPARE(k->PayoutCell(1, 0)->text(), QString("680"));
    QVERIFY(!k->PayoutCell(4, 0));  // no quinella payout without the payout file
    QCOMPARE(k->RefundLabel()->text(), QString("14"));

    // The day opened afresh: no race picked, no header, no results command.
    d.w->OpenDataFolder(d.dayFolder);
    QCOMPARE(LabelText(d.w.get(), "lblkai"), QString());
    QVERIFY(!d.w->ToolButton(12)->isEnabled());
    QTRY_VERIFY(!d.w->findChild<Fm98Kekka*>());
  }

  void aDayWithOddsKeepsItsRaceButtons() {
    Day d;  // a generated day: every race has its odds file
    d.w->PressMeeting(1);
    for (int race = 1; race <= 12; ++race) {
      QToolButton* b = d.w->RaceButton(4 + race);
      QVERIFY(b->toolTip().isEmpty());
    }
    d.Select(1, 1);
    QVERIFY(d.w->Odds()->isVisible());
    QVERIFY(d.w->ToolButton(4)->isEnabled());
    QVERIFY(!d.s.mainWindow.ResultsOnly);
  }
};

QTEST_MAIN(ResultsWithoutOddsTest)
#include "results_without_odds_test.moc"
