#include "raster/freetype.h"

#include <hb.h>

#include FT_MODULE_H

#include <cstdlib>

namespace raster {
namespace {

struct LibraryDeleter {
    void operator()(FT_Library library) const { FT_Done_Library(library); }
};

// No block FreeType asks for may be larger than the colour bitmap of 4,096
// pixels a side, more than any texture can show of a glyph: a PNG in an
// sbix strike can declare 30,000 a side, which FreeType would allocate
// (3.6 GB) and decode before anything could be scaled. Refused, the glyph
// draws no ink.
constexpr long kMostBytes = long{4096} * 4096 * 4;

void *Allocate(FT_Memory, long size)
{
    return size > 0 && size <= kMostBytes ? std::malloc(static_cast<std::size_t>(size)) : nullptr;
}

void Free(FT_Memory, void *block)
{
    std::free(block);
}

void *Reallocate(FT_Memory, long, long size, void *block)
{
    return size > 0 && size <= kMostBytes ? std::realloc(block, static_cast<std::size_t>(size)) : nullptr;
}

} // namespace

FT_Library Library()
{
    static FT_MemoryRec_ memory{nullptr, Allocate, Free, Reallocate};
    static const std::unique_ptr<FT_LibraryRec_, LibraryDeleter> library = [] {
        FT_Library made = nullptr;
        Check(FT_New_Library(&memory, &made), "FT_New_Library");
        FT_Add_Default_Modules(made);
        FT_Set_Default_Properties(made);
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
