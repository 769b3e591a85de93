// The faces of a style, nearest first, and the face each cluster is drawn
// with.
#include "raster/face_list.h"

#include "raster/installed_fonts.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <utility>

namespace raster {
namespace {

// Hidden by the shaper when a face lacks them: they decide nothing.
bool Ignorable(char32_t code)
{
    return (code >= 0x200B && code <= 0x200F) || (code >= 0x2060 && code <= 0x2064)
        || (code >= 0xFE00 && code <= 0xFE0F) || (code >= 0xE0100 && code <= 0xE01EF)
        || (code >= 0x180B && code <= 0x180D);
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

} // namespace

struct FaceList::Candidate {
    FcPattern *pattern = nullptr; // owned by the sorted set
    bool colour = false;
    bool failed = false;
    std::string failure; // why it could not be read
    std::string file;
    std::optional<FileStamp> failedOn; // how its file stood when it failed
    std::unique_ptr<StyledFace> styled;

    std::string Family(int i) const
    {
        FcChar8 *name = nullptr;
        return FcPatternGetString(pattern, FC_FAMILY, i, &name) == FcResultMatch && name
            ? reinterpret_cast<const char *>(name)
            : std::string();
    }
    bool Of(const std::string &family) const
    {
        for (int i = 0;; ++i) {
            const std::string name = Family(i);
            if (name.empty())
                return false;
            if (SameFamilyName(name, family))
                return true;
        }
    }

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

using PatternPointer = std::unique_ptr<FcPattern, PatternDeleter>;

PatternPointer Asked(const std::string &family, bool bold, bool italic)
{
    PatternPointer pattern(FcPatternCreate());
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8 *>(family.c_str()));
    FcPatternAddInteger(pattern.get(), FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern.get(), FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    return pattern;
}

// Every face of the family, the nearest to the style first. fontconfig's
// sorted list leaves out a face that adds no characters to one before it,
// such as the OpenType twin of a Type 1 face, which may be the one that can
// be read.
FcFontSet *OwnFaces(const std::string &family, const FcPattern &asked)
{
    const PatternPointer named(FcPatternCreate());
    FcPatternAddString(named.get(), FC_FAMILY, reinterpret_cast<const FcChar8 *>(family.c_str()));
    const std::unique_ptr<FcObjectSet, void (*)(FcObjectSet *)> properties(
        FcObjectSetBuild(FC_FAMILY, FC_STYLE, FC_FILE, FC_INDEX, FC_WEIGHT, FC_SLANT, FC_WIDTH, FC_CHARSET, FC_COLOR,
            FC_SCALABLE, FC_FONTFORMAT, FC_VARIABLE, FC_LANG, FC_SPACING, nullptr),
        FcObjectSetDestroy);
    const std::unique_ptr<FcFontSet, void (*)(FcFontSet *)> listed(
        FcFontList(nullptr, named.get(), properties.get()), FcFontSetDestroy);
    if (!listed)
        return nullptr;
    FcFontSet *sets[] = {listed.get()};
    FcResult result = FcResultNoMatch;
    return FcFontSetSort(nullptr, sets, 1, const_cast<FcPattern *>(&asked), FcFalse, nullptr, &result);
}

} // namespace

FaceList::FaceList(FaceSource &source, const std::string &family, bool bold, bool italic)
    : source_(source)
    , bold_(bold)
    , italic_(italic)
    , chosen_(source.Cache())
{
    const PatternPointer asked = Asked(family, bold, italic);
    FcResult result = FcResultNoMatch;
    for (FcFontSet *set : {OwnFaces(family, *asked), FcFontSort(nullptr, asked.get(), FcTrue, nullptr, &result)}) {
        if (!set)
            continue;
        sets_.emplace_back(set);
        for (int i = 0; i < set->nfont; ++i) {
            Candidate candidate;
            candidate.pattern = set->fonts[i];
            FcBool colour = FcFalse;
            candidate.colour = FcPatternGetBool(candidate.pattern, FC_COLOR, 0, &colour) == FcResultMatch && colour;
            candidates_.push_back(std::move(candidate));
        }
    }
    // The family's own face for the style, the first that can be read;
    // without one, the next face that can, and why the family's could not.
    std::vector<std::string> unreadable;
    for (Candidate &candidate : candidates_) {
        if (!candidate.Of(family))
            continue;
        installed_ = true;
        if (const StyledFace *loaded = Loaded(candidate)) {
            primary_ = loaded;
            drawnFamily_ = family;
            return;
        }
        unreadable.push_back(candidate.failure);
    }
    for (Candidate &candidate : candidates_) {
        if (const StyledFace *loaded = installed_ ? Loaded(candidate) : nullptr) {
            primary_ = loaded;
            drawnFamily_ = candidate.Family(0);
            break;
        }
    }
    // Each file once: fontconfig lists it in both sets.
    for (const std::string &line : unreadable) {
        if (std::find(unreadable_.begin(), unreadable_.end(), line) == unreadable_.end())
            unreadable_.push_back(line);
    }
}

bool FaceList::FilesChanged() const
{
    // A file that could not be read may be one now.
    return std::any_of(candidates_.begin(), candidates_.end(), [](const Candidate &candidate) {
        return candidate.styled ? candidate.styled->face->FileChanged()
                                : candidate.failed && StampOf(candidate.file) != candidate.failedOn;
    });
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
    // A variable face's weight is a range: its axis makes the weight.
    double weight = FC_WEIGHT_REGULAR;
    int slant = FC_SLANT_ROMAN;
    FcPatternGetInteger(candidate.pattern, FC_INDEX, 0, &index);
    FcPatternGetDouble(candidate.pattern, FC_WEIGHT, 0, &weight);
    FcPatternGetInteger(candidate.pattern, FC_SLANT, 0, &slant);
    if (FcPatternGetString(candidate.pattern, FC_FILE, 0, &file) != FcResultMatch) {
        candidate.failed = true;
        candidate.failure = "fontconfig names no file for " + candidate.Family(0);
        return nullptr;
    }
    candidate.file = reinterpret_cast<const char *>(file);
    // As the file stood before it was read: one replaced meanwhile is tried again.
    const std::optional<FileStamp> before = StampOf(candidate.file);
    try {
        std::shared_ptr<Face> face = source_.FaceOf(candidate.file, index, bold_, italic_);
        // Bitmaps are widened for bold where drawn; colour is left as it is.
        // A face whose axes draw the style is not made bold or slanted.
        const bool emboldened = bold_ && weight < FC_WEIGHT_DEMIBOLD && !face->colour && !face->weightAxis;
        const bool slanted = italic_ && slant == FC_SLANT_ROMAN && face->outlines && !face->slantAxis;
        candidate.styled = std::make_unique<StyledFace>(StyledFace{std::move(face), emboldened, slanted});
    } catch (const RasterError &error) {
        // A file fontconfig lists but no library can read is passed over.
        candidate.failed = true;
        candidate.failure = error.what();
        candidate.failedOn = before;
    }
    return candidate.styled.get();
}

const StyledFace &FaceList::For(std::u32string_view cluster)
{
    if (cluster.empty() || primary_ == &none_)
        return *primary_;
    const auto holds = [cluster](const StyledFace &styled) {
        return std::all_of(cluster.begin(), cluster.end(),
            [&styled](char32_t code) { return Ignorable(code) || styled.face->Has(code); });
    };
    if (primary_->face->Has(cluster.front()) && !WantsEmoji(cluster) && holds(*primary_))
        return *primary_;
    if (const auto kept = chosen_.Find(cluster))
        return *kept->face;
    // The first candidate that fontconfig says fits and that draws it: a
    // face whose glyphs fail to load is passed over like one that lacks them.
    const auto first = [&](auto &&fits, auto &&draws) -> const StyledFace * {
        for (Candidate &candidate : candidates_) {
            if (fits(candidate)) {
                if (const StyledFace *loaded = Loaded(candidate); loaded && draws(*loaded))
                    return loaded;
            }
        }
        return nullptr;
    };
    const auto drawsFirst = [cluster](const StyledFace &styled) { return styled.face->Has(cluster.front()); };
    const StyledFace *chosen = nullptr;
    if (WantsEmoji(cluster))
        chosen = first([&](const Candidate &c) { return c.colour && c.HasChar(cluster.front()); }, drawsFirst);
    if (!chosen)
        chosen = first([&](const Candidate &c) { return c.HoldsAll(cluster); }, holds);
    if (!chosen)
        chosen = first([&](const Candidate &c) { return c.HasChar(cluster.front()); }, drawsFirst);
    if (!chosen)
        chosen = primary_;
    chosen_.Keep(std::u32string(cluster), std::make_shared<const Chosen>(Chosen{chosen}),
        sizeof(Chosen) + cluster.size() * sizeof(char32_t) + kEntryBytes);
    return *chosen;
}

} // namespace raster
