#include "window/sample_text.h"
#include "window/window1.h"

#include "fontmap/cell_names.h"

#include "raster/texture.h"

#include "framework/canvas.h"
#include "framework/edit_field.h"
#include "framework/graphics.h"
#include "framework/listbox.h"
#include "framework/picture.h"
#include "framework/popup_menu.h"
#include "framework/static_text.h"
#include "framework/text.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace vantor {
namespace {

constexpr std::array<std::string_view, 3> kZooms{"Fit", "1:1", "2:1"};

// The facts name this many missing characters at most.
constexpr std::size_t kMostNamed = 40;

// The main window, or nullptr once it is gone.
Window1 *MainWindow()
{
    return static_cast<Window1 *>(fw::GetImplicitWindow(Window1::kClassName));
}

std::string Pixels(double length)
{
    return fw::Format(length, "0.0") + " px";
}

} // namespace

SampleText::SampleText()
    : fw::Window(kClassName)
{
}

void SampleText::Layout()
{
    SetTitle("Sample Text");
    SetResizeable(true);
    SetInitialSize(900, 360);
    CloseOnEscape();
}

void SampleText::CreateControls()
{
    auto field = std::make_unique<fw::EditField>();
    if (const Window1 *main = MainWindow())
        field->SetText(main->SampleLine);
    field->SetAccessibleName("Sample text");
    auto zoom = std::make_unique<fw::PopupMenu>();
    for (const std::string_view item : kZooms)
        zoom->AddRow(std::string(item));
    zoom->SetListIndex(0);
    zoom->SetAccessibleName("Zoom");
    auto view = std::make_unique<fw::Canvas>(true);
    view->SetAccessibleName("Sample text drawn from the atlas, under the font's own");
    auto facts = std::make_unique<fw::StaticText>();
    facts->SetAccessibleName("Facts");
    facts->SetElides(true);
    field->Bind(fw::Event::TextChange, std::function<void()>([this] { edtSample_TextChange(); }));
    zoom->Bind(fw::Event::Change, std::function<void()>([this] { popZoom_Change(); }));
    view->Bind(fw::Event::Paint, std::function<void(fw::Graphics &)>([this](fw::Graphics &g) { cnvSample_Paint(g); }));
    AddControl("edtSample", std::move(field));
    AddControl("popZoom", std::move(zoom));
    AddControl("cnvSample", std::move(view));
    AddControl("stFacts", std::move(facts));
    LayOutInRows({{"edtSample", "popZoom"}, {"cnvSample"}, {"stFacts"}}, "cnvSample");
}

void SampleText::Update()
{
    Window1 *main = MainWindow();
    if (!main || !main->LastAtlas())
        return;
    const Atlas &atlas = *main->LastAtlas();
    const std::string text = Find<fw::EditField>("edtSample").Text();
    // A key into dx mostly leaves the line as it was: then there is
    // nothing to draw or show again.
    if (drawnFrom_ && text == drawnText_ && LineStays(atlas_, *drawnFrom_, atlas)) {
        drawnFrom_ = main->LastAtlas();
        return;
    }
    drawnFrom_ = main->LastAtlas();
    drawnText_ = text;
    const AtlasSettings &rendered = atlas.Settings();
    const std::int32_t margin = fw::ToInt32(rendered.textureSize * 0.1);
    atlas_ = DrawAtlasLine(atlas, text, margin, atlas_.picture);
    const raster::Texture &line = *atlas_.picture;
    if (atlasLine_ && atlasLine_->Pixels() == line.Line(0)) {
        atlasLine_->Changed({{0, 0, line.Width(), line.Height()}});
    } else {
        atlasLine_ = std::make_shared<fw::Picture>(
            line.Width(), line.Height(), std::shared_ptr<const std::uint8_t>(atlas_.picture, line.Line(0)));
    }

    // The toolkit's line changes only with the text and the font.
    const std::string key = text + '\n' + rendered.family + '\n' + fw::Str(rendered.fontSize) + ' '
        + fw::Str(rendered.textureSize) + ' ' + fw::Str(rendered.dy) + fw::Str(rendered.bold)
        + fw::Str(rendered.italic);
    if (key != fontLineKey_) {
        const fw::ToolkitFont font{rendered.family, rendered.fontSize, rendered.bold, rendered.italic};
        fontLine_ = fw::ToolkitLine(font, text, line.Width(), line.Height(), margin, atlas_.baseline);
        fontLineLength_ = fw::ToolkitLineWidth(font, text);
        fontLineKey_ = key;
    }
    Find<fw::StaticText>("stFacts").SetText(Facts(*main));
    UpdateScrolling();
}

std::string SampleText::Facts(const Window1 &main) const
{
    std::string facts
        = "Above, the font's own line: " + Pixels(fontLineLength_) + "; below, the atlas's: " + Pixels(atlas_.length);
    if (!atlas_.missing.empty()) {
        facts += ". No cell holds:";
        for (std::size_t i = 0; i < std::min(atlas_.missing.size(), kMostNamed); ++i)
            facts += " " + fw::ReadableName(atlas_.missing[i]);
        if (atlas_.missing.size() > kMostNamed)
            facts += " and " + fw::Str(static_cast<std::int64_t>(atlas_.missing.size() - kMostNamed)) + " more";
    }
    const std::vector<int> overflowing = main.OverflowingCells();
    if (!overflowing.empty()) {
        facts += overflowing.size() == 1
            ? ". 1 cell overflows:"
            : ". " + fw::Str(static_cast<std::int64_t>(overflowing.size())) + " cells overflow:";
        std::vector<std::string> texts;
        for (const int cell : overflowing)
            texts.push_back(main.LastAtlas()->Text(cell));
        facts += NamedCells(texts);
    }
    if (atlas_.shown < atlas_.characters) {
        facts += ". Shown: the first " + fw::Str(static_cast<std::int64_t>(atlas_.shown)) + " of "
            + fw::Str(static_cast<std::int64_t>(atlas_.characters)) + " characters";
    }
    return facts;
}

void SampleText::edtSample_TextChange()
{
    if (Window1 *main = MainWindow())
        main->SampleLine = Find<fw::EditField>("edtSample").Text();
    Update();
}

void SampleText::popZoom_Change()
{
    UpdateScrolling();
}

int SampleText::LinesWidth() const
{
    return std::max(fontLine_->Width(), atlasLine_->Width());
}

int SampleText::LinesHeight() const
{
    return fontLine_->Height() + atlasLine_->Height();
}

SampleText::Zoom SampleText::ZoomFor(int viewWidth, int viewHeight) const
{
    const std::string zoom = Find<fw::PopupMenu>("popZoom").Text();
    if (zoom == kZooms[1])
        return {1, 1};
    if (zoom == kZooms[2])
        return {2, 1};
    // Fit: the largest whole zoom, or the smallest whole reduction, that
    // shows the lines whole, so that every pixel shown is exact.
    const double fit
        = std::min(static_cast<double>(viewWidth) / LinesWidth(), static_cast<double>(viewHeight) / LinesHeight());
    return fit < 1 ? Zoom{1, fw::ToInt32(std::ceil(1 / fit))} : Zoom{std::max(1, fw::ToInt32(fit)), 1};
}

// Zoomed in, the view scrolls over the lines; fitted, it holds them whole.
void SampleText::UpdateScrolling()
{
    auto &view = Find<fw::Canvas>("cnvSample");
    if (atlasLine_ && Find<fw::PopupMenu>("popZoom").Text() != kZooms[0]) {
        const Zoom zoom = ZoomFor(0, 0);
        view.SetContentSize(LinesWidth() * zoom.in, LinesHeight() * zoom.in);
    } else {
        view.SetContentSize(0, 0);
    }
    view.Refresh();
}

void SampleText::cnvSample_Paint(fw::Graphics &g)
{
    g.SetForeColor(fw::RGB(0, 0, 0));
    g.FillRect(0, 0, g.Width(), g.Height());
    if (!atlasLine_)
        return;
    // The font's line above the atlas's, the two scaled alike.
    const Zoom zoom = ZoomFor(g.Width(), g.Height());
    int top = 0;
    for (const fw::Picture *line : {fontLine_.get(), atlasLine_.get()}) {
        const int shownHeight = std::max(1, line->Height() * zoom.in / zoom.out);
        g.DrawPicture(*line, 0, top, std::max(1, line->Width() * zoom.in / zoom.out), shownHeight);
        top += shownHeight;
    }
}

void Window1::ViewSampleText_Action()
{
    vantor::SampleText &sample = implicit::SampleText();
    sample.Update();
    sample.Activate("edtSample");
}

namespace implicit {

vantor::SampleText &SampleText()
{
    return fw::ImplicitWindow<vantor::SampleText>();
}

} // namespace implicit
} // namespace vantor
