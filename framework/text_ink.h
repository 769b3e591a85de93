#pragma once

#include "framework/kept_ink.h"

#include <QPainter>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <QString>

namespace fw {

struct FontState;

// Draws a text's glyphs in white: Qt's own drawing, which draws every kind
// of glyph (outlines, bitmaps, colour).
void PaintGlyphs(QPainter &painter, const FontState &state, const QString &text, QPointF pen);
// Draws the outline stroke of a synthetic bold, if the font state has one.
void PaintBoldStroke(QPainter &painter, const FontState &state, const QString &text, QPointF pen);

// The text's ink at a pen on a picture of `picture` size: kept by text when
// it could be drawn whole, and drawn the same way every time, so that the
// same text gives the same bytes whatever was drawn before. Null when none
// of it reaches the picture.
InkPointer InkOf(FontState &state, const QString &text, QPoint pen, QSize picture);

} // namespace fw
