// The main window: menus, tool bars, odds area and status bar.
#pragma once

#include <QLabel>
#include <QMainWindow>

#include "qt_user_port.h"
#include "session.h"

namespace tz::ui {

// Twips <-> pixels at the screen's logical resolution.
int TwipsToPixels(double twips, const QWidget* w = nullptr);
double PixelsToTwips(int pixels, const QWidget* w = nullptr);

class Fm98Main : public QMainWindow {
  Q_OBJECT
 public:
  Fm98Main(Session& session, QtUserPort& port, QWidget* parent = nullptr);
  // Caption "Tazuna98 - " + DataFolder.
  void RefreshCaption();

 protected:
  void closeEvent(QCloseEvent* e) override;

 private:
  Session& s_;
  QtUserPort& port_;
  QLabel* LbMsg_ = nullptr;
};

}  // namespace tz::ui
