// A randomized user: hundreds of actions on the real window, with the
// invariants checked after each. VANTOR_SEED sets the seed (printed),
// VANTOR_ACTIONS the number of actions; VANTOR_SOAK=1 adds the memory check
// of `make soak`.
#include "engine/engine_support.h"
#include "framework/graphics.h"
#include "test_support.h"

#include <fstream>
#include <random>

namespace {

std::uint64_t EnvironmentNumber(const char *name, std::uint64_t otherwise)
{
    const QByteArray value = qgetenv(name);
    return value.isEmpty() ? otherwise : value.toULongLong();
}

double ResidentMiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line) && line.rfind("VmRSS:", 0) != 0) { }
    return line.empty() ? 0.0 : std::stod(line.substr(6)) / 1024.0;
}

// Control characters, combining marks, emoji, Hebrew, Arabic, CJK, a
// right-to-left override, Syriac (which no test font can shape), a NUL.
const std::string kCellTexts[]
    = {"", "\t", "\r", "\n", "a\r\nb", "e\xCC\x81\xCC\x88", "\xF0\x9F\x98\x80\xF0\x9F\x91\x8D",
        "\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D", "\xD8\xA7\xD9\x84\xD8\xB9\xD8\xB1\xD8\xA8", "\xE6\xBC\xA2\xE5\xAD\x97",
        "\xE2\x80\xAE"
        "abc",
        "\xDC\x90\xDC\x91\xDC\x92", std::string("x\0y", 3), "W", "AB"};
const char *const kNumberTexts[] = {"", "-", "+", "1e308", "-1e308", "1e-400", "-0", "nan", "inf", "  12", "\t-7",
    "3.5e2x", "e5", ".", ".5", "0x10", "99999999999", "-2147483649", "1,5",
    "\xE2\x88\x92"
    "5"};

class RandomUserTest : public MainWindowTest {
protected:
    int Pick(int count) { return static_cast<int>(random_() % static_cast<std::uint64_t>(count)); }
    template <class T, std::size_t N> T Any(T (&choices)[N]) { return choices[Pick(static_cast<int>(N))]; }

    std::string CellText()
    {
        switch (Pick(5)) {
        case 0:
            return std::string(static_cast<std::size_t>(1 + Pick(3)) * 3333, "MWi."[Pick(4)]);
        case 1: {
            QByteArray bytes(Pick(12), '\0');
            for (char &byte : bytes)
                byte = static_cast<char>(Pick(256));
            return QString::fromUtf8(bytes).toStdString(); // as the clipboard turns bytes into text
        }
        default:
            return Any(kCellTexts);
        }
    }

    // Does one thing a user could do; gives what, and whether it raised a
    // settings event (one that renders when the settings allow).
    std::pair<std::string, bool> Act()
    {
        fw::Listbox &chars = List("lstChars");
        auto &cells = QtChild<QTableView>(window, "lstChars");
        switch (Pick(10)) {
        case 0:
        case 1: {
            const QModelIndex cell = cells.model()->index(Pick(10), Pick(10));
            const std::string text = CellText();
            const bool changed = chars.Cell(cell.row(), cell.column()) != text;
            cells.model()->setData(cell, QString::fromStdString(text), Qt::EditRole);
            return {"edit a cell to " + std::to_string(text.size()) + " bytes", changed};
        }
        case 2: {
            cells.setFocus();
            cells.setCurrentIndex(cells.model()->index(Pick(10), Pick(10)));
            const bool changed = chars.Cell(cells.currentIndex().row(), cells.currentIndex().column()) != "Q";
            QTest::keyClick(&cells, 'Q');
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            return {"type Q into a cell", changed};
        }
        case 3:
        case 4: {
            auto &field = window.Find<fw::EditField>(Pick(2) ? "edtDX" : "edtDY");
            const std::string text
                = Pick(6) == 0 ? std::string(static_cast<std::size_t>(1 + Pick(4000)), '7') : Any(kNumberTexts);
            const bool changed = field.Text() != text;
            field.SetText(text);
            return {"set " + field.Name() + " to '" + text.substr(0, 20) + "'", changed};
        }
        case 5:
        case 6: {
            fw::Listbox &list = List(Pick(3) ? "lstSizes" : "lstFonts");
            const int before = list.ListIndex();
            list.SetListIndex(Pick(6) == 0 ? -1 : Pick(list.ListCount()));
            return {
                "select row " + std::to_string(list.ListIndex()) + " of " + list.Name(), list.ListIndex() != before};
        }
        case 7: {
            auto &popup = window.Find<fw::PopupMenu>("popTexSize");
            const std::string before = popup.Text();
            popup.SetListIndex(Pick(4));
            return {"texture size " + popup.Text(), popup.Text() != before};
        }
        case 8: {
            const char *const boxes[] = {"chkBold", "chkItalic", "chkToFit", "btnCopy", "btnCopyWidths"};
            const std::string name = Any(boxes);
            QtChild<QAbstractButton>(window, name.c_str()).click();
            return {"click " + name, name == "chkBold" || name == "chkItalic"};
        }
        default:
            window.Find<fw::Control>("cnvPreview").Widget().repaint();
            return {"repaint the preview", false};
        }
    }

    bool SettingsAllowARender() { return !List("lstFonts").Text().empty() && fw::Val(List("lstSizes").Text()) > 0; }

    std::mt19937_64 random_{EnvironmentNumber("VANTOR_SEED", 1)};
};

TEST_F(RandomUserTest, NothingAUserDoesBreaksTheWindow)
{
    const std::uint64_t actions = EnvironmentNumber("VANTOR_ACTIONS", 300);
    const bool soak = EnvironmentNumber("VANTOR_SOAK", 0) != 0;
    std::printf("Random user: seed %llu, %llu actions\n",
        static_cast<unsigned long long>(EnvironmentNumber("VANTOR_SEED", 1)), static_cast<unsigned long long>(actions));
    ASSERT_TRUE(MakeActive(window));
    const auto gridNow = [&] {
        std::vector<std::string> cells;
        for (int i = 0; i < 100; ++i)
            cells.push_back(List("lstChars").Cell(i / 10, i % 10));
        return cells;
    };
    std::vector<std::string> renderedCells = gridNow();
    int renderedSide = 1024;
    // Resident memory swings by tens of MiB with the texture size and the
    // clipboard of the moment; a leak raises its floor. The soak compares the
    // lowest reading over actions 1,001 to 2,000 with that over the last 1,000.
    double floorEarly = 1e9;
    double floorLate = 1e9;
    ASSERT_TRUE(!soak || actions >= 3000);
    for (std::uint64_t step = 1; step <= actions; ++step) {
        const int before = Renders();
        const auto [action, settingsEvent] = Act();
        // As between a real user's actions: paints and Qt's own timers run.
        QCoreApplication::processEvents();
        SCOPED_TRACE(testing::Message() << "action " << step << ": " << action);
        ASSERT_EQ(Renders() > before, settingsEvent && SettingsAllowARender())
            << "a render happens exactly when the settings allow one";
        if (Renders() > before) {
            renderedSide = fw::ToInt32(fw::Val(window.Find<fw::PopupMenu>("popTexSize").Text()));
            renderedCells = gridNow();
        }
        ASSERT_EQ(Texture().size(), QSize(renderedSide, renderedSide));
        ASSERT_TRUE(AllGrey(Texture()));
        // Every tenth step, as a render from scratch re-measures long texts.
        if (Renders() > before && step % 10 == 0) {
            vantor::AtlasEngine fresh;
            ASSERT_TRUE(
                window.CurrentFontMap->Image() == ImageOf(fresh.Render(window.LastAtlas()->Settings())->Texture()))
                << "the texture is that of a render from scratch";
        }
        for (int row = 0; row < 100; ++row) {
            const std::string &text = renderedCells[static_cast<std::size_t>(row)];
            ASSERT_EQ(List("lstWidths").Cell(row, 0), text) << row;
            const std::string width = List("lstWidths").Cell(row, 1);
            ASSERT_TRUE(width.size() >= 4 && width[width.size() - 3] == '.' && width[0] != '-') << width;
        }
        // One line per cell, two fields each, whatever the cells hold.
        const std::string table = window.CharWidthTable();
        ASSERT_EQ(std::count(table.begin(), table.end(), '\r'), 100);
        ASSERT_EQ(std::count(table.begin(), table.end(), '\t'), 100);
        ASSERT_EQ(std::count(table.begin(), table.end(), '\n'), 0);
        ASSERT_EQ(table.back(), '\r');
        if (soak && step > 1000 && step <= 2000)
            floorEarly = std::min(floorEarly, ResidentMiB());
        if (soak && step > actions - 1000)
            floorLate = std::min(floorLate, ResidentMiB());
        if (soak && step % 10000 == 0)
            std::printf("%llu actions, resident %.1f MiB\n", static_cast<unsigned long long>(step), ResidentMiB());
    }
    if (soak) {
        std::printf("Resident memory floor: %.1f MiB early, %.1f MiB late\n", floorEarly, floorLate);
        EXPECT_LE(floorLate - floorEarly, 4.0);
    }
}

} // namespace
