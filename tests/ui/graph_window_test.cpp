// The share-graph window on the bundled sample day: opening from the tool bar, the label rows,
// the tool-bar and menu commands, the range panel with its dialog, and the window's life with
// the race selection.
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

#include "analysis/share_graph.h"
#include "fm98_grph.h"
#include "fm98_opt.h"
#include "qt_user_port.h"
#include "text/numbers.h"
#include "ui_fixture.h"

using namespace tz;
using namespace tz::ui;
using namespace tz::ui::testing;

namespace {

Fm98Grph* OpenGraph(Day& d) {
  Fm98Grph* found = nullptr;
  for (Fm98Grph* g : d.w->findChildren<Fm98Grph*>()) {
    if (g->isVisible()) found = g;
  }
  return found;
}

QString Label(Fm98Grph* g, const char* row, int k) {
  const PaintCell* c = g->Labels()->Cell(row, k);
  return c ? c->text : QString("<none>");
}

}  // namespace

class GraphWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void toolButtonOpensTheSharesInPopularityOrder() {
    Day d(SampleDay());
    d.Select(1, 11);
    QVERIFY(d.w->ToolButton(3)->isEnabled());
    d.w->ToolButton(3)->click();
    Fm98Grph* g = OpenGraph(d);
    QVERIFY(g);
    QCOMPARE(g->windowTitle(), QString::fromUtf8("ｸﾞﾗﾌ - 連勝集票率順"));
    QCOMPARE(g->Title()->text(), QString::fromUtf8("連勝集票率順"));
    QCOMPARE(g->CurrentPanel(), 1);
    QCOMPARE(g->LabelModeButton()->text(), QString::fromUtf8("％"));
    const Session& s = d.s;
    const int m = s.race.HorseCount - s.race.ScratchedCount;
    QVERIFY(m > 2);
    for (int k = 1; k <= m; ++k) {
      const int h = s.race.HorseOrder[k];
      QCOMPARE(Label(g, "number", k - 1), QString::number(h));
      QCOMPARE(Label(g, "Lbrank", k - 1), QString());
      QCOMPARE(Label(g, "ren", k - 1),
               QString::fromStdString(text::FormatNumber(s.analysis.QuinellaShare[h], "#0.0")));
      QCOMPARE(g->Labels()->Cell("ren", k - 1)->back, QColor(Qt::white));
      QCOMPARE(g->Labels()->Cell("tan", k - 1)->back, Bgr(s.mainWindow.odzren[k].BackColor));
      QCOMPARE(g->Labels()->Cell("bracket", k - 1)->back,
               Bgr(s.app.BracketColors[s.race.HorseBracket[h] - 1]));
    }
    QVERIFY(!g->Labels()->Cell("number", m));
    QVERIFY(g->Labels()->Cell("LabelT", 0));

    // The same button again redraws the open window rather than opening a second one.
    d.w->ToolButton(3)->click();
    QCOMPARE(OpenGraph(d), g);
    QCOMPARE(int(d.w->findChildren<Fm98Grph*>().size()), 1);
  }

  void buttonsCaptionsAndLabelModeRedraw() {
    Day d(SampleDay());
    d.Select(1, 11);
    d.w->ShowGraphs();
    Fm98Grph* g = OpenGraph(d);
    g->Button(1)->click();
    QCOMPARE(g->Title()->text(), QString::fromUtf8("ﾜｲﾄﾞ集票率順"));
    // A click on the row caption "単勝" chooses the win order.
    const PaintCell* caption = g->Labels()->Cell("LabelT", 0);
    QTest::mouseClick(g->Labels(), Qt::LeftButton, {}, caption->rect.center());
    QCOMPARE(g->Title()->text(), QString::fromUtf8("単勝集票率順"));
    QCOMPARE(g->Labels()->Cell("tan", 0)->back, QColor(Qt::white));
    // The label-mode button shows ranks: the quinella row holds popularity positions.
    g->LabelModeButton()->click();
    QCOMPARE(g->LabelModeButton()->text(), QString::fromUtf8("順"));
    QCOMPARE(d.s.app.settings.Grph, 1);
    const int h = d.s.shareGraph.Columns[1].Horse;
    int pos = 0;
    for (int p = 1; p <= 18; ++p) {
      if (d.s.race.HorseOrder[p] == h) pos = p;
    }
    QCOMPARE(Label(g, "ren", 0), QString::number(pos));
  }

  void rangePanelAndItsDialog() {
    Day d(SampleDay());
    d.Select(1, 11);
    d.w->ShowGraphs();
    Fm98Grph* g = OpenGraph(d);
    g->Button(2)->click();
    QCOMPARE(g->CurrentPanel(), 2);
    QCOMPARE(g->windowTitle(), QString::fromUtf8("ｸﾞﾗﾌ - ﾚﾝｼﾞ別"));
    QCOMPARE(g->PoolLabel()->text(), QString::fromUtf8("枠連"));
    QCOMPARE(g->RangeLabel(0)->text(), QString("1000"));
    QCOMPARE(g->RangeLabel(5)->text(), QString("30000"));
    for (int r = 0; r < 7; ++r) QVERIFY(g->PercentLabel(r)->text().endsWith("%"));
    QVERIFY(g->MenuEntry(2, 5)->isEnabled());
    QVERIFY(!g->MenuEntry(1, 7)->isEnabled());
    g->Button(2)->click();
    QCOMPARE(g->PoolLabel()->text(), QString::fromUtf8("馬連"));

    // ﾚﾝｼﾞ設定: a refused entry keeps the dialog open, a good one changes the limits shown.
    bool accepted = false;
    g->SetRangeDialogRunner([&] {
      Fm98Range dlg(d.s, d.port, g);
      QCOMPARE(dlg.windowTitle(), QString::fromUtf8("ﾚﾝｼﾞ設定"));
      QCOMPARE(dlg.Text(0)->text(), QString("1000"));
      QCOMPARE(dlg.LbMax()->text(), QString("30000"));
      dlg.Text(2)->setText("2000");
      dlg.OkButton()->click();
      QCOMPARE(dlg.result(), int(QDialog::Rejected));
      QCOMPARE(d.port.Errors().size(), size_t(1));
      QCOMPARE(QString::fromStdString(d.port.Errors()[0]), QString::fromUtf8("入力ｴﾗｰ"));
      QCOMPARE(d.s.app.settings.OddsRanges[2], 4000);
      dlg.Text(2)->setText("3000");
      dlg.Text(5)->setText("50000");
      QCOMPARE(dlg.LbMax()->text(), QString("50000"));
      dlg.OkButton()->click();
      accepted = dlg.result() == QDialog::Accepted;
    });
    g->MenuEntry(2, 5)->trigger();
    QVERIFY(accepted);
    QCOMPARE(g->RangeLabel(2)->text(), QString("3000"));
    QCOMPARE(g->RangeLabel(5)->text(), QString("50000"));
    QCOMPARE(g->PoolLabel()->text(), QString::fromUtf8("馬連"));

    // Back to the shares: the order shown before is redrawn, not advanced.
    g->Button(1)->click();
    QCOMPARE(g->CurrentPanel(), 1);
    QCOMPARE(g->Title()->text(), QString::fromUtf8("連勝集票率順"));
    // The menu's start entry makes the current order the one every opening starts with.
    g->MenuEntry(1, 3)->trigger();
    g->MenuEntry(1, 7)->trigger();
    QCOMPARE(d.s.app.settings.GrphStart, 3);
  }

  void newRaceClosesTheWindowRemembersItsPlaceAndAutoGraphReopensIt() {
    Day d(SampleDay());
    d.Select(1, 11);
    d.w->ShowGraphs();
    QPointer<Fm98Grph> g = OpenGraph(d);
    g->move(TwipsToPixels(1500, g), TwipsToPixels(3000, g));
    d.w->PressRace(4 + 10);
    QApplication::processEvents();
    QVERIFY(g.isNull() || !g->isVisible());
    QVERIFY(!OpenGraph(d));
    QCOMPARE(qRound(d.s.app.settings.Windows.Left[6]), qRound(PixelsToTwips(TwipsToPixels(1500, d.w.get()), d.w.get())));
    QCOMPARE(qRound(d.s.app.settings.Windows.Top[6]), qRound(PixelsToTwips(TwipsToPixels(3000, d.w.get()), d.w.get())));

    // With the option on, every selection opens the graphs of the new race.
    d.s.app.settings.AutoGraph = 1;
    d.w->PressRace(4 + 11);
    QApplication::processEvents();
    Fm98Grph* again = OpenGraph(d);
    QVERIFY(again);
    QCOMPARE(again->Labels()->Cell("number", 0)->text, QString::number(d.s.race.HorseOrder[1]));
    d.w->PressRace(4 + 10);
    QApplication::processEvents();
    Fm98Grph* third = OpenGraph(d);
    QVERIFY(third);
    QCOMPARE(int(d.w->findChildren<Fm98Grph*>().size()), 1);
  }
};

QTEST_MAIN(GraphWindowTest)
#include "graph_window_test.moc"
