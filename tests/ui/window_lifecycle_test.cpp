// Windows around the main window's life: opening another data folder closes every window of
// the previous day, and windows still open at exit remember their positions.
#include <cmath>

#include "app/ini_file.h"
#include "ui_fixture.h"

namespace tz::ui::testing {

class WindowLifecycleTest : public QObject {
  Q_OBJECT
 private slots:
  void openingADataFolderClosesEveryOtherWindow() {
    Day d;
    auto* list = new QWidget(d.w.get(), Qt::Window);  // a day list, not a race window
    list->setAttribute(Qt::WA_DeleteOnClose);
    QPointer<QWidget> watch(list);
    list->show();
    d.w->OpenDataFolder(d.dayFolder);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(watch.isNull());
    QVERIFY(d.w->isVisible());
  }

  void openWindowsKeepTheirPositionsAtExit() {
    Day d;
    d.s.app.settings.TermScr = 0;  // no question at close
    d.Select(1, 11);
    Fm98Hyo* hyo = d.w->OpenPrediction();
    QVERIFY(hyo);
    hyo->move(TwipsToPixels(1500, hyo), TwipsToPixels(2500, hyo));
    const double left = PixelsToTwips(hyo->x(), hyo);
    const double top = PixelsToTwips(hyo->y(), hyo);
    QVERIFY(d.w->close());

    clsIniFile ini;
    ini.SetPathName(d.s.app.StoreRoot);
    ini.SetFileName("tz98.ini");
    QVERIFY(std::abs(std::stod(ini.ReadData("WINDOW", "Win3Left")) - left) < 1);
    QVERIFY(std::abs(std::stod(ini.ReadData("WINDOW", "Win3Top")) - top) < 1);
  }
};

}  // namespace tz::ui::testing

QTEST_MAIN(tz::ui::testing::WindowLifecycleTest)
#include "window_lifecycle_test.moc"
