#include "app/app_state.h"

#include "text/strings.h"

namespace tz {

bool AppState::ShowsPat98Folder() const {
  return text::EqualsNoCase(DataFolder.lexically_normal().string(),
                            Pat98Folder.lexically_normal().string());
}

}  // namespace tz
