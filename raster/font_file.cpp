#include "raster/font_file.h"

#include "raster/freetype.h"

#include <cerrno>
#include <cstring>
#include <new>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace raster {
namespace {

// Larger than any font: a file of more is not read into memory.
constexpr std::int64_t kMostBytes = std::int64_t{1} << 30;

FileStamp Stamp(const struct stat &status)
{
    return {static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino), status.st_size,
        status.st_mtim.tv_sec, status.st_mtim.tv_nsec};
}

[[noreturn]] void Fail(const std::string &path, const std::string &reason)
{
    throw RasterError("Cannot read " + path + ": " + reason);
}

struct Descriptor {
    int fd;
    ~Descriptor() { ::close(fd); }
};

} // namespace

FontFile ReadFontFile(const std::string &path)
{
    // Not blocking: a FIFO or a device named as a font must not hang the
    // program in open() or read().
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        Fail(path, std::strerror(errno));
    const Descriptor opened{fd};
    struct stat status {};
    if (::fstat(fd, &status) != 0)
        Fail(path, std::strerror(errno));
    if (S_ISDIR(status.st_mode))
        Fail(path, "it is a folder");
    if (!S_ISREG(status.st_mode))
        Fail(path, "it is not a regular file");
    if (status.st_size > kMostBytes)
        Fail(path, "it is larger than any font (" + std::to_string(status.st_size) + " bytes)");
    auto bytes = std::make_shared<std::vector<unsigned char>>(static_cast<std::size_t>(status.st_size));
    std::size_t got = 0;
    while (got < bytes->size()) {
        const ssize_t read = ::read(fd, bytes->data() + got, bytes->size() - got);
        if (read < 0 && errno == EINTR)
            continue;
        if (read < 0)
            Fail(path, std::strerror(errno));
        if (read == 0)
            break; // cut short while read: what is there is the font
        got += static_cast<std::size_t>(read);
    }
    bytes->resize(got);
    if (bytes->empty())
        Fail(path, "it is empty");
    return {std::move(bytes), Stamp(status)};
}

namespace {

// A stream over a file's bytes, which FreeType closes with the face.
struct OwnedStream {
    FT_StreamRec stream{};
    std::shared_ptr<const std::vector<unsigned char>> bytes;
};

void CloseOwned(FT_Stream stream)
{
    delete static_cast<OwnedStream *>(stream->descriptor.pointer);
}

} // namespace

std::optional<FileStamp> StampOf(const std::string &path)
{
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0)
        return std::nullopt;
    return Stamp(status);
}

} // namespace raster

// Qt opens the faces it draws its own text with by their path, and FreeType
// maps such a file: cut short while the program runs, a page of it faults
// (SIGBUS) in Qt's painting. Defined in the program, this is the FT_New_Face
// that Qt's calls reach: the file read whole into memory the face owns, as
// the program's own faces are.
extern "C" FT_Error FT_New_Face(FT_Library library, const char *path, FT_Long index, FT_Face *face)
{
    if (!path || !face)
        return FT_Err_Invalid_Argument;
    auto *owned = new (std::nothrow) raster::OwnedStream;
    if (!owned)
        return FT_Err_Out_Of_Memory;
    try {
        owned->bytes = raster::ReadFontFile(path).bytes;
    } catch (...) {
        delete owned;
        return FT_Err_Cannot_Open_Resource;
    }
    FT_StreamRec &stream = owned->stream;
    stream.base = const_cast<unsigned char *>(owned->bytes->data());
    stream.size = static_cast<unsigned long>(owned->bytes->size());
    stream.descriptor.pointer = owned;
    stream.close = raster::CloseOwned;
    FT_Open_Args arguments{};
    arguments.flags = FT_OPEN_STREAM;
    arguments.stream = &stream;
    // FreeType closes the stream, and so frees it, whether or not it opens a
    // face.
    return FT_Open_Face(library, &arguments, index, face);
}
