#pragma once

#include "raster/faces.h"
#include "raster/font.h"
#include "raster/installed_fonts.h"
#include "raster/lru_cache.h"

#include <cstdint>
#include <memory>
#include <string>
#include <tuple>
#include <utility>

namespace raster {

// The fonts one user of them draws with, and everything kept of them for
// speed, in one least-recently-used cache of `budget` bytes: faces, styles, fonts, shaped and
// laid out texts, drawn glyphs. Nothing is kept for the process: a new
// Fonts starts from scratch.
class Fonts : public FaceSource {
public:
    static constexpr std::size_t kDefaultBudget = std::size_t{128} << 20;

    explicit Fonts(std::size_t budget = kDefaultBudget);
    ~Fonts() override;
    Fonts(const Fonts &) = delete;
    Fonts &operator=(const Fonts &) = delete;

    // A family at a pixel size and style, drawn as coverage or, above a
    // spread of 0, as distance fields, multi-channel if asked.
    std::shared_ptr<Font> Of(const std::string &family, int pixelSize, bool bold, bool italic, int fieldSpread = 0,
        bool multiChannel = false);
    std::shared_ptr<Style> StyleOf(const std::string &family, bool bold, bool italic);
    std::shared_ptr<Face> FaceOf(const std::string &file, int index, bool bold, bool italic) override;

    LruCache &Cache() override { return cache_; }

    // Whether what is kept still stands for the installed fonts: fontconfig
    // has not read its configuration again since, and no file the family's
    // style was read from holds other bytes now.
    bool Fresh(const std::string &family, bool bold, bool italic);
    // Lets go of everything kept, to read the fonts anew; what is still used
    // elsewhere lives on there.
    void Forget();

private:
    // The file as read, once for all its faces, read again where it changed;
    // one that is gone stays as it was read.
    std::shared_ptr<const FontFile> FileOf(const std::string &path);

    // The one the fonts were found in.
    FontConfiguration configuration_;
    // First of what is kept, so that it outlives it.
    raster::LruCache cache_;
    Cached<std::string, const FontFile> files_;
    Cached<std::tuple<std::string, int, bool, bool>, Face> faces_; // by file, index and the style of its axes
    Cached<std::tuple<std::string, bool, bool>, Style> styles_;
    Cached<std::tuple<std::string, int, bool, bool, int, bool>, Font> fonts_;
};

} // namespace raster
