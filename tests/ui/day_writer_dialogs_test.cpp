// The dialogs that write days (the two forum-log conversions and the JRDB import) while the
// window keeps processing events: during the run the close box, Escape and a second OK change
// nothing, and after it the dialog closes and opens the day as usual.
#include <QAction>
#include <QApplication>
#include <QPointer>
#include <functional>

#include "fm98_jrdb_import.h"
#include "fm98_wars.h"
#include "fm98_warsk.h"
#include "samples/fhwars/fixture_odds_log.h"
#include "samples/fhwars/fixture_results_log.h"
#include "ui_fixture.h"

using namespace tz;
using namespace tz::ui;
using namespace tz::ui::testing;

namespace fs = std::filesystem;

namespace {

QString Q(const fs::path& p) { return QString::fromStdString(p.string()); }

// At every step of a run it tries to close the dialog (close box, Escape) and to start the run
// again, and records whether the dialog stayed open with its buttons waiting.
class InterruptingPort : public test::FakePort {
 public:
  QPointer<DayWriterDialog> dialog;
  bool watching = false;
  std::function<void()> confirmAgain;
  int steps = 0;
  bool stayedOpen = true;
  bool buttonsWaited = true;

  void Progress(int done, int total) override {
    FakePort::Progress(done, total);
    if (!watching) return;
    ++steps;
    if (dialog) dialog->close();
    if (dialog) QTest::keyClick(dialog, Qt::Key_Escape);
    if (dialog) confirmAgain();
    QApplication::processEvents();
    stayedOpen = stayedOpen && dialog && dialog->isVisible();
    if (!dialog) return;
    buttonsWaited = buttonsWaited && !dialog->Comok()->isEnabled() && !dialog->Comcan()->isEnabled();
  }
};

// Opens `dlg` as the main window opens it (deleted on close, opening the day written), runs it
// with OK, and checks that the run was not interrupted and that the dialog closed after it.
template <typename Dialog>
void RunUninterrupted(Day& d, InterruptingPort& port, Dialog* dlg) {
  QPointer<Dialog> guard(dlg);
  dlg->setAttribute(Qt::WA_DeleteOnClose);
  dlg->SetOpenFolder([&d](const fs::path& f) { d.w->OpenDataFolder(f); });
  dlg->show();
  port.dialog = dlg;
  port.watching = true;
  port.confirmAgain = [dlg] { dlg->Confirm(); };
  dlg->Comok()->click();
  port.watching = false;
  QVERIFY(port.steps > 0);
  QVERIFY(port.stayedOpen);
  QVERIFY(port.buttonsWaited);
  QTRY_VERIFY(guard.isNull());
}

}  // namespace

class DayWriterDialogsTest : public QObject {
  Q_OBJECT
 private slots:
  void oddsLogConversionRunsToTheEnd() {
    Day d(testing::SampleDay());
    d.home.Write("logs/odds.txt",
                 fixture::ForumOddsLogBytes({fixture::MakeForumPosting(16, "中山", 5, 11),
                                             fixture::MakeForumPosting(8, "中山", 5, 12)}));
    InterruptingPort port;
    // Create the folder, run, acknowledge the count, build the pseudo betting guide.
    port.answers = {Answer::Yes, Answer::Yes, Answer::Ok, Answer::Yes};
    auto* dlg = new Fm98Wars(d.s, port, d.w.get());
    const fs::path out = d.home / "out";
    dlg->Lbtext()->setText(Q(d.home / "logs"));
    dlg->LbFile()->setText("odds.txt");
    dlg->LbDir()->setText(Q(out));
    RunUninterrupted(d, port, dlg);
    QCOMPARE(d.s.app.DataFolder, out);
    QCOMPARE(d.s.race.MeetingCount, 1);
    // One run: its count said once.
    int counts = 0;
    for (const auto& m : port.messages) counts += m.text == "2ﾌｧｲﾙ処理しました。";
    QCOMPARE(counts, 1);
  }

  void resultsLogConversionRunsToTheEnd() {
    Day d(testing::SampleDay());
    const fs::path out = d.home / "out";
    fs::create_directories(out);
    const fs::path log = d.home.Write("logs/results-log.txt", fixture::SampleResultsLogBytes());
    InterruptingPort port;
    auto* dlg = new Fm98WarsK(d.s, port, d.w.get());
    dlg->Lbtext()->setText(Q(log.parent_path()));
    dlg->LbFile()->setText("results-log.txt");
    dlg->Lbdir()->setText(Q(out));
    RunUninterrupted(d, port, dlg);
    QCOMPARE(d.s.app.DataFolder, out);
    QCOMPARE(static_cast<int>(text::ListFolder(out, "KS-*.JRA").size()), 35);
    QVERIFY(!port.messages.empty());
    QCOMPARE(port.messages.back().text, std::string("35ﾌｧｲﾙ処理しました。"));
  }

  void jrdbSeasonImportRunsToTheEnd() {
    Day d;
    InterruptingPort port;  // the offer to open the day is answered with its default, Yes
    auto* dlg = new Fm98JrdbImport(d.s, port, d.w.get());
    dlg->LbJrdb()->setText(Q(fs::path(TAZUNA_SOURCE_DIR) / "samples" / "real-20020908" / "jrdb"));
    dlg->ChkAll()->setChecked(true);  // the dated folders of the store: a step per day
    RunUninterrupted(d, port, dlg);
    QCOMPARE(d.s.app.DataFolder.parent_path(), d.s.app.StoreRoot);
    QCOMPARE(d.s.race.GuideDate, std::string("20020908"));
    int offers = 0;
    for (const auto& m : port.messages) offers += m.kind == test::Message::Question;
    QCOMPARE(offers, 1);
  }
};

QTEST_MAIN(DayWriterDialogsTest)
#include "day_writer_dialogs_test.moc"
