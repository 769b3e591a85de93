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

    // Four-character type and creator codes. Linux file systems keep none,
    // so there they are held here only.
    const std::string &OutputFileType() const { return type_; }
    void SetOutputFileType(std::string type) { type_ = std::move(type); }
    const std::string &OutputFileCreator() const { return creator_; }
    void SetOutputFileCreator(std::string creator) { creator_ = std::move(creator); }

    // Writes the whole picture, replacing the file only once it is complete.
    // Throws IOException naming the file and the reason on failure.
    void SavePicture(const FolderItem &location, const Picture &picture) const;

private:
    int compression_ = kDefaultCompression;
    std::string type_;
    std::string creator_;
};

// A new exporter for a four-character format code, or nil for a format that
// cannot be written.
std::shared_ptr<GraphicsExporter> GetQTGraphicsExporter(std::string_view format);

} // namespace fw
