#pragma once
// The one real type of the system: every coordinate, length, angle and variable value is an
// 80-bit extended real.

#include <limits>

namespace trazel {

using Reel = long double;
static_assert(std::numeric_limits<Reel>::digits == 64, "Reel must be the x87 80-bit extended real");

} // namespace trazel
