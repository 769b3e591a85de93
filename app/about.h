#pragma once

#include <string>

namespace vantor {

// What Help > About says: the program's version and licence, and the
// versions of Qt, FreeType and HarfBuzz it runs with.
std::string AboutText();
// Help > About Vantor Font Mapper.
void ShowAbout();

} // namespace vantor
