// The texture is a function of the settings alone: whatever was drawn,
// kept or redrawn in part before, the same bytes as a render from scratch.
#include "framework/graphics.h"
#include "test_support.h"

#include <random>

namespace {

// How many pixels differ, and where.
std::string Differences(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return "sizes differ";
    int count = 0;
    QRect where;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y)) {
                ++count;
                where |= QRect(x, y, 1, 1);
            }
        }
    }
    return std::to_string(count) + " pixels differ, within x " + std::to_string(where.left()) + ".."
        + std::to_string(where.right()) + ", y " + std::to_string(where.top()) + ".." + std::to_string(where.bottom());
}

class DeterminismTest : public MainWindowTest {
protected:
    int Pick(int count) { return static_cast<int>(random_() % static_cast<std::uint64_t>(count)); }

    // One change a user could make; the texture sizes are mostly small, so
    // that many changes fit in a test's time.
    void Change()
    {
        // Glyphs that reach into their neighbours, marks, colour emoji, a
        // right-to-left word that Courier lacks, a long text, nothing.
        static const char *const kTexts[] = {"W", "gj", "@", "AB", "", "\xC3\xA9", "e\xCC\x81\xCC\x81\xCC\x81",
            "\xF0\x9F\x8D\x8E", "\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D", "WWWWWWWW", "|", "Q",
            "\xE2\x9D\xA4\xEF\xB8\x8F"};
        static const char *const kFamilies[] = {"Courier", "DejaVu Sans", "DejaVu Serif", "Terminus"};
        static const char *const kOffsets[] = {"4", "30", "0", "-20", "90", "7", "-3", "150"};
        auto &cells = QtChild<QTableView>(window, "lstChars");
        switch (Pick(9)) {
        case 0:
        case 1:
            for (int edits = 1 + Pick(3); edits > 0; --edits)
                cells.model()->setData(cells.model()->index(Pick(10), Pick(10)),
                    QString::fromUtf8(kTexts[Pick(std::size(kTexts))]), Qt::EditRole);
            break;
        case 2: {
            SelectFont(kFamilies[Pick(std::size(kFamilies))]);
            break;
        }
        case 3:
            List("lstSizes").SetListIndex(Pick(120));
            break;
        case 4:
            window.Find<fw::PopupMenu>("popTexSize").SetListIndex(Pick(8) == 0 ? 3 : Pick(3));
            break;
        case 5:
            window.Find<fw::EditField>(Pick(2) ? "edtDX" : "edtDY").SetText(kOffsets[Pick(std::size(kOffsets))]);
            break;
        case 6:
            QtChild<QCheckBox>(window, Pick(2) ? "chkBold" : "chkItalic").click();
            break;
        case 7:
            QtChild<QAction>(window, Pick(2) ? "ViewCellOverflow" : "ViewDistanceField").trigger();
            break;
        default:
            if (fw::Window *sample = fw::GetImplicitWindow("SampleText"))
                sample->Close();
            else
                QtChild<QAction>(window, "ViewSampleText").trigger();
            break;
        }
        QCoreApplication::processEvents();
    }

    // VANTOR_SEED tries another sequence.
    std::mt19937_64 random_{qEnvironmentVariableIsSet("VANTOR_SEED") ? qgetenv("VANTOR_SEED").toULongLong() : 20261207};
};

TEST_F(DeterminismTest, AfterAnySequenceOfChangesTheTextureIsThatOfAFreshRender)
{
    for (int step = 1; step <= 150; ++step) {
        Change();
        const vantor::Window1::RenderSettings &now = window.Rendered;
        SCOPED_TRACE(testing::Message() << "change " << step << ": " << now.fontName << " " << now.fontSize << " at "
                                        << now.textureSize << ", dx " << now.dx << ", dy " << now.dy);
        if (List("lstFonts").Text().empty())
            continue;
        const QImage texture = window.CurrentFontMap->Image();
        // A new picture and nothing kept: as a fresh start renders.
        fw::ForgetFonts();
        const auto fresh = window.FontMap(nullptr, now.fontName, now.fontSize, now.textureSize, now.textureSize,
            now.dx, now.dy);
        ASSERT_TRUE(texture == fresh->Image()) << Differences(texture, fresh->Image());
    }
    if (fw::Window *sample = fw::GetImplicitWindow("SampleText"))
        sample->Close();
    for (const char *item : {"ViewCellOverflow", "ViewDistanceField"}) {
        if (QtChild<QAction>(window, item).isChecked())
            QtChild<QAction>(window, item).trigger();
    }
}

} // namespace
