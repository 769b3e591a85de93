#include "raster/installed_fonts.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cctype>
#include <memory>

namespace raster {
namespace {

struct PatternDeleter {
    void operator()(FcPattern *pattern) const { FcPatternDestroy(pattern); }
};
struct ObjectSetDeleter {
    void operator()(FcObjectSet *set) const { FcObjectSetDestroy(set); }
};
struct FontSetDeleter {
    void operator()(FcFontSet *set) const { FcFontSetDestroy(set); }
};

std::string FirstFamily(const FcPattern *pattern)
{
    FcChar8 *family = nullptr;
    if (FcPatternGetString(pattern, FC_FAMILY, 0, &family) != FcResultMatch || !family)
        return {};
    return reinterpret_cast<const char *>(family);
}

std::string Folded(std::string_view name)
{
    std::string folded;
    for (const char c : name) {
        if (c != ' ')
            folded += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return folded;
}

} // namespace

std::vector<std::string> InstalledFamilies()
{
    const std::unique_ptr<FcPattern, PatternDeleter> all(FcPatternCreate());
    const std::unique_ptr<FcObjectSet, ObjectSetDeleter> family(FcObjectSetBuild(FC_FAMILY, nullptr));
    const std::unique_ptr<FcFontSet, FontSetDeleter> fonts(FcFontList(nullptr, all.get(), family.get()));
    std::vector<std::string> families;
    for (int i = 0; fonts && i < fonts->nfont; ++i) {
        if (std::string name = FirstFamily(fonts->fonts[i]); !name.empty())
            families.push_back(std::move(name));
    }
    // Faces of one family by several foundries, or in several formats, are
    // one family to fontconfig, which finds it by name alone.
    const auto before = [](const std::string &a, const std::string &b) {
        const std::string foldedA = Folded(a);
        const std::string foldedB = Folded(b);
        return foldedA != foldedB ? foldedA < foldedB : a < b;
    };
    std::sort(families.begin(), families.end(), before);
    families.erase(std::unique(families.begin(), families.end(), SameFamilyName), families.end());
    return families;
}

std::string FamilyDrawnFor(const std::string &name)
{
    const std::unique_ptr<FcPattern, PatternDeleter> pattern(FcPatternCreate());
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8 *>(name.c_str()));
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    // The font's own pattern, as the list has it: a match made ready for
    // drawing may put another of its names first, for the user's language.
    FcResult result = FcResultNoMatch;
    const std::unique_ptr<FcFontSet, FontSetDeleter> sorted(FcFontSort(nullptr, pattern.get(), FcFalse, nullptr, &result));
    return sorted && sorted->nfont > 0 ? FirstFamily(sorted->fonts[0]) : std::string();
}

bool SameFamilyName(std::string_view a, std::string_view b)
{
    return Folded(a) == Folded(b);
}

void RescanInstalledFonts()
{
    if (!FcConfigUptoDate(nullptr))
        FcInitReinitialize();
}

FontConfiguration::FontConfiguration()
    : held_(FcConfigReference(nullptr))
{
}

bool FontConfiguration::Current() const
{
    return held_.get() == FcConfigGetCurrent();
}

void FontConfiguration::Release::operator()(FcConfig *config) const
{
    FcConfigDestroy(config);
}

} // namespace raster
