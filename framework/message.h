#pragma once

#include <string>

namespace fw {

// Shows the text in a modal message box over the active window, titled as
// that window; returns when the user closes it.
void ShowMessage(const std::string &text);
// The same, as a warning.
void ShowWarning(const std::string &text);
// Asks whether to replace the file at the path, No being the default.
bool AskToReplace(const std::string &path);

} // namespace fw
