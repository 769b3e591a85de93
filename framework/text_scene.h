#pragma once

#include "framework/kept_ink.h"

#include <QImage>
#include <QRegion>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace fw {

struct FontState;

// The texts drawn onto a picture since it was last filled whole, and those
// its pixels show: when a fill and the same texts come again with some of
// them changed, only where those lie, before and after, is drawn anew. The
// bytes are those of drawing everything: the fill, then each text's ink in
// order, by exact arithmetic.
class TextScene {
public:
    // A fill of the whole picture: a new scene.
    void Begin(QRgb fill);
    bool Open() const { return next_.has_value(); }
    // Within the open scene.
    void Add(const QString &text, QPoint pen, QRgb colour, std::shared_ptr<FontState> state);
    // Makes the picture show the open scene and closes it; gives the area
    // drawn anew.
    QRegion Show(QImage &picture);
    // The picture's pixels were changed otherwise: the next scene is drawn
    // whole.
    void Forget() { shown_.reset(); }

private:
    struct Text {
        QString text;
        QPoint pen;
        QRgb colour = 0;
        std::shared_ptr<FontState> state;
        InkPointer ink; // null when not drawn yet, or dropped for its size
        QRect placed; // where its ink lies, once known
        bool placedKnown = false;
    };
    struct Scene {
        QRgb fill = 0;
        std::vector<Text> texts;
    };
    static bool Same(const Text &a, const Text &b);
    // When every text of the next scene is one shown, moved by the same
    // offset, with ink that does not depend on where it lies: the offset.
    std::optional<QPoint> Moved(const Scene &next) const;
    // Moves the pixels by the offset; gives the area it brings in from
    // outside the picture.
    static QRegion Scroll(QImage &picture, QPoint offset);
    static void Ink(Text &text, QSize picture);
    static void Fill(QImage &picture, const QRect &area, QRgb fill);
    QRegion Changed(Scene &next, QSize picture) const;

    std::optional<Scene> next_;
    std::optional<Scene> shown_;
};

} // namespace fw
