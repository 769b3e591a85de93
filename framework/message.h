#pragma once

#include <string>

namespace fw {

// Shows the text in a modal message box over the active window, titled as
// that window; returns when the user closes it.
void ShowMessage(const std::string &text);
// The same, as a warning.
void ShowWarning(const std::string &text);

} // namespace fw
