#pragma once
// Start-up: loads the main window hidden (it centres itself), makes sure the per-user settings folder exists,
// sets the settings file, restores the saved options into the window and shows it. From then on the window's
// events drive the program, which ends when the window emits unloaded(). Needs a QApplication.

#include <QString>
#include <memory>
#include <variant>

class frmMain;

// The shown main window, or the message that tells the user why the program could not start.
using StartupResult = std::variant<std::unique_ptr<frmMain>, QString>;

// A database path given here replaces the stored path in the path box; nothing is run.
StartupResult Main(const QString& database = QString());

// Starts the program in a QApplication that already exists and runs it until the main window closes; a
// start-up failure is reported (message box and standard error) before any window shows. The exit status.
int RunProgram(const QString& database = QString());
