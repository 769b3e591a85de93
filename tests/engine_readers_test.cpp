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

} // namespace

namespace {

// Node finds the readers where the build put them.
QProcessEnvironment ReadersEnvironment()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("NODE_PATH"), QStringLiteral(VANTOR_READERS_DIR "/node_modules"));
    return environment;
}

// Pixi 8, a reader no one here wrote, loads font.xml from the folder in
// headless Chromium and draws the line in the family at (x, y) at `size`
// pixels with its own shaders, white on black; gives the page.
QImage PixiDraws(const QString &folder, const char *family, const QString &line, int size, QPoint at, QSize canvas)
{
    const QString pixi = QStringLiteral(VANTOR_READERS_DIR "/node_modules/pixi.js/dist/pixi.min.js");
    EXPECT_TRUE(QFile::exists(pixi)) << "no Pixi: `make test` installs it, or the build's target readers";
    QFile::remove(folder + QStringLiteral("/pixi.min.js"));
    EXPECT_TRUE(QFile::copy(pixi, folder + QStringLiteral("/pixi.min.js")));
    const QString out = folder + QStringLiteral("/pixi.png");
    QProcess chromium;
    chromium.setProcessEnvironment(ReadersEnvironment());
    chromium.start(QStringLiteral("node"),
        {QStringLiteral(VANTOR_SOURCE_DIR "/tests/readers/pixi_draws.js"), folder, QStringLiteral("font.xml"), line,
            QString::fromLatin1(family), QString::number(size), QString::number(at.x()), QString::number(at.y()),
            QString::number(canvas.width()), QString::number(canvas.height()), out});
    EXPECT_TRUE(chromium.waitForFinished(200000)) << "Chromium did not end";
    EXPECT_EQ(chromium.exitCode(), 0) << chromium.readAllStandardError().toStdString();
    return QImage(out).convertToFormat(QImage::Format_RGB32);
}

// The distance field exports as readers no one here wrote take them,
// magnified, against the font itself drawn that much larger at the same
// pens, thin serifs and hairlines too: LÖVE cutting the field (or the
// median of three channels) at half; Pixi with its own shaders from the XML
// (it multiplies the channels by alpha as it loads a page: an opaque one
// keeps them). At a quarter, LÖVE draws that ink grown by half the spread,
// which only a field that measures distance gives. Not to a tenth of a
// percent: magnified, the cap height and the baseline that the glyphs share
// lie where an 8-bit grey decides a whole row of pixels (the field's edge
// and corners are the engine's FieldReaderTest's). And parse-bmfont-ascii,
// behind load-bmfont and three-bmfont-text, reads the text form's field
// type as the word it is, where an unquoted one reads as NaN.
TEST_F(BMFontTest, DistanceFieldsDrawInLoveAndPixiAsTheFontDrawsItselfLargerAndJavaScriptReadsTheirType)
{
    struct Case {
        const char *family;
        int scale;
        QString line;
        bool multiChannel;
    };
    const QString game = PathOf("game");
    for (const Case &c : {Case{"DejaVu Sans", 8, QStringLiteral("AVAW Tj?g"), false},
             Case{"DejaVu Serif", 16, QStringLiteral("AVAW Ty?g"), false},
             Case{"DejaVu Sans", 16, QStringLiteral("EFHTW"), true}}) {
        SCOPED_TRACE(std::string(c.family) + " at " + std::to_string(c.scale) + (c.multiChannel ? ", multi" : ""));
        const std::vector<FntLine> fnt
            = ExportForLove(game, c.multiChannel ? "ViewDistanceFieldMulti" : "ViewDistanceFieldSingle", c.family);
        const QSize canvas(64 * c.scale * static_cast<int>(c.line.size()) * 3 / 4, 110 * c.scale);
        const QPoint start(10, 10);
        const auto cut = [&](double at) {
            return LoveDraws(game, folder.path(), canvas, "nearest",
                FieldCut(at, c.multiChannel) + PrintedAt(c.line, start, c.scale));
        };
        const QImage ink = FontDrawnLarge(fnt, c.family, c.scale, c.line, canvas, start);
        const double love = Agreement(cut(0.5), ink);
        EXPECT_GE(love, 0.985) << "LOVE, cut at half";
        if (!c.multiChannel) {
            EXPECT_GE(Agreement(cut(0.25), Grown(ink, 4 * c.scale)), 0.97) << "LOVE, cut at a quarter";
        }
        // Pixi puts each glyph the line's height less its base lower than
        // its pen.
        const int lower = c.scale * (fnt.at(1).Int("lineHeight") - fnt.at(1).Int("base"));
        const double pixi
            = Agreement(PixiDraws(game, c.family, c.line, 72 * c.scale, start - QPoint(0, lower), canvas), ink);
        // Its shaders draw every edge a few hundredths of a texel outside.
        EXPECT_GE(pixi, c.multiChannel ? 0.985 : 0.98) << "Pixi";
        std::cout << c.family << " at " << c.scale << "x: agreement " << love << " in LOVE, " << pixi << " in Pixi\n";
    }

    // The last case's text form.
    QProcess node;
    node.setProcessEnvironment(ReadersEnvironment());
    node.start(QStringLiteral("node"),
        {QStringLiteral(VANTOR_SOURCE_DIR "/tests/readers/field_type.js"), game + QStringLiteral("/font.fnt")});
    ASSERT_TRUE(node.waitForFinished(60000));
    EXPECT_EQ(node.readAllStandardOutput().toStdString(), R"({"fieldType":"msdf","distanceRange":16})")
        << node.readAllStandardError().toStdString();
}

} // namespace
