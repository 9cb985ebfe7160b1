// The "FHWARS成績変換" dialog on the main window: opening it from the menu, the pickers, the
// OK button's refusals, the conversion of the bundled example log and the folder opened after.
#include <QAction>
#include <QApplication>

#include "samples/fhwars/fixture_results_log.h"
#include "fm98_file.h"
#include "fm98_folders.h"
#include "fm98_warsk.h"
#include "text/files.h"
#include "ui_fixture.h"

using namespace tz;
using namespace tz::ui;
using namespace tz::ui::testing;

namespace fs = std::filesystem;

namespace {

Fm98WarsK* OpenDialog(Day& d) {
  auto* a = d.w->findChild<QAction*>("menuwkekka");
  if (!a || !a->isEnabled()) return nullptr;
  a->trigger();
  return d.w->findChild<Fm98WarsK*>();
}

// A copy of the bundled sample day, without results files, to receive the converted ones.
fs::path CopyOfSampleDay(const test::TempDir& home) {
  fs::path to = home / "converted";
  fs::create_directories(to);
  for (const auto& e : fs::directory_iterator(testing::SampleDay())) {
    std::string name = e.path().filename().string();
    if (e.is_regular_file() && !text::MatchesPattern(name, "KS-*")) fs::copy_file(e.path(), to / name);
  }
  return to;
}

int CountResultsFiles(const fs::path& folder) {
  return static_cast<int>(text::ListFolder(folder, "KS-*.JRA").size());
}

}  // namespace

class WarsResultsDialogTest : public QObject {
  Q_OBJECT
 private slots:
  void menuOpensOneModelessDialogWithTheSettings() {
    Day d(testing::SampleDay());
    d.s.app.settings.Txtpath = "/logs";
    d.s.app.settings.Tksfile = "kekka.txt";
    d.s.app.settings.Cnvpath = "/conv";
    Fm98WarsK* dlg = OpenDialog(d);
    QVERIFY(dlg);
    QVERIFY(dlg->isVisible());
    QVERIFY(!dlg->isModal());
    QCOMPARE(dlg->windowTitle(), QString::fromUtf8("FHWARS成績変換"));
    QCOMPARE(dlg->Lbtext()->text(), QString("/logs"));
    QCOMPARE(dlg->LbFile()->text(), QString("kekka.txt"));
    QCOMPARE(dlg->Lbdir()->text(), QString("/conv"));
    QVERIFY(dlg->Option1(0)->isChecked());
    QVERIFY(!dlg->Option1(1)->isChecked());
    QCOMPARE(dlg->Option1(1)->text(), QString::fromUtf8("する"));
    QVERIFY(dlg->Check1()->isChecked());
    QVERIFY(dlg->ProgressBar1()->isHidden());
    // The main window stays usable, and a second request shows the same dialog.
    d.w->findChild<QAction*>("menuwkekka")->trigger();
    QCOMPARE(d.w->findChildren<Fm98WarsK*>().size(), 1);
    dlg->Comcan()->click();
    QApplication::processEvents();
    QTRY_VERIFY(d.w->findChild<Fm98WarsK*>() == nullptr);
    QCOMPARE(d.s.app.settings.Tksfile, std::string("kekka.txt"));
  }

  void pickersFillTheLabels() {
    Day d(testing::SampleDay());
    Fm98WarsK* dlg = OpenDialog(d);
    QVERIFY(dlg);
    QString fileStart, folderStart, folderCaption;
    Fm98File() = [&](QWidget*, Session&, const QString& start) -> std::optional<PickedFile> {
      fileStart = start;
      return PickedFile{"/saved/logs", "room17.txt"};
    };
    Fm98Path() = [&](QWidget*, const QString& caption, const QString& start) {
      folderCaption = caption;
      folderStart = start;
      return QString("/pseudo/out");
    };
    dlg->Com3()->click();
    QCOMPARE(dlg->Lbtext()->text(), QString("/saved/logs"));
    QCOMPARE(dlg->LbFile()->text(), QString("room17.txt"));
    // The shown folders do not exist: the pickers start in the current folder.
    QCOMPARE(fileStart, QDir::currentPath());
    dlg->Com2()->click();
    QCOMPARE(dlg->Lbdir()->text(), QString("/pseudo/out"));
    QCOMPARE(folderCaption, QString::fromUtf8("ﾌｫﾙﾀﾞの指定"));
    QCOMPARE(folderStart, QDir::currentPath());
    // A cancelled picker leaves the labels alone.
    Fm98File() = [](QWidget*, Session&, const QString&) -> std::optional<PickedFile> { return std::nullopt; };
    dlg->Com3()->click();
    QCOMPARE(dlg->LbFile()->text(), QString("room17.txt"));
    Fm98File() = nullptr;
    Fm98Path() = nullptr;
  }

  void refusalsAndAnEmptyLogKeepTheDialogOpen() {
    Day d(testing::SampleDay());
    fs::path logs = d.home / "logs";
    d.home.Write("logs/chatter.txt", "#00001 FHWARS\r\nno results today\r\n");
    fs::path out = d.home / "out";
    fs::create_directories(out);
    Fm98WarsK* dlg = OpenDialog(d);
    QVERIFY(dlg);
    const fs::path before = d.s.app.DataFolder;

    dlg->Lbtext()->setText(QString::fromStdString(logs.string()));
    dlg->LbFile()->setText("chatter.txt");
    dlg->Lbdir()->setText(QString::fromStdString((d.home / "missing").string()));
    dlg->Comok()->click();
    QCOMPARE(d.port.Errors(), (std::vector<std::string>{"擬似ﾌｧｲﾙ格納ﾌｫﾙﾀﾞが存在しません"}));
    QVERIFY(dlg->isVisible());
    QVERIFY(!fs::exists(d.home / "missing"));

    // The PAT98 folder is never the receiving folder.
    d.port.messages.clear();
    dlg->Lbdir()->setText(QString::fromStdString(d.s.app.Pat98Folder.string()));
    dlg->Comok()->click();
    QCOMPARE(d.port.messages.size(), std::size_t(1));
    QCOMPARE(d.port.messages[0].text,
             std::string("擬似ﾌｧｲﾙ格納ﾌｫﾙﾀﾞにPAT98ｲﾝｽﾄｰﾙﾌｫﾙﾀﾞが指定されています"));
    QVERIFY(dlg->isVisible());

    // A log without results postings: the count 0, the dialog stays, nothing is opened.
    d.port.messages.clear();
    dlg->Lbdir()->setText(QString::fromStdString(out.string()));
    dlg->Comok()->click();
    QCOMPARE(d.port.messages.size(), std::size_t(2));
    QCOMPARE(d.port.messages[0].text, std::string("実行しますか?"));
    QCOMPARE(d.port.messages[1].text, std::string("0ﾌｧｲﾙ処理しました。"));
    QCOMPARE(d.port.messages[1].title, std::string("FHWARS成績変換"));
    QVERIFY(dlg->isVisible());
    QVERIFY(dlg->ProgressBar1()->isHidden());
    QVERIFY(dlg->Comok()->isEnabled());
    QCOMPARE(d.s.app.DataFolder, before);
    // The labels went into the settings on OK.
    QCOMPARE(d.s.app.settings.Tksfile, std::string("chatter.txt"));
    QCOMPARE(d.s.app.settings.Cnvpath, out.string());
  }

  void convertsTheExampleLogAndOpensTheFolder() {
    Day d(testing::SampleDay());
    fs::path out = CopyOfSampleDay(d.home);
    fs::path log = d.home.Write("logs/results-log.txt", fixture::SampleResultsLogBytes());
    Fm98WarsK* dlg = OpenDialog(d);
    QVERIFY(dlg);
    QPointer<Fm98WarsK> guard(dlg);
    dlg->Lbtext()->setText(QString::fromStdString(log.parent_path().string()));
    dlg->LbFile()->setText("results-log.txt");
    dlg->Lbdir()->setText(QString::fromStdString(out.string()));
    dlg->Option1(1)->setChecked(true);
    dlg->Comok()->click();
    QCOMPARE(CountResultsFiles(out), 35);
    QVERIFY(!d.port.messages.empty());
    QCOMPARE(d.port.messages.back().text, std::string("35ﾌｧｲﾙ処理しました。"));
    QVERIFY(d.s.wars.WarsOverwrite);
    // The receiving folder is the loaded day now, and the dialog has closed.
    QCOMPARE(d.s.app.DataFolder, out);
    QTRY_VERIFY(guard.isNull());
    QVERIFY(d.w->windowTitle().contains(QString::fromStdString(out.string())));
  }

  void uncheckedOpenLeavesTheLoadedDay() {
    Day d(testing::SampleDay());
    fs::path out = d.home / "out";
    fs::create_directories(out);
    fs::path log = d.home.Write("logs/results-log.txt", fixture::SampleResultsLogBytes());
    Fm98WarsK* dlg = OpenDialog(d);
    QVERIFY(dlg);
    QPointer<Fm98WarsK> guard(dlg);
    const fs::path before = d.s.app.DataFolder;
    dlg->Lbtext()->setText(QString::fromStdString(log.parent_path().string()));
    dlg->LbFile()->setText("results-log.txt");
    dlg->Lbdir()->setText(QString::fromStdString(out.string()));
    dlg->Check1()->setChecked(false);
    dlg->Comok()->click();
    QCOMPARE(CountResultsFiles(out), 35);
    QCOMPARE(d.s.app.DataFolder, before);
    QTRY_VERIFY(guard.isNull());
  }

  void filePickerListsTheMaskAndKeepsIt() {
    test::TempDir dir;
    dir.Write("b.txt", "");
    dir.Write("A.TXT", "");
    dir.Write("room17.log", "");
    Session s;
    s.app.settings.Mask = "*.txt";
    Fm98FileDialog picker(s, QString::fromStdString(dir.path().string()));
    QCOMPARE(picker.windowTitle(), QString::fromUtf8("ﾌｧｲﾙの指定"));
    QCOMPARE(picker.PatternBox()->text(), QString("*.txt"));
    QCOMPARE(picker.FileList()->count(), 2);
    QCOMPARE(picker.FileList()->item(0)->text(), QString("A.TXT"));
    picker.PatternBox()->setText("*.log;*.txt");
    QCOMPARE(picker.FileList()->count(), 3);
    picker.PatternBox()->setText("*.log");
    QCOMPARE(picker.FileList()->count(), 1);
    picker.FileList()->setCurrentRow(0);
    PickedFile f = picker.Picked();
    QCOMPARE(f.folder, QString::fromStdString(dir.path().string()));
    QCOMPARE(f.file, QString("room17.log"));
    picker.reject();
    QCOMPARE(s.app.settings.Mask, std::string("*.log"));
    // A folder that does not exist: the picker starts in the current folder.
    QCOMPARE(FilePickerStartFolder("/no/such/folder"), QDir::currentPath());
  }
};

QTEST_MAIN(WarsResultsDialogTest)
#include "wars_results_dialog_test.moc"
