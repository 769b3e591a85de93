#include "framework/text_pieces.h"

#include <QFontMetricsF>
#include <QList>
#include <QTextBoundaryFinder>

#include <algorithm>

namespace fw {
bool HasRightToLeft(const QString &text)
{
    const QList<uint> codes = text.toUcs4();
    return std::any_of(codes.begin(), codes.end(), [](uint code) {
        switch (QChar::direction(code)) {
        case QChar::DirR:
        case QChar::DirAL:
        case QChar::DirRLE:
        case QChar::DirRLO:
        case QChar::DirRLI:
            return true;
        default:
            return false;
        }
    });
}


QStringList SafePieces(const QString &text, int pixelSize)
{
    const auto maxLength = static_cast<qsizetype>(kMaxCoordinate / (kMaxAdvanceEms * std::max(pixelSize, 1)));
    if (text.size() <= maxLength)
        return {text};
    QStringList pieces;
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, text);
    qsizetype start = 0;
    while (start < text.size()) {
        graphemes.setPosition(std::min(start + std::max<qsizetype>(maxLength, 1), text.size()));
        if (!graphemes.isAtBoundary())
            graphemes.toPreviousBoundary();
        qsizetype end = graphemes.position();
        if (end <= start)
            end = graphemes.toNextBoundary();
        pieces << text.mid(start, end - start);
        start = end;
    }
    return pieces;
}

double SafeAdvance(const QFontMetricsF &metrics, const QString &text, int pixelSize)
{
    double advance = 0;
    for (const QString &piece : SafePieces(text, pixelSize))
        advance += metrics.horizontalAdvance(piece);
    return advance;
}

QString VisiblePart(const QString &text, const QFontMetricsF &metrics, int pixelSize, double left, double edge)
{
    constexpr qsizetype kLong = 256;
    constexpr qsizetype kStep = 64;
    if (text.size() <= kLong || HasRightToLeft(text))
        return text;
    const double end = edge + 4.0 * kMaxAdvanceEms * pixelSize;
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, text);
    double advance = 0;
    qsizetype start = 0;
    while (start < text.size() && left + advance <= end) {
        graphemes.setPosition(std::min(start + kStep, text.size()));
        if (!graphemes.isAtBoundary())
            graphemes.toNextBoundary();
        const qsizetype next = graphemes.position() > start ? graphemes.position() : text.size();
        advance += metrics.horizontalAdvance(text.mid(start, next - start));
        start = next;
    }
    return text.left(start);
}

} // namespace fw
