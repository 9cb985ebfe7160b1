// The auxiliary windows of a race: prediction window (予想), bracket view (枠連), bet window
// (勝馬投票) with its amount dialog (金額指定). Each renders its window model and forwards its
// commands to the core; positions are remembered in the settings in twips.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QToolButton>
#include <QWidget>

#include "app/user_port.h"
#include "odds_area.h"
#include "session.h"

namespace tz::ui {

// A fixed-pitch font with Japanese glyphs of its own, so that lines mixing kanji, kana and
// digits stay in their columns (a plain fixed font borrows the Japanese glyphs from others).
QFont JapaneseFixedFont();

// Window positions of the settings (Win1..Win7, twips).
void PlaceWindow(QWidget* w, const AppState& app, int index);
// Stores the window's position unless it is minimised; a top beyond the screen height and a
// left beyond the screen width are replaced by the given defaults.
void RememberWindow(const QWidget* w, AppState& app, int index, double defaultTop,
                    double defaultLeft);

// 予想: rows in popularity order with the identity columns, the five ranks and the marks.
class Fm98Hyo : public QWidget {
  Q_OBJECT
 public:
  Fm98Hyo(Session& s, QWidget* parent);
  void Render();
  OddsArea* Grid() const { return grid_; }
  bool Narrow() const { return narrow_; }

 protected:
  void closeEvent(QCloseEvent* e) override;

 private:
  Session& s_;
  OddsArea* grid_;
  bool narrow_ = false;
};

// The share graph page of the bracket view.
class ShareGraph : public QWidget {
  Q_OBJECT
 public:
  ShareGraph(const Session& s, QWidget* parent);
  // The numbers under the bars: each bracket number and the horse numbers of its first three
  // stacked runners, with the rectangle each is drawn in.
  struct Label {
    QString text;
    QRect rect;
  };
  std::vector<Label> Labels() const;
  static constexpr int kHorseLabels = 3;

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  int LabelHeight() const;
  const Session& s_;
};

// 枠連: matrix page "通常", sorted list "ｿｰﾄ", share graph "ｼｪｱ".
class Fm98Waku : public QWidget {
  Q_OBJECT
 public:
  Fm98Waku(Session& s, QWidget* parent);
  void Render();
  void ShowPage(int page);
  int Page() const;
  OddsArea* Matrix() const { return matrix_; }
  OddsArea* List() const { return list_; }
  ShareGraph* Graph() const { return graph_; }
  QToolButton* PageButton(int page) const { return pageButtons_[page]; }
  QToolButton* ClearButton() const { return clear_; }

 signals:
  void marksChanged();

 protected:
  void closeEvent(QCloseEvent* e) override;

 private:
  Session& s_;
  QStackedWidget* pages_;
  OddsArea* matrix_;
  OddsArea* list_;
  ShareGraph* graph_;
  QToolButton* pageButtons_[3];
  QToolButton* clear_;
};

// 金額指定: the three amounts of the allocation modes.
class Fm98Kin : public QDialog {
  Q_OBJECT
 public:
  Fm98Kin(Session& s, QWidget* parent);
  QLineEdit* Field(int k) const { return fields_[k]; }

 private:
  Session& s_;
  QLineEdit* fields_[3];
};

// 勝馬投票: the editable bet list, the allocation modes and the send command.
class Fm98Bet : public QWidget {
  Q_OBJECT
 public:
  Fm98Bet(Session& s, UserPort& port, QWidget* parent);
  void Render();
  QPlainTextEdit* Textbet() const { return text_; }
  QLabel* Label1() const { return label_; }
  // Stake safety: 合成オッズ, the book percentages of the race, the ﾄﾘｶﾞﾐ warning.
  QLabel* CombinedOddsLabel() const { return combined_; }
  QLabel* BookLabel() const { return book_; }
  QLabel* TorigamiLabel() const { return torigami_; }
  QToolButton* AmountButton() const { return amount_; }
  QToolButton* SendButton() const { return send_; }
  // Drop-down of "金額": 1 均等配分, 2 均等利益, 3 目標利益, 4 金額指定.
  void AmountMenu(int item);
  void Send();

 protected:
  void closeEvent(QCloseEvent* e) override;

 private:
  void TakeText();
  void RenderSafety();
  Session& s_;
  UserPort& port_;
  QPlainTextEdit* text_;
  QLabel* label_;
  QLabel* combined_;
  QLabel* book_;
  QLabel* torigami_;
  QToolButton* amount_;
  QToolButton* send_;
};

}  // namespace tz::ui
