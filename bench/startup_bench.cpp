// Start-up to the first render with 2,000 extra font families installed
// (bench/make_fonts.py writes them; `make bench` runs this). Its own
// executable, as fontconfig reads its configuration once per process.
#include "framework/listbox.h"
#include "framework/window.h"
#include "window/window1.h"

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
