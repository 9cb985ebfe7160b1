// The "JRDBﾃﾞｰﾀ変換" dialog on the main window: opened from the tools menu, the real day of
// base odds imported and opened, the day the same as the command-line tool writes, and the
// refusals.
#include <QAction>
#include <QApplication>
#include <map>

#include "fm98_folders.h"
#include "fm98_jrdb_import.h"
#include "support/run_command.h"
#include "text/files.h"
#include "ui_fixture.h"

using namespace tz;
using namespace tz::ui;
using namespace tz::ui::testing;

namespace fs = std::filesystem;

namespace {

const fs::path kReal2002 = fs::path(TAZUNA_SOURCE_DIR) / "samples" / "real-20020908" / "jrdb";

Fm98JrdbImport* OpenDialog(Day& d) {
  auto* a = d.w->findChild<QAction*>("menujrdbimport");
  if (!a || !a->isEnabled()) return nullptr;
  a->trigger();
  return d.w->findChild<Fm98JrdbImport*>();
}

// Every file under a folder, by its path inside it.
std::map<std::string, std::string> Files(const fs::path& folder) {
  std::map<std::string, std::string> out;
  for (const auto& e : fs::recursive_directory_iterator(folder)) {
    if (e.is_regular_file()) out[fs::relative(e.path(), folder).string()] = test::ReadAll(e.path());
  }
  return out;
}

}  // namespace

class JrdbImportDialogTest : public QObject {
  Q_OBJECT
 private slots:
  void importsTheRealDayAndOpensIt() {
    Day d;
    Fm98JrdbImport* dlg = OpenDialog(d);
    QVERIFY(dlg);
    QVERIFY(!dlg->isModal());
    QCOMPARE(dlg->windowTitle(), QString::fromUtf8("JRDBﾃﾞｰﾀ変換"));
    QVERIFY(dlg->ProgressBar1()->isHidden());
    const fs::path out = d.home / "imported";
    QString pickerStart;
    Fm98Path() = [&](QWidget*, const QString&, const QString& start) {
      pickerStart = start;
      return QString::fromStdString(out.string());
    };
    dlg->ComOut()->click();
    Fm98Path() = nullptr;
    QCOMPARE(dlg->LbOut()->text(), QString::fromStdString(out.string()));
    dlg->LbJrdb()->setText(QString::fromStdString(kReal2002.string()));

    dlg->Comok()->click();  // the offer to open the day is answered with its default, Yes
    QTRY_VERIFY(d.w->findChild<Fm98JrdbImport*>() == nullptr);
    QVERIFY(d.s.app.DataFolder == out);
    QCOMPARE(d.s.race.MeetingCount, 3);
    QCOMPARE(d.s.race.GuideDate, std::string("20020908"));
    QCOMPARE(d.s.app.settings.OZpath, (out / "jrdb").string());
    bool asked = false;
    for (const auto& m : d.port.messages) {
      if (m.kind == test::Message::Question && m.text.find("36ﾚｰｽ 478頭") != std::string::npos) asked = true;
    }
    QVERIFY(asked);

    // The command-line tool writes the same day, byte for byte.
    const fs::path cliOut = d.home / "cli";
    auto r = test::RunCommand(test::ShellQuote(TAZUNA_CLI_PATH) + " jrdb-import --jrdb " +
                              test::ShellQuote(kReal2002.string()) + " --out " +
                              test::ShellQuote(cliOut.string()));
    QCOMPARE(r.exitCode, 0);
    const auto gui = Files(out), cli = Files(cliOut);
    QCOMPARE(gui.size(), cli.size());
    QVERIFY(gui == cli);

    // Again into the same folder: the overwrite question, answered No, leaves the day alone.
    dlg = OpenDialog(d);
    QVERIFY(dlg);
    dlg->LbJrdb()->setText(QString::fromStdString(kReal2002.string()));
    dlg->LbOut()->setText(QString::fromStdString(out.string()));
    d.port.messages.clear();
    d.port.answers = {Answer::No};
    dlg->Comok()->click();
    QCOMPARE(d.port.messages.size(), std::size_t{1});
    QVERIFY(d.port.messages[0].text.find("上書きしますか") != std::string::npos);
    QVERIFY(d.w->findChild<Fm98JrdbImport*>() != nullptr);
    dlg->Comcan()->click();
  }

  void refusesAFolderWithoutADayAndWritesNothing() {
    Day d;
    Fm98JrdbImport* dlg = OpenDialog(d);
    QVERIFY(dlg);
    fs::create_directories(d.home / "nothing");
    dlg->LbJrdb()->setText(QString::fromStdString((d.home / "nothing").string()));
    dlg->LbOut()->setText(QString::fromStdString((d.home / "out").string()));
    d.port.messages.clear();
    dlg->Comok()->click();
    QCOMPARE(d.port.messages.size(), std::size_t{1});
    QCOMPARE(d.port.messages[0].kind, test::Message::Error);
    QVERIFY(d.port.messages[0].text.find("JRDBのﾃﾞｰﾀﾌｧｲﾙがありません") != std::string::npos);
    QVERIFY(!fs::exists(d.home / "out"));
    QVERIFY(dlg->isVisible());

    // A season goes into the store, whose folder the dialog then shows.
    dlg->ChkAll()->setChecked(true);
    QCOMPARE(dlg->LbOut()->text(), QString::fromStdString(d.s.app.StoreRoot.string()));
    QVERIFY(!dlg->ComOut()->isEnabled());
    dlg->Comcan()->click();
  }
};

QTEST_MAIN(JrdbImportDialogTest)
#include "jrdb_import_dialog_test.moc"
