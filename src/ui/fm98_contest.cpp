#include "fm98_contest.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <algorithm>

#include "dialog_buttons.h"
#include "exports/contest.h"
#include "progress_port.h"
#include "qt_user_port.h"

namespace tz::ui {

namespace {

void FillIndicators(QComboBox* c) {
  for (int code = 1; code <= kContestIndicatorCount; ++code) {
    c->addItem(ToQ(ContestIndicatorName(code)), code);
  }
}

void SelectData(QComboBox* c, int data) { c->setCurrentIndex(c->findData(data)); }

int SelectedData(const QComboBox* c) {
  return c->currentIndex() < 0 ? 0 : c->currentData().toInt();
}

// A run is going on: between the rules of a multi-rule run as well as inside one.
bool ContestBusy(const Session& s) { return s.batch.Running || s.contest.Running; }

}  // namespace

// ---- Fm98Con ----

Fm98Con::Fm98Con(Session& s, UserPort& port, QWidget* parent)
    : GuardedDialog(parent), s_(s), port_(port) {
  setObjectName("Fm98Con");
  setWindowTitle(ToQ("FHWARSｺﾝﾃｽﾄ形式"));
  setModal(true);

  auto* axis = new QGroupBox(ToQ("軸馬"), this);
  axis->setObjectName("FrameAxis");
  axis->setGeometry(8, 4, 142, 92);
  Combo1 = new QComboBox(axis);
  Combo1->setObjectName("Combo1");
  Combo1->setGeometry(8, 22, 126, 26);
  FillIndicators(Combo1);
  Combo2 = new QComboBox(axis);
  Combo2->setObjectName("Combo2");
  Combo2->setGeometry(8, 56, 126, 26);
  for (int rank = 1; rank <= kContestRankCount; ++rank) Combo2->addItem(ToQ(ContestRankName(rank)), rank);

  auto* partner = new QGroupBox(ToQ("ひも"), this);
  partner->setObjectName("FramePartner");
  partner->setGeometry(158, 4, 142, 92);
  Combo3 = new QComboBox(partner);
  Combo3->setObjectName("Combo3");
  Combo3->setGeometry(8, 22, 126, 26);
  FillIndicators(Combo3);
  Combo4 = new QComboBox(partner);
  Combo4->setObjectName("Combo4");
  Combo4->setGeometry(8, 56, 126, 26);
  Combo4->addItem(ToQ(ContestFormName(kContestFlow)), kContestFlow);
  Combo4->addItem(ToQ(ContestFormName(kContestBox)), kContestBox);

  ProgressBar1 = new QProgressBar(this);
  ProgressBar1->setObjectName("ProgressBar1");
  ProgressBar1->setGeometry(8, 104, 292, 18);
  ProgressBar1->setRange(0, 100);
  ProgressBar1->setValue(0);
  ProgressBar1->hide();

  Command1 = new QPushButton(ToQ("OK"), this);
  Command1->setObjectName("Command1");
  Command1->setGeometry(124, 128, 84, 26);
  Command1->setDefault(true);
  Command2 = new QPushButton(ToQ("ｷｬﾝｾﾙ"), this);
  Command2->setObjectName("Command2");
  Command2->setGeometry(216, 128, 84, 26);

  // Two buttons lie below the visible client area (161 pixels high): reachable with the
  // keyboard only.
  Command3 = new QPushButton(ToQ("全パターン"), this);
  Command3->setObjectName("Command3");
  Command3->setGeometry(8, 166, 84, 26);
  Command3->setAutoDefault(false);
  Command4 = new QPushButton(ToQ("中止"), this);
  Command4->setObjectName("Command4");
  Command4->setGeometry(100, 166, 84, 26);
  Command4->setAutoDefault(false);
  setFixedSize(308, 161);

  const Settings& st = s_.app.settings;
  SelectData(Combo1, st.CnJiku);
  SelectData(Combo2, st.CnRank);
  SelectData(Combo3, st.CnHimo);
  SelectData(Combo4, st.CnBken);

  connect(Command1, &QPushButton::clicked, this, &Fm98Con::RunSelected);
  connect(Command2, &QPushButton::clicked, this, &QDialog::close);
  connect(Command3, &QPushButton::clicked, this, &Fm98Con::RunAllPatterns);
  connect(Command4, &QPushButton::clicked, this, [this] { s_.contest.StopRequested = true; });
}

void Fm98Con::StartRun(bool allPatterns) {
  Command1->hide();
  Command2->hide();
  if (allPatterns) Command3->hide();
  for (QComboBox* c : {Combo1, Combo2, Combo3, Combo4}) c->setEnabled(false);
  ProgressBar1->setValue(0);
  ProgressBar1->show();
  QCoreApplication::processEvents();
}

void Fm98Con::RunSelected() {
  const ContestRule rule{SelectedData(Combo1), SelectedData(Combo2), SelectedData(Combo3),
                         SelectedData(Combo4)};
  s_.contest.Selection = {rule.AxisIndicator, rule.AxisRank, rule.PartnerIndicator, rule.Form};
  if (rule.AxisIndicator == 0 || rule.AxisRank == 0 || rule.PartnerIndicator == 0 ||
      rule.Form == 0) {
    port_.Ask(s_.app.AppTitle, kContestNoSelection, Buttons::Ok, Icon::None, Answer::Ok);
    return;
  }
  StartRun(false);
  ProgressBarPort progress(port_, ProgressBar1, ProgressBarPort::WithoutTotal::Zero);
  s_.contest.Running = true;
  ResetRaceButtonsForDayRun(s_);
  emit dayViewChanged();
  RunContestRule(s_, progress, rule);
  emit dayViewChanged();
  done(QDialog::Accepted);
}

void Fm98Con::RunAllPatterns() {
  s_.contest.StopRequested = false;
  StartRun(true);
  ProgressBarPort progress(port_, ProgressBar1, ProgressBarPort::WithoutTotal::Zero);
  s_.contest.Running = true;
  ResetRaceButtonsForDayRun(s_);
  emit dayViewChanged();
  RunAllContestPatterns(s_, progress, [this](int, int, const ContestRule& rule) {
    // The lists show the rule just written.
    SelectData(Combo1, rule.AxisIndicator);
    SelectData(Combo2, rule.AxisRank);
    SelectData(Combo3, rule.PartnerIndicator);
    SelectData(Combo4, rule.Form);
    return false;
  });
  emit dayViewChanged();
  done(QDialog::Accepted);
}

bool Fm98Con::Busy() const { return ContestBusy(s_); }

// ---- FmConAuto ----

FmConAuto::FmConAuto(Session& s, UserPort& port, QWidget* parent)
    : GuardedDialog(parent), s_(s), port_(port) {
  setObjectName("FmConAuto");
  setWindowTitle(ToQ("FHWARSｺﾝﾃｽﾄ形式 [AUTOﾓｰﾄﾞ]"));
  setModal(true);
  auto* lay = new QVBoxLayout(this);

  auto makeBox = [](QWidget* parent, const QString& name, const std::string& caption) {
    auto* box = new QCheckBox(ToQ(caption), parent);
    box->setObjectName(name);
    return box;
  };

  auto* frames = new QHBoxLayout;
  FrameAxis = new QGroupBox(ToQ("軸馬"), this);
  FrameAxis->setObjectName("FrameAxis");
  auto* axisLay = new QGridLayout(FrameAxis);
  for (int i = 0; i < 7; ++i) {
    Check1[i] = makeBox(FrameAxis, QString("Check1_%1").arg(i), ContestIndicatorName(i + 1));
    axisLay->addWidget(Check1[i], i, 0);
  }
  for (int i = 0; i < 5; ++i) {
    Check3[i] = makeBox(FrameAxis, QString("Check3_%1").arg(i), ContestRankName(i + 1));
    axisLay->addWidget(Check3[i], i, 1);
  }
  frames->addWidget(FrameAxis);

  FramePartner = new QGroupBox(ToQ("ひも"), this);
  FramePartner->setObjectName("FramePartner");
  auto* partnerLay = new QVBoxLayout(FramePartner);
  for (int i = 0; i < 7; ++i) {
    Check2[i] = makeBox(FramePartner, QString("Check2_%1").arg(i), ContestIndicatorName(i + 1));
    partnerLay->addWidget(Check2[i]);
  }
  frames->addWidget(FramePartner);

  FrameForm = new QGroupBox(this);
  FrameForm->setObjectName("FrameForm");
  auto* formLay = new QVBoxLayout(FrameForm);
  for (int i = 0; i < 2; ++i) {
    Check4[i] = makeBox(FrameForm, QString("Check4_%1").arg(i), ContestFormName(i + 1));
    formLay->addWidget(Check4[i]);
  }
  formLay->addStretch();
  frames->addWidget(FrameForm);
  lay->addLayout(frames);

  Picture1 = new QWidget(this);
  Picture1->setObjectName("Picture1");
  auto* picLay = new QVBoxLayout(Picture1);
  ProgressBar1 = new QProgressBar(Picture1);
  ProgressBar1->setObjectName("ProgressBar1");
  ProgressBar1->setRange(0, 100);
  ProgressBar2 = new QProgressBar(Picture1);
  ProgressBar2->setObjectName("ProgressBar2");
  ProgressBar2->setRange(0, 100);
  auto* labels = new QHBoxLayout;
  for (int i = 0; i < 5; ++i) {
    Labels[i] = new QLabel(Picture1);
    Labels[i]->setObjectName(QString("Label%1").arg(i + 1));
  }
  Labels[4]->setText(ToQ("→"));
  // Axis indicator and rank, the arrow, partner indicator and form.
  labels->addWidget(Labels[0]);
  labels->addWidget(Labels[1]);
  labels->addWidget(Labels[4]);
  labels->addWidget(Labels[2]);
  labels->addWidget(Labels[3]);
  labels->addStretch();
  picLay->addWidget(ProgressBar1);
  picLay->addLayout(labels);
  picLay->addWidget(ProgressBar2);
  Picture1->hide();
  lay->addWidget(Picture1);

  DialogButtons buttons = MakeDialogButtons(this, "ComOK", "ComCan");
  ComOK = buttons.ok;
  ComCan = buttons.cancel;
  ComStop = buttons.box->addButton(ToQ("中止"), QDialogButtonBox::ActionRole);
  ComStop->setObjectName("ComStop");
  ComStop->setEnabled(false);
  lay->addWidget(buttons.box);

  const Settings& st = s_.app.settings;
  for (int i = 0; i < 7; ++i) Check1[i]->setChecked(st.CJ & (1 << i));
  for (int i = 0; i < 5; ++i) Check3[i]->setChecked(st.CR & (1 << i));
  for (int i = 0; i < 7; ++i) Check2[i]->setChecked(st.CH & (1 << i));
  for (int i = 0; i < 2; ++i) Check4[i]->setChecked(st.CB & (1 << i));

  connect(ComOK, &QPushButton::clicked, this, &FmConAuto::RunTicked);
  connect(ComCan, &QPushButton::clicked, this, &QDialog::close);
  connect(ComStop, &QPushButton::clicked, this, [this] { s_.contest.StopRequested = true; });
}

void FmConAuto::RunTicked() {
  const auto maskOf = [](const auto& boxes) {
    int mask = 0;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
      if (boxes[i]->isChecked()) mask |= 1 << i;
    }
    return mask;
  };
  ContestMasks masks{maskOf(Check1), maskOf(Check3), maskOf(Check2), maskOf(Check4)};
  for (int i = 0; i < 7; ++i) s_.contest.AxisTicks[i] = Check1[i]->isChecked();
  for (int i = 0; i < 5; ++i) s_.contest.RankTicks[i] = Check3[i]->isChecked();
  for (int i = 0; i < 7; ++i) s_.contest.PartnerTicks[i] = Check2[i]->isChecked();
  for (int i = 0; i < 2; ++i) s_.contest.FormTicks[i] = Check4[i]->isChecked();
  if (AutoContestRules(masks).empty()) {
    port_.Ask(s_.app.AppTitle, kContestNoSelection, Buttons::Ok, Icon::None, Answer::Ok);
    return;
  }
  ComOK->setEnabled(false);
  ComCan->setEnabled(false);
  for (QGroupBox* f : {FrameAxis, FramePartner, FrameForm}) f->setEnabled(false);
  ComStop->setEnabled(true);
  ProgressBar1->setValue(0);
  ProgressBar2->setValue(0);
  Picture1->show();
  QCoreApplication::processEvents();

  ProgressBarPort progress(port_, ProgressBar2, ProgressBarPort::WithoutTotal::Zero);
  s_.contest.Running = true;
  ResetRaceButtonsForDayRun(s_);
  emit dayViewChanged();
  RunAutoContest(
      s_, progress, masks,
      [this](const ContestRule&) {
        for (int i = 0; i < 4; ++i) Labels[i]->setText(ToQ(s_.contest.RuleLabels[i]));
        ProgressBar2->setValue(0);
      },
      [this](int done, int total, const ContestRule&) {
        ProgressBar1->setValue(total > 0 ? done * 100 / total : 0);
        return false;
      });
  emit dayViewChanged();
  done(QDialog::Accepted);
}

bool FmConAuto::Busy() const { return ContestBusy(s_); }

}  // namespace tz::ui
