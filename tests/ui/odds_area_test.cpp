// The odds area on a generated racing day: what the panels and matrices show after a race is
// selected, and what clicks and the marking patterns do.
#include <QAction>
#include <QImage>
#include <QMenu>
#include <QPainter>

#include "text/numbers.h"
#include "ui_fixture.h"

using namespace tz;
using namespace tz::ui;
using namespace tz::ui::testing;

namespace {

// An odds cell of the race model as the window shows it.
QString OddsText(std::string_view v) { return QString::fromUtf8(v.data(), static_cast<qsizetype>(v.size())); }

// The seven colour classes of the synthetic win odds, by their lower limits.
QColor ClassColour(double odds) {
  const double limits[] = {3.9, 5.6, 8.9, 15.7, 33.6, 60.0};
  const Colour colours[] = {0xC0C0FF, 0xC0E0FF, 0x80FFFF, 0xC0FFC0, 0xFFFFC0, 0xFFC080, 0xFF80C0};
  int k = 0;
  while (k < 6 && odds >= limits[k]) ++k;
  return Bgr(colours[k]);
}

const QColor kMark = Bgr(0xE0E0E0);

int Runners(const Session& s) { return s.race.HorseCount - s.race.ScratchedCount; }

// Marked canonical cells of a matrix panel, as (row, column) pairs of 1-based positions.
QList<QPair<int, int>> Marked(const Day& d, const char* panel) {
  QList<QPair<int, int>> out;
  int m = Runners(d.s);
  for (int r = 0; r < m; ++r) {
    for (int c = 0; c < m; ++c) {
      const PaintCell* cell = d.Cell(panel, r, c);
      if (cell && cell->back == kMark) out << qMakePair(r + 1, c + 1);
    }
  }
  return out;
}

void Pattern(Day& d, int k) {
  QAction* a = d.w->findChild<QAction*>(QString("VotePattern%1").arg(k));
  QVERIFY(a);
  a->trigger();
}

}  // namespace

class OddsAreaTest : public QObject {
  Q_OBJECT

 private slots:
  void selectedRaceShowsItsPanels() {
    Day d;
    d.Select(1, 4);  // 中山 4R: horse 2 scratched
    const Session& s = d.s;
    QCOMPARE(s.race.LoadStatus, 0);
    QVERIFY(d.w->Odds()->isVisible());
    QCOMPARE(d.w->findChild<QLabel*>("lblkai")->text(), QString::fromUtf8("中山 1回 1日  4R"));
    QVERIFY(d.w->findChild<QLabel*>("lblrace")->text().startsWith(QString::fromUtf8("サラ系一般    ")));
    QVERIFY(d.w->findChild<QLabel*>("Lbltime")->text().endsWith(QString::fromUtf8("分 現在")));

    const int n = s.race.HorseCount;
    const int m = Runners(s);
    QVERIFY(m < n);
    for (int p = 1; p <= n; ++p) {
      const int h = s.race.HorseOrder[p];
      const PaintCell* win = d.Cell("odztan", p - 1);
      const PaintCell* place = d.Cell("odzfuk", p - 1);
      const PaintCell* synth = d.Cell("odzren", p - 1);
      QVERIFY(win && place && synth);
      QCOMPARE(win->text, OddsText(s.race.WinOdds[h]));
      QCOMPARE(place->text, OddsText(s.race.PlaceOddsLow[h]));
      QCOMPARE(d.Cell("numumaY", p - 1)->text, QString::number(h));
      const QColor bracket = Bgr(s.app.BracketColors[s.race.HorseBracket[h] - 1]);
      QCOMPARE(d.Cell("numwak", p - 1)->back, bracket);
      if (p <= m) {
      QCOMPARE(place->tip, QString::fromUtf8("複勝 ") +
                               OddsText(s.race.PlaceOddsLow[h]).trimmed() + " - " +
                               OddsText(s.race.PlaceOddsHigh[h]).trimmed());
        // Class colour of the row from its own synthetic win odds text.
        QColor cls = ClassColour(synth->text.toDouble());
        for (const char* panel : {"odztan", "odzfuk", "odzren", "odzpar", "rankren"}) {
          QCOMPARE(d.Cell(panel, p - 1)->back, cls);
        }
        QCOMPARE(d.Cell("rankren", p - 1)->text, QString::number(p));
        // A rank at least two places higher than the position is red.
        for (const char* panel : {"rankfuk", "ranktan", "rankodz"}) {
          const PaintCell* rank = d.Cell(panel, p - 1);
          bool red = !rank->text.isEmpty() && rank->text.toInt() < p - 1;
          QCOMPARE(rank->fore == Qt::red, red);
        }
      } else {
        QCOMPARE(synth->text, QString::fromUtf8("取消"));
      }
    }
    // One matrix row and column per runner.
    QVERIFY(d.Cell("odzuma", m - 1, m - 1));
    QVERIFY(!d.Cell("odzuma", m, 0));
    QVERIFY(!d.Cell("numumaX", m));
    for (int c = 0; c < m; ++c) {
      QCOMPARE(d.Cell("numumaX", c)->text, d.Cell("numumaY", c)->text);
      QCOMPARE(d.Cell("Lbwcl", c)->back, d.Cell("numwak", c)->back);
    }
    // Quinella cell (p, q) holds the odds of the two horses.
    int h1 = s.race.HorseOrder[1], h3 = s.race.HorseOrder[3];
    QString q13 = OddsText(s.race.QuinellaOdds[h1][h3].empty()
                                             ? s.race.QuinellaOdds[h3][h1]
                                             : s.race.QuinellaOdds[h1][h3]);
    QCOMPARE(d.Cell("odzuma", 2, 0)->text, q13);
    QCOMPARE(d.Cell("odzuma", 0, 0)->back, QColor(Qt::white));
  }

  // The twelve change indicators drawn in the main window's indicator cells: the six sizes of
  // each direction differ in height and in painted area, the smallest is plainly seen (a
  // third of the cell high at the least), and the direction shows in where the point is.
  void changeIndicatorsAreReadableAtEverySize() {
    Day d(SampleDay());
    d.s.app.settings.OZpath = (SampleDay() / "jrdb").string();
    d.Select(1, 11);
    QVERIFY(d.s.mainWindow.JrdbLayout);
    const PaintCell* cell = nullptr;
    for (const PaintCell& c : d.w->Odds()->Cells()) {
      if (c.panel == "PicFukTo") cell = &c;
    }
    QVERIFY(cell);
    const QSize size = cell->rect.size();
    struct Drawn {
      int pixels = 0;
      QRect box;
      int topRow = 0, bottomRow = 0;  // painted pixels in the first and last row of the box
    };
    auto draw = [&](int image) {
      QImage img(size, QImage::Format_RGB32);
      img.fill(Qt::white);
      QPainter p(&img);
      DrawIndicator(p, QRect(QPoint(0, 0), size), image);
      p.end();
      Drawn out;
      for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
          if (img.pixelColor(x, y) == Qt::white) continue;
          ++out.pixels;
          out.box = out.box.united(QRect(x, y, 1, 1));
        }
      }
      for (int x = 0; x < img.width(); ++x) {
        if (img.pixelColor(x, out.box.top()) != Qt::white) ++out.topRow;
        if (img.pixelColor(x, out.box.bottom()) != Qt::white) ++out.bottomRow;
      }
      return out;
    };
    for (int first : {1, 7}) {
      std::vector<Drawn> sizes;  // largest first
      for (int k = 0; k < 6; ++k) sizes.push_back(draw(first + k));
      const Drawn& smallest = sizes.back();
      QVERIFY2(smallest.box.height() >= std::max(4, size.height() / 3),
               qPrintable(QString("image %1: %2 px high in a cell of %3").arg(first + 5)
                              .arg(smallest.box.height()).arg(size.height())));
      QVERIFY(smallest.box.width() >= 5);
      for (int k = 0; k + 1 < 6; ++k) {
        QVERIFY2(sizes[k].box.height() > sizes[k + 1].box.height(), qPrintable(QString::number(first + k)));
        QVERIFY2(sizes[k].pixels > sizes[k + 1].pixels, qPrintable(QString::number(first + k)));
        QVERIFY(size.height() >= sizes[k].box.height());
      }
      for (const Drawn& one : sizes) {
        // Up (images 1-6): the point at the top; down (7-12): the point at the bottom.
        if (first == 1) QVERIFY(one.topRow < one.bottomRow);
        else QVERIFY(one.topRow > one.bottomRow);
      }
    }
  }

  void gapMarkersFollowTheWinColumn() {
    Day d;
    for (int race : {1, 5, 11}) {
      d.Select(1, race);
      const int m = Runners(d.s);
      QList<double> v;
      for (int p = 1; p <= m; ++p) v << d.Cell("odztan", p - 1)->text.toDouble();
      bool reaches100 = false;
      for (int i = 1; i <= m; ++i) {
        if (v[i - 1] >= 100) reaches100 = true;
        if (i == 1) continue;
        double b = 0;
        for (int k = 1; k < i; ++k) {
          if (v[k - 1] < v[i - 1] && v[k - 1] > b) b = v[k - 1];
        }
        double r = b > 0 ? v[i - 1] / b : 0;
        const PaintCell* marker = d.Cell("LbDanso", i, kGapWin);
        QCOMPARE(marker != nullptr, r >= 1.5);
        if (marker) {
          QColor want = r >= 2 ? QColor(Qt::red) : r >= 1.8 ? QColor(Qt::magenta) : QColor(Qt::blue);
          QCOMPARE(marker->back, want);
          const PaintCell* col = d.Cell("odztan", i - 1);
          bool wide = r >= 1.7;
          QCOMPARE(marker->rect.width() == col->rect.width(), wide);
        }
        QCOMPARE(d.Cell("odztan", i - 1)->fore == Qt::red, v[i - 1] < v[i - 2]);
      }
      const PaintCell* bottom = d.Cell("LbDanso", m + 1, kGapWin);
      QCOMPARE(bottom != nullptr, !reaches100);
    }
  }

  void clickHighlightsWinAndPlaceCells() {
    Day d;
    d.Select(1, 5);
    const PaintCell* before = d.Cell("odztan", 1);
    const QColor cls = before->back;
    d.Click("odztan", 1);
    QCOMPARE(d.Cell("odztan", 1)->back, kMark);
    QCOMPARE(d.Cell("odzfuk", 1)->back, cls);
    d.Click("odztan", 1);
    QCOMPARE(d.Cell("odztan", 1)->back, cls);
    d.Click("odzfuk", 0);
    QCOMPARE(d.Cell("odzfuk", 0)->back, kMark);
  }

  void cellClicksMarkTheCanonicalCell() {
    Day d;
    d.Select(1, 5);
    d.Click("odzuma", 1, 4);  // row 2, column 5 -> row 5, column 2
    QCOMPARE(Marked(d, "odzuma"), (QList<QPair<int, int>>{{5, 2}}));
    d.Click("odzuma", 4, 1);
    QVERIFY(Marked(d, "odzuma").isEmpty());
    d.Click("odzuma", 3, 3);  // diagonal: nothing
    QVERIFY(Marked(d, "odzuma").isEmpty());
  }

  void patternsFromTheVoteDropDown() {
    struct Case {
      const char* name;
      QList<int> rows, cols;  // header labels clicked (0-based)
      int view;
      int pattern;
      QList<QPair<int, int>> quinella, wide;
    };
    const QList<Case> cases = {
        {"box on 1, 3, 4", {0, 2, 3}, {}, 0, 1, {{3, 1}, {4, 1}, {4, 3}}, {}},
        {"limited flow", {1, 4}, {0}, 0, 2, {{2, 1}, {5, 1}}, {}},
        {"limited flow, two columns", {1, 4}, {0, 1}, 0, 2, {{2, 1}, {5, 1}, {5, 2}}, {}},
        {"box in view 2 marks both", {0, 1}, {}, 2, 1, {{2, 1}}, {{2, 1}}},
        {"box in view 1 marks wide", {0, 1}, {}, 1, 1, {}, {{2, 1}}},
    };
    for (const Case& c : cases) {
      Day d;
      d.Select(1, 5);
      d.w->SetViewMode(c.view);
      for (int i : c.rows) d.Click("numumaY", i);
      const char* colPanel = c.view == 1 ? "numX" : "numumaX";
      for (int i : c.cols) d.Click(colPanel, i);
      for (int i : c.rows) QVERIFY2(d.Cell("numumaY", i)->bold, c.name);
      Pattern(d, c.pattern);
      QCOMPARE(Marked(d, "odzuma"), c.quinella);
      if (c.view != 0) QCOMPARE(Marked(d, "WideOdz"), c.wide);
      Pattern(d, 4);
      QVERIFY2(Marked(d, "odzuma").isEmpty(), c.name);
      if (c.view != 0) QVERIFY2(Marked(d, "WideOdz").isEmpty(), c.name);
    }
  }

  void totalFlowPairsOneHorseWithEveryRunner() {
    Day d;
    d.Select(1, 2);  // 1R..12R have 8..18 horses; pick one with ten runners
    const int m = Runners(d.s);
    d.Click("numumaX", 2);
    Pattern(d, 3);
    QList<QPair<int, int>> want;
    for (int r = 1; r <= m; ++r) {
      for (int c = 1; c < r; ++c) {
        if (r == 3 || c == 3) want << qMakePair(r, c);
      }
    }
    QCOMPARE(Marked(d, "odzuma"), want);
    QCOMPARE(want.size(), m - 1);
  }

  void saleCodeSevenWorksOnTheQuinellaMatrixOnly() {
    Day d;
    d.Select(3, 1);  // bracket-only race
    QCOMPARE(d.s.race.CurrentSaleCode, 7);
    d.w->SetViewMode(2);
    QVERIFY(!d.Cell("WideOdz", 1, 0));  // only the quinella matrix is shown
    d.Click("numumaY", 0);
    d.Click("numumaY", 1);
    Pattern(d, 1);
    QCOMPARE(Marked(d, "odzuma"), (QList<QPair<int, int>>{{2, 1}}));
    QCOMPARE(d.w->findChild<QLabel*>("LbView")->text(), QString::fromUtf8("馬連"));
    QVERIFY(!d.w->findChild<QAction*>("ViewMode1")->isEnabled());
  }

  void headersBeyondTheRunnersDoNotExist() {
    Day d;
    d.Select(1, 5);
    const int m = Runners(d.s);
    QVERIFY(m < 18);
    QVERIFY(!d.Cell("numumaX", m));
    QVERIFY(!d.Cell("numumaX", 14));
  }

  void viewModeSwitchesTheMatrices() {
    Day d;
    d.Select(1, 5);
    QVERIFY(d.Cell("odzuma", 1, 0));
    QVERIFY(!d.Cell("WideOdz", 1, 0));
    d.w->ToolButton(9)->click();
    QVERIFY(!d.Cell("odzuma", 1, 0));
    QVERIFY(d.Cell("WideOdz", 1, 0));
    QVERIFY(d.Cell("WideOdz", 1, 0)->tip.startsWith(QString::fromUtf8("ﾜｲﾄﾞ  ")));
    QVERIFY(d.Cell("WidePar", 0));
    d.w->ToolButton(9)->click();
    QVERIFY(d.Cell("odzuma", 1, 0));
    QVERIFY(d.Cell("WideOdz", 1, 0));
  }

  void toolBarFollowsTheSelection() {
    Day d;
    for (int i : {4, 6, 9, 14, 16}) QVERIFY(!d.w->ToolButton(i)->isEnabled());
    QVERIFY(d.w->RaceButton(1)->isEnabled());
    QCOMPARE(d.w->RaceButton(1)->text(), QString::fromUtf8("中山"));
    QCOMPARE(d.w->RaceButton(3)->text(), QString::fromUtf8("小倉"));
    QCOMPARE(d.w->StatusPanel(1)->text(), QString::fromUtf8("2003年01月05日"));
    d.Select(1, 5);
    for (int i : {4, 6, 9, 14, 16}) QVERIFY(d.w->ToolButton(i)->isEnabled());
    QVERIFY(d.w->RaceButton(9)->isChecked());
  }
};

QTEST_MAIN(OddsAreaTest)
#include "odds_area_test.moc"
