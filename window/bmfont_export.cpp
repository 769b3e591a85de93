#include "window/window1.h"

#include "fontmap/bmfont.h"

#include "framework/atomic_file.h"
#include "framework/exceptions.h"
#include "framework/files.h"
#include "framework/graphics_exporter.h"
#include "framework/message.h"
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

// Whether the page beside the description belongs to an export: one of its
// descriptions, text or XML, is there.
bool IsExportedPage(const std::filesystem::path &description)
{
    std::error_code error;
    std::filesystem::path sibling = description;
    for (const char *suffix : {".fnt", ".xml"}) {
        if (std::filesystem::exists(sibling.replace_extension(suffix), error))
            return true;
    }
    return std::filesystem::exists(description, error);
}

} // namespace

void Window1::FileExportBMFont_Action()
{
    const std::shared_ptr<fw::FolderItem> location
        = fw::GetSaveFolderItem({{"BMFont text (*.fnt)", "fnt"}, {"BMFont XML (*.xml)", "xml"}}, "untitled.fnt");
    if (!location)
        return;
    std::error_code error;
    // The save dialog asked about the description only. A page beside a
    // description of the same name, in either form, is an earlier export's,
    // replaced with it; any other is someone else's file. A page that cannot
    // be replaced is said at once, not after a question.
    const std::string page = PagePath(location->Path()).string();
    fw::AtomicFile::CheckReplaceable(page);
    if (std::filesystem::exists(page, error) && !IsExportedPage(location->Path()) && !fw::AskToReplace(page)) {
        fw::ShowMessage("Nothing was exported: " + page + " is kept as it was.");
        return;
    }
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
    const Atlas &atlas = fw::NotNil(atlas_);
    std::vector<std::string> several;
    const BMFont font = BMFontOf(atlas, pageName, several);
    const std::vector<std::uint8_t> pixels = BMFontPage(atlas);
    const int side = atlas.Settings().textureSize;
    // The page first: a reader never finds a new description beside an old
    // page.
    fw::SaveFiles(
        {{pagePath, fw::EncodeRgbaPng(pixels.data(), side, side, fw::GraphicsExporter::kDefaultCompression, pagePath)},
            {path, xml ? BMFontXml(font) : BMFontText(font)}});
    return EngineCaveats(atlas, several);
}

} // namespace vantor
