// tazuna98: the desktop program.
#include <QApplication>
#include <QScreen>

#include "app/startup.h"
#include "fm98_main.h"
#include "text/files.h"

int main(int argc, char** argv) {
  QApplication qapp(argc, argv);
  tz::Session session;
  QScreen* screen = QGuiApplication::primaryScreen();
  QSize size = screen ? screen->availableSize() : QSize(1280, 1024);
  double dpi = screen ? screen->logicalDotsPerInchX() : 96.0;
  tz::InitApplicationState(session, tz::text::ProgramFolder(), size.width() * 1440.0 / dpi,
                           size.height() * 1440.0 / dpi);
  tz::ui::QtUserPort port;
  tz::ui::Fm98Main w(session, port);
  w.show();
  return qapp.exec();
}
