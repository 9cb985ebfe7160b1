// The message boxes of the Qt user port: every "\n" of a message, and the CR LF or lone CR of a
// text that still holds them, is a line break of the box; the text is never taken as markup;
// each kind of message has its icon and buttons.
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "qt_user_port.h"

using namespace tz;
using namespace tz::ui;

namespace {

struct Shown {
  QString title, text;
  Qt::TextFormat format = Qt::AutoText;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QMessageBox::StandardButtons buttons;
};

// Runs `show`, which opens a modal box, and records the box before pressing `press` in it.
Shown Capture(const std::function<void()>& show, QMessageBox::StandardButton press = QMessageBox::Ok) {
  Shown s;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    QVERIFY(box);
    s = {box->windowTitle(), box->text(), box->textFormat(), box->icon(), box->standardButtons()};
    box->button(press)->click();
  });
  show();
  return s;
}

}  // namespace

class MessageBoxTest : public QObject {
  Q_OBJECT

 private slots:
  void lineBreaksAndKinds() {
    QtUserPort port;
    Shown s = Capture([&] { port.Error("Tazuna98", "BETﾌｧｲﾙ送出ﾌｫﾙﾀﾞが存在しません。\n\n/tmp/<bet>"); });
    QCOMPARE(s.title, QString("Tazuna98"));
    QCOMPARE(s.text, QString("BETﾌｧｲﾙ送出ﾌｫﾙﾀﾞが存在しません。\n\n/tmp/<bet>"));
    QCOMPARE(s.format, Qt::PlainText);
    QCOMPARE(s.icon, QMessageBox::Critical);
    QCOMPARE(s.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));

    s = Capture([&] { port.Info("T", "a\r\nb\rc"); });
    QCOMPARE(s.text, QString("a\nb\nc"));
    QCOMPARE(s.icon, QMessageBox::Information);

    s = Capture([&] { port.Warning("T", "擬似ﾌｧｲﾙ格納ﾌｫﾙﾀﾞにPAT98ｲﾝｽﾄｰﾙﾌｫﾙﾀﾞが指定されています"); });
    QCOMPARE(s.icon, QMessageBox::Warning);
    QCOMPARE(s.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));

    Answer a = Answer::Cancel;
    s = Capture([&] { a = port.Ask("T", "変換先ﾌｫﾙﾀﾞが存在しません。\n作成しますか？", Buttons::YesNo, Icon::Warning, Answer::Yes); },
                QMessageBox::No);
    QCOMPARE(s.text, QString("変換先ﾌｫﾙﾀﾞが存在しません。\n作成しますか？"));
    QCOMPARE(s.buttons, QMessageBox::Yes | QMessageBox::No);
    QVERIFY(a == Answer::No);
  }
};

QTEST_MAIN(MessageBoxTest)
#include "message_box_test.moc"
