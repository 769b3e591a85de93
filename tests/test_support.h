#pragma once

// Included by every test: the framework's controls, the main window, Qt's
// widgets and test helpers, and GoogleTest.
#include "framework/canvas.h"
#include "framework/check_box.h"
#include "framework/dispatch.h"
#include "framework/edit_field.h"
#include "framework/graphics.h"
#include "framework/listbox.h"
#include "framework/picture.h"
#include "framework/popup_menu.h"
#include "framework/push_button.h"
#include "framework/text.h"
#include "framework/window.h"
#include "window/window1.h"

#include "raster/texture.h"

#include "active_window.h"
#include "engine/greys.h"

#include <QtTest>
#include <QtWidgets>

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

inline std::ostream &operator<<(std::ostream &out, const QString &text)
{
    return out << '"' << text.toStdString() << '"';
}

// Qt messages the running test provokes on purpose: each starts one that is
// let through once instead of failing the test.
QStringList &ExpectedQtMessages();

// Closes every window the test opened, so each test starts with none.
class WindowTest : public testing::Test {
protected:
    void TearDown() override { fw::DestroyAllWindows(); }
};

// Collects what would be shown as unhandled errors, instead of a modal box.
class ErrorSpy {
public:
    ErrorSpy()
        : previous_(fw::SetUnhandledExceptionService(
            [this](std::exception_ptr error) { messages.push_back(fw::DescribeError(error)); }))
    {
    }
    ~ErrorSpy() { fw::SetUnhandledExceptionService(previous_); }
    ErrorSpy(const ErrorSpy &) = delete;
    ErrorSpy &operator=(const ErrorSpy &) = delete;

    std::vector<std::string> messages;

private:
    fw::UnhandledExceptionService previous_;
};

template <class T> T &QtChild(const fw::Window &window, const char *name)
{
    T *child = window.Widget().findChild<T *>(QString::fromLatin1(name));
    if (!child)
        throw std::runtime_error(std::string("No widget named ") + name);
    return *child;
}

// The main window opened as at start-up, with the tests' fonts ("Courier"
// is DejaVu Sans Mono).
class MainWindowTest : public WindowTest {
protected:
    vantor::Window1 &window = vantor::implicit::Window1();
    // The menus are the process's: the next test starts with no field.
    void TearDown() override
    {
        if (fw::GetImplicitWindow(vantor::Window1::kClassName))
            QtChild<QAction>(window, "ViewDistanceFieldOff").trigger();
        WindowTest::TearDown();
    }
    // Renders since the test began.
    int Renders() const { return static_cast<int>(window.Renders() - rendersBefore_); }
    const std::uint64_t rendersBefore_ = window.Renders();

    fw::Listbox &List(const char *name) { return window.Find<fw::Listbox>(name); }
    // As the PNG and the clipboard have it: RGB greys.
    QImage Texture() { return window.CurrentFontMap->Image().convertToFormat(QImage::Format_RGB32); }

    // Picks the family in the font list, as a click would.
    void SelectFont(const std::string &family)
    {
        fw::Listbox &fonts = List("lstFonts");
        for (int row = 0; row < fonts.ListCount(); ++row) {
            if (fonts.Cell(row, 0) == family)
                fonts.SetListIndex(row);
        }
    }

    // Every cell empty but one.
    void SetOnlyCell(int row, int column, const std::string &text)
    {
        for (int r = 0; r < 10; ++r) {
            for (int c = 0; c < 10; ++c)
                List("lstChars").SetCell(r, c, r == row && c == column ? text : "");
        }
    }
};

// Whether every pixel is a grey: red, green and blue equal.
inline bool AllGrey(const QImage &picture)
{
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qRed(line[x]) != qGreen(line[x]) || qGreen(line[x]) != qBlue(line[x]))
                return false;
        }
    }
    return true;
}

inline QImage ImageOf(const Greys &greys)
{
    return QImage(greys.bytes.data(), greys.width, greys.height, greys.width, QImage::Format_Grayscale8).copy();
}

inline QImage ImageOf(const raster::Texture &texture)
{
    return ImageOf(Greys(texture));
}

inline QRect ToQRect(const raster::Box &box)
{
    return box.Empty() ? QRect()
                       : QRect(static_cast<int>(box.left), static_cast<int>(box.top), static_cast<int>(box.width),
                           static_cast<int>(box.height));
}

// The smallest rectangle holding every pixel of `region` that is not black.
inline QRect InkBounds(const QImage &image, const QRect &region)
{
    QRect ink;
    const QRect clipped = region & image.rect();
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        for (int x = clipped.left(); x <= clipped.right(); ++x) {
            if ((image.pixel(x, y) & 0xFFFFFF) != 0)
                ink |= QRect(x, y, 1, 1);
        }
    }
    return ink;
}
