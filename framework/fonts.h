#pragma once

#include <string>

namespace fw {

// Before the toolkit starts. Qt's FreeType engine keeps glyph metrics,
// and with them leaves the subpixel offset of the last glyph it drew set on
// the font face, where it moves every outline loaded after it: what a text
// draws would depend on what was drawn before. Without kept metrics, each
// layout loads its glyphs' metrics afresh, at offset zero.
void MakeTextDrawingRepeatable();

// The installed font families, in the platform's order.
int FontCount();
// Throws OutOfBoundsException for an index outside 0..FontCount()-1.
std::string Font(int index);

} // namespace fw
