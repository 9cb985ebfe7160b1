// The main window's frame: menus, tool bars, status bar, view switching, countdown, sizing,
// close question and the folder dialogs.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include "app/startup.h"
#include "fm98_folders.h"
#include "fm98_main.h"
#include "support/fake_port.h"
#include "support/temp_dir.h"
#include "ui_fixture.h"

using namespace tz;
using namespace tz::ui;
namespace testing = tz::ui::testing;

class MainWindowTest : public QObject {
  Q_OBJECT

  static void Init(Session& s, const test::TempDir& home) {
    InitApplicationState(s, home.path(), 12000 * 15, 9000 * 15);
  }

 private slots:
  void menuItems() {
    test::TempDir home;
    Session s;
    Init(s, home);
    test::FakePort port;
    Fm98Main w(s, port);
    struct Item { const char* name; const char* caption; const char* key; bool enabled; };
    const Item items[] = {
        {"MenuOpenCurrent", "現在のﾃﾞｰﾀを開く(&N)", "", true},
        {"MenuOpenPast", "過去のﾃﾞｰﾀを開く(&O)", "Ctrl+O", true},
        {"MenuSave", "現在のﾃﾞｰﾀを保存(&S)", "", false},
        {"MenuUpdate", "結果と履歴を上書き保存(&U)", "Ctrl+U", false},
        {"MenuEnd", "Tazuna98の終了(&X)", "Ctrl+X", true},
        {"MenuPat98", "PAT98設定(&P)", "", true},
        {"MenuBet", "BET送出ﾌｫﾙﾀﾞの指定(&B)", "", true},
        {"MenuCSV", ".CSV.TXT 出力ﾌｫﾙﾀﾞの指定(&V)", "", true},
        {"MenuJRDB", "JRDB基準ｵｯｽﾞ格納ﾌｫﾙﾀﾞの指定(&J)", "", true},
        {"menuwars", "FHWARSｵｯｽﾞ変換(&F)", "", true},
        {"menuwkekka", "FHWARS成績変換(&K)", "", true},
        {"MenuOption", "ｵﾌﾟｼｮﾝ(&O)", "", true},
        {"MenuList", "競走成績一覧(&R)", "Ctrl+R", true},
        {"MenuAna", "推奨穴馬一覧(&A)", "Ctrl+A", true},
        {"MenuRZ", "予想値一覧(&Z)", "Ctrl+Z", true},
        {"MenuCon", "FHWARSｺﾝﾃｽﾄ形式(&C)", "", true},
        {"MenuVersion", "ﾊﾞｰｼﾞｮﾝ情報(&V)", "", true},
    };
    for (const Item& it : items) {
      auto* a = w.findChild<QAction*>(it.name);
      QVERIFY2(a, it.name);
      QCOMPARE(a->text(), QString::fromUtf8(it.caption));
      QCOMPARE(a->shortcut(), QKeySequence(it.key));
      QVERIFY2(a->isEnabled() == it.enabled, it.name);
    }
    QStringList menus;
    for (QAction* a : w.menuBar()->actions()) menus << a->text();
    QCOMPARE(menus, (QStringList{QString::fromUtf8("ﾌｧｲﾙ(&F)"), QString::fromUtf8("ﾂｰﾙ(&T)"),
                                 QString::fromUtf8("ﾍﾙﾌﾟ(&H)")}));
  }

  void toolBarsAndStatusBar() {
    test::TempDir home;
    Session s;
    Init(s, home);
    test::FakePort port;
    Fm98Main w(s, port);
    struct B { int index; const char* caption; const char* tip; };
    const B buttons[] = {{1, "ﾁｪｯｸ", "気になる馬の登録・解除"}, {3, "ｸﾞﾗﾌ", "ｸﾞﾗﾌ"},
                         {4, "予想", "穴馬予想＆出馬表"},        {6, "枠連", "枠連ｵｯｽﾞ"},
                         {9, "切替", "馬連・ﾜｲﾄﾞの表示切替"},   {11, "履歴", "投票履歴"},
                         {12, "結果", "競走成績・払い戻し"},     {14, "投票", "勝馬投票"},
                         {16, "CSV", "CSVﾌｧｲﾙへ書き出し"}};
    for (const B& b : buttons) {
      QToolButton* tb = w.ToolButton(b.index);
      QVERIFY(tb);
      QCOMPARE(tb->text(), QString::fromUtf8(b.caption));
      QCOMPARE(tb->toolTip(), QString::fromUtf8(b.tip));
      QVERIFY(!tb->isEnabled());  // nothing selected yet
    }
    for (int sep : {2, 5, 7, 8, 10, 13, 15}) QVERIFY(!w.ToolButton(sep));

    QStringList patterns;
    for (QAction* a : w.ToolButton(14)->menu()->actions()) patterns << a->text();
    QCOMPARE(patterns, (QStringList{QString::fromUtf8("ﾎﾞｯｸｽ"), QString::fromUtf8("限定ながし"),
                                    QString::fromUtf8("総ながし"), QString::fromUtf8("ｸﾘｱ")}));

    for (int i = 5; i <= 16; ++i) QCOMPARE(w.RaceButton(i)->text(), QString("%1R").arg(i - 4));
    QCOMPARE(w.RaceButton(17)->text(), QString::fromUtf8("前日"));
    QVERIFY(!w.RaceButton(4));

    QCOMPARE(w.StatusPanel(5)->text(), QString::fromUtf8("疾風組　Ver0.02β"));
    QCOMPARE(w.StatusPanel(1)->toolTip(),
             QString::fromUtf8("ここをクリックすると「過去のデータを開く」"));
    QCOMPARE(w.windowTitle(), QString::fromStdString("Tazuna98 - " + s.app.DataFolder.string()));
  }

  void viewButtonCyclesAndDropDownPicks() {
    testing::Day d;
    d.Select(1, 5);
    Fm98Main& w = *d.w;
    QCOMPARE(w.ViewMode(), 0);
    QToolButton* b = w.ToolButton(9);
    QVERIFY(b->isEnabled());
    QList<int> seen;
    for (int i = 0; i < 3; ++i) {
      b->click();
      seen << w.ViewMode();
    }
    QCOMPARE(seen, (QList<int>{1, 2, 0}));
    QList<QAction*> items = b->menu()->actions();
    QCOMPARE(items.size(), 3);
    QCOMPARE(items[2]->text(), QString::fromUtf8("馬連+ﾜｲﾄﾞ"));
    items[2]->trigger();
    QCOMPARE(w.ViewMode(), 2);
    items[1]->trigger();
    QCOMPARE(w.ViewMode(), 1);
    QCOMPARE(w.findChild<QLabel*>("LbView")->text(), QString::fromUtf8("ﾜｲﾄﾞ"));
  }

  void countdownFollowsTheInjectedClock() {
    testing::Day d(testing::SampleDay());
    d.Select(1, 11);
    const Session& s = d.s;
    QCOMPARE(s.race.StartTimeText.size(), size_t(4));
    const QTime post(QString::fromStdString(s.race.StartTimeText.substr(0, 2)).toInt(),
                     QString::fromStdString(s.race.StartTimeText.substr(2, 2)).toInt());
    const QDate day(2002, 10, 20);
    QDateTime now;
    d.w->SetClock([&now] { return now; });
    QLabel* l = d.w->TimeLabel();
    const QString caption = QString::fromStdString(s.race.StartTimeCaption).trimmed();
    QVERIFY(caption.startsWith(QString::fromUtf8("発走時刻  ")));
    QVERIFY(l->isVisible());
    QCOMPARE(l->text(), caption);

    struct Step { QDateTime at; const char* tip; bool captionShown; const char* back; };
    const Step steps[] = {
        {QDateTime(day, post.addSecs(-(2 * 3600 + 30 * 60))), "あと 2時間30分", false, "#000080"},
        {QDateTime(day, post.addSecs(-8 * 60)), "あと 8分", false, "#ffff00"},
        {QDateTime(day, post.addSecs(60)), "締め切り", true, "#ff0000"},
        {QDateTime(day.addDays(1), QTime(9, 0)), "レース終了", true, "#404040"},
    };
    for (const Step& st : steps) {
      now = st.at;
      d.w->TickCountdown();
      QVERIFY(l->isVisible());
      QCOMPARE(l->toolTip(), QString::fromUtf8(st.tip));
      QCOMPARE(l->text(), st.captionShown ? QString::fromStdString(s.race.StartTimeCaption).trimmed()
                                                      .prepend("    ")
                                          : caption);
      QVERIFY2(l->styleSheet().contains(QString("background-color: ") + st.back),
               qPrintable(l->styleSheet()));
    }

    // A race without a race card shows no countdown.
    testing::Day g;
    g.Select(1, 5);
    g.w->SetClock([&now] { return now; });
    g.w->TickCountdown();
    QVERIFY(!g.w->TimeLabel()->isVisible());
  }

  void timerDrivesTheCountdown() {
    testing::Day d(testing::SampleDay());
    d.Select(1, 11);
    const std::string& t = d.s.race.StartTimeText;
    QTime post(std::stoi(t.substr(0, 2)), std::stoi(t.substr(2, 2)));
    d.w->SetClock([post] { return QDateTime(QDate(2002, 10, 20), post.addSecs(-5 * 60)); });
    QTRY_COMPARE_WITH_TIMEOUT(d.w->TimeLabel()->toolTip(), QString::fromUtf8("あと 5分"), 3000);
  }

  void widthSnapsBackToTheMinimum() {
    test::TempDir home;
    Session s;
    Init(s, home);
    test::FakePort port;
    Fm98Main w(s, port);
    w.show();
    int fixedHeight = w.height();
    w.resize(200, 900);
    QCOMPARE(w.width(), TwipsToPixels(9600, &w));
    QCOMPARE(w.height(), fixedHeight);
    w.resize(TwipsToPixels(11000, &w), 100);
    QCOMPARE(w.width(), TwipsToPixels(11000, &w));
  }

  void closeCancelledKeepsTheWindowAndTheSettings() {
    test::TempDir home;
    Session s;
    Init(s, home);
    s.app.settings.TermScr = 1;
    s.app.Pat98GuideDate = "20030510";
    test::FakePort port;
    port.answers.push_back(Answer::Cancel);
    Fm98Main w(s, port);
    w.show();
    QVERIFY(!w.close());
    QVERIFY(w.isVisible());
    QCOMPARE(port.messages.size(), size_t(1));
    QCOMPARE(port.messages[0].text, std::string("Tazuna98を終了します。\n現在のデータを保存しますか？"));
    QVERIFY(!std::filesystem::exists(s.app.StoreRoot / "tz98.ini"));

    port.answers.push_back(Answer::No);
    QVERIFY(w.close());
    QVERIFY(std::filesystem::exists(s.app.StoreRoot / "tz98.ini"));
  }

  void hintLabelWithoutPat98Program() {
    test::TempDir home;
    Session s;
    Init(s, home);
    test::FakePort port;
    {
      Fm98Main w(s, port);
      QVERIFY(!w.HintLabel()->isHidden());
      QCOMPARE(w.HintLabel()->text(),
               QString::fromUtf8("はじめにＰＡＴ９８インストールフォルダを指定して下さい。"));
    }
    home.Write("PAT98.EXE", "x");
    Fm98Main w2(s, port);
    QVERIFY(w2.HintLabel()->isHidden());
  }

  void folderDialogsShowAndStoreTheirSetting() {
    test::TempDir home;
    Session s;
    Init(s, home);
    std::filesystem::create_directories(home / "bets");
    s.app.BetFolder = home / "gone";
    QString askedCaption, askedStart;
    Fm98Path() = [&](QWidget*, const QString& caption, const QString& start) {
      askedCaption = caption;
      askedStart = start;
      return QString::fromStdString((home / "bets").string());
    };
    std::unique_ptr<FolderDialog> d(MakeFm98Pbet(s, nullptr));
    QCOMPARE(d->windowTitle(), QString::fromUtf8("送出ﾌｫﾙﾀﾞ"));
    QCOMPARE(d->FolderLabel()->text(), QString::fromStdString((home / "gone").string()));
    d->PickButton()->click();
    QCOMPARE(askedCaption, QString::fromUtf8("ﾌｫﾙﾀﾞの指定"));
    // The bet folder shown no longer exists: the picker starts in the PAT98 folder.
    QCOMPARE(askedStart, QString::fromStdString(s.app.Pat98Folder.string()));
    QCOMPARE(s.app.BetFolder, home / "gone");  // not stored before OK
    d->OkButton()->click();
    QCOMPARE(s.app.BetFolder, home / "bets");

    std::unique_ptr<FolderDialog> c(MakeFm98CSV(s, nullptr));
    c->FolderLabel()->setText("/somewhere");
    c->CancelButton()->click();
    QCOMPARE(s.app.settings.CSVpath, std::string());

    std::unique_ptr<FolderDialog> p(MakeFm98Dir(s, nullptr));
    QCOMPARE(p->windowTitle(), QString::fromUtf8("PAT98設定"));
    QCOMPARE(p->FolderLabel()->objectName(), QString("Lbpat"));
    QSignalSpy spy(p.get(), &FolderDialog::pat98FolderConfirmed);
    p->OkButton()->click();
    QCOMPARE(spy.count(), 1);
    Fm98Path() = nullptr;
  }

  void pickerStartFolders() {
    test::TempDir home;
    Session s;
    Init(s, home);
    QString existing = QString::fromStdString(home.path().string());
    QString gone = existing + "/gone";
    QString pat = QString::fromStdString(s.app.Pat98Folder.string());
    struct C { FolderPurpose p; QString shown; QString start; };
    const C cases[] = {
        {FolderPurpose::Pat98, gone, gone},
        {FolderPurpose::Bet, existing, existing},
        {FolderPurpose::Bet, gone, pat},
        {FolderPurpose::Csv, gone, pat},
        {FolderPurpose::Jrdb, gone, QDir::currentPath()},
        {FolderPurpose::Jrdb, existing, existing},
    };
    for (const C& c : cases) QCOMPARE(PickerStartFolder(c.p, c.shown, s.app), c.start);
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
