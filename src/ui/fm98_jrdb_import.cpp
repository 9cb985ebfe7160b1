#include "fm98_jrdb_import.h"

#include <QDir>
#include <QVBoxLayout>

#include "fm98_folders.h"
#include "jrdb/jrdb_import.h"
#include "qt_user_port.h"

namespace tz::ui {

Fm98JrdbImport::Fm98JrdbImport(Session& s, UserPort& port, QWidget* parent)
    : DayWriterDialog(s, port, parent) {
  setObjectName("Fm98JrdbImport");
  setWindowTitle(ToQ(jrdb::kJrdbImportCaption));
  auto* lay = new QVBoxLayout(this);
  ComJrdb_ = AddFolderRow(lay, this, ToQ("JRDBﾃﾞｰﾀﾌｧｲﾙのﾌｫﾙﾀﾞ"), LbJrdb_, ToQ(s.app.settings.OZpath),
                          "LbJrdb", "ComJrdb");
  ComOut_ = AddFolderRow(lay, this, ToQ("変換先ﾌｫﾙﾀﾞ"), LbOut_, QString(), "LbOut", "ComOut");

  ChkAll_ = new QCheckBox(ToQ("ﾌｫﾙﾀﾞの全日付を変換 (TZNAﾌｫﾙﾀﾞに日付別のﾌｫﾙﾀﾞを作成)"), this);
  ChkAll_->setObjectName("ChkAll");
  lay->addWidget(ChkAll_);

  AddRunButtons(lay);

  connect(ComJrdb_, &QPushButton::clicked, this, &Fm98JrdbImport::PickJrdb);
  connect(ComOut_, &QPushButton::clicked, this, &Fm98JrdbImport::PickOut);
  // A season goes into the dated folders of the store.
  connect(ChkAll_, &QCheckBox::toggled, this, [this](bool all) {
    if (all) LbOut_->setText(QDir::toNativeSeparators(ToQ(s_.app.StoreRoot.string())));
    ComOut_->setEnabled(!all);
  });
  connect(Comok(), &QPushButton::clicked, this, &Fm98JrdbImport::Confirm);
}

void Fm98JrdbImport::PickJrdb() {
  const QString chosen = ChooseFolder(this, FolderPurpose::Jrdb, LbJrdb_->text(), s_.app);
  if (!chosen.isEmpty()) LbJrdb_->setText(chosen);
}

void Fm98JrdbImport::PickOut() {
  const QString chosen = ChooseFolder(this, FolderPurpose::WarsOdds, LbOut_->text(), s_.app);
  if (!chosen.isEmpty()) LbOut_->setText(chosen);
}

void Fm98JrdbImport::Confirm() {
  if (Busy()) return;
  const jrdb::JrdbImportRun run =
      RunWithProgress(ProgressBarPort::WithoutTotal::Hide, [this](UserPort& progress) {
        return jrdb::RunJrdbImport(s_, progress, FromQ(LbJrdb_->text()), FromQ(LbOut_->text()),
                                   ChkAll_->isChecked());
      });
  if (!run.imported) return;
  if (run.openDay) OpenFolder(run.dayFolder);
  close();
}

}  // namespace tz::ui
