// What the recommended-longshot list and the predicted-values list show.
#pragma once

namespace tz {

struct LongshotListModel {};
struct PredictedValuesListModel {};

}  // namespace tz
