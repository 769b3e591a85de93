#pragma once

#include "framework/kept_ink.h"

#include <QPoint>
#include <QRect>
#include <QRect>
#include <QSize>
#include <QString>

namespace fw {

struct FontState;

// The text's ink at a pen on a picture of `picture` size: kept by text when
// it could be drawn whole, and drawn the same way every time, so that the
// same text gives the same bytes whatever was drawn before. Null when none
// of it reaches the picture.
InkPointer InkOf(FontState &state, const QString &text, QPoint pen, QSize picture);

// What the text's outline covers around a pen at (0, 0), the synthetic bold
// stroke included, to at most 2^24 pixels; null for a text without outline,
// for one with a glyph that has none (a colour emoji among letters) and for
// a font of bitmaps only, which Qt would switch to another of its sizes to
// load one.
QRect OutlineBounds(FontState &state, const QString &text);

} // namespace fw
