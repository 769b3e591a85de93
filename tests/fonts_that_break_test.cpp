// Damaged and hostile font files, as a user finds them among downloads and
// half-copied files, and two scripts' fonts: these run in their own set-up,
// whose fonts are the usual ones and those (more-fonts.conf).
#include "engine/font_oracles.h"
#include "test_support.h"

#include "fontmap/bmfont.h"
#include "raster/font.h"
#include "raster/fonts.h"

#include <cmath>
#include <functional>
#include <fstream>

namespace {

std::string MoreFont(const char *name)
{
    std::string path = VANTOR_MORE_FONT_DIR;
    path += '/';
    path += name;
    return path;
}

class FontsThatBreakTest : public MainWindowTest {
protected:
    // Nothing these fonts do is an error the user must be told of.
    void TearDown() override
    {
        EXPECT_EQ(errors.messages, std::vector<std::string>{});
        MainWindowTest::TearDown();
    }

    ErrorSpy errors;
    // `field`: the View > Distance Field item chosen.
    void Choose(const char *family, int size, int texture, const char *field = "ViewDistanceFieldOff")
    {
        window.Find<fw::PopupMenu>("popTexSize").SetListIndex(texture == 256 ? 0 : texture == 2048 ? 3 : 2);
        List("lstSizes").SetListIndex(size - 9);
        QtChild<QAction>(window, field).trigger();
        SelectFont(family);
    }
    std::string Width(int cell) { return List("lstWidths").Cell(cell, 1); }
    // The memory `run` takes above the idle window, within 300 MiB.
    static void ExpectBoundedMemory(const std::function<void()> &run);
    int CellOf(char c) { return c - ' '; }
};

// Resident memory of the process, or its peak, in MiB.
double StatusMiB(std::string_view key)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with(key) && line.size() > key.size() && line[key.size()] == ':')
            return std::stod(line.substr(key.size() + 1)) / 1024.0;
    }
    return 0;
}

void FontsThatBreakTest::ExpectBoundedMemory(const std::function<void()> &run)
{
    const double idle = StatusMiB("VmRSS");
    std::ofstream("/proc/self/clear_refs") << "5"; // resets the peak
    run();
    const double peak = StatusMiB("VmHWM") - idle;
#if !defined(__SANITIZE_ADDRESS__)
    // (AddressSanitizer keeps what is freed for a while.)
    EXPECT_LT(peak, 300) << "MiB above the idle window";
#endif
    RecordProperty("peak_mib", std::to_string(peak));
}

TEST_F(FontsThatBreakTest, AnOutlineOfTensOfThousandsOfPixelsIsDrawnWhereItMeetsTheTexture)
{
    // Capitals reaching 32,767 units from their origin: at 72 / 1024 the
    // star of "A" is 2,304 pixels across, drawn only where it meets the
    // texture, and there exactly as FreeType draws it whole.
    window.Find<fw::CheckBox>("chkBold").SetValue(false);
    SetOnlyCell(3, 4, "A");
    Choose("Vantor Oversized", 72, 1024);
    const auto [star, left, top] = FreeTypeGlyph(MoreFont("oversized.ttf"), 72, U'A');
    const vantor::Pen pen = window.LastAtlas()->PenOf(34);
    EXPECT_EQ(window.CurrentFontMap->Image(), ImageOf(star.Copy(-pen.x - left, -pen.y - top, 1024, 1024)));

    // Its field: across the upper edge of the spike pointing left, from
    // (-32767, 0) to (-600, 600) units, the spread's greys measured from the
    // edge itself.
    Choose("Vantor Oversized", 72, 1024, "ViewDistanceFieldSingle");
    const QImage field = window.CurrentFontMap->Image();
    const double scale = 72.0 / 2048;
    const double ax = -32767 * scale, ay = 0, bx = -600 * scale, by = -600 * scale; // y down, from the pen
    const double length = std::hypot(bx - ax, by - ay);
    for (int y = pen.y - 22; y <= pen.y - 6; ++y) {
        const double cx = 100.5 - pen.x, cy = y + 0.5 - pen.y;
        const double inside = ((bx - ax) * (cy - ay) - (by - ay) * (cx - ax)) / length;
        EXPECT_NEAR(qGray(field.pixel(100, y)), std::clamp(127.5 + inside * 127.5 / 8, 0.0, 255.0), 1.0) << "row " << y;
    }
}

TEST_F(FontsThatBreakTest, HugeOutlinesTakeBoundedMemoryAtEverySetting)
{
    // The star, and outlines drawn for 2,048 units in a font whose em is 16
    // (every glyph 128 times its size), with and without fields of one
    // channel and of three.
    ExpectBoundedMemory([&] {
        for (const char *family : {"Vantor Oversized", "Vantor Tiny Em"}) {
            for (const char *field : {"ViewDistanceFieldOff", "ViewDistanceFieldSingle", "ViewDistanceFieldMulti"}) {
                for (const auto &[size, texture] : {std::pair{72, 1024}, std::pair{256, 2048}}) {
                    Choose(family, size, texture, field);
                    ASSERT_TRUE(window.CurrentFontMap) << family << " " << size;
                    EXPECT_FALSE(InkBounds(Texture(), Texture().rect()).isEmpty());
                }
            }
        }
    });
}

// Colour bitmaps whose PNG declares 30,000 pixels a side, in sbix and CBDT
// strikes: a glyph that draws no ink, named so, at a bounded cost.
TEST_F(FontsThatBreakTest, AColourBitmapOfThirtyThousandPixelsASideDrawsNoInkAndTakesLittleMemory)
{
    SetOnlyCell(3, 3, "A");
    List("lstChars").SetCell(3, 4, "B");
    List("lstChars").SetCell(3, 5, "\xE2\x9D\xA4");
    ExpectBoundedMemory([&] {
        Choose("Vantor sbix Bomb", 72, 1024);
        EXPECT_TRUE(window.LastAtlas()->DrawnInk(33).Empty());
        EXPECT_TRUE(window.LastAtlas()->DrawnInk(34).Empty());
        QTemporaryDir folder;
        EXPECT_EQ(window.ExportBMFont(folder.filePath(QStringLiteral("bomb.fnt")).toStdString()).rfind(
                      "Draws no ink: A B", 0),
            0U);
        List("lstSizes").SetListIndex(128 - 9); // a change of size, the font shown
        Choose("Vantor CBDT Bomb", 72, 1024);
        EXPECT_TRUE(window.LastAtlas()->DrawnInk(35).Empty());
    });
}

TEST_F(FontsThatBreakTest, CellsThatShouldShowButDrawNothingAreNamedByTheExportTheFitAndThePreviewWithWhy)
{
    QTemporaryDir folder;
    const auto exported
        = [&] { return window.ExportBMFont(folder.filePath(QStringLiteral("font->fnt")).toStdString()); };
    // Glyphs without contours, and a file cut in the middle of its glyphs.
    for (const char *family : {"Vantor Empty", "truncated"}) {
        SelectFont(family);
        EXPECT_EQ(exported().rfind("Draws no ink: ! \" # $ %", 0), 0U) << family;
        EXPECT_EQ(window.FitGlyphsToCells().rfind("Nothing changed: no cell draws any ink.\nDraws no ink: ! \"", 0), 0)
            << family;
        EXPECT_EQ(window.PreviewNotice(), "99 cells draw no ink: the font has nothing of them to draw here.");
    }
    // Glyphs only as SVG documents, which FreeType cannot draw here: the
    // capitals are named, what draws is not, nor the space.
    SelectFont("Vantor SVG Only");
    const std::string caveats = exported();
    EXPECT_NE(caveats.find("Draws no ink: A B C D E F"), std::string::npos) << caveats;
    EXPECT_EQ(caveats.find("Draws no ink: !"), std::string::npos) << caveats;
    EXPECT_NE(window.FitGlyphsToCells().find("Draws no ink: A B C"), std::string::npos);
    SelectFont("DejaVu Sans");
    EXPECT_EQ(exported().find("Draws no ink"), std::string::npos) << "a font that draws says nothing of it";
    EXPECT_EQ(window.PreviewNotice(), "");
    // Offsets that put every glyph off the texture are named as the cause;
    // a text read as its leading number says what it was read as.
    auto &dx = window.Find<fw::EditField>("edtDX");
    dx.SetText("1e308");
    EXPECT_EQ(exported().rfind("Off the texture: ! \" # $ %", 0), 0U);
    EXPECT_EQ(exported().find("Draws no ink"), std::string::npos);
    EXPECT_EQ(window.PreviewNotice(), "99 cells draw no ink: dx and dy put their glyphs off the texture.");
    EXPECT_EQ(dx.Note(), "");
    dx.SetText("12,5");
    EXPECT_EQ(dx.Note(), "This text is read as 12.");
    EXPECT_EQ(QtChild<QLineEdit>(window, "edtDX").toolTip().toStdString(),
        "dx: moves every glyph right, in pixels at 1024\nThis text is read as 12.");
    EXPECT_EQ(window.PreviewNotice(), "") << "gone with the cause";
    dx.SetText("4");
    EXPECT_EQ(QtChild<QLineEdit>(window, "edtDX").toolTip().toStdString(), dx.ToolTip());
}

// A family named in its name table with U+FFFE, U+FFFF and U+0001, which
// XML cannot hold (the fuzzer's find): both formats keep only what their
// readers take, and the XML parses.
TEST_F(FontsThatBreakTest, AFamilyNameXmlCannotHoldIsExportedAsXmlThatParses)
{
    const std::string family = "Vantor \xEF\xBF\xBE\xEF\xBF\xBF\x01 Name";
    SelectFont(family);
    ASSERT_EQ(List("lstFonts").Text(), family);
    QTemporaryDir folder;
    const auto read = [&](const char *name) {
        window.ExportBMFont(folder.filePath(QString::fromLatin1(name)).toStdString());
        QFile file(folder.filePath(QString::fromLatin1(name)));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    QXmlStreamReader xml(read("odd.xml"));
    QString face;
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("info"))
            face = xml.attributes().value(QLatin1String("face")).toString();
        if (xml.name() != QLatin1String("font"))
            xml.skipCurrentElement();
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString();
    EXPECT_EQ(face, QStringLiteral(u"Vantor \uFFFD\uFFFD Name"));
    EXPECT_TRUE(read("odd.fnt").startsWith("info face=\"Vantor \xEF\xBF\xBD\xEF\xBF\xBD Name\" size="));

    // What no font name can bring through fontconfig: a lone surrogate and
    // bytes that are not UTF-8 at all.
    vantor::BMFont odd;
    odd.face = "A\xED\xA0\x80" "B\xC0\xAF" "C\xFF" "D\xF4\x90\x80\x80" "E\xEF\xB7\x90" "F\xC2\x85" "G";
    QXmlStreamReader strict(QByteArray::fromStdString(vantor::BMFontXml(odd)));
    while (!strict.atEnd())
        strict.readNext();
    EXPECT_FALSE(strict.hasError()) << strict.errorString();
    EXPECT_NE(vantor::BMFontXml(odd).find("face=\"A\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD" "B"), std::string::npos);
}

TEST_F(FontsThatBreakTest, WhatAFaceCannotDrawComesFromTheNextFace)
{
    // Glyph records that cannot be read (the capitals from N on); a face
    // without a character map, which FreeType makes up from glyph names and
    // HarfBuzz does not; strikes said to be 0 pixels: each character comes
    // from the next face that draws it, as one the face lacks.
    for (const char *family : {"Vantor Damaged", "Vantor No Cmap", "Vantor Zero Strike"}) {
        SelectFont(family);
        const std::vector<raster::Box> inks = window.LastAtlas()->Inks();
        for (char c = '!'; c <= '~'; ++c)
            EXPECT_FALSE(inks[static_cast<std::size_t>(CellOf(c))].Empty()) << family << " " << c;
        EXPECT_NE(Width(CellOf('A')), "46.20") << family << ": the missing glyph's box";
    }
    // Colour layers (COLR 0) over empty base glyphs draw as one glyph, with
    // the bar beneath the baseline that the second layer adds.
    SelectFont("Vantor Layers");
    const raster::Box ink = window.LastAtlas()->Ink(CellOf('A'));
    const vantor::Pen pen = window.LastAtlas()->PenOf(33);
    EXPECT_LT(ink.top, pen.y - 40) << "the letter";
    EXPECT_GT(ink.top + ink.height, pen.y + 2) << "the bar";
}

TEST_F(FontsThatBreakTest, AdvancesOf32768UnitsAndMoreAreReadUnsigned)
{
    // 65,535, 40,000 and 32,768 units of 2,048 at 72 pixels, and 3 for the
    // synthetic bold.
    SelectFont("Vantor Wide Advance");
    EXPECT_EQ(Width(CellOf('A')), "2307.00");
    EXPECT_EQ(Width(CellOf('B')), "1409.30");
    EXPECT_EQ(Width(CellOf('C')), "1155.00");
    QTemporaryDir folder;
    window.ExportBMFont(folder.filePath(QStringLiteral("wide.fnt")).toStdString());
    QFile fnt(folder.filePath(QStringLiteral("wide.fnt")));
    ASSERT_TRUE(fnt.open(QIODevice::ReadOnly));
    const QByteArray text = fnt.readAll();
    const qsizetype a = text.indexOf("char id=65 ");
    EXPECT_TRUE(text.mid(a, text.indexOf('\n', a) - a).contains(" xadvance=2307 ")) << text.toStdString();
}

TEST(ScriptlessTextTest, DigitsPunctuationAndSymbolsAloneAreShapedAsHarfBuzzShapesThemAlone)
{
    raster::Fonts fonts;
    // The font's Latin forms are not theirs: "!" alone in Noto Naskh Arabic
    // is its own 14.8 pixels, not the Latin 19.4; among letters it takes
    // their script, as in running text.
    const std::shared_ptr<raster::Font> naskh = fonts.Of("Noto Naskh Arabic", 72, false, false);
    for (const char *text : {"!", ".", "!.", "12", "\xD8\xA8!", "!\xD8\xA8"})
        EXPECT_EQ(naskh->Advance(text), HarfBuzzAdvance(MoreFont("NotoNaskhArabic-Subset.ttf"), 72, text)) << text;
    EXPECT_NEAR(naskh->Advance("!"), 14.8, 0.05);
    const std::shared_ptr<raster::Font> cjk = fonts.Of("Noto Sans CJK SC", 72, false, false);
    for (const char *text : {"\xE2\x80\xA6", "0",
             "\xE2\x80\xA6"
             "0",
             "\xE4\xB8\xAD\xE2\x80\xA6", "A\xE2\x80\xA6"})
        EXPECT_EQ(cjk->Advance(text), HarfBuzzAdvance(MoreFont("NotoSansCJKsc-Subset.otf"), 72, text)) << text;
    EXPECT_EQ(cjk->Advance("\xE2\x80\xA6"), 72.0) << "the font's own ellipsis, a full em";
}

} // namespace
