#pragma once
// Registers TMenuItem, TMainMenu, TPopupMenu and TAction with the layout class registry,
// and lets item blocks nest inside menu and item blocks. Call after
// RegisterWindowsClasses (which sets the registry's parent handler that this one
// extends, and gives controls their PopupMenu property); calling it again is harmless.
void RegisterMenuClasses();
