// What the check-list window shows.
#pragma once

namespace tz {

struct CheckListWindowModel {};

}  // namespace tz
