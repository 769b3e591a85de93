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

std::string Reason(FT_Error error)
{
    // FreeType's own table of its messages: Debian builds it without
    // FT_Error_String's.
    struct Message {
        FT_Error error;
        const char *text;
    };
#undef FTERRORS_H_
#define FT_ERRORDEF(e, v, s) {e, s},
#define FT_ERROR_START_LIST {
#define FT_ERROR_END_LIST {0, nullptr}};
    static constexpr Message kMessages[] =
#include FT_ERRORS_H
    for (const Message &message : kMessages) {
        if (message.text && message.error == error)
            return message.text;
    }
    return "FreeType error " + std::to_string(error);
}

void Check(FT_Error error, const std::string &what)
{
    if (error != 0)
        throw RasterError(what + " failed: " + Reason(error));
}

} // namespace raster
