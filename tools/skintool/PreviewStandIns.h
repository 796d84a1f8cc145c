#pragma once
// What the preview puts in place of the main window's parts that would start something:
// the video player's area (drawn black, as the idle player shows it) and the hidden
// media device control. The window's handlers are bound to handlers that do nothing,
// so reading the layout runs none of the program's code.
#include <string>

// Registers the stand-ins under the classes of the main window's layout and, for the
// layout's root class, a do-nothing handler for every event the layout binds.
void RegisterPreviewStandIns(const std::string& layoutText);
