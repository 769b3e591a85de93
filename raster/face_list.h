#pragma once

#include "raster/faces.h"
#include "raster/lru_cache.h"

typedef struct _FcFontSet FcFontSet;

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace raster {

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
