#pragma once

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
// the width table, under the same text drawn by the font itself, and the
// facts that tell the two apart. It follows every render and edit at once and
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

    // The text drawn from the atlas: for each character the square of the
    // first cell holding it, lightening what is there, the pen advancing by
    // that cell's width; a character no cell holds as an outlined box.
    struct AtlasLine {
        std::shared_ptr<fw::Picture> picture;
        std::int32_t baseline = 0; // a quarter cell below the top, plus the cell's own
        double length = 0;
        std::vector<std::string> missing; // the characters no cell holds, once each
        std::size_t characters = 0;
        std::size_t shown = 0; // those that fit the widest picture, from the start
    };
    // Draws into `old` when it has the size needed.
    static AtlasLine DrawAtlasLine(
        Window1 &main, const std::string &text, std::int32_t margin, std::shared_ptr<fw::Picture> old = nullptr);

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
    std::shared_ptr<fw::Picture> fontLine_;
    double fontLineLength_ = 0;
    std::string fontLineKey_; // what fontLine_ was drawn for
};

namespace implicit {

// The open sample text window, made and opened on the first call.
vantor::SampleText &SampleText();

} // namespace implicit
} // namespace vantor
