#include "bench/memory_check.h"

#include "framework/popup_menu.h"
#include "window/window1.h"

#include <QWidget>

#include <cstdio>
#include <fstream>
#include <string>

namespace vantor::bench {
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

void ResetPeak()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

} // namespace

bool CheckMemory(Window1 &window)
{
    auto &textureSize = window.Find<fw::PopupMenu>("popTexSize");
    QWidget &preview = window.Find<fw::Control>("cnvPreview").Widget();
    const auto render = [&](int item) {
        textureSize.SetListIndex(item);
        preview.repaint();
    };
    const double idle = StatusBytes("VmRSS");
    ResetPeak();
    render(3);
    render(0);
    const double afterFirstRound = StatusBytes("VmRSS");
    for (int i = 1; i < 500; ++i) {
        render(3);
        render(0);
        if (i % 50 == 0)
            std::printf("  round %d: %.1f MiB\n", i, StatusBytes("VmRSS") / kMiB);
    }
    const double atEnd = StatusBytes("VmRSS");
    const double peakAboveIdle = StatusBytes("VmHWM") - idle;
    render(2);

    const double growth = atEnd - afterFirstRound;
    const bool withinBudget = growth <= 2 * kMiB && peakAboveIdle < 64 * kMiB;
    std::printf("Memory, 1000 renders alternating 256 and 2048: resident %.1f MiB after the first round, "
                "%.1f MiB at the end (growth %+.2f MiB, budget 2); peak %.1f MiB above the idle window "
                "(budget 64): %s\n",
        afterFirstRound / kMiB, atEnd / kMiB, growth / kMiB, peakAboveIdle / kMiB,
        withinBudget ? "within budget" : "OVER BUDGET");
    return withinBudget;
}

} // namespace vantor::bench
