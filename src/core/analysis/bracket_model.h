#pragma once

namespace tz {

// Filled in as the subsystem is built.
struct BracketViewModel {};

}  // namespace tz
