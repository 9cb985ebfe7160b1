// "FHWARS成績変換": the modeless dialog that converts a saved FHWARS results log into results
// files (KS-) and can open the receiving folder as the loaded day afterwards.
#pragma once

#include "conversion_dialog.h"

namespace tz::ui {

class Fm98WarsK : public ConversionDialog {
  Q_OBJECT
 public:
  Fm98WarsK(Session& s, UserPort& port, QWidget* parent = nullptr);
  // The receiving folder as the picker chose it ("Lbdir").
  QLineEdit* Lbdir() const { return Folder(); }

 protected:
  // Closes after a conversion that met postings, opening the folder when Check1 is ticked.
  Outcome Convert(UserPort& progress, bool overwrite, bool openAfter) override;
};

}  // namespace tz::ui
