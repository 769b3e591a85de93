#include "window/window1.h"

#include "framework/atomic_file.h"
#include "framework/clipboard.h"
#include "framework/exceptions.h"
#include "framework/files.h"
#include "framework/graphics_exporter.h"

namespace vantor {

void Window1::btnSave_Action()
{
    const std::shared_ptr<fw::FolderItem> location = fw::GetSaveFolderItem("image/png", "untitled.png");
    if (!location)
        return;
    // A folder that is not there is said before any further question.
    fw::AtomicFile::CheckReplaceable(location->Path());
    const std::shared_ptr<fw::GraphicsExporter> exporter = fw::GetQTGraphicsExporter("PNGf");
    if (!exporter)
        throw fw::IOException(fw::CannotSave(location->Path(), "no PNG encoder is available"));
    // However the settings dialog is left, the picture is written with the
    // level it showed. Type and creator codes have no place on Linux file
    // systems.
    exporter->RequestSettings();
    exporter->SavePicture(*location, fw::NotNil(CurrentFontMap));
}

void Window1::btnCopy_Action()
{
    fw::Clipboard clipboard;
    clipboard.SetPicture(fw::NotNil(CurrentFontMap));
}

} // namespace vantor
