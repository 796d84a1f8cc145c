#pragma once
// Registers TMenuItem, TMainMenu, TPopupMenu, TAction and the controls' PopupMenu
// property with the layout class registry, and lets item blocks nest inside menu and
// item blocks. Call after RegisterWindowsClasses (which sets the registry's parent
// handler that this one extends); calling it again is harmless.
void RegisterMenuClasses();
