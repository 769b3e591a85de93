#include "window/window1.h"

#include "fontmap/fit.h"

#include "framework/listbox.h"
#include "framework/message.h"
#include "framework/text.h"

#include <cmath>

namespace vantor {
namespace {

// A value as typed for a 1024 texture, which the texture's scale turns back
// into `value` pixels: the shortest decimal text that does.
std::string Entered(std::int32_t value, double scale)
{
    const double entered = value / scale;
    return entered == std::round(entered) ? fw::Str(static_cast<std::int64_t>(entered)) : fw::Format(entered, "0.0");
}

} // namespace

std::string Window1::FitGlyphsToCells()
{
    const auto &sizes = Find<fw::Listbox>("lstSizes");
    if (!atlas_ || settings_.family.empty() || sizes.ListCount() == 0)
        return {};
    const AtlasSettings &settings = settings_;
    // Sizes as the renderer gets them from the list's rows.
    const double scale = settings.textureSize / 1024.0;
    std::vector<std::int32_t> pixels;
    for (int row = 0; row < sizes.ListCount(); ++row)
        pixels.push_back(PixelSize(sizes.Cell(row, 0), settings.textureSize));
    const Fitted fitted = FitGlyphs(engine_, settings, pixels);
    if (fitted.size) {
        const Choices before = CurrentChoices();
        Choices after = before;
        after.sizeRow = static_cast<int>(*fitted.size);
        after.dx = Entered(fitted.dx, scale);
        after.dy = Entered(fitted.dy, scale);
        const AtlasSettings settingsBefore = settings_;
        Choose(after);
        if (settings_ != settingsBefore)
            RememberChoices("Fit Glyphs to Cells", before);
    }
    return fitted.message;
}

void Window1::ViewFitGlyphs_Action()
{
    const std::string outcome = FitGlyphsToCells();
    if (!outcome.empty())
        fw::ShowMessage(outcome);
}

} // namespace vantor
