// Benchmarks of the render path, in the real window on the offscreen
// platform with the tests' fonts. `make bench` runs them; Google Benchmark's
// own flags (--benchmark_format=json, --benchmark_filter=...) work.
#include "app/startup.h"
#include "framework/window.h"
#include "window/window1.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("FONTCONFIG_FILE", VANTOR_BENCH_FONTCONFIG);
    QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
    benchmark::Initialize(&argc, argv);
    QApplication application(argc, argv);
    // The application object with the menu bar that the window shares.
    vantor::NewAppInstance();
    if (VANTOR_BENCH_OPENS_WINDOW) {
        vantor::implicit::Window1();
        // The window is exposed, and so painted, once events run.
        QCoreApplication::processEvents();
    }

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fw::DestroyAllWindows();
    return 0;
}
