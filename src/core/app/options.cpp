#include "app/options.h"

#include <cmath>
#include <limits>

#include "app/user_port.h"
#include "betting/bank_link.h"
#include "session.h"
#include "text/numbers.h"

namespace tz {

OptionsDialogValues FillOptions(const Settings& settings) {
  OptionsDialogValues v;
  for (const OptionBox& box : kOptionBoxes) {
    if (box.Setting) v.Check[box.Index] = settings.*box.Setting;
  }
  v.YosoMode = settings.YosoMode == 1 || settings.YosoMode == 2 ? settings.YosoMode : 0;
  return v;
}

void ApplyOptions(Session& s, const OptionsDialogValues& values) {
  Settings& set = s.app.settings;
  for (const OptionBox& box : kOptionBoxes) {
    if (box.Setting) set.*box.Setting = values.Check[box.Index] != 0 ? 1 : 0;
  }
  ApplyBankLinkOption(s.app, s.race, set.BankLink);
  set.YosoMode = values.YosoMode;
}

std::array<std::string, 6> FillRangeDialog(const Settings& settings) {
  std::array<std::string, 6> texts;
  for (int i = 0; i < 6; ++i) texts[i] = std::to_string(settings.OddsRanges[i]);
  return texts;
}

std::optional<std::array<std::int32_t, 6>> ParseRanges(const std::array<std::string, 6>& texts) {
  std::array<double, 6> v{};
  for (int i = 0; i < 6; ++i) {
    v[i] = std::floor(text::Val(texts[i]));
    // A limit the settings cannot hold (or a number too long to be one) is refused rather
    // than stored wrapped or cut.
    if (!std::isfinite(v[i]) || v[i] > std::numeric_limits<std::int32_t>::max()) {
      return std::nullopt;
    }
  }
  if (!(v[0] > 100)) return std::nullopt;
  for (int i = 0; i < 6; ++i) {
    for (int j = i + 1; j < 6; ++j) {
      if (v[i] >= v[j]) return std::nullopt;
    }
  }
  std::array<std::int32_t, 6> out{};
  for (int i = 0; i < 6; ++i) out[i] = static_cast<std::int32_t>(v[i]);
  return out;
}

bool AcceptRanges(Session& s, UserPort& port, const std::array<std::string, 6>& texts) {
  auto ranges = ParseRanges(texts);
  if (!ranges) {
    port.Error(s.app.AppTitle, kRangeInputError);
    return false;
  }
  s.app.settings.OddsRanges = *ranges;
  return true;
}

}  // namespace tz
