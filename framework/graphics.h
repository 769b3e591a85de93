#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class QPainter;
class QRect;

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

// A canvas's drawing context during its Paint event.
class Graphics {
public:
    // A DrawPicture width or height that is not given: the picture's own.
    static constexpr int kNotGiven = -10000;

    // On a device of which only `exposed` is shown (all of it when empty),
    // where drawing outside it may be skipped.
    Graphics(QPainter &painter, const QRect &exposed);
    explicit Graphics(QPainter &painter);

    int Width() const;
    int Height() const;

    void SetForeColor(Color color) { foreColor_ = color; }
    void FillRect(int x, int y, int width, int height);
    // A one-pixel outline just inside the rectangle.
    void DrawRect(int x, int y, int width, int height);
    // Copies the source rectangle into the destination rectangle, scaling
    // when their sizes differ: smoothly when shrinking, by nearest pixel when
    // enlarging, at the device's own pixel density.
    void DrawPicture(const Picture &picture, int x, int y, int width = kNotGiven, int height = kNotGiven,
        int sourceX = 0, int sourceY = 0, int sourceWidth = kNotGiven, int sourceHeight = kNotGiven);

    // A notice over what was drawn: the text in the interface's font,
    // wrapped to the device's width, light on a dark band across its top.
    // Nothing for an empty text.
    void DrawNotice(std::string_view text);

private:
    QPainter *painter_;
    Rect exposed_;
    Color foreColor_;
};

// How the toolkit draws a line of text, with its own shaping, kerning and
// directions: a reference beside the glyphs the program draws.
struct ToolkitFont {
    std::string family;
    int pixelSize = 0;
    bool bold = false;
    bool italic = false;
};
// The line's advance in pixels; 0 below a size of 1.
double ToolkitLineWidth(const ToolkitFont &font, std::string_view text);
// A black picture of that size with the line drawn in white, the left end
// of its baseline at (x, y).
std::shared_ptr<Picture> ToolkitLine(
    const ToolkitFont &font, std::string_view text, int width, int height, int x, int y);

} // namespace fw
