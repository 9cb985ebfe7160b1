#include "program_icon.h"

#include <QDir>

namespace tz::ui {

QIcon ProgramIcon() {
  QIcon icon;
  // Every size the build put into the resources; each file tells its own size.
  const QDir icons(":/icons");
  for (const QString& name : icons.entryList({"tazuna98-*.png"}, QDir::Files)) {
    icon.addFile(icons.filePath(name));
  }
  return icon;
}

}  // namespace tz::ui
