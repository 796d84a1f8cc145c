#pragma once
// The program's icon, compiled in from the file the package installs.
#include <string>

// Makes it the application's icon: every window carries it for the window manager and
// the task bar, and tray icons start with it. False (error says why) when the compiled-in
// picture cannot be read; the windows then go without.
bool SetProgramIcon(std::string& error);
