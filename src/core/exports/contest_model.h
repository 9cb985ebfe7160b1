// What the contest entry windows show.
#pragma once

namespace tz {

struct ContestModel {};

}  // namespace tz
