// The contest entry dialogs on a generated racing day: the menu item, the single-rule dialog
// (lists from the settings, OK, the keyboard-only buttons, a missing selection), the automatic
// dialog (ticks from the masks, OK), and the refusal to close during a run.
#include <QAction>
#include <QApplication>

#include "exports/contest.h"
#include "fm98_contest.h"
#include "text/files.h"
#include "ui_fixture.h"

using namespace tz;
using namespace tz::ui;
using namespace tz::ui::testing;

namespace {

QAction* MenuCon(Fm98Main* w) { return w->findChild<QAction*>("MenuCon"); }

std::vector<std::string> Files(const std::filesystem::path& folder) {
  return text::ListFolder(folder, "*");
}

}  // namespace

class ContestWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void singleRuleDialogRunsTheSelectedRule() {
    Day d;
    test::TempDir out;
    d.s.app.settings.CSVpath = out.path().string();
    d.s.app.settings.CnJiku = 7;
    d.s.app.settings.CnRank = 2;
    d.s.app.settings.CnHimo = 5;
    d.s.app.settings.CnBken = 2;
    d.w->PressMeeting(2);

    QAction* menu = MenuCon(d.w.get());
    QVERIFY(menu);
    QVERIFY(menu->isEnabled());
    QCOMPARE(menu->text(), QString::fromUtf8("FHWARSｺﾝﾃｽﾄ形式(&C)"));
    menu->trigger();
    auto* dlg = d.w->findChild<Fm98Con*>();
    QVERIFY(dlg && dlg->isVisible());
    QVERIFY(!d.w->findChild<FmConAuto*>());
    QCOMPARE(dlg->windowTitle(), QString::fromUtf8("FHWARSｺﾝﾃｽﾄ形式"));
    QCOMPARE(dlg->Combo1->count(), 7);
    QCOMPARE(dlg->Combo1->currentText(), QString::fromUtf8("仮単人気"));
    QCOMPARE(dlg->Combo2->currentText(), QString::fromUtf8("２位"));
    QCOMPARE(dlg->Combo3->currentText(), QString::fromUtf8("単勝人気"));
    QCOMPARE(dlg->Combo4->currentText(), QString::fromUtf8("ボックス"));
    QVERIFY(!dlg->ProgressBar1->isVisible());
    // 全パターン and 中止 lie below the visible client area.
    QVERIFY(dlg->Command3->geometry().top() >= dlg->height());
    QVERIFY(dlg->Command4->geometry().top() >= dlg->height());
    QVERIFY((dlg->Command3->focusPolicy() & Qt::TabFocus) != 0);

    // The user picks another partner indicator and presses OK.
    dlg->Combo3->setCurrentIndex(6);
    dlg->Command1->click();
    QVERIFY(!dlg->isVisible());
    QCOMPARE(Files(out.path()), std::vector<std::string>{"P030105Q2QB.txt"});
    const Settings& st = d.s.app.settings;
    QCOMPARE(std::vector<int>({st.CnJiku, st.CnRank, st.CnHimo, st.CnBken}),
             std::vector<int>({7, 2, 7, 2}));
    // The meeting selected before the run is selected again, no race is.
    QCOMPARE(d.s.race.CurrentMeeting, 2);
    QVERIFY(!d.s.batch.Running);
    for (int b = 5; b <= 17; ++b) QVERIFY(!d.w->RaceButton(b)->isChecked());
    QVERIFY(d.port.Errors().empty());
  }

  // A run leaves the race on screen as it was, header and odds area; with no export folder the
  // 全パターン run says so once and writes nothing.
  void raceOnScreenStaysAndAMissingFolderIsToldOnce() {
    Day d;
    test::TempDir out;
    d.s.app.settings.CSVpath = out.path().string();
    d.Select(1, 6);
    const char* header[] = {"lblkai", "lblrace", "Lbltime", "LbDown", "Lbjval"};
    QStringList before;
    for (const char* name : header) before << d.w->findChild<QLabel*>(name)->text();
    const QString favourite = d.Cell("odzren", 0)->text;
    d.w->ShowContest();
    auto* dlg = d.w->findChild<Fm98Con*>();
    QVERIFY(dlg);
    dlg->Command1->click();
    QCOMPARE(Files(out.path()).size(), size_t(1));
    QStringList after;
    for (const char* name : header) after << d.w->findChild<QLabel*>(name)->text();
    QCOMPARE(after, before);
    QVERIFY(d.w->Odds()->isVisible());
    QCOMPARE(d.Cell("odzren", 0)->text, favourite);
    QVERIFY(d.w->ToolButton(16)->isEnabled());

    d.s.app.settings.CSVpath = (out / "gone").string();
    d.w->ShowContest();
    dlg = d.w->findChild<Fm98Con*>();
    QVERIFY(dlg);
    dlg->Command3->click();  // 全パターン
    QCOMPARE(d.port.Errors().size(), size_t(1));
    QCOMPARE(Files(out.path()).size(), size_t(1));
  }

  void missingSelectionIsRefused() {
    Day d;
    test::TempDir out;
    d.s.app.settings.CSVpath = out.path().string();
    d.w->ShowContest();
    auto* dlg = d.w->findChild<Fm98Con*>();
    QVERIFY(dlg);
    dlg->Combo2->setCurrentIndex(-1);
    dlg->Command1->click();
    QCOMPARE(d.port.messages.size(), size_t(1));
    QCOMPARE(QString::fromStdString(d.port.messages[0].text), QString::fromUtf8("選択されていない項目があります。"));
    QVERIFY(d.port.messages[0].icon == Icon::None);
    QVERIFY(dlg->isVisible());
    QVERIFY(dlg->Command1->isVisible());
    QVERIFY(Files(out.path()).empty());
    dlg->Command2->click();  // ｷｬﾝｾﾙ
    QVERIFY(!dlg->isVisible());
  }

  void allPatternsFromTheKeyboardButton() {
    Day d;
    test::TempDir out;
    d.s.app.settings.CSVpath = out.path().string();
    d.s.app.settings.CnJiku = 4;
    d.w->ShowContest();
    auto* dlg = d.w->findChild<Fm98Con*>();
    QVERIFY(dlg);
    // 中止 pressed as the third rule's last race is written: the run ends after that rule.
    int rules = 0;
    QObject::connect(dlg->ProgressBar1, &QProgressBar::valueChanged, dlg, [&](int v) {
      if (v == 100 && ++rules == 3) dlg->Command4->click();
    });
    dlg->Command3->setFocus();
    QTest::keyClick(dlg->Command3, Qt::Key_Space);
    QVERIFY(!dlg->isVisible());
    QCOMPARE(Files(out.path()),
             (std::vector<std::string>{"P030105T1FN.txt", "P030105T1RN.txt", "P030105T1TN.txt"}));
    QCOMPARE(d.s.app.settings.CnJiku, 1);
  }

  void automaticDialogRunsEveryTickedCombination() {
    Day d;
    test::TempDir out;
    Settings& st = d.s.app.settings;
    st.CSVpath = out.path().string();
    st.AUTO = 1;
    st.CJ = 1 | 64;  // Ｔ値, 仮単人気
    st.CR = 1;       // １位
    st.CH = 2;       // Ｆ値
    st.CB = 2;       // ボックス
    MenuCon(d.w.get())->trigger();
    auto* dlg = d.w->findChild<FmConAuto*>();
    QVERIFY(dlg && dlg->isVisible());
    QVERIFY(!d.w->findChild<Fm98Con*>());
    QCOMPARE(dlg->windowTitle(), QString::fromUtf8("FHWARSｺﾝﾃｽﾄ形式 [AUTOﾓｰﾄﾞ]"));
    QVERIFY(dlg->Check1[0]->isChecked() && dlg->Check1[6]->isChecked() && !dlg->Check1[1]->isChecked());
    QVERIFY(dlg->Check3[0]->isChecked() && !dlg->Check3[1]->isChecked());
    QVERIFY(dlg->Check2[1]->isChecked() && !dlg->Check2[0]->isChecked());
    QVERIFY(!dlg->Check4[0]->isChecked() && dlg->Check4[1]->isChecked());
    QCOMPARE(dlg->Check4[1]->text(), QString::fromUtf8("ボックス"));
    QVERIFY(!dlg->Picture1->isVisible());
    QVERIFY(!dlg->ComStop->isEnabled());

    dlg->Check4[0]->setChecked(true);  // 流し as well
    dlg->ComOK->click();
    QVERIFY(!dlg->isVisible());
    QCOMPARE(Files(out.path()), (std::vector<std::string>{"P030105Q1FB.txt", "P030105Q1FN.txt",
                                                          "P030105T1FB.txt", "P030105T1FN.txt"}));
    QCOMPARE(std::vector<int>({st.CJ, st.CR, st.CH, st.CB}), std::vector<int>({65, 1, 2, 3}));
    QCOMPARE(std::vector<int>({st.CnJiku, st.CnRank, st.CnHimo, st.CnBken}),
             std::vector<int>({1, 1, 1, 1}));
    QCOMPARE(dlg->ProgressBar1->value(), 100);
    QCOMPARE(dlg->Labels[0]->text(), QString::fromUtf8("仮単人気"));
    QCOMPARE(dlg->Labels[3]->text(), QString::fromUtf8("ボックス"));
    QCOMPARE(dlg->Labels[4]->text(), QString::fromUtf8("→"));
  }

  void automaticDialogRefusesAnEmptyGroup() {
    Day d;
    test::TempDir out;
    d.s.app.settings.CSVpath = out.path().string();
    d.s.app.settings.AUTO = 1;
    d.s.app.settings.CJ = 1;
    d.s.app.settings.CR = 1;
    d.s.app.settings.CH = 0;
    d.s.app.settings.CB = 1;
    d.w->ShowContest();
    auto* dlg = d.w->findChild<FmConAuto*>();
    QVERIFY(dlg);
    dlg->ComOK->click();
    QCOMPARE(d.port.messages.size(), size_t(1));
    QVERIFY(dlg->isVisible());
    QVERIFY(dlg->ComOK->isEnabled());
    QVERIFY(Files(out.path()).empty());
  }

  void dialogsRefuseToCloseDuringARun() {
    Day d;
    d.w->ShowContest();
    auto* con = d.w->findChild<Fm98Con*>();
    QVERIFY(con);
    d.s.batch.Running = true;
    con->close();
    QVERIFY(con->isVisible());
    QTest::keyClick(con, Qt::Key_Escape);
    QVERIFY(con->isVisible());
    d.s.batch.Running = false;
    con->close();
    QVERIFY(!con->isVisible());

    d.s.app.settings.AUTO = 1;
    d.w->ShowContest();
    auto* autoDlg = d.w->findChild<FmConAuto*>();
    QVERIFY(autoDlg);
    d.s.batch.Running = true;
    autoDlg->close();
    QVERIFY(autoDlg->isVisible());
    d.s.batch.Running = false;
    autoDlg->ComCan->click();
    QVERIFY(!autoDlg->isVisible());
  }
};

QTEST_MAIN(ContestWindowsTest)
#include "contest_windows_test.moc"
