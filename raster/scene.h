#pragma once

#include "raster/font.h"
#include "raster/texture.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace raster {

// The texts drawn onto a texture since it was last filled whole, and those
// its pixels show: when a fill and the same texts come again with some of
// them changed, only where those lie, before and after, is drawn anew; when
// all moved alike, the pixels move and only what comes in is drawn. The
// bytes are those of drawing everything, as glyphs combine by the brighter
// grey whatever their order.
class Scene {
public:
    // A fill of the whole texture: a new scene.
    void Begin(std::uint8_t fill);
    // Within the open scene: the text with its pen at (x, y).
    void Add(std::string text, std::int64_t x, std::int64_t y, std::shared_ptr<Font> font);
    // Makes the texture show the open scene and closes it; gives the areas
    // drawn anew.
    std::vector<Box> Show(Texture &texture);
    // Where each text of the scene shown inks the texture, in the order
    // they were added; empty for none.
    std::vector<Box> ShownInks() const;

private:
    struct Text {
        std::string text;
        std::int64_t x = 0;
        std::int64_t y = 0;
        std::shared_ptr<Font> font;
        Placed placed;
    };
    struct Shown {
        std::uint8_t fill = 0;
        std::vector<Text> texts;
    };
    static bool Same(const Text &a, const Text &b);
    std::optional<std::pair<std::int64_t, std::int64_t>> Moved(const Shown &next) const;
    std::vector<Box> Changed(const Shown &next, const Box &all) const;

    std::optional<Shown> next_;
    std::optional<Shown> shown_;
};

} // namespace raster
