// A randomized user: thousands of actions on the real window, with the
// invariants checked after each. Reproducible from the seed it prints.
// VANTOR_SEED sets the seed, VANTOR_ACTIONS the number of actions, and
// VANTOR_SOAK=1 adds the memory check of `make soak`.
#include "framework/check_box.h"
#include "framework/edit_field.h"
#include "framework/popup_menu.h"
#include "framework/push_button.h"
#include "framework/text.h"
#include "test_support.h"

#include <QAbstractItemModel>
#include <QCheckBox>
#include <QClipboard>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <limits>
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
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stod(line.substr(6)) / 1024.0;
    }
    return 0.0;
}

class RandomUser {
public:
    RandomUser(vantor::Window1 &window, std::uint64_t seed)
        : window_(window)
        , random_(seed)
    {
        QObject::connect(
            QtChild<QTableView>(window, "lstWidths").model(), &QAbstractItemModel::modelReset, [this] { ++renders_; });
        RememberRender();
    }

    // One action, described for the failure message.
    std::string Act()
    {
        const int before = renders_;
        const bool settingsEvent = ActRandomly();
        // As between two actions of a real user: pending paints run, and so
        // do Qt's own timers, such as the one that trims its font cache.
        QCoreApplication::processEvents();
        if (renders_ > before)
            RememberRender();
        expectRender_ = settingsEvent && SettingsAllowARender();
        rendered_ = renders_ > before;
        return last_;
    }

    void CheckInvariants()
    {
        EXPECT_EQ(rendered_, expectRender_) << "a render happens exactly when the settings allow one";
        const auto &texture = window_.CurrentFontMap;
        ASSERT_NE(texture, nullptr) << "the tests' fonts render at start";
        EXPECT_EQ(texture->Width(), renderedSide_);
        EXPECT_EQ(texture->Height(), renderedSide_);
        fw::Listbox &widths = window_.Find<fw::Listbox>("lstWidths");
        ASSERT_EQ(widths.ListCount(), 100);
        for (int row = 0; row < 100; ++row) {
            ASSERT_EQ(widths.Cell(row, 0), renderedCells_[static_cast<std::size_t>(row)]) << "row " << row;
            const std::string width = widths.Cell(row, 1);
            ASSERT_TRUE(width.size() >= 4 && width[width.size() - 3] == '.' && width[0] != '-') << width;
        }
        const std::string table = window_.CharWidthTable();
        EXPECT_EQ(std::count(table.begin(), table.end(), '\r'), 100 + CrsInsideCells());
        EXPECT_EQ(table.back(), '\r');
        EXPECT_TRUE(AllGrey(texture->Image()));
    }

private:
    int Pick(int count) { return static_cast<int>(random_() % static_cast<std::uint64_t>(count)); }

    bool SettingsAllowARender()
    {
        return !window_.Find<fw::Listbox>("lstFonts").Text().empty()
            && fw::Val(window_.Find<fw::Listbox>("lstSizes").Text()) > 0
            && fw::Val(window_.Find<fw::PopupMenu>("popTexSize").Text()) >= 1;
    }

    void RememberRender()
    {
        renderedSide_ = fw::ToInt32(fw::Val(window_.Find<fw::PopupMenu>("popTexSize").Text()));
        renderedCells_.clear();
        for (int i = 0; i < 100; ++i)
            renderedCells_.push_back(window_.Find<fw::Listbox>("lstChars").Cell(i / 10, i % 10));
    }

    long CrsInsideCells() const
    {
        long count = 0;
        for (const std::string &cell : renderedCells_)
            count += std::count(cell.begin(), cell.end(), '\r');
        return count;
    }

    std::string RandomCellText()
    {
        static const char *const kTexts[] = {
            "",
            "\t",
            "\r",
            "\n",
            "a\r\nb",
            "e\xCC\x81\xCC\x88", // combining marks
            "\xF0\x9F\x98\x80\xF0\x9F\x91\x8D", // emoji
            "\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D", // Hebrew
            "\xD8\xA7\xD9\x84\xD8\xB9\xD8\xB1\xD8\xA8", // Arabic
            "\xE6\xBC\xA2\xE5\xAD\x97", // CJK
            "\xE2\x80\xAE"
            "abc", // right-to-left override
            "W",
            "AB",
        };
        switch (Pick(6)) {
        case 0:
            return std::string(static_cast<std::size_t>(1 + Pick(3)) * 10000 / 3, "MWi."[Pick(4)]);
        case 1: {
            std::string bytes(static_cast<std::size_t>(Pick(12)), '\0');
            for (char &byte : bytes)
                byte = static_cast<char>(Pick(256));
            // As the clipboard turns bytes into text.
            return QString::fromUtf8(QByteArray::fromStdString(bytes)).toStdString();
        }
        case 2:
            return std::string("x\0y", 3);
        default:
            return kTexts[Pick(static_cast<int>(std::size(kTexts)))];
        }
    }

    std::string RandomNumberText()
    {
        static const char *const kTexts[] = {"", "-", "+", "1e308", "-1e308", "1e-400", "-0", "nan", "inf", "-inf",
            "  12", "\t-7", "3.5e2x", "e5", ".", "1.", ".5", "0x10", "99999999999", "-2147483649", "12abc", "1,5",
            "\xE2\x88\x92"
            "5"};
        if (Pick(8) == 0)
            return std::string(static_cast<std::size_t>(1 + Pick(4000)), static_cast<char>('0' + Pick(10)));
        if (Pick(3) == 0)
            return fw::Str(Pick(400) - 200);
        return kTexts[Pick(static_cast<int>(std::size(kTexts)))];
    }

    // Does one thing a user could do; gives whether it raised a settings
    // event (one that calls UpdateFontMap).
    bool ActRandomly()
    {
        fw::Listbox &chars = window_.Find<fw::Listbox>("lstChars");
        switch (Pick(12)) {
        case 0:
        case 1:
        case 2: {
            const int row = Pick(10);
            const int column = Pick(10);
            const std::string text = RandomCellText();
            last_ = "edit cell " + std::to_string(row) + "," + std::to_string(column) + " ("
                + std::to_string(text.size()) + " bytes)";
            auto &model = *QtChild<QTableView>(window_, "lstChars").model();
            const bool changed = chars.Cell(row, column) != text;
            model.setData(model.index(row, column), QString::fromStdString(text), Qt::EditRole);
            return changed;
        }
        case 3: {
            // Typed for real into a cell's editor.
            auto &view = QtChild<QTableView>(window_, "lstChars");
            view.setFocus();
            view.setCurrentIndex(view.model()->index(Pick(10), Pick(10)));
            const std::string before = chars.Cell(view.currentIndex().row(), view.currentIndex().column());
            QTest::keyClick(&view, 'Q');
            last_ = "type Q into a cell";
            const bool changed = before != "Q";
            if (QWidget *editor = QApplication::focusWidget(); editor && editor != &view)
                QTest::keyClick(editor, Qt::Key_Return);
            return changed;
        }
        case 4:
        case 5: {
            const char *name = Pick(2) == 0 ? "edtDX" : "edtDY";
            const std::string text = RandomNumberText();
            last_ = std::string("set ") + name + " to '" + text.substr(0, 40) + "'";
            auto &field = window_.Find<fw::EditField>(name);
            const bool changed = field.Text() != text;
            field.SetText(text);
            return changed;
        }
        case 6:
        case 7: {
            const char *name = Pick(3) == 0 ? "lstFonts" : "lstSizes";
            fw::Listbox &list = window_.Find<fw::Listbox>(name);
            const int index = Pick(6) == 0 ? -1 : Pick(list.ListCount());
            last_ = std::string("select ") + name + " row " + std::to_string(index);
            const bool changed = list.ListIndex() != index;
            list.SetListIndex(index);
            return changed;
        }
        case 8: {
            auto &textures = window_.Find<fw::PopupMenu>("popTexSize");
            const int index = Pick(4);
            last_ = "texture size item " + std::to_string(index);
            const bool changed = textures.ListIndex() != index;
            textures.SetListIndex(index);
            return changed;
        }
        case 9: {
            const char *name = std::array{"chkBold", "chkItalic", "chkToFit"}[static_cast<std::size_t>(Pick(3))];
            last_ = std::string("click ") + name;
            QtChild<QCheckBox>(window_, name).click();
            return std::string(name) != "chkToFit";
        }
        case 10:
            last_ = "copy the texture and the width table";
            QtChild<QPushButton>(window_, "btnCopy").click();
            QtChild<QPushButton>(window_, "btnCopyWidths").click();
            return false;
        default:
            last_ = "repaint the preview";
            window_.Find<fw::Control>("cnvPreview").Widget().repaint();
            return false;
        }
    }

    vantor::Window1 &window_;
    std::mt19937_64 random_;
    int renders_ = 0;
    bool rendered_ = false;
    bool expectRender_ = false;
    int renderedSide_ = 0;
    std::vector<std::string> renderedCells_;
    std::string last_;
};

using RandomUserTest = MainWindowTest;

TEST_F(RandomUserTest, NothingAUserDoesBreaksTheWindow)
{
    const std::uint64_t seed = EnvironmentNumber("VANTOR_SEED", 1);
    const std::uint64_t actions = EnvironmentNumber("VANTOR_ACTIONS", 300);
    const bool soak = EnvironmentNumber("VANTOR_SOAK", 0) != 0;
    std::printf("Random user: seed %llu, %llu actions (VANTOR_SEED, VANTOR_ACTIONS)\n",
        static_cast<unsigned long long>(seed), static_cast<unsigned long long>(actions));
    QApplication::setActiveWindow(&window.Widget());
    RandomUser user(window, seed);
    // Resident memory swings by tens of MiB with the texture size and the
    // clipboard of the moment; a leak raises its floor. The check compares
    // the lowest reading over the thousand actions after the first thousand
    // with the lowest over the last thousand.
    constexpr std::uint64_t kWindow = 1000;
    double floorEarly = std::numeric_limits<double>::max();
    double floorLate = std::numeric_limits<double>::max();
    if (soak) {
        ASSERT_GE(actions, 3 * kWindow) << "a soak needs two separate thousands of actions to compare";
    }
    for (std::uint64_t step = 1; step <= actions; ++step) {
        const std::string action = user.Act();
        SCOPED_TRACE(testing::Message() << "seed " << seed << ", action " << step << ": " << action);
        user.CheckInvariants();
        if (HasFatalFailure() || HasNonfatalFailure())
            return;
        if (!soak)
            continue;
        if (step > kWindow && step <= 2 * kWindow)
            floorEarly = std::min(floorEarly, ResidentMiB());
        if (step > actions - kWindow)
            floorLate = std::min(floorLate, ResidentMiB());
        if (step % 10000 == 0) {
            std::printf("%llu actions, resident %.1f MiB\n", static_cast<unsigned long long>(step), ResidentMiB());
            std::fflush(stdout);
        }
    }
    if (soak) {
        const double growth = floorLate - floorEarly;
        std::printf("Resident memory floor: %.1f MiB over actions %llu to %llu, %.1f MiB over the last %llu "
                    "(growth %+.2f MiB)\n",
            floorEarly, static_cast<unsigned long long>(kWindow + 1), static_cast<unsigned long long>(2 * kWindow),
            floorLate, static_cast<unsigned long long>(kWindow), growth);
        EXPECT_LE(growth, 4.0);
    }
}

} // namespace
