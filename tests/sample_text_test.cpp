#include "engine/engine_support.h"
#include "modal_driver.h"
#include "test_support.h"

#include "fontmap/atlas_engine.h"
#include "fontmap/atlas_line.h"
#include "window/sample_text.h"

namespace {

using SampleTextTest = MainWindowTest;

TEST(AtlasLineTest, CopiesEachCellsSquareLighteningAndAdvancesByItsWidth)
{
    // A known texture: A's square grey 100; B's square black on its left 52
    // pixels and grey 200 beyond; no cell holds "?".
    auto texture = std::make_shared<raster::Texture>(1024, 1024);
    texture->Fill({307, 307, 102, 102}, 100);
    texture->Fill({409 + 52, 307, 102 - 52, 102}, 200);
    std::vector<double> widths(100, 60.3);
    widths[33] = 50.4;
    const vantor::Atlas atlas(
        {"Courier", 72, 1024, 0, 0, false, false, false, OnlyCell(3, 3, "A")}, texture, nullptr, widths, {});
    std::vector<std::string> cells = OnlyCell(3, 3, "A");
    cells[34] = "B";
    const vantor::Atlas both({"Courier", 72, 1024, 0, 0, false, false, false, cells}, texture, nullptr, widths, {});
    const vantor::AtlasLine line = vantor::DrawAtlasLine(both, "ABA?", 10);
    EXPECT_DOUBLE_EQ(line.length, 50.4 + 60.3 + 50.4 + 102.4) << "a missing character advances by a cell";
    EXPECT_EQ(line.missing, std::vector<std::string>{"?"});
    const QImage pixels = ImageOf(*line.picture);
    const std::pair<int, int> expected[] = {{10 + 20, 100}, {10 + 70, 100} /* B's black does not darken A */,
        {10 + 130, 200}, {10 + 125, 200} /* the second A does not darken B */, {10 + 230, 0}};
    for (const auto &[x, grey] : expected)
        EXPECT_EQ(qGray(pixels.pixel(x, 25 + 50)), grey) << x;
    EXPECT_EQ(qGray(pixels.pixel(10 + 161, 25 + 50)), 128) << "the missing character's box, at the pen truncated";
    EXPECT_EQ(vantor::DrawAtlasLine(atlas, "AB", 10).missing, std::vector<std::string>{"B"});
}

// The sample window keeps its line where LineStays says so: it must say so
// only where drawing the line again gives the same pixels.
TEST(AtlasLineTest, ALineStaysOnlyWhereDrawingItAgainGivesTheSame)
{
    vantor::AtlasEngine engine;
    const auto stays
        = [&](const vantor::AtlasSettings &before, const vantor::AtlasSettings &after, const std::string &text) {
              const auto drawnFrom = engine.Render(before);
              const vantor::AtlasLine line = vantor::DrawAtlasLine(*drawnFrom, text, 100);
              const QImage drawn = ImageOf(*line.picture);
              const auto now = engine.Render(after);
              const bool same = vantor::LineStays(line, *drawnFrom, *now);
              if (same) {
                  EXPECT_EQ(ImageOf(*vantor::DrawAtlasLine(*now, text, 100).picture), drawn) << text;
              }
              return same;
          };
    const vantor::AtlasSettings base = DefaultSettings();
    vantor::AtlasSettings moved = base;
    moved.dx = 11;
    EXPECT_TRUE(stays(base, moved, "Hello, world")) << "every glyph inside its square";
    vantor::AtlasSettings fields = base, fieldsMoved = moved;
    fields.distanceField = fieldsMoved.distanceField = true;
    fields.dx = 12; // the spread inside too
    fieldsMoved.dx = 15;
    EXPECT_TRUE(stays(fields, fieldsMoved, "Hello, world")) << "fields";
    EXPECT_FALSE(stays(base, moved, "Hello \xE2\x9C\x93")) << "the box of a character no cell holds follows dx";
    vantor::AtlasSettings wide = base, wideMoved = moved;
    wide.cells[99] = wideMoved.cells[99] = "WWW";
    EXPECT_FALSE(stays(wide, wideMoved, "Hello")) << "ink leaving a square, even of a cell not in the line";
    vantor::AtlasSettings far = base;
    far.dx = 1 << 26;
    EXPECT_FALSE(stays(base, far, "Hello")) << "pens beyond the texture draw nothing";
    vantor::AtlasSettings lower = base;
    lower.dy = 20;
    EXPECT_FALSE(stays(base, lower, "Hello")) << "dy moves the line's baseline";
}

TEST_F(SampleTextTest, CellsWhoseInkLeavesTheirSquareAreMarkedOnScreenOnlyAndNamed)
{
    window.Find<fw::EditField>("edtDY").SetText("5");
    QtChild<QAction>(window, "ViewCellOverflow").trigger();
    const std::vector<int> descenders = window.OverflowingCells();
    for (const char c : {',', ';', 'g', 'j', 'p', 'q', 'y'})
        EXPECT_NE(std::find(descenders.begin(), descenders.end(), c - ' '), descenders.end()) << c;
    EXPECT_EQ(std::find(descenders.begin(), descenders.end(), 'a' - ' '), descenders.end());
    List("lstSizes").SetListIndex(256 - 9);
    for (const char c : {'W', '@'}) {
        const std::vector<int> wide = window.OverflowingCells();
        EXPECT_NE(std::find(wide.begin(), wide.end(), c - ' '), wide.end()) << c << " at 256 px";
    }

    window.Find<fw::EditField>("edtDY").SetText("30");
    List("lstSizes").SetListIndex(72 - 9);
    EXPECT_EQ(window.OverflowingCells(), std::vector<int>{}) << "at dy 30 every glyph of Courier 72 lies inside";
    List("lstChars").SetCell(5, 5, "WWW");
    window.UpdateFontMap();
    EXPECT_TRUE(AllGrey(Texture())) << "the marks never reach the texture";
    const QImage preview = window.Find<fw::Control>("cnvPreview").Widget().grab().toImage();
    EXPECT_EQ(preview.pixel(256, 270), qRgb(255, 0, 0)) << "cell (5, 5) outlined in red";

    QtChild<QAction>(window, "ViewSampleText").trigger();
    const QString facts = QtChild<QLabel>(*fw::GetImplicitWindow("SampleText"), "stFacts").text();
    EXPECT_TRUE(facts.endsWith(QStringLiteral("1 cell overflows: WWW"))) << facts;

    // Right-to-left names stay where the sentence puts them, each isolated;
    // a cluster is named by what it holds.
    List("lstChars").SetCell(5, 6, "\xD7\xA9\xD7\x9C\xD7\xA9\xD7\x9C"); // Hebrew, overflowing too
    window.UpdateFontMap();
    auto &sample = fw::NotNil(fw::GetImplicitWindow("SampleText"));
    sample.Find<fw::EditField>("edtSample").SetText("D\xE2\x80\x8D q\xD7\x90\xD8\xB9");
    const QString mixed = QtChild<QLabel>(sample, "stFacts").text();
    EXPECT_TRUE(mixed.endsWith(QStringLiteral(". No cell holds: D U+200D \u2068\u05D0\u2069 \u2068\u0639\u2069. "
                                              "2 cells overflow: WWW \u2068\u05E9\u05DC\u05E9\u05DC\u2069")))
        << mixed;
    QtChild<QAction>(window, "ViewCellOverflow").trigger(); // the menu bar outlives the window
}

} // namespace

namespace {

fw::Window &OpenSampleText(vantor::Window1 &window)
{
    QtChild<QAction>(window, "ViewSampleText").trigger();
    return fw::NotNil(fw::GetImplicitWindow("SampleText"));
}

TEST_F(SampleTextTest, TheWindowKeepsItsSizeSaysWhatItCannotShowAndScrollsToTheRest)
{
    fw::Window &sample = OpenSampleText(window);
    const QString defaultFacts = QtChild<QLabel>(sample, "stFacts").text();
    EXPECT_TRUE(defaultFacts.contains(QRegularExpression(QStringLiteral("own line: \\d+\\.[1-9] px"))))
        << "the font's line has a fraction of its own: " << defaultFacts;
    sample.Widget().resize(600, 500);
    // Characters that cannot be seen, then more than the widest picture holds.
    sample.Find<fw::EditField>("edtSample").SetText("\t\xE2\x80\x8D" + std::string(5000, 'W'));
    QCoreApplication::processEvents();
    EXPECT_EQ(sample.Widget().size(), QSize(600, 500)) << "a long facts line never widens the window";
    const QLabel &facts = QtChild<QLabel>(sample, "stFacts");
    EXPECT_TRUE(facts.text().contains(QStringLiteral("No cell holds: U+0009 U+200D."))) << facts.text();
    EXPECT_TRUE(
        facts.text().contains(QRegularExpression(QStringLiteral("Shown: the first 3\\d\\d of 5002 characters$"))))
        << facts.text();
    EXPECT_TRUE(facts.toolTip().contains(QStringLiteral("of 5002 characters"))) << "the whole facts in the tooltip";

    auto &view = QtChild<QScrollArea>(sample, "cnvSample");
    QScrollBar &across = *view.horizontalScrollBar();
    EXPECT_EQ(across.maximum(), 0) << "Fit shows the lines whole";
    sample.Find<fw::PopupMenu>("popZoom").SetListIndex(1);
    QCoreApplication::processEvents();
    EXPECT_EQ(view.verticalScrollBar()->maximum(), 0) << "the two lines fit in height at 1:1";
    EXPECT_EQ(across.maximum(), fw::Picture::kMaxSide - view.viewport()->width());
    QWheelEvent wheel(QPointF(50, 50), view.viewport()->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, -120),
        Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(view.viewport(), &wheel);
    EXPECT_GT(across.value(), 0) << "the wheel scrolls sideways where there is nothing to scroll down";

    sample.Find<fw::PopupMenu>("popZoom").SetListIndex(2);
    QCoreApplication::processEvents();
    EXPECT_EQ(across.maximum(), 2 * fw::Picture::kMaxSide - view.viewport()->width());
    EXPECT_GT(view.verticalScrollBar()->maximum(), 0);
    across.setValue(across.maximum());
    view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum());
    const QImage end = view.viewport()->grab().toImage();
    EXPECT_FALSE(InkBounds(end, end.rect()).isEmpty()) << "the far end of the atlas line is drawn";
}

TEST_F(SampleTextTest, EscapeOrCtrlWClosesTheWindowItsTextLastsTheRunAndTheMenuKeysWorkFromIt)
{
    std::string typed = "The quick brown fox jumps over the lazy dog. 0123456789";
    for (const QKeyCombination keys : {QKeyCombination(Qt::Key_Escape), Qt::ControlModifier | Qt::Key_W}) {
        fw::Window &sample = OpenSampleText(window);
        EXPECT_EQ(sample.Find<fw::EditField>("edtSample").Text(), typed) << "the text typed before it was closed";
        typed = "Wagon " + typed;
        sample.Find<fw::EditField>("edtSample").SetText(typed);
        ASSERT_TRUE(MakeActive(sample));
        QTest::keyClick(&QtChild<QLineEdit>(sample, "edtSample"), keys.key(), keys.keyboardModifiers());
        QCoreApplication::processEvents();
        EXPECT_EQ(fw::GetImplicitWindow("SampleText"), nullptr) << QKeySequence(keys).toString();
    }
    // The menu bar's keys work from it too.
    fw::Window &sample = OpenSampleText(window);
    ModalDriver driver({});
    for (const QKeyCombination keys :
        {Qt::ControlModifier | Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_S}) {
        ASSERT_TRUE(MakeActive(sample));
        QTest::keyClick(&QtChild<QLineEdit>(sample, "edtSample"), keys.key(), keys.keyboardModifiers());
    }
    EXPECT_EQ(driver.seen, QStringList({QStringLiteral("saveDialog"), QStringLiteral("saveDialog")}));
}

} // namespace
