#pragma once

#include <hb.h>

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
// it: each glyph's advance in 1/64 px at the pixel size, summed. The
// reference for advances, independent of the program's own font code.
inline double HarfBuzzAdvance(const std::string &file, int pixelSize, const std::string &text)
{
    hb_blob_t *blob = hb_blob_create_from_file(file.c_str());
    hb_face_t *face = hb_face_create(blob, 0);
    hb_font_t *font = hb_font_create(face);
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
