#include "window/window1.h"

#include "framework/text.h"

namespace vantor {

std::string Window1::NamedCells(const std::vector<std::string> &texts)
{
    constexpr int kLongest = 16;
    std::string names;
    for (const std::string &text : texts) {
        const std::string start = fw::Mid(text, 1, kLongest);
        names += " " + fw::ReadableName(start) + (start.size() < text.size() ? "\xE2\x80\xA6" : "");
    }
    return names;
}

} // namespace vantor
