#include "raster/freetype.h"

namespace raster {
namespace {

struct LibraryDeleter {
    void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};

} // namespace

FT_Library Library()
{
    static const std::unique_ptr<FT_LibraryRec_, LibraryDeleter> library = [] {
        FT_Library made = nullptr;
        Check(FT_Init_FreeType(&made), "FT_Init_FreeType");
        return std::unique_ptr<FT_LibraryRec_, LibraryDeleter>(made);
    }();
    return library.get();
}

void Check(FT_Error error, const std::string &what)
{
    if (error == 0)
        return;
    const char *reason = FT_Error_String(error);
    throw RasterError(what + " failed: " + (reason ? reason : "FreeType error " + std::to_string(error)));
}

} // namespace raster
