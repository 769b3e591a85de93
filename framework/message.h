#pragma once

#include <string>

namespace fw {

// Shows the text in a modal message box over the active window, titled as
// that window; returns when the user closes it.
void ShowMessage(const std::string &text);
// The same, as a warning.
void ShowWarning(const std::string &text);
// The program's About box.
void ShowAbout(const std::string &title, const std::string &text);
// The version of Qt in use.
std::string ToolkitVersion();
// Asks whether to replace the file at the path, No being the default.
bool AskToReplace(const std::string &path);

} // namespace fw
