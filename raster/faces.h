#pragma once

#include "raster/font_file.h"
#include "raster/freetype.h"
#include "raster/lru_cache.h"

#include <hb.h>

typedef struct _FcFontSet FcFontSet;

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
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

// The faces that draw a family in a style, as fontconfig finds them: the
// family's own face for the style first, then, for characters it lacks, the
// faces of fontconfig's sorted list. A family fontconfig does not have draws
// nothing; one whose own files cannot be read draws with the next face that
// can, and says which it is.
class FaceList {
public:
    FaceList(FaceSource &source, const std::string &family, bool bold, bool italic);
    ~FaceList();
    FaceList(const FaceList &) = delete;
    FaceList &operator=(const FaceList &) = delete;

    // The family's own face; one without a face when fontconfig has no face
    // of the family, or none that can be read.
    const StyledFace &Primary() const { return *primary_; }
    // Whether fontconfig has a face of the family, readable or not.
    bool Installed() const { return installed_; }
    // The family of the face drawn, as fontconfig names it: another than
    // asked where the family's own files cannot be read; empty for none.
    const std::string &DrawnFamily() const { return drawnFamily_; }
    // Where none of the family's own faces could be read: why, a line each.
    const std::vector<std::string> &Unreadable() const { return unreadable_; }
    // Whether the file of a face read so far holds other bytes now.
    bool FilesChanged() const;
    // The face for a cluster of code points: a colour face for one that
    // asks to be an emoji (a variation selector 16, a keycap, a joiner
    // between pictographs), else the first face holding all of it, else the
    // first holding its first code point, else the primary face.
    const StyledFace &For(std::u32string_view cluster);

private:
    struct Candidate;
    const StyledFace *Loaded(Candidate &candidate);

    struct SetDeleter {
        void operator()(FcFontSet *set) const;
    };
    FaceSource &source_;
    std::vector<std::unique_ptr<FcFontSet, SetDeleter>> sets_;
    bool bold_;
    bool italic_;
    bool installed_ = false;
    std::string drawnFamily_;
    std::vector<std::string> unreadable_;
    StyledFace none_;
    const StyledFace *primary_ = &none_; // one of the candidates' once found
    std::vector<Candidate> candidates_;
    // The face found for each cluster.
    struct Chosen {
        const StyledFace *face;
    };
    Cached<std::u32string, const Chosen> chosen_;
};

} // namespace raster
