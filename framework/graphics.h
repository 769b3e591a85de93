#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class QPainter;
class QRect;
class QRegion;

using QRgb = unsigned int;

namespace raster {
class Font;
class Scene;
class Texture;
} // namespace raster

namespace fw {

class Picture;

struct Color {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Color &, const Color &) = default;
};

// Components outside 0..255 are clamped.
Color RGB(int red, int green, int blue);

// A rectangle of whole pixels; empty when its width or height is not positive.
struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool Empty() const { return width <= 0 || height <= 0; }
    friend bool operator==(const Rect &, const Rect &) = default;
};

// Forgets the fonts kept with what they measured and drew for a few changes
// more: the next render starts from scratch.
void ForgetFonts();

// How DrawPicture combines the picture with what is there: replacing it, or
// keeping the brighter of the two in each component.
enum class Blend { Replace, Lighten };

// A drawing context: a picture's, or a canvas's during its Paint event.
// The text state (font, size, bold, italic, colour) holds until changed and
// is used alike for drawing and measuring. On a picture, which holds greys,
// colours are drawn as their green, text white by its coverage, and what is
// drawn is a function of what was asked since the last fill of the whole
// picture, never of what was drawn before it: the same fill and texts give
// the same bytes.
class Graphics {
public:
    // A DrawPicture width or height that is not given: the picture's own.
    static constexpr int kNotGiven = -10000;

    // `changed` hears of every area whose pixels are drawn anew.
    Graphics(raster::Texture &texture, std::function<void(const QRegion &)> changed);
    // On a device of which only `exposed` is shown (all of it when empty),
    // where drawing outside it may be skipped.
    Graphics(QPainter &painter, const QRect &exposed);
    explicit Graphics(QPainter &painter);
    ~Graphics();
    Graphics(const Graphics &) = delete;
    Graphics &operator=(const Graphics &) = delete;

    int Width() const;
    int Height() const;

    void SetForeColor(Color color) { foreColor_ = color; }
    void SetTextFont(std::string family);
    // The em size in pixels. Below 1, text draws nothing and measures 0.
    void SetTextSize(int pixels);
    // Bold and italic show at every size, synthesised when the family has no
    // such face.
    void SetBold(bool bold);
    void SetItalic(bool italic);
    // Above 0, text draws as the signed distance to its glyphs' edges
    // instead of their coverage: 128 on the edge, brighter inside, linear
    // over `spread` pixels either side. Measures do not change.
    void SetDistanceField(int spread);

    void FillRect(int x, int y, int width, int height);
    // A one-pixel outline just inside the rectangle.
    void DrawRect(int x, int y, int width, int height);
    // The advance of the whole text laid out once, rounded to the nearest
    // whole pixel.
    int StringWidth(std::string_view text);
    // The same advance, unrounded: HarfBuzz's, each glyph's in 64ths of a
    // pixel, summed.
    double TextWidth(std::string_view text);
    // For every ordered pair of the texts, row by row: how much further the
    // two advance laid out together than one after the other, without
    // ligatures: the font's kerning of the pair (negative when it brings
    // them closer), or how joining changes them.
    std::vector<double> Kernings(const std::vector<std::string> &texts);
    // The font's ascent and the distance from one baseline to the next.
    double Ascent();
    double LineSpacing();
    // The size glyphs are drawn at: a font of bitmaps only draws the strike
    // nearest the size, at or below it when there is one.
    int DrawnSize();
    // Draws without wrapping, with the left end of the baseline at (x, y):
    // the glyphs' coverage in the fore colour, whatever their own colours.
    // Glyphs are clipped only by the target's edges.
    void DrawString(std::string_view text, int x, int y);
    // The text as the toolkit itself lays out and draws a line of it, with
    // its own shaping, kerning and directions, and its advance: a reference
    // beside the glyphs drawn by DrawString.
    void DrawToolkitLine(std::string_view text, int x, int y);
    double ToolkitLineWidth(std::string_view text);
    // The pixels DrawString inks, on a picture large enough for all of
    // them, clamped to the 32-bit range; empty for a text without ink.
    Rect InkRect(std::string_view text, int x, int y);
    // The pixels DrawString's ink covers, as drawn on a picture of this size.
    Rect DrawnInk(std::string_view text, int x, int y);
    // Copies the source rectangle into the destination rectangle, scaling
    // when their sizes differ: smoothly when shrinking, by nearest pixel when
    // enlarging, at the device's own pixel density.
    void DrawPicture(const Picture &picture, int x, int y, int width = kNotGiven, int height = kNotGiven,
        int sourceX = 0, int sourceY = 0, int sourceWidth = kNotGiven, int sourceHeight = kNotGiven,
        Blend blend = Blend::Replace);

    // On a picture: each grey g becomes map[g].
    void MapGreys(const std::array<std::uint8_t, 256> &map);

    // Finishes what was asked of a picture, so that its pixels can be read.
    void Flush();

private:
    raster::Font &Font();
    // Finishes the texts of the open scene before the pixels are drawn on
    // directly, which the next scene cannot tell apart.
    void DrawDirectly();
    QRgb ForeColor() const;
    void Changed(const QRect &area);

    raster::Texture *texture_ = nullptr;
    std::function<void(const QRegion &)> changed_;
    std::unique_ptr<raster::Scene> scene_;
    QPainter *painter_ = nullptr;
    Rect exposed_;
    std::shared_ptr<raster::Font> font_;
    Color foreColor_;
    std::string textFont_;
    int textSize_ = 0;
    bool bold_ = false;
    bool italic_ = false;
    int fieldSpread_ = 0;
};

} // namespace fw
