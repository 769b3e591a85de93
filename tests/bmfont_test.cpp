#include "engine/engine_support.h"
#include "engine/font_oracles.h"
#include "bmfont_support.h"
#include "modal_driver.h"

#include "fontmap/atlas_line.h"
#include "fontmap/bmfont.h"

#include <cmath>
#include <map>

#include <sys/stat.h>

namespace {

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
