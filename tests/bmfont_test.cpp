#include "engine/engine_support.h"
#include "engine/font_oracles.h"
#include "modal_driver.h"
#include "test_support.h"

#include "fontmap/atlas_line.h"
#include "fontmap/bmfont.h"

#include <cmath>
#include <map>

#include <sys/stat.h>

namespace {

// A line of a .fnt: its tag and its fields, quotes taken off.
struct FntLine {
    std::string tag;
    std::map<std::string, std::string> fields;
    int Int(const std::string &key) const { return std::stoi(fields.at(key)); }
    friend bool operator==(const FntLine &, const FntLine &) = default;
};

std::vector<FntLine> ParseFnt(const QByteArray &text)
{
    std::vector<FntLine> lines;
    for (const QByteArray &line : text.split('\n')) {
        if (line.isEmpty())
            continue;
        FntLine parsed;
        qsizetype at = line.indexOf(' ');
        parsed.tag = line.left(at).toStdString();
        while (at >= 0 && at < line.size()) {
            const qsizetype equals = line.indexOf('=', at);
            const std::string name = line.mid(at + 1, equals - at - 1).toStdString();
            const bool quoted = line[equals + 1] == '"';
            const qsizetype end = quoted ? line.indexOf('"', equals + 2) + 1 : line.indexOf(' ', equals);
            const QByteArray value = line.mid(equals + 1, (end < 0 ? line.size() : end) - equals - 1);
            parsed.fields[name] = (quoted ? value.mid(1, value.size() - 2) : value).toStdString();
            at = end;
        }
        lines.push_back(parsed);
    }
    return lines;
}

// The elements of a BMFont XML file as the lines of the text format: tags
// and attributes, the enclosing font and pages left out.
std::vector<FntLine> ParseFntXml(const QByteArray &xml)
{
    std::vector<FntLine> lines;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement || reader.name() == u"font"
            || reader.name() == u"pages")
            continue;
        FntLine parsed{reader.name().toString().toStdString(), {}};
        for (const QXmlStreamAttribute &attribute : reader.attributes())
            parsed.fields[attribute.name().toString().toStdString()] = attribute.value().toString().toStdString();
        lines.push_back(parsed);
    }
    EXPECT_FALSE(reader.hasError()) << reader.errorString();
    return lines;
}

class BMFontTest : public MainWindowTest {
protected:
    QTemporaryDir folder;

    QString PathOf(const char *name) const { return folder.filePath(QString::fromLatin1(name)); }
    static QByteArray Read(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // The family, bold off, as coverage or as the distance fields the View
    // menu's item names, exported to font.fnt in a game's folder.
    std::vector<FntLine> ExportForLove(
        const QString &game, const char *field = "ViewDistanceFieldOff", const char *family = "DejaVu Sans")
    {
        EXPECT_TRUE(QDir().mkpath(game));
        window.Find<fw::CheckBox>("chkBold").SetValue(false);
        SelectFont(family);
        QtChild<QAction>(window, field).trigger();
        window.ExportBMFont((game + QStringLiteral("/font.fnt")).toStdString());
        QtChild<QAction>(window, "ViewDistanceFieldOff").trigger();
        return ParseFnt(Read(game + QStringLiteral("/font.fnt")));
    }
    // Renders with the family, bold off unless asked, and exports to
    // font.fnt.
    std::vector<FntLine> Export(const char *family, std::string *caveats = nullptr, bool bold = false)
    {
        SelectFont(family);
        window.Find<fw::CheckBox>("chkBold").SetValue(bold);
        window.UpdateFontMap();
        const std::string told = window.ExportBMFont(PathOf("font.fnt").toStdString());
        if (caveats)
            *caveats = told;
        return ParseFnt(Read(PathOf("font.fnt")));
    }
};

TEST_F(BMFontTest, EachCharacterKeepsItsPenInsideItsCellWithWholeAdvancesAndTheFontsKerning)
{
    List("lstChars").SetCell(1, 0, "e\xCC\x81"); // composes to U+00E9
    List("lstChars").SetCell(1, 1, "ab");
    List("lstChars").SetCell(1, 2, "");
    std::string caveats;
    const std::vector<FntLine> fnt = Export("DejaVu Sans", &caveats);
    EXPECT_EQ(caveats, "Not exported, more than one character: ab");
    const QByteArray bytes = Read(PathOf("font.fnt"));
    EXPECT_TRUE(bytes.startsWith("info face=\"DejaVu Sans\" size=72 bold=0 italic=0 charset=\"\" unicode=1 "
                                 "stretchH=100 smooth=1 aa=1 padding=0,0,0,0 spacing=0,0\n"));
    EXPECT_FALSE(bytes.contains('\r'));
    ASSERT_GE(fnt.size(), 4u);
    const FntLine &common = fnt[1];
    EXPECT_EQ(common.fields.at("scaleW") + common.fields.at("scaleH"), "10241024");
    EXPECT_EQ(fnt[2].fields.at("file"), "font_0.png");
    const int base = common.Int("base");
    std::map<int, const FntLine *> chars;
    for (const FntLine &line : fnt) {
        if (line.tag == "char")
            chars[line.Int("id")] = &line;
    }
    EXPECT_EQ(fnt[3].Int("count"), static_cast<int>(chars.size()));
    EXPECT_EQ(chars.size(), 93u) << "95 printable characters, less the three cells changed, plus e acute";
    const auto check = [&](int id, int cell) {
        SCOPED_TRACE(id);
        ASSERT_TRUE(chars.count(id));
        const FntLine &c = *chars[id];
        const raster::Box square = vantor::CellSquare(1024, cell / 10, cell % 10);
        const vantor::Pen pen = window.LastAtlas()->PenOf(cell);
        EXPECT_TRUE(c.Int("x") >= square.left && c.Int("x") + c.Int("width") <= square.left + square.width);
        EXPECT_TRUE(c.Int("y") >= square.top && c.Int("y") + c.Int("height") <= square.top + square.height);
        EXPECT_EQ(c.Int("x") - c.Int("xoffset"), pen.x) << "the pen stays where the texture has it";
        EXPECT_EQ(base - c.Int("yoffset"), pen.y - c.Int("y"));
        EXPECT_EQ(c.Int("xadvance"), std::lround(std::stod(List("lstWidths").Cell(cell, 1))));
    };
    check(0xE9, 10);
    check('?', 31); // the first of the six cells holding it
    check('W', 55);
    check('g', 71);
    EXPECT_EQ(chars[' ']->Int("width") + chars[' ']->Int("height"), 0) << "the space has no ink";

    const auto kerning = [](const std::vector<FntLine> &lines, int first, int second) {
        for (const FntLine &line : lines) {
            if (line.tag == "kerning" && line.Int("first") == first && line.Int("second") == second)
                return line.Int("amount");
        }
        return 0;
    };
    EXPECT_LT(kerning(fnt, 'A', 'V'), 0) << "DejaVu Sans brings A and V together";
    EXPECT_FALSE(Read(PathOf("font.fnt")).contains("\nkernings count=0"));
    // A kerns with A: a line spans what the font lays out, to the rounding
    // of each advance.
    const int twoA = 2 * chars['A']->Int("xadvance") + kerning(fnt, 'A', 'A');
    EXPECT_NEAR(twoA, HarfBuzzAdvance(TestFontFile("DejaVuSans.ttf"), 72, "AA"), 1.0);
    // An engine draws f and i apart: a ligature is no kerning.
    const std::vector<FntLine> bold = Export("DejaVu Sans", nullptr, true);
    EXPECT_LT(kerning(bold, 'A', 'V'), 0);
    for (const char second : {'i', 'l', 'f'})
        EXPECT_EQ(kerning(bold, 'f', second), 0) << "f" << second;
    const std::vector<FntLine> mono = Export("Courier");
    EXPECT_TRUE(std::none_of(mono.begin(), mono.end(), [](const FntLine &line) { return line.tag == "kernings"; }))
        << "a monospace face has no kerning";
}

TEST_F(BMFontTest, TheXmlHoldsTheTextExportsNumbersAndEveryNameReadsBack)
{
    List("lstChars").SetCell(0, 1, "\xE6\x9C\xAC"); // a CJK character
    List("lstChars").SetCell(0, 2, "\xF0\x90\x8C\x80"); // U+10300, past 16 bits
    std::string textCaveats;
    const std::vector<FntLine> text = Export("DejaVu Sans", &textCaveats);
    const QByteArray page = Read(PathOf("font_0.png"));
    const std::string xmlCaveats = window.ExportBMFont(PathOf("font.xml").toStdString());
    const QByteArray xml = Read(PathOf("font.xml"));
    EXPECT_TRUE(xml.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<font>\n  <info face=\"DejaVu Sans\""));
    EXPECT_EQ(ParseFntXml(xml), text) << "the same numbers, element for line";
    EXPECT_EQ(Read(PathOf("font_0.png")), page) << "the same page";
    EXPECT_EQ(xmlCaveats, textCaveats) << "the same message after either";
    int letters = 0;
    for (const FntLine &line : text) {
        if (line.tag == "char" && line.fields.count("letter")) {
            ++letters;
            EXPECT_EQ(line.Int("id"), 0x10300);
            EXPECT_EQ(line.fields.at("letter"), "\xF0\x90\x8C\x80");
        }
    }
    EXPECT_EQ(letters, 1) << "only a character past U+FFFF is named by its text";
    const auto count = [&](const char *tag) {
        return std::count_if(text.begin(), text.end(), [&](const FntLine &line) { return line.tag == tag; });
    };
    const auto kernings
        = std::find_if(text.begin(), text.end(), [](const FntLine &line) { return line.tag == "kernings"; });
    ASSERT_NE(kernings, text.end()) << "DejaVu Sans kerns";
    EXPECT_EQ(kernings->Int("count"), count("kerning"));

    // Every special character of XML in a face's name reads back unchanged;
    // the text format has no escape and turns double quotes single, and
    // leaves out control characters, which break readers that split at
    // white space.
    vantor::BMFont odd;
    odd.face = "A&B <C> 'D' \"E\"";
    EXPECT_EQ(ParseFntXml(QByteArray::fromStdString(vantor::BMFontXml(odd))).at(0).fields.at("face"), odd.face);
    EXPECT_EQ(vantor::BMFontText(odd).rfind("info face=\"A&B <C> 'D' 'E'\" size=", 0), 0U);
    odd.face = "Hostile \x01\x07\x1b[31m\tName";
    EXPECT_EQ(vantor::BMFontText(odd).rfind("info face=\"Hostile [31mName\" size=", 0), 0U);

    // The suffix picks the format; a name typed without one takes the type
    // chosen in the dialog.
    window.ExportBMFont(PathOf("upper.XML").toStdString());
    EXPECT_TRUE(Read(PathOf("upper.XML")).startsWith("<?xml"));
    window.ExportBMFont(PathOf("other.txt").toStdString());
    EXPECT_TRUE(Read(PathOf("other.txt")).startsWith("info face="));
    ModalDriver driver({[&](QWidget &modal) {
        dynamic_cast<QFileDialog &>(modal).selectNameFilter(QStringLiteral("BMFont XML (*.xml)"));
        ModalDriver::SaveAs(PathOf("typed"))(modal);
    }});
    QtChild<QAction>(window, "FileExportBMFont").trigger();
    EXPECT_TRUE(Read(PathOf("typed.xml")).startsWith("<?xml"));
    EXPECT_TRUE(QFileInfo::exists(PathOf("typed_0.png")));
}

TEST_F(BMFontTest, OffsetsFarBeyondTheTextureKeepEveryPenWhereTheTextureHasIt)
{
    for (const char *offset : {"-1e10", "1e10"}) {
        SCOPED_TRACE(offset);
        window.Find<fw::EditField>("edtDX").SetText(offset);
        window.Find<fw::EditField>("edtDY").SetText(offset);
        const std::vector<FntLine> fnt = Export("DejaVu Sans");
        EXPECT_EQ(qRed(Texture().pixel(512, 512)) + qRed(Texture().pixel(20, 70)), 0) << "nothing in reach is drawn";
        const int base = fnt.at(1).Int("base");
        for (const FntLine &c : fnt) {
            if (c.tag != "char")
                continue;
            SCOPED_TRACE(c.Int("id"));
            const int cell = c.Int("id") - ' '; // the default grid
            const vantor::Pen pen = window.LastAtlas()->PenOf(cell);
            EXPECT_EQ(c.Int("x") - c.Int("xoffset"), pen.x);
            EXPECT_EQ(base - c.Int("yoffset"), pen.y - c.Int("y"));
            const bool left = offset[0] == '-'; // pens far left and below
            EXPECT_EQ(c.Int("xoffset") > 0, left) << "no wrap-around";
            EXPECT_EQ(c.Int("yoffset") > 0, !left);
        }
        EXPECT_TRUE(vantor::DrawAtlasLine(*window.LastAtlas(), "AB", 10).picture);
    }
}

TEST_F(BMFontTest, ThePageIsTheTextureWhiteWithItsGreyAsAlpha)
{
    window.Find<fw::PopupMenu>("popTexSize").SetListIndex(3);
    List("lstChars").SetCell(0, 0, "\xF0\x9F\x8D\x8E");
    Export("DejaVu Sans");
    const QByteArray png = Read(PathOf("font_0.png"));
    EXPECT_EQ(png.mid(16, 10), QByteArray("\0\0\x08\0\0\0\x08\0\x08\x06", 10)) << "2048 x 2048, 8-bit RGBA";
    const QImage page = QImage::fromData(png).convertToFormat(QImage::Format_ARGB32);
    const QImage texture = Texture();
    ASSERT_EQ(page.size(), texture.size());
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x)
            ASSERT_EQ(page.pixel(x, y), qRgba(255, 255, 255, qRed(texture.pixel(x, y)))) << x << ", " << y;
    }
}

TEST_F(BMFontTest, TheMenuExportsBesideTheFntAndSaysWhatAnEngineWillDrawWrong)
{
    List("lstChars").SetCell(2, 2, std::string(100000, 'x'));
    List("lstChars").SetCell(2, 3, "\xE2\x80\x8D\xE2\x80\x8D");
    List("lstChars").SetCell(0, 0, "");
    window.UpdateFontMap();
    // A page without its .fnt is another's file: replaced only when the
    // user says so.
    const QByteArray theirs("their page");
    QFile page(PathOf("atlas_0.png"));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly) && page.write(theirs) == theirs.size());
    page.close();
    const QString ask = QStringLiteral("atlas_0.png already exists.\nDo you want to replace it?");
    for (const bool replace : {false, true}) {
        ModalDriver driver(
            {[&](QWidget &modal) {
                 EXPECT_EQ(dynamic_cast<QFileDialog &>(modal).nameFilters(),
                     QStringList({QStringLiteral("BMFont text (*.fnt)"), QStringLiteral("BMFont XML (*.xml)")}));
                 ModalDriver::SaveAs(PathOf("atlas"))(modal);
             },
                replace ? ModalDriver::Confirm() : ModalDriver::Cancel()});
        QtChild<QAction>(window, "FileExportBMFont").trigger();
        EXPECT_EQ(QFileInfo::exists(PathOf("atlas.fnt")), replace);
        EXPECT_EQ(Read(PathOf("atlas_0.png")) == theirs, !replace);
        QStringList told{ask};
        if (!replace) {
            told << QStringLiteral("Nothing was exported: ") + PathOf("atlas_0.png")
                    + QStringLiteral(" is kept as it was.");
        } else {
            told << QStringLiteral(
                "Not exported, more than one character: xxxxxxxxxxxxxxxx\u2026 U+200D U+200D\n"
                "Ink outside its cell, which engines cut off or draw beside a neighbour: xxxxxxxxxxxxxxxx\u2026. "
                "View > Show Cell Overflow marks these cells; View > Fit Glyphs to Cells fits every glyph inside "
                "its cell.\n"
                "No cell holds a space (U+0020): engines advance nothing between words.");
        }
        EXPECT_EQ(driver.messages, told);
    }
    // Beside atlas.fnt the page is the export's own, in the other form too.
    ModalDriver driver({ModalDriver::SaveAs(PathOf("atlas.xml"))});
    QtChild<QAction>(window, "FileExportBMFont").trigger();
    EXPECT_TRUE(QFileInfo::exists(PathOf("atlas.xml")));
    EXPECT_FALSE(driver.messages.contains(ask));
}

TEST_F(BMFontTest, AFailedExportSaysWhyOnceAndLeavesEveryFileAsItWas)
{
    // A read-only page, protected by its owner, even from root; the .fnt
    // beside it is never written alone.
    const QByteArray oldPage("old page");
    const QByteArray oldFnt("old fnt");
    for (const auto &[name, bytes] : {std::pair{"atlas_0.png", oldPage}, {"atlas.fnt", oldFnt}}) {
        QFile file(PathOf(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }
    ASSERT_EQ(chmod(PathOf("atlas_0.png").toLocal8Bit().constData(), 0444), 0);
    for (const auto &[path, reason] : {std::pair{PathOf("atlas.fnt"), QStringLiteral("it is read-only")},
             {QStringLiteral("/proc/atlas.fnt"), QString()}}) {
        SCOPED_TRACE(path.toStdString());
        std::vector<ModalDriver::Step> steps{ModalDriver::SaveAs(path)};
        if (QFileInfo::exists(path))
            steps.push_back(ModalDriver::Confirm());
        ModalDriver driver(steps);
        QtChild<QAction>(window, "FileExportBMFont").trigger();
        const QString page = QFileInfo(path).dir().filePath(QStringLiteral("atlas_0.png"));
        const QStringList failures = driver.messages.filter(QStringLiteral("Cannot save"));
        ASSERT_EQ(failures.size(), 1) << driver.messages.join(QLatin1Char('|'));
        EXPECT_TRUE(failures[0].startsWith(QStringLiteral("Cannot save ") + page + QStringLiteral(": ")))
            << failures[0];
        EXPECT_TRUE(failures[0].endsWith(reason)) << failures[0];
    }
    EXPECT_EQ(Read(PathOf("atlas_0.png")), oldPage);
    EXPECT_EQ(Read(PathOf("atlas.fnt")), oldFnt);

    // A folder where the page would go is said at once, not asked about.
    ASSERT_TRUE(QDir().mkpath(PathOf("shelf_0.png")));
    ModalDriver driver({ModalDriver::SaveAs(PathOf("shelf"))});
    QtChild<QAction>(window, "FileExportBMFont").trigger();
    EXPECT_EQ(driver.messages,
        QStringList{
            QStringLiteral("Cannot save ") + PathOf("shelf_0.png") + QStringLiteral(": it is not a regular file")});
    EXPECT_FALSE(QFileInfo::exists(PathOf("shelf.fnt")));
}

} // namespace

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
    const QImage multi = LoveDraws(
        game, folder.path(), canvas, "nearest", FieldCut(0.5, true) + PrintedAt(line, start, kScale));
    ExportForLove(game, "ViewDistanceFieldSingle");
    const QImage single = LoveDraws(
        game, folder.path(), canvas, "nearest", FieldCut(0.5, false) + PrintedAt(line, start, kScale));
    const double agreement = Agreement(multi, ink);
    EXPECT_GE(agreement, 0.99);
    const int beyond = DifferingBeyond(ink, multi, kScale / 4);
    EXPECT_EQ(beyond, 0) << "pixels differing further than a quarter texel from the outline";
    EXPECT_GT(DifferingBeyond(ink, single, kScale / 4), 0) << "a single channel rounds the corners further";
    std::cout << "EFHTW at 16x: agreement " << agreement << " multi-channel, " << Agreement(single, ink)
              << " single channel\n";
}

} // namespace
