#pragma once

#include <string>

namespace fw {

// The installed font families as fontconfig names them, each once, in
// alphabetical order: the names the renderer finds them by. Read again when
// the installed fonts change.
int FontCount();
// Throws OutOfBoundsException for an index outside 0..FontCount()-1.
std::string Font(int index);
// The installed family drawn for a name, an alias such as "Courier"
// included; empty when no font is installed.
std::string FontDrawnFor(const std::string &name);

// Looks whether fonts were installed or removed since the list was read
// (fontconfig reads its fonts anew where a font folder changed), and if so
// raises InstalledFontsChanged in every open window. Runs by itself
// whenever the application becomes active again and when Qt says its fonts
// changed.
void CheckInstalledFonts();

} // namespace fw
