// A texture redrawn in place reuses what earlier renders drew; whatever the
// user changes in between, it must come out exactly as a texture drawn afresh.
#include "framework/check_box.h"
#include "framework/edit_field.h"
#include "framework/popup_menu.h"
#include "framework/text.h"
#include "test_support.h"

#include <QCheckBox>

#include <gtest/gtest.h>

#include <random>

namespace {

using RedrawTest = MainWindowTest;

TEST_F(RedrawTest, EveryRedrawEqualsAFreshTexture)
{
    std::mt19937 random(20261206);
    const auto pick = [&](int count) { return static_cast<int>(random() % static_cast<unsigned>(count)); };
    const char *texts[] = {"A", "W", "g", "AB", "", "(", "j", "|", "WWW", "\xC3\x89", "@@", "~"};
    const char *offsets[] = {"0", "4", "30", "-20", "90", "-100", "7", "500", "-3"};
    auto &dx = window.Find<fw::EditField>("edtDX");
    auto &dy = window.Find<fw::EditField>("edtDY");
    for (int step = 0; step < 120; ++step) {
        switch (pick(8)) {
        case 0:
            dx.SetText(offsets[pick(std::size(offsets))]);
            break;
        case 1:
            dy.SetText(offsets[pick(std::size(offsets))]);
            break;
        case 2:
        case 3:
            List("lstChars").SetCell(pick(10), pick(10), texts[pick(std::size(texts))]);
            window.UpdateFontMap();
            break;
        case 4:
            List("lstSizes").SetListIndex(pick(248));
            break;
        case 5:
            QtChild<QCheckBox>(window, pick(2) == 1 ? "chkItalic" : "chkBold").click();
            break;
        case 6:
            List("lstFonts").SetListIndex(pick(3));
            window.UpdateFontMap();
            break;
        default:
            window.Find<fw::PopupMenu>("popTexSize").SetListIndex(pick(4));
            window.UpdateFontMap();
            break;
        }
        const int side = window.CurrentFontMap->Width();
        const int size = fw::ToInt32(fw::Val(List("lstSizes").Text()) * side / 1024.0);
        const auto fresh = window.FontMap(nullptr, List("lstFonts").Text(), size, side, side,
            fw::ToInt32(fw::Val(dx.Text()) * side / 1024.0), fw::ToInt32(fw::Val(dy.Text()) * side / 1024.0));
        ASSERT_EQ(Texture(), fresh->Image()) << "step " << step;
    }
}

} // namespace
