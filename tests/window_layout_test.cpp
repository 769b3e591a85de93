#include "framework/canvas.h"
#include "framework/check_box.h"
#include "framework/edit_field.h"
#include "framework/listbox.h"
#include "framework/picture.h"
#include "framework/popup_menu.h"
#include "framework/push_button.h"
#include "framework/static_text.h"
#include "test_support.h"
#include "window/window1.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

enum class Kind { Listbox, Canvas, PushButton, EditField, StaticText, PopupMenu, CheckBox };

struct Expected {
    const char *name;
    Kind kind;
    int left, top, width, height;
    const char *text;
    bool enabled;
    bool checked;
    int columns;
    bool heading;
    const char *spoken; // what a screen reader says
};

// The window as the user must find it, in creation order.
const Expected kExpected[] = {
    {"lstChars", Kind::Listbox, 20, 14, 261, 203, "", true, false, 10, false, "Character grid"},
    {"cnvPreview", Kind::Canvas, 293, 14, 512, 512, "", true, false, 0, false, "Preview"},
    {"lstFonts", Kind::Listbox, 20, 229, 180, 231, "", true, false, 1, true, "Fonts"},
    {"lstSizes", Kind::Listbox, 217, 229, 64, 231, "", true, false, 1, true, "Size"},
    {"btnSave", Kind::PushButton, 847, 14, 80, 20, "Save", false, false, 0, false, "Save texture"},
    {"btnCopy", Kind::PushButton, 847, 46, 80, 20, "Copy", false, false, 0, false, "Copy texture"},
    {"edtDY", Kind::EditField, 893, 204, 64, 22, "30", true, false, 0, false, "dy, vertical offset"},
    {"edtDX", Kind::EditField, 817, 204, 64, 22, "4", true, false, 0, false, "dx, horizontal offset"},
    {"StaticText1", Kind::StaticText, 817, 174, 64, 20, "dx", true, false, 0, false, "dx"},
    {"StaticText2", Kind::StaticText, 893, 174, 64, 20, "dy", true, false, 0, false, "dy"},
    {"btnQuit", Kind::PushButton, 847, 504, 80, 20, "Quit", true, false, 0, false, "Quit"},
    {"StaticText3", Kind::StaticText, 847, 78, 80, 20, "Texture Size", true, false, 0, false, "Texture Size"},
    {"popTexSize", Kind::PopupMenu, 847, 110, 80, 20, "", true, false, 0, false, "Texture size"},
    {"chkToFit", Kind::CheckBox, 837, 142, 100, 20, "Scale to Fit", true, true, 0, false, "Scale to Fit"},
    {"chkBold", Kind::CheckBox, 20, 472, 100, 20, "Bold", true, true, 0, false, "Bold"},
    {"chkItalic", Kind::CheckBox, 20, 504, 100, 20, "Italic", true, false, 0, false, "Italic"},
    {"lstWidths", Kind::Listbox, 817, 251, 140, 158, "", true, false, 2, true, "Width table"},
    {"btnSaveWidths", Kind::PushButton, 847, 421, 80, 20, "Save", false, false, 0, false, "Save width table"},
    {"btnCopyWidths", Kind::PushButton, 847, 453, 80, 20, "Copy", false, false, 0, false, "Copy width table"},
};

class WindowLayoutTest : public WindowTest {
protected:
    // Built but not opened: no Open event has run yet.
    vantor::Window1 &window = static_cast<vantor::Window1 &>(fw::BuildWindow(std::make_unique<vantor::Window1>()));
};

TEST_F(WindowLayoutTest, IsAFixedSizeWindowWithTheProductTitle)
{
    EXPECT_EQ(window.Title(), "Vantor Font Mapper");
    EXPECT_EQ(window.Width(), 981);
    EXPECT_EQ(window.Height(), 546);
    EXPECT_FALSE(window.Resizeable());
    window.Widget().show();
    const QSize outer = window.Widget().size();
    EXPECT_EQ(window.Widget().minimumSize(), outer) << "cannot be made smaller";
    EXPECT_EQ(window.Widget().maximumSize(), outer) << "cannot be made larger";
    const Qt::WindowFlags flags = window.Widget().windowFlags();
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
}

TEST_F(WindowLayoutTest, CreatesTheNineteenControlsInOrderWithTheirInitialStateAndNames)
{
    ASSERT_EQ(window.ControlCount(), static_cast<int>(std::size(kExpected)));
    for (int i = 0; i < window.ControlCount(); ++i) {
        const Expected &e = kExpected[i];
        SCOPED_TRACE(e.name);
        fw::Control &control = window.ControlAt(i);
        EXPECT_EQ(control.Name(), e.name);
        EXPECT_EQ(&control, window.FindControl(e.name));
        EXPECT_EQ(control.Left(), e.left);
        EXPECT_EQ(control.Top(), e.top);
        EXPECT_EQ(control.Width(), e.width);
        EXPECT_EQ(control.Height(), e.height);
        EXPECT_EQ(control.Enabled(), e.enabled);
        EXPECT_EQ(control.AccessibleName(), e.spoken);
        EXPECT_TRUE(control.Widget().isVisibleTo(&window.Widget()));
        switch (e.kind) {
        case Kind::Listbox: {
            auto &list = dynamic_cast<fw::Listbox &>(control);
            EXPECT_EQ(list.ColumnCount(), e.columns);
            EXPECT_EQ(list.HasHeading(), e.heading);
            EXPECT_EQ(list.ListCount(), 0);
            EXPECT_EQ(list.ListIndex(), -1);
            break;
        }
        case Kind::Canvas:
            EXPECT_NE(dynamic_cast<fw::Canvas *>(&control), nullptr);
            EXPECT_EQ(control.Widget().focusPolicy(), Qt::NoFocus);
            EXPECT_TRUE(control.Widget().autoFillBackground()) << "erases before painting";
            break;
        case Kind::PushButton:
            EXPECT_EQ(dynamic_cast<fw::PushButton &>(control).Caption(), e.text);
            break;
        case Kind::EditField: {
            EXPECT_EQ(dynamic_cast<fw::EditField &>(control).Text(), e.text);
            auto &line = static_cast<QLineEdit &>(control.Widget());
            EXPECT_TRUE(line.alignment() & Qt::AlignRight);
            EXPECT_FALSE(line.isReadOnly());
            break;
        }
        case Kind::StaticText: {
            EXPECT_EQ(dynamic_cast<fw::StaticText &>(control).Text(), e.text);
            EXPECT_TRUE(static_cast<QLabel &>(control.Widget()).alignment() & Qt::AlignHCenter);
            break;
        }
        case Kind::PopupMenu:
            EXPECT_EQ(dynamic_cast<fw::PopupMenu &>(control).ListCount(), 0);
            break;
        case Kind::CheckBox: {
            auto &box = dynamic_cast<fw::CheckBox &>(control);
            EXPECT_EQ(box.Caption(), e.text);
            EXPECT_EQ(box.Value(), e.checked);
            break;
        }
        }
    }
    EXPECT_EQ(window.CurrentFontMap, nullptr);
}

TEST_F(WindowLayoutTest, EveryCaptionFitsItsControl)
{
    window.Widget().show();
    for (const Expected &e : kExpected) {
        SCOPED_TRACE(e.name);
        const QWidget &widget = window.Find<fw::Control>(e.name).Widget();
        if (const auto *button = qobject_cast<const QAbstractButton *>(&widget)) {
            EXPECT_LE(button->sizeHint().width(), e.width);
        }
        if (const auto *label = qobject_cast<const QLabel *>(&widget)) {
            EXPECT_LE(label->sizeHint().width(), e.width);
        }
        EXPECT_LE(widget.fontMetrics().height(), e.height);
    }
}

TEST_F(WindowLayoutTest, TheControlsHaveNoScrollingSidewaysAndNoSortableHeadings)
{
    for (const char *name : {"lstChars", "lstFonts", "lstSizes", "lstWidths"}) {
        SCOPED_TRACE(name);
        auto &view = QtChild<QTableView>(window, name);
        EXPECT_EQ(view.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        EXPECT_FALSE(view.horizontalHeader()->sectionsClickable());
        EXPECT_FALSE(view.isSortingEnabled());
    }
}

TEST(ImplicitWindow, AskingTwiceGivesTheSameWindow)
{
    vantor::Window1 &first = vantor::implicit::Window1();
    EXPECT_EQ(&vantor::implicit::Window1(), &first);
    EXPECT_EQ(fw::GetImplicitWindow("Window1"), &first);
    fw::DestroyAllWindows();
    EXPECT_EQ(fw::GetImplicitWindow("Window1"), nullptr);
}

TEST(ImplicitWindow, ClosingTheWindowDestroysItAndItsTexture)
{
    vantor::Window1 &window = vantor::implicit::Window1();
    window.CurrentFontMap = std::make_shared<fw::Picture>(4, 4, 32);
    const std::weak_ptr<fw::Picture> texture = window.CurrentFontMap;
    window.Close();
    QCoreApplication::processEvents();
    EXPECT_EQ(fw::GetImplicitWindow("Window1"), nullptr);
    EXPECT_TRUE(texture.expired());
}

} // namespace
