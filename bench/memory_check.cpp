#include "megabyte.h"

#include "framework/control.h"
#include "framework/listbox.h"
#include "framework/popup_menu.h"
#include "window/window1.h"

#include <QWidget>
#include <QtGlobal>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <fstream>
#include <string>

namespace {

constexpr double kMiB = 1024.0 * 1024.0;

// A line of /proc/self/status, in bytes ("VmRSS", "VmHWM").
double StatusBytes(const std::string &key)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(key + ":", 0) == 0)
            return std::stod(line.substr(key.size() + 1)) * 1024.0;
    }
    return 0.0;
}

// 1,000 renders alternating texture sizes 256 and 2048, each painted:
// resident memory must not grow by more than 2 MiB after the first round,
// and the peak must stay under 64 MiB above the idle window.
// VANTOR_MEMORY_ROUNDS sets fewer rounds of two, for a quick run.
void BM_MemoryAlternatingSizes(benchmark::State &state)
{
    const int rounds = qEnvironmentVariableIsSet("VANTOR_MEMORY_ROUNDS")
        ? std::max(2, qEnvironmentVariableIntValue("VANTOR_MEMORY_ROUNDS"))
        : 500;
    vantor::Window1 &window = vantor::implicit::Window1();
    auto &textureSize = window.Find<fw::PopupMenu>("popTexSize");
    QWidget &preview = window.Find<fw::Control>("cnvPreview").Widget();
    const auto render = [&](int item) {
        textureSize.SetListIndex(item);
        preview.repaint();
    };
    double growth = 0;
    double peak = 0;
    for (auto _ : state) {
        render(0);
        const double idle = StatusBytes("VmRSS");
        std::ofstream("/proc/self/clear_refs") << "5"; // resets the peak
        render(3);
        render(0);
        const double afterFirstRound = StatusBytes("VmRSS");
        for (int i = 1; i < rounds; ++i) {
            render(3);
            render(0);
        }
        growth = StatusBytes("VmRSS") - afterFirstRound;
        peak = StatusBytes("VmHWM") - idle;
    }
    render(2);
    state.counters["growth_MiB"] = growth / kMiB;
    state.counters["peak_MiB"] = peak / kMiB;
    state.SetLabel(growth <= 2 * kMiB && peak < 64 * kMiB ? "within budget (2, 64)" : "OVER BUDGET (2, 64)");
}

BENCHMARK(BM_MemoryAlternatingSizes)->Iterations(1)->Repetitions(1)->Unit(benchmark::kMillisecond);

// A megabyte pasted into a cell, then six sizes and back: the peak of
// resident memory above the idle window must stay under 300 MiB.
void BM_MemoryMegabyteCell(benchmark::State &state)
{
    vantor::Window1 &window = vantor::implicit::Window1();
    auto &sizes = window.Find<fw::Listbox>("lstSizes");
    QWidget &preview = window.Find<fw::Control>("cnvPreview").Widget();
    const std::string megabyte = Megabyte().toStdString();
    double peak = 0;
    for (auto _ : state) {
        const double idle = StatusBytes("VmRSS");
        std::ofstream("/proc/self/clear_refs") << "5";
        window.Find<fw::Listbox>("lstChars").SetCell(5, 5, megabyte);
        window.UpdateFontMap();
        for (const int size : {72, 40, 50, 60, 80, 90, 100, 72}) {
            sizes.SetListIndex(size - 9);
            preview.repaint();
        }
        peak = StatusBytes("VmHWM") - idle;
    }
    window.Find<fw::Listbox>("lstChars").SetCell(5, 5, "U");
    window.UpdateFontMap();
    state.counters["peak_MiB"] = peak / kMiB;
    state.SetLabel(peak < 300 * kMiB ? "within budget (300)" : "OVER BUDGET (300)");
}

BENCHMARK(BM_MemoryMegabyteCell)->Iterations(1)->Repetitions(1)->Unit(benchmark::kMillisecond);

} // namespace
