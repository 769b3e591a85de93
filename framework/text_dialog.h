#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace fw {

// A text the dialog offers to start from.
struct TextChoice {
    std::string name;
    std::string text;
};

// A modal dialog asking for a line of text: the field, a popup of texts to
// start from, which fill it, a note that `note` gives for the text as it
// stands, OK and Cancel. Gives the text, or nothing when cancelled.
std::optional<std::string> AskForText(const std::string &title, const std::string &label,
    const std::vector<TextChoice> &starts, const std::function<std::string(const std::string &)> &note);

} // namespace fw
