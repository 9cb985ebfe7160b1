// What the share-graph window draws.
#pragma once

namespace tz {

struct ShareGraphModel {};

}  // namespace tz
