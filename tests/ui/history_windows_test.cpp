// The 履歴 and 結果 buttons on a generated day with results and a voting log: the history
// window with and without totals, the marks of the votes and finishers in the odds area, the
// hit message and the results window.
#include <QApplication>
#include <QGlyphRun>
#include <QPlainTextEdit>
#include <QTextLayout>

#include "fm98_kekka.h"
#include "fm98_log.h"
#include "samples/pat98/fixture_results.h"
#include "samples/pat98/fixture_voting_log.h"
#include "ui_fixture.h"

using namespace tz;
using namespace tz::ui;
using namespace tz::ui::testing;

namespace {

fixture::LoggedVote Vote(int race, int kind, int a, int b, int units, int saleKind = 1) {
  fixture::LoggedVote v;
  v.saleKind = saleKind;
  v.course = 6;
  v.race = race;
  v.kind = kind;
  v.first = a;
  v.second = b;
  v.units = units;
  return v;
}

// The generated day of 5 January 2003 with the results of 中山 race 5 and votes on races 5
// and 7 (race 7 has no results).
std::filesystem::path PrepareDay(const test::TempDir& dir) {
  const auto folder = dir / "day";
  std::filesystem::create_directories(folder);
  test::WriteOddsDay(folder);
  fixture::ResultsFile f;
  f.course = 6;
  f.yearDigit = 3;
  f.kai = 1;
  f.day = 1;
  f.race = 5;
  f.finishers = {{1, 3, "ウイナー", "1.34.5"}, {2, 7, "セカンド", "1.34.7"}, {3, 1, "サード", "1.34.8"},
                 {4, 9, "フォース", "1.35.0"}};
  f.win = {{3, 560}};
  f.place = {{3, 160}, {7, 420}, {1, 250}};
  f.bracket = {{3, 6, 1990}};
  f.quinella = {{3, 7, 12340}};
  f.wide = {{3, 7, 2000}, {1, 3, 400}, {1, 7, 900}};
  fixture::WriteResultsFile(folder, f);
  const std::string err = fixture::WriteVotingLog(
      folder, {{"00001", "20030104", {Vote(5, 4, 3, 7, 1, 2)}},
               {"00002", "20030105", {Vote(5, 1, 0, 3, 2), Vote(5, 2, 0, 5, 3), Vote(7, 4, 1, 2, 4)}}});
  if (!err.empty()) qFatal("%s", err.c_str());
  return folder;
}

QStringList TextLines(const Fm98Log* log) {
  return log->TextBox()->toPlainText().remove('\r').split('\n', Qt::SkipEmptyParts);
}

int RowOf(const Day& d, int horse) {
  for (int p = 1; p <= d.s.mainWindow.RunnerCount; ++p) {
    if (d.s.race.HorseOrder[p] == horse) return p - 1;
  }
  return -1;
}

const QColor kMark = Bgr(0xE0E0E0);

}  // namespace

class HistoryWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void historyButtonShowsTheVotesWithoutTotals() {
    test::TempDir dir;
    Day d(PrepareDay(dir));
    d.Select(1, 5);
    QVERIFY(d.w->ToolButton(11)->isEnabled());
    d.w->ToolButton(11)->click();
    auto* log = d.w->findChild<Fm98Log*>();
    QVERIFY(log && log->isVisible());
    QCOMPARE(log->windowTitle(), QString::fromUtf8("履歴"));
    QCOMPARE(TextLines(log), (QStringList{QString::fromUtf8(" 単  3       200 "),
                                          QString::fromUtf8(" 複  5       300 "),
                                          QString::fromUtf8("*馬  3- 7    100 ")}));
    QVERIFY(log->TotalsPanel()->isHidden());
    // The voted cells carry the mark colour in the odds area.
    QCOMPARE(d.Cell("odztan", RowOf(d, 3))->back, kMark);
    QCOMPARE(d.Cell("odzfuk", RowOf(d, 5))->back, kMark);
    const int r3 = RowOf(d, 3), r7 = RowOf(d, 7);
    QCOMPARE(d.Cell("odzuma", std::max(r3, r7), std::min(r3, r7))->back, kMark);
    QVERIFY(d.Cell("odztan", RowOf(d, 7))->back != kMark);
    QVERIFY(d.port.messages.empty());

    // Pressed again: one fresh window.
    d.w->ToolButton(11)->click();
    QCOMPARE(d.w->findChildren<Fm98Log*>().size(), qsizetype(1));
  }

  // The history lines stand in columns in one font: the kind characters of every line (ワ of
  // a wide vote too) come from the same font, each as wide as two digits.
  void historyLinesShareOneFont() {
    test::TempDir dir;
    Day d(PrepareDay(dir));
    d.Select(1, 5);
    d.w->ToolButton(11)->click();
    auto* log = d.w->findChild<Fm98Log*>();
    QVERIFY(log);
    const QFont font = log->TextBox()->font();
    QTextLayout layout(QString::fromUtf8("単複枠馬ワ"), font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    const auto runs = layout.glyphRuns();
    QCOMPARE(runs.size(), qsizetype(1));
    const QFontMetrics fm(font);
    const int digit = fm.horizontalAdvance('1');
    for (const char* kind : {"単", "複", "枠", "馬", "ワ"}) {
      QCOMPARE(fm.horizontalAdvance(QString::fromUtf8(kind)), 2 * digit);
    }
  }

  void historyButtonWithoutVotesOpensNothing() {
    test::TempDir dir;
    Day d(PrepareDay(dir));
    d.Select(1, 6);
    d.w->ToolButton(11)->click();
    QVERIFY(!d.w->findChild<Fm98Log*>());
  }

  void resultsButtonShowsHitsTotalsAndFinishers() {
    test::TempDir dir;
    Day d(PrepareDay(dir));
    d.s.app.settings.HitWait = 1;
    d.Select(1, 5);
    d.w->ToolButton(12)->click();
    // The hit message first, in an OK box.
    QCOMPARE(d.port.messages.size(), size_t(1));
    QCOMPARE(d.port.messages[0].text, std::string("万馬券が的中しています！"));
    auto* log = d.w->findChild<Fm98Log*>();
    QVERIFY(log && log->isVisible());
    QCOMPARE(TextLines(log), (QStringList{QString::fromUtf8(" 単  3       200  ○"),
                                          QString::fromUtf8(" 複  5       300  ×"),
                                          QString::fromUtf8("*馬  3- 7    100  ○")}));
    QVERIFY(!log->TotalsPanel()->isHidden());
    QCOMPARE(log->StakeLabel()->text(), QString("600"));
    QCOMPARE(log->ReturnLabel()->text(), QString("13460"));
    QCOMPARE(log->BalanceLabel()->text(), QString("+12860"));
    QVERIFY(log->BalanceLabel()->palette().color(QPalette::WindowText) != QColor(Qt::red));
    auto* kekka = d.w->findChild<Fm98Kekka*>();
    QVERIFY(kekka && kekka->isVisible());
    // The finishers on the synthetic win column: places 1-3 red, 1-2 bold, 4 blue.
    const PaintCell* first = d.Cell("odzren", RowOf(d, 3));
    QCOMPARE(first->fore, QColor(Qt::red));
    QVERIFY(first->bold);
    QCOMPARE(first->tip, QString::fromUtf8("1着"));
    const PaintCell* third = d.Cell("odzren", RowOf(d, 1));
    QCOMPARE(third->fore, QColor(Qt::red));
    QVERIFY(!third->bold);
    QCOMPARE(d.Cell("odzren", RowOf(d, 9))->fore, QColor(Qt::blue));
    QCOMPARE(d.Cell("odzren", RowOf(d, 5))->fore, QColor(Qt::black));
    // The votes are marked too (LogDisp is on by default).
    QCOMPARE(d.Cell("odzfuk", RowOf(d, 5))->back, kMark);

    // Closing the window keeps its place in the settings.
    log->move(140, 90);
    log->close();
    QCoreApplication::processEvents();
    QVERIFY(d.s.app.settings.Windows.Left[2] > 0);
  }

  void resultsButtonWithoutResultsStops() {
    test::TempDir dir;
    Day d(PrepareDay(dir));
    d.s.app.settings.HitWait = 1;
    d.Select(1, 7);
    d.w->ToolButton(12)->click();
    QVERIFY(!d.w->findChild<Fm98Kekka*>());
    QVERIFY(!d.w->findChild<Fm98Log*>());
    // The command says why nothing opens, once.
    QCOMPARE(d.port.Errors(), std::vector<std::string>{"競走成績が取得されていません。"});
  }

  void resultsButtonWithoutLogDispShowsNoHistory() {
    test::TempDir dir;
    Day d(PrepareDay(dir));
    d.s.app.settings.LogDisp = 0;
    d.Select(1, 5);
    d.w->ToolButton(12)->click();
    QVERIFY(d.port.messages.empty());  // HitWait is off by default
    QVERIFY(!d.w->findChild<Fm98Log*>());
    QVERIFY(d.w->findChild<Fm98Kekka*>());
    QVERIFY(d.Cell("odzfuk", RowOf(d, 5))->back != kMark);
  }

  void negativeBalanceInRed() {
    test::TempDir dir;
    Day d(PrepareDay(dir));
    d.Select(1, 5);
    d.s.history.HitListText = " 複  5       300  ×\r\n";
    d.s.history.LogStake = 300;
    d.s.history.LogReturn = 0;
    Fm98Log* log = ShowHistoryWindow(d.w.get(), d.s, true);
    QCOMPARE(log->BalanceLabel()->text(), QString("-300"));
    QCOMPARE(log->BalanceLabel()->palette().color(QPalette::WindowText), QColor(Qt::red));
    CloseHistoryWindow(d.w.get());
    QVERIFY(!d.w->findChild<Fm98Log*>());
  }
};

QTEST_MAIN(HistoryWindowsTest)
#include "history_windows_test.moc"
