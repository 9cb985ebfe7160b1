// 回収率ﾊﾞｯｸﾃｽﾄ on two saved days: the menu item, the dialog listing the saved days, the run in
// the background with its progress bar, the result window (the table sorted by a column, the
// bars against the 100 % line, the skipped day) and the CSV export.
#include <QAction>
#include <QApplication>

#include "backtest_window.h"
#include "samples/pat98/sample_day.h"
#include "samples/pat98/sample_results.h"
#include "text/sjis.h"
#include "ui_fixture.h"

using namespace tz;
using namespace tz::ui;
using namespace tz::ui::testing;

namespace {

// Two generated days with results and an empty dated folder in the store root.
void WriteSavedDays(const std::filesystem::path& store) {
  for (unsigned seed : {8u, 9u}) {
    const tz::SampleDay day = BuildSampleDay(seed, "2002111" + std::to_string(seed));
    const auto folder = store / ("2002-11-1" + std::to_string(seed));
    QCOMPARE(WriteSampleDay(day, folder), std::string());
    QCOMPARE(WriteSampleResults(day, folder), std::string());
  }
  std::filesystem::create_directories(store / "2002-11-20");
}

BacktestDialog* OpenDialog(Day& d) {
  auto* menu = d.w->findChild<QAction*>("MenuBacktest");
  if (!menu || menu->text() != QString::fromUtf8("回収率ﾊﾞｯｸﾃｽﾄ") || !menu->isEnabled()) return nullptr;
  menu->trigger();
  return d.w->findChild<BacktestDialog*>();
}

}  // namespace

class BacktestWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void runsTheSavedDaysAndShowsTheTableAndTheChart() {
    Day d;
    WriteSavedDays(d.s.app.StoreRoot);
    BacktestDialog* dlg = OpenDialog(d);
    QVERIFY(dlg && dlg->isVisible());
    QCOMPARE(dlg->windowTitle(), QString::fromUtf8("回収率ﾊﾞｯｸﾃｽﾄ"));
    QCOMPARE(dlg->Days()->count(), 3);
    QCOMPARE(dlg->Days()->item(0)->text(), QString("2002-11-18"));
    QCOMPARE(dlg->Days()->item(0)->checkState(), Qt::Checked);
    QVERIFY(!dlg->Bar()->isVisible());

    BacktestWindow* window = nullptr;
    connect(dlg, &BacktestDialog::finished, this, [&](BacktestWindow* w) { window = w; });
    dlg->StartButton()->click();
    QVERIFY(dlg->Bar()->isVisible());
    QVERIFY(!dlg->StartButton()->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(window != nullptr, 60000);
    QCOMPARE(dlg->Bar()->value(), 3);
    QVERIFY(window->isVisible());

    const BacktestWindowModel& m = window->Model();
    QVERIFY(m.summary.rfind("2日", 0) == 0);
    QTableWidget* t = window->Table();
    QCOMPARE(t->rowCount(), static_cast<int>(m.rows.size()));
    QCOMPARE(t->columnCount(), 9);
    QCOMPARE(t->horizontalHeaderItem(7)->text(), QString::fromUtf8("回収率"));
    QCOMPARE(t->item(0, 0)->text(), QString::fromUtf8("★"));
    // Sorting by 回収率 orders the rows by the number, not by its text.
    t->sortItems(7, Qt::DescendingOrder);
    for (int i = 1; i < t->rowCount(); ++i) {
      QVERIFY(t->item(i - 1, 7)->text().toDouble() >= t->item(i, 7)->text().toDouble());
    }
    t->sortItems(0, Qt::AscendingOrder);
    QCOMPARE(t->item(0, 0)->text(), QString::fromUtf8("★"));
    QCOMPARE(t->item(t->rowCount() - 1, 0)->text(), QString("Q2QN"));

    // A bar per row, its length against the 100 % line as its 回収率 against 100.
    BacktestChart* chart = window->Chart();
    chart->resize(600, chart->sizeHint().height());
    const int zero = chart->BarRect(0).left();
    const int hundred = chart->HundredLineX() - zero;
    QVERIFY(hundred > 0);
    for (int i = 0; i < static_cast<int>(m.rows.size()); ++i) {
      // Both lengths are whole pixels: the 100 % line's rounding grows with the rate.
      const double rate = m.rows[i].recovery;
      const double expected = hundred * rate / 100.0;
      QVERIFY2(std::abs(chart->BarRect(i).width() - expected) <= 1.0 + rate / 100.0,
               m.rows[i].group.c_str());
    }

    // The empty dated folder is listed as skipped.
    QVERIFY(!window->Skipped()->findItems("2002-11-20", Qt::MatchContains).isEmpty());

    // One day's own figures: its bets are a part of the whole run's.
    const int allBets = [&] {
      int n = 0;
      for (const auto& row : m.rows) n += row.bets;
      return n;
    }();
    QCOMPARE(window->DayChoice()->count(), 3);
    QCOMPARE(window->DayChoice()->itemText(0), QString::fromUtf8("全期間"));
    window->DayChoice()->setCurrentIndex(1);
    const BacktestWindowModel& day = window->Model();
    QVERIFY(day.summary.rfind("2002-11-18  ", 0) == 0);
    int dayBets = 0;
    for (const auto& row : day.rows) dayBets += row.bets;
    QVERIFY(dayBets > 0 && dayBets < allBets);
    QCOMPARE(t->rowCount(), static_cast<int>(day.rows.size()));
    QVERIFY(window->Skipped()->findItems("2002-11-20", Qt::MatchContains).isEmpty());
    window->DayChoice()->setCurrentIndex(0);

    test::TempDir out;
    QVERIFY(window->ExportCsv(out / "bt.csv"));
    const std::string csv = text::DecodeSjis(test::ReadAll(out / "bt.csv"));
    QVERIFY(csv.rfind("group,pool,races,bets,hits,stake,return,回収率,的中率\r\n", 0) == 0);
    QVERIFY(csv.find("\r\n★,win,") != std::string::npos);
    window->close();
  }

  void cancelStopsTheRunAndUntickedDaysAreLeftOut() {
    Day d;
    WriteSavedDays(d.s.app.StoreRoot);
    BacktestDialog* dlg = OpenDialog(d);
    QVERIFY(dlg);
    dlg->Days()->item(1)->setCheckState(Qt::Unchecked);
    BacktestWindow* window = nullptr;
    connect(dlg, &BacktestDialog::finished, this, [&](BacktestWindow* w) { window = w; });
    dlg->StartButton()->click();
    // Closing during the run is refused; ｷｬﾝｾﾙ stops it after the days already running.
    dlg->close();
    QVERIFY(dlg->isVisible());
    dlg->CancelButton()->click();
    QTRY_VERIFY_WITH_TIMEOUT(window != nullptr, 60000);
    for (const auto& day : window->Result().perDay) QVERIFY(day.folder.find("2002-11-19") == std::string::npos);
    for (const auto& line : window->Model().skipped) QVERIFY(line.find("2002-11-19") == std::string::npos);
    window->close();

    // Nothing ticked: the dialog says so and runs nothing.
    BacktestDialog* again = OpenDialog(d);
    QVERIFY(again);
    for (int i = 0; i < again->Days()->count(); ++i) again->Days()->item(i)->setCheckState(Qt::Unchecked);
    again->StartButton()->click();
    QVERIFY(!again->Running());
    QCOMPARE(d.port.Errors().size(), std::size_t(1));
  }
};

QTEST_MAIN(BacktestWindowTest)
#include "backtest_window_test.moc"
