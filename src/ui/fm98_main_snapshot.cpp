// Wiring of the main window's base-snapshot feature: the file menu's 基準ｽﾅｯﾌﾟｼｮｯﾄ, which makes
// an earlier save of the day the base odds of every race instead of the JRDB base odds.
#include <QAction>
#include <QListWidget>
#include <QMenu>

#include "fm98_folders.h"
#include "fm98_main.h"
#include "qt_user_port.h"
#include "snapshot/base_snapshot.h"

namespace tz::ui {

namespace {
constexpr const char* kBrowseChoice = "ﾌｫﾙﾀﾞを指定...";
}  // namespace

void Fm98Main::InstallSnapshotFeature() {
  auto* file = findChild<QMenu*>("MenuFile");
  auto* openPast = findChild<QAction*>("MenuOpenPast");
  if (!file || !openPast) return;
  auto* base = new QAction(ToQ(kBaseSnapshotMenuCaption), file);
  base->setObjectName("MenuBase");
  base->setEnabled(false);  // with a loaded day (UpdateDayCommands)
  const QList<QAction*> actions = file->actions();
  const qsizetype at = actions.indexOf(openPast);
  file->insertAction(at + 1 < actions.size() ? actions[at + 1] : nullptr, base);
  connect(base, &QAction::triggered, this, &Fm98Main::ChooseBase);
}

void Fm98Main::ChooseBase() {
  // The list: the JRDB base odds, the saved folders of the day, any other folder.
  const std::vector<std::string> saved = BaseSnapshotChoices(s_.app, s_.race);
  std::vector<std::string> names{kBaseJrdbChoice};
  names.insert(names.end(), saved.begin(), saved.end());
  names.push_back(kBrowseChoice);
  Fm98Open dlg(names, this);
  dlg.setObjectName("Fm98Base");
  dlg.setWindowTitle(ToQ(kBaseSnapshotMenuCaption));
  const std::filesystem::path& current = s_.baseSnapshot.Folder;
  for (std::size_t k = 0; k < saved.size(); ++k) {
    if (!current.empty() && current == s_.app.StoreRoot / saved[k]) dlg.List()->setCurrentRow(static_cast<int>(k + 1));
  }
  if (dlg.exec() != QDialog::Accepted) return;
  const int row = dlg.List()->currentRow();
  bool chosen = false;
  if (row <= 0) {
    UseJrdbBase(s_);
    chosen = true;
  } else if (row > static_cast<int>(saved.size())) {
    const QString folder = Fm98Path()(this, ToQ(kBaseSnapshotMenuCaption), ToQ(s_.app.StoreRoot.string()));
    if (folder.isEmpty()) return;
    chosen = ChooseBaseSnapshot(s_, port_, FromQ(folder));
  } else {
    chosen = ChooseBaseSnapshot(s_, port_, s_.app.StoreRoot / saved[row - 1]);
  }
  // The race on screen is shown again against its new base.
  if (chosen && RaceOnScreen()) PressRace(s_.mainWindow.SelectedRaceButton);
}

}  // namespace tz::ui
