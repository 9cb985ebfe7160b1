// 回収率ﾊﾞｯｸﾃｽﾄ: the dialog that chooses the saved days and runs the backtest with a progress bar
// and a stop button, and the window of its result: the table of groups (sortable by every
// column), the bar chart of 回収率 with the 100 % line, the skipped races and the CSV export.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QWidget>
#include <atomic>
#include <filesystem>
#include <memory>
#include <thread>

#include "app/user_port.h"
#include "backtest/backtest.h"
#include "backtest/backtest_model.h"
#include "session.h"

namespace tz::ui {

// Horizontal bars of 回収率, one per table row, with the 100 % line drawn across them.
class BacktestChart : public QWidget {
  Q_OBJECT
 public:
  explicit BacktestChart(QWidget* parent = nullptr);
  void SetModel(const BacktestWindowModel* model);
  QSize sizeHint() const override;
  // Where the 100 % line is drawn, in widget coordinates; and the bar of row i.
  int HundredLineX() const;
  QRect BarRect(int row) const;

 protected:
  void paintEvent(QPaintEvent* e) override;

 private:
  int LabelWidth() const;
  const BacktestWindowModel* model_ = nullptr;
};

class BacktestWindow : public QWidget {
  Q_OBJECT
 public:
  BacktestWindow(BacktestResult result, UserPort& port, std::string title, QWidget* parent);
  const BacktestWindowModel& Model() const { return model_; }
  const BacktestResult& Result() const { return result_; }
  QTableWidget* Table() const { return table_; }
  BacktestChart* Chart() const { return chart_; }
  QListWidget* Skipped() const { return skipped_; }
  QPushButton* CsvButton() const { return csv_; }
  QComboBox* DayChoice() const { return days_; }
  // The whole run (-1) or one of its days (an index into the result's days).
  void ShowDay(int day);
  // Writes the CSV file of what is shown; errors go to the port. Returns whether it was written.
  bool ExportCsv(const std::filesystem::path& file);

 private:
  BacktestResult result_;
  BacktestWindowModel model_;
  UserPort& port_;
  std::string title_;
  int day_ = -1;
  QComboBox* days_;
  QLabel* summary_;
  QTableWidget* table_;
  BacktestChart* chart_;
  QListWidget* skipped_;
  QPushButton* csv_;
};

class BacktestDialog : public QDialog {
  Q_OBJECT
 public:
  BacktestDialog(Session& s, UserPort& port, QWidget* parent);
  ~BacktestDialog() override;
  QListWidget* Days() const { return days_; }
  QPushButton* StartButton() const { return start_; }
  QPushButton* CancelButton() const { return cancel_; }
  QPushButton* AddButton() const { return add_; }
  QProgressBar* Bar() const { return bar_; }
  // A folder added to the list, ticked.
  void AddFolder(const std::filesystem::path& folder);
  // Runs the ticked days in the background; the result window opens when it ends.
  void Start();
  bool Running() const { return worker_.joinable(); }
  // The window of the last run, once it ended.
  BacktestWindow* ResultWindow() const { return window_; }

 signals:
  void finished(BacktestWindow* window);

 protected:
  void closeEvent(QCloseEvent* e) override;
  void reject() override;

 private:
  // What the run tells the window, read by a timer on the window's thread.
  class Progress : public BacktestProgress {
   public:
    std::atomic<int> daysDone{0}, daysTotal{0}, races{0};
    std::atomic<bool> stop{false}, ended{false};
    void DayDone(const BacktestProgressInfo& i) override;
    bool Cancelled() override { return stop.load(); }
  };
  void Poll();
  void Finish();

  Session& s_;
  UserPort& port_;
  QListWidget* days_;
  QPushButton* add_;
  QPushButton* start_;
  QPushButton* cancel_;
  QProgressBar* bar_;
  QLabel* status_;
  QTimer poll_;
  Progress progress_;
  std::unique_ptr<BacktestResult> result_;
  std::thread worker_;
  BacktestWindow* window_ = nullptr;
};

}  // namespace tz::ui
