// The fonts of a real desktop: no family named Courier, families of two
// foundries, fonts installed, removed, replaced or cut short while the
// program runs, and files fontconfig names that cannot be read.
#include "engine/engine_support.h"
#include "engine/font_oracles.h"
#include "test_support.h"

#include "framework/fonts.h"
#include "raster/installed_fonts.h"

#include <fontconfig/fontconfig.h>

#include <sys/stat.h>

#include <ctime>
#include <filesystem>
#include <fstream>

namespace {

QStringList FontList(const fw::Window &window)
{
    const QAbstractItemModel &model = *QtChild<QTableView>(window, "lstFonts").model();
    QStringList texts;
    for (int row = 0; row < model.rowCount(); ++row)
        texts << model.index(row, 0).data().toString();
    return texts;
}

QString Notice(const fw::Window &window)
{
    return QtChild<QWidget>(window, "cnvPreview").accessibleDescription();
}

// Runs only in the set-up of a desktop's fonts, which CTest gives it
// (fonts-without-courier.conf): DejaVu Sans Mono named "Courier New" and an
// alias from Courier to it, as Debian has Nimbus Mono PS; "Vantor Twin" from
// two foundries, its advances half as wide again as DejaVu Sans's; C059 as
// Type 1 and as OpenType; "Vantor Weights", variable, with named instances.
TEST(DesktopFontsTest, TheStartDrawsFontconfigsCourierAndEveryFamilyListedDrawsItself)
{
    if (qEnvironmentVariableIsEmpty("VANTOR_DESKTOP_FONTS"))
        GTEST_SKIP() << "needs the fonts of a desktop";
    vantor::Window1 &window = vantor::implicit::Window1();
    EXPECT_EQ(FontList(window).join(u'|'),
        QStringLiteral("C059|Courier New|DejaVu Sans|DejaVu Serif|Noto Color Emoji|Terminus|Vantor Twin|Vantor Weights"));
    EXPECT_EQ(window.Find<fw::Listbox>("lstFonts").Text(), "Courier New");
    EXPECT_EQ(window.Renders(), 1U);
    ASSERT_NE(window.CurrentFontMap, nullptr);
    EXPECT_TRUE(QtChild<QPushButton>(window, "btnSave").isEnabled());
    EXPECT_EQ(Notice(window), QString());

    auto &fonts = window.Find<fw::Listbox>("lstFonts");
    for (int row = 0; row < fonts.ListCount(); ++row) {
        fonts.SetListIndex(row);
        EXPECT_EQ(window.LastAtlas()->DrawnFamily(), fonts.Text());
        EXPECT_EQ(Notice(window), QString()) << fonts.Text();
        if (fonts.Text() == "C059") {
            EXPECT_DOUBLE_EQ(window.LastAtlas()->Widths()[40],
                HarfBuzzAdvance(VANTOR_DESKTOP_FONT_DIR "/C059-Roman.otf", 72, window.LastAtlas()->Text(40)) + 3)
                << "the OpenType face, emboldened";
        }
    }
    // Its own widths, not another font's.
    window.Find<fw::CheckBox>("chkBold").SetValue(false);
    fonts.SetListIndex(static_cast<int>(FontList(window).indexOf(QStringLiteral("Vantor Twin"))));
    EXPECT_DOUBLE_EQ(window.LastAtlas()->Widths()[40],
        HarfBuzzAdvance(VANTOR_DESKTOP_FONT_DIR "/twin-urw.ttf", 72, window.LastAtlas()->Text(40)));
    fw::DestroyAllWindows();
}

// A fontconfig of its own over a folder of copies the test may change, for
// as long as the test runs.
class ChangingFontsTest : public WindowTest {
protected:
    QTemporaryDir folder;
    const std::filesystem::path fonts_ = folder.filePath(QStringLiteral("fonts")).toStdString();
    const QByteArray previous = qgetenv("FONTCONFIG_FILE");

    void SetUp() override
    {
        std::filesystem::create_directory(fonts_);
        Install("DejaVuSans.ttf", "sans.ttf");
        Install("DejaVuSerif.ttf", "serif.ttf");
        WriteConfig("");
        qputenv("FONTCONFIG_FILE", folder.filePath(QStringLiteral("fonts.conf")).toUtf8());
        Reread();
    }
    void WriteConfig(const std::string &more) const
    {
        std::ofstream(folder.filePath(QStringLiteral("fonts.conf")).toStdString())
            << "<?xml version=\"1.0\"?><fontconfig><dir>" << fonts_.string() << "</dir><cachedir>"
            << folder.filePath(QStringLiteral("cache")).toStdString() << "</cachedir>" << more << "</fontconfig>\n";
    }
    void TearDown() override
    {
        WindowTest::TearDown();
        qputenv("FONTCONFIG_FILE", previous);
        FcInitReinitialize();
    }
    static void Reread() { ASSERT_TRUE(FcInitReinitialize()); }
    void Install(const char *testFont, const char *as) const
    {
        std::filesystem::copy_file(TestFontFile(testFont), fonts_ / as, std::filesystem::copy_options::overwrite_existing);
    }
    // As `cp other.ttf it.ttf` does: the file cut to nothing, then written.
    void Overwrite(const char *as, const char *testFont) const
    {
        std::ifstream from(TestFontFile(testFont), std::ios::binary);
        std::ofstream(fonts_ / as, std::ios::binary | std::ios::trunc) << from.rdbuf();
    }
    // fontconfig tells a folder changed since it last looked by its time in
    // whole seconds: a change in the second it looked goes unseen.
    static void NextSecond()
    {
        const std::time_t now = std::time(nullptr);
        while (std::time(nullptr) <= now)
            QTest::qWait(50);
    }
};

TEST_F(ChangingFontsTest, AFontFileReplacedCutShortOrDeletedBetweenRendersIsReadAnewOrSaysWhyNot)
{
    vantor::AtlasEngine engine;
    vantor::AtlasSettings settings{"DejaVu Sans", 72, 256, 4, 30, false, false, false, OnlyCell(3, 3, "H")};
    const auto width = [&] { return engine.Render(settings)->Widths()[33]; };
    EXPECT_DOUBLE_EQ(width(), HarfBuzzAdvance(TestFontFile("DejaVuSans.ttf"), 72, "H"));

    Overwrite("sans.ttf", "DejaVuSerif.ttf");
    EXPECT_DOUBLE_EQ(width(), HarfBuzzAdvance(TestFontFile("DejaVuSerif.ttf"), 72, "H")) << "the new file, read anew";
    // What was drawn before goes on being measured from what was read.
    const auto before = engine.Render(settings);
    std::filesystem::resize_file(fonts_ / "sans.ttf", 0);
    EXPECT_EQ(before->Kernings({"A", "V", "T", "o"}).size(), 16U);
    EXPECT_DOUBLE_EQ(width(), HarfBuzzAdvance(TestFontFile("DejaVuSerif.ttf"), 72, "H")) << "drawn by the next face";
    const std::string file = (fonts_ / "sans.ttf").string();
    EXPECT_EQ(engine.Render(settings)->FontNotice(),
        "Cannot read " + file + ": it is empty.\nDrawn with DejaVu Serif instead.");
    EXPECT_EQ(engine.Render(settings)->DrawnFamily(), "DejaVu Serif") << "what the export names";

    Overwrite("sans.ttf", "DejaVuSans.ttf");
    EXPECT_DOUBLE_EQ(width(), HarfBuzzAdvance(TestFontFile("DejaVuSans.ttf"), 72, "H"));
    std::filesystem::remove(fonts_ / "sans.ttf");
    EXPECT_DOUBLE_EQ(width(), HarfBuzzAdvance(TestFontFile("DejaVuSans.ttf"), 72, "H")) << "drawn from what was read";
    EXPECT_EQ(engine.Render(settings)->FontNotice(), "");

    // What fontconfig still names as a font, and no longer is one: neither
    // hangs nor draws in silence.
    ASSERT_EQ(mkfifo(file.c_str(), 0600), 0);
    EXPECT_EQ(engine.Render(settings)->FontNotice(),
        "Cannot read " + file + ": it is not a regular file.\nDrawn with DejaVu Serif instead.");
    std::filesystem::remove(fonts_ / "sans.ttf");
    std::filesystem::create_directory(fonts_ / "sans.ttf");
    EXPECT_EQ(engine.Render(settings)->FontNotice(),
        "Cannot read " + file + ": it is a folder.\nDrawn with DejaVu Serif instead.");
}

TEST_F(ChangingFontsTest, TheFontListFollowsFontsInstalledAndRemovedAndSaysWhenTheOneChosenIsGone)
{
    vantor::Window1 &window = vantor::implicit::Window1();
    auto &fonts = window.Find<fw::Listbox>("lstFonts");
    EXPECT_EQ(FontList(window).join(u'|'), QStringLiteral("DejaVu Sans|DejaVu Serif"));
    EXPECT_NE(fonts.Text(), "") << "what fontconfig draws for Courier here";
    fonts.SetListIndex(1);

    NextSecond();
    Install("DejaVuSansMono.ttf", "mono.ttf");
    fw::CheckInstalledFonts();
    EXPECT_EQ(FontList(window).join(u'|'), QStringLiteral("DejaVu Sans|DejaVu Sans Mono|DejaVu Serif"));
    EXPECT_EQ(fonts.Text(), "DejaVu Serif") << "the family chosen stays chosen, a row further down";

    // Its file cut short, as `cp other.ttf serif.ttf` first does, then the
    // next change: the window goes on, and says what it drew instead.
    std::filesystem::resize_file(fonts_ / "serif.ttf", 0);
    window.Find<fw::EditField>("edtDX").SetText("5");
    EXPECT_TRUE(Notice(window).startsWith(QString::fromStdString(
        "Cannot read " + (fonts_ / "serif.ttf").string() + ": it is empty.\nDrawn with DejaVu Sans")))
        << Notice(window);
    Overwrite("serif.ttf", "DejaVuSerif.ttf");
    window.Find<fw::EditField>("edtDX").SetText("4");
    EXPECT_EQ(Notice(window), QString());

    NextSecond();
    std::filesystem::remove(fonts_ / "serif.ttf");
    fw::CheckInstalledFonts();
    EXPECT_EQ(FontList(window).join(u'|'), QStringLiteral("DejaVu Sans|DejaVu Sans Mono"));
    EXPECT_EQ(Notice(window), QStringLiteral("DejaVu Serif is no longer installed. Pick a font from the list."));
    // Installed again: chosen again.
    NextSecond();
    Install("DejaVuSerif.ttf", "serif.ttf");
    fw::CheckInstalledFonts();
    EXPECT_EQ(fonts.Text(), "DejaVu Serif");
    EXPECT_EQ(Notice(window), QString());

    // A family asked for by name that fontconfig has not: nothing drawn.
    vantor::AtlasEngine engine;
    const auto atlas = engine.Render({"Vantor Nowhere", 72, 256, 4, 30, false, false, false, OnlyCell(3, 3, "H")});
    EXPECT_EQ(atlas->FontNotice(), "Vantor Nowhere is not installed: nothing is drawn. Pick a font from the list.");
    EXPECT_TRUE(atlas->DrawnInk(33).Empty());
}

TEST_F(ChangingFontsTest, FontsThatFontconfigReadsAnewByItselfReachTheList)
{
    WriteConfig("<rescan><int>1</int></rescan>");
    Reread();
    vantor::Window1 &window = vantor::implicit::Window1();
    NextSecond();
    Install("DejaVuSansMono.ttf", "mono.ttf");
    NextSecond();
    // Asked for a list past its rescan interval, fontconfig reads its fonts
    // anew by itself, before the window looks.
    EXPECT_EQ(raster::InstalledFamilies().size(), 3U);
    fw::CheckInstalledFonts();
    EXPECT_EQ(FontList(window).join(u'|'), QStringLiteral("DejaVu Sans|DejaVu Sans Mono|DejaVu Serif"));
}

TEST_F(ChangingFontsTest, WithNoFontInstalledTheWindowSaysSoAndTakesAFontOnceOneIsInstalled)
{
    std::filesystem::remove(fonts_ / "sans.ttf");
    std::filesystem::remove(fonts_ / "serif.ttf");
    Reread();
    vantor::Window1 &window = vantor::implicit::Window1();
    EXPECT_TRUE(FontList(window).isEmpty());
    EXPECT_EQ(window.CurrentFontMap, nullptr);
    EXPECT_TRUE(Notice(window).startsWith(QStringLiteral("No fonts are installed"))) << Notice(window);

    NextSecond();
    Install("DejaVuSerif.ttf", "serif.ttf");
    fw::CheckInstalledFonts();
    EXPECT_EQ(window.Find<fw::Listbox>("lstFonts").Text(), "DejaVu Serif");
    EXPECT_NE(window.CurrentFontMap, nullptr);
    EXPECT_EQ(Notice(window), QString());
}

} // namespace
