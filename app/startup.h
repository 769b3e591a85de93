#pragma once

namespace vantor {

// The exit status of a process whose start-up failed.
inline constexpr int kStartupFailed = 1;

// Registers the application object, with the one menu bar.
void NewAppInstance();
// Opens the main window.
void MakeDefaultView();

// Creates the application object and the main window, then runs the event
// loop until the user quits. A start-up failure is reported through the
// unhandled-exception service and ends the run with kStartupFailed.
void Main();

// The whole process: the toolkit, Main, the shutdown; gives the exit status.
int RunProcess(int argc, char **argv);

} // namespace vantor
