#pragma once
// The window functions the Parts call, over the framework's windows: styles, position,
// visibility, regions, layered alpha, monitors, capture, cursor, focus, timers, and
// canvases over a window's retained image (the classic window / client device contexts).
#include <cstdint>

#include "framework/core/Types.h"
#include "framework/messages/Messages.h"
#include "framework/messages/ShiftState.h"

class TCanvas;
class TRegion;

using LONG = std::int32_t;

// Style words (GWL_STYLE, GWL_EXSTYLE). Changing them sends WM_STYLECHANGED and
// recomputes the frame (WM_NCCALCSIZE), as SWP_FRAMECHANGED would.
LONG GetWindowLong(HWND wnd, int index);
LONG SetWindowLong(HWND wnd, int index, LONG value);

constexpr UINT SWP_NOSIZE = 0x0001;
constexpr UINT SWP_NOMOVE = 0x0002;
constexpr UINT SWP_NOZORDER = 0x0004;
constexpr UINT SWP_NOREDRAW = 0x0008;
constexpr UINT SWP_NOACTIVATE = 0x0010;
constexpr UINT SWP_FRAMECHANGED = 0x0020;
constexpr UINT SWP_SHOWWINDOW = 0x0040;
constexpr UINT SWP_HIDEWINDOW = 0x0080;
constexpr HWND HWND_TOP = 0;
constexpr HWND HWND_BOTTOM = 1;
constexpr HWND HWND_TOPMOST = HWND(-1);
constexpr HWND HWND_NOTOPMOST = HWND(-2);
// x, y in screen coordinates for top-level windows, parent client coordinates otherwise.
bool SetWindowPos(HWND wnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);

constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOWMINIMIZED = 2;
constexpr int SW_SHOWMAXIMIZED = 3;
constexpr int SW_SHOWNOACTIVATE = 4;
constexpr int SW_SHOW = 5;
constexpr int SW_MINIMIZE = 6;
constexpr int SW_SHOWNA = 8;
constexpr int SW_RESTORE = 9;
bool ShowWindow(HWND wnd, int cmdShow);  // returns whether it was visible before
bool IsWindowVisible(HWND wnd);
bool EnableWindow(HWND wnd, bool enable);
bool IsWindowEnabled(HWND wnd);
bool IsIconic(HWND wnd);
bool IsZoomed(HWND wnd);
HWND GetParent(HWND wnd);

// Window rectangle in screen coordinates; client rectangle from (0, 0).
bool GetWindowRect(HWND wnd, TRect& r);
bool GetClientRect(HWND wnd, TRect& r);
bool ClientToScreen(HWND wnd, TPoint& p);
bool ScreenToClient(HWND wnd, TPoint& p);
// Maps points from one window's client coordinates to another's (0: the screen).
void MapWindowPoints(HWND from, HWND to, TPoint* points, int count);

// Marks (part of) the client area for repainting; erase asks for WM_ERASEBKGND.
bool InvalidateRect(HWND wnd, const TRect* r, bool erase);
// Paints what is marked now.
bool UpdateWindow(HWND wnd);
constexpr UINT RDW_INVALIDATE = 0x0001;
constexpr UINT RDW_ERASE = 0x0004;
constexpr UINT RDW_FRAME = 0x0400;
constexpr UINT RDW_UPDATENOW = 0x0100;
constexpr UINT RDW_ALLCHILDREN = 0x0080;
bool RedrawWindow(HWND wnd, const TRect* r, UINT flags);

// Canvas over the whole window's retained image (origin at the window's top-left:
// frame included for forms) and over the client image. What is drawn shows at the next
// blit, which the call schedules. The canvas belongs to the window.
TCanvas* GetWindowCanvas(HWND wnd);
TCanvas* GetClientCanvas(HWND wnd);

// The window's shape (window coordinates); nullptr removes it. The region is copied.
int SetWindowRgn(HWND wnd, const TRegion* region, bool redraw);
// True when a shape is set; then region receives it.
bool GetWindowRgn(HWND wnd, TRegion& region);
constexpr DWORD LWA_COLORKEY = 0x1;
constexpr DWORD LWA_ALPHA = 0x2;
// Alpha of a window with WS_EX_LAYERED (0 transparent .. 255 opaque).
bool SetLayeredWindowAttributes(HWND wnd, TColor key, Byte alpha, DWORD flags);
bool LayeredWindowsSupported();

// The monitor a window (or a point) is on: its whole rectangle and its work area.
TRect GetMonitorRect(HWND wnd);
TRect GetMonitorWorkArea(HWND wnd);
TRect GetMonitorWorkAreaAt(TPoint screenPoint);
TRect GetMonitorRectAt(TPoint screenPoint);

// Mouse capture: all mouse messages go to the capturing window in its client
// coordinates; the loser gets WM_CAPTURECHANGED.
HWND SetCapture(HWND wnd);
bool ReleaseCapture();
HWND GetCapture();
bool GetCursorPos(TPoint& p);
bool SetCursorPos(int x, int y);
// The deepest visible window under a screen point (0 when none of ours).
HWND WindowFromPoint(TPoint p);

HWND GetFocus();
HWND SetFocus(HWND wnd);
HWND GetActiveWindow();
HWND GetForegroundWindow();
bool SetForegroundWindow(HWND wnd);

// Window timers: WM_TIMER with the id in WParam every ms milliseconds until killed.
// Setting an existing id restarts it. Returns the id (0 when the window is gone).
std::uintptr_t SetTimer(HWND wnd, std::uintptr_t id, UINT ms);
bool KillTimer(HWND wnd, std::uintptr_t id);

// System metrics, with the values of the classic theme at 96 dots per inch.
constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;
constexpr int SM_CXVSCROLL = 2;
constexpr int SM_CYHSCROLL = 3;
constexpr int SM_CYCAPTION = 4;
constexpr int SM_CXBORDER = 5;
constexpr int SM_CYBORDER = 6;
constexpr int SM_CXDLGFRAME = 7;
constexpr int SM_CYDLGFRAME = 8;
constexpr int SM_CXFIXEDFRAME = SM_CXDLGFRAME;
constexpr int SM_CYFIXEDFRAME = SM_CYDLGFRAME;
constexpr int SM_CYVTHUMB = 9;
constexpr int SM_CXHTHUMB = 10;
constexpr int SM_CXICON = 11;
constexpr int SM_CYICON = 12;
constexpr int SM_CXCURSOR = 13;
constexpr int SM_CYCURSOR = 14;
constexpr int SM_CYMENU = 15;
constexpr int SM_CXFULLSCREEN = 16;
constexpr int SM_CYFULLSCREEN = 17;
constexpr int SM_MOUSEPRESENT = 19;
constexpr int SM_CYVSCROLL = 20;
constexpr int SM_CXHSCROLL = 21;
constexpr int SM_SWAPBUTTON = 23;
constexpr int SM_CXMIN = 28;
constexpr int SM_CYMIN = 29;
constexpr int SM_CXSIZE = 30;
constexpr int SM_CYSIZE = 31;
constexpr int SM_CXFRAME = 32;
constexpr int SM_CYFRAME = 33;
constexpr int SM_CXSIZEFRAME = SM_CXFRAME;
constexpr int SM_CYSIZEFRAME = SM_CYFRAME;
constexpr int SM_CXMINTRACK = 34;
constexpr int SM_CYMINTRACK = 35;
constexpr int SM_CXDOUBLECLK = 36;
constexpr int SM_CYDOUBLECLK = 37;
constexpr int SM_CXICONSPACING = 38;
constexpr int SM_CYICONSPACING = 39;
constexpr int SM_CMOUSEBUTTONS = 43;
constexpr int SM_CXEDGE = 45;
constexpr int SM_CYEDGE = 46;
constexpr int SM_CXSMICON = 49;
constexpr int SM_CYSMICON = 50;
constexpr int SM_CYSMCAPTION = 51;
constexpr int SM_CXSMSIZE = 52;
constexpr int SM_CYSMSIZE = 53;
constexpr int SM_CXMENUSIZE = 54;
constexpr int SM_CYMENUSIZE = 55;
constexpr int SM_CXMINIMIZED = 57;
constexpr int SM_CYMINIMIZED = 58;
constexpr int SM_CXMAXTRACK = 59;
constexpr int SM_CYMAXTRACK = 60;
constexpr int SM_CXMAXIMIZED = 61;
constexpr int SM_CYMAXIMIZED = 62;
constexpr int SM_CXDRAG = 68;
constexpr int SM_CYDRAG = 69;
constexpr int SM_CXMENUCHECK = 71;
constexpr int SM_CYMENUCHECK = 72;
constexpr int SM_MOUSEWHEELPRESENT = 75;
constexpr int SM_XVIRTUALSCREEN = 76;
constexpr int SM_YVIRTUALSCREEN = 77;
constexpr int SM_CXVIRTUALSCREEN = 78;
constexpr int SM_CYVIRTUALSCREEN = 79;
constexpr int SM_CMONITORS = 80;
// 0 for an index the framework does not know.
int GetSystemMetrics(int index);
// The "show window contents while dragging" setting (always on here).
bool GetDragFullWindows();
unsigned GetDoubleClickTime();
