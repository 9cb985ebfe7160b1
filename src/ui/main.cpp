// tazuna98: the desktop program.
//
// Options: --data FOLDER opens that folder as the loaded day at start (as opening a past data
// folder does); --race M:R selects race R of meeting M; --screenshot FILE saves a picture of
// the main window to FILE and exits; --screenshot-window NAME saves the open window of that name
// (for example Fm98Grph) instead; --report-first-paint prints the moment the main window has
// first been painted ("first paint at " and the steady clock in nanoseconds, the clock a
// program that started this one reads) and exits; --version prints the version.
#include <QApplication>
#include <QCommandLineParser>
#include <QScreen>
#include <QTimer>
#include <chrono>
#include <iostream>

#include "app/startup.h"
#include "fm98_main.h"
#include "program_icon.h"
#include "qt_translations.h"
#include "tazuna98_build_info.h"
#include "text/files.h"

namespace {

// Reports the main window's first paint, once the paint is done, and ends the program.
class FirstPaintReport : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (e->type() == QEvent::Paint && !reported_) {
      reported_ = true;
      QTimer::singleShot(0, [] {
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        std::cout << "first paint at "
                  << std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()
                  << std::endl;
        QApplication::exit(0);
      });
    }
    return QObject::eventFilter(watched, e);
  }

 private:
  bool reported_ = false;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication qapp(argc, argv);
  QApplication::setApplicationVersion(tz::build::kVersion);
  QApplication::setWindowIcon(tz::ui::ProgramIcon());
  QGuiApplication::setDesktopFileName(tz::build::kAppId);
  if (!tz::ui::InstallQtTranslations(qapp)) {
    std::cerr << "tazuna98: Qt's Japanese translation (qtbase_ja) was not found; "
                 "install the package qt6-translations-l10n\n";
  }
  QCommandLineParser cmd;
  cmd.addHelpOption();
  cmd.addVersionOption();
  QCommandLineOption dataOpt("data", "Open FOLDER as the loaded day.", "FOLDER");
  QCommandLineOption raceOpt("race", "Select race R of meeting M.", "M:R");
  QCommandLineOption shotOpt("screenshot", "Save the main window to FILE and exit.", "FILE");
  QCommandLineOption shotWindowOpt("screenshot-window",
                                   "With --screenshot, save the open window NAME instead.", "NAME");
  QCommandLineOption firstPaintOpt("report-first-paint",
                                   "Print the moment of the first paint of the main window and exit.");
  cmd.addOptions({dataOpt, raceOpt, shotOpt, shotWindowOpt, firstPaintOpt});
  cmd.process(qapp);

  tz::Session session;
  QScreen* screen = QGuiApplication::primaryScreen();
  QSize size = screen ? screen->availableSize() : QSize(1280, 1024);
  double dpi = screen ? screen->logicalDotsPerInchX() : 96.0;
  tz::InitApplicationState(session, tz::text::ProgramFolder(), size.width() * 1440.0 / dpi,
                           size.height() * 1440.0 / dpi);
  tz::ui::QtUserPort port;
  tz::ui::Fm98Main w(session, port);
  port.SetParent(&w);  // message boxes centre on the main window
  w.StartupLoad();
  if (cmd.isSet(dataOpt)) {
    // The user named the day to open; the first-run question for the PAT98 folder is not asked.
    w.SetFirstRunCheck(false);
    w.OpenDataFolder(cmd.value(dataOpt).toStdString());
  }
  FirstPaintReport firstPaint;
  if (cmd.isSet(firstPaintOpt)) w.installEventFilter(&firstPaint);
  w.show();
  if (cmd.isSet(raceOpt)) {
    QStringList mr = cmd.value(raceOpt).split(':');
    int meeting = mr.value(0).toInt();
    int race = mr.value(1).toInt();
    if (meeting >= 1 && meeting <= 3 && race >= 1 && race <= 13) {
      w.PressMeeting(meeting);
      w.PressRace(4 + race);  // race 13 is the advance-sale race ("前日")
    }
  }
  if (cmd.isSet(shotOpt)) {
    QString file = cmd.value(shotOpt);
    QString window = cmd.value(shotWindowOpt);
    QTimer::singleShot(1500, &w, [&w, file, window] {
      QWidget* target = &w;
      if (!window.isEmpty()) {
        for (QWidget* c : w.findChildren<QWidget*>(window, Qt::FindDirectChildrenOnly)) {
          if (c->isVisible()) target = c;
        }
      }
      target->grab().save(file);
      QApplication::exit(0);
    });
  }
  return qapp.exec();
}
