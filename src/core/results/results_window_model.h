// What the results window and the day's results list show.
#pragma once

namespace tz {

struct ResultsWindowModel {};
struct ResultsListModel {};

}  // namespace tz
