#pragma once

// The main window as the benchmarks drive it.
#include "framework/control.h"
#include "framework/edit_field.h"
#include "window/window1.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QTest>

#include <benchmark/benchmark.h>

inline vantor::Window1 &Window()
{
    return vantor::implicit::Window1();
}

// Keys typed into dx, through Qt's event delivery to the painted preview:
// 5 and backspace, in turn.
inline void TypeIntoDx(benchmark::State &state)
{
    auto &field = static_cast<QLineEdit &>(Window().Find<fw::Control>("edtDX").Widget());
    bool typed = false;
    for (auto _ : state) {
        QTest::keyClick(&field, typed ? Qt::Key_Backspace : Qt::Key_5);
        typed = !typed;
        QCoreApplication::processEvents();
    }
}
