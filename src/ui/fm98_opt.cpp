#include "fm98_opt.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QVBoxLayout>

#include "dialog_buttons.h"
#include "qt_user_port.h"

namespace tz::ui {

namespace {

// The pages of the tab strip and the check boxes on each, by index.
struct Page {
  const char* caption;
  std::vector<int> boxes;
};

const std::vector<Page>& Pages() {
  static const std::vector<Page> pages{
      {"全般", {0, 8, 9, 10, 17, 22}},
      {"表示", {2, 3, 4, 5, 11, 18, 19, 23, 24, 25, 20, 21}},
      {"ｳｨﾝﾄﾞｳ", {12, 13, 14, 15, 16, 1, 6, 7}},
  };
  return pages;
}

// The option groups of the display page: the order of the quinella axes, the bracket column
// and the win and place columns. Like the two check boxes above them they are shown for the
// user's reference and are neither filled from nor stored into a setting.
struct DisplayGroup {
  const char* name;
  const char* caption;
  std::array<const char*, 2> options;
};

constexpr std::array<DisplayGroup, 3> kDisplayGroups{{
    {"FrameAxis", "馬連の軸", {"人気順", "馬番順"}},
    {"FrameBracket", "枠番", {"表示", "非表示"}},
    {"FrameWinPlace", "単勝・複勝", {"表示", "非表示"}},
}};

QGroupBox* MakeDisplayGroup(const DisplayGroup& g, QWidget* parent) {
  auto* frame = new QGroupBox(ToQ(g.caption), parent);
  frame->setObjectName(g.name);
  auto* lay = new QVBoxLayout(frame);
  auto* group = new QButtonGroup(frame);
  for (std::size_t i = 0; i < g.options.size(); ++i) {
    auto* b = new QRadioButton(ToQ(g.options[i]), frame);
    b->setObjectName(QString("%1_%2").arg(g.name).arg(i));
    b->setChecked(i == 0);
    group->addButton(b, static_cast<int>(i));
    lay->addWidget(b);
  }
  return frame;
}

}  // namespace

Fm98Opt::Fm98Opt(Session& s, QWidget* parent) : QDialog(parent), s_(s) {
  setObjectName("Fm98Opt");
  setWindowTitle(ToQ("ｵﾌﾟｼｮﾝ"));
  setAttribute(Qt::WA_DeleteOnClose);
  setModal(false);
  auto* lay = new QVBoxLayout(this);
  tabs_ = new QTabWidget(this);
  tabs_->setObjectName("TabStrip1");
  lay->addWidget(tabs_);

  for (const OptionBox& box : kOptionBoxes) {
    auto* c = new QCheckBox(ToQ(box.Caption), this);
    c->setObjectName(QString("Check1_%1").arg(box.Index));
    check_[box.Index] = c;
  }
  for (const Page& page : Pages()) {
    auto* w = new QWidget(tabs_);
    auto* v = new QVBoxLayout(w);
    for (int i : page.boxes) {
      check_[i]->setParent(w);
      v->addWidget(check_[i]);
      check_[i]->setVisible(kOptionBoxes[i].Visible);
    }
    if (std::string(page.caption) == "表示") {
      // Shown for the user's reference; they are not kept in the settings.
      for (const char* caption : {"ｿﾞﾛ目は0.0", "ﾜｲﾄﾞは馬連と同一順にｿｰﾄする"}) {
        auto* c = new QCheckBox(ToQ(caption), w);
        v->addWidget(c);
      }
      auto* groups = new QHBoxLayout();
      for (const DisplayGroup& g : kDisplayGroups) groups->addWidget(MakeDisplayGroup(g, w));
      v->addLayout(groups);
    }
    v->addStretch(1);
    tabs_->addTab(w, ToQ(page.caption));
  }
  // The prediction source.
  auto* yoso = new QWidget(tabs_);
  auto* yl = new QVBoxLayout(yoso);
  auto* frame = new QGroupBox(ToQ("予想"), yoso);
  frame->setObjectName("Frame1");
  auto* fl = new QVBoxLayout(frame);
  auto* group = new QButtonGroup(this);
  for (int i = 0; i < 3; ++i) {
    option_[i] = new QRadioButton(ToQ(kYosoModeCaptions[i]), frame);
    option_[i]->setObjectName(QString("Option1_%1").arg(i));
    group->addButton(option_[i], i);
    fl->addWidget(option_[i]);
  }
  yl->addWidget(frame);
  yl->addStretch(1);
  tabs_->addTab(yoso, ToQ("予想"));
  // Check box 19 stays hidden even while its page is shown.
  check_[19]->setVisible(false);

  DialogButtons buttons = MakeDialogButtons(this, "CmdOK", "CmdCancel");
  ok_ = buttons.ok;
  cancel_ = buttons.cancel;
  lay->addWidget(buttons.box);
  connect(ok_, &QPushButton::clicked, this, &Fm98Opt::Accept);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

  Fill(FillOptions(s_.app.settings));
}

void Fm98Opt::Fill(const OptionsDialogValues& v) {
  for (int i = 0; i < kOptionBoxCount; ++i) check_[i]->setChecked(v.Check[i] != 0);
  option_[std::clamp(v.YosoMode, 0, 2)]->setChecked(true);
}

OptionsDialogValues Fm98Opt::Values() const {
  OptionsDialogValues v;
  for (int i = 0; i < kOptionBoxCount; ++i) v.Check[i] = check_[i]->isChecked() ? 1 : 0;
  for (int i = 0; i < 3; ++i) {
    if (option_[i]->isChecked()) v.YosoMode = i;
  }
  return v;
}

void Fm98Opt::keyPressEvent(QKeyEvent* e) {
  // Ctrl+Tab: the next tab, from the last back to the first.
  if (e->key() == Qt::Key_Tab && (e->modifiers() & Qt::ControlModifier)) {
    tabs_->setCurrentIndex((tabs_->currentIndex() + 1) % tabs_->count());
    e->accept();
    return;
  }
  QDialog::keyPressEvent(e);
}

void Fm98Opt::Accept() {
  ApplyOptions(s_, Values());
  accept();
}

// ---- ﾚﾝｼﾞ設定 -------------------------------------------------------------------------------

Fm98Range::Fm98Range(Session& s, UserPort& port, QWidget* parent)
    : QDialog(parent), s_(s), port_(port) {
  setObjectName("Fm98Range");
  setWindowTitle(ToQ("ﾚﾝｼﾞ設定"));
  setModal(true);
  auto* lay = new QVBoxLayout(this);
  auto* grid = new QGridLayout();
  auto* first = new QLabel(ToQ("100"), this);
  first->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  grid->addWidget(first, 0, 0);
  grid->addWidget(new QLabel(ToQ("円 以上"), this), 0, 1);
  const auto texts = FillRangeDialog(s_.app.settings);
  for (int i = 0; i < 6; ++i) {
    text_[i] = new QLineEdit(ToQ(texts[i]), this);
    text_[i]->setObjectName(QString("Text1_%1").arg(i));
    text_[i]->setAlignment(Qt::AlignRight);
    grid->addWidget(text_[i], i + 1, 0);
    grid->addWidget(new QLabel(ToQ("円 未満"), this), i + 1, 1);
  }
  lbMax_ = new QLabel(text_[5]->text(), this);
  lbMax_->setObjectName("LbMax");
  lbMax_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  grid->addWidget(lbMax_, 7, 0);
  grid->addWidget(new QLabel(ToQ("円 以上"), this), 7, 1);
  lay->addLayout(grid);
  connect(text_[5], &QLineEdit::textChanged, lbMax_, &QLabel::setText);

  DialogButtons buttons = MakeDialogButtons(this, "CmdOK", "CmdCancel");
  ok_ = buttons.ok;
  cancel_ = buttons.cancel;
  lay->addWidget(buttons.box);
  connect(ok_, &QPushButton::clicked, this, &Fm98Range::Accept);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

void Fm98Range::Accept() {
  std::array<std::string, 6> texts;
  for (int i = 0; i < 6; ++i) texts[i] = FromQ(text_[i]->text());
  if (AcceptRanges(s_, port_, texts)) accept();
}

}  // namespace tz::ui
