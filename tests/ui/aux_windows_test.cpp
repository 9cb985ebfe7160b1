// The race's auxiliary windows on the bundled sample day: prediction window, bracket view,
// bet window with its amount dialog, and the .BET file they write.
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPushButton>

#include <cmath>

#include "betting/stake_safety.h"
#include "qt_user_port.h"
#include "support/run_command.h"
#include "text/files.h"
#include "text/sjis.h"
#include "ui_fixture.h"

using namespace tz;
using namespace tz::ui;
using namespace tz::ui::testing;

namespace {

const QColor kMark = Bgr(0xE0E0E0);

QString RightAlign(const QString& s, int width) {
  return s.size() >= width ? s : QString(width - s.size(), ' ') + s;
}

// One bet line as the list shows it: bet text, odds right-aligned in 7, stake in 8.
QString ListLine(const QString& kind, int a, int b, const QString& odds, int stake) {
  QString bet = kind + " " + RightAlign(QString::number(a), 2);
  bet += b ? "-" + QString::number(b).leftJustified(2, ' ') : QString("   ");
  return bet + RightAlign(odds.trimmed(), 7) + RightAlign(QString::number(stake), 8);
}

void ClickIn(OddsArea* area, const QString& panel, int row, int col = 0) {
  const PaintCell* c = area->Cell(panel, row, col);
  QVERIFY2(c, qPrintable(panel));
  QTest::mouseClick(area, Qt::LeftButton, {}, c->rect.center());
}

}  // namespace

class AuxWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void predictionWindowRows() {
    Day d(SampleDay());
    d.Select(1, 11);
    d.w->ToolButton(4)->click();
    Fm98Hyo* hyo = d.w->PredictionWindow();
    QVERIFY(hyo && hyo->isVisible());
    QCOMPARE(hyo->windowTitle(), QString::fromUtf8("予想"));
    OddsArea* g = hyo->Grid();
    const Session& s = d.s;
    const std::string& code = s.analysis.RaceTypeCode;
    QCOMPARE(code.size(), size_t(3));
    const char* letters[] = {"F", "T", "R", "Z", "W"};
    for (int k = 0; k < 5; ++k) {
      const PaintCell* h = g->Cell("header", 0, k);
      QCOMPARE(h->text, QString(letters[k]));
      QVERIFY(!h->tip.isEmpty());
      // The letters of the race's class make their headers bold.
      bool bold = code[0] == letters[k][0] || code[1] == letters[k][0];
      QCOMPARE(h->bold, bold);
    }
    QCOMPARE(g->Cell("header", 0, 2)->tip, QString::fromUtf8("１番人気からの馬連の売れ過ぎ度が高い上位５頭"));
    const int n = s.race.HorseCount;
    const int m = n - s.race.ScratchedCount;
    for (int p = 1; p <= n; ++p) {
      QCOMPARE(g->Cell("number", p - 1)->text, QString::number(s.race.HorseOrder[p]));
      // The race card of the sample gives names and weights.
      QVERIFY(g->Cell("LbUName", p - 1));
      const PaintCell* mark = g->Cell("Lbana", p - 1);
      if (p <= 3) QVERIFY(mark->text.isEmpty());
      const PaintCell* r = g->Cell("rank", p - 1, 2);
      bool red = p >= 4 && p <= m && r->text == "1" && p <= s.analysis.SecondCut;
      QCOMPARE(r->fore == Qt::red, red);
    }
    QVERIFY(!g->Cell("number", n));
    QVERIFY(!hyo->Narrow());
  }

  // Nothing is cut: the identity columns of the prediction window hold their longest text
  // ("岡部　　（替）" among the jockeys of the sample day), and every number under the bracket
  // view's share graph, two-digit horse numbers included, has the room it needs.
  void textsOfThePredictionWindowAndTheShareGraphFit() {
    Day d(SampleDay());
    bool replaced = false, twoDigits = false;
    for (int race = 1; race <= 12; ++race) {
      d.Select(1, race);
      if (!d.s.mainWindow.RaceShown) continue;
      Fm98Hyo* hyo = d.w->OpenPrediction();
      const QFontMetrics fm(hyo->Grid()->font());
      for (const PaintCell& c : hyo->Grid()->Cells()) {
        if (c.text.isEmpty()) continue;
        const QString shown = c.text.trimmed();
        if (shown.contains(QString::fromUtf8("（替）"))) replaced = true;
        QVERIFY2(fm.horizontalAdvance(shown) + 3 <= c.rect.width(),
                 qPrintable(QString("%1R %2: %3").arg(race).arg(c.panel, shown)));
      }
      Fm98Waku* waku = d.w->OpenBracketView();
      const ShareGraph* graph = waku->Graph();
      const QFontMetrics gm(graph->font());
      const auto labels = graph->Labels();
      for (std::size_t i = 0; i < labels.size(); ++i) {
        const auto& l = labels[i];
        if (l.text.size() == 2) twoDigits = true;
        QVERIFY2(gm.horizontalAdvance(l.text) <= l.rect.width(), qPrintable(l.text));
        QVERIFY(gm.height() <= l.rect.height());
        QVERIFY(graph->rect().contains(l.rect));
        for (std::size_t j = i + 1; j < labels.size(); ++j) {
          QVERIFY2(!l.rect.intersects(labels[j].rect), qPrintable(l.text + " " + labels[j].text));
        }
      }
    }
    QVERIFY(replaced);
    QVERIFY(twoDigits);
  }

  void predictionWindowWithoutRaceCardIsNarrowAndRemembersItsPlace() {
    Day d;  // generated day: no race cards
    d.Select(1, 5);
    Fm98Hyo* hyo = d.w->OpenPrediction();
    QVERIFY(hyo->Narrow());
    QVERIFY(!hyo->Grid()->Cell("LbUName", 0));
    QVERIFY(hyo->Grid()->Cell("number", 0));
    hyo->move(TwipsToPixels(1500, hyo), TwipsToPixels(3000, hyo));
    hyo->close();
    QApplication::processEvents();
    QCOMPARE(qRound(d.s.app.settings.Windows.Left[3]), qRound(PixelsToTwips(TwipsToPixels(1500, d.w.get()), d.w.get())));
    QCOMPARE(qRound(d.s.app.settings.Windows.Top[3]), qRound(PixelsToTwips(TwipsToPixels(3000, d.w.get()), d.w.get())));

    // A place beyond the screen falls back to the defaults.
    hyo = d.w->OpenPrediction();
    d.s.app.ScreenHeight = 600;
    d.s.app.ScreenWidth = 800;
    hyo->move(TwipsToPixels(1500, hyo), TwipsToPixels(3000, hyo));
    hyo->close();
    QApplication::processEvents();
    QCOMPARE(d.s.app.settings.Windows.Top[3], 2020.0);
    QCOMPARE(d.s.app.settings.Windows.Left[3], 3875.0);
  }

  void newRaceClosesTheAuxiliaryWindows() {
    Day d(SampleDay());
    d.Select(1, 11);
    QPointer<Fm98Hyo> hyo = d.w->OpenPrediction();
    QPointer<Fm98Waku> waku = d.w->OpenBracketView();
    d.w->PressRace(4 + 10);
    QApplication::processEvents();
    QVERIFY(hyo.isNull() || !hyo->isVisible());
    QVERIFY(waku.isNull() || !waku->isVisible());
  }

  void bracketViewMarksMatrixAndListTogether() {
    Day d(SampleDay());
    d.Select(1, 11);
    d.w->ToolButton(6)->click();
    Fm98Waku* w = d.w->BracketWindow();
    QVERIFY(w && w->isVisible());
    QCOMPARE(w->Page(), 0);
    OddsArea* mx = w->Matrix();
    // Column 5, row 2 marks the cell of column 2, row 5 and the list row of its brackets.
    ClickIn(mx, "Lbodz", 2, 5);
    QCOMPARE(mx->Cell("Lbodz", 5, 2)->back, kMark);
    QCOMPARE(mx->Cell("Lbodz", 2, 5)->back, QColor(Qt::white));
    int b1 = mx->Cell("LbnumX", 2)->text.toInt();
    int b2 = mx->Cell("LbnumY", 5)->text.toInt();
    if (b1 > b2) std::swap(b1, b2);
    int listRow = -1;
    for (int k = 0; k < 36; ++k) {
      if (w->List()->Cell("Lbnum1", k)->text.toInt() == b1 &&
          w->List()->Cell("Lbnum2", k)->text.toInt() == b2) {
        listRow = k;
      }
    }
    QVERIFY(listRow >= 0);
    QCOMPARE(w->List()->Cell("Lbsort", listRow)->back, kMark);

    w->PageButton(1)->click();
    QCOMPARE(w->Page(), 1);
    ClickIn(w->List(), "Lbsort", listRow);
    QCOMPARE(w->List()->Cell("Lbsort", listRow)->back, QColor(Qt::white));
    QCOMPARE(mx->Cell("Lbodz", 5, 2)->back, QColor(Qt::white));

    // "ｸﾘｱ" leaves no grey cell anywhere.
    ClickIn(w->List(), "Lbsort", 0);
    ClickIn(w->List(), "Lbsort", 3);
    w->PageButton(0)->click();
    ClickIn(mx, "Lbodz", 7, 0);
    w->findChild<QAction*>("BracketClear")->trigger();
    for (const PaintCell& c : mx->Cells()) QVERIFY(c.back != kMark);
    for (const PaintCell& c : w->List()->Cells()) QVERIFY(c.back != kMark);

    w->PageButton(2)->click();
    QCOMPARE(w->Page(), 2);
  }

  void bracketViewOfASaleCodeSevenRace() {
    Day d(SampleDay());
    d.Select(1, 3);
    QCOMPARE(d.s.race.CurrentSaleCode, 7);
    Fm98Waku* w = d.w->OpenBracketView();
    QVERIFY(!w->PageButton(0)->isEnabled());
    QCOMPARE(w->Page(), 1);
    ClickIn(w->List(), "Lbsort", 0);
    QCOMPARE(w->List()->Cell("Lbsort", 0)->back, QColor(Qt::white));
  }

  void betListFromMarkedCells() {
    Day d(SampleDay());
    d.Select(1, 11);
    Session& s = d.s;
    // Marks: win of position 1, place of position 2, quinella (3, 1).
    d.Click("odztan", 0);
    d.Click("odzfuk", 1);
    d.Click("odzuma", 2, 0);
    const int h1 = s.race.HorseOrder[1], h2 = s.race.HorseOrder[2], h3 = s.race.HorseOrder[3];
    const QString win = d.Cell("odztan", 0)->text;
    const QString place = d.Cell("odzfuk", 1)->text;
    const QString quinella = d.Cell("odzuma", 2, 0)->text;

    d.w->ToolButton(14)->click();
    Fm98Bet* bet = d.w->BetWindow();
    QVERIFY(bet && bet->isVisible());
    QCOMPARE(bet->windowTitle(), QString::fromUtf8("勝馬投票"));
    QStringList want;
    want << d.w->findChild<QLabel*>("lblkai")->text() << "";
    want << ListLine(QString::fromUtf8("単"), h1, 0, win, 100);
    want << ListLine(QString::fromUtf8("複"), h2, 0, place, 100);
    want << ListLine(QString::fromUtf8("馬"), std::min(h1, h3), std::max(h1, h3), quinella, 100);
    QStringList got = bet->Textbet()->toPlainText().split('\n');
    while (!got.isEmpty() && got.last().isEmpty()) got.removeLast();
    QCOMPARE(got, want);
    QCOMPARE(bet->Label1()->text(), QString::fromUtf8("均等配分（金額 100円）"));

    // The modes from the drop-down and the amount button.
    bet->findChild<QAction*>("Amount2")->trigger();
    QCOMPARE(bet->Label1()->text(), QString::fromUtf8("均等利益（資金 1,000円）"));
    bet->AmountButton()->click();
    QCOMPARE(bet->Label1()->text().left(4), QString::fromUtf8("目標利益"));

    // The amount dialog stores whole hundreds.
    QTimer::singleShot(0, [] {
      auto* dlg = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      QVERIFY(dlg);
      dlg->findChild<QLineEdit*>("Text1")->setText("250");
      dlg->findChild<QPushButton*>("OkButton")->click();
    });
    bet->findChild<QAction*>("Amount4")->trigger();
    QCOMPARE(s.app.settings.Money, 200);
    bet->findChild<QAction*>("Amount1")->trigger();
    QCOMPARE(bet->Label1()->text(), QString::fromUtf8("均等配分（金額 200円）"));
    QVERIFY(bet->Textbet()->toPlainText().contains(RightAlign("200", 8)));
  }

  void predictionWindowImpliedColumnsWithTheOption() {
    Day d(SampleDay());
    d.Select(1, 11);
    d.w->ToolButton(4)->click();
    QVERIFY(d.w->PredictionWindow());
    QVERIFY(!d.w->PredictionWindow()->Grid()->Cell("impliedHeader", 0, 0));  // classic window

    d.s.app.settings.ImpliedWin = 1;
    d.w->ToolButton(4)->click();
    OddsArea* g = d.w->PredictionWindow()->Grid();
    for (int k = 0; k < 4; ++k) QCOMPARE(g->Cell("impliedHeader", 0, k)->text, ToQ(kImpliedWinHeaders[k]));
    const Session& s = d.s;
    const int h = s.race.HorseOrder[1];
    QCOMPARE(g->Cell("implied", 0, 0)->text, ToQ(s.analysis.SyntheticWinText[h]).trimmed());
    QCOMPARE(g->Cell("implied", 0, 1)->text, ToQ(s.race.WinOdds[h]).trimmed());
    const QString implied = g->Cell("implied", 0, 2)->text;
    QVERIFY(!implied.isEmpty());
    QCOMPARE(implied, ToQ(s.prediction.Implied[1].Implied));
    // The ratio is the win odds over the implied odds.
    const double ratio = g->Cell("implied", 0, 3)->text.toDouble();
    QVERIFY(std::fabs(ratio - ToQ(s.race.WinOdds[h]).trimmed().toDouble() / implied.toDouble()) < 0.02);
  }

  void betWindowStakeSafetyFollowsTheText() {
    Day d(SampleDay());
    d.Select(1, 11);
    Session& s = d.s;
    s.app.settings.Limit = 100000;
    // The wins of the two favourites: equal return on 100,000 yen leaves no short bet.
    d.Click("odztan", 0);
    d.Click("odztan", 1);
    Fm98Bet* bet = d.w->OpenBetList();
    QVERIFY(bet);
    QCOMPARE(bet->BookLabel()->text(), ToQ(BookCaption(RaceBookPercent(s.race))));
    QVERIFY(bet->BookLabel()->text().contains(QString::fromUtf8("馬連 ")));
    bet->findChild<QAction*>("Amount2")->trigger();
    QCOMPARE(bet->CombinedOddsLabel()->text(), ToQ(s.betWindow.CombinedOddsLabel));
    QVERIFY(bet->CombinedOddsLabel()->text().startsWith(QString::fromUtf8("合成オッズ ")));
    QVERIFY(bet->TorigamiLabel()->isHidden());

    // Typing 100 yen on the first bet and 9,900 on the second: the first hit cannot cover the
    // 10,000 yen staked, and the window says so as the text changes.
    QStringList lines = bet->Textbet()->toPlainText().split('\n');
    QVERIFY(lines.size() >= 4);
    lines[2] = lines[2].left(14) + RightAlign("100", 8);
    lines[3] = lines[3].left(14) + RightAlign("9900", 8);
    bet->Textbet()->setPlainText(lines.join('\n'));
    QCOMPARE(s.betWindow.Safety.TotalStake, 10000.0);
    QVERIFY(!bet->TorigamiLabel()->isHidden());
    QCOMPARE(bet->TorigamiLabel()->text(), QString::fromUtf8("ﾄﾘｶﾞﾐ\n") + lines[2].trimmed());
  }

  void moreThanFiftyBetsAreRefused() {
    Day d;  // generated day: race 3 of meeting 1 has 18 runners
    d.Select(1, 3);
    const int m = d.s.race.HorseCount - d.s.race.ScratchedCount;
    QVERIFY(m >= 11);
    for (int i = 0; i < 11; ++i) d.Click("numumaY", i);
    d.w->findChild<QAction*>("VotePattern1")->trigger();  // 55 pairs
    QVERIFY(!d.w->OpenBetList());
    QVERIFY(!d.port.Errors().empty());
    QCOMPARE(d.port.Errors().back(), std::string("５０ベットを超えています。"));
    // Ten headers make 45 pairs: the list opens.
    d.Click("numumaY", 10);
    d.w->findChild<QAction*>("VotePattern4")->trigger();
    d.w->findChild<QAction*>("VotePattern1")->trigger();
    QVERIFY(d.w->OpenBetList());
  }

  void betFileFromTheWindowEqualsTheCommandLine() {
    test::TempDir bets;
    std::filesystem::create_directories(bets / "gui");
    std::filesystem::create_directories(bets / "cli");
    Day d(SampleDay());
    Session& s = d.s;
    s.app.Pat98Folder = SampleDay();
    s.app.Pat98GuideDate = "20021020";
    s.app.BetFolder = bets / "gui";
    d.Select(1, 11);
    d.Click("odztan", 0);
    d.Click("odzuma", 2, 0);
    d.w->SetViewMode(1);
    d.Click("WideOdz", 3, 1);
    const int h1 = s.race.HorseOrder[1], h2 = s.race.HorseOrder[2], h3 = s.race.HorseOrder[3],
              h4 = s.race.HorseOrder[4];
    Fm98Bet* bet = d.w->OpenBetList();
    QVERIFY(bet);
    QVERIFY(bet->SendButton()->isEnabled());
    bet->findChild<QAction*>("Amount2")->trigger();
    d.port.answers.push_back(Answer::Ok);
    bet->SendButton()->click();
    QCOMPARE(s.betWindow.LastBetFile.empty(), false);

    auto pair = [](int kind, int a, int b) {
      return QString("%1:%2-%3").arg(kind).arg(std::min(a, b), 2, 10, QChar('0')).arg(std::max(a, b), 2, 10, QChar('0'));
    };
    QString betsArg = QString("1:%1,").arg(h1, 2, 10, QChar('0')) + pair(4, h1, h3) + "," + pair(5, h2, h4);
    std::string cmd = std::string(TAZUNA_CLI_PATH) + " bet " + test::ShellQuote(SampleDay().string()) +
                      " --meeting 1 --race 11 --bets " + betsArg.toStdString() +
                      " --mode return --send --home " + test::ShellQuote(d.home.path().string()) +
                      " --pat98 " + test::ShellQuote(SampleDay().string()) + " --betdir " +
                      test::ShellQuote((bets / "cli").string());
    test::CommandResult r = test::RunCommand(cmd);
    QVERIFY2(r.exitCode == 0, r.err.c_str());
    auto gui = text::ListFolder(bets / "gui", "*.BET");
    auto cli = text::ListFolder(bets / "cli", "*.BET");
    QCOMPARE(gui.size(), size_t(1));
    QCOMPARE(cli.size(), size_t(1));
    QCOMPARE(gui[0], cli[0]);
    std::string a = test::ReadAll(bets / "gui" / gui[0]);
    std::string b = test::ReadAll(bets / "cli" / cli[0]);
    QVERIFY(!a.empty());
    QCOMPARE(QString::fromStdString(text::DecodeSjis(a)), QString::fromStdString(text::DecodeSjis(b)));
    QVERIFY(a == b);
  }
};

QTEST_MAIN(AuxWindowsTest)
#include "aux_windows_test.moc"
