#include "qt_user_port.h"

#include <QApplication>
#include <QMessageBox>

namespace tz::ui {

QString ToQ(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string FromQ(const QString& s) { return s.toStdString(); }

namespace {

QString ForDisplay(std::string_view text) { return ToQ(MessageLines(text)); }

QMessageBox::StandardButton ToQt(Answer a) {
  switch (a) {
    case Answer::Ok: return QMessageBox::Ok;
    case Answer::Cancel: return QMessageBox::Cancel;
    case Answer::Yes: return QMessageBox::Yes;
    case Answer::No: return QMessageBox::No;
  }
  return QMessageBox::Ok;
}

}  // namespace

void QtUserPort::Error(std::string_view title, std::string_view text) {
  Ask(title, text, Buttons::Ok, Icon::Error, Answer::Ok);
}

void QtUserPort::Info(std::string_view title, std::string_view text) {
  Ask(title, text, Buttons::Ok, Icon::Info, Answer::Ok);
}

void QtUserPort::Warning(std::string_view title, std::string_view text) {
  Ask(title, text, Buttons::Ok, Icon::Warning, Answer::Ok);
}

Answer QtUserPort::Ask(std::string_view title, std::string_view text, Buttons buttons, Icon icon,
                       Answer defaultAnswer) {
  QMessageBox box(parent_);
  box.setWindowTitle(ToQ(title));
  box.setTextFormat(Qt::PlainText);
  box.setText(ForDisplay(text));
  switch (icon) {
    case Icon::Error: box.setIcon(QMessageBox::Critical); break;
    case Icon::Warning: box.setIcon(QMessageBox::Warning); break;
    case Icon::Info: box.setIcon(QMessageBox::Information); break;
    case Icon::Question: box.setIcon(QMessageBox::Question); break;
    case Icon::None: break;
  }
  QMessageBox::StandardButtons b;
  switch (buttons) {
    case Buttons::Ok: b = QMessageBox::Ok; break;
    case Buttons::OkCancel: b = QMessageBox::Ok | QMessageBox::Cancel; break;
    case Buttons::YesNo: b = QMessageBox::Yes | QMessageBox::No; break;
    case Buttons::YesNoCancel: b = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel; break;
  }
  box.setStandardButtons(b);
  box.setDefaultButton(ToQt(defaultAnswer));
  switch (box.exec()) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Ok: return Answer::Ok;
    default: return Answer::Cancel;
  }
}

void QtUserPort::ProcessPendingEvents() { QApplication::processEvents(); }

}  // namespace tz::ui
