#include "framework/graphics.h"

#include "framework/image_scaling.h"
#include "framework/picture.h"
#include "framework/text.h"

#include "raster/font.h"
#include "raster/fonts.h"
#include "raster/scene.h"
#include "raster/texture.h"

#include <QImage>
#include <QPainter>
#include <QRegion>

#include <algorithm>
#include <cmath>
#include <limits>

namespace fw {

namespace {

// No glyph reaches a picture from a pen this far away.
constexpr double kFarthestPen = 1 << 24;

// Whether a text at the size and pen can show any ink.
bool Inks(int size, std::string_view text, int x, int y)
{
    return size >= 1 && !text.empty() && std::abs(static_cast<double>(x)) <= kFarthestPen
        && std::abs(static_cast<double>(y)) <= kFarthestPen;
}

raster::Box ToBox(const QRect &rect)
{
    return {rect.left(), rect.top(), rect.width(), rect.height()};
}

// The box within the 32-bit range.
Rect ToRect(const raster::Box &box)
{
    if (box.Empty())
        return {};
    constexpr std::int64_t kLow = std::numeric_limits<int>::min() / 2;
    constexpr std::int64_t kHigh = std::numeric_limits<int>::max() / 2;
    const std::int64_t left = std::clamp(box.left, kLow, kHigh);
    const std::int64_t top = std::clamp(box.top, kLow, kHigh);
    const std::int64_t right = std::clamp(box.left + box.width, kLow, kHigh);
    const std::int64_t bottom = std::clamp(box.top + box.height, kLow, kHigh);
    return Rect{
        static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left), static_cast<int>(bottom - top)};
}

QRect ToQRect(const raster::Box &box)
{
    const Rect rect = ToRect(box);
    return QRect(rect.left, rect.top, rect.width, rect.height);
}

} // namespace

namespace {

struct SharedFonts {
    std::unique_ptr<raster::Fonts> current;
    // Fonts still drawn with by pictures made before a fresh start.
    std::vector<std::unique_ptr<raster::Fonts>> retired;
};

SharedFonts &Shared()
{
    // FreeType's library first, so that it outlives the faces.
    raster::Library();
    static SharedFonts fonts;
    return fonts;
}

} // namespace

void ForgetFonts()
{
    SharedFonts &shared = Shared();
    if (shared.current)
        shared.retired.push_back(std::move(shared.current));
}

Color RGB(int red, int green, int blue)
{
    const auto component = [](int value) { return static_cast<std::uint8_t>(std::clamp(value, 0, 255)); };
    return Color{component(red), component(green), component(blue)};
}

Graphics::Graphics(raster::Texture &texture, std::function<void(const QRegion &)> changed)
    : texture_(&texture)
    , changed_(std::move(changed))
    , scene_(std::make_unique<raster::Scene>())
{
}

Graphics::Graphics(QPainter &painter, const QRect &exposed)
    : painter_(&painter)
    , exposed_{exposed.left(), exposed.top(), exposed.width(), exposed.height()}
{
}

Graphics::Graphics(QPainter &painter)
    : painter_(&painter)
{
}

Graphics::~Graphics() = default;

int Graphics::Width() const
{
    return texture_ ? texture_->Width() : painter_->device()->width();
}

int Graphics::Height() const
{
    return texture_ ? texture_->Height() : painter_->device()->height();
}

void Graphics::SetTextFont(std::string family)
{
    if (family != textFont_)
        font_.reset();
    textFont_ = std::move(family);
}

void Graphics::SetTextSize(int pixels)
{
    if (pixels != textSize_)
        font_.reset();
    textSize_ = pixels;
}

void Graphics::SetBold(bool bold)
{
    if (bold != bold_)
        font_.reset();
    bold_ = bold;
}

void Graphics::SetItalic(bool italic)
{
    if (italic != italic_)
        font_.reset();
    italic_ = italic;
}

void Graphics::SetDistanceField(int spread)
{
    if (spread != fieldSpread_)
        font_.reset();
    fieldSpread_ = spread;
}

raster::Font &Graphics::Font()
{
    if (!font_) {
        std::unique_ptr<raster::Fonts> &fonts = Shared().current;
        if (!fonts)
            fonts = std::make_unique<raster::Fonts>();
        font_ = fonts->Of(textFont_, textSize_, bold_, italic_, fieldSpread_);
    }
    return *font_;
}

QRgb Graphics::ForeColor() const
{
    return qRgb(foreColor_.red, foreColor_.green, foreColor_.blue);
}

void Graphics::Changed(const QRect &area)
{
    if (changed_ && !area.isEmpty())
        changed_(QRegion(area));
}

void Graphics::Flush()
{
    if (!scene_ || !scene_->Open())
        return;
    QRegion changed;
    for (const raster::Box &box : scene_->Show(*texture_))
        changed += ToQRect(box);
    if (changed_ && !changed.isEmpty())
        changed_(changed);
}

void Graphics::DrawDirectly()
{
    if (!texture_)
        return;
    Flush();
    scene_->Forget();
}

void Graphics::DrawRect(int x, int y, int width, int height)
{
    if (width <= 0 || height <= 0)
        return;
    if (!texture_) {
        painter_->setPen(QPen(QColor(ForeColor()), 0));
        painter_->setBrush(Qt::NoBrush);
        painter_->drawRect(QRectF(x + 0.5, y + 0.5, width - 1, height - 1));
        return;
    }
    DrawDirectly();
    for (const raster::Box &edge : {raster::Box{x, y, width, 1}, raster::Box{x, y + height - 1, width, 1},
             raster::Box{x, y, 1, height}, raster::Box{x + width - 1, y, 1, height}})
        texture_->Fill(edge, foreColor_.green);
    Changed(QRect(x, y, width, height));
}

void Graphics::FillRect(int x, int y, int width, int height)
{
    if (width <= 0 || height <= 0)
        return;
    const QRect area(x, y, width, height);
    if (!texture_) {
        painter_->fillRect(area, QColor(ForeColor()));
        return;
    }
    if (area.contains(QRect(0, 0, Width(), Height()))) {
        scene_->Begin(foreColor_.green);
        return;
    }
    DrawDirectly();
    texture_->Fill(ToBox(area), foreColor_.green);
    Changed(area);
}

int Graphics::StringWidth(std::string_view text)
{
    return ToInt32(std::round(TextWidth(text)));
}

double Graphics::TextWidth(std::string_view text)
{
    if (textSize_ < 1 || text.empty())
        return 0;
    return Font().Advance(text);
}

std::vector<double> Graphics::Kernings(const std::vector<std::string> &texts)
{
    if (textSize_ < 1)
        return std::vector<double>(texts.size() * texts.size(), 0.0);
    return Font().Kernings(texts);
}

double Graphics::Ascent()
{
    return textSize_ < 1 ? 0 : Font().Ascent();
}

double Graphics::LineSpacing()
{
    return textSize_ < 1 ? 0 : Font().LineSpacing();
}

int Graphics::DrawnSize()
{
    return textSize_ < 1 ? 0 : Font().DrawnSize();
}

void Graphics::DrawString(std::string_view text, int x, int y)
{
    if (!Inks(textSize_, text, x, y))
        return;
    const raster::Box bounds{0, 0, Width(), Height()};
    if (texture_ && scene_->Open()) {
        Font();
        scene_->Add(std::string(text), x, y, font_);
        return;
    }
    const raster::Placed placed = Font().Place(text, x, y, bounds);
    if (placed.box.Empty())
        return;
    if (texture_) {
        // Onto what was drawn directly: at once.
        DrawDirectly();
        for (const raster::Blit &blit : placed.blits)
            texture_->Draw(blit, bounds);
        Changed(ToQRect(placed.box));
        return;
    }
    // Onto a device: the glyphs' coverage as the alpha of the fore colour.
    raster::Texture coverage(static_cast<int>(placed.box.width), static_cast<int>(placed.box.height));
    for (raster::Blit blit : placed.blits) {
        blit.x -= placed.box.left;
        blit.y -= placed.box.top;
        coverage.Draw(blit, coverage.Bounds());
    }
    QImage alpha(coverage.Line(0), coverage.Width(), coverage.Height(), coverage.Width(), QImage::Format_Alpha8);
    QImage coloured(alpha.size(), QImage::Format_ARGB32_Premultiplied);
    coloured.fill(QColor(ForeColor()));
    coloured.setAlphaChannel(alpha);
    painter_->drawImage(QPoint(static_cast<int>(placed.box.left), static_cast<int>(placed.box.top)), coloured);
}

Rect Graphics::InkRect(std::string_view text, int x, int y)
{
    if (!Inks(textSize_, text, x, y))
        return {};
    return ToRect(Font().InkBox(text, x, y));
}

Rect Graphics::DrawnInk(std::string_view text, int x, int y)
{
    if (!Inks(textSize_, text, x, y))
        return {};
    return ToRect(Font().Place(text, x, y, raster::Box{0, 0, Width(), Height()}).box);
}

void Graphics::MapGreys(const std::array<std::uint8_t, 256> &map)
{
    if (!texture_)
        return;
    DrawDirectly();
    for (int row = 0; row < Height(); ++row) {
        std::uint8_t *line = texture_->Line(row);
        for (int column = 0; column < Width(); ++column)
            line[column] = map[line[column]];
    }
    Changed(QRect(0, 0, Width(), Height()));
}

void Graphics::DrawPicture(const Picture &picture, int x, int y, int width, int height, int sourceX, int sourceY,
    int sourceWidth, int sourceHeight, Blend blend)
{
    const auto given = [](int value, int otherwise) { return value == kNotGiven ? otherwise : value; };
    QRect source(sourceX, sourceY, given(sourceWidth, picture.Width()), given(sourceHeight, picture.Height()));
    QRect target(x, y, given(width, picture.Width()), given(height, picture.Height()));
    if (source.isEmpty() || target.isEmpty())
        return;
    if (texture_) {
        // Greys onto greys: by lines, scaled first when the sizes differ.
        DrawDirectly();
        const QImage scaled = source.size() == target.size()
            ? QImage()
            : picture.Scaled(source, target.size()).convertToFormat(QImage::Format_Grayscale8);
        const QImage &from = scaled.isNull() ? picture.Greys() : scaled;
        const QPoint origin = scaled.isNull() ? source.topLeft() : QPoint();
        const QRect area = target & QRect(0, 0, Width(), Height()) & QRect(target.topLeft() - origin, from.size());
        for (int row = area.top(); row <= area.bottom(); ++row) {
            std::uint8_t *to = texture_->Line(row) + area.left();
            const std::uint8_t *line
                = from.constScanLine(row - target.top() + origin.y()) + (area.left() - target.left() + origin.x());
            if (blend == Blend::Lighten)
                LightenLine(to, line, area.width());
            else
                std::copy_n(line, area.width(), to);
        }
        Changed(area);
        return;
    }
    // Unscaled or enlarged by a whole factor: only the part that lands on the
    // device is worth copying and enlarging.
    const int factor = target.width() / source.width();
    if (factor >= 1 && target.size() == source.size() * factor) {
        const QRect device(0, 0, Width(), Height());
        const QRect shown
            = exposed_.Empty() ? device : QRect(exposed_.left, exposed_.top, exposed_.width, exposed_.height) & device;
        const QRect visible = target & shown;
        if (visible.isEmpty())
            return;
        // Whole source pixels: those the visible part begins and ends in.
        const QPoint first((visible.left() - target.left()) / factor, (visible.top() - target.top()) / factor);
        const QPoint last((visible.right() - target.left()) / factor, (visible.bottom() - target.top()) / factor);
        source = QRect(source.topLeft() + first, source.topLeft() + last);
        target = QRect(target.topLeft() + first * factor, source.size() * factor);
    }
    const qreal ratio = painter_->device()->devicePixelRatioF();
    const QSize devicePixels(
        static_cast<int>(std::lround(target.width() * ratio)), static_cast<int>(std::lround(target.height() * ratio)));
    QImage scaled = picture.Scaled(source, devicePixels);
    scaled.setDevicePixelRatio(ratio);
    painter_->setCompositionMode(
        blend == Blend::Lighten ? QPainter::CompositionMode_Lighten : QPainter::CompositionMode_SourceOver);
    painter_->drawImage(target.topLeft(), scaled);
    painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

} // namespace fw
