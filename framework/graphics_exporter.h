#pragma once

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
    // to 9 smallest). Gives whether the user confirmed it; a cancel keeps the
    // settings as they were.
    bool RequestSettings();

    // Writes the whole picture, replacing the file only once it is complete.
    // Throws IOException naming the file and the reason on failure.
    void SavePicture(const FolderItem &location, const Picture &picture) const;

private:
    int compression_ = kDefaultCompression;
};

// How EncodePng writes a picture's colours: as they are, 8-bit RGB; or, for
// a font page that engines tint, 8-bit RGBA of white with the grey (the red
// component) as alpha.
enum class PngColours { Rgb, WhiteOnGreyAlpha };

// The picture as PNG bytes at a zlib level from 0 (fastest) to 9 (smallest).
// Throws IOException naming `path` and the reason when it cannot be encoded.
std::string EncodePng(const Picture &picture, PngColours colours, int level, const std::string &path);

// A new exporter for a four-character format code, or nil for a format that
// cannot be written.
std::shared_ptr<GraphicsExporter> GetQTGraphicsExporter(std::string_view format);

} // namespace fw
