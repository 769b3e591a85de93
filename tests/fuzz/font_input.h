#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// What the font fuzzer does with an input, and what the tests of its
// findings do again: the input is a font file whose last four bytes choose
// a render's settings (size 1 to 256, texture 256 or 2048, bold, italic,
// distance field, single or multi-channel, a cell text of some script or
// an emoji). The font is the
// only one fontconfig knows; the engine the program uses draws the grid
// with it and measures the widths, then the BMFont numbers, what an engine
// will draw wrong and both formats are made. Gives what did not hold, empty
// when all did: 100 finite widths, a texture of the size asked, every BMFont
// rectangle inside the texture and inside its cell's square, XML that reads
// back whole.
std::string DrawFontInput(const std::uint8_t *data, std::size_t size);
