#pragma once
// framework/messages/ is the vocabulary that windows, menus and actions share and that
// sits below all three: window handles and message numbers (this header), typed views
// of the messages' parameters (MessageViews.h), the shift state and the keyboard's state
// now (ShiftState.h), and keyboard shortcuts (ShortCuts.h). It knows no window, menu or
// control, so each of those folders may use it without using the others.
//
// Window handles and messages. A handle is an id looked up in a registry: a message to
// a destroyed window is dropped (SendMessage returns 0), never a crash.
#include <cstdint>

using HWND = std::uintptr_t;  // 0: no window
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using UINT = unsigned int;

struct TMessage {
  UINT Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;
};

// Synchronous dispatch through the window's WindowProc; 0 when the window is gone.
LRESULT SendMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Queued on the event loop; false when the window does not exist.
bool PostMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Thread-safe variant for worker threads (device threads, player callbacks).
bool PostMessageFromThread(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
bool IsWindow(HWND wnd);

constexpr WPARAM MAKEWPARAM(unsigned lo, unsigned hi) { return WPARAM((lo & 0xFFFF) | ((hi & 0xFFFF) << 16)); }
constexpr LPARAM MAKELPARAM(unsigned lo, unsigned hi) { return LPARAM(std::int32_t((lo & 0xFFFF) | ((hi & 0xFFFF) << 16))); }
constexpr unsigned LOWORD(std::uintptr_t v) { return unsigned(v & 0xFFFF); }
constexpr unsigned HIWORD(std::uintptr_t v) { return unsigned((v >> 16) & 0xFFFF); }
constexpr int GET_X_LPARAM(LPARAM l) { return int(std::int16_t(l & 0xFFFF)); }
constexpr int GET_Y_LPARAM(LPARAM l) { return int(std::int16_t((l >> 16) & 0xFFFF)); }

// Win32 message numbers.
constexpr UINT WM_NULL = 0x0000;
constexpr UINT WM_CREATE = 0x0001;
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_MOVE = 0x0003;
constexpr UINT WM_SIZE = 0x0005;
constexpr UINT WM_ACTIVATE = 0x0006;
constexpr UINT WM_SETFOCUS = 0x0007;
constexpr UINT WM_KILLFOCUS = 0x0008;
constexpr UINT WM_ENABLE = 0x000A;
constexpr UINT WM_SETREDRAW = 0x000B;
constexpr UINT WM_SETTEXT = 0x000C;
constexpr UINT WM_GETTEXT = 0x000D;
constexpr UINT WM_PAINT = 0x000F;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_QUIT = 0x0012;
constexpr UINT WM_ERASEBKGND = 0x0014;
constexpr UINT WM_SHOWWINDOW = 0x0018;
constexpr UINT WM_ACTIVATEAPP = 0x001C;
constexpr UINT WM_CANCELMODE = 0x001F;
constexpr UINT WM_SETCURSOR = 0x0020;
constexpr UINT WM_MOUSEACTIVATE = 0x0021;
constexpr UINT WM_GETMINMAXINFO = 0x0024;
constexpr UINT WM_WINDOWPOSCHANGING = 0x0046;
constexpr UINT WM_WINDOWPOSCHANGED = 0x0047;
constexpr UINT WM_NOTIFY = 0x004E;
constexpr UINT WM_CONTEXTMENU = 0x007B;
constexpr UINT WM_STYLECHANGED = 0x007D;
constexpr UINT WM_GETICON = 0x007F;
constexpr UINT WM_SETICON = 0x0080;
constexpr UINT WM_NCCREATE = 0x0081;
constexpr UINT WM_NCDESTROY = 0x0082;
constexpr UINT WM_NCCALCSIZE = 0x0083;
constexpr UINT WM_NCHITTEST = 0x0084;
constexpr UINT WM_NCPAINT = 0x0085;
constexpr UINT WM_NCACTIVATE = 0x0086;
constexpr UINT WM_GETDLGCODE = 0x0087;
constexpr UINT WM_SYNCPAINT = 0x0088;
constexpr UINT WM_NCMOUSEMOVE = 0x00A0;
constexpr UINT WM_NCLBUTTONDOWN = 0x00A1;
constexpr UINT WM_NCLBUTTONUP = 0x00A2;
constexpr UINT WM_NCLBUTTONDBLCLK = 0x00A3;
constexpr UINT WM_NCRBUTTONDOWN = 0x00A4;
constexpr UINT WM_NCRBUTTONUP = 0x00A5;
constexpr UINT WM_NCRBUTTONDBLCLK = 0x00A6;
constexpr UINT WM_NCMBUTTONDOWN = 0x00A7;
constexpr UINT WM_NCMBUTTONUP = 0x00A8;
constexpr UINT WM_KEYDOWN = 0x0100;
constexpr UINT WM_KEYUP = 0x0101;
constexpr UINT WM_CHAR = 0x0102;
constexpr UINT WM_SYSKEYDOWN = 0x0104;
constexpr UINT WM_SYSKEYUP = 0x0105;
constexpr UINT WM_SYSCHAR = 0x0106;
constexpr UINT WM_INITDIALOG = 0x0110;
constexpr UINT WM_COMMAND = 0x0111;
constexpr UINT WM_SYSCOMMAND = 0x0112;
constexpr UINT WM_TIMER = 0x0113;
constexpr UINT WM_HSCROLL = 0x0114;
constexpr UINT WM_VSCROLL = 0x0115;
constexpr UINT WM_INITMENU = 0x0116;
constexpr UINT WM_INITMENUPOPUP = 0x0117;
constexpr UINT WM_MENUSELECT = 0x011F;
constexpr UINT WM_ENTERIDLE = 0x0121;
constexpr UINT WM_MOUSEMOVE = 0x0200;
constexpr UINT WM_LBUTTONDOWN = 0x0201;
constexpr UINT WM_LBUTTONUP = 0x0202;
constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
constexpr UINT WM_RBUTTONDOWN = 0x0204;
constexpr UINT WM_RBUTTONUP = 0x0205;
constexpr UINT WM_RBUTTONDBLCLK = 0x0206;
constexpr UINT WM_MBUTTONDOWN = 0x0207;
constexpr UINT WM_MBUTTONUP = 0x0208;
constexpr UINT WM_MBUTTONDBLCLK = 0x0209;
constexpr UINT WM_MOUSEWHEEL = 0x020A;
constexpr UINT WM_PARENTNOTIFY = 0x0210;
constexpr UINT WM_ENTERMENULOOP = 0x0211;
constexpr UINT WM_EXITMENULOOP = 0x0212;
constexpr UINT WM_SIZING = 0x0214;
constexpr UINT WM_CAPTURECHANGED = 0x0215;
constexpr UINT WM_MOVING = 0x0216;
constexpr UINT WM_MDIACTIVATE = 0x0222;
constexpr UINT WM_ENTERSIZEMOVE = 0x0231;
constexpr UINT WM_EXITSIZEMOVE = 0x0232;
constexpr UINT WM_MOUSEHOVER = 0x02A1;
constexpr UINT WM_NCMOUSELEAVE = 0x02A2;
constexpr UINT WM_MOUSELEAVE = 0x02A3;
constexpr UINT WM_PRINT = 0x0317;
constexpr UINT WM_PRINTCLIENT = 0x0318;
constexpr UINT WM_USER = 0x0400;
constexpr UINT MM_MCINOTIFY = 0x03B9;

// The framework's own component messages (as the classic VCL numbers them).
constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_ACTIVATE = CM_BASE + 0;
constexpr UINT CM_DEACTIVATE = CM_BASE + 1;
constexpr UINT CM_FONTCHANGED = CM_BASE + 9;
constexpr UINT CM_COLORCHANGED = CM_BASE + 10;
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 12;
constexpr UINT CM_PARENTFONTCHANGED = CM_BASE + 15;
constexpr UINT CM_PARENTCOLORCHANGED = CM_BASE + 16;
constexpr UINT CM_MOUSEENTER = CM_BASE + 19;
constexpr UINT CM_MOUSELEAVE = CM_BASE + 20;
constexpr UINT CM_TEXTCHANGED = CM_BASE + 18;
constexpr UINT CM_VISIBLECHANGED = CM_BASE + 22;
constexpr UINT CM_DIALOGKEY = CM_BASE + 5;
constexpr UINT CM_DIALOGCHAR = CM_BASE + 6;
constexpr UINT CM_FOCUSCHANGED = CM_BASE + 7;
constexpr UINT CM_HINTSHOW = CM_BASE + 48;
constexpr UINT CM_DIALOGCHAR_ = CM_DIALOGCHAR;

// Hit-test codes.
constexpr int HTERROR = -2;
constexpr int HTTRANSPARENT = -1;
constexpr int HTNOWHERE = 0;
constexpr int HTCLIENT = 1;
constexpr int HTCAPTION = 2;
constexpr int HTSYSMENU = 3;
constexpr int HTMENU = 5;
constexpr int HTHSCROLL = 6;
constexpr int HTVSCROLL = 7;
constexpr int HTMINBUTTON = 8;
constexpr int HTMAXBUTTON = 9;
constexpr int HTLEFT = 10;
constexpr int HTRIGHT = 11;
constexpr int HTTOP = 12;
constexpr int HTTOPLEFT = 13;
constexpr int HTTOPRIGHT = 14;
constexpr int HTBOTTOM = 15;
constexpr int HTBOTTOMLEFT = 16;
constexpr int HTBOTTOMRIGHT = 17;
constexpr int HTBORDER = 18;
// Everything of a skinned frame that is neither client nor caption (buttons, frame parts).
constexpr int HTOBJECT = 19;
constexpr int HTCLOSE = 20;
constexpr int HTHELP = 21;

// System commands.
constexpr WPARAM SC_SIZE = 0xF000;
constexpr WPARAM SC_MOVE = 0xF010;
constexpr WPARAM SC_MINIMIZE = 0xF020;
constexpr WPARAM SC_MAXIMIZE = 0xF030;
constexpr WPARAM SC_NEXTWINDOW = 0xF040;
constexpr WPARAM SC_PREVWINDOW = 0xF050;
constexpr WPARAM SC_CLOSE = 0xF060;
constexpr WPARAM SC_KEYMENU = 0xF100;
constexpr WPARAM SC_RESTORE = 0xF120;
constexpr WPARAM SC_DRAGMOVE = 0xF012;

// WM_SIZE kinds, WM_ACTIVATE states.
constexpr WPARAM SIZE_RESTORED = 0;
constexpr WPARAM SIZE_MINIMIZED = 1;
constexpr WPARAM SIZE_MAXIMIZED = 2;
constexpr WPARAM WA_INACTIVE = 0;
constexpr WPARAM WA_ACTIVE = 1;
constexpr WPARAM WA_CLICKACTIVE = 2;

// WM_SIZING edges.
constexpr WPARAM WMSZ_LEFT = 1;
constexpr WPARAM WMSZ_RIGHT = 2;
constexpr WPARAM WMSZ_TOP = 3;
constexpr WPARAM WMSZ_TOPLEFT = 4;
constexpr WPARAM WMSZ_TOPRIGHT = 5;
constexpr WPARAM WMSZ_BOTTOM = 6;
constexpr WPARAM WMSZ_BOTTOMLEFT = 7;
constexpr WPARAM WMSZ_BOTTOMRIGHT = 8;

// WM_MOUSEACTIVATE answers: activate the window or not, and whether the press is eaten.
constexpr LRESULT MA_ACTIVATE = 1;
constexpr LRESULT MA_ACTIVATEANDEAT = 2;
constexpr LRESULT MA_NOACTIVATE = 3;
constexpr LRESULT MA_NOACTIVATEANDEAT = 4;

// WM_GETDLGCODE answers: the keys a control wants for itself rather than as dialog keys.
constexpr LRESULT DLGC_WANTARROWS = 0x0001;
constexpr LRESULT DLGC_WANTTAB = 0x0002;
constexpr LRESULT DLGC_WANTALLKEYS = 0x0004;
constexpr LRESULT DLGC_WANTCHARS = 0x0080;

// Mouse key state in wParam of mouse messages.
constexpr WPARAM MK_LBUTTON = 0x0001;
constexpr WPARAM MK_RBUTTON = 0x0002;
constexpr WPARAM MK_SHIFT = 0x0004;
constexpr WPARAM MK_CONTROL = 0x0008;
constexpr WPARAM MK_MBUTTON = 0x0010;
// Alt held (the drag-and-drop key state; the simulated input takes it too).
constexpr WPARAM MK_ALT = 0x0020;

// Virtual keys (the mouse buttons have theirs too).
constexpr int VK_LBUTTON = 0x01;
constexpr int VK_RBUTTON = 0x02;
constexpr int VK_MBUTTON = 0x04;
constexpr int VK_BACK = 0x08;
constexpr int VK_TAB = 0x09;
constexpr int VK_RETURN = 0x0D;
constexpr int VK_SHIFT = 0x10;
constexpr int VK_CONTROL = 0x11;
constexpr int VK_MENU = 0x12;
constexpr int VK_ESCAPE = 0x1B;
constexpr int VK_SPACE = 0x20;
constexpr int VK_PRIOR = 0x21;
constexpr int VK_NEXT = 0x22;
constexpr int VK_END = 0x23;
constexpr int VK_HOME = 0x24;
constexpr int VK_LEFT = 0x25;
constexpr int VK_UP = 0x26;
constexpr int VK_RIGHT = 0x27;
constexpr int VK_DOWN = 0x28;
constexpr int VK_INSERT = 0x2D;
constexpr int VK_DELETE = 0x2E;
constexpr int VK_APPS = 0x5D;
constexpr int VK_F1 = 0x70;
constexpr int VK_F2 = 0x71;
constexpr int VK_F3 = 0x72;
constexpr int VK_F4 = 0x73;
constexpr int VK_F5 = 0x74;
constexpr int VK_F10 = 0x79;

// Window styles the Parts read and change.
constexpr std::uint32_t WS_OVERLAPPED = 0x00000000;
constexpr std::uint32_t WS_POPUP = 0x80000000;
constexpr std::uint32_t WS_CHILD = 0x40000000;
constexpr std::uint32_t WS_MINIMIZE = 0x20000000;
constexpr std::uint32_t WS_VISIBLE = 0x10000000;
constexpr std::uint32_t WS_DISABLED = 0x08000000;
constexpr std::uint32_t WS_CLIPSIBLINGS = 0x04000000;
constexpr std::uint32_t WS_CLIPCHILDREN = 0x02000000;
constexpr std::uint32_t WS_MAXIMIZE = 0x01000000;
constexpr std::uint32_t WS_CAPTION = 0x00C00000;
constexpr std::uint32_t WS_BORDER = 0x00800000;
constexpr std::uint32_t WS_DLGFRAME = 0x00400000;
constexpr std::uint32_t WS_VSCROLL = 0x00200000;
constexpr std::uint32_t WS_HSCROLL = 0x00100000;
constexpr std::uint32_t WS_SYSMENU = 0x00080000;
constexpr std::uint32_t WS_THICKFRAME = 0x00040000;
constexpr std::uint32_t WS_MINIMIZEBOX = 0x00020000;
constexpr std::uint32_t WS_MAXIMIZEBOX = 0x00010000;
constexpr std::uint32_t WS_EX_TOPMOST = 0x00000008;
constexpr std::uint32_t WS_EX_TOOLWINDOW = 0x00000080;
constexpr std::uint32_t WS_EX_LAYERED = 0x00080000;
constexpr std::uint32_t WS_EX_NOACTIVATE = 0x08000000;
constexpr int GWL_STYLE = -16;
constexpr int GWL_EXSTYLE = -20;
