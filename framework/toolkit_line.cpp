#include "framework/graphics.h"

#include "raster/texture.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QStringList>
#include <QTextBoundaryFinder>

#include <algorithm>

namespace fw {
namespace {

QFont ToolkitFont(const std::string &family, int pixelSize, bool bold, bool italic)
{
    QFont font(QString::fromStdString(family));
    font.setPixelSize(std::max(pixelSize, 1));
    font.setBold(bold);
    font.setItalic(italic);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::NoSubpixelAntialias);
    return font;
}

// Qt lays text out in 26.6 fixed point, which wraps beyond 2^25 pixels: a
// long text goes to it in pieces, split between characters.
QStringList Pieces(std::string_view text)
{
    constexpr qsizetype kLongest = 1024;
    const QString whole = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    QStringList pieces;
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, whole);
    qsizetype start = 0;
    while (start < whole.size()) {
        graphemes.setPosition(std::min(start + kLongest, whole.size()));
        if (!graphemes.isAtBoundary())
            graphemes.toNextBoundary();
        const qsizetype end = graphemes.position() > start ? graphemes.position() : whole.size();
        pieces << whole.mid(start, end - start);
        start = end;
    }
    return pieces;
}

} // namespace

double Graphics::ToolkitLineWidth(std::string_view text)
{
    if (textSize_ < 1 || text.empty())
        return 0;
    const QFontMetricsF metrics(ToolkitFont(textFont_, textSize_, bold_, italic_));
    double width = 0;
    for (const QString &piece : Pieces(text))
        width += metrics.horizontalAdvance(piece);
    return width;
}

void Graphics::DrawToolkitLine(std::string_view text, int x, int y)
{
    if (!texture_ || textSize_ < 1 || text.empty())
        return;
    DrawDirectly();
    const QFont font = ToolkitFont(textFont_, textSize_, bold_, italic_);
    const QFontMetricsF metrics(font);
    QImage sheet(Width(), Height(), QImage::Format_ARGB32_Premultiplied);
    sheet.fill(Qt::transparent);
    {
        QPainter painter(&sheet);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        painter.setFont(font);
        painter.setPen(Qt::white);
        double pen = x;
        for (const QString &piece : Pieces(text)) {
            if (pen > Width())
                break;
            painter.drawText(QPointF(pen, y), piece);
            pen += metrics.horizontalAdvance(piece);
        }
    }
    // White on transparent: the alpha is the coverage, kept where brighter.
    for (int row = 0; row < Height(); ++row) {
        const auto *from = reinterpret_cast<const QRgb *>(sheet.constScanLine(row));
        std::uint8_t *to = texture_->Line(row);
        for (int column = 0; column < Width(); ++column)
            to[column] = std::max(to[column], static_cast<std::uint8_t>(qAlpha(from[column])));
    }
    Changed(QRect(0, 0, Width(), Height()));
}

} // namespace fw
