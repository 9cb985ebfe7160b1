// "FHWARSｵｯｽﾞ変換": the modeless dialog that converts a saved FHWARS odds log into race-card,
// odds and quinella/wide files and can open the receiving folder as the loaded day afterwards.
#pragma once

#include "conversion_dialog.h"

namespace tz::ui {

class Fm98Wars : public ConversionDialog {
  Q_OBJECT
 public:
  Fm98Wars(Session& s, UserPort& port, QWidget* parent = nullptr);
  // The receiving folder, typed or picked ("LbDir").
  QLineEdit* LbDir() const { return Folder(); }

 protected:
  // Closes after a conversion of at least one posting, opening the folder when Check1 is ticked.
  Outcome Convert(UserPort& progress, bool overwrite, bool openAfter) override;
};

}  // namespace tz::ui
