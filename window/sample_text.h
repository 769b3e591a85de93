#pragma once

#include "fontmap/atlas_line.h"

#include "framework/window.h"

#include <memory>
#include <string>
#include <vector>

namespace fw {
class Graphics;
class Picture;
} // namespace fw

namespace vantor {

class Window1;

// A line of text drawn as a user's renderer draws it from the texture and
// the width table (DrawAtlasLine), under the same text drawn by the toolkit,
// and the facts that tell the two apart. It follows every render and edit at once and
// changes nothing of the main window.
class SampleText : public fw::Window {
public:
    static constexpr const char *kClassName = "SampleText";

    SampleText();
    // Draws the lines again from the main window's last render.
    void Update();

    void edtSample_TextChange();
    void popZoom_Change();
    void cnvSample_Paint(fw::Graphics &g);

protected:
    void Layout() override;
    void CreateControls() override;

private:
    // How the lines are shown: enlarged by `in`, then reduced by `out`.
    struct Zoom {
        int in = 1;
        int out = 1;
    };
    Zoom ZoomFor(int viewWidth, int viewHeight) const;
    // The two lines' size, one above the other.
    int LinesWidth() const;
    int LinesHeight() const;
    void UpdateScrolling();
    std::string Facts(const Window1 &main) const;

    AtlasLine atlas_;
    // What the line was drawn from.
    std::shared_ptr<const Atlas> drawnFrom_;
    std::string drawnText_;
    std::shared_ptr<fw::Picture> atlasLine_;
    std::shared_ptr<fw::Picture> fontLine_;
    double fontLineLength_ = 0;
    std::string fontLineKey_; // what fontLine_ was drawn for
};

namespace implicit {

// The open sample text window, made and opened on the first call.
vantor::SampleText &SampleText();

} // namespace implicit
} // namespace vantor
