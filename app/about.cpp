#include "app/about.h"

#include "raster/freetype.h"

#include "framework/message.h"

namespace vantor {

std::string AboutText()
{
    return "Vantor Font Mapper " VANTOR_VERSION "\n"
           "Turns an installed typeface into a bitmap font: a texture of 100 characters and their widths.\n"
           "Free software under the MIT licence.\n\n"
           "Qt "
        + fw::ToolkitVersion() + ", " + raster::LibraryVersions();
}

void ShowAbout()
{
    fw::ShowAbout("About Vantor Font Mapper", AboutText());
}

} // namespace vantor
