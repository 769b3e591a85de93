#include "framework/graphics.h"

#include "framework/picture.h"

#include <QImage>
#include <QPainter>
#include <QTextOption>

#include <algorithm>
#include <cmath>

namespace fw {

Color RGB(int red, int green, int blue)
{
    const auto component = [](int value) { return static_cast<std::uint8_t>(std::clamp(value, 0, 255)); };
    return Color{component(red), component(green), component(blue)};
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

int Graphics::Width() const
{
    return painter_->device()->width();
}

int Graphics::Height() const
{
    return painter_->device()->height();
}

void Graphics::DrawRect(int x, int y, int width, int height)
{
    if (width <= 0 || height <= 0)
        return;
    painter_->setPen(QPen(QColor(foreColor_.red, foreColor_.green, foreColor_.blue), 0));
    painter_->setBrush(Qt::NoBrush);
    painter_->drawRect(QRectF(x + 0.5, y + 0.5, width - 1, height - 1));
}

void Graphics::FillRect(int x, int y, int width, int height)
{
    if (width <= 0 || height <= 0)
        return;
    painter_->fillRect(QRect(x, y, width, height), QColor(foreColor_.red, foreColor_.green, foreColor_.blue));
}

void Graphics::DrawPicture(const Picture &picture, int x, int y, int width, int height, int sourceX, int sourceY,
    int sourceWidth, int sourceHeight)
{
    const auto given = [](int value, int otherwise) { return value == kNotGiven ? otherwise : value; };
    QRect source(sourceX, sourceY, given(sourceWidth, picture.Width()), given(sourceHeight, picture.Height()));
    QRect target(x, y, given(width, picture.Width()), given(height, picture.Height()));
    if (source.isEmpty() || target.isEmpty())
        return;
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
    painter_->drawImage(target.topLeft(), scaled);
}

void Graphics::DrawNotice(std::string_view text)
{
    if (text.empty())
        return;
    const QString notice = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const int margin = painter_->fontMetrics().height() / 2;
    const QRectF room(margin, margin, Width() - 2 * margin, Height() - 2 * margin);
    // A path has no spaces to break at: it breaks where it must.
    QTextOption option(Qt::AlignLeft | Qt::AlignTop);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    const QRectF needed = painter_->boundingRect(room, notice, option) & room;
    painter_->fillRect(QRectF(0, 0, Width(), needed.height() + 2 * margin), QColor(32, 32, 32, 224));
    painter_->setPen(QColor(255, 255, 255));
    painter_->drawText(room, notice, option);
}

} // namespace fw
