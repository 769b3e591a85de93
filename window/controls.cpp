#include "window/window1.h"

#include "framework/canvas.h"
#include "framework/check_box.h"
#include "framework/edit_field.h"
#include "framework/listbox.h"
#include "framework/popup_menu.h"
#include "framework/push_button.h"
#include "framework/static_text.h"

#include <array>
#include <string_view>
#include <variant>

namespace vantor {
namespace {

enum class Kind { Listbox, Canvas, PushButton, EditField, StaticText, PopupMenu, CheckBox };

struct ControlRow {
    std::string_view name;
    Kind kind;
    int left;
    int top;
    int width;
    int height;
    std::string_view text; // caption or initial text
    std::string_view spoken; // the accessible name
    std::string_view tip; // what it acts on, when the pointer rests on it
    bool enabled = true;
    bool checked = false;
    int columns = 1;
    bool heading = false;
};

// In creation order, which is also the order of the Open events.
constexpr std::array<ControlRow, 19> kControls{{
    {"lstChars", Kind::Listbox, 20, 14, 261, 203, "", "Character grid",
        "The 100 characters, one per cell of the texture: select a cell and type, paste or press Delete; "
        "Edit > Fill Cells fills them from a set",
        true, false, 10, false},
    {"cnvPreview", Kind::Canvas, 293, 14, 512, 512, "", "Preview",
        "The texture; with Scale to Fit off, drag it, turn the wheel or use the arrow keys to see the rest"},
    {"lstFonts", Kind::Listbox, 20, 229, 180, 231, "", "Fonts", "The font family the characters are drawn in", true,
        false, 1, true},
    {"lstSizes", Kind::Listbox, 217, 229, 64, 231, "", "Size",
        "The size of the glyphs, in pixels at 1024, scaled with the texture", true, false, 1, true},
    {"btnSave", Kind::PushButton, 847, 14, 80, 20, "Save", "Save texture", "Save the texture as PNG", false},
    {"btnCopy", Kind::PushButton, 847, 46, 80, 20, "Copy", "Copy texture", "Copy the texture as a picture", false},
    {"edtDY", Kind::EditField, 893, 204, 64, 22, "30", "dy, vertical offset",
        "dy: moves every glyph up, in pixels at 1024"},
    {"edtDX", Kind::EditField, 817, 204, 64, 22, "4", "dx, horizontal offset",
        "dx: moves every glyph right, in pixels at 1024"},
    {"StaticText1", Kind::StaticText, 817, 174, 64, 20, "dx", "dx", "dx: moves every glyph right, in pixels at 1024"},
    {"StaticText2", Kind::StaticText, 893, 174, 64, 20, "dy", "dy", "dy: moves every glyph up, in pixels at 1024"},
    {"btnQuit", Kind::PushButton, 847, 504, 80, 20, "Quit", "Quit", "Quit Vantor Font Mapper"},
    {"StaticText3", Kind::StaticText, 847, 78, 80, 20, "Texture Size", "Texture Size",
        "The side of the square texture, in pixels"},
    {"popTexSize", Kind::PopupMenu, 847, 110, 80, 20, "", "Texture size", "The side of the square texture, in pixels"},
    {"chkToFit", Kind::CheckBox, 837, 142, 100, 20, "Scale to Fit", "Scale to Fit",
        "Show the whole texture shrunk into the preview, or its pixels as they are", true, true},
    {"chkBold", Kind::CheckBox, 20, 472, 100, 20, "Bold", "Bold",
        "Draw the glyphs bold, emboldened where the font has no bold face", true, true},
    {"chkItalic", Kind::CheckBox, 20, 504, 100, 20, "Italic", "Italic",
        "Draw the glyphs italic, slanted where the font has no italic face", true, false},
    {"lstWidths", Kind::Listbox, 817, 251, 140, 158, "", "Width table",
        "Each cell's advance width, in pixels of the texture", true, false, 2, true},
    {"btnSaveWidths", Kind::PushButton, 847, 421, 80, 20, "Save", "Save width table", "Save the width table as text",
        false},
    {"btnCopyWidths", Kind::PushButton, 847, 453, 80, 20, "Copy", "Copy width table", "Copy the width table as text",
        false},
}};

// Tab follows the reading order: the left column top to bottom, the
// preview (when it can be panned), then the right column, Quit last. The
// creation order above stays as it is: it is the order of the Open events.
constexpr std::array<std::string_view, 16> kFocusOrder{"lstChars", "lstFonts", "lstSizes", "chkBold", "chkItalic",
    "cnvPreview", "btnSave", "btnCopy", "popTexSize", "chkToFit", "edtDX", "edtDY", "lstWidths", "btnSaveWidths",
    "btnCopyWidths", "btnQuit"};

using Member = std::variant<void (Window1::*)(), void (Window1::*)(int, int), void (Window1::*)(fw::Graphics &)>;

struct Wire {
    std::string_view control;
    fw::Event event;
    Member handler;
};

// Per control, in the order in which the handlers are attached.
const std::array kWiring{
    Wire{"lstChars", fw::Event::CellTextChange, &Window1::lstChars_CellTextChange},
    Wire{"lstChars", fw::Event::CellEditEnd, &Window1::lstChars_CellEditEnd},
    Wire{"lstChars", fw::Event::Open, &Window1::lstChars_Open},
    Wire{"cnvPreview", fw::Event::Paint, &Window1::cnvPreview_Paint},
    Wire{"lstFonts", fw::Event::Open, &Window1::lstFonts_Open},
    Wire{"lstFonts", fw::Event::Change, &Window1::lstFonts_Change},
    Wire{"lstSizes", fw::Event::Open, &Window1::lstSizes_Open},
    Wire{"lstSizes", fw::Event::Change, &Window1::lstSizes_Change},
    Wire{"btnSave", fw::Event::Action, &Window1::btnSave_Action},
    Wire{"btnCopy", fw::Event::Action, &Window1::btnCopy_Action},
    Wire{"edtDY", fw::Event::TextChange, &Window1::edtDY_TextChange},
    Wire{"edtDX", fw::Event::TextChange, &Window1::edtDX_TextChange},
    Wire{"btnQuit", fw::Event::Action, &Window1::btnQuit_Action},
    Wire{"popTexSize", fw::Event::Open, &Window1::popTexSize_Open},
    Wire{"popTexSize", fw::Event::Change, &Window1::popTexSize_Change},
    Wire{"chkToFit", fw::Event::Action, &Window1::chkToFit_Action},
    Wire{"chkBold", fw::Event::Action, &Window1::chkBold_Action},
    Wire{"chkItalic", fw::Event::Action, &Window1::chkItalic_Action},
    Wire{"lstWidths", fw::Event::Open, &Window1::lstWidths_Open},
    Wire{"btnSaveWidths", fw::Event::Action, &Window1::btnSaveWidths_Action},
    Wire{"btnCopyWidths", fw::Event::Action, &Window1::btnCopyWidths_Action},
};

std::unique_ptr<fw::Control> NewControl(Kind kind)
{
    switch (kind) {
    case Kind::Listbox:
        return std::make_unique<fw::Listbox>();
    case Kind::Canvas:
        return std::make_unique<fw::Canvas>();
    case Kind::PushButton:
        return std::make_unique<fw::PushButton>();
    case Kind::EditField:
        return std::make_unique<fw::EditField>();
    case Kind::StaticText:
        return std::make_unique<fw::StaticText>();
    case Kind::PopupMenu:
        return std::make_unique<fw::PopupMenu>();
    case Kind::CheckBox:
        return std::make_unique<fw::CheckBox>();
    }
    return nullptr;
}

void ApplyProperties(fw::Control &control, const ControlRow &row)
{
    control.SetBounds(row.left, row.top, row.width, row.height);
    control.SetEnabled(row.enabled);
    control.SetAccessibleName(std::string(row.spoken));
    control.SetToolTip(std::string(row.tip));
    const std::string text(row.text);
    if (auto *list = dynamic_cast<fw::Listbox *>(&control)) {
        list->SetColumnCount(row.columns);
        list->SetHasHeading(row.heading);
    } else if (auto *button = dynamic_cast<fw::PushButton *>(&control)) {
        button->SetCaption(text);
    } else if (auto *field = dynamic_cast<fw::EditField *>(&control)) {
        field->SetAlignment(fw::Alignment::Right);
        field->SetText(text);
    } else if (auto *label = dynamic_cast<fw::StaticText *>(&control)) {
        label->SetAlignment(fw::Alignment::Center);
        label->SetText(text);
    } else if (auto *box = dynamic_cast<fw::CheckBox *>(&control)) {
        box->SetCaption(text);
        box->SetValue(row.checked);
    }
}

fw::Handler Bound(Window1 &window, void (Window1::*handler)())
{
    return std::function<void()>([&window, handler] { (window.*handler)(); });
}

fw::Handler Bound(Window1 &window, void (Window1::*handler)(int, int))
{
    return std::function<void(int, int)>([&window, handler](int row, int column) { (window.*handler)(row, column); });
}

fw::Handler Bound(Window1 &window, void (Window1::*handler)(fw::Graphics &))
{
    return std::function<void(fw::Graphics &)>([&window, handler](fw::Graphics &g) { (window.*handler)(g); });
}

} // namespace

void Window1::CreateControls0()
{
    for (const ControlRow &row : kControls) {
        const std::string name(row.name);
        AddControl(name, NewControl(row.kind));
        fw::Control &control = fw::NotNil(FindControl(name));
        ApplyProperties(control, row);
        for (const Wire &wire : kWiring) {
            if (wire.control == row.name)
                control.Bind(
                    wire.event, std::visit([this](auto handler) { return Bound(*this, handler); }, wire.handler));
        }
    }
    SetFocusOrder(kFocusOrder);
    // The whole grid shows, whatever the desktop's font and scale.
    Find<fw::Listbox>("lstChars").SetRowsShown(kGridSide);
}

} // namespace vantor
