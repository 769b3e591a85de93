#include "megabyte.h"
#include "window_keys.h"

#include "active_window.h"

#include "fontmap/atlas_engine.h"
#include "framework/check_box.h"
#include "framework/edit_field.h"
#include "framework/files.h"
#include "framework/graphics_exporter.h"
#include "framework/image_scaling.h"
#include "framework/listbox.h"
#include "framework/picture.h"
#include "framework/popup_menu.h"
#include "framework/window.h"
#include "window/window1.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QImage>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

namespace {

// Selects the texture size and the preview mode, as the user would.
void Prepare(int textureSize, bool fit)
{
    const int item = textureSize == 256 ? 0 : textureSize == 512 ? 1 : textureSize == 1024 ? 2 : 3;
    Window().Find<fw::PopupMenu>("popTexSize").SetListIndex(item);
    Window().Find<fw::CheckBox>("chkToFit").SetValue(fit);
    Window().Find<fw::EditField>("edtDX").SetText("4");
}

// The default settings of the window, at a texture size.
vantor::AtlasSettings Settings(int side)
{
    Prepare(side, true);
    return Window().LastAtlas()->Settings();
}

QWidget &Preview()
{
    return Window().Find<fw::Control>("cnvPreview").Widget();
}

void BM_FillBlack(benchmark::State &state)
{
    const int side = static_cast<int>(state.range(0));
    QImage texture(side, side, QImage::Format_Grayscale8);
    for (auto _ : state) {
        texture.fill(0);
        benchmark::DoNotOptimize(texture.constBits());
    }
}

void BM_FontMap(benchmark::State &state)
{
    const int side = static_cast<int>(state.range(0));
    Prepare(side, true);
    const int size = 72 * side / 1024;
    const int dx = 4 * side / 1024;
    const int dy = 30 * side / 1024;
    auto map = Window().CurrentFontMap;
    for (auto _ : state)
        map = Window().FontMap(map, "Courier", size, side, side, dx, dy);
}

// One settings change: the render, the width list and the preview painted.
void SettingsChange(benchmark::State &state, bool fit)
{
    Prepare(static_cast<int>(state.range(0)), fit);
    for (auto _ : state) {
        Window().UpdateFontMap();
        Preview().repaint();
    }
}

void BM_SettingsChangeFit(benchmark::State &state)
{
    SettingsChange(state, true);
}

void BM_SettingsChangeUnscaled(benchmark::State &state)
{
    SettingsChange(state, false);
}

// A change of font: nothing drawn before can be reused, the worst case.
void BM_FontChange(benchmark::State &state)
{
    Prepare(static_cast<int>(state.range(0)), true);
    fw::Listbox &fonts = Window().Find<fw::Listbox>("lstFonts");
    int font = 0;
    for (auto _ : state) {
        font = 1 - font;
        fonts.SetListIndex(font);
        Preview().repaint();
    }
    fonts.SetListIndex(0);
}

// The first sizes drawn after start-up: 40 to 68 as for 1024.
constexpr int kFirstSizes[] = {40, 44, 48, 52, 56, 60, 64, 68};

// Each of the sizes once, on a window of the texture's side as `prepare`
// leaves it; then a new window, which starts from scratch.
template <std::size_t kCount, class Prepared>
void EachSizeFirstUsed(benchmark::State &state, const int (&sizes)[kCount], Prepared prepare)
{
    const int side = static_cast<int>(state.range(0));
    std::size_t next = kCount;
    for (auto _ : state) {
        if (next == kCount) {
            state.PauseTiming();
            fw::DestroyAllWindows();
            Prepare(side, true);
            prepare();
            next = 0;
            state.ResumeTiming();
        }
        Window().Find<fw::Listbox>("lstSizes").SetListIndex(sizes[next++] - 9);
        Preview().repaint();
    }
}

// A size never used before: nothing measured or drawn at it can be reused,
// the worst case of a change.
void BM_FirstUseOfASize(benchmark::State &state)
{
    EachSizeFirstUsed(state, kFirstSizes, [] {});
    Window().Find<fw::Listbox>("lstSizes").SetListIndex(72 - 9);
}

// Large sizes, where each glyph drawn is dear.
constexpr int kLargeSizes[] = {228, 232, 236, 240, 244, 248, 252, 256};

// A first size with a cell of 100,000 Greek letters, the overflow marks off
// or on: of the cell only what can land on the texture is drawn or measured.
template <bool kMarks> void BM_FirstUseOfASizeWithALongCell(benchmark::State &state)
{
    QString greek;
    for (int i = 0; i < 100000; ++i)
        greek += QChar(0x03B1 + i % 25);
    // Of the window open at the time.
    const auto mark = [](bool on) {
        QAction &marks = *Window().Widget().findChild<QAction *>(QStringLiteral("ViewCellOverflow"));
        if (marks.isChecked() != on)
            marks.trigger();
    };
    EachSizeFirstUsed(state, kLargeSizes, [&] {
        mark(kMarks);
        // Noto Serif where it is installed, as on Debian's desktops.
        auto &fonts = Window().Find<fw::Listbox>("lstFonts");
        for (const char *family : {"DejaVu Serif", "Noto Serif"}) {
            for (int row = 0; row < fonts.ListCount(); ++row) {
                if (fonts.Cell(row, 0) == family)
                    fonts.SetListIndex(row);
            }
        }
        Window().Find<fw::Listbox>("lstChars").SetCell(5, 5, greek.toStdString());
        Window().UpdateFontMap();
    });
    mark(false);
    fw::DestroyAllWindows();
}

// The same of the engine alone, no window: a fresh engine that has drawn
// the grid at 72 once, then each of the sizes.
void BM_EngineFirstUseOfASize(benchmark::State &state)
{
    const int side = static_cast<int>(state.range(0));
    vantor::AtlasSettings settings = Settings(side);
    std::unique_ptr<vantor::AtlasEngine> engine;
    std::size_t next = std::size(kFirstSizes);
    for (auto _ : state) {
        if (next == std::size(kFirstSizes)) {
            state.PauseTiming();
            engine = std::make_unique<vantor::AtlasEngine>();
            settings.fontSize = 72 * side / 1024;
            engine->Render(settings);
            next = 0;
            state.ResumeTiming();
        }
        settings.fontSize = kFirstSizes[next++] * side / 1024;
        benchmark::DoNotOptimize(engine->Render(settings));
    }
}

// A change of dx of the engine alone: every pen moves alike.
void BM_EngineDx(benchmark::State &state)
{
    vantor::AtlasSettings settings = Settings(static_cast<int>(state.range(0)));
    vantor::AtlasEngine engine;
    engine.Render(settings);
    const std::int32_t dx = settings.dx;
    for (auto _ : state) {
        settings.dx = settings.dx == dx ? dx + 1 : dx;
        benchmark::DoNotOptimize(engine.Render(settings));
    }
}

// A change of one cell's text, of the engine alone.
void BM_EngineCell(benchmark::State &state)
{
    vantor::AtlasSettings settings = Settings(static_cast<int>(state.range(0)));
    vantor::AtlasEngine engine;
    engine.Render(settings);
    for (auto _ : state) {
        settings.cells[55] = settings.cells[55] == "U" ? "U7" : "U";
        benchmark::DoNotOptimize(engine.Render(settings));
    }
}

// A key typed into dx, through Qt's event delivery to the painted preview.
void BM_DxKeystroke(benchmark::State &state)
{
    Prepare(static_cast<int>(state.range(0)), true);
    TypeIntoDx(state);
}

// The same with the sample text window open and the overflow marks shown,
// both painted.
void BM_DxKeystrokeSampleAndOverflow(benchmark::State &state)
{
    QAction &overflow = *Window().Widget().findChild<QAction *>(QStringLiteral("ViewCellOverflow"));
    overflow.trigger();
    Window().Widget().findChild<QAction *>(QStringLiteral("ViewSampleText"))->trigger();
    BM_DxKeystroke(state);
    fw::NotNil(fw::GetImplicitWindow("SampleText")).Close();
    overflow.trigger();
    QCoreApplication::processEvents();
}

// A key typed into a grid cell's editor, through Qt's event delivery to the
// painted preview: one cell's text changes.
void BM_CellKeystroke(benchmark::State &state)
{
    Prepare(static_cast<int>(state.range(0)), true);
    auto &cells = static_cast<QTableView &>(Window().Find<fw::Control>("lstChars").Widget());
    // The window the keys go to, whatever a benchmark before left active.
    if (!MakeActive(Window()))
        state.SkipWithError("the window did not become active");
    cells.setFocus();
    cells.setCurrentIndex(cells.model()->index(5, 5));
    QTest::keyClick(&cells, Qt::Key_5);
    QWidget *editor = QApplication::focusWidget();
    if (!editor || editor == &cells) {
        state.SkipWithError("the cell's editor did not open");
        return;
    }
    bool typed = false;
    for (auto _ : state) {
        QTest::keyClick(editor, typed ? Qt::Key_Backspace : Qt::Key_7);
        typed = !typed;
        QCoreApplication::processEvents();
    }
    QTest::keyClick(editor, Qt::Key_Escape);
}

// The same with View > Distance Field > Single Channel or Multi-Channel:
// each glyph drawn as its field.
template <void (*Measured)(benchmark::State &), bool kMulti = false> void WithField(benchmark::State &state)
{
    // Of the window open at the time: a benchmark may open a new one.
    const auto choose
        = [](const char *item) { Window().Widget().findChild<QAction *>(QString::fromLatin1(item))->trigger(); };
    choose(kMulti ? "ViewDistanceFieldMulti" : "ViewDistanceFieldSingle");
    Measured(state);
    choose("ViewDistanceFieldOff");
}

// Pasting a megabyte into a grid cell's editor, the render and the window
// painted; and afterwards, with that cell in the grid, a key into dx.
void BM_MegabytePasteIntoACell(benchmark::State &state)
{
    Prepare(static_cast<int>(state.range(0)), true);
    auto &cells = static_cast<QTableView &>(Window().Find<fw::Control>("lstChars").Widget());
    if (!MakeActive(Window()))
        state.SkipWithError("the window did not become active");
    QApplication::clipboard()->setText(Megabyte());
    for (auto _ : state) {
        cells.setFocus();
        cells.setCurrentIndex(cells.model()->index(5, 5));
        QTest::keyClick(&cells, Qt::Key_F2);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        Window().Widget().repaint();
        QCoreApplication::processEvents();
        state.PauseTiming();
        Window().Find<fw::Listbox>("lstChars").SetCell(5, 5, "U");
        Window().UpdateFontMap();
        state.ResumeTiming();
    }
}

void BM_DxKeystrokeWithAMegabyteCell(benchmark::State &state)
{
    Window().Find<fw::Listbox>("lstChars").SetCell(5, 5, Megabyte().toStdString());
    BM_DxKeystroke(state);
    Window().Find<fw::Listbox>("lstChars").SetCell(5, 5, "U");
    Window().UpdateFontMap();
}

// What no render can avoid: filling the texture and shrinking it for the
// fitted preview.
void BM_Floor(benchmark::State &state)
{
    const int side = static_cast<int>(state.range(0));
    QImage texture(side, side, QImage::Format_Grayscale8);
    for (auto _ : state) {
        texture.fill(0);
        benchmark::DoNotOptimize(fw::ScaleImage(texture, texture.rect(), QSize(512, 512)));
    }
}

void BM_CharWidthTable(benchmark::State &state)
{
    Prepare(static_cast<int>(state.range(0)), true);
    for (auto _ : state)
        benchmark::DoNotOptimize(Window().CharWidthTable());
}

// Saving the texture as PNG, as the Save button does after its dialogs.
void BM_SaveTexturePng(benchmark::State &state)
{
    Prepare(static_cast<int>(state.range(0)), true);
    const QTemporaryDir folder;
    const fw::FolderItem location(folder.filePath(QStringLiteral("texture.png")).toStdString());
    const fw::GraphicsExporter exporter;
    for (auto _ : state)
        exporter.SavePicture(location, *Window().CurrentFontMap);
}

// Exporting a BMFont: the page, and the .fnt with every pair's kerning.
void BM_ExportBMFont(benchmark::State &state)
{
    Prepare(static_cast<int>(state.range(0)), true);
    const QTemporaryDir folder;
    const std::string path = folder.filePath(QStringLiteral("font.fnt")).toStdString();
    for (auto _ : state)
        benchmark::DoNotOptimize(Window().ExportBMFont(path));
}

// View > Fit Glyphs to Cells from the default settings, its renders
// included.
void BM_FitGlyphsToCells(benchmark::State &state)
{
    Prepare(static_cast<int>(state.range(0)), true);
    for (auto _ : state) {
        state.PauseTiming();
        Window().Find<fw::Listbox>("lstSizes").SetListIndex(72 - 9);
        Window().Find<fw::EditField>("edtDX").SetText("4");
        Window().Find<fw::EditField>("edtDY").SetText("30");
        state.ResumeTiming();
        benchmark::DoNotOptimize(Window().FitGlyphsToCells());
        Preview().repaint();
    }
    Window().Find<fw::Listbox>("lstSizes").SetListIndex(72 - 9);
    Window().Find<fw::EditField>("edtDY").SetText("30");
}

void TextureSizes(benchmark::internal::Benchmark *benchmark)
{
    benchmark->Arg(256)->Arg(512)->Arg(1024)->Arg(2048)->Unit(benchmark::kMillisecond)->UseRealTime();
}

BENCHMARK(BM_FillBlack)->Apply(TextureSizes);
BENCHMARK(BM_FontMap)->Apply(TextureSizes);
BENCHMARK(BM_SettingsChangeFit)->Apply(TextureSizes);
BENCHMARK(BM_SettingsChangeUnscaled)->Apply(TextureSizes);
BENCHMARK(BM_FontChange)->Apply(TextureSizes);
BENCHMARK(BM_FirstUseOfASize)->Apply(TextureSizes);
BENCHMARK(BM_EngineFirstUseOfASize)->Apply(TextureSizes);
BENCHMARK(BM_EngineDx)->Apply(TextureSizes);
BENCHMARK(BM_EngineCell)->Apply(TextureSizes);
BENCHMARK(BM_DxKeystroke)->Apply(TextureSizes);
BENCHMARK(BM_DxKeystrokeSampleAndOverflow)->Apply(TextureSizes);
BENCHMARK(BM_CellKeystroke)->Apply(TextureSizes);
BENCHMARK(BM_MegabytePasteIntoACell)->Arg(1024)->Arg(2048)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);
BENCHMARK(BM_DxKeystrokeWithAMegabyteCell)->Apply(TextureSizes);
BENCHMARK(WithField<BM_FirstUseOfASize>)->Name("BM_FieldFirstUseOfASize")->Apply(TextureSizes);
BENCHMARK(WithField<BM_FirstUseOfASize, true>)->Name("BM_MultiChannelFieldFirstUseOfASize")->Apply(TextureSizes);
BENCHMARK(WithField<BM_CellKeystroke>)->Name("BM_FieldCellKeystroke")->Apply(TextureSizes);
BENCHMARK(WithField<BM_DxKeystroke>)->Name("BM_FieldDxKeystroke")->Apply(TextureSizes);
BENCHMARK(BM_FirstUseOfASizeWithALongCell<false>)->Name("BM_FirstUseOfASizeWithALongCell")->Apply(TextureSizes);
BENCHMARK(BM_FirstUseOfASizeWithALongCell<true>)->Name("BM_FirstUseOfASizeWithALongCellMarked")->Apply(TextureSizes);
BENCHMARK(WithField<BM_FirstUseOfASizeWithALongCell<false>, true>)
    ->Name("BM_MultiChannelFirstUseOfASizeWithALongCell")
    ->Apply(TextureSizes);
BENCHMARK(WithField<BM_FirstUseOfASizeWithALongCell<true>, true>)
    ->Name("BM_MultiChannelFirstUseOfASizeWithALongCellMarked")
    ->Apply(TextureSizes);
BENCHMARK(BM_Floor)->Apply(TextureSizes);
BENCHMARK(BM_CharWidthTable)->Apply(TextureSizes);
BENCHMARK(BM_SaveTexturePng)->Arg(1024)->Arg(2048)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ExportBMFont)->Arg(1024)->Arg(2048)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FitGlyphsToCells)->Apply(TextureSizes);

} // namespace

namespace {

// The preview's share: the texture shrunk to the 512 x 512 canvas.
void BM_PreviewShrink(benchmark::State &state)
{
    const int side = static_cast<int>(state.range(0));
    Prepare(side, true);
    const QImage texture = Window().CurrentFontMap->Image();
    for (auto _ : state)
        benchmark::DoNotOptimize(fw::ScaleImage(texture, texture.rect(), QSize(512, 512)));
}

BENCHMARK(BM_PreviewShrink)->Apply(TextureSizes);

} // namespace
