// Qt's own texts in Japanese: the buttons of the message boxes (はい, いいえ, キャンセル, which
// the program's messages name), the file and colour choosers.
#pragma once

#include <QCoreApplication>

namespace tz::ui {

// Loads qtbase_ja from Qt's translations folder and installs it in `app`; false when the
// translation is not there (Qt's texts then stay in English).
bool InstallQtTranslations(QCoreApplication& app);

}  // namespace tz::ui
