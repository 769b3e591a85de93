#pragma once

#include <QString>
#include <QStringList>

class QFontMetricsF;

namespace fw {

// Qt lays text out and rasterises in 26.6 fixed point, which wraps beyond
// 2^25 pixels; no position or advance beyond this is handed to it.
inline constexpr double kMaxCoordinate = 1 << 24;

// No glyph advances further than this many ems.
inline constexpr double kMaxAdvanceEms = 2.0;

// Whether the text holds a character written from right to left.
bool HasRightToLeft(const QString &text);

// A text that could advance beyond kMaxCoordinate, split into pieces that
// cannot, at grapheme boundaries; ordinary texts stay whole.
QStringList SafePieces(const QString &text, int pixelSize);

// The advance of a text of any length, measured in safe pieces.
double SafeAdvance(const QFontMetricsF &metrics, const QString &text, int pixelSize);

// Qt lays out and loads every glyph of a text it draws, even far outside
// the target. Of a long left-to-right text starting at `left`, the part up
// to where it has passed `edge` by a margin: what changes at the cut lies
// beyond it. Right-to-left text stays whole, as its order decides what shows.
QString VisiblePart(const QString &text, const QFontMetricsF &metrics, int pixelSize, double left, double edge);

} // namespace fw
