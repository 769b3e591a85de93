#pragma once

#include <string_view>

namespace fw {

class Picture;

// The system clipboard; what is set stays there after this object is gone.
class Clipboard {
public:
    // The whole picture, as an image.
    void SetPicture(const Picture &picture);
    // Plain UTF-8 text, line ends as they are.
    void SetText(std::string_view text);
};

} // namespace fw
