#include "fm98_main.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QStatusBar>
#include <QVBoxLayout>

#include "app/startup.h"
#include "analysis/bracket_model.h"
#include "analysis/implied_win.h"
#include "analysis/indicators.h"
#include "analysis/pipeline.h"
#include "analysis/vote_shares.h"
#include "aux_windows.h"
#include "betting/bet_list.h"
#include "exports/csv_export.h"
#include "results/race_card.h"
#include "betting/marking.h"
#include "pat98/data_store.h"
#include "pat98/day_loader.h"
#include "odds_layout.h"
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

// Small pictures of the meeting buttons: the weather of the meeting guide.
QIcon WeatherIcon(int icon) {
  if (icon == kIconNone) return QIcon();
  QPixmap pm(16, 16);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing, true);
  switch (icon) {
    case kIconFine:
      p.setBrush(QColor(255, 80, 0));
      p.setPen(Qt::NoPen);
      p.drawEllipse(QRect(3, 3, 10, 10));
      break;
    case kIconCloudy:
      p.setBrush(QColor(150, 150, 150));
      p.setPen(Qt::NoPen);
      p.drawEllipse(QRect(1, 6, 8, 7));
      p.drawEllipse(QRect(5, 3, 10, 10));
      break;
    case kIconRain:
    case kIconLightRain: {
      p.setBrush(QColor(120, 120, 120));
      p.setPen(Qt::NoPen);
      p.drawEllipse(QRect(2, 1, 12, 8));
      p.setPen(QPen(QColor(0, 80, 255), 1.5));
      int drops = icon == kIconRain ? 3 : 2;
      for (int k = 0; k < drops; ++k) p.drawLine(4 + 4 * k, 10, 3 + 4 * k, 15);
      break;
    }
    case kIconSnow:
      p.setPen(QPen(QColor(0, 120, 220), 1.5));
      p.drawLine(8, 1, 8, 15);
      p.drawLine(1, 8, 15, 8);
      p.drawLine(3, 3, 13, 13);
      p.drawLine(13, 3, 3, 13);
      break;
    default:  // no meeting guide
      p.setPen(QPen(Qt::gray, 1.5));
      p.drawRect(QRect(2, 2, 11, 11));
      p.drawText(QRect(2, 2, 12, 12), Qt::AlignCenter, "?");
      break;
  }
  return QIcon(pm);
}

QString ColourSheet(const TimeLabelState& t) {
  return QString("QLabel { background-color: %1; color: %2; border: 1px solid gray; }")
      .arg(FromBgr(t.Back).name(), FromBgr(t.Fore).name());
}

}  // namespace

UpsetBar::UpsetBar(QWidget* parent) : QWidget(parent) { setFixedSize(120, 16); }

void UpsetBar::SetBar(bool visible, double length, QColor colour) {
  visible_ = visible;
  length_ = length;
  colour_ = colour;
  setVisible(visible);
  update();
}

void UpsetBar::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), Qt::white);
  if (visible_) {
    // The bar area spans kScale units; the bar grows from the left edge.
    int w = static_cast<int>(std::clamp(length_ / kScale, 0.0, 1.0) * width());
    int h = std::min(height(), 15 * height() / 16);
    p.fillRect(QRect(0, (height() - h) / 2, w, h), colour_);
  }
  p.setPen(Qt::gray);
  p.drawRect(rect().adjusted(0, 0, -1, -1));
}

Fm98Main::Fm98Main(Session& session, UserPort& port, QWidget* parent)
    : QMainWindow(parent), s_(session), port_(port) {
  setObjectName("Fm98Main");
  clock_ = [] { return QDateTime::currentDateTime(); };
  BuildMenus();
  BuildToolbar1();
  BuildToolbar2();
  BuildCentre();
  BuildStatusBar();
  InstallResultsFeature();
  InstallHistoryFeature();
  InstallWarsOddsFeature();
  InstallWarsResultsFeature();
  InstallJrdbImportFeature();
  InstallListsFeature();
  InstallContestFeature();
  InstallGraphFeature();
  InstallOptionsFeature();
  InstallCheckListFeature();
  InstallBacktestFeature();
  InstallSnapshotFeature();

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
  resize(StartWidth(), height());
  RefreshCaption();
  UpdateDayCommands();
}

int Fm98Main::StartWidth() const {
  const int remembered = TwipsToPixels(s_.app.MainWindowWidth, this);
  if (s_.app.settings.Windows.WinWidthStored) return remembered;
  // The first start on a screen wider than the classic 640 pixels: wide enough for the whole
  // race header and both matrices of an 18-horse race, as far as the screen allows.
  const int screen = s_.app.ScreenWidth > 0 ? TwipsToPixels(s_.app.ScreenWidth, this) : 0;
  if (screen <= kClassicWidthPixels) return remembered;
  return std::clamp(FullRaceWidth(), remembered, screen);
}

int Fm98Main::FullRaceWidth() const {
  // The widest odds area: 18 runners, the JRDB columns, the quinella and the wide matrix.
  MainWindowModel widest;
  widest.RaceShown = true;
  widest.RowCount = widest.RunnerCount = kMaxHorses;
  widest.JrdbLayout = true;
  widest.ShownView = kViewBoth;
  QSize odds;
  LayoutOdds(widest, QFontMetrics(odds_->font()), RowHeight(), &odds);
  const QWidget* centre = centralWidget();
  const QMargins outer = centre->layout()->contentsMargins();
  int area = odds.width() + outer.left() + outer.right();

  // The longest race header: racecourse, meeting and race; a race name and a condition line of
  // 14 full-width characters each; odds time, distance, post time and the race labels.
  const QString kanji14 = QString(14, QChar(0x99AC));  // 馬
  const QString texts[] = {ToQ("函館 10回 12日  12R"), kanji14 + "    " + kanji14,
                           ToQ("12時30分 現在"),     ToQ("基準 12時30分ｽﾅｯﾌﾟｼｮｯﾄ"), ToQ("ダ3200m"),
                           ToQ("発走時刻  15時40分"), ToQ("かぶり度　10.0"),
                           ToQ("推移　+10"),          ToQ("100.0A"),
                           ToQ("馬連+ﾜｲﾄﾞ")};
  const QFontMetrics fm(lblkai_->font());
  const int spacing = lblkai_->parentWidget()->layout()->spacing();
  int header = outer.left() + outer.right() + PicBar_->width();
  for (const QString& t : texts) header += fm.horizontalAdvance(t) + spacing + 2 * Lbtime_->frameWidth();
  const int frame = frameGeometry().width() - geometry().width();
  return std::max(area, header) + std::max(0, frame) + 4;
}

void Fm98Main::UpdateDayCommands() {
  // The day-wide commands need a loaded day.
  const bool day = s_.race.MeetingCount > 0;
  for (const char* name : {"MenuList", "MenuAna", "MenuRZ", "MenuCon", "MenuBase"}) {
    if (auto* a = findChild<QAction*>(name)) a->setEnabled(day);
  }
}

void Fm98Main::SetFirstRunCheck(bool on) {
  firstRunCheck_ = on;
  // Without the first-run question the hint asking for the PAT98 folder has no place either.
  if (!on) {
    s_.dayView.hintLabelVisible = false;
    LbMsg_->setVisible(false);
  }
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
  actOpenCurrent_ = openCurrent;
  actOpenPast_ = openPast;
  connect(openCurrent, &QAction::triggered, this, [this] {
    OpenCurrentData(s_, port_);
    AfterLoad();
  });
  connect(openPast, &QAction::triggered, this, &Fm98Main::OpenPast);
  connect(actSave_, &QAction::triggered, this, [this] { SaveCurrentData(s_.app, s_.race, port_); });
  connect(actUpdate_, &QAction::triggered, this,
          [this] { UpdateSavedData(s_.app, s_.race, port_); });

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
  // Disabled until their feature wires them (Install...Feature, fm98_main_<feature>.cpp).
  add(tools, "menuwars", "FHWARSｵｯｽﾞ変換(&F)")->setEnabled(false);
  add(tools, "menuwkekka", "FHWARS成績変換(&K)")->setEnabled(false);
  add(tools, "menujrdbimport", "JRDBﾃﾞｰﾀ変換(&D)");
  tools->addSeparator();
  add(tools, "MenuOption", "ｵﾌﾟｼｮﾝ(&O)")->setEnabled(false);
  tools->addSeparator();
  add(tools, "MenuList", "競走成績一覧(&R)", QKeySequence("Ctrl+R"))->setEnabled(false);
  tools->addSeparator();
  add(tools, "MenuAna", "推奨穴馬一覧(&A)", QKeySequence("Ctrl+A"))->setEnabled(false);
  add(tools, "MenuRZ", "予想値一覧(&Z)", QKeySequence("Ctrl+Z"))->setEnabled(false);
  tools->addSeparator();
  add(tools, "MenuCon", "FHWARSｺﾝﾃｽﾄ形式(&C)")->setEnabled(false);
  tools->addSeparator();
  add(tools, "MenuBacktest", "回収率ﾊﾞｯｸﾃｽﾄ");

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

  connect(tool1_[4], &QToolButton::clicked, this, [this] { OpenPrediction(); });
  connect(tool1_[6], &QToolButton::clicked, this, [this] { OpenBracketView(); });
  connect(tool1_[16], &QToolButton::clicked, this, &Fm98Main::ExportCsv);

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
    connect(a, &QAction::triggered, this, [this, k] { ApplyPattern(k + 1); });
  }
  vote->setMenu(voteMenu);
  connect(vote, &QToolButton::clicked, this, [this] { OpenBetList(); });
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
    tb->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    tb->setCheckable(true);
    tb->setAutoRaise(true);
    tb->setEnabled(false);
    tool2Actions_[i] = toolbar2_->addWidget(tb);
    tool2_[i] = tb;
    if (i <= 3) {
      connect(tb, &QToolButton::clicked, this, [this, i] { PressMeeting(i); });
    } else {
      connect(tb, &QToolButton::clicked, this, [this, i] { PressRace(i); });
    }
  }
}

void Fm98Main::BuildStatusBar() {
  for (int i = 1; i <= 5; ++i) {
    QLabel* l = (i == 1) ? new ClickLabel([this] { OpenPast(); }, this) : new QLabel(this);
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
  LbBase_ = mk("LbBase");
  Lbm_ = mk("Lbm");
  Lbtime_ = mk("Lbtime");
  Lbtime_->setVisible(false);
  Lbtime_->setStyleSheet(ColourSheet(TimeLabelState{}));
  h->addStretch(1);
  LbKaburi_ = mk("LbKaburi");
  LbDown_ = mk("LbDown");
  Lbjval_ = mk("Lbjval");
  PicBar_ = new UpsetBar(header);
  PicBar_->setObjectName("PicBar");
  h->addWidget(PicBar_);
  LbView_ = mk("LbView");
  v->addWidget(header);

  auto* scroll = new QScrollArea(centre);
  scroll->setObjectName("OddsScroll");
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setWidgetResizable(false);
  scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  odds_ = new OddsArea(scroll);
  // The odds area in the Japanese font of its captions; its narrow digits let an 18-horse
  // race with both matrices fit a common screen.
  QFont small = odds_->font();
  small.setFamilies({"Noto Sans CJK JP", small.family()});
  small.setPixelSize(std::max(9, TwipsToPixels(210, this) - 3));
  odds_->setFont(small);
  odds_->setVisible(false);
  scroll->setWidget(odds_);
  v->addWidget(scroll, 1);
  connect(odds_, &OddsArea::cellClicked, this, &Fm98Main::OddsCellClicked);
  LbMsg_ = new QLabel(ToQ("はじめにＰＡＴ９８インストールフォルダを指定して下さい。"), centre);
  LbMsg_->setObjectName("LbMsg");
  LbMsg_->setAlignment(Qt::AlignCenter);
  v->addWidget(LbMsg_);
  setCentralWidget(centre);
}

void Fm98Main::ApplyFixedHeight() {
  // The odds panel holds the header rows and 18 horse rows: at least 3990 twips under its top.
  int oddsHeight = std::max(TwipsToPixels(3990, this), RowHeight() * (kMaxHorses + 2) + 4);
  QWidget* scroll = findChild<QWidget*>("OddsScroll");
  scroll->setMinimumHeight(oddsHeight + style()->pixelMetric(QStyle::PM_ScrollBarExtent));
  centralWidget()->adjustSize();
  int h = centralWidget()->sizeHint().height() + menuBar()->sizeHint().height() +
          toolbar1_->sizeHint().height() + toolbar2_->sizeHint().height() +
          statusBar()->sizeHint().height() + TwipsToPixels(60, this);
  setFixedHeight(h);
}

void Fm98Main::RefreshCaption() {
  setWindowTitle(ToQ("Tazuna98 - " + s_.app.DataFolder.string()));
}

int Fm98Main::RowHeight() const { return std::max(TwipsToPixels(210, this), fontMetrics().height() + 1); }

void Fm98Main::SetMainToolbarEnabled(bool on) {
  for (auto& [index, button] : tool1_) button->setEnabled(on);
}

void Fm98Main::SetViewMode(int mode) {
  tz::SetViewMode(s_, mode);
  RenderRace();
  emit viewModeChanged(s_.mainWindow.ViewMode);
}

void Fm98Main::CycleViewMode() { SetViewMode(s_.mainWindow.ViewMode + 1); }

void Fm98Main::ApplyPattern(int pattern) {
  switch (pattern) {
    case 1: MarkBox(s_); break;
    case 2: MarkLimitedFlow(s_); break;
    case 3: MarkTotalFlow(s_); break;
    case 4: ClearMarks(s_); break;
    default: return;
  }
  RenderRace();
}

void Fm98Main::OddsCellClicked(const QString& panel, int row, int col) {
  if (panel == "odztan") {
    ToggleHighlight(s_, 2, row + 1);
  } else if (panel == "odzfuk") {
    ToggleHighlight(s_, 1, row + 1);
  } else if (panel == "numumaY") {
    ToggleHeader(s_, HeaderKind::Row, row);
  } else if (panel == "numumaX") {
    ToggleHeader(s_, HeaderKind::QuinellaColumn, row);
  } else if (panel == "numX") {
    ToggleHeader(s_, HeaderKind::WideColumn, row);
  } else if (panel == "odzuma") {
    ToggleCell(s_, PairMatrix::Quinella, row, col);
  } else if (panel == "WideOdz") {
    ToggleCell(s_, PairMatrix::Wide, row, col);
  } else {
    return;
  }
  RenderRace();
}

bool Fm98Main::RaceOnScreen() const {
  return s_.mainWindow.RaceShown && s_.dayView.oddsAreaVisible;
}

void Fm98Main::RenderRace() {
  const MainWindowModel& mw = s_.mainWindow;
  // The race header and the race labels belong to the race on screen; without one they are
  // empty, never the values of a race shown before.
  const bool raceShown = RaceOnScreen();
  const auto shown = [raceShown](const std::string& text) { return raceShown ? ToQ(text) : QString(); };
  // A race selected for its results only shows which race it is.
  const bool headerShown = raceShown || mw.ResultsOnly;
  const auto header = [headerShown](const std::string& text) { return headerShown ? ToQ(text) : QString(); };
  lblkai_->setText(header(mw.lblkai));
  lblrace_->setText(header(mw.lblrace));
  Lbltime_->setText(shown(mw.Lbltime));
  LbBase_->setText(shown(s_.analysis.BaseCaption));
  Lbm_->setText(header(mw.Lbm));
  LbView_->setText(ToQ(mw.ViewLabel));
  LbKaburi_->setText(shown(mw.LbKaburi));
  LbKaburi_->setVisible(mw.KaburiVisible && raceShown);
  LbKaburi_->setToolTip(ToQ(mw.LbKaburiToolTip));
  LbDown_->setText(shown(mw.LbDown));
  LbDown_->setToolTip(ToQ(mw.LbDownToolTip));
  Lbjval_->setText(shown(mw.Lbjval));
  PicBar_->SetBar(mw.UpsetBarVisible && raceShown, mw.UpsetBarLength, FromBgr(mw.UpsetBarColor));
  RenderTimeLabel();

  QSize size;
  QFontMetrics fm(odds_->font());
  odds_->SetCells(LayoutOdds(mw, fm, RowHeight(), &size), size);

  odds_->setVisible(raceShown);
  for (auto& [index, button] : tool1_) {
    button->setEnabled(s_.dayView.mainToolBarEnabled && mw.ToolbarEnabled[index]);
  }
  if (auto* wide = findChild<QAction*>("ViewMode1")) wide->setEnabled(mw.WideViewEnabled);
  if (auto* both = findChild<QAction*>("ViewMode2")) both->setEnabled(mw.WideViewEnabled);
}

void Fm98Main::RenderTimeLabel() {
  const MainWindowModel& mw = s_.mainWindow;
  Lbtime_->setVisible(mw.LbtimeVisible && RaceOnScreen());
  Lbtime_->setText(ToQ(mw.LbtimeCaption));
  TimeLabelState t;
  t.Back = mw.LbtimeBackColor;
  t.Fore = mw.LbtimeForeColor;
  QString sheet = ColourSheet(t);
  if (Lbtime_->styleSheet() != sheet) Lbtime_->setStyleSheet(sheet);
}

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
  // Only the race on screen has a post time to count to.
  if (s_.race.StartTimeText.empty() || !RaceOnScreen()) return;
  QDateTime now = clock_();
  ClockReading r{now.date().year(), now.date().month(), now.date().day(),
                 now.time().hour(), now.time().minute(), now.time().second()};
  MainWindowModel& mw = s_.mainWindow;
  TimeLabelState t;
  t.Visible = mw.LbtimeVisible;
  t.Caption = mw.LbtimeCaption;
  t.ToolTip = FromQ(Lbtime_->toolTip());
  t.Back = mw.LbtimeBackColor;
  t.Fore = mw.LbtimeForeColor;
  t = UpdateCountdown(t, s_.race.GuideDate, s_.race.StartTimeText, s_.race.StartTimeCaption, r);
  mw.LbtimeVisible = t.Visible;
  mw.LbtimeCaption = t.Caption;
  mw.LbtimeBackColor = t.Back;
  mw.LbtimeForeColor = t.Fore;
  Lbtime_->setToolTip(ToQ(t.ToolTip));
  RenderTimeLabel();
}

void Fm98Main::RenderDayView() {
  const DayViewModel& v = s_.dayView;
  if (v.caption.empty()) {
    RefreshCaption();
  } else {
    setWindowTitle(ToQ(v.caption));
  }
  panels_[1]->setText(ToQ(v.statusPanel1));
  if (!v.statusPanel5.empty()) panels_[5]->setText(ToQ(v.statusPanel5));
  LbMsg_->setVisible(v.hintLabelVisible);
  for (int i = 1; i <= 3; ++i) {
    const MeetingButtonView& m = v.meetingButtons[i];
    QToolButton* b = tool2_[i];
    b->setText(ToQ(m.caption));
    b->setToolTip(ToQ(m.toolTip));
    b->setEnabled(m.enabled);
    b->setChecked(m.pressed);
    b->setIcon(WeatherIcon(m.icon));
    tool2Actions_[i]->setVisible(m.visible);
  }
  for (int i = 5; i <= 17; ++i) {
    const RaceButtonView& r = v.raceButtons[i];
    tool2_[i]->setEnabled(r.enabled);
    tool2_[i]->setChecked(r.pressed);
    tool2_[i]->setToolTip(r.resultsOnly ? ToQ(kResultsOnlyRaceTip) : QString());
  }
  actSave_->setEnabled(v.saveCurrentEnabled);
  actUpdate_->setEnabled(v.updateSavedEnabled);
  UpdateDayCommands();
  if (v.closeWindows == CloseWindowsRequest::AllButMain) {
    // A newly opened data folder: no window of the previous day stays, lists included.
    for (QWidget* w : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
      if (w->isWindow() && w->isVisible()) w->close();
    }
  } else if (v.closeWindows != CloseWindowsRequest::None) {
    CloseAuxWindows();
  }
  s_.dayView.closeWindows = CloseWindowsRequest::None;
  RenderRace();
}

void Fm98Main::AfterLoad() {
  // A load shows the day afresh: no race selected, the odds area hidden.
  RenderDayView();
}

void Fm98Main::StartupLoad() {
  StartupLoadDay(s_, port_);
  AfterLoad();
}

void Fm98Main::OpenDataFolder(const std::filesystem::path& folder) {
  tz::OpenDataFolder(s_, port_, folder);
  AfterLoad();
}

void Fm98Main::OpenPast() {
  PastDataDialog d = PreparePastData(s_.app);
  if (d.listMode) {
    Fm98Open dlg(d.folders, this);
    dlg.setWindowTitle(ToQ(d.caption));
    if (d.preselected >= 0) dlg.List()->setCurrentRow(d.preselected);
    if (dlg.exec() != QDialog::Accepted) return;
    tz::OpenPastData(s_, port_, FromQ(dlg.SelectedName()));
  } else {
    QString chosen = Fm98Path()(this, ToQ(d.caption), ToQ(d.browseStart.string()));
    if (chosen.isEmpty()) return;
    tz::OpenDataFolder(s_, port_, FromQ(chosen));
  }
  AfterLoad();
}

void Fm98Main::PressMeeting(int button) {
  SelectMeeting(s_, button);
  RenderDayView();
}

void Fm98Main::PressRace(int button) {
  SelectRace(s_, port_, button);
  SyncAuxWindows();
  RenderDayView();
  if (s_.mainWindow.ResultsOnly) {
    if (s_.mainWindow.AutoOpen[4]) ShowResults();
    return;
  }
  if (s_.race.LoadStatus != 0 || !s_.mainWindow.RaceShown) return;
  OpenAutoWindows();
}

void Fm98Main::OpenAutoWindows() {
  // The windows the options open after every selection: graphs, prediction, bracket view,
  // voting log, results.
  const auto open = s_.mainWindow.AutoOpen;
  if (open[0]) ShowGraphs();
  if (open[1]) OpenPrediction();
  if (open[2]) OpenBracketView();
  if (open[3]) ShowHistory();
  if (open[4]) ShowResults();
}

Fm98Hyo* Fm98Main::OpenPrediction() {
  if (hyo_) hyo_->close();
  ReadRaceCard(s_.race, s_.app, s_.folders);
  RankRace(s_);
  FillImpliedWinColumns(s_);
  hyo_ = new Fm98Hyo(s_, this);
  hyo_->show();
  return hyo_;
}

Fm98Waku* Fm98Main::OpenBracketView() {
  if (waku_) waku_->close();
  BuildBracketView(s_);
  waku_ = new Fm98Waku(s_, this);
  waku_->show();
  return waku_;
}

Fm98Bet* Fm98Main::OpenBetList() {
  if (bet_) bet_->close();
  if (!BuildBetList(s_, port_)) return nullptr;
  bet_ = new Fm98Bet(s_, port_, this);
  bet_->show();
  return bet_;
}

void Fm98Main::ExportCsv() { ExportRaceCsv(s_, port_); }

void Fm98Main::CloseAuxWindows() {
  for (QWidget* w : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
    if (w->isWindow() && w->property("auxWindow").toBool()) w->close();
  }
}

void Fm98Main::SyncAuxWindows() {
  if (s_.mainWindow.CloseAuxWindowsSerial != seenCloseSerial_) {
    seenCloseSerial_ = s_.mainWindow.CloseAuxWindowsSerial;
    CloseAuxWindows();
  }
}

void Fm98Main::ShowPat98Dialog() {
  if (dirDialog_) {
    dirDialog_->raise();
    return;
  }
  FolderDialog* d = MakeFm98Dir(s_, this);
  connect(d, &FolderDialog::pat98FolderConfirmed, this, [this](const QString& folder) {
    ApplyPat98Folder(s_, port_, FromQ(folder));
    AfterLoad();
  });
  connect(d, &FolderDialog::sampleDayChosen, this,
          [this](const QString& folder) { OpenDataFolder(FromQ(folder)); });
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
  CloseDecision d = RequestClose(s_.app, port_);
  if (d == CloseDecision::Cancel) {
    e->ignore();
    return;
  }
  if (d == CloseDecision::SaveThenClose) SaveCurrentData(s_.app, s_.race, port_);
  // The other windows close first: they remember their positions in the settings, which are
  // written next.
  for (QWidget* w : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
    if (w->isWindow()) w->close();
  }
  std::string err = Shutdown(s_, isMinimized(), PixelsToTwips(width(), this));
  if (!err.empty()) port_.Error(s_.app.AppTitle, err);
  e->accept();
}

}  // namespace tz::ui
