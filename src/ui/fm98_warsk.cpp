#include "fm98_warsk.h"

#include "fhwars/results_log.h"

namespace tz::ui {

Fm98WarsK::Fm98WarsK(Session& s, UserPort& port, QWidget* parent)
    : ConversionDialog(s, port,
                       {"Fm98WarsK", kWarsResultsTitle, &Settings::Tksfile, "成績ﾌｧｲﾙ名",
                        "擬似成績ﾌｧｲﾙ格納ﾌｫﾙﾀﾞ", "Lbdir", FolderPurpose::WarsResults,
                        ProgressBarPort::WithoutTotal::Zero, false, {}, {}},
                       parent) {}

ConversionDialog::Outcome Fm98WarsK::Convert(UserPort& progress, bool overwrite, bool openAfter) {
  const std::optional<int> count = RunResultsLogConversion(s_.app, s_.wars, progress, overwrite);
  const bool converted = count && *count > 0;
  return {converted, converted && openAfter};
}

}  // namespace tz::ui
