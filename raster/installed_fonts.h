#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace raster {

// The installed families as fontconfig knows them: each once, by the first
// of its names (the one fontconfig finds it by in every locale), in
// alphabetical order, case aside.
std::vector<std::string> InstalledFamilies();

// The installed family fontconfig draws for a name, an alias such as
// "Courier" included; empty when no font is installed at all.
std::string FamilyDrawnFor(const std::string &name);

// Whether two family names are one to fontconfig: case and blanks aside.
bool SameFamilyName(std::string_view a, std::string_view b);

// Reads fontconfig's configuration again where a font folder or one of its
// files changed since it was read, so that fonts installed or removed since
// are found; true when it did.
bool RescanInstalledFonts();

} // namespace raster
