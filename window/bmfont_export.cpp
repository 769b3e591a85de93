#include "window/window1.h"

#include "framework/exceptions.h"
#include "framework/files.h"
#include "framework/graphics_exporter.h"
#include "framework/message.h"
#include "framework/picture.h"
#include "framework/text.h"

#include <filesystem>

namespace vantor {
namespace {

// A text as the message names it: readable, and cut short when long.
std::string Named(const std::string &text)
{
    constexpr int kLongest = 16;
    const std::string start = fw::Mid(text, 1, kLongest);
    return fw::ReadableName(start) + (start.size() < text.size() ? "\xE2\x80\xA6" : "");
}

} // namespace

void Window1::FileExportBMFont_Action()
{
    const std::shared_ptr<fw::FolderItem> location = fw::GetSaveFolderItem("font/fnt", "untitled.fnt");
    if (!location)
        return;
    const std::vector<std::string> several = ExportBMFont(location->Path());
    if (several.empty())
        return;
    std::string names;
    for (const std::string &text : several)
        names += " " + Named(text);
    fw::ShowMessage("Not exported, more than one character:" + names);
}

std::vector<std::string> Window1::ExportBMFont(const std::string &fntPath)
{
    const std::filesystem::path fnt(fntPath);
    const std::string pageName = fnt.stem().string() + "_0.png";
    // The .fnt names its page between double quotes, which no reader escapes.
    if (pageName.find('"') != std::string::npos)
        throw fw::IOException(fw::CannotSave(fntPath, "a BMFont page name cannot hold a double quote"));
    const std::string pagePath = (fnt.parent_path() / pageName).string();
    std::vector<std::string> several;
    const std::string text = BMFontText(pageName, several);
    // The page first: a reader never finds a new .fnt beside an old page.
    fw::SaveFiles({{pagePath,
                       fw::EncodePng(fw::NotNil(CurrentFontMap), fw::PngColours::WhiteOnGreyAlpha,
                           fw::GraphicsExporter::kDefaultCompression, pagePath)},
        {fntPath, text}});
    return several;
}

} // namespace vantor
