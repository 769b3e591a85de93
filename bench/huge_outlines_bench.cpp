// Fonts whose outlines are far larger than any texture, beside DejaVu Sans
// at the same settings: capitals whose star reaches 32,767 units from the
// origin, and outlines drawn for 2,048 units in a font whose em is 16 (every
// glyph 128 times its size). Arguments: the family (0 DejaVu Sans, 1 the
// star, 2 the small em), the size and texture size, the distance field.
// Beside them, colour bitmaps whose PNG declares 30,000 pixels a side, in
// sbix and CBDT strikes.
#include "window_keys.h"

#include "fontmap/atlas_engine.h"
#include "framework/control.h"
#include "framework/edit_field.h"
#include "framework/listbox.h"
#include "framework/popup_menu.h"
#include "window/window1.h"

#include <QAction>
#include <QLineEdit>
#include <QTest>

#include <benchmark/benchmark.h>

namespace {

const char *const kFamilies[] = {"DejaVu Sans", "Vantor Oversized", "Vantor Tiny Em"};

void SelectFont(const std::string &family)
{
    fw::Listbox &fonts = Window().Find<fw::Listbox>("lstFonts");
    for (int row = 0; row < fonts.ListCount(); ++row) {
        if (fonts.Cell(row, 0) == family)
            fonts.SetListIndex(row);
    }
}

// The settings of the arguments, with Courier, and the field as asked.
void Prepare(const benchmark::State &state)
{
    SelectFont("Courier");
    const auto texture = state.range(2);
    Window().Find<fw::PopupMenu>("popTexSize").SetListIndex(texture == 256 ? 0 : texture == 2048 ? 3 : 2);
    Window().Find<fw::Listbox>("lstSizes").SetListIndex(static_cast<int>(state.range(1)) - 9);
    Window()
        .Widget()
        .findChild<QAction *>(
            state.range(3) != 0 ? QStringLiteral("ViewDistanceFieldSingle") : QStringLiteral("ViewDistanceFieldOff"))
        ->trigger();
}

// The settings drawn by a fresh engine each time, nothing of their font
// drawn or measured before.
void RenderFromScratch(benchmark::State &state, const vantor::AtlasSettings &settings)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto engine = std::make_unique<vantor::AtlasEngine>();
        state.ResumeTiming();
        benchmark::DoNotOptimize(engine->Render(settings));
        state.PauseTiming();
        engine.reset();
        state.ResumeTiming();
    }
    state.SetLabel(settings.family);
}

// The family, the default grid.
void BM_HugeOutlineFirstRender(benchmark::State &state)
{
    Prepare(state);
    vantor::AtlasSettings settings = Window().LastAtlas()->Settings();
    settings.family = kFamilies[state.range(0)];
    RenderFromScratch(state, settings);
}

// A key typed into dx with the family shown.
void BM_HugeOutlineDxKey(benchmark::State &state)
{
    Prepare(state);
    SelectFont(kFamilies[state.range(0)]);
    TypeIntoDx(state);
    Window().Find<fw::EditField>("edtDX").SetText("4");
    state.SetLabel(kFamilies[state.range(0)]);
}

// The bitmap bomb's family (0 sbix, 1 CBDT), its bombs in the grid, at a
// size.
void BM_BitmapBombFirstRender(benchmark::State &state)
{
    SelectFont("Courier");
    vantor::AtlasSettings settings = Window().LastAtlas()->Settings();
    settings.family = state.range(0) == 0 ? "Vantor sbix Bomb" : "Vantor CBDT Bomb";
    settings.fontSize = static_cast<std::int32_t>(state.range(1));
    settings.cells[33] = "A";
    settings.cells[34] = "B";
    settings.cells[35] = "\xE2\x9D\xA4";
    RenderFromScratch(state, settings);
}

void Settings(benchmark::internal::Benchmark *benchmark)
{
    for (const int field : {0, 1}) {
        for (const auto &[size, texture] : {std::pair{72, 1024}, std::pair{256, 2048}}) {
            for (const int family : {0, 1, 2})
                benchmark->Args({family, size, texture, field});
        }
    }
    benchmark->ArgNames({"family", "size", "texture", "field"})->Unit(benchmark::kMillisecond)->UseRealTime();
}

BENCHMARK(BM_HugeOutlineFirstRender)->Apply(Settings);
BENCHMARK(BM_HugeOutlineDxKey)->Apply(Settings);
BENCHMARK(BM_BitmapBombFirstRender)
    ->ArgsProduct({{0, 1}, {72, 256}})
    ->ArgNames({"family", "size"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
