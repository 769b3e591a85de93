#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

namespace raster {

// What went wrong in a font library, with what was asked of it.
class RasterError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// FreeType's 26.6 fixed point: 64ths of a pixel.
using F26Dot6 = std::int64_t;
constexpr F26Dot6 kOnePixel = 64;
inline double FromF26Dot6(F26Dot6 value)
{
    return static_cast<double>(value) / kOnePixel;
}
// FreeType's 16.16 fixed point, of axes and matrices.
inline double FromF16Dot16(FT_Fixed value)
{
    return static_cast<double>(value) / 65536;
}
// Whole pixels below or at a 26.6 value.
inline std::int64_t FloorPixels(F26Dot6 value)
{
    return value >= 0 ? value / kOnePixel : -((-value + kOnePixel - 1) / kOnePixel);
}

// The one FreeType library of the process: the program draws on one thread.
FT_Library Library();

// "FreeType 2.12.1, HarfBuzz 6.0.0": the libraries' versions in use.
std::string LibraryVersions();

// FreeType's words for an error.
std::string Reason(FT_Error error);
// Throws RasterError "<what> failed: <FreeType's reason>" for an error.
void Check(FT_Error error, const std::string &what);

struct FaceDeleter {
    void operator()(FT_Face face) const { FT_Done_Face(face); }
};
using FacePointer = std::unique_ptr<FT_FaceRec_, FaceDeleter>;

} // namespace raster
