#pragma once

#include "framework/kept_ink.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QRawFont>
#include <QRect>
#include <QString>

#include <cstdint>
#include <memory>
#include <string>

namespace fw {

// What texts are measured and drawn with, for one family, size and style,
// and what is kept of them while it lasts.
struct FontState {
    // Bold and italic show at every size, synthesised when the family has
    // no such face.
    static std::shared_ptr<FontState> Make(const std::string &family, int pixelSize, bool bold, bool italic);
    // The same, kept with what it measured and drew for a few changes more:
    // going back to a font, size or style used a moment ago, as a user
    // comparing two does, finds it all again.
    static std::shared_ptr<FontState> Recent(const std::string &family, int pixelSize, bool bold, bool italic);
    // Forgets the font states kept for Recent: the next render starts from
    // scratch.
    static void ForgetRecent();

    // The advance of a text, kept for short texts.
    double Advance(const QString &text);

    QFont font;
    QFontMetricsF metrics{QFont()};
    int pixelSize = 0;
    bool italic = false;
    // Pen width of the outline stroke that makes a synthetic bold.
    qreal boldStroke = 0;
    // A font of bitmaps only: it has no outlines, and is emboldened a pixel
    // to the right.
    bool bitmapsOnly = false;
    bool boldBitmap = false;
    // Tells font states apart for as long as the program runs.
    std::uint64_t serial = 0;
    KeptInk inks;
    // What each text's outline covers, kept (see OutlineBounds).
    QHash<QString, QRect> outlines;
    // Whether each face met, this one or a fallback, has outlines.
    QHash<QRawFont, bool> outlined;
    // Where texts are drawn alone before their ink is taken, kept open as
    // long as the font state: setting a painter up costs a third of
    // drawing a character.
    struct Sheet {
        QImage image;
        std::unique_ptr<QPainter> painter; // after the image, so ended first
    };
    Sheet glyphSheet;
    Sheet strokeSheet;

private:
    QHash<QString, double> advances_;
};

} // namespace fw
