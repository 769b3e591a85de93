#pragma once

#include <QHash>
#include <QImage>
#include <QRect>
#include <QString>

#include <memory>

namespace fw {

// A text's ink drawn alone: how much of each pixel it covers (an 8-bit
// image), and where its top left corner lies from the pen. Null when the
// text leaves no ink. Drawn the same way whenever it is drawn, so kept ink
// and fresh ink are the same bytes.
struct Ink {
    QImage coverage;
    QPoint offset;
    // Drawn the same wherever the pen is; false for ink cut to the picture.
    bool whole = true;

    QRect Placed(QPoint pen) const { return coverage.isNull() ? QRect() : QRect(pen + offset, coverage.size()); }
};
using InkPointer = std::shared_ptr<const Ink>;

// Ink kept by text while one font state lasts; most renders draw the texts
// of the last one again. Bounded: beyond its budget it starts afresh.
class KeptInk {
public:
    InkPointer Find(const QString &text) const { return inks_.value(text); }
    void Keep(const QString &text, InkPointer ink);

private:
    QHash<QString, InkPointer> inks_;
    qsizetype bytes_ = 0;
};

// Covers the RGB32 picture with `colour` as far as the ink covers it, within
// `clip`: each component c becomes (colour * a + c * (255 - a)) / 255,
// rounded, for coverage a. Exact integer arithmetic, so that drawing a part
// again gives the same bytes as drawing the whole.
void CompositeInk(QImage &picture, const Ink &ink, QPoint pen, QRgb colour, const QRect &clip);

} // namespace fw
