// Closing the main window: the windows still open remember their positions in the settings
// file written at exit.
#include <cmath>

#include "app/ini_file.h"
#include "ui_fixture.h"

namespace tz::ui::testing {

class ShutdownTest : public QObject {
  Q_OBJECT
 private slots:
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

QTEST_MAIN(tz::ui::testing::ShutdownTest)
#include "shutdown_test.moc"
