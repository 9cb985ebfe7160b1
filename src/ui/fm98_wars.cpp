#include "fm98_wars.h"

#include "fhwars/odds_log.h"

namespace tz::ui {

Fm98Wars::Fm98Wars(Session& s, UserPort& port, QWidget* parent)
    : ConversionDialog(s, port,
                       {"Fm98Wars", kWarsOddsCaption, &Settings::Txtfile, "ｵｯｽﾞﾌｧｲﾙ名",
                        "擬似ｵｯｽﾞﾌｧｲﾙ格納ﾌｫﾙﾀﾞ", "LbDir", FolderPurpose::WarsOdds,
                        ProgressBarPort::WithoutTotal::Hide, true, kWarsOddsHelpCaption,
                        WarsOddsHelpText()},
                       parent) {}

ConversionDialog::Outcome Fm98Wars::Convert(UserPort& progress, bool overwrite, bool openAfter) {
  const WarsOddsRun run = RunWarsOddsConversion(s_.app, s_.wars, progress, overwrite, openAfter);
  return {run.closeDialog, run.loadFolder};
}

}  // namespace tz::ui
