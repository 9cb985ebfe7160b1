// The first run on a machine without PAT98: the PAT98 folder dialog offers the sample day that
// came with the program, and a newcomer sees a race with two clicks.
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include "app/startup.h"
#include "fm98_folders.h"
#include "fm98_main.h"
#include "odds_area.h"
#include "program_icon.h"
#include "support/fake_port.h"
#include "support/temp_dir.h"

using namespace tz;
using namespace tz::ui;

class FirstRunSampleTest : public QObject {
  Q_OBJECT

  // The sample day these tests run from the build folder find: the checkout's first one.
  static QString CheckoutSampleDay() {
    return QString::fromStdString(
        (std::filesystem::path(TAZUNA_SOURCE_DIR) / "samples" / "20021020").string());
  }

 private slots:
  void sampleDayInTwoClicks() {
    test::TempDir home;  // a program folder without pat98.exe: the first run
    Session s;
    InitApplicationState(s, home.path(), 20000 * 15, 12000 * 15);
    std::filesystem::path pat98 = s.app.Pat98Folder;
    test::FakePort port;
    Fm98Main w(s, port);
    w.StartupLoad();
    w.show();
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));

    // The first activation opens "PAT98設定" with the sample button.
    FolderDialog* d = nullptr;
    QTRY_VERIFY((d = w.findChild<FolderDialog*>("Fm98Dir")) && d->isVisible());
    QPushButton* sample = d->SampleButton();
    QVERIFY(sample->isVisible());
    QCOMPARE(sample->text(), QString::fromUtf8("サンプルデータを開く"));
    QCOMPARE(sample->toolTip(), CheckoutSampleDay());

    // Click one: the sample day is the loaded day; the PAT98 folder is not changed.
    sample->click();
    QVERIFY(!d->isVisible());
    QCOMPARE(w.windowTitle(), QString::fromUtf8("Tazuna98 - ") + CheckoutSampleDay());
    QCOMPARE(s.app.DataFolder, std::filesystem::path(CheckoutSampleDay().toStdString()));
    QCOMPARE(s.app.Pat98Folder, pat98);
    QVERIFY(port.Errors().empty());

    // Click two: a race of the first meeting, whose odds then show.
    QToolButton* race = w.RaceButton(4 + 11);
    QVERIFY(race->isEnabled());
    race->click();
    QVERIFY(w.Odds()->isVisible());
    QVERIFY(race->isChecked());
  }

  void sampleOfferedOnlyWithoutPat98() {
    test::TempDir home;
    Session s;
    InitApplicationState(s, home.path(), 20000 * 15, 12000 * 15);
    std::unique_ptr<FolderDialog> first(MakeFm98Dir(s, nullptr));
    QVERIFY(!first->SampleButton()->isHidden());

    // With the PAT98 program in the folder there is nothing to offer.
    home.Write("PAT98.EXE", "x");
    std::unique_ptr<FolderDialog> set(MakeFm98Dir(s, nullptr));
    QVERIFY(set->SampleButton()->isHidden());

    // The other folder dialogs never offer it; no sample day found hides the button too.
    std::unique_ptr<FolderDialog> bet(MakeFm98Pbet(s, nullptr));
    QVERIFY(bet->SampleButton()->isHidden());
    first->SetSampleDay(QString());
    QVERIFY(first->SampleButton()->isHidden());
    QSignalSpy spy(first.get(), &FolderDialog::sampleDayChosen);
    first->SampleButton()->click();
    QCOMPARE(spy.count(), 0);
  }

  void programIconHasItsSizes() {
    QIcon icon = ProgramIcon();
    QVERIFY(!icon.isNull());
    QList<QSize> sizes = icon.availableSizes();
    for (int size : {16, 32, 48, 256}) QVERIFY2(sizes.contains(QSize(size, size)), qPrintable(QString::number(size)));
  }
};

QTEST_MAIN(FirstRunSampleTest)
#include "first_run_sample_test.moc"
