// The check-list window on the bundled sample day: opening from the tool bar, names dropped
// from the prediction window, the pop-up menu, the colour dialog, OK and cancel.
#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QMenu>
#include <QPushButton>

#include "fm98_chk.h"
#include "text/sjis.h"
#include "tools/check_list.h"
#include "ui_fixture.h"

using namespace tz;
using namespace tz::ui;
using namespace tz::ui::testing;

namespace {

QStringList Items(const QListWidget* l) {
  QStringList out;
  for (int i = 0; i < l->count(); ++i) out << l->item(i)->text();
  return out;
}

std::vector<std::pair<int, std::string>> Entries(const AppState& app) {
  std::vector<std::pair<int, std::string>> out;
  for (std::size_t i = 1; i < app.CheckList.size(); ++i) out.emplace_back(app.CheckList[i].ColourIndex, app.CheckList[i].Name);
  return out;
}

// Drops a prediction-window cell on a box as the drag would deliver it.
bool Drop(QListWidget* list, const PaintCell& cell) {
  std::unique_ptr<QMimeData> data(MakeCellDragData(cell));
  const QPointF at = list->viewport()->rect().center();
  QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(list->viewport(), &enter);
  if (!enter.isAccepted()) return false;
  QDropEvent drop(at, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(list->viewport(), &drop);
  return drop.isAccepted();
}

void ClickItem(QListWidget* l, int row, Qt::MouseButton button = Qt::LeftButton) {
  QRect r = l->visualItemRect(l->item(row));
  QTest::mouseClick(l->viewport(), button, {}, r.center());
}

Fm98Chk* OpenCheck(Day& d) {
  d.w->ToolButton(1)->click();
  Fm98Chk* chk = d.w->findChild<Fm98Chk*>();
  if (chk) chk->SetColourChooser([](const QColor&) { return std::optional<QColor>(); });
  return chk;
}

}  // namespace

class CheckListWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void opensFromTheToolBarWithTheListAndColours() {
    Day d(SampleDay());
    d.s.app.CheckList = {CheckEntry{}, {1, "ｷﾀｻﾝ"}, {0, "ﾂﾙｷﾞ"}, {0, "ｱｵｿﾞﾗ"}};
    d.s.app.BoxColors = {255, 16711680};
    d.Select(1, 11);
    QVERIFY(d.w->ToolButton(1)->isEnabled());
    QCOMPARE(d.w->ToolButton(1)->text(), QString::fromUtf8("ﾁｪｯｸ"));
    Fm98Chk* chk = OpenCheck(d);
    QVERIFY(chk && chk->isVisible());
    QVERIFY(!chk->isModal());
    QCOMPARE(chk->windowTitle(), QString::fromUtf8("ﾁｪｯｸ馬／騎手"));
    QCOMPARE(chk->Label1()->text(), QString::fromUtf8("出馬表からﾄﾞﾗｯｸﾞ＆ﾄﾞﾛｯﾌﾟで登録してください"));
    QCOMPARE(Items(chk->List1(0)), QStringList({QString::fromUtf8("ｱｵｿﾞﾗ"), QString::fromUtf8("ﾂﾙｷﾞ")}));
    QCOMPARE(Items(chk->List1(1)), QStringList({QString::fromUtf8("ｷﾀｻﾝ")}));
    QCOMPARE(chk->List1(0)->item(0)->foreground().color(), Bgr(255));
    QCOMPARE(chk->List1(1)->item(0)->foreground().color(), Bgr(16711680));
    QCOMPARE(chk->Command1()->text(), QString("OK"));
    QCOMPARE(chk->Command2()->text(), QString::fromUtf8("ｷｬﾝｾﾙ"));
    // The boxes sit side by side.
    QVERIFY(chk->List1(1)->x() > chk->List1(0)->x() + chk->List1(0)->width() - 1);

    // Pressing the button again brings up the same window.
    d.w->ToolButton(1)->click();
    QCOMPARE(d.w->findChildren<Fm98Chk*>().size(), qsizetype(1));

    // Another race closes the race's windows but not this one, nor its edits.
    QVERIFY(Drop(chk->List1(0), [] {
      PaintCell c;
      c.panel = "LbUName";
      c.text = " ﾆｭｰ";
      return c;
    }()));
    d.Select(1, 10);
    QApplication::processEvents();
    QVERIFY(chk->isVisible());
    QCOMPARE(chk->List1(0)->count(), 3);
  }

  void pressingANameWithoutTheWindowIsAPlainClick() {
    Day d(SampleDay());
    d.Select(1, 11);
    Fm98Hyo* hyo = d.w->OpenPrediction();
    QSignalSpy clicks(hyo->Grid(), &OddsArea::cellClicked);
    const PaintCell* horse = hyo->Grid()->Cell("LbUName", 0);
    QTest::mouseClick(hyo->Grid(), Qt::LeftButton, {}, horse->rect.center());
    QCOMPARE(clicks.size(), qsizetype(1));
    QCOMPARE(clicks[0][0].toString(), QString("LbUName"));
  }

  void namesDroppedFromThePredictionWindowAndOk() {
    Day d(SampleDay());
    d.Select(1, 11);
    Fm98Hyo* hyo = d.w->OpenPrediction();
    const PaintCell* horse = hyo->Grid()->Cell("LbUName", 0);
    const PaintCell* jockey = hyo->Grid()->Cell("Lbjname", 2);
    QVERIFY(horse && jockey);
    QVERIFY(horse->text.startsWith(' '));
    QVERIFY(IsCheckNameCell(*horse));
    QVERIFY(!IsCheckNameCell(*hyo->Grid()->Cell("number", 0)));
    const QString horseName = horse->text.trimmed();
    const QString jockeyName = jockey->text.trimmed();

    Fm98Chk* chk = OpenCheck(d);
    QVERIFY(Drop(chk->List1(1), *horse));
    QCOMPARE(Items(chk->List1(1)), QStringList({horseName}));
    QCOMPARE(chk->Label1()->text(), QString::fromUtf8("ﾎﾞｯｸｽ上で右ｸﾘｯｸするとﾒﾆｭｰが表示されます"));
    // The same name again, with a trailing blank, on the other box: ignored.
    PaintCell again = *horse;
    again.text = horse->text + " ";
    Drop(chk->List1(0), again);
    QCOMPARE(chk->List1(0)->count(), 0);
    QVERIFY(Drop(chk->List1(0), *jockey));
    QCOMPARE(Items(chk->List1(0)), QStringList({jockeyName}));
    // Plain text from elsewhere is not a cell.
    QMimeData plain;
    plain.setText("ABC");
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &plain, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(chk->List1(0)->viewport(), &enter);
    QVERIFY(!enter.isAccepted());

    // Nothing reaches the list before "OK".
    QCOMPARE(d.s.app.CheckList.size(), size_t(1));
    chk->Command1()->click();
    QApplication::processEvents();
    QCOMPARE(Entries(d.s.app), (std::vector<std::pair<int, std::string>>{{0, jockeyName.toStdString()},
                                                                          {1, horseName.toStdString()}}));
    // The prediction window draws the names in their box colours at once.
    QCOMPARE(hyo->Grid()->Cell("LbUName", 0)->fore, Bgr(d.s.app.BoxColors[1]));
    QCOMPARE(hyo->Grid()->Cell("Lbjname", 2)->fore, Bgr(d.s.app.BoxColors[0]));
  }

  void popupMenuAndSelections() {
    Day d(SampleDay());
    d.s.app.CheckList = {CheckEntry{}, {0, "A"}, {0, "B"}, {0, "C"}, {1, "X"}, {1, "Y"}};
    d.Select(1, 11);
    Fm98Chk* chk = OpenCheck(d);
    QListWidget* l0 = chk->List1(0);
    QListWidget* l1 = chk->List1(1);

    // The menu's items in their order.
    QStringList names;
    for (QAction* a : chk->PopupMenu()->actions()) names << (a->isSeparator() ? QString("-") : a->objectName());
    QCOMPARE(names, QStringList({"mjDel", "mjDelAll", "-", "mjMove", "mjMoveAll", "-", "mjColor"}));
    QCOMPARE(chk->findChild<QAction*>("mjMoveAll")->text(), QString::fromUtf8("このボックス内を全て移動"));

    // A click toggles one name's selection; several can be selected.
    ClickItem(l0, 1);
    ClickItem(l0, 2);
    ClickItem(l0, 2);
    ClickItem(l1, 1);
    QVERIFY(l0->item(1)->isSelected());
    QVERIFY(!l0->item(2)->isSelected());
    // The right button opens the menu on its box and leaves the selection alone.
    ClickItem(l1, 0, Qt::RightButton);
    QCOMPARE(d.s.checkListWindow.SelectedBox, 1);
    QVERIFY(chk->PopupMenu()->isVisible());
    chk->PopupMenu()->hide();
    QVERIFY(!l1->item(0)->isSelected());
    QVERIFY(l1->item(1)->isSelected());

    // 移動 swaps the selections of both boxes.
    chk->findChild<QAction*>("mjMove")->trigger();
    QCOMPARE(Items(l0), QStringList({"A", "C", "Y"}));
    QCOMPARE(Items(l1), QStringList({"B", "X"}));
    QVERIFY(l0->selectedItems().isEmpty() && l1->selectedItems().isEmpty());
    // 全て移動 and 全て削除 work on the right-clicked box.
    chk->findChild<QAction*>("mjMoveAll")->trigger();
    QCOMPARE(Items(l0), QStringList({"A", "B", "C", "X", "Y"}));
    QCOMPARE(l1->count(), 0);
    ClickItem(l0, 0, Qt::RightButton);
    chk->PopupMenu()->hide();
    ClickItem(l0, 4);
    chk->findChild<QAction*>("mjDel")->trigger();
    QCOMPARE(Items(l0), QStringList({"A", "B", "C", "X"}));
    chk->findChild<QAction*>("mjDelAll")->trigger();
    QCOMPARE(l0->count(), 0);

    // Closed without "OK": the list is as before.
    chk->Command2()->click();
    QApplication::processEvents();
    QCOMPARE(d.s.app.CheckList.size(), size_t(6));
  }

  void colourChangeTakesEffectOnlyWithOk() {
    Day d(SampleDay());
    d.s.app.CheckList = {CheckEntry{}, {0, "A"}, {1, "X"}};
    d.s.app.BoxColors = {255, 16711680};
    d.Select(1, 11);
    const QColor green(0, 160, 0);

    struct Case {
      const char* what;
      bool chooserConfirms;
      int close;  // 0 OK, 1 ｷｬﾝｾﾙ, 2 Esc
      std::vector<Colour> after;
    } cases[] = {
        {"chosen, cancelled", true, 1, {255, 16711680}},
        {"chosen, Esc", true, 2, {255, 16711680}},
        {"dialog cancelled, OK", false, 0, {255, 16711680}},
        {"chosen, OK", true, 0, {255, ToBgr(green)}},
    };
    for (const Case& c : cases) {
      Fm98Chk* chk = OpenCheck(d);
      QVERIFY(chk);
      QColor initial;
      chk->SetColourChooser([&](const QColor& i) -> std::optional<QColor> {
        initial = i;
        if (!c.chooserConfirms) return std::nullopt;
        return green;
      });
      ClickItem(chk->List1(1), 0, Qt::RightButton);
      chk->PopupMenu()->hide();
      chk->findChild<QAction*>("mjColor")->trigger();
      QCOMPARE(initial, Bgr(16711680));
      QCOMPARE(chk->List1(1)->item(0)->foreground().color(), c.chooserConfirms ? green : Bgr(16711680));
      QCOMPARE(chk->List1(0)->item(0)->foreground().color(), Bgr(255));
      if (c.close == 0) chk->Command1()->click();
      else if (c.close == 1) chk->Command2()->click();
      else QTest::keyClick(chk, Qt::Key_Escape);
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
      QCOMPARE(d.s.app.BoxColors, c.after);
      QVERIFY2(d.w->findChildren<Fm98Chk*>().isEmpty(), c.what);
    }
  }

  void placeIsKeptWhileTheProgramRuns() {
    Day d(SampleDay());
    d.Select(1, 11);
    Fm98Chk* chk = OpenCheck(d);
    chk->move(TwipsToPixels(1500, chk), TwipsToPixels(2500, chk));
    chk->Command2()->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(d.w->findChildren<Fm98Chk*>().isEmpty());
    chk = OpenCheck(d);
    QCOMPARE(chk->pos(), QPoint(TwipsToPixels(1500, chk), TwipsToPixels(2500, chk)));
  }

  void unreadableFileIsReportedAtStart() {
    test::TempDir home;
    home.Write("TZNA/tzcheck.txt/inside", "x");
    Session s;
    InitApplicationState(s, home.path(), 20000 * 15, 12000 * 15);
    test::FakePort port;
    Fm98Main w(s, port);
    w.SetFirstRunCheck(false);
    QApplication::processEvents();
    QCOMPARE(port.Errors().size(), size_t(1));
    QVERIFY(port.Errors()[0].find("ﾁｪｯｸﾘｽﾄを読み込めませんでした") != std::string::npos);
  }
};

QTEST_MAIN(CheckListWindowTest)
#include "check_list_window_test.moc"
