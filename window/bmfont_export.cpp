#include "window/window1.h"

#include "fontmap/bmfont.h"

#include "framework/atomic_file.h"
#include "framework/exceptions.h"
#include "framework/files.h"
#include "framework/graphics_exporter.h"
#include "framework/listbox.h"
#include "framework/message.h"
#include "framework/picture.h"
#include "framework/text.h"

#include <filesystem>

namespace vantor {
namespace {

// The page beside the font's description: its name, with "_0" for the first
// page.
std::filesystem::path PagePath(const std::filesystem::path &description)
{
    return description.parent_path() / (description.stem().string() + "_0.png");
}

} // namespace

void Window1::FileExportBMFont_Action()
{
    const std::shared_ptr<fw::FolderItem> location = fw::GetSaveFolderItem("font/bmfont", "untitled.fnt");
    if (!location)
        return;
    // The save dialog asked about the description only; the page it already
    // replaces with it. A page without its description is someone else's
    // file. A page that cannot be replaced is said at once, not after a
    // question.
    std::error_code error;
    const std::string page = PagePath(location->Path()).string();
    fw::AtomicFile::CheckReplaceable(page);
    if (!std::filesystem::exists(location->Path(), error) && std::filesystem::exists(page, error)
        && !fw::AskToReplace(page))
        return;
    const std::string caveats = ExportBMFont(location->Path());
    if (!caveats.empty())
        fw::ShowMessage(caveats);
}

std::string Window1::ExportBMFont(const std::string &path)
{
    const std::filesystem::path page = PagePath(path);
    const std::string pageName = page.filename().string();
    const bool xml = fw::SameText(std::filesystem::path(path).extension().string(), ".xml");
    // The text format names its page between double quotes, which no reader
    // escapes.
    if (!xml && pageName.find('"') != std::string::npos)
        throw fw::IOException(fw::CannotSave(path, "a BMFont page name cannot hold a double quote"));
    const std::string pagePath = page.string();
    std::vector<std::string> several;
    const BMFont font = BMFontOf(pageName, several);
    // The page first: a reader never finds a new description beside an old
    // page.
    fw::SaveFiles({{pagePath,
                       fw::EncodePng(fw::NotNil(CurrentFontMap), fw::PngColours::WhiteOnGreyAlpha,
                           fw::GraphicsExporter::kDefaultCompression, pagePath)},
        {path, xml ? BMFontXml(font) : BMFontText(font)}});
    return EngineCaveats(several);
}

std::string Window1::EngineCaveats(const std::vector<std::string> &several)
{
    const auto &widths = Find<fw::Listbox>("lstWidths");
    std::vector<std::string> lines;
    if (!several.empty())
        lines.push_back("Not exported, more than one character:" + NamedCells(several));
    const std::vector<fw::Rect> inks = InkOfLastRender();
    std::vector<std::string> overflowing;
    for (const int cell : OverflowingCells(inks))
        overflowing.push_back(widths.Cell(cell, 0));
    if (!overflowing.empty()) {
        lines.push_back("Ink outside its cell, which engines cut off or draw beside a neighbour:"
            + NamedCells(overflowing) + ". View > Show Cell Overflow marks these cells; View > Fit Glyphs to "
            "Cells fits every glyph inside its cell.");
    }
    if (const std::vector<std::string> inkless = CellsWithoutInk(inks); !inkless.empty())
        lines.push_back(NoInkLine(inkless));
    bool space = false;
    for (int cell = 0; cell < widths.ListCount() && !space; ++cell)
        space = widths.Cell(cell, 0) == " ";
    if (!space)
        lines.push_back("No cell holds a space (U+0020): engines advance nothing between words.");
    std::string caveats;
    for (const std::string &line : lines)
        caveats += (caveats.empty() ? "" : "\n") + line;
    return caveats;
}

} // namespace vantor
