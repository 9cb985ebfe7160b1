// The options dialog from the main window's menu: filled from the settings, OK stores the
// choices (the bank link at once), Cancel changes nothing, Ctrl+Tab walks the tabs.
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QPointer>
#include <QRadioButton>

#include "fm98_opt.h"
#include "qt_user_port.h"
#include "ui_fixture.h"

using namespace tz;
using namespace tz::ui;
using namespace tz::ui::testing;

namespace {

Fm98Opt* OpenOptions(Day& d) {
  QAction* menu = d.w->findChild<QAction*>("MenuOption");
  if (!menu || !menu->isEnabled()) return nullptr;
  menu->trigger();
  Fm98Opt* found = nullptr;
  for (Fm98Opt* o : d.w->findChildren<Fm98Opt*>()) {
    if (o->isVisible()) found = o;
  }
  return found;
}

}  // namespace

class OptionsDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void menuOpensAModelessDialogFilledFromTheSettings() {
    Day d;
    d.s.app.settings.UpValue = 1;
    d.s.app.settings.AutoGraph = 1;
    d.s.app.settings.HitColor = 0;
    d.s.app.settings.YosoMode = 1;
    Fm98Opt* o = OpenOptions(d);
    QVERIFY(o);
    QVERIFY(!o->isModal());
    QCOMPARE(o->windowTitle(), QString::fromUtf8("ｵﾌﾟｼｮﾝ"));
    QCOMPARE(o->Check(6)->text(), QString::fromUtf8("ｸﾞﾗﾌにﾗﾝｸｱｯﾌﾟ値を表示"));
    QVERIFY(o->Check(6)->isChecked());
    QVERIFY(o->Check(12)->isChecked());
    QVERIFY(!o->Check(2)->isChecked());
    QVERIFY(!o->Check(7)->isChecked());
    QVERIFY(o->Option(1)->isChecked());
    QCOMPARE(o->Option(2)->text(), QString::fromUtf8("選択"));
    QVERIFY(o->Check(19)->isHidden());
    // A second command brings the same dialog forward.
    QCOMPARE(OpenOptions(d), o);
  }

  // The display page carries the option groups for the quinella axes, the bracket column and
  // the win and place columns; like the two check boxes beside them they keep no setting.
  void displayPageHasTheOptionGroupsThatKeepNoSetting() {
    Day d;
    Fm98Opt* o = OpenOptions(d);
    QVERIFY(o);
    const struct {
      const char* name;
      const char* caption;
    } groups[] = {{"FrameAxis", "馬連の軸"}, {"FrameBracket", "枠番"}, {"FrameWinPlace", "単勝・複勝"}};
    const Settings before = d.s.app.settings;
    for (const auto& g : groups) {
      auto* frame = o->findChild<QGroupBox*>(g.name);
      QVERIFY2(frame, g.name);
      QCOMPARE(frame->title(), QString::fromUtf8(g.caption));
      const auto options = frame->findChildren<QRadioButton*>();
      QCOMPARE(options.size(), qsizetype(2));
      QVERIFY(options[0]->isChecked());
      options[1]->click();
      QVERIFY(options[1]->isChecked() && !options[0]->isChecked());
      // On the same page as the check boxes of the display options.
      QCOMPARE(frame->parentWidget(), o->Check(2)->parentWidget());
    }
    o->OkButton()->click();
    const Settings& after = d.s.app.settings;
    QCOMPARE(after.YosoMode, before.YosoMode);
    for (const OptionBox& box : kOptionBoxes) {
      if (box.Setting) QCOMPARE(after.*box.Setting, before.*box.Setting);
    }
  }

  void okStoresCancelDiscards() {
    Day d;
    Fm98Opt* o = OpenOptions(d);
    o->Check(7)->setChecked(true);
    o->Check(10)->setChecked(false);
    o->Option(2)->setChecked(true);
    o->CancelButton()->click();
    QCOMPARE(d.s.app.settings.DownValue, 0);
    QCOMPARE(d.s.app.settings.SaveMsg, 1);
    QCOMPARE(d.s.app.settings.YosoMode, 0);

    QPointer<Fm98Opt> again = OpenOptions(d);
    QVERIFY(!again->Check(7)->isChecked());
    again->Check(7)->setChecked(true);
    again->Check(10)->setChecked(false);
    again->Option(2)->setChecked(true);
    again->OkButton()->click();
    QApplication::processEvents();
    QVERIFY(again.isNull() || !again->isVisible());
    QCOMPARE(d.s.app.settings.DownValue, 1);
    QCOMPARE(d.s.app.settings.SaveMsg, 0);
    QCOMPARE(d.s.app.settings.YosoMode, 2);
  }

  void bankLinkFollowsTheCheckBoxAtOnce() {
    Day d;
    QVERIFY(d.s.race.MeetingCount > 0);
    const auto link = d.s.app.Pat98Folder / "zenibako.txt";
    Fm98Opt* o = OpenOptions(d);
    o->Check(0)->setChecked(true);
    o->OkButton()->click();
    QVERIFY(std::filesystem::exists(link));
    QCOMPARE(QString::fromStdString(test::ReadAll(link)),
             QString::fromStdString(std::filesystem::absolute(d.dayFolder).string() + "\r\n"));
    o = OpenOptions(d);
    QVERIFY(o->Check(0)->isChecked());
    o->Check(0)->setChecked(false);
    o->OkButton()->click();
    QVERIFY(!std::filesystem::exists(link));
  }

  void ctrlTabWalksTheTabsAndWraps() {
    Day d;
    Fm98Opt* o = OpenOptions(d);
    const int count = o->Tabs()->count();
    QVERIFY(count >= 2);
    QCOMPARE(o->Tabs()->currentIndex(), 0);
    for (int i = 1; i <= count; ++i) {
      QTest::keyClick(o, Qt::Key_Tab, Qt::ControlModifier);
      QCOMPARE(o->Tabs()->currentIndex(), i % count);
      // Only the current page can be used.
      for (int t = 0; t < count; ++t) QCOMPARE(o->Tabs()->widget(t)->isVisible(), t == i % count);
    }
  }
};

QTEST_MAIN(OptionsDialogTest)
#include "options_dialog_test.moc"
