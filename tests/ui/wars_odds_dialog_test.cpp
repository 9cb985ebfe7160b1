// The "FHWARSｵｯｽﾞ変換" dialog on the main window: opening it from the menu, the folder button's
// offer to create a typed folder, the help window, the OK button's refusals, and the
// conversion of a log whose folder then opens as the loaded day.
#include <QAction>
#include <QApplication>
#include <QTimer>

#include "samples/fhwars/fixture_odds_log.h"
#include "fm98_file.h"
#include "fm98_folders.h"
#include "fm98_small.h"
#include "fm98_wars.h"
#include "text/files.h"
#include "ui_fixture.h"

using namespace tz;
using namespace tz::ui;
using namespace tz::ui::testing;

namespace fs = std::filesystem;

namespace {

Fm98Wars* OpenDialog(Day& d) {
  auto* a = d.w->findChild<QAction*>("menuwars");
  if (!a || !a->isEnabled()) return nullptr;
  a->trigger();
  return d.w->findChild<Fm98Wars*>();
}

QString Q(const fs::path& p) { return QString::fromStdString(p.string()); }

}  // namespace

class WarsOddsDialogTest : public QObject {
  Q_OBJECT
 private slots:
  void menuOpensOneDialogWithTheSettings() {
    Day d(testing::SampleDay());
    d.s.app.settings.Txtpath = "/logs";
    d.s.app.settings.Txtfile = "odds.txt";
    d.s.app.settings.Cnvpath = "/conv";
    Fm98Wars* dlg = OpenDialog(d);
    QVERIFY(dlg);
    QVERIFY(dlg->isVisible());
    QCOMPARE(dlg->windowTitle(), QString::fromUtf8("FHWARSｵｯｽﾞ変換"));
    QCOMPARE(dlg->Lbtext()->text(), QString("/logs"));
    QCOMPARE(dlg->LbFile()->text(), QString("odds.txt"));
    QCOMPARE(dlg->LbDir()->text(), QString("/conv"));
    QVERIFY(dlg->Option1(0)->isChecked());
    QCOMPARE(dlg->Option1(1)->text(), QString::fromUtf8("する"));
    QVERIFY(dlg->Check1()->isChecked());
    QVERIFY(dlg->ProgressBar1()->isHidden());
    QCOMPARE(dlg->Command1()->text(), QString::fromUtf8("ﾍﾙﾌﾟ"));
    d.w->findChild<QAction*>("menuwars")->trigger();
    QCOMPARE(d.w->findChildren<Fm98Wars*>().size(), 1);
    dlg->Comcan()->click();
    QTRY_VERIFY(d.w->findChild<Fm98Wars*>() == nullptr);
  }

  void folderButtonCreatesATypedFolderOrOpensThePicker() {
    Day d(testing::SampleDay());
    Fm98Wars* dlg = OpenDialog(d);
    QVERIFY(dlg);
    int picks = 0;
    QString start;
    Fm98Path() = [&](QWidget*, const QString&, const QString& s) {
      ++picks;
      start = s;
      return QString("/picked/out");
    };
    // A typed folder that is missing: Yes creates it and the click ends there.
    const fs::path typed = d.home / "new" / "odds";
    dlg->LbDir()->setText(Q(typed));
    d.port.answers = {Answer::Yes};
    dlg->Com2()->click();
    QVERIFY(fs::is_directory(typed));
    QCOMPARE(picks, 0);
    QCOMPARE(dlg->LbDir()->text(), Q(typed));
    QCOMPARE(d.port.messages.back().text, std::string("変換先ﾌｫﾙﾀﾞが存在しません。\n作成しますか？"));
    // An existing folder opens the picker there.
    dlg->Com2()->click();
    QCOMPARE(picks, 1);
    QCOMPARE(start, Q(typed));
    QCOMPARE(dlg->LbDir()->text(), QString("/picked/out"));
    // No to the question opens the picker too, at the current folder.
    d.port.answers = {Answer::No};
    dlg->LbDir()->setText(Q(d.home / "other"));
    dlg->Com2()->click();
    QCOMPARE(picks, 2);
    QCOMPARE(start, QDir::currentPath());
    QVERIFY(!fs::exists(d.home / "other"));

    Fm98File() = [](QWidget*, Session&, const QString&) -> std::optional<PickedFile> {
      return PickedFile{"/saved", "room17.txt"};
    };
    dlg->Com3()->click();
    QCOMPARE(dlg->Lbtext()->text(), QString("/saved"));
    QCOMPARE(dlg->LbFile()->text(), QString("room17.txt"));
    Fm98File() = nullptr;
    Fm98Path() = nullptr;
  }

  void helpShowsTheConversionHelp() {
    Day d(testing::SampleDay());
    Fm98Wars* dlg = OpenDialog(d);
    QVERIFY(dlg);
    QString caption, text;
    QTimer::singleShot(0, [&] {
      auto* help = qobject_cast<Fm98Help*>(QApplication::activeModalWidget());
      if (!help) return;
      caption = help->windowTitle();
      text = help->Text1->toPlainText();
      help->close();
    });
    dlg->Command1()->click();
    QCOMPARE(caption, QString::fromUtf8("FHWARS変換のヘルプ"));
    QVERIFY(text.startsWith(QString::fromUtf8("この機能は基本的に寝坊等により")));
    QVERIFY(text.endsWith(QString::fromUtf8("※前売オッズはｻﾎﾟｰﾄしていません")));
  }

  void refusalsKeepTheDialogOpenAndWriteNothing() {
    Day d(testing::SampleDay());
    d.home.Write("logs/odds.txt", fixture::ForumOddsLogBytes({fixture::MakeForumPosting(6)}));
    Fm98Wars* dlg = OpenDialog(d);
    QVERIFY(dlg);
    dlg->Lbtext()->setText(Q(d.home / "logs"));
    dlg->LbFile()->setText("odds.txt");
    dlg->LbDir()->setText(Q(d.s.app.Pat98Folder));
    dlg->Comok()->click();
    QCOMPARE(d.port.messages.back().text,
             std::string("擬似ﾌｧｲﾙ格納ﾌｫﾙﾀﾞにPAT98ｲﾝｽﾄｰﾙﾌｫﾙﾀﾞが指定されています"));
    QVERIFY(dlg->isVisible());
    // A missing receiving folder that the user does not want created.
    d.port.answers = {Answer::No};
    dlg->LbDir()->setText(Q(d.home / "missing"));
    dlg->Comok()->click();
    QVERIFY(!fs::exists(d.home / "missing"));
    QVERIFY(dlg->isVisible());
    // "実行しますか?" answered No: nothing is written.
    fs::create_directories(d.home / "out");
    dlg->LbDir()->setText(Q(d.home / "out"));
    d.port.answers = {Answer::No};
    dlg->Comok()->click();
    QCOMPARE(d.port.messages.back().text, std::string("実行しますか?"));
    QVERIFY(text::ListFolder(d.home / "out", "*").empty());
    QVERIFY(dlg->isVisible());
    QCOMPARE(d.s.app.settings.Txtfile, std::string("odds.txt"));
    QCOMPARE(d.s.app.settings.Cnvpath, (d.home / "out").string());
  }

  void convertsAndOpensTheFolderAsTheDay() {
    Day d(testing::SampleDay());
    d.home.Write("logs/odds.txt",
                 fixture::ForumOddsLogBytes({fixture::MakeForumPosting(16, "中山", 5, 11),
                                             fixture::MakeForumPosting(8, "中山", 5, 12)}));
    Fm98Wars* dlg = OpenDialog(d);
    QVERIFY(dlg);
    QPointer<Fm98Wars> guard(dlg);
    const fs::path out = d.home / "out";
    dlg->Lbtext()->setText(Q(d.home / "logs"));
    dlg->LbFile()->setText("odds.txt");
    dlg->LbDir()->setText(Q(out));
    dlg->Option1(1)->setChecked(true);
    // Create the folder, run, acknowledge the count, build the pseudo betting guide.
    d.port.answers = {Answer::Yes, Answer::Yes, Answer::Ok, Answer::Yes};
    dlg->Comok()->click();
    for (const char* pattern : {"DE-*.JRA", "ZO-*.JRA", "UO-*.JRA"}) {
      QCOMPARE(text::ListFolder(out, pattern).size(), std::size_t(2));
    }
    bool counted = false;
    for (const auto& m : d.port.messages) {
      counted |= m.text == "2ﾌｧｲﾙ処理しました。" && m.title == "FHWARSｵｯｽﾞ変換";
    }
    QVERIFY(counted);
    QVERIFY(d.s.wars.WarsOverwrite);
    QCOMPARE(d.s.app.DataFolder, out);
    QCOMPARE(d.s.race.MeetingCount, 1);
    QVERIFY(text::FileExists(out / "UY-A.JRA"));
    QTRY_VERIFY(guard.isNull());
    QVERIFY(d.w->windowTitle().contains(Q(out)));
  }

  void aLogWithoutPostingsLeavesTheDialogOpen() {
    Day d(testing::SampleDay());
    d.home.Write("logs/chat.txt", "no odds today\r\n");
    fs::create_directories(d.home / "out");
    Fm98Wars* dlg = OpenDialog(d);
    QVERIFY(dlg);
    const fs::path before = d.s.app.DataFolder;
    dlg->Lbtext()->setText(Q(d.home / "logs"));
    dlg->LbFile()->setText("chat.txt");
    dlg->LbDir()->setText(Q(d.home / "out"));
    dlg->Comok()->click();
    QCOMPARE(d.port.messages.back().text, std::string("0ﾌｧｲﾙ処理しました。"));
    QVERIFY(dlg->isVisible());
    QVERIFY(dlg->ProgressBar1()->isHidden());
    QCOMPARE(d.s.app.DataFolder, before);
  }
};

QTEST_MAIN(WarsOddsDialogTest)
#include "wars_odds_dialog_test.moc"
