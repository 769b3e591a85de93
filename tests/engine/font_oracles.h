#pragma once

#include <hb.h>

#include <ft2build.h>
#include FT_FREETYPE_H

#include "greys.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

// The font file of a test font, by its file name.
inline std::string TestFontFile(const char *name)
{
    std::string path = VANTOR_TEST_FONT_DIR;
    path += '/';
    path += name;
    return path;
}

// A text laid out once by HarfBuzz from the font file, as `hb-shape` gives
// it (with `--variations`, such as "wght=700"): each glyph's advance in
// 1/64 px at the pixel size, summed. The reference for advances,
// independent of the program's own font code.
inline double HarfBuzzAdvance(
    const std::string &file, int pixelSize, const std::string &text, const char *variations = nullptr)
{
    hb_blob_t *blob = hb_blob_create_from_file(file.c_str());
    hb_face_t *face = hb_face_create(blob, 0);
    hb_font_t *font = hb_font_create(face);
    if (hb_variation_t variation; variations && hb_variation_from_string(variations, -1, &variation))
        hb_font_set_variations(font, &variation, 1);
    hb_buffer_t *buffer = hb_buffer_create();
    hb_buffer_add_utf8(buffer, text.data(), static_cast<int>(text.size()), 0, -1);
    hb_buffer_guess_segment_properties(buffer);
    hb_shape(font, buffer, nullptr, 0);
    unsigned count = 0;
    const hb_glyph_position_t *positions = hb_buffer_get_glyph_positions(buffer, &count);
    const double scale = pixelSize * 64.0 / hb_face_get_upem(face);
    long sixtyFourths = 0;
    for (unsigned i = 0; i < count; ++i)
        sixtyFourths += std::lround(positions[i].x_advance * scale);
    hb_buffer_destroy(buffer);
    hb_font_destroy(font);
    hb_face_destroy(face);
    hb_blob_destroy(blob);
    return sixtyFourths / 64.0;
}

// The glyph's greys as FreeType renders the outline unhinted, and its top
// left corner from the pen.
struct FreeTypeGreys {
    Greys greys;
    int left = 0;
    int top = 0;
};

inline FreeTypeGreys FreeTypeGlyph(const std::string &file, int size, char32_t code)
{
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    EXPECT_EQ(FT_Init_FreeType(&library), 0);
    EXPECT_EQ(FT_New_Face(library, file.c_str(), 0, &face), 0);
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(size));
    EXPECT_EQ(FT_Load_Char(face, code, FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP | FT_LOAD_RENDER), 0);
    const FT_Bitmap &bitmap = face->glyph->bitmap;
    FreeTypeGreys glyph{Greys(static_cast<int>(bitmap.width), static_cast<int>(bitmap.rows)),
        face->glyph->bitmap_left, -face->glyph->bitmap_top};
    for (int y = 0; y < glyph.greys.height; ++y)
        std::copy_n(bitmap.buffer + y * bitmap.pitch, bitmap.width, glyph.greys.Line(y));
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    return glyph;
}
