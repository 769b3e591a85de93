#include "framework/graphics.h"

#include "framework/picture.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QStringList>
#include <QTextBoundaryFinder>

#include <algorithm>

namespace fw {
namespace {

QFont QtFont(const ToolkitFont &toolkit)
{
    QFont font(QString::fromStdString(toolkit.family));
    font.setPixelSize(std::max(toolkit.pixelSize, 1));
    font.setBold(toolkit.bold);
    font.setItalic(toolkit.italic);
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

double ToolkitLineWidth(const ToolkitFont &font, std::string_view text)
{
    if (font.pixelSize < 1 || text.empty())
        return 0;
    const QFontMetricsF metrics(QtFont(font));
    double width = 0;
    for (const QString &piece : Pieces(text))
        width += metrics.horizontalAdvance(piece);
    return width;
}

std::shared_ptr<Picture> ToolkitLine(
    const ToolkitFont &font, std::string_view text, int width, int height, int x, int y)
{
    if (font.pixelSize < 1 || text.empty())
        return std::make_shared<Picture>(width, height, 32);
    const QFont qtFont = QtFont(font);
    const QFontMetricsF metrics(qtFont);
    QImage sheet(width, height, QImage::Format_ARGB32_Premultiplied);
    sheet.fill(Qt::transparent);
    {
        QPainter painter(&sheet);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        painter.setFont(qtFont);
        painter.setPen(Qt::white);
        double pen = x;
        for (const QString &piece : Pieces(text)) {
            if (pen > width)
                break;
            painter.drawText(QPointF(pen, y), piece);
            pen += metrics.horizontalAdvance(piece);
        }
    }
    // White on transparent: the alpha is the coverage.
    QImage greys(width, height, QImage::Format_Grayscale8);
    for (int row = 0; row < height; ++row) {
        const auto *from = reinterpret_cast<const QRgb *>(sheet.constScanLine(row));
        uchar *to = greys.scanLine(row);
        for (int column = 0; column < width; ++column)
            to[column] = static_cast<uchar>(qAlpha(from[column]));
    }
    return std::make_shared<Picture>(greys);
}

} // namespace fw
