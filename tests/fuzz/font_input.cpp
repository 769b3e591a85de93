#include "font_input.h"

#include "fontmap/atlas.h"
#include "fontmap/atlas_engine.h"
#include "fontmap/bmfont.h"
#include "fontmap/grid.h"

#include "raster/texture.h"

#include <expat.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

// Where each input is written, for fontconfig and FreeType to read.
const std::string &FontPath()
{
    static const std::string path = [] {
        char name[] = "/tmp/vantor-fuzz-font-XXXXXX";
        close(mkstemp(name));
        return std::string(name);
    }();
    return path;
}

// Fontconfig with the input as its only font; its family, or none when
// fontconfig cannot read it (the program would never list it).
std::string OnlyFont(const std::string &path)
{
    FcConfig *config = FcConfigCreate();
    FcConfigAppFontAddFile(config, reinterpret_cast<const FcChar8 *>(path.c_str()));
    FcConfigSetCurrent(config);
    FcConfigDestroy(config);
    FcPattern *pattern = FcPatternCreate();
    FcObjectSet *objects = FcObjectSetBuild(FC_FAMILY, nullptr);
    FcFontSet *fonts = FcFontList(nullptr, pattern, objects);
    std::string family;
    FcChar8 *name = nullptr;
    if (fonts && fonts->nfont > 0 && FcPatternGetString(fonts->fonts[0], FC_FAMILY, 0, &name) == FcResultMatch)
        family = reinterpret_cast<const char *>(name);
    if (fonts)
        FcFontSetDestroy(fonts);
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    return family;
}

} // namespace

std::string DrawFontInput(const std::uint8_t *data, std::size_t size)
{
    constexpr std::size_t kSettings = 4;
    if (size <= kSettings)
        return {};
    const std::uint8_t *settingsBytes = data + size - kSettings;
    {
        std::FILE *file = std::fopen(FontPath().c_str(), "wb");
        if (!file)
            return "the font could not be written";
        std::fwrite(data, 1, size - kSettings, file);
        std::fclose(file);
    }
    const std::string family = OnlyFont(FontPath());
    if (family.empty())
        return {};

    static const char *const kTexts[] = {"A", "W", "g", "\xD8\xA8\xD8\xB3", "\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D",
        "\xE0\xA4\x95\xE0\xA5\x8D\xE0\xA4\xB7", "\xE0\xB8\x81\xE0\xB9\x89", "\xE4\xB8\xAD", "\xF0\x9F\x8D\x8E",
        "\xE2\x9D\xA4\xEF\xB8\x8F", "1\xEF\xB8\x8F\xE2\x83\xA3", "e\xCC\x81", "fi", "AV", "", "\xE2\x80\xA6"};
    const int textureSize = settingsBytes[1] & 1 ? 2048 : 256;
    vantor::AtlasSettings settings{family, 1 + settingsBytes[0], textureSize, 4 * textureSize / 1024,
        30 * textureSize / 1024, (settingsBytes[1] & 2) != 0, (settingsBytes[1] & 4) != 0, (settingsBytes[1] & 8) != 0,
        {}};
    for (char c = ' '; c <= '~'; ++c)
        settings.cells.emplace_back(1, c);
    settings.cells.resize(vantor::kCellCount, "?");
    settings.cells[settingsBytes[3] % vantor::kCellCount] = kTexts[settingsBytes[2] % std::size(kTexts)];
    settings.multiChannel = (settingsBytes[1] & 16) != 0;

    vantor::AtlasEngine engine;
    const auto atlas = engine.Render(settings);
    if (atlas->Widths().size() != static_cast<std::size_t>(vantor::kCellCount))
        return "a width per cell";
    if (!std::all_of(atlas->Widths().begin(), atlas->Widths().end(), [](double w) { return std::isfinite(w); }))
        return "finite widths";
    if (atlas->Texture().Width() != textureSize || atlas->Texture().Height() != textureSize)
        return "the texture's size";

    std::vector<std::string> several;
    const vantor::BMFont font = vantor::BMFontOf(*atlas, "font_0.png", several);
    const raster::Box texture = atlas->Texture().Bounds();
    for (const vantor::BMFont::Character &c : font.characters) {
        const raster::Box square
            = vantor::CellSquare(textureSize, c.cell / vantor::kGridSide, c.cell % vantor::kGridSide);
        if (c.rect.width < 0 || c.rect.height < 0)
            return "a rectangle";
        // An empty rectangle is a point of its square.
        const raster::Box at{
            c.rect.left, c.rect.top, std::max<std::int64_t>(c.rect.width, 1), std::max<std::int64_t>(c.rect.height, 1)};
        if (!texture.Contains(at))
            return "a rectangle inside the texture";
        if (!square.Contains(at))
            return "a rectangle inside its cell's square";
    }
    vantor::EngineCaveats(*atlas, several);
    if (vantor::BMFontText(font).empty())
        return "the text format";
    // A strict reader: expat refuses any character XML does not allow.
    const std::string xml = vantor::BMFontXml(font);
    XML_Parser parser = XML_ParserCreate("UTF-8");
    const bool parses = XML_Parse(parser, xml.data(), static_cast<int>(xml.size()), 1) == XML_STATUS_OK;
    XML_ParserFree(parser);
    return parses ? "" : "XML that reads back";
}
