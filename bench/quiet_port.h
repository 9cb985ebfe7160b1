// A user port for the benchmarks: it answers every question with its default and counts the
// errors and warnings instead of showing them.
#pragma once

#include <string_view>

#include "app/user_port.h"

namespace tz::bench {

class QuietPort : public UserPort {
 public:
  int errors = 0;
  void Error(std::string_view, std::string_view) override { ++errors; }
  void Info(std::string_view, std::string_view) override {}
  void Warning(std::string_view, std::string_view) override { ++errors; }
  Answer Ask(std::string_view, std::string_view, Buttons, Icon, Answer defaultAnswer) override {
    return defaultAnswer;
  }
};

}  // namespace tz::bench
