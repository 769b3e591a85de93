#include "raster/shaping.h"

#include "text/characters.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace raster {
namespace {

hb_unicode_funcs_t *Unicode()
{
    return hb_unicode_funcs_get_default();
}

// Code points that stay with the one before them in a cluster: marks,
// variation selectors, emoji modifiers and tags, and a joiner with what
// follows it.
bool Extends(char32_t code)
{
    switch (hb_unicode_general_category(Unicode(), code)) {
    case HB_UNICODE_GENERAL_CATEGORY_NON_SPACING_MARK:
    case HB_UNICODE_GENERAL_CATEGORY_SPACING_MARK:
    case HB_UNICODE_GENERAL_CATEGORY_ENCLOSING_MARK:
        return true;
    default:
        return (code >= 0xFE00 && code <= 0xFE0F) || (code >= 0xE0100 && code <= 0xE01EF)
            || (code >= 0x1F3FB && code <= 0x1F3FF) || (code >= 0xE0020 && code <= 0xE007F) || code == 0x200D;
    }
}

bool RegionalIndicator(char32_t code)
{
    return code >= 0x1F1E6 && code <= 0x1F1FF;
}

enum class Strength { Left, Right, Number, Neutral };

struct Cluster {
    std::size_t start = 0;
    std::size_t end = 0;
    const StyledFace *face = nullptr;
    hb_script_t script = HB_SCRIPT_COMMON;
    Strength strength = Strength::Neutral;
    int level = 0;
};

std::vector<Cluster> Clusters(const std::u32string &codes, FaceList &faces)
{
    std::vector<Cluster> clusters;
    for (std::size_t i = 0; i < codes.size();) {
        std::size_t end = i + 1;
        if (RegionalIndicator(codes[i]) && end < codes.size() && RegionalIndicator(codes[end]))
            ++end;
        while (end < codes.size() && (Extends(codes[end]) || codes[end - 1] == 0x200D))
            ++end;
        Cluster cluster{i, end};
        cluster.face = &faces.For(std::u32string_view(codes).substr(i, end - i));
        cluster.script = hb_unicode_script(Unicode(), codes[i]);
        if (hb_unicode_general_category(Unicode(), codes[i]) == HB_UNICODE_GENERAL_CATEGORY_DECIMAL_NUMBER)
            cluster.strength = Strength::Number;
        else if (cluster.script == HB_SCRIPT_COMMON || cluster.script == HB_SCRIPT_INHERITED
            || cluster.script == HB_SCRIPT_UNKNOWN)
            cluster.strength = Strength::Neutral;
        else
            cluster.strength = hb_script_get_horizontal_direction(cluster.script) == HB_DIRECTION_RTL ? Strength::Right
                                                                                                      : Strength::Left;
        clusters.push_back(cluster);
        i = end;
    }
    return clusters;
}

// Scripts for clusters of none of their own, from their neighbours; levels
// as the bidirectional algorithm gives them for text of strong letters,
// numbers and neutrals between them: the paragraph takes the direction of
// its first letter, numbers run left to right, neutrals take the direction
// of the letters on both sides when they agree.
void ResolveScriptsAndLevels(std::vector<Cluster> &clusters)
{
    const auto strong = [](const Cluster &c) { return c.strength == Strength::Left || c.strength == Strength::Right; };
    const auto firstStrong = std::find_if(clusters.begin(), clusters.end(), strong);
    const bool rightToLeft = firstStrong != clusters.end() && firstStrong->strength == Strength::Right;
    const int paragraph = rightToLeft ? 1 : 0;
    // Text of no script at all (digits, punctuation, symbols) is left to
    // HarfBuzz, as it shapes a run by itself.
    hb_script_t script = firstStrong != clusters.end() ? firstStrong->script : HB_SCRIPT_INVALID;
    std::vector<Strength> next(clusters.size(), rightToLeft ? Strength::Right : Strength::Left);
    Strength following = next.empty() ? Strength::Left : next.front();
    for (std::size_t i = clusters.size(); i-- > 0;) {
        next[i] = following;
        if (strong(clusters[i]))
            following = clusters[i].strength;
    }
    Strength previous = rightToLeft ? Strength::Right : Strength::Left;
    for (std::size_t i = 0; i < clusters.size(); ++i) {
        Cluster &c = clusters[i];
        if (strong(c))
            script = c.script;
        else
            c.script = script;
        switch (c.strength) {
        case Strength::Left:
            c.level = rightToLeft ? 2 : 0;
            break;
        case Strength::Right:
            c.level = 1;
            break;
        case Strength::Number:
            c.level = rightToLeft || previous == Strength::Right ? 2 : 0;
            break;
        case Strength::Neutral:
            c.level = previous == next[i] ? (previous == Strength::Right ? 1 : paragraph == 1 ? 2 : 0) : paragraph;
            break;
        }
        if (strong(c))
            previous = c.strength;
    }
}

struct Run {
    std::size_t start = 0;
    std::size_t end = 0;
    const StyledFace *face = nullptr;
    hb_script_t script = HB_SCRIPT_COMMON;
    int level = 0;
};

// Runs of one face, script and level, in the order they show: each sequence
// of runs at a level or above reversed, from the highest level down.
std::vector<Run> VisualRuns(const std::vector<Cluster> &clusters)
{
    std::vector<Run> runs;
    for (const Cluster &c : clusters) {
        if (!runs.empty() && runs.back().face == c.face && runs.back().script == c.script
            && runs.back().level == c.level)
            runs.back().end = c.end;
        else
            runs.push_back(Run{c.start, c.end, c.face, c.script, c.level});
    }
    int highest = 0;
    for (const Run &run : runs)
        highest = std::max(highest, run.level);
    for (int level = highest; level >= 1; --level) {
        for (auto from = runs.begin(); from != runs.end();) {
            from = std::find_if(from, runs.end(), [level](const Run &run) { return run.level >= level; });
            const auto to = std::find_if(from, runs.end(), [level](const Run &run) { return run.level < level; });
            std::reverse(from, to);
            from = to;
        }
    }
    return runs;
}

struct BufferDeleter {
    void operator()(hb_buffer_t *buffer) const { hb_buffer_destroy(buffer); }
};

// A face's units to 26.6 at the size it is drawn.
struct Scale {
    double factor = 0;
    F26Dot6 operator()(hb_position_t units) const { return std::llround(units * factor); }
};

// The advance of a glyph of a strike, as FreeType gives it.
F26Dot6 StrikeAdvance(const Face &face, int strike, unsigned glyph)
{
    FT_Face ft = face.ft.get();
    for (int i = 0; i < ft->num_fixed_sizes; ++i) {
        if ((ft->available_sizes[i].y_ppem + 32) / 64 == strike) {
            Check(FT_Select_Size(ft, i), "FT_Select_Size(" + face.file + ")");
            break;
        }
    }
    if (FT_Load_Glyph(ft, glyph, FT_LOAD_DEFAULT) != 0)
        return 0;
    return ft->glyph->advance.x;
}

} // namespace

UnitShaped ShapeInUnits(FaceList &faces, std::string_view text, bool ligatures)
{
    UnitShaped shaped;
    const std::u32string codes = text::CodePoints(text);
    std::vector<Cluster> clusters = Clusters(codes, faces);
    ResolveScriptsAndLevels(clusters);
    const hb_feature_t noLigatures[] = {
        {HB_TAG('l', 'i', 'g', 'a'), 0, HB_FEATURE_GLOBAL_START, HB_FEATURE_GLOBAL_END},
        {HB_TAG('c', 'l', 'i', 'g'), 0, HB_FEATURE_GLOBAL_START, HB_FEATURE_GLOBAL_END},
    };
    // One buffer for the text's runs; texts are shaped once and kept.
    const std::unique_ptr<hb_buffer_t, BufferDeleter> runBuffer(hb_buffer_create());
    hb_buffer_t *buffer = runBuffer.get();
    for (const Run &run : VisualRuns(clusters)) {
        if (!run.face->face)
            continue;
        if (std::find(shaped.faces.begin(), shaped.faces.end(), run.face) == shaped.faces.end())
            shaped.faces.push_back(run.face);
        hb_buffer_clear_contents(buffer);
        // The whole text goes in as context: letters join across runs.
        hb_buffer_add_codepoints(buffer, reinterpret_cast<const std::uint32_t *>(codes.data()),
            static_cast<int>(codes.size()), static_cast<unsigned>(run.start), static_cast<int>(run.end - run.start));
        hb_buffer_set_direction(buffer, run.level % 2 ? HB_DIRECTION_RTL : HB_DIRECTION_LTR);
        hb_buffer_set_script(buffer, run.script);
        // One language whatever the user's locale: the same settings give
        // the same glyphs on every machine.
        hb_buffer_set_language(buffer, hb_language_from_string("und", -1));
        hb_buffer_guess_segment_properties(buffer);
        hb_shape(run.face->face->shaper.get(), buffer, ligatures ? nullptr : noLigatures, ligatures ? 0 : 2);
        unsigned count = 0;
        const hb_glyph_info_t *infos = hb_buffer_get_glyph_infos(buffer, &count);
        const hb_glyph_position_t *positions = hb_buffer_get_glyph_positions(buffer, &count);
        for (unsigned i = 0; i < count; ++i) {
            shaped.glyphs.push_back(UnitGlyph{
                run.face, infos[i].codepoint, positions[i].x_offset, positions[i].y_offset, positions[i].x_advance});
        }
    }
    return shaped;
}

Shaped AtSize(const UnitShaped &unit, const Layout &layout)
{
    Shaped shaped;
    shaped.faces = unit.faces;
    shaped.glyphs.reserve(unit.glyphs.size());
    F26Dot6 pen = 0;
    const StyledFace *face = nullptr;
    int strike = -1;
    Scale scale;
    for (const UnitGlyph &glyph : unit.glyphs) {
        if (glyph.face != face) {
            face = glyph.face;
            strike = face->face->outlines || face->face->colour ? -1 : face->face->StrikeFor(layout.pixelSize);
            scale.factor = (strike > 0 ? strike : layout.pixelSize) * 64.0 / std::max(face->face->unitsPerEm, 1u);
        }
        F26Dot6 advance = strike > 0 ? StrikeAdvance(*face->face, strike, glyph.index) : scale(glyph.xAdvance);
        // A bitmap is emboldened a pixel wider, as FreeType does it.
        if (advance != 0 && face->emboldened)
            advance += strike > 0 ? kOnePixel : layout.boldGrowth;
        // A kerning larger than an advance would move the pen back: the pen
        // by which glyphs are found never does.
        const F26Dot6 found = shaped.glyphs.empty() ? pen : std::max(pen, shaped.glyphs.back().pen);
        shaped.glyphs.push_back(
            PlacedGlyph{face, glyph.index, pen + scale(glyph.xOffset), -scale(glyph.yOffset), found});
        pen += advance;
    }
    shaped.advance = pen;
    return shaped;
}

} // namespace raster
