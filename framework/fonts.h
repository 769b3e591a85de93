#pragma once

#include <string>

namespace fw {

// The installed font families, in the platform's order.
int FontCount();
// Throws OutOfBoundsException for an index outside 0..FontCount()-1.
std::string Font(int index);

} // namespace fw
