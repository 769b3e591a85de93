#include "raster/faces.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <map>
#include <utility>

namespace raster {
namespace {

// Hidden by the shaper when a face lacks them: they decide nothing.
bool Ignorable(char32_t code)
{
    return (code >= 0x200B && code <= 0x200F) || (code >= 0x2060 && code <= 0x2064) || (code >= 0xFE00 && code <= 0xFE0F)
        || (code >= 0xE0100 && code <= 0xE01EF) || (code >= 0x180B && code <= 0x180D);
}

bool WantsEmoji(std::u32string_view cluster)
{
    bool pictograph = false;
    bool joined = false;
    for (const char32_t code : cluster) {
        if (code == 0xFE0F || code == 0x20E3 || (code >= 0x1F3FB && code <= 0x1F3FF)
            || (code >= 0x1F1E6 && code <= 0x1F1FF))
            return true;
        pictograph |= code >= 0x1F000;
        joined |= code == 0x200D;
    }
    return pictograph && joined;
}

struct BlobDeleter {
    void operator()(hb_blob_t *blob) const { hb_blob_destroy(blob); }
};
struct HbFaceDeleter {
    void operator()(hb_face_t *face) const { hb_face_destroy(face); }
};

} // namespace

int Face::StrikeFor(int pixelSize) const
{
    if (strikes.empty())
        return -1;
    int chosen = strikes.front();
    for (const int strike : strikes) {
        if (strike <= pixelSize)
            chosen = strike;
    }
    return chosen;
}

Face &FaceOf(const std::string &file, int index)
{
    // The library first, so that it outlives the faces made with it.
    FT_Library library = Library();
    static std::map<std::pair<std::string, int>, std::unique_ptr<Face>> faces;
    std::unique_ptr<Face> &kept = faces[{file, index}];
    if (kept)
        return *kept;
    auto face = std::make_unique<Face>();
    face->file = file;
    face->index = index;
    FT_Face opened = nullptr;
    Check(FT_New_Face(library, file.c_str(), index, &opened), "FT_New_Face(" + file + ")");
    face->ft.reset(opened);
    const std::unique_ptr<hb_blob_t, BlobDeleter> blob(hb_blob_create_from_file_or_fail(file.c_str()));
    if (!blob)
        throw RasterError("HarfBuzz cannot read " + file);
    const std::unique_ptr<hb_face_t, HbFaceDeleter> shaped(hb_face_create(blob.get(), static_cast<unsigned>(index)));
    // A face HarfBuzz cannot read (Type 1, PCF, BDF) would shape every
    // character as its missing glyph: it is passed over for the next.
    if (hb_face_get_glyph_count(shaped.get()) == 0)
        throw RasterError("HarfBuzz cannot shape with " + file);
    face->shaper.reset(hb_font_create(shaped.get()), hb_font_destroy);
    face->unitsPerEm = hb_face_get_upem(shaped.get());
    face->outlines = FT_IS_SCALABLE(opened);
    face->colour = FT_HAS_COLOR(opened);
    for (int i = 0; i < opened->num_fixed_sizes; ++i)
        face->strikes.push_back(static_cast<int>((opened->available_sizes[i].y_ppem + 32) / 64));
    std::sort(face->strikes.begin(), face->strikes.end());
    kept = std::move(face);
    return *kept;
}

struct FaceList::Candidate {
    FcPattern *pattern = nullptr; // owned by the sorted set
    bool colour = false;
    bool failed = false;
    std::unique_ptr<StyledFace> styled;

    bool HasChar(char32_t code) const
    {
        FcCharSet *charset = nullptr;
        return FcPatternGetCharSet(pattern, FC_CHARSET, 0, &charset) == FcResultMatch
            && FcCharSetHasChar(charset, code);
    }
    bool HoldsAll(std::u32string_view cluster) const
    {
        return std::all_of(
            cluster.begin(), cluster.end(), [this](char32_t code) { return Ignorable(code) || HasChar(code); });
    }
};

namespace {

struct PatternDeleter {
    void operator()(FcPattern *pattern) const { FcPatternDestroy(pattern); }
};

FcFontSet *SortedFaces(const std::string &family, bool bold, bool italic)
{
    const std::unique_ptr<FcPattern, PatternDeleter> pattern(FcPatternCreate());
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8 *>(family.c_str()));
    FcPatternAddInteger(pattern.get(), FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern.get(), FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    return FcFontSort(nullptr, pattern.get(), FcTrue, nullptr, &result);
}

} // namespace

FaceList::FaceList(const std::string &family, bool bold, bool italic)
    : bold_(bold)
    , italic_(italic)
{
    FcFontSet *sorted = SortedFaces(family, bold, italic);
    if (!sorted)
        return;
    sorted_.reset(sorted);
    for (int i = 0; i < sorted->nfont; ++i) {
        Candidate candidate;
        candidate.pattern = sorted->fonts[i];
        FcBool colour = FcFalse;
        candidate.colour = FcPatternGetBool(candidate.pattern, FC_COLOR, 0, &colour) == FcResultMatch && colour;
        candidates_.push_back(std::move(candidate));
    }
    for (Candidate &candidate : candidates_) {
        if (const StyledFace *loaded = Loaded(candidate)) {
            primary_ = loaded;
            break;
        }
    }
}

FaceList::~FaceList() = default;

void FaceList::SetDeleter::operator()(FcFontSet *set) const
{
    FcFontSetDestroy(set);
}

const StyledFace *FaceList::Loaded(Candidate &candidate)
{
    if (candidate.styled || candidate.failed)
        return candidate.styled.get();
    FcChar8 *file = nullptr;
    int index = 0;
    int weight = FC_WEIGHT_REGULAR;
    int slant = FC_SLANT_ROMAN;
    FcPatternGetInteger(candidate.pattern, FC_INDEX, 0, &index);
    FcPatternGetInteger(candidate.pattern, FC_WEIGHT, 0, &weight);
    FcPatternGetInteger(candidate.pattern, FC_SLANT, 0, &slant);
    if (FcPatternGetString(candidate.pattern, FC_FILE, 0, &file) != FcResultMatch) {
        candidate.failed = true;
        return nullptr;
    }
    try {
        Face &face = FaceOf(reinterpret_cast<const char *>(file), index);
        // Bitmaps are widened for bold where drawn; colour is left as it is.
        candidate.styled = std::make_unique<StyledFace>(StyledFace{&face,
            bold_ && weight < FC_WEIGHT_DEMIBOLD && !face.colour, italic_ && slant == FC_SLANT_ROMAN && face.outlines});
    } catch (const RasterError &) {
        // A file fontconfig lists but no library can read is passed over.
        candidate.failed = true;
    }
    return candidate.styled.get();
}

const StyledFace &FaceList::For(std::u32string_view cluster)
{
    if (cluster.empty() || primary_ == &none_)
        return *primary_;
    if (primary_->face->Has(cluster.front()) && !WantsEmoji(cluster)
        && std::all_of(cluster.begin(), cluster.end(),
            [this](char32_t code) { return Ignorable(code) || primary_->face->Has(code); }))
        return *primary_;
    const auto first = [&](auto &&fits) -> const StyledFace * {
        for (Candidate &candidate : candidates_) {
            if (fits(candidate)) {
                if (const StyledFace *loaded = Loaded(candidate))
                    return loaded;
            }
        }
        return nullptr;
    };
    if (const auto kept = chosen_.find(cluster); kept != chosen_.end())
        return *kept->second;
    const StyledFace *chosen = nullptr;
    if (WantsEmoji(cluster))
        chosen = first([&](const Candidate &c) { return c.colour && c.HasChar(cluster.front()); });
    if (!chosen)
        chosen = first([&](const Candidate &c) { return c.HoldsAll(cluster); });
    if (!chosen)
        chosen = first([&](const Candidate &c) { return c.HasChar(cluster.front()); });
    if (!chosen)
        chosen = primary_;
    // Any text may come: what is kept stays bounded.
    constexpr std::size_t kMostKept = 4096;
    if (chosen_.size() >= kMostKept)
        chosen_.clear();
    chosen_.emplace(cluster, chosen);
    return *chosen;
}

} // namespace raster
