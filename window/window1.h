#pragma once

#include "framework/graphics.h"
#include "framework/window.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace fw {
class MenuItem;
class QuitMenuItem;
class Picture;
} // namespace fw

namespace vantor {

struct BMFont;

// The one window: the settings controls, the preview and the exports. The
// controls are the only store of the settings.
class Window1 : public fw::Window {
public:
    static constexpr const char *kClassName = "Window1";

    Window1();
    ~Window1() override;

    // The texture's cells, in rows and columns.
    static constexpr int kGridSide = 10;

    // The last rendered texture; nil until the first render.
    std::shared_ptr<fw::Picture> CurrentFontMap;

    // The settings of the last render, as the renderer got them.
    struct RenderSettings {
        std::string fontName;
        std::int32_t fontSize = 0;
        std::int32_t textureSize = 0;
        std::int32_t dx = 0;
        std::int32_t dy = 0;
        bool bold = false;
        bool italic = false;
        // Above 0, the texture holds distance fields over this many pixels.
        std::int32_t fieldSpread = 0;
    };
    RenderSettings Rendered;
    static constexpr double kFarOffset = 1 << 26;
    // The sample text window's line, kept while the window is closed.
    std::string SampleLine = "The quick brown fox jumps over the lazy dog. 0123456789";
    // Where each cell's ink lies in the texture, in grid order; kept by the
    // renderer only while the sample text or the overflow marks are shown.
    std::vector<fw::Rect> CellInk;

    // Settings controls.
    void lstChars_CellTextChange(int row, int column);
    void lstChars_Open();
    void lstFonts_Open();
    void lstFonts_Change();
    void lstSizes_Open();
    void lstSizes_Change();
    void edtDY_TextChange();
    void edtDX_TextChange();
    void popTexSize_Open();
    void popTexSize_Change();
    void chkToFit_Action();
    void chkBold_Action();
    void chkItalic_Action();

    // Preview.
    void cnvPreview_Paint(fw::Graphics &g);

    // Width list.
    void lstWidths_Open();

    // Exports.
    void btnSave_Action();
    void btnCopy_Action();
    void btnSaveWidths_Action();
    void btnCopyWidths_Action();

    // File > Export BMFont: the last render as a BMFont page and its
    // description, text or XML, for the engines that read them.
    void FileExportBMFont_Action();
    // Writes the last render's description at the path, XML when its suffix
    // is .xml and text otherwise, and, beside it, its page <name>_0.png;
    // gives what an engine will draw wrong (see EngineCaveats).
    std::string ExportBMFont(const std::string &path);
    // One message naming what an engine drawing from the last export will
    // get wrong: the cells of several characters (`several`), which it
    // lacks, the cells whose ink leaves their square, and a missing space.
    // Empty when there is nothing to say.
    std::string EngineCaveats(const std::vector<std::string> &several);
    // The last render as a BMFont naming its page; `several` gets the cell
    // texts of more than one character, once each.
    BMFont BMFontOf(const std::string &pageName, std::vector<std::string> &several);

    void btnQuit_Action();
    void Closing() override;

    // View menu.
    void ViewSampleText_Action();
    void ViewCellOverflow_Action();
    bool ShowsCellOverflow() const;
    // View > Distance Field: the texture holds each glyph's signed distance
    // field instead of its coverage.
    void ViewDistanceField_Action();
    bool ShowsDistanceField() const;
    // How far either side of a glyph's edge its field reaches in a texture:
    // 8 pixels at 1024, scaled with the texture.
    static std::int32_t FieldSpread(std::int32_t textureSize);
    // The cells whose ink reaches outside their square, in grid order: of
    // the ink kept by the last render, or of the inks given in grid order.
    std::vector<int> OverflowingCells() const;
    std::vector<int> OverflowingCells(const std::vector<fw::Rect> &inks) const;
    // Where each cell's ink lies in the last render, measured now.
    std::vector<fw::Rect> InkOfLastRender();
    // The texts of the cells, once each, that should show (they hold more
    // than white space) but whose ink, given in grid order, is empty.
    std::vector<std::string> CellsWithoutInk(const std::vector<fw::Rect> &inks) const;
    // What a message says of such cells.
    static std::string NoInkLine(const std::vector<std::string> &cells);
    // Whether ink (empty: none) reaches outside the cell's square.
    static bool Overflows(const fw::Rect &ink, const fw::Rect &cell);
    // View > Fit Glyphs to Cells: the largest size, and the dx and dy, at
    // which every cell's ink lies inside its square, the glyphs' ink
    // centred; cells too large even at the smallest size are left out and
    // named. Gives what the user must be told: the cells left out, or why
    // nothing changed; nothing when the fit went as asked or there was
    // nothing to fit.
    void ViewFitGlyphs_Action();
    std::string FitGlyphsToCells();
    // Size, dx and dy as their controls hold them: what a fit sets.
    struct Placement {
        int sizeRow = -1;
        std::string dx;
        std::string dy;
        friend bool operator==(const Placement &, const Placement &) = default;
    };
    Placement CurrentPlacement() const;
    // Sets size, dx and dy together, rendering once.
    void Place(const Placement &placement);
    // Makes the fit from `before` to what the controls now hold the step
    // that Edit > Undo takes back, while nothing else has changed.
    void RememberFit(const Placement &before);
    // Cell texts as a message lists them, each after a space: readable, and
    // cut short when long.
    static std::string NamedCells(const std::vector<std::string> &texts);
    // Cell (row, column) of a texture: from the column's and row's start,
    // truncated, to the next one's.
    static fw::Rect CellSquare(std::int32_t textureSize, int row, int column);
    // Where the renderer put the pen of cell (row, column).
    struct Pen {
        std::int32_t x = 0;
        std::int32_t y = 0;
    };
    static Pen CellPen(const RenderSettings &rendered, int row, int column);

    // The items of the window's menu bar, by name.
    fw::MenuItem &EditMenu() const;
    fw::MenuItem &EditSelectAll() const;
    fw::MenuItem &UntitledMenu0() const;
    fw::MenuItem &EditClear() const;
    fw::MenuItem &EditPaste() const;
    fw::MenuItem &EditCopy() const;
    fw::MenuItem &EditCut() const;
    fw::MenuItem &UntitledMenu1() const;
    fw::MenuItem &EditUndo() const;
    fw::MenuItem &FileMenu() const;
    fw::QuitMenuItem &FileQuit() const;

    // Draws the character grid into oldMap, or into a new picture when oldMap
    // is nil or of another size, and refills the width list. fontSize, dx and
    // dy are in texture pixels.
    std::shared_ptr<fw::Picture> FontMap(std::shared_ptr<fw::Picture> oldMap, const std::string &fontName,
        std::int32_t fontSize, std::int32_t mapWidth, std::int32_t mapHeight, std::int32_t dx, std::int32_t dy);
    // Renders from the settings as they stand, when they allow it, and
    // updates the export buttons and the preview.
    void UpdateFontMap();
    // The File menu's exports, enabled with the export buttons.
    void EnableExportItems(bool enabled);
    // The width list as text: per row, the character, TAB, the width, CR.
    std::string CharWidthTable() const;

protected:
    void Layout() override;
    void CreateControls() override;

private:
    void CreateControls0();
    // Every setting but size, dx and dy, as the controls hold them.
    std::vector<std::string> SettingsBesidesPlacement() const;

    bool rendersHeld_ = false;
    // How many times the user edited a cell.
    std::uint64_t cellEdits_ = 0;
};

namespace implicit {

// The open main window, made and opened on the first call.
vantor::Window1 &Window1();

} // namespace implicit
} // namespace vantor
