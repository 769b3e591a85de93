#include "test_support.h"

namespace {

using WindowLayoutTest = MainWindowTest;

TEST_F(WindowLayoutTest, IsAFixedSizeWindowWhoseControlsLieInsideApartAndShowTheirCaptionsWhole)
{
    window.Widget().show();
    EXPECT_EQ(window.Widget().windowTitle(), QStringLiteral("Vantor Font Mapper"));
    const QWidget &content = *QtChild<QWidget>(window, "lstChars").parentWidget();
    EXPECT_EQ(content.size(), QSize(981, 546)) << "below the menu bar";
    const QSize outer = window.Widget().size();
    EXPECT_EQ(window.Widget().minimumSize(), outer) << "cannot be made smaller";
    EXPECT_EQ(window.Widget().maximumSize(), outer) << "cannot be made larger";
    EXPECT_FALSE(window.Widget().windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(window.Widget().windowFlags() & Qt::WindowCloseButtonHint);

    // The nineteen controls lie inside, apart, with their captions whole.
    const QList<QWidget *> controls = content.findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_EQ(controls.size(), 19);
    QStringList spoken;
    for (const QWidget *control : controls) {
        SCOPED_TRACE(control->objectName().toStdString());
        EXPECT_TRUE(control->isVisible());
        EXPECT_TRUE(content.rect().contains(control->geometry()));
        for (const QWidget *other : controls)
            EXPECT_TRUE(other == control || !other->geometry().intersects(control->geometry())) << other->objectName();
        if (const auto *button = qobject_cast<const QAbstractButton *>(control)) {
            EXPECT_LE(button->sizeHint().width(), control->width()) << button->text();
        }
        if (const auto *label = qobject_cast<const QLabel *>(control)) {
            EXPECT_LE(label->sizeHint().width(), control->width()) << label->text();
        }
        EXPECT_LE(control->fontMetrics().height(), control->height());
        EXPECT_FALSE(control->accessibleName().isEmpty());
        EXPECT_FALSE(control->toolTip().isEmpty()) << "says what it acts on";
        spoken << control->accessibleName();
    }
    spoken.removeDuplicates();
    EXPECT_EQ(spoken.size(), 19) << "a screen reader tells every control apart";
    // The two Save and two Copy buttons say which is which.
    for (const auto &[name, tip] :
        {std::pair{"btnSave", "Save the texture as PNG"}, {"btnCopy", "Copy the texture as a picture"},
            {"btnSaveWidths", "Save the width table as text"}, {"btnCopyWidths", "Copy the width table as text"},
            {"edtDX", "dx: moves every glyph right, in pixels at 1024"}})
        EXPECT_EQ(QtChild<QWidget>(window, name).toolTip(), QString::fromLatin1(tip));
}

// Run on a small screen at a scale of 1.5 (the SmallScreen set-up), with a
// large interface font: the window grows in proportion for the font, fits
// the screen, and scrolls to every control, each text whole.
using SmallScreenTest = MainWindowTest;

TEST_F(SmallScreenTest, TheWindowFitsTheScreenAndScrollsToEveryControlEachTextWhole)
{
    ASSERT_EQ(window.Widget().screen()->devicePixelRatio(), 1.5);
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 14));
    QCoreApplication::processEvents();
    window.Widget().show();
    QCoreApplication::processEvents();
    const QRect room = window.Widget().screen()->availableGeometry();
    EXPECT_LE(window.Widget().width(), room.width());
    EXPECT_LE(window.Widget().height(), room.height());
    EXPECT_LT(window.Widget().minimumHeight(), room.height()) << "can be made smaller";
    // The content, which holds every control, scrolls.
    auto &view = *window.Widget().findChild<QScrollArea *>(QString(), Qt::FindDirectChildrenOnly);
    QWidget &content = *view.widget();
    EXPECT_GT(content.height(), view.viewport()->height());
    for (QWidget *control : content.findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
        SCOPED_TRACE(control->objectName().toStdString());
        EXPECT_TRUE(content.rect().contains(control->geometry()));
        if (const auto *button = qobject_cast<const QAbstractButton *>(control)) {
            EXPECT_LE(button->sizeHint().width(), control->width()) << button->text();
        }
        if (const auto *label = qobject_cast<const QLabel *>(control)) {
            EXPECT_LE(label->sizeHint().width(), control->width()) << label->text();
        }
        if (!qobject_cast<const QAbstractScrollArea *>(control)) {
            EXPECT_LE(control->fontMetrics().height(), control->height());
        }
    }
}

} // namespace
