// --base of the commands that analyse races: an earlier snapshot of the day as the base odds.
#include "commands.h"
#include "session.h"
#include "snapshot/base_snapshot.h"

namespace tz::cli {

bool UseBaseFolder(Session& s, UserPort& port, const std::string& folder) {
  if (folder.empty()) {
    UseJrdbBase(s);
    return true;
  }
  return ChooseBaseSnapshot(s, port, folder);
}

}  // namespace tz::cli
