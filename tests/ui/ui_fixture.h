// Shared set-up of the widget tests: a program folder, a generated racing day opened as the
// loaded data folder, and the main window on it.
#pragma once

#include <QtTest>
#include <memory>

#include "app/startup.h"
#include "support/odds_day.h"
#include "fm98_main.h"
#include "support/fake_port.h"
#include "support/temp_dir.h"

namespace tz::ui::testing {

struct Day {
  test::TempDir home;
  Session s;
  test::FakePort port;
  std::unique_ptr<Fm98Main> w;
  std::filesystem::path dayFolder;

  // A generated day, or the given folder (for example the bundled sample day).
  explicit Day(const std::filesystem::path& folder = {}) {
    InitApplicationState(s, home.path(), 20000 * 15, 12000 * 15);
    dayFolder = folder;
    if (dayFolder.empty()) {
      dayFolder = home / "day";
      std::filesystem::create_directories(dayFolder);
      test::WriteOddsDay(dayFolder);
    }
    w = std::make_unique<Fm98Main>(s, port);
    w->SetFirstRunCheck(false);
    w->OpenDataFolder(dayFolder);
    w->show();
  }

  // Presses meeting button m and race button of race r (13 = advance-sale race).
  void Select(int meeting, int race) {
    w->PressMeeting(meeting);
    w->PressRace(4 + race);
  }

  const PaintCell* Cell(const char* panel, int row, int col = 0) const {
    return w->Odds()->Cell(panel, row, col);
  }

  void Click(const char* panel, int row, int col = 0) {
    const PaintCell* c = Cell(panel, row, col);
    QVERIFY2(c, panel);
    QTest::mouseClick(w->Odds(), Qt::LeftButton, {}, c->rect.center());
  }
};

// The bundled sample day.
inline std::filesystem::path SampleDay() {
  return std::filesystem::path(TAZUNA_SOURCE_DIR) / "samples" / "20021020";
}

inline QColor Bgr(Colour c) { return FromBgr(c); }

}  // namespace tz::ui::testing
