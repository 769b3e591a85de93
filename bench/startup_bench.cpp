// Start-up to the first render with 2,000 extra font families installed
// (bench/make_fonts.py writes them; `make bench` runs this). Its own process,
// as fontconfig reads its configuration once per process.
#include "framework/listbox.h"
#include "framework/window.h"
#include "window/window1.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void BM_StartUpToFirstRender(benchmark::State &state)
{
    for (auto _ : state) {
        vantor::Window1 &window = vantor::implicit::Window1();
        benchmark::DoNotOptimize(window.CurrentFontMap);
        state.PauseTiming();
        state.counters["families"] = window.Find<fw::Listbox>("lstFonts").ListCount();
        fw::DestroyAllWindows();
        state.ResumeTiming();
    }
}

BENCHMARK(BM_StartUpToFirstRender)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("FONTCONFIG_FILE", VANTOR_STARTUP_FONTCONFIG);
    QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
    benchmark::Initialize(&argc, argv);
    QApplication application(argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
