#include "test_support.h"

#include "fontmap/atlas_engine.h"
#include "fontmap/width_table.h"

namespace {

// Counts the paints that reach a widget.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget &widget) { widget.installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override { return (count += event->type() == QEvent::Paint, false); }
};

class PreviewTest : public MainWindowTest {
protected:
    QWidget &Canvas() { return window.Find<fw::Control>("cnvPreview").Widget(); }
    QImage Preview() { return Canvas().grab().toImage().convertToFormat(QImage::Format_RGB32); }
    QRgb Background() { return Canvas().palette().window().color().rgb(); }
    void ChooseTexture(int item) { window.Find<fw::PopupMenu>("popTexSize").SetListIndex(item); }
    void ClickFit() { QtChild<QCheckBox>(window, "chkToFit").click(); }
};

TEST_F(PreviewTest, RepaintsAfterEveryRenderAndEveryFitSwitch)
{
    window.Widget().show();
    QCoreApplication::processEvents();
    PaintCounter paints(Canvas());
    const auto painted = [&](const std::function<void()> &action) {
        paints.count = 0;
        action();
        QCoreApplication::processEvents();
        return paints.count > 0;
    };
    EXPECT_FALSE(painted([] {})) << "nothing changed, nothing painted";
    EXPECT_TRUE(painted([&] { window.Find<fw::EditField>("edtDX").SetText("9"); }));
    EXPECT_TRUE(painted([&] { ClickFit(); }));
    EXPECT_TRUE(painted([&] { ClickFit(); }));
}

// Only what changed is shown anew: the width list's rows where a width or
// text differs, the preview's shrunk copy where the texture does.
TEST_F(PreviewTest, AfterEachKindOfChangeTheWidthListAndPreviewAreWhatAFreshStartShows)
{
    ASSERT_TRUE(MakeActive(window));
    const auto expectFresh = [&](const char *after) {
        SCOPED_TRACE(after);
        vantor::AtlasEngine engine;
        const auto fresh = engine.Render(window.LastAtlas()->Settings());
        ASSERT_EQ(List("lstWidths").ListCount(), 100);
        for (int cell = 0; cell < 100; ++cell) {
            ASSERT_EQ(List("lstWidths").Cell(cell, 0), fresh->Text(cell)) << cell;
            ASSERT_EQ(List("lstWidths").Cell(cell, 1), vantor::WidthText(fresh->Widths()[std::size_t(cell)])) << cell;
        }
        // Shown unscaled between, the fitted view is then shrunk anew.
        const QImage shown = Preview();
        ClickFit();
        Preview();
        ClickFit();
        EXPECT_EQ(Preview(), shown) << "painted as a new picture is";
    };
    auto &dx = QtChild<QLineEdit>(window, "edtDX");
    dx.setFocus();
    QTest::keyClick(&dx, Qt::Key_7);
    expectFresh("a key into dx");
    auto &cells = QtChild<QTableView>(window, "lstChars");
    cells.setFocus();
    cells.setCurrentIndex(cells.model()->index(5, 5));
    QTest::keyClicks(&cells, QStringLiteral("W"));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("i"));
    expectFresh("keys into a cell");
    List("lstFonts").SetListIndex(1);
    expectFresh("a change of font");
    List("lstSizes").SetListIndex(30);
    expectFresh("a change of size");
    ChooseTexture(3);
    QTest::keyClick(&dx, Qt::Key_Backspace);
    expectFresh("a new texture size, then dx");
}

TEST_F(PreviewTest, FitShrinksA2048TextureToBlockAveragesAndEnlargesA256OneByWholePixels)
{
    ChooseTexture(3);
    QImage preview = Preview();
    QImage texture = Texture();
    ASSERT_EQ(preview.size(), QSize(512, 512));
    for (int y = 0; y < 512; y += 3) {
        for (int x = 0; x < 512; x += 3) {
            int sum = 0;
            for (int j = 0; j < 16; ++j)
                sum += qRed(texture.pixel(4 * x + j % 4, 4 * y + j / 4));
            ASSERT_EQ(qRed(preview.pixel(x, y)), (sum + 8) / 16) << x << ", " << y;
        }
    }
    EXPECT_TRUE(AllGrey(preview));
    ChooseTexture(0);
    preview = Preview();
    texture = Texture();
    for (int y = 0; y < 512; ++y) {
        for (int x = 0; x < 512; ++x)
            ASSERT_EQ(preview.pixel(x, y), texture.pixel(x / 2, y / 2)) << x << ", " << y;
    }
}

TEST_F(PreviewTest, UnscaledShowsTheTopLeftOfTheTextureOnTheBackground)
{
    ClickFit();
    ChooseTexture(3);
    EXPECT_EQ(Preview(), Texture().copy(0, 0, 512, 512));
    ChooseTexture(0);
    const QImage preview = Preview();
    EXPECT_EQ(preview.copy(0, 0, 256, 256), Texture());
    for (const QPoint point : {QPoint(400, 100), QPoint(100, 400), QPoint(511, 511)})
        EXPECT_EQ(preview.pixel(point), Background());
    ChooseTexture(1);
    EXPECT_EQ(Preview(), Texture()) << "512 shows whole either way";
    ClickFit();
    EXPECT_EQ(Preview(), Texture());
    window.CurrentFontMap.reset();
    EXPECT_EQ(Preview().pixel(256, 256), Background()) << "blank before the first render";
}

TEST_F(PreviewTest, UnscaledTheViewMovesOverTheTextureWithinItAndANewSizeStartsAtTheTopLeft)
{
    ClickFit();
    ChooseTexture(3);
    QWidget &canvas = Canvas();
    const auto mouse = [&](QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
        QMouseEvent event(type, at, canvas.mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(&canvas, &event);
    };
    // Dragged up and left by (100, 50): the view moves right and down.
    mouse(QEvent::MouseButtonPress, {300, 300}, Qt::LeftButton);
    mouse(QEvent::MouseMove, {200, 250}, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, {200, 250}, Qt::NoButton);
    EXPECT_EQ(Preview(), Texture().copy(100, 50, 512, 512));
    // Tab reaches it after Italic; arrow keys move it by 16, the wheel by 48
    // down, or sideways with Shift.
    ASSERT_TRUE(MakeActive(window));
    QtChild<QWidget>(window, "chkItalic").setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), &canvas);
    QTest::keyClick(&canvas, Qt::Key_Right);
    QTest::keyClick(&canvas, Qt::Key_Up);
    EXPECT_EQ(Preview().pixel(0, 256), canvas.palette().color(QPalette::Highlight).rgb()) << "marked while focused";
    QtChild<QWidget>(window, "chkItalic").setFocus();
    EXPECT_EQ(Preview(), Texture().copy(116, 34, 512, 512));
    for (const Qt::KeyboardModifiers modifiers : {Qt::KeyboardModifiers(), Qt::KeyboardModifiers(Qt::ShiftModifier)}) {
        QWheelEvent wheel(QPointF(50, 50), canvas.mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, -120), Qt::NoButton,
            modifiers, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(&canvas, &wheel);
    }
    EXPECT_EQ(Preview(), Texture().copy(164, 82, 512, 512));
    // Never beyond the texture.
    mouse(QEvent::MouseButtonPress, {500, 500}, Qt::LeftButton);
    mouse(QEvent::MouseMove, {-5000, -5000}, Qt::LeftButton);
    EXPECT_EQ(Preview(), Texture().copy(2048 - 512, 2048 - 512, 512, 512));
    // A texture of another side shows from its top left corner.
    ChooseTexture(2);
    EXPECT_EQ(Preview(), Texture().copy(0, 0, 512, 512));
    ClickFit();
}

} // namespace
