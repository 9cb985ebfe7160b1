#include "fm98_main.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QStatusBar>

#include "app/startup.h"

namespace tz::ui {

int TwipsToPixels(double twips, const QWidget* w) {
  double dpi = w ? w->logicalDpiX() : 96.0;
  return static_cast<int>(twips * dpi / 1440.0 + 0.5);
}

double PixelsToTwips(int pixels, const QWidget* w) {
  double dpi = w ? w->logicalDpiX() : 96.0;
  return pixels * 1440.0 / dpi;
}

Fm98Main::Fm98Main(Session& session, QtUserPort& port, QWidget* parent)
    : QMainWindow(parent), s_(session), port_(port) {
  port_.SetParent(this);
  LbMsg_ = new QLabel(ToQ("はじめにＰＡＴ９８インストールフォルダを指定して下さい。"), this);
  setCentralWidget(LbMsg_);
  LbMsg_->setVisible(HasPat98Program(s_.app.DataFolder) != 0);
  statusBar()->addPermanentWidget(new QLabel(ToQ("疾風組　Ver0.02β"), this));
  move(0, 0);
  resize(TwipsToPixels(s_.app.MainWindowWidth, this), 480);
  RefreshCaption();
}

void Fm98Main::RefreshCaption() {
  setWindowTitle(ToQ("Tazuna98 - " + s_.app.DataFolder.string()));
}

void Fm98Main::closeEvent(QCloseEvent* e) {
  CloseDecision d = RequestClose(s_, port_);
  if (d == CloseDecision::Cancel) {
    e->ignore();
    return;
  }
  std::string err = Shutdown(s_, isMinimized(), PixelsToTwips(width(), this));
  if (!err.empty()) port_.Error(s_.app.AppTitle, err);
  e->accept();
}

}  // namespace tz::ui
