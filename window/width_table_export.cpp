#include "window/window1.h"

#include "framework/clipboard.h"
#include "framework/exceptions.h"
#include "framework/files.h"

namespace vantor {

void Window1::btnSaveWidths_Action()
{
    const std::shared_ptr<fw::FolderItem> location = fw::GetSaveFolderItem("text/any", "Untited.txt");
    if (!location)
        return;
    const std::shared_ptr<fw::TextOutputStream> file = location->CreateTextFile();
    fw::NotNil(file).Write(CharWidthTable());
    file->Close();
}

void Window1::btnCopyWidths_Action()
{
    fw::Clipboard clipboard;
    clipboard.SetText(CharWidthTable());
}

} // namespace vantor
