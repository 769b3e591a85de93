#pragma once

#include "raster/font_file.h"
#include "raster/freetype.h"
#include "raster/lru_cache.h"

#include <hb.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace raster {

// One font file's face, as FreeType draws it and HarfBuzz shapes it. Its
// FreeType size and transform are set completely by whoever draws with it.
struct Face {
    std::string file;
    int index = 0;
    FontFile read; // before the face that reads it, which goes first
    FacePointer ft;
    std::shared_ptr<hb_font_t> shaper; // at the face's own units: 1 unit, 1 position step
    unsigned unitsPerEm = 0;
    bool outlines = false; // scalable: drawn at any size
    bool colour = false; // colour bitmaps, drawn by their coverage and scaled
    std::vector<int> strikes; // the bitmap sizes, in pixels, smallest first
    // A variation font opened at no named instance: its axes draw the
    // style it is opened for.
    bool variable = false;
    bool weightAxis = false; // its weight comes from its wght axis
    bool slantAxis = false; // its slant comes from its ital or slnt axis

    // Whether the face draws the character: HarfBuzz, which shapes it, maps
    // it to a glyph (FreeType would invent a map for a face without one),
    // and FreeType can load that glyph.
    bool Has(char32_t code) const;
    // The strike drawn at a size: the largest at or below it, else the
    // smallest; -1 for a face with no strikes.
    int StrikeFor(int pixelSize) const;
    // Whether the file now holds other bytes than were read: replaced,
    // rewritten, grown or cut short. A file that is gone has not changed:
    // the face draws on from what was read.
    bool FileChanged() const;

private:
    bool Loads(unsigned glyph) const;
    // Per glyph: 0 not yet tried, 1 loads, 2 fails.
    mutable std::vector<std::uint8_t> loads_;
};

// The face of a font file read into memory, which the face keeps; throws
// RasterError naming the file when it cannot be read as a font. A variation
// font is opened at its regular style.
std::shared_ptr<Face> OpenFace(const FontFile &read, const std::string &file, int index);
// A variable face's bytes opened again at the style: its wght axis at 700
// for bold and 400 otherwise, its ital axis at 1 or its slnt axis as far as
// -12 degrees for italic and 0 otherwise, each within the axis's range.
std::shared_ptr<Face> FaceAt(const Face &variable, bool bold, bool italic);

// Where faces come from: opened once and kept while they are used.
class FaceSource {
public:
    virtual ~FaceSource() = default;
    // The face for a style: a variable face at its axes for it, any other
    // as it is. Throws RasterError when the file cannot be read as a font.
    virtual std::shared_ptr<Face> FaceOf(const std::string &file, int index, bool bold, bool italic) = 0;
    // Where what is found for speed is kept.
    virtual LruCache &Cache() = 0;
};

// A face as one style of a family uses it: emboldened or slanted by the
// program where the family has no such face of its own.
struct StyledFace {
    std::shared_ptr<Face> face;
    bool emboldened = false;
    bool slanted = false;
};

} // namespace raster
