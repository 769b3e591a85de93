#include "raster/fonts.h"

#include <memory>
#include <string>
#include <tuple>
#include <utility>

namespace raster {

Fonts::Fonts(std::size_t budget)
    : cache_(budget)
    , files_(cache_)
    , faces_(cache_)
    , styles_(cache_)
    , fonts_(cache_)
{
}

Fonts::~Fonts() = default;

bool Fonts::Fresh(const std::string &family, bool bold, bool italic)
{
    return configuration_.Current() && !StyleOf(family, bold, italic)->Faces().FilesChanged();
}

void Fonts::Forget()
{
    cache_.Clear();
    configuration_ = FontConfiguration();
}

std::shared_ptr<const FontFile> Fonts::FileOf(const std::string &path)
{
    const std::optional<FileStamp> now = StampOf(path);
    if (auto kept = files_.Find(path); kept && (!now || *now == kept->stamp))
        return kept;
    auto read = std::make_shared<const FontFile>(ReadFontFile(path));
    return files_.Keep(path, read, read->bytes->size() + sizeof(FontFile));
}

std::shared_ptr<Face> Fonts::FaceOf(const std::string &file, int index, bool bold, bool italic)
{
    // About what FreeType and HarfBuzz make of a face; its bytes are its
    // file's.
    constexpr std::size_t kFaceBytes = 64 << 10;
    const auto keep = [this](std::tuple<std::string, int, bool, bool> key, std::shared_ptr<Face> face) {
        return faces_.Keep(std::move(key), std::move(face), kFaceBytes);
    };
    std::shared_ptr<Face> regular = faces_.Find(std::tuple{file, index, false, false});
    if (!regular)
        regular = keep({file, index, false, false}, OpenFace(*FileOf(file), file, index));
    if (!regular->variable || (!bold && !italic))
        return regular;
    if (auto kept = faces_.Find(std::tuple{file, index, bold, italic}))
        return kept;
    return keep({file, index, bold, italic}, FaceAt(*regular, bold, italic));
}

std::shared_ptr<Style> Fonts::StyleOf(const std::string &family, bool bold, bool italic)
{
    const auto key = std::tuple{family, bold, italic};
    if (auto kept = styles_.Find(key))
        return kept;
    constexpr std::size_t kStyleBytes = 16 << 10;
    return styles_.Keep(key, std::make_shared<Style>(*this, family, bold, italic), kStyleBytes);
}

std::shared_ptr<Font> Fonts::Of(
    const std::string &family, int pixelSize, bool bold, bool italic, int fieldSpread, bool multiChannel)
{
    const auto key = std::tuple{family, pixelSize, bold, italic, fieldSpread, multiChannel};
    if (auto kept = fonts_.Find(key))
        return kept;
    constexpr std::size_t kFontBytes = 4 << 10;
    return fonts_.Keep(key,
        std::make_shared<Font>(*this, StyleOf(family, bold, italic), pixelSize, fieldSpread, multiChannel), kFontBytes);
}

} // namespace raster
