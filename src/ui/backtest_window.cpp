#include "backtest_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPainter>
#include <QScrollArea>
#include <QSplitter>
#include <QVBoxLayout>
#include <algorithm>

#include "dialog_buttons.h"
#include "qt_user_port.h"

namespace tz::ui {

namespace {

constexpr int kBarRowHeight = 16;
constexpr int kChartMargin = 6;

// A table cell that sorts by a number of its own, not by its text: the figures by their
// value, the group column by the report's order.
class SortItem : public QTableWidgetItem {
 public:
  SortItem(const QString& shown, double key, bool number) : QTableWidgetItem(shown) {
    setData(Qt::UserRole, key);
    if (number) setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
  }
  bool operator<(const QTableWidgetItem& other) const override {
    return data(Qt::UserRole).toDouble() < other.data(Qt::UserRole).toDouble();
  }
};

QTableWidgetItem* NumberItem(double value, int decimals) {
  return new SortItem(QString::number(value, 'f', decimals), value, true);
}

QString RowLabel(const BacktestWindowRow& row) { return ToQ(row.group + " " + row.pool); }

}  // namespace

// ---- Chart ----

BacktestChart::BacktestChart(QWidget* parent) : QWidget(parent) {
  setObjectName("PicChart");
  setBackgroundRole(QPalette::Base);
  setAutoFillBackground(true);
}

void BacktestChart::SetModel(const BacktestWindowModel* model) {
  model_ = model;
  updateGeometry();
  update();
}

QSize BacktestChart::sizeHint() const {
  const int rows = model_ ? static_cast<int>(model_->rows.size()) : 0;
  return {LabelWidth() + 320, 2 * kChartMargin + rows * kBarRowHeight};
}

int BacktestChart::LabelWidth() const {
  int widest = 0;
  if (model_) {
    for (const auto& row : model_->rows) widest = std::max(widest, fontMetrics().horizontalAdvance(RowLabel(row)));
  }
  return widest + 2 * kChartMargin;
}

int BacktestChart::HundredLineX() const {
  const int left = LabelWidth();
  const int span = std::max(1, width() - left - kChartMargin);
  const double max = model_ ? model_->chartMax : 100.0;
  return left + static_cast<int>(span * 100.0 / max);
}

QRect BacktestChart::BarRect(int row) const {
  if (!model_ || row < 0 || row >= static_cast<int>(model_->rows.size())) return {};
  const int left = LabelWidth();
  const int span = std::max(1, width() - left - kChartMargin);
  const double rate = model_->rows[row].recovery;
  const int length = static_cast<int>(span * rate / model_->chartMax);
  return {left, kChartMargin + row * kBarRowHeight + 2, length, kBarRowHeight - 4};
}

void BacktestChart::paintEvent(QPaintEvent*) {
  if (!model_) return;
  QPainter p(this);
  const int left = LabelWidth();
  for (int i = 0; i < static_cast<int>(model_->rows.size()); ++i) {
    const auto& row = model_->rows[i];
    const QRect text(kChartMargin, kChartMargin + i * kBarRowHeight, left - 2 * kChartMargin,
                     kBarRowHeight);
    p.setPen(palette().color(QPalette::Text));
    p.drawText(text, Qt::AlignRight | Qt::AlignVCenter, RowLabel(row));
    // Above 100 % a bar pays more than it cost.
    p.fillRect(BarRect(i), row.recovery >= 100 ? QColor(0xC0, 0x30, 0x30) : QColor(0x40, 0x70, 0xC0));
  }
  p.setPen(QPen(Qt::black, 1, Qt::DashLine));
  const int x = HundredLineX();
  p.drawLine(x, 0, x, height());
  p.drawText(x + 2, kChartMargin + fontMetrics().ascent(), "100%");
}

// ---- Result window ----

BacktestWindow::BacktestWindow(BacktestResult result, UserPort& port, std::string title,
                               QWidget* parent)
    : QWidget(parent, Qt::Window), result_(std::move(result)), port_(port), title_(std::move(title)) {
  setObjectName("BacktestWindow");
  setWindowTitle(ToQ(kBacktestCaption));
  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  days_ = new QComboBox(this);
  days_->setObjectName("ComboDay");
  for (const auto& choice : BacktestDayChoices(result_)) days_->addItem(ToQ(choice));
  summary_ = new QLabel(this);
  summary_->setObjectName("LbSummary");
  csv_ = new QPushButton(ToQ("CSV出力"), this);
  csv_->setObjectName("CmdCsv");
  top->addWidget(days_);
  top->addWidget(summary_, 1);
  top->addWidget(csv_);
  layout->addLayout(top);

  table_ = new QTableWidget(this);
  table_->setObjectName("TableGroups");
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->verticalHeader()->setVisible(false);
  table_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  table_->horizontalHeader()->setSortIndicatorShown(true);

  chart_ = new BacktestChart(this);
  auto* scroll = new QScrollArea(this);
  scroll->setWidget(chart_);
  scroll->setWidgetResizable(true);

  skipped_ = new QListWidget(this);
  skipped_->setObjectName("ListSkipped");

  auto* split = new QSplitter(Qt::Vertical, this);
  auto* across = new QSplitter(Qt::Horizontal, split);
  across->addWidget(table_);
  across->addWidget(scroll);
  across->setSizes({640, 360});
  split->addWidget(across);
  split->addWidget(skipped_);
  split->setStretchFactor(0, 4);
  split->setStretchFactor(1, 1);
  layout->addWidget(split, 1);
  resize(1000, 640);

  connect(days_, &QComboBox::currentIndexChanged, this, [this](int i) { ShowDay(i - 1); });
  connect(csv_, &QPushButton::clicked, this, [this] {
    const QString file = QFileDialog::getSaveFileName(this, ToQ("CSV出力"), ToQ("backtest.csv"),
                                                      "CSV (*.csv)");
    if (!file.isEmpty()) ExportCsv(std::filesystem::path(file.toStdString()));
  });
  ShowDay(-1);
}

void BacktestWindow::ShowDay(int day) {
  day_ = day;
  model_ = BuildBacktestWindowModel(result_, day);
  summary_->setText(ToQ(model_.summary));
  table_->setSortingEnabled(false);
  table_->clear();
  table_->setRowCount(static_cast<int>(model_.rows.size()));
  table_->setColumnCount(static_cast<int>(model_.columns.size()));
  QStringList headers;
  for (const auto& c : model_.columns) headers << ToQ(c);
  table_->setHorizontalHeaderLabels(headers);
  for (int i = 0; i < static_cast<int>(model_.rows.size()); ++i) {
    const auto& r = model_.rows[i];
    table_->setItem(i, 0, new SortItem(ToQ(r.group), i, false));
    table_->setItem(i, 1, new QTableWidgetItem(ToQ(r.pool)));
    const double numbers[] = {double(r.races), double(r.bets), double(r.hits), double(r.stake), double(r.ret)};
    for (int c = 0; c < 5; ++c) table_->setItem(i, 2 + c, NumberItem(numbers[c], 0));
    table_->setItem(i, 7, NumberItem(r.recovery, 1));
    table_->setItem(i, 8, NumberItem(r.hitRate, 1));
  }
  table_->setSortingEnabled(true);
  table_->sortItems(0, Qt::AscendingOrder);
  table_->resizeColumnsToContents();
  chart_->SetModel(&model_);
  chart_->setMinimumHeight(chart_->sizeHint().height());
  skipped_->clear();
  for (const auto& line : model_.skipped) skipped_->addItem(ToQ(line));
}

bool BacktestWindow::ExportCsv(const std::filesystem::path& file) {
  const std::string err = WriteBacktestCsv(result_, day_, file);
  if (!err.empty()) port_.Error(title_, err);
  return err.empty();
}

// ---- Dialog ----

void BacktestDialog::Progress::DayDone(const BacktestProgressInfo& i) {
  daysTotal = i.daysTotal;
  races = i.races;
  daysDone = i.daysDone;
}

BacktestDialog::BacktestDialog(Session& s, UserPort& port, QWidget* parent)
    : QDialog(parent), s_(s), port_(port) {
  setObjectName("BacktestDialog");
  setWindowTitle(ToQ(kBacktestCaption));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(ToQ("対象の日"), this));
  days_ = new QListWidget(this);
  days_->setObjectName("ListDays");
  layout->addWidget(days_, 1);
  add_ = new QPushButton(ToQ("ﾌｫﾙﾀﾞ追加..."), this);
  add_->setObjectName("CmdAdd");
  layout->addWidget(add_, 0, Qt::AlignLeft);
  bar_ = new QProgressBar(this);
  bar_->setObjectName("ProgressBar1");
  bar_->setVisible(false);
  layout->addWidget(bar_);
  status_ = new QLabel(this);
  status_->setObjectName("LbProgress");
  layout->addWidget(status_);
  DialogButtons buttons = MakeDialogButtons(this, "CmdStart", "CmdCancel", "開始");
  start_ = buttons.ok;
  cancel_ = buttons.cancel;
  layout->addWidget(buttons.box);
  resize(420, 360);

  for (const auto& folder : SavedDayFolders(s_.app.StoreRoot)) AddFolder(folder);

  connect(add_, &QPushButton::clicked, this, [this] {
    const QString dir = QFileDialog::getExistingDirectory(
        this, ToQ("ﾌｫﾙﾀﾞ追加"), QString::fromStdString(s_.app.StoreRoot.string()));
    if (!dir.isEmpty()) AddFolder(std::filesystem::path(dir.toStdString()));
  });
  connect(start_, &QPushButton::clicked, this, &BacktestDialog::Start);
  connect(cancel_, &QPushButton::clicked, this, &BacktestDialog::reject);
  poll_.setInterval(100);
  connect(&poll_, &QTimer::timeout, this, &BacktestDialog::Poll);
}

BacktestDialog::~BacktestDialog() {
  if (worker_.joinable()) {
    progress_.stop = true;
    worker_.join();
  }
}

void BacktestDialog::AddFolder(const std::filesystem::path& folder) {
  auto* item = new QListWidgetItem(QString::fromStdString(folder.filename().string()), days_);
  item->setData(Qt::UserRole, QString::fromStdString(folder.string()));
  item->setToolTip(QString::fromStdString(folder.string()));
  item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
  item->setCheckState(Qt::Checked);
}

void BacktestDialog::Start() {
  if (Running()) return;
  std::vector<std::filesystem::path> folders;
  for (int i = 0; i < days_->count(); ++i) {
    const QListWidgetItem* item = days_->item(i);
    if (item->checkState() == Qt::Checked) {
      folders.emplace_back(item->data(Qt::UserRole).toString().toStdString());
    }
  }
  if (folders.empty()) {
    port_.Error(s_.app.AppTitle, "対象の日が選ばれていません。");
    return;
  }
  start_->setEnabled(false);
  add_->setEnabled(false);
  days_->setEnabled(false);
  bar_->setRange(0, static_cast<int>(folders.size()));
  bar_->setValue(0);
  bar_->setVisible(true);
  progress_.stop = false;
  progress_.ended = false;
  progress_.daysTotal = static_cast<int>(folders.size());
  // The run has its own copy of the settings: each day gets a session of its own.
  worker_ = std::thread([this, folders, app = s_.app] {
    result_ = std::make_unique<BacktestResult>(RunBacktest(app, folders, 0, progress_));
    progress_.ended = true;
  });
  poll_.start();
}

void BacktestDialog::Poll() {
  bar_->setValue(progress_.daysDone);
  status_->setText(ToQ(std::to_string(progress_.daysDone) + " / " + std::to_string(progress_.daysTotal) +
                       "日  " + std::to_string(progress_.races) + "ﾚｰｽ"));
  if (progress_.ended) Finish();
}

void BacktestDialog::Finish() {
  poll_.stop();
  worker_.join();
  window_ = new BacktestWindow(std::move(*result_), port_, s_.app.AppTitle, parentWidget());
  window_->setAttribute(Qt::WA_DeleteOnClose);
  window_->show();
  emit finished(window_);
  accept();
}

void BacktestDialog::closeEvent(QCloseEvent* e) {
  if (Running()) {
    progress_.stop = true;
    e->ignore();
    return;
  }
  QDialog::closeEvent(e);
}

// ｷｬﾝｾﾙ during a run stops it after the days already running; the result of the days done
// is shown.
void BacktestDialog::reject() {
  if (Running()) {
    progress_.stop = true;
    cancel_->setEnabled(false);
    return;
  }
  QDialog::reject();
}

}  // namespace tz::ui
