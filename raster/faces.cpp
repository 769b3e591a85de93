#include "raster/faces.h"

#include <hb-ot.h>

#include FT_ADVANCES_H
#include FT_MULTIPLE_MASTERS_H

#include <algorithm>
#include <optional>
#include <utility>

namespace raster {
namespace {

// HarfBuzz 6 reads an advance of hmtx as a signed 16-bit number, so that
// 40,000 units advance backwards; FreeType reads it as the unsigned number
// it is. HarfBuzz's own where FreeType has none (bitmap faces).
hb_position_t UnsignedAdvance(hb_font_t *font, void *face, hb_codepoint_t glyph, void *)
{
    FT_Fixed advance = 0;
    if (FT_Get_Advance(static_cast<FT_Face>(face), glyph, FT_LOAD_NO_SCALE, &advance) == 0)
        return static_cast<hb_position_t>(advance);
    return hb_font_get_glyph_h_advance(hb_font_get_parent(font), glyph);
}

hb_font_funcs_t *UnsignedAdvances()
{
    static hb_font_funcs_t *const funcs = [] {
        hb_font_funcs_t *made = hb_font_funcs_create();
        hb_font_funcs_set_glyph_h_advance_func(made, UnsignedAdvance, nullptr, nullptr);
        hb_font_funcs_make_immutable(made);
        return made;
    }();
    return funcs;
}

struct BlobDeleter {
    void operator()(hb_blob_t *blob) const { hb_blob_destroy(blob); }
};
struct HbFaceDeleter {
    void operator()(hb_face_t *face) const { hb_face_destroy(face); }
};
struct HbFontDeleter {
    void operator()(hb_font_t *font) const { hb_font_destroy(font); }
};

} // namespace

bool Face::Has(char32_t code) const
{
    hb_codepoint_t glyph = 0;
    return hb_font_get_nominal_glyph(shaper.get(), code, &glyph) && glyph != 0 && Loads(glyph);
}

bool Face::Loads(unsigned glyph) const
{
    // Colour bitmaps are decoded to be loaded: they are taken as they come.
    if (colour && !outlines)
        return true;
    if (loads_.empty())
        loads_.resize(static_cast<std::size_t>(std::max<FT_Long>(ft->num_glyphs, 0)) + 1, 0);
    if (glyph >= loads_.size())
        return false;
    if (loads_[glyph] == 0) {
        FT_Face face = ft.get();
        if (!outlines && face->num_fixed_sizes > 0)
            FT_Select_Size(face, 0);
        const FT_Int32 flags = outlines ? FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP : FT_LOAD_DEFAULT;
        loads_[glyph] = FT_Load_Glyph(face, glyph, flags) == 0 ? 1 : 2;
    }
    return loads_[glyph] == 1;
}

bool Face::FileChanged() const
{
    const std::optional<FileStamp> now = StampOf(file);
    return now && *now != read.stamp;
}

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

namespace {

struct Axis {
    FT_ULong tag;
    double value;
};

// The axes that make the style, and where they stand for it.
std::vector<Axis> StyleAxes(FT_Face face, bool bold, bool italic)
{
    std::vector<Axis> axes;
    FT_MM_Var *master = nullptr;
    if (FT_Get_MM_Var(face, &master) != 0)
        return axes;
    for (FT_UInt i = 0; i < master->num_axis; ++i) {
        const FT_Var_Axis &axis = master->axis[i];
        const double least = FromF16Dot16(axis.minimum);
        const double most = FromF16Dot16(axis.maximum);
        double value = FromF16Dot16(axis.def);
        if (axis.tag == FT_MAKE_TAG('w', 'g', 'h', 't'))
            value = bold ? 700 : 400;
        else if (axis.tag == FT_MAKE_TAG('i', 't', 'a', 'l'))
            value = italic ? 1 : 0;
        else if (axis.tag == FT_MAKE_TAG('s', 'l', 'n', 't'))
            value = italic ? -12 : 0;
        axes.push_back({axis.tag, std::clamp(value, least, most)});
    }
    FT_Done_MM_Var(Library(), master);
    return axes;
}

// Where a named instance stands on each axis, as HarfBuzz reads the fvar
// table: FreeType 2.12 reads a negative coordinate as a large positive one.
std::vector<Axis> InstanceAxes(hb_face_t *face, unsigned instance)
{
    std::vector<hb_ot_var_axis_info_t> infos(hb_ot_var_get_axis_count(face));
    unsigned count = static_cast<unsigned>(infos.size());
    hb_ot_var_get_axis_infos(face, 0, &count, infos.data());
    std::vector<float> coordinates(infos.size());
    count = static_cast<unsigned>(coordinates.size());
    hb_ot_var_named_instance_get_design_coords(face, instance, &count, coordinates.data());
    std::vector<Axis> axes;
    for (std::size_t i = 0; i < infos.size() && i < count; ++i)
        axes.push_back({infos[i].tag, coordinates[i]});
    return axes;
}

std::shared_ptr<Face> FaceFrom(FontFile read, const std::string &file, int index, bool bold, bool italic)
{
    auto face = std::make_shared<Face>();
    face->file = file;
    face->index = index;
    face->read = std::move(read);
    const std::vector<unsigned char> &bytes = *face->read.bytes;
    FT_Face opened = nullptr;
    if (const FT_Error error
        = FT_New_Memory_Face(Library(), bytes.data(), static_cast<FT_Long>(bytes.size()), index, &opened)) {
        throw RasterError("Cannot read " + file + " as a font: " + Reason(error));
    }
    face->ft.reset(opened);
    // HarfBuzz reads the same bytes, and keeps them while it needs them.
    const std::unique_ptr<hb_blob_t, BlobDeleter> blob(hb_blob_create(reinterpret_cast<const char *>(bytes.data()),
        static_cast<unsigned>(bytes.size()), HB_MEMORY_MODE_READONLY,
        new std::shared_ptr<const std::vector<unsigned char>>(face->read.bytes),
        [](void *kept) { delete static_cast<std::shared_ptr<const std::vector<unsigned char>> *>(kept); }));
    // fontconfig's index holds a named instance above the face's own.
    const int instance = index >> 16;
    const std::unique_ptr<hb_face_t, HbFaceDeleter> shaped(
        hb_face_create(blob.get(), static_cast<unsigned>(index & 0xFFFF)));
    // A face HarfBuzz cannot read (Type 1, PCF, BDF) would shape every
    // character as its missing glyph: it is passed over for the next.
    if (hb_face_get_glyph_count(shaped.get()) == 0)
        throw RasterError("Cannot read " + file + " as a font: HarfBuzz cannot shape with it");
    const std::unique_ptr<hb_font_t, HbFontDeleter> units(hb_font_create(shaped.get()));
    if (FT_HAS_MULTIPLE_MASTERS(opened)) {
        // Both libraries at the same place on every axis: a named instance's,
        // or where the axes make the style.
        const std::vector<Axis> axes = instance > 0 ? InstanceAxes(shaped.get(), static_cast<unsigned>(instance - 1))
                                                    : StyleAxes(opened, bold, italic);
        std::vector<FT_Fixed> coordinates;
        std::vector<hb_variation_t> variations;
        for (const Axis &axis : axes) {
            coordinates.push_back(std::lround(axis.value * 65536));
            variations.push_back({static_cast<hb_tag_t>(axis.tag), static_cast<float>(axis.value)});
            face->weightAxis |= instance == 0 && axis.tag == FT_MAKE_TAG('w', 'g', 'h', 't');
            face->slantAxis |= instance == 0
                && (axis.tag == FT_MAKE_TAG('i', 't', 'a', 'l') || axis.tag == FT_MAKE_TAG('s', 'l', 'n', 't'));
        }
        Check(FT_Set_Var_Design_Coordinates(opened, static_cast<FT_UInt>(coordinates.size()), coordinates.data()),
            "FT_Set_Var_Design_Coordinates(" + file + ")");
        hb_font_set_variations(units.get(), variations.data(), static_cast<unsigned>(variations.size()));
        face->variable = face->weightAxis || face->slantAxis;
    }
    face->shaper.reset(hb_font_create_sub_font(units.get()), hb_font_destroy);
    face->unitsPerEm = hb_face_get_upem(shaped.get());
    // A variation font's advances are HarfBuzz's, at its axes, as hb-shape
    // gives them; FreeType's are whole units of its own rounding.
    if (!FT_HAS_MULTIPLE_MASTERS(opened))
        hb_font_set_funcs(face->shaper.get(), UnsignedAdvances(), opened, nullptr);
    face->outlines = FT_IS_SCALABLE(opened);
    face->colour = FT_HAS_COLOR(opened);
    for (int i = 0; i < opened->num_fixed_sizes; ++i)
        face->strikes.push_back(static_cast<int>((opened->available_sizes[i].y_ppem + 32) / 64));
    std::sort(face->strikes.begin(), face->strikes.end());
    return face;
}

} // namespace

std::shared_ptr<Face> OpenFace(const FontFile &read, const std::string &file, int index)
{
    return FaceFrom(read, file, index, false, false);
}

std::shared_ptr<Face> FaceAt(const Face &variable, bool bold, bool italic)
{
    return FaceFrom(variable.read, variable.file, variable.index, bold, italic);
}

} // namespace raster
