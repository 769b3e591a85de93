#include "bmfont_support.h"
#include "engine/engine_support.h"

#include <QProcess>

#include <cmath>
#include <iostream>
#include <map>

namespace {

// LÖVE 11.4, a reader no one here wrote, loads the export from a game
// folder and runs `drawing` in love.load with the font set; gives the
// canvas it saved. The page is filtered as `filter` says, "nearest" or
// "linear". LÖVE keeps its files in the scratch folder.
QImage LoveDraws(const QString &game, const QString &scratch, QSize canvas, const char *filter, const QString &drawing)
{
    const auto write = [&](const char *name, const QString &text) {
        QFile file(game + QLatin1Char('/') + QLatin1String(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.toUtf8());
    };
    write("conf.lua",
        QStringLiteral("function love.conf(t) t.identity = 'vantor-bmfont' t.modules.audio = false "
                       "t.modules.sound = false t.window.width = 64 t.window.height = 64 end\n"));
    write("main.lua",
        QStringLiteral("function love.load()\n"
                       "  love.graphics.setDefaultFilter('%4', '%4')\n"
                       "  local font = love.graphics.newFont('font.fnt')\n"
                       "  local canvas = love.graphics.newCanvas(%1, %2)\n"
                       "  love.graphics.setCanvas(canvas)\n"
                       "  love.graphics.clear(0, 0, 0, 1)\n"
                       "  love.graphics.setFont(font)\n"
                       "%3\n"
                       "  love.graphics.setCanvas()\n"
                       "  canvas:newImageData():encode('png', 'line.png')\n"
                       "  love.event.quit()\n"
                       "end\n")
            .arg(canvas.width())
            .arg(canvas.height())
            .arg(drawing)
            .arg(QLatin1String(filter)));
    QProcess love;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), scratch + QStringLiteral("/data"));
    environment.insert(QStringLiteral("HOME"), scratch);
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    love.setProcessEnvironment(environment);
    love.start(QStringLiteral("xvfb-run"),
        {QStringLiteral("-a"), QStringLiteral("-s"), QStringLiteral("-screen 0 640x480x24"), QStringLiteral("love"),
            game});
    EXPECT_TRUE(love.waitForFinished(120000)) << "LOVE did not end";
    const QString saved = scratch + QStringLiteral("/data/love/vantor-bmfont/line.png");
    const QImage drawn(saved);
    EXPECT_EQ(drawn.size(), canvas) << love.readAllStandardError().toStdString();
    QFile::remove(saved);
    return drawn;
}

// Each character of the line, with its pen as an engine advances it: by
// the .fnt's advances and kerning.
std::vector<std::pair<const FntLine *, int>> Pens(const std::vector<FntLine> &fnt, const QString &line, int start)
{
    std::map<int, const FntLine *> chars;
    std::map<std::pair<int, int>, int> kerning;
    for (const FntLine &fntLine : fnt) {
        if (fntLine.tag == "char")
            chars[fntLine.Int("id")] = &fntLine;
        if (fntLine.tag == "kerning")
            kerning[{fntLine.Int("first"), fntLine.Int("second")}] = fntLine.Int("amount");
    }
    std::vector<std::pair<const FntLine *, int>> pens;
    int pen = start;
    int previous = 0;
    for (const QChar character : line) {
        const FntLine &c = *chars.at(character.unicode());
        pen += kerning.count({previous, character.unicode()}) ? kerning[{previous, character.unicode()}] : 0;
        pens.emplace_back(&c, pen);
        pen += c.Int("xadvance");
        previous = character.unicode();
    }
    return pens;
}

// LÖVE draws a line with the exported font onto black: the same pixels as
// the texture's squares give, copied by the .fnt's rectangles at its whole
// advances and kerning, each glyph over what is there (a + d (1 - a)), as
// LÖVE blends.
TEST_F(BMFontTest, LoveDrawsALineAsTheTextureAndItsRectanglesGiveIt)
{
    const QString game = PathOf("game");
    const std::vector<FntLine> fnt = ExportForLove(game);
    const QString line = QStringLiteral("AVAW Tj?g");
    const QSize canvas(520, 130);
    const QPoint start(10, 10);
    const QImage drawn = LoveDraws(game, folder.path(), canvas, "nearest",
        QStringLiteral("  love.graphics.print('%1', %2, %3)").arg(line).arg(start.x()).arg(start.y()));
    ASSERT_EQ(drawn.size(), canvas);

    std::vector<double> expected(static_cast<std::size_t>(canvas.width() * canvas.height()), 0.0);
    const QImage texture = Texture();
    for (const auto &[glyph, pen] : Pens(fnt, line, start.x())) {
        const FntLine &c = *glyph;
        for (int y = 0; y < c.Int("height"); ++y) {
            for (int x = 0; x < c.Int("width"); ++x) {
                const double a = qRed(texture.pixel(c.Int("x") + x, c.Int("y") + y)) / 255.0;
                double &d = expected[static_cast<std::size_t>(
                    (start.y() + c.Int("yoffset") + y) * canvas.width() + pen + c.Int("xoffset") + x)];
                d = a + d * (1 - a);
            }
        }
    }
    int most = 0;
    int differing = 0;
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            const int want
                = static_cast<int>(std::lround(expected[static_cast<std::size_t>(y * canvas.width() + x)] * 255));
            const int got = qRed(drawn.pixel(x, y));
            most = std::max(most, std::abs(got - want));
            differing += got != want;
        }
    }
    EXPECT_EQ(differing, 0) << differing << " pixels differ, by up to " << most << " levels";
    EXPECT_GT(InkBounds(drawn, drawn.rect()).width(), 300) << "the whole line is drawn";
}

// The share of the pixels inked in either that are inked in both.
double Agreement(const QImage &a, const QImage &b)
{
    qint64 both = 0;
    qint64 either = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const bool inA = qRed(a.pixel(x, y)) >= 128;
            const bool inB = qRed(b.pixel(x, y)) >= 128;
            both += inA && inB;
            either += inA || inB;
        }
    }
    return either == 0 ? 0 : static_cast<double>(both) / static_cast<double>(either);
}

// The ink grown by a disc: each edge pixel's disc inked.
QImage Grown(const QImage &ink, int radius)
{
    QImage grown = ink.convertToFormat(QImage::Format_RGB32);
    const auto inked = [&](int x, int y) { return ink.rect().contains(x, y) && qRed(ink.pixel(x, y)) >= 128; };
    for (int y = 0; y < ink.height(); ++y) {
        for (int x = 0; x < ink.width(); ++x) {
            if (!inked(x, y) || (inked(x - 1, y) && inked(x + 1, y) && inked(x, y - 1) && inked(x, y + 1)))
                continue;
            for (int dy = -radius; dy <= radius; ++dy) {
                for (int dx = -radius; dx <= radius; ++dx) {
                    if (dx * dx + dy * dy <= radius * radius && grown.rect().contains(x + dx, y + dy))
                        grown.setPixel(x + dx, y + dy, qRgb(255, 255, 255));
                }
            }
        }
    }
    return grown;
}

// A shader that cuts the field at `at`: each channel filtered from the
// four texels around in floats, as a reader that wants the edge exactly
// does (a GPU's own 8-bit filter moves the cut by up to half a grey, a
// 32nd of a texel); of three channels, their median.
QString FieldCut(double at, bool multiChannel)
{
    return QStringLiteral(
        "  love.graphics.setShader(love.graphics.newShader([[\n"
        "    #pragma language glsl3\n"
        "    vec4 effect(vec4 color, Image atlas, vec2 at, vec2 screen) {\n"
        "      vec2 p = at * vec2(textureSize(atlas, 0)) - 0.5;\n"
        "      ivec2 i = ivec2(floor(p)); vec2 f = fract(p);\n"
        "      vec4 t = mix(mix(texelFetch(atlas, i, 0), texelFetch(atlas, i + ivec2(1, 0), 0), f.x),\n"
        "        mix(texelFetch(atlas, i + ivec2(0, 1), 0), texelFetch(atlas, i + ivec2(1, 1), 0), f.x), f.y);\n"
        "      float v = %2;\n"
        "      return vec4(1.0, 1.0, 1.0, v >= %1 ? 1.0 : 0.0);\n"
        "    }]]))\n")
        .arg(at)
        .arg(multiChannel ? QStringLiteral("max(min(t.r, t.g), min(max(t.r, t.g), t.b))") : QStringLiteral("t.a"));
}

// The font itself at `scale` times the size, each glyph at the pen the
// .fnt gives it, drawn on black.
QImage FontDrawnLarge(
    const std::vector<FntLine> &fnt, const char *family, int scale, const QString &line, QSize canvas, QPoint start)
{
    raster::Fonts fonts;
    const auto large = fonts.Of(family, 72 * scale, false, false);
    raster::Texture font(canvas.width(), canvas.height());
    for (const auto &[glyph, pen] : Pens(fnt, line, 0)) {
        const raster::Placed placed = large->Place(QString(QChar(glyph->Int("id"))).toStdString(),
            start.x() + scale * pen, start.y() + scale * fnt.at(1).Int("base"), font.Bounds());
        for (const raster::Blit &blit : placed.blits)
            font.Draw(blit, font.Bounds());
    }
    return ImageOf(font).convertToFormat(QImage::Format_RGB32);
}

QString PrintedAt(const QString &line, QPoint start, int scale)
{
    return QStringLiteral("  love.graphics.print('%1', %2, %3, 0, %4, %4)")
        .arg(line)
        .arg(start.x())
        .arg(start.y())
        .arg(scale);
}

// The distance field export, drawn by LÖVE magnified through a shader that
// cuts the field: at its edge, half, it is the font itself drawn that much
// larger at the same pens, thin serifs and hairlines too; at a quarter,
// that ink grown by half the spread, which only a field that measures
// distance gives. Not to a tenth of a percent: magnified, the cap height
// and the baseline that the glyphs share lie where an 8-bit grey decides a
// whole row of pixels (the edge's exactness is FieldReaderTest's).
TEST_F(BMFontTest, LoveDrawsTheFieldMagnifiedAsTheFontDrawsItselfLarger)
{
    struct Case {
        const char *family;
        int scale;
        QString line;
    };
    for (const Case &c :
        {Case{"DejaVu Sans", 8, QStringLiteral("AVAW Tj?g")}, Case{"DejaVu Serif", 8, QStringLiteral("AVAW Ty?g")},
            Case{"DejaVu Serif", 16, QStringLiteral("AVAW Ty?g")}}) {
        SCOPED_TRACE(std::string(c.family) + " at " + std::to_string(c.scale));
        const QString game = PathOf("game");
        const std::vector<FntLine> fnt = ExportForLove(game, "ViewDistanceFieldSingle", c.family);
        const QSize canvas(64 * c.scale * static_cast<int>(c.line.size()) * 3 / 4, 110 * c.scale);
        const QPoint start(10, 10);
        const auto cut = [&](double at) {
            return LoveDraws(
                game, folder.path(), canvas, "nearest", FieldCut(at, false) + PrintedAt(c.line, start, c.scale));
        };
        const QImage ink = FontDrawnLarge(fnt, c.family, c.scale, c.line, canvas, start);
        const double half = Agreement(cut(0.5), ink);
        EXPECT_GE(half, 0.985) << "cut at half";
        const double quarter = Agreement(cut(0.25), Grown(ink, 4 * c.scale));
        EXPECT_GE(quarter, 0.97) << "cut at a quarter, against the ink grown by half the spread";
        std::cout << c.family << " at " << c.scale << "x: agreement at half " << half << ", at a quarter " << quarter
                  << "\n";
    }
}

// The pixels where two pictures' ink differs further than `reach` pixels
// from the edge of the first's.
int DifferingBeyond(const QImage &ink, const QImage &drawn, int reach)
{
    QImage inverse = ink;
    inverse.invertPixels();
    const QImage near = Grown(ink, reach);
    const QImage nearInside = Grown(inverse, reach);
    int beyond = 0;
    for (int y = 0; y < ink.height(); ++y) {
        for (int x = 0; x < ink.width(); ++x) {
            const bool inked = qRed(ink.pixel(x, y)) >= 128;
            if (inked == (qRed(drawn.pixel(x, y)) >= 128))
                continue;
            beyond += inked ? qRed(nearInside.pixel(x, y)) < 128 : qRed(near.pixel(x, y)) < 128;
        }
    }
    return beyond;
}

// The multi-channel export, drawn by LÖVE sixteen times larger through the
// median of its channels: the font itself drawn large, its stems' corners
// sharp, every difference within a quarter texel of the outline, where the
// single channel rounds them further.
TEST_F(BMFontTest, LoveDrawsTheMultiChannelFieldWithSharpCorners)
{
    constexpr int kScale = 16;
    const QString line = QStringLiteral("EFHTW");
    const QString game = PathOf("game");
    const QSize canvas(64 * kScale * static_cast<int>(line.size()) * 3 / 4, 100 * kScale);
    const QPoint start(10, 10);
    const std::vector<FntLine> fnt = ExportForLove(game, "ViewDistanceFieldMulti");
    EXPECT_EQ(fnt.at(2).fields.at("fieldType"), "msdf");
    const QImage ink = FontDrawnLarge(fnt, "DejaVu Sans", kScale, line, canvas, start);
    const QImage multi
        = LoveDraws(game, folder.path(), canvas, "nearest", FieldCut(0.5, true) + PrintedAt(line, start, kScale));
    ExportForLove(game, "ViewDistanceFieldSingle");
    const QImage single
        = LoveDraws(game, folder.path(), canvas, "nearest", FieldCut(0.5, false) + PrintedAt(line, start, kScale));
    const double agreement = Agreement(multi, ink);
    EXPECT_GE(agreement, 0.99);
    const int beyond = DifferingBeyond(ink, multi, kScale / 4);
    EXPECT_EQ(beyond, 0) << "pixels differing further than a quarter texel from the outline";
    EXPECT_GT(DifferingBeyond(ink, single, kScale / 4), 0) << "a single channel rounds the corners further";
    std::cout << "EFHTW at 16x: agreement " << agreement << " multi-channel, " << Agreement(single, ink)
              << " single channel\n";
}

} // namespace

namespace {

// Node finds the readers where the build put them.
QProcessEnvironment ReadersEnvironment()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("NODE_PATH"), QStringLiteral(VANTOR_READERS_DIR "/node_modules"));
    return environment;
}

// Pixi 8, a reader no one here wrote, loads `font` from the folder in
// headless Chromium and draws the line at (x, y) at `size` pixels with its
// own shaders, white on black; gives the page.
QImage PixiDraws(const QString &folder, const QString &font, const QString &line, int size, QPoint at, QSize canvas)
{
    const QString pixi = QStringLiteral(VANTOR_READERS_DIR "/node_modules/pixi.js/dist/pixi.min.js");
    EXPECT_TRUE(QFile::exists(pixi)) << "no Pixi: `make test` installs it, or the build's target readers";
    QFile::remove(folder + QStringLiteral("/pixi.min.js"));
    EXPECT_TRUE(QFile::copy(pixi, folder + QStringLiteral("/pixi.min.js")));
    const QString out = folder + QStringLiteral("/pixi.png");
    QProcess chromium;
    chromium.setProcessEnvironment(ReadersEnvironment());
    chromium.start(QStringLiteral("node"),
        {QStringLiteral(VANTOR_SOURCE_DIR "/tests/readers/pixi_draws.js"), folder, font, line,
            QStringLiteral("DejaVu Sans"), QString::number(size), QString::number(at.x()), QString::number(at.y()),
            QString::number(canvas.width()), QString::number(canvas.height()), out});
    EXPECT_TRUE(chromium.waitForFinished(200000)) << "Chromium did not end";
    EXPECT_EQ(chromium.exitCode(), 0) << chromium.readAllStandardError().toStdString();
    return QImage(out).convertToFormat(QImage::Format_RGB32);
}

// The multi-channel export as browsers' readers take it: Pixi draws the
// XML sixteen times larger with its multi-channel shader as the font draws
// itself that large (it multiplies the channels by alpha as it loads a
// page: an opaque one keeps them); and parse-bmfont-ascii, behind
// load-bmfont and three-bmfont-text, reads the text form's field type as
// the word it is, where an unquoted one reads as NaN.
TEST_F(BMFontTest, PixiDrawsTheMultiChannelFieldAndJavaScriptReadsItsType)
{
    constexpr int kScale = 16;
    const QString line = QStringLiteral("EFHTW");
    const QString game = PathOf("game");
    ASSERT_TRUE(QDir().mkpath(game));
    window.Find<fw::CheckBox>("chkBold").SetValue(false);
    SelectFont("DejaVu Sans");
    QtChild<QAction>(window, "ViewDistanceFieldMulti").trigger();
    window.ExportBMFont((game + QStringLiteral("/font.xml")).toStdString());
    window.ExportBMFont((game + QStringLiteral("/font.fnt")).toStdString());
    QtChild<QAction>(window, "ViewDistanceFieldOff").trigger();
    const std::vector<FntLine> fnt = ParseFnt(Read(game + QStringLiteral("/font.fnt")));

    const QSize canvas(64 * kScale * static_cast<int>(line.size()) * 3 / 4, 100 * kScale);
    const QPoint start(10, 10);
    const QImage ink = FontDrawnLarge(fnt, "DejaVu Sans", kScale, line, canvas, start);
    // Pixi puts each glyph the line's height less its base lower than its
    // pen.
    const int lower = kScale * (fnt.at(1).Int("lineHeight") - fnt.at(1).Int("base"));
    const QImage drawn
        = PixiDraws(game, QStringLiteral("font.xml"), line, 72 * kScale, start - QPoint(0, lower), canvas);
    const double agreement = Agreement(drawn, ink);
    EXPECT_GE(agreement, 0.985);
    std::cout << "EFHTW at 16x, Pixi's multi-channel shader: agreement " << agreement << "\n";

    QProcess node;
    node.setProcessEnvironment(ReadersEnvironment());
    node.start(QStringLiteral("node"),
        {QStringLiteral(VANTOR_SOURCE_DIR "/tests/readers/field_type.js"), game + QStringLiteral("/font.fnt")});
    ASSERT_TRUE(node.waitForFinished(60000));
    EXPECT_EQ(node.readAllStandardOutput().toStdString(), R"({"fieldType":"msdf","distanceRange":16})")
        << node.readAllStandardError().toStdString();
}

} // namespace
