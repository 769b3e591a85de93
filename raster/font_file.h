#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace raster {

// Which file a path named when it was read, and how it stood: another
// stamp is a file replaced, rewritten, grown or cut short since.
struct FileStamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedSeconds = 0;
    std::int64_t modifiedNanoseconds = 0;
    friend bool operator==(const FileStamp &, const FileStamp &) = default;
};

// A font file's bytes as read, whole: what FreeType and HarfBuzz read a
// face from, so that the file can change or vanish under them.
struct FontFile {
    std::shared_ptr<const std::vector<unsigned char>> bytes;
    FileStamp stamp;
};

// Reads a font file whole, opening nothing but a regular file and never
// waiting on one; throws RasterError naming the file and why it cannot be
// read.
FontFile ReadFontFile(const std::string &path);

// How the file at the path stands now; none where there is none.
std::optional<FileStamp> StampOf(const std::string &path);

} // namespace raster
