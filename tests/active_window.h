#pragma once

#include "framework/window.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

// Makes the window the active one, as a click on it would, so that keys and
// focus reach its widgets; the window system answers in its own time.
inline bool MakeActive(const fw::Window &window)
{
    QWidget &widget = window.Widget();
    widget.activateWindow();
    return QTest::qWaitForWindowActive(&widget);
}
