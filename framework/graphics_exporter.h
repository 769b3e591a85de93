#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace fw {

class FolderItem;
class Picture;

// Writes pictures in one image format; "PNGf" writes 8-bit RGB PNG files.
class GraphicsExporter {
public:
    static constexpr int kDefaultCompression = 6;

    // Shows the modal settings dialog (the PNG compression level, 0 fastest
    // to 9 smallest) and keeps the level it shows when it is left, by its
    // Save button, Escape or its title bar alike.
    void RequestSettings();

    // Writes the whole picture, replacing the file only once it is complete.
    // Throws IOException naming the file and the reason on failure.
    void SavePicture(const FolderItem &location, const Picture &picture) const;

private:
    int compression_ = kDefaultCompression;
};

// The picture as PNG bytes, 8-bit RGB, at a zlib level from 0 (fastest) to
// 9 (smallest). Throws IOException naming `path` and the reason when it
// cannot be encoded.
std::string EncodePng(const Picture &picture, int level, const std::string &path);
// 8-bit RGBA pixels, four bytes each in that order, rows from the top, as
// PNG bytes; the same levels and failure.
std::string EncodeRgbaPng(const std::uint8_t *pixels, int width, int height, int level, const std::string &path);

// A new exporter for a four-character format code, or nil for a format that
// cannot be written.
std::shared_ptr<GraphicsExporter> GetQTGraphicsExporter(std::string_view format);

} // namespace fw
