// The main window's frame: menus, tool bars, status bar, view switching, countdown, sizing,
// close question and the folder dialogs.
#include <QAction>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

#include "app/startup.h"
#include "fm98_folders.h"
#include "fm98_main.h"
#include "qt_translations.h"
#include "support/fake_port.h"
#include "support/snapshot_day.h"
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
        // The day-wide commands wait for a day.
        {"MenuList", "競走成績一覧(&R)", "Ctrl+R", false},
        {"MenuAna", "推奨穴馬一覧(&A)", "Ctrl+A", false},
        {"MenuRZ", "予想値一覧(&Z)", "Ctrl+Z", false},
        {"MenuCon", "FHWARSｺﾝﾃｽﾄ形式(&C)", "", false},
        {"MenuBase", "基準ｽﾅｯﾌﾟｼｮｯﾄ", "", false},
        {"MenuVersion", "ﾊﾞｰｼﾞｮﾝ情報(&V)", "", true},
    };
    for (const Item& it : items) {
      auto* a = w.findChild<QAction*>(it.name);
      QVERIFY2(a, it.name);
      QCOMPARE(a->text(), QString::fromUtf8(it.caption));
      QCOMPARE(a->shortcut(), QKeySequence(it.key));
      QVERIFY2(a->isEnabled() == it.enabled, it.name);
    }
    // Once a day is loaded they are there; an empty folder takes them away again.
    w.OpenDataFolder(testing::SampleDay());
    for (const char* name : {"MenuList", "MenuAna", "MenuRZ", "MenuCon", "MenuBase"}) {
      QVERIFY2(w.findChild<QAction*>(name)->isEnabled(), name);
    }
    std::filesystem::create_directories(home / "empty");
    w.OpenDataFolder(home / "empty");
    for (const char* name : {"MenuList", "MenuAna", "MenuRZ", "MenuCon", "MenuBase"}) {
      QVERIFY2(!w.findChild<QAction*>(name)->isEnabled(), name);
    }
    QStringList menus;
    for (QAction* a : w.menuBar()->actions()) menus << a->text();
    QCOMPARE(menus, (QStringList{QString::fromUtf8("ﾌｧｲﾙ(&F)"), QString::fromUtf8("ﾂｰﾙ(&T)"),
                                 QString::fromUtf8("ﾍﾙﾌﾟ(&H)")}));
  }

  // 基準ｽﾅｯﾌﾟｼｮｯﾄ: the saved folders of the day are offered after the JRDB base; the chosen one
  // becomes the base of the race on screen at once, and the header says so.
  void baseSnapshotFromTheFileMenu() {
    testing::Day d(testing::SampleDay());
    const std::filesystem::path snap = d.s.app.StoreRoot / "2002-10-20(100500)";
    QCOMPARE(QString::fromStdString(WriteSampleDay(test::EarlierSnapshot(), snap)), QString());
    d.Select(1, 11);
    auto* base = d.w->findChild<QLabel*>("LbBase");
    QVERIFY(base);
    QCOMPARE(base->text(), QString());  // no JRDB folder: no base

    auto choose = [&](int row) {
      QTimer::singleShot(0, [row] {
        auto* dlg = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        QVERIFY(dlg);
        QCOMPARE(dlg->objectName(), QString("Fm98Base"));
        auto* list = dlg->findChild<QListWidget*>("List1");
        QCOMPARE(list->count(), 3);  // JRDB, the snapshot, another folder
        QCOMPARE(list->item(1)->text(), QString("2002-10-20(100500)"));
        list->setCurrentRow(row);
        dlg->accept();
      });
      d.w->findChild<QAction*>("MenuBase")->trigger();
    };
    choose(1);
    QCOMPARE(base->text(), QString::fromUtf8("基準 10時5分ｽﾅｯﾌﾟｼｮｯﾄ"));
    QVERIFY(d.s.mainWindow.JrdbLayout);
    QCOMPARE(d.s.analysis.BaseSource, BaseOddsSource::Snapshot);
    choose(0);
    QCOMPARE(base->text(), QString());
    QVERIFY(d.s.baseSnapshot.Folder.empty());
    QVERIFY(d.port.messages.empty());
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

  // The race header, the post time and countdown, かぶり度, 推移 and the upset value show the
  // race on screen or nothing: a race without a race card has no distance, a failed selection
  // and another day leave every header label empty, and the countdown stays hidden.
  void raceHeaderShowsTheSelectedRaceOrNothing() {
    test::TempDir dir;
    const std::filesystem::path day = dir / "day";
    std::filesystem::copy(testing::SampleDay(), day, std::filesystem::copy_options::recursive);
    std::filesystem::remove(day / "UO-562.JRA");  // 東京2R cannot be analysed
    std::filesystem::remove(day / "DE-564.JRA");  // 東京4R has no race card
    testing::Day d(day);
    Fm98Main& w = *d.w;
    auto label = [&w](const char* name) { return w.findChild<QLabel*>(name); };
    const char* header[] = {"lblkai", "lblrace", "Lbltime", "Lbm", "LbDown", "Lbjval"};
    QDateTime now(QDate(2002, 10, 20), QTime(9, 0));
    w.SetClock([&now] { return now; });

    d.Select(1, 11);
    for (const char* name : header) QVERIFY2(!label(name)->text().isEmpty(), name);
    QVERIFY(label("lblkai")->text().endsWith("11R"));
    QVERIFY(label("Lbm")->text().endsWith("m"));
    QVERIFY(w.TimeLabel()->isVisible());
    QVERIFY(label("LbKaburi")->isVisible());
    // The tool tips of かぶり度 and 推移.
    QCOMPARE(label("LbKaburi")->toolTip(),
             QString::fromUtf8("かぶり度（１、２番人気と２、３番人気の馬連の比率）"));
    QCOMPARE(label("LbDown")->toolTip(), QString::fromUtf8("１０倍未満の馬数の推移（基単→仮単）"));

    // No race card: the race's own header, no distance and no post time of 11R.
    d.Select(1, 4);
    QVERIFY(label("lblkai")->text().endsWith(" 4R"));
    QCOMPARE(label("Lbm")->text(), QString());
    w.TickCountdown();
    QVERIFY(!w.TimeLabel()->isVisible());

    // A failed selection: nothing of any race.
    d.Select(1, 11);
    d.port.messages.clear();
    d.Select(1, 2);
    QCOMPARE(d.port.Errors(), std::vector<std::string>{"馬連ｵｯｽﾞが取得されていません。"});
    for (const char* name : header) QVERIFY2(label(name)->text().isEmpty(), name);
    QVERIFY(!label("LbKaburi")->isVisible());
    QVERIFY(!w.findChild<UpsetBar*>("PicBar")->isVisible());
    w.TickCountdown();
    QVERIFY(!w.TimeLabel()->isVisible());

    // Another day opened: nothing of the day before.
    d.Select(1, 11);
    QVERIFY(w.TimeLabel()->isVisible());
    test::TempDir other;
    test::WriteOddsDay(other.path());
    w.OpenDataFolder(other.path());
    for (const char* name : header) QVERIFY2(label(name)->text().isEmpty(), name);
    w.TickCountdown();
    QVERIFY(!w.TimeLabel()->isVisible());
  }

  // Horse selections on the matrix headers belong to the race: the next race, or a race of
  // another day, starts without them, so a box never takes the earlier race's horses.
  void headerSelectionsBelongToTheRace() {
    testing::Day d;
    d.Select(1, 5);
    d.Click("numumaY", 0);
    d.Click("numumaY", 1);
    QVERIFY(!d.Cell("numumaY", 0)->transparent);
    auto noneSelectedNorMarked = [&d] {
      for (int i = 0; i < d.s.mainWindow.RunnerCount; ++i) {
        QVERIFY(d.Cell("numumaY", i)->transparent);
        for (int j = 0; j < d.s.mainWindow.RunnerCount; ++j) {
          if (const PaintCell* c = d.Cell("odzuma", i, j)) QVERIFY(c->back != testing::Bgr(colours::kMark));
        }
      }
    };
    d.Select(1, 6);
    d.w->ApplyPattern(1);  // ﾎﾞｯｸｽ
    noneSelectedNorMarked();

    d.Click("numumaY", 0);
    d.Click("numumaY", 2);
    test::TempDir other;
    test::WriteOddsDay(other.path(), "20030112");
    d.w->OpenDataFolder(other.path());
    d.Select(1, 6);
    d.w->ApplyPattern(1);
    noneSelectedNorMarked();
  }

  // A race sold without quinella odds (sale code 7) shows the quinella matrix only: the view
  // button is disabled, and the view chosen before comes back with the next race.
  void viewButtonIsOffForABracketOnlyRace() {
    testing::Day d;
    Fm98Main& w = *d.w;
    d.Select(1, 5);
    w.SetViewMode(kViewWide);
    d.Select(3, 1);  // 小倉1R, sale code 7
    QCOMPARE(d.s.race.CurrentSaleCode, 7);
    QVERIFY(!w.ToolButton(9)->isEnabled());
    w.ToolButton(9)->click();
    w.CycleViewMode();
    QCOMPARE(w.ViewMode(), int(kViewWide));
    QCOMPARE(w.findChild<QLabel*>("LbView")->text(), QString::fromUtf8("馬連"));
    d.Select(1, 6);
    QVERIFY(w.ToolButton(9)->isEnabled());
    QCOMPARE(w.findChild<QLabel*>("LbView")->text(), QString::fromUtf8("ﾜｲﾄﾞ"));
  }

  // On a first start (no width in the settings) and a screen wider than 640 pixels the window
  // is as wide as the whole race header and both matrices of an 18-horse race with the JRDB
  // columns, at most the screen's width; a remembered width still wins, and a small screen
  // keeps the classic width.
  void firstStartShowsAWholeEighteenHorseRace() {
    struct Case {
      double screenPixels;
      const char* ini;
      bool full;
    };
    const Case cases[] = {
        {1920, nullptr, true},
        {1600, nullptr, false},
        {1920, "[WINDOW]\r\nWinWidth=9600\r\n", false},
        {640, nullptr, false},
    };
    for (const Case& c : cases) {
      test::TempDir home;
      if (c.ini) home.Write("TZNA/tz98.ini", c.ini);
      Session s;
      InitApplicationState(s, home.path(), c.screenPixels * 15, 1000 * 15);
      s.app.settings.OZpath = (testing::SampleDay() / "jrdb").string();
      test::FakePort port;
      Fm98Main w(s, port);
      w.SetFirstRunCheck(false);
      w.OpenDataFolder(testing::SampleDay());
      w.show();
      QVERIFY(QTest::qWaitForWindowExposed(&w));
      if (!c.full) {
        // A narrower screen: as wide as the screen allows; otherwise the classic width.
        const bool screenWide = !c.ini && c.screenPixels > Fm98Main::kClassicWidthPixels;
        QCOMPARE(w.width(), screenWide ? int(c.screenPixels) : Fm98Main::kClassicWidthPixels);
        continue;
      }
      QVERIFY(w.width() > Fm98Main::kClassicWidthPixels);
      QVERIFY(w.width() <= c.screenPixels);
      w.PressMeeting(1);
      w.PressRace(4 + 1);  // 東京1R: 18 horses, JRDB base odds
      QCOMPARE(s.race.HorseCount, 18);
      QVERIFY(s.mainWindow.JrdbLayout);
      w.SetViewMode(kViewBoth);
      QCoreApplication::processEvents();
      auto* scroll = w.findChild<QScrollArea*>("OddsScroll");
      QVERIFY(scroll->widget()->width() <= scroll->viewport()->width());
      QCOMPARE(scroll->horizontalScrollBar()->maximum(), 0);
      // Every header label has the room its text needs.
      for (const char* name : {"lblkai", "lblrace", "Lbltime", "Lbm", "LbKaburi", "LbDown", "Lbjval", "LbView"}) {
        auto* l = w.findChild<QLabel*>(name);
        QVERIFY2(l->width() >= l->sizeHint().width(), name);
      }
    }
  }

  // With a data folder named at start the first-run hint asking for the PAT98 folder goes.
  void noFirstRunHintWithADataFolder() {
    test::TempDir home;
    Session s;
    Init(s, home);
    test::FakePort port;
    Fm98Main w(s, port);
    w.StartupLoad();
    QVERIFY(!w.HintLabel()->isHidden());
    w.SetFirstRunCheck(false);
    w.OpenDataFolder(testing::SampleDay());
    QVERIFY(w.HintLabel()->isHidden());
  }

  // Qt's own buttons read はい, いいえ and キャンセル, as the messages name them.
  void qtDialogsAreJapanese() {
    QVERIFY(InstallQtTranslations(*QCoreApplication::instance()));
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    QVERIFY(box.button(QMessageBox::Yes)->text().contains(QString::fromUtf8("はい")));
    QVERIFY(box.button(QMessageBox::No)->text().contains(QString::fromUtf8("いいえ")));
    QVERIFY(box.button(QMessageBox::Cancel)->text().contains(QString::fromUtf8("キャンセル")));
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
