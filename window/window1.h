#pragma once

#include "fontmap/atlas.h"
#include "fontmap/atlas_engine.h"
#include "window/edit_history.h"

#include "framework/graphics.h"
#include "framework/window.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace fw {
class EditField;
class MenuItem;
class QuitMenuItem;
class Picture;
} // namespace fw

namespace vantor {

// The one window: the settings controls, the preview and the exports. The
// controls hold the settings; each change reads them once into one value,
// an atlas engine turns it into the texture and its widths, and the window
// shows what it gives.
class Window1 : public fw::Window {
public:
    static constexpr const char *kClassName = "Window1";

    Window1();
    ~Window1() override;

    // The last rendered texture; nil until the first render.
    std::shared_ptr<fw::Picture> CurrentFontMap;
    // The last render, or nil: what the texture shows and how it was made.
    const std::shared_ptr<const Atlas> &LastAtlas() const { return atlas_; }
    // How many renders the window has made.
    std::uint64_t Renders() const { return engine_.Renders(); }
    // Offsets this far put every pen past what text is drawn from, so the
    // texture is the same, and the arithmetic on pens stays in range.
    static constexpr double kFarOffset = 1 << 26;
    // The sample text window's line, kept while the window is closed.
    std::string SampleLine = "The quick brown fox jumps over the lazy dog. 0123456789";

    // Settings controls.
    void lstChars_CellTextChange(int row, int column);
    // A whole change of a cell by the user: a step of the undo history.
    void lstChars_CellEditEnd(int row, int column);
    void lstChars_Open();
    void lstFonts_Open();
    void lstFonts_Change();
    void lstSizes_Open();
    void lstSizes_Change();
    void edtDY_TextChange();
    void edtDX_TextChange();
    // Marks an offset field whose text is not wholly a number with what it
    // is read as.
    static void ShowReading(fw::EditField &field);
    void popTexSize_Open();
    void popTexSize_Change();
    void chkToFit_Action();
    void chkBold_Action();
    void chkItalic_Action();

    // Preview.
    void cnvPreview_Paint(fw::Graphics &g);
    // Shows the current texture, fitted or as it is from where the view was
    // moved to.
    void ShowPreview();
    // What the preview says over the texture, and to a screen reader: no
    // fonts installed, the family chosen gone, or what the last render says
    // of its font and of the cells that draw no ink, and why. Empty when
    // there is nothing to say.
    std::string PreviewNotice() const;

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
    // gives what an engine will draw wrong.
    std::string ExportBMFont(const std::string &path);

    void btnQuit_Action();
    void Closing() override;
    // Fonts were installed or removed: the font list shows them as they are
    // now, the family chosen kept where it is still there.
    void InstalledFontsChanged() override;

    // Edit > Fill Cells: a text, a set of characters to start from, fills
    // the cells a character each from the selected one on, in one step.
    void EditFillCells_Action();

    // View menu.
    void ViewSampleText_Action();
    void ViewCellOverflow_Action();
    bool ShowsCellOverflow() const;
    // View > Distance Field, a choice of Off, Single Channel, Multi-Channel
    // and Multi-Channel and True Distance: the texture holds each glyph's
    // signed distance field instead of its coverage, multi-channel in
    // colour; the last exports the true distance beside the channels.
    void ViewDistanceField_Action();
    bool ShowsDistanceField() const;
    bool ShowsMultiChannelField() const;
    bool KeepsTrueDistance() const;
    // The cells of the last render whose ink reaches outside their square,
    // in grid order.
    std::vector<int> OverflowingCells() const;
    // View > Fit Glyphs to Cells: the largest size, and the dx and dy, at
    // which every cell's ink lies inside its square, the glyphs' ink
    // centred; cells too large even at the smallest size are left out and
    // named. Gives what the user must be told: the cells left out, or why
    // nothing changed; nothing when the fit went as asked or there was
    // nothing to fit.
    void ViewFitGlyphs_Action();
    std::string FitGlyphsToCells();
    // The settings as their controls hold them, the cells apart: what a
    // setting's step of the undo history, or a fit, puts back.
    struct Choices {
        std::string family;
        int sizeRow = -1;
        int textureItem = -1;
        std::string dx;
        std::string dy;
        bool bold = false;
        bool italic = false;
        std::string field; // the View > Distance Field item chosen
        friend bool operator==(const Choices &, const Choices &) = default;
    };
    Choices CurrentChoices() const;
    // Sets them all, rendering once; no step of the history.
    void Choose(const Choices &choices);
    // Makes the change of the settings from `before` to what the controls
    // hold now a step of the undo history, named as the menu says it; it
    // applies while the controls are as it left or found them.
    void RememberChoices(std::string name, const Choices &before);
    // Makes the change of the cells from `first` on, in grid order, from
    // the texts `before` to those `after`, a step of the undo history.
    void RememberCells(
        std::string name, int first, std::vector<std::string> before, std::vector<std::string> after);

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
    // Selects the row of the font list that names the family; false when
    // none does.
    bool SelectFamily(const std::string &family);
    // Whether the menu item of that name is marked.
    bool Chosen(std::string_view item) const;
    void CreateControls0();
    // The cells' texts as the grid holds them, in grid order.
    std::vector<std::string> Cells() const;
    // Every setting as the controls hold them, in the texture's pixels.
    AtlasSettings ReadSettings() const;
    // A size as entered, in pixels of a texture of that side.
    static std::int32_t PixelSize(const std::string &entered, std::int32_t textureSize);

    // Edit > Undo and Redo take back the history's steps.
    void WireEditHistory();
    // Puts a step on the history; a run of keys in dx or dy ends.
    void Remember(EditHistory::Step step);
    // A change of the settings since the last refresh, by the user, becomes
    // a step of the history: each change its own, a run of keys in one
    // offset field one.
    void NoteChoices();

    bool rendersHeld_ = false;
    std::string vanishedFamily_; // chosen, then removed while the program ran
    EditHistory history_;
    bool stepsHeld_ = false; // while the program sets the controls itself
    std::optional<Choices> choices_; // as the last refresh found them
    // The offset field being typed into, "dx" or "dy", whose step is the
    // newest, and what the controls held before its run of keys.
    std::string run_;
    Choices runStart_;
    // The controls as UpdateFontMap last read them, once for a render: what
    // the history's steps and Fit compare with, and, while the refresh runs
    // (refreshing_), what FontMap draws at the font, size, side and offsets
    // it is given.
    AtlasSettings settings_;
    bool refreshing_ = false;
    int previewSide_ = 0; // the side of the texture the preview last showed
    AtlasEngine engine_;
    std::shared_ptr<const Atlas> atlas_;
    std::string inkNotice_; // what the preview says of atlas_'s cells without ink
};

namespace implicit {

// The open main window, made and opened on the first call.
vantor::Window1 &Window1();

} // namespace implicit
} // namespace vantor
