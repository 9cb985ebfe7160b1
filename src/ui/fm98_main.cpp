#include "fm98_main.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QStatusBar>
#include <QVBoxLayout>

#include "app/startup.h"
#include "fm98_folders.h"
#include "fm98_small.h"

namespace tz::ui {

int TwipsToPixels(double twips, const QWidget* w) {
  double dpi = w ? w->logicalDpiX() : 96.0;
  return static_cast<int>(twips * dpi / 1440.0 + 0.5);
}

double PixelsToTwips(int pixels, const QWidget* w) {
  double dpi = w ? w->logicalDpiX() : 96.0;
  return pixels * 1440.0 / dpi;
}

QColor FromBgr(Colour c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

Colour ToBgr(const QColor& c) { return c.red() | (c.green() << 8) | (c.blue() << 16); }

namespace {

// A status-bar panel that reports clicks.
class ClickLabel : public QLabel {
 public:
  ClickLabel(std::function<void()> onClick, QWidget* parent)
      : QLabel(parent), onClick_(std::move(onClick)) {}

 protected:
  void mousePressEvent(QMouseEvent* e) override {
    if (e->button() == Qt::LeftButton && onClick_) onClick_();
  }

 private:
  std::function<void()> onClick_;
};

QString ColourSheet(const TimeLabelState& t) {
  return QString("QLabel { background-color: %1; color: %2; border: 1px solid gray; }")
      .arg(FromBgr(t.Back).name(), FromBgr(t.Fore).name());
}

}  // namespace

Fm98Main::Fm98Main(Session& session, UserPort& port, QWidget* parent)
    : QMainWindow(parent), s_(session), port_(port) {
  setObjectName("Fm98Main");
  if (auto* qp = dynamic_cast<QtUserPort*>(&port_)) qp->SetParent(this);
  clock_ = [] { return QDateTime::currentDateTime(); };
  BuildMenus();
  BuildToolbar1();
  BuildToolbar2();
  BuildCentre();
  BuildStatusBar();

  LbMsg_->setVisible(HasPat98Program(s_.app.DataFolder) != 0);
  SetMainToolbarEnabled(false);
  actSave_->setEnabled(false);
  actUpdate_->setEnabled(false);

  Timer1_ = new QTimer(this);
  Timer1_->setObjectName("Timer1");
  Timer1_->setInterval(1000);
  connect(Timer1_, &QTimer::timeout, this, &Fm98Main::TickCountdown);
  Timer1_->start();

  // Top-left corner of the screen, the remembered width, a fixed height.
  move(0, 0);
  setMinimumWidth(TwipsToPixels(9600, this));
  if (s_.app.ScreenWidth > 0) setMaximumWidth(TwipsToPixels(s_.app.ScreenWidth, this));
  ApplyFixedHeight();
  resize(TwipsToPixels(s_.app.MainWindowWidth, this), height());
  RefreshCaption();
}

void Fm98Main::BuildMenus() {
  auto add = [this](QMenu* m, const char* name, const char* caption,
                    QKeySequence key = QKeySequence()) {
    QAction* a = m->addAction(ToQ(caption));
    a->setObjectName(name);
    if (!key.isEmpty()) a->setShortcut(key);
    return a;
  };
  QMenu* file = menuBar()->addMenu(ToQ("ﾌｧｲﾙ(&F)"));
  file->setObjectName("MenuFile");
  QAction* openCurrent = add(file, "MenuOpenCurrent", "現在のﾃﾞｰﾀを開く(&N)");
  QAction* openPast = add(file, "MenuOpenPast", "過去のﾃﾞｰﾀを開く(&O)", QKeySequence("Ctrl+O"));
  file->addSeparator();
  actSave_ = add(file, "MenuSave", "現在のﾃﾞｰﾀを保存(&S)");
  actUpdate_ = add(file, "MenuUpdate", "結果と履歴を上書き保存(&U)", QKeySequence("Ctrl+U"));
  file->addSeparator();
  QAction* quit = add(file, "MenuEnd", "Tazuna98の終了(&X)", QKeySequence("Ctrl+X"));
  connect(quit, &QAction::triggered, this, &QWidget::close);
  // Opening and saving data folders come with the data store.
  openCurrent->setEnabled(false);
  openPast->setEnabled(false);

  QMenu* tools = menuBar()->addMenu(ToQ("ﾂｰﾙ(&T)"));
  tools->setObjectName("MenuTool");
  QAction* pat = add(tools, "MenuPat98", "PAT98設定(&P)");
  connect(pat, &QAction::triggered, this, &Fm98Main::ShowPat98Dialog);
  tools->addSeparator();
  QAction* bet = add(tools, "MenuBet", "BET送出ﾌｫﾙﾀﾞの指定(&B)");
  connect(bet, &QAction::triggered, this, [this] { ShowFolderDialog(MakeFm98Pbet(s_, this)); });
  QAction* csv = add(tools, "MenuCSV", ".CSV.TXT 出力ﾌｫﾙﾀﾞの指定(&V)");
  connect(csv, &QAction::triggered, this, [this] { ShowFolderDialog(MakeFm98CSV(s_, this)); });
  QAction* jrdb = add(tools, "MenuJRDB", "JRDB基準ｵｯｽﾞ格納ﾌｫﾙﾀﾞの指定(&J)");
  connect(jrdb, &QAction::triggered, this, [this] { ShowFolderDialog(MakeFm98JRDB(s_, this)); });
  tools->addSeparator();
  // Features of later releases: present, disabled.
  add(tools, "menuwars", "FHWARSｵｯｽﾞ変換(&F)")->setEnabled(false);
  add(tools, "menuwkekka", "FHWARS成績変換(&K)")->setEnabled(false);
  tools->addSeparator();
  add(tools, "MenuOption", "ｵﾌﾟｼｮﾝ(&O)")->setEnabled(false);
  tools->addSeparator();
  add(tools, "MenuList", "競走成績一覧(&R)", QKeySequence("Ctrl+R"))->setEnabled(false);
  tools->addSeparator();
  add(tools, "MenuAna", "推奨穴馬一覧(&A)", QKeySequence("Ctrl+A"))->setEnabled(false);
  add(tools, "MenuRZ", "予想値一覧(&Z)", QKeySequence("Ctrl+Z"))->setEnabled(false);
  tools->addSeparator();
  add(tools, "MenuCon", "FHWARSｺﾝﾃｽﾄ形式(&C)")->setEnabled(false);

  QMenu* help = menuBar()->addMenu(ToQ("ﾍﾙﾌﾟ(&H)"));
  help->setObjectName("MenuHelp");
  QAction* ver = add(help, "MenuVersion", "ﾊﾞｰｼﾞｮﾝ情報(&V)");
  connect(ver, &QAction::triggered, this, &Fm98Main::ShowVersion);
}

void Fm98Main::BuildToolbar1() {
  toolbar1_ = addToolBar("Toolbar1");
  toolbar1_->setObjectName("Toolbar1");
  toolbar1_->setMovable(false);
  toolbar1_->setToolButtonStyle(Qt::ToolButtonTextOnly);
  struct B { int index; const char* caption; const char* tip; };
  const B buttons[] = {{1, "ﾁｪｯｸ", "気になる馬の登録・解除"}, {3, "ｸﾞﾗﾌ", "ｸﾞﾗﾌ"},
                       {4, "予想", "穴馬予想＆出馬表"},        {6, "枠連", "枠連ｵｯｽﾞ"},
                       {9, "切替", "馬連・ﾜｲﾄﾞの表示切替"},   {11, "履歴", "投票履歴"},
                       {12, "結果", "競走成績・払い戻し"},     {14, "投票", "勝馬投票"},
                       {16, "CSV", "CSVﾌｧｲﾙへ書き出し"}};
  int next = 1;
  for (const B& b : buttons) {
    for (; next < b.index; ++next) toolbar1_->addSeparator();
    auto* tb = new QToolButton(toolbar1_);
    tb->setObjectName(QString("Toolbar1_%1").arg(b.index));
    tb->setText(ToQ(b.caption));
    tb->setToolTip(ToQ(b.tip));
    tb->setAutoRaise(true);
    toolbar1_->addWidget(tb);
    tool1_[b.index] = tb;
    next = b.index + 1;
  }

  // Button 9: a click cycles the view, the drop-down picks one.
  QToolButton* view = tool1_[9];
  view->setPopupMode(QToolButton::MenuButtonPopup);
  auto* viewMenu = new QMenu(view);
  viewMenu->setObjectName("ViewMenu");
  const char* views[] = {"馬連", "ﾜｲﾄﾞ", "馬連+ﾜｲﾄﾞ"};
  for (int m = 0; m < 3; ++m) {
    QAction* a = viewMenu->addAction(ToQ(views[m]));
    a->setObjectName(QString("ViewMode%1").arg(m));
    connect(a, &QAction::triggered, this, [this, m] { SetViewMode(m); });
  }
  view->setMenu(viewMenu);
  connect(view, &QToolButton::clicked, this, &Fm98Main::CycleViewMode);

  // Button 14: the marking patterns in its drop-down.
  QToolButton* vote = tool1_[14];
  vote->setPopupMode(QToolButton::MenuButtonPopup);
  auto* voteMenu = new QMenu(vote);
  voteMenu->setObjectName("VoteMenu");
  const char* patterns[] = {"ﾎﾞｯｸｽ", "限定ながし", "総ながし", "ｸﾘｱ"};
  for (int k = 0; k < 4; ++k) {
    QAction* a = voteMenu->addAction(ToQ(patterns[k]));
    a->setObjectName(QString("VotePattern%1").arg(k + 1));
  }
  vote->setMenu(voteMenu);
}

void Fm98Main::BuildToolbar2() {
  addToolBarBreak();
  toolbar2_ = addToolBar("Toolbar2");
  toolbar2_->setObjectName("Toolbar2");
  toolbar2_->setMovable(false);
  toolbar2_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  for (int i = 1; i <= 17; ++i) {
    if (i == 4) {
      toolbar2_->addSeparator();
      continue;
    }
    auto* tb = new QToolButton(toolbar2_);
    tb->setObjectName(QString("Toolbar2_%1").arg(i));
    if (i >= 5 && i <= 16) tb->setText(QString("%1R").arg(i - 4));
    if (i == 17) tb->setText(ToQ("前日"));
    tb->setCheckable(true);
    tb->setAutoRaise(true);
    tb->setEnabled(false);
    toolbar2_->addWidget(tb);
    tool2_[i] = tb;
  }
}

void Fm98Main::BuildStatusBar() {
  for (int i = 1; i <= 5; ++i) {
    QLabel* l = (i == 1) ? new ClickLabel([] {}, this) : new QLabel(this);
    l->setObjectName(QString("StatusPanel%1").arg(i));
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    panels_[i] = l;
    if (i == 5) {
      statusBar()->addPermanentWidget(l);
    } else {
      statusBar()->addWidget(l, i == 1 ? 0 : 1);
    }
  }
  panels_[1]->setToolTip(ToQ("ここをクリックすると「過去のデータを開く」"));
  panels_[1]->setMinimumWidth(120);
  panels_[5]->setText(ToQ("疾風組　Ver0.02β"));
  statusBar()->setSizeGripEnabled(false);
}

void Fm98Main::BuildCentre() {
  auto* centre = new QWidget(this);
  centre->setObjectName("Centre");
  auto* v = new QVBoxLayout(centre);
  v->setContentsMargins(2, 2, 2, 2);
  v->setSpacing(2);
  auto* header = new QWidget(centre);
  auto* h = new QHBoxLayout(header);
  h->setContentsMargins(0, 0, 0, 0);
  h->setSpacing(6);
  auto mk = [header, h](const char* name) {
    auto* l = new QLabel(header);
    l->setObjectName(name);
    h->addWidget(l);
    return l;
  };
  lblkai_ = mk("lblkai");
  lblrace_ = mk("lblrace");
  Lbltime_ = mk("Lbltime");
  Lbm_ = mk("Lbm");
  Lbtime_ = mk("Lbtime");
  Lbtime_->setVisible(false);
  Lbtime_->setStyleSheet(ColourSheet(timeState_));
  h->addStretch(1);
  LbView_ = mk("LbView");
  v->addWidget(header);

  odds_ = new OddsArea(centre);
  v->addWidget(odds_, 1);
  LbMsg_ = new QLabel(ToQ("はじめにＰＡＴ９８インストールフォルダを指定して下さい。"), centre);
  LbMsg_->setObjectName("LbMsg");
  LbMsg_->setAlignment(Qt::AlignCenter);
  v->addWidget(LbMsg_);
  setCentralWidget(centre);
}

void Fm98Main::ApplyFixedHeight() {
  // The odds panel holds a header row and 18 horse rows: 3990 twips under its top.
  int oddsHeight = TwipsToPixels(3990, this);
  odds_->setMinimumHeight(oddsHeight);
  centralWidget()->adjustSize();
  int h = centralWidget()->sizeHint().height() + menuBar()->sizeHint().height() +
          toolbar1_->sizeHint().height() + toolbar2_->sizeHint().height() +
          statusBar()->sizeHint().height() + TwipsToPixels(60, this);
  setFixedHeight(h);
}

void Fm98Main::RefreshCaption() {
  setWindowTitle(ToQ("Tazuna98 - " + s_.app.DataFolder.string()));
}

void Fm98Main::SetMainToolbarEnabled(bool on) {
  // Buttons whose windows come with later releases stay disabled.
  static const int kLater[] = {1, 3, 11, 12};
  for (auto& [index, button] : tool1_) {
    bool later = std::find(std::begin(kLater), std::end(kLater), index) != std::end(kLater);
    button->setEnabled(on && !later);
  }
}

void Fm98Main::SetViewMode(int mode) {
  viewMode_ = ((mode % 3) + 3) % 3;
  static const char* names[] = {"馬連", "ﾜｲﾄﾞ", "馬連+ﾜｲﾄﾞ"};
  LbView_->setText(ToQ(names[viewMode_]));
  emit viewModeChanged(viewMode_);
}

void Fm98Main::CycleViewMode() { SetViewMode((viewMode_ + 1) % 3); }

QToolButton* Fm98Main::ToolButton(int index) const {
  auto it = tool1_.find(index);
  return it == tool1_.end() ? nullptr : it->second;
}

QToolButton* Fm98Main::RaceButton(int index) const {
  auto it = tool2_.find(index);
  return it == tool2_.end() ? nullptr : it->second;
}

QLabel* Fm98Main::StatusPanel(int index) const {
  auto it = panels_.find(index);
  return it == panels_.end() ? nullptr : it->second;
}

void Fm98Main::TickCountdown() {
  QDateTime now = clock_();
  ClockReading r{now.date().year(), now.date().month(), now.date().day(),
                 now.time().hour(), now.time().minute(), now.time().second()};
  TimeLabelState before = timeState_;
  timeState_.Caption = FromQ(Lbtime_->text());
  timeState_ = UpdateCountdown(timeState_, s_.race.GuideDate, s_.race.StartTimeText,
                               s_.race.StartTimeCaption, r);
  Lbtime_->setVisible(timeState_.Visible);
  Lbtime_->setText(ToQ(timeState_.Caption));
  Lbtime_->setToolTip(ToQ(timeState_.ToolTip));
  if (before.Back != timeState_.Back || before.Fore != timeState_.Fore ||
      Lbtime_->styleSheet().isEmpty()) {
    Lbtime_->setStyleSheet(ColourSheet(timeState_));
  }
}

void Fm98Main::RenderDayView() {
  RefreshCaption();
  panels_[1]->setText(ToQ(s_.race.GuideDateText));
  SetMainToolbarEnabled(false);
}

void Fm98Main::OpenDataFolder(const std::filesystem::path& folder) {
  s_.app.DataFolder = folder;
  RenderDayView();
}

void Fm98Main::ShowPat98Dialog() {
  if (dirDialog_) {
    dirDialog_->raise();
    return;
  }
  FolderDialog* d = MakeFm98Dir(s_, this);
  connect(d, &FolderDialog::pat98FolderConfirmed, this, [this](const QString& folder) {
    ApplyPat98Folder(s_, FromQ(folder));
    RenderDayView();
    LbMsg_->setVisible(HasPat98Program(s_.app.DataFolder) != 0);
  });
  dirDialog_ = d;
  ShowFolderDialog(d);
}

void Fm98Main::ShowFolderDialog(FolderDialog* d) {
  d->setAttribute(Qt::WA_DeleteOnClose);
  d->setModal(false);
  d->show();
}

void Fm98Main::ShowVersion() {
  Fm98Ver v(ToQ(s_.app.AppTitle), this);
  v.exec();
}

bool Fm98Main::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate && !firstActivationDone_) {
    firstActivationDone_ = true;
    if (firstRunCheck_ && HasPat98Program(s_.app.DataFolder) != 0) {
      QTimer::singleShot(0, this, &Fm98Main::ShowPat98Dialog);
    }
  }
  return QMainWindow::event(e);
}

void Fm98Main::changeEvent(QEvent* e) {
  if (e->type() == QEvent::WindowStateChange && !isMaximized()) {
    // The other windows follow the main window into and out of the minimised state.
    for (QWidget* w : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
      if (!w->isWindow() || !w->isVisible()) continue;
      if (isMinimized()) {
        w->showMinimized();
      } else {
        w->showNormal();
      }
    }
  }
  QMainWindow::changeEvent(e);
}

void Fm98Main::closeEvent(QCloseEvent* e) {
  CloseDecision d = RequestClose(s_, port_);
  if (d == CloseDecision::Cancel) {
    e->ignore();
    return;
  }
  std::string err = Shutdown(s_, isMinimized(), PixelsToTwips(width(), this));
  if (!err.empty()) port_.Error(s_.app.AppTitle, err);
  for (QWidget* w : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
    if (w->isWindow()) w->close();
  }
  e->accept();
}

}  // namespace tz::ui
