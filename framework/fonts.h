#pragma once

#include <string>
#include <vector>

namespace fw {

// The installed font families, in the platform's order.
int FontCount();
// Throws OutOfBoundsException for an index outside 0..FontCount()-1.
std::string Font(int index);

// Makes FontCount and Font list these families instead of the installed ones,
// as a system with other fonts would; for tests. Drawing is unaffected.
void OverrideFontFamilies(std::vector<std::string> families);
void RestoreFontFamilies();

} // namespace fw
