// Message boxes for everything the logic tells or asks the user; texts are shown as plain text,
// each "\n" a line break.
#pragma once

#include <QWidget>

#include "app/user_port.h"

namespace tz::ui {

class QtUserPort : public UserPort {
 public:
  explicit QtUserPort(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }
  void Error(std::string_view title, std::string_view text) override;
  void Info(std::string_view title, std::string_view text) override;
  void Warning(std::string_view title, std::string_view text) override;
  Answer Ask(std::string_view title, std::string_view text, Buttons buttons, Icon icon,
             Answer defaultAnswer) override;
  void ProcessPendingEvents() override;

 private:
  QWidget* parent_;
};

QString ToQ(std::string_view utf8);
std::string FromQ(const QString& s);

}  // namespace tz::ui
