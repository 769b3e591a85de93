#include "raster/freetype.h"

#include <hb.h>

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

std::string LibraryVersions()
{
    FT_Int major = 0;
    FT_Int minor = 0;
    FT_Int patch = 0;
    FT_Library_Version(Library(), &major, &minor, &patch);
    return "FreeType " + std::to_string(major) + "." + std::to_string(minor) + "." + std::to_string(patch)
        + ", HarfBuzz " + hb_version_string();
}

void Check(FT_Error error, const std::string &what)
{
    if (error == 0)
        return;
    const char *reason = FT_Error_String(error);
    throw RasterError(what + " failed: " + (reason ? reason : "FreeType error " + std::to_string(error)));
}

} // namespace raster
