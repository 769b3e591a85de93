#pragma once

namespace fw {

// Drops Qt's notice that a font lacks the OpenType tables for a script in a
// text (Syriac with DejaVu, say): Qt prints it for every font and size it
// tries, and the preview already shows the missing glyphs. Every other
// message goes on to the handler installed before this call.
void InstallMessageFilter();

} // namespace fw
