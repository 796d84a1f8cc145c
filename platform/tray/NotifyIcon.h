#pragma once
// The notification-area icon: the desktop's tray over Qt's system tray support, which
// speaks the D-Bus status-notifier protocol or the X11 embedding one, whichever the
// desktop offers. Mouse actions on an icon come back to its callback window as the
// callback message with the icon's id in WParam and a mouse message in LParam; the
// desktop reports activations, not raw buttons, so a click arrives as a left button
// down and up, a double click as a left double click (after the first click's down
// and up), the context request as a right button down and up and a middle click as a
// middle button down and up. There are no pointer moves. When a notification area
// appears (again), the message registered as "TaskbarCreated" goes to the application
// window's hooks and to every form, so that icons can be added back.
#include <cstddef>
#include <cstdint>
#include <string>

#include "framework/core/Types.h"
#include "framework/messages/Messages.h"

class TIcon;

using HICON = const TIcon*;  // the picture is copied by each add or modify

constexpr DWORD NIM_ADD = 0;
constexpr DWORD NIM_MODIFY = 1;
constexpr DWORD NIM_DELETE = 2;
constexpr UINT NIF_MESSAGE = 0x1;
constexpr UINT NIF_ICON = 0x2;
constexpr UINT NIF_TIP = 0x4;

// The longest tip in characters; in UTF-8 a character takes up to four bytes.
constexpr std::size_t NotifyIconTipChars = 127;

// The platform's icon record (488 bytes there). The tip is UTF-8 and holds up to
// NotifyIconTipChars whole characters and a terminating zero.
struct TNotifyIconData {
  DWORD cbSize = 488;
  HWND Wnd = 0;
  UINT uID = 0;
  UINT uFlags = 0;
  UINT uCallbackMessage = 0;
  HICON hIcon = nullptr;
  char szTip[NotifyIconTipChars * 4 + 1] = {};
};

// Adds, modifies or deletes the icon (Wnd, uID). Adding fails (false) when the desktop
// has no notification area, and when the icon exists; modifying and deleting fail when
// it does not.
bool Shell_NotifyIcon(DWORD Message, const TNotifyIconData* Data);

// A message number unique for the name in this program (0xC000 upwards); the same name
// always gives the same number.
UINT RegisterWindowMessage(const std::string& Name);

// Whether the desktop offers a notification area now.
bool NotificationAreaAvailable();

// What the tray shows for an icon, its tip and picture (tests): false when the icon does
// not exist.
bool NotifyIconShown(HWND Wnd, UINT ID, std::string* Tip = nullptr, TIcon* Picture = nullptr);

// Tells the stand-in an activation of the icon as the desktop would (tests without a
// desktop): 0 context, 1 double click, 2 click, 3 middle click.
void SimulateNotifyIconActivation(HWND Wnd, UINT ID, int Reason);
