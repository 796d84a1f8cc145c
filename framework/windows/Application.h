#pragma once
// The application object: title, main form, the forms in creation order, the message
// loop, the modal message box (with a hook that answers it in tests) and the default
// exception handler, which shows the exception's message and lets the program run on.
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/core/Component.h"
#include "framework/core/Types.h"
#include "framework/messages/Messages.h"

class TCustomForm;
class TControl;
class TIcon;
class THintWindow;
struct THintInfo;

// MessageBox buttons, icons and answers (the platform's values).
constexpr unsigned MB_OK = 0x00;
constexpr unsigned MB_OKCANCEL = 0x01;
constexpr unsigned MB_ABORTRETRYIGNORE = 0x02;
constexpr unsigned MB_YESNOCANCEL = 0x03;
constexpr unsigned MB_YESNO = 0x04;
constexpr unsigned MB_RETRYCANCEL = 0x05;
constexpr unsigned MB_ICONHAND = 0x10;
constexpr unsigned MB_ICONERROR = 0x10;
constexpr unsigned MB_ICONSTOP = 0x10;
constexpr unsigned MB_ICONQUESTION = 0x20;
constexpr unsigned MB_ICONEXCLAMATION = 0x30;
constexpr unsigned MB_ICONWARNING = 0x30;
constexpr unsigned MB_ICONASTERISK = 0x40;
constexpr unsigned MB_ICONINFORMATION = 0x40;
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

using TMessageEvent = std::function<void(TMessage& Msg, HWND Target, bool& Handled)>;
using TIdleEvent = std::function<void(TObject* Sender, bool& Done)>;
using TExceptionEvent = std::function<void(TObject* Sender, const std::exception& E)>;
using TMessageBoxHook = std::function<int(const std::string& Text, const std::string& Caption, unsigned Flags)>;
using TShowHintEvent = std::function<void(std::string& HintStr, bool& CanShow, THintInfo& HintInfo)>;
// A hook on the application window's messages; true when it handled the message.
using TWindowHook = std::function<bool(TMessage& Message)>;

class TApplication : public TComponent {
 public:
  // Works whether or not the window system's event loop was started already (starts it if not).
  explicit TApplication(TComponent* AOwner);
  ~TApplication() override;
  std::string ClassName() const override { return "TApplication"; }

  const std::string& Title() const { return FTitle; }
  void SetTitle(const std::string& v) { FTitle = v; }
  // The program's icon: every window without an icon of its own carries it (for the
  // window manager and the task bar), and tray icons start with it.
  const TIcon* Icon() const { return FIcon.get(); }
  void SetIcon(const TIcon* v);
  // The first form made through CreateForm.
  TCustomForm* MainForm() const { return FMainForm; }
  void SetMainForm(TCustomForm* f) { FMainForm = f; }
  // Makes a form owned by the application; the first one becomes the main form.
  TCustomForm* CreateForm(const std::function<TCustomForm*(TComponent* owner)>& factory);
  template <class T>
  T* CreateForm() {
    return static_cast<T*>(CreateForm([](TComponent* o) -> TCustomForm* { return new T(o); }));
  }
  // Every form in creation order (same list as Screen()).
  int FormCount() const;
  TCustomForm* Forms(int index) const;

  // Shows the main form and runs the event loop until it closes or Terminate is called.
  void Run();
  void Terminate();
  bool Terminated() const { return FTerminated; }
  // Handles everything pending on the event loop and returns.
  void ProcessMessages();
  // Waits for and handles at least one event (then idles).
  void HandleMessage();
  // Minimize tells the application window's hooks WM_SIZE SIZE_MINIMIZED afterwards,
  // Restore WM_SIZE SIZE_RESTORED.
  void Minimize();
  void Restore();
  bool Minimized() const { return FMinimized; }
  // Run shows the main form first unless this is off.
  bool ShowMainForm() const { return FShowMainForm; }
  void SetShowMainForm(bool v) { FShowMainForm = v; }
  // The application window (the one behind the task-bar entry): while it is hidden the
  // program lives on without a visible main form (in the notification area), so Run
  // does not end when the main form is hidden.
  bool AppWindowVisible() const { return FAppWindowVisible; }
  void SetAppWindowVisible(bool v) { FAppWindowVisible = v; }
  // Hooks on the application window: each message for it is offered to the hooks,
  // newest first, until one handles it.
  int HookMainWindow(TWindowHook Hook);
  void UnhookMainWindow(int Cookie);
  bool MainWindowMessage(TMessage& Message);
  bool Active() const;

  // A modal box with the text and caption; answers IDOK etc. With a hook set, the hook
  // answers and nothing is shown.
  int MessageBox(const std::string& Text, const std::string& Caption, unsigned Flags = MB_OK);
  void SetMessageBoxHook(TMessageBoxHook hook) { FMessageBoxHook = std::move(hook); }
  // The default exception handler: OnException when set, else ShowException.
  void HandleException(const std::exception& E);
  // Shows the exception's message in an error box with the title as caption.
  void ShowException(const std::exception& E);

  // Sees queued input (keys, mouse, wheel) and posted messages before any window.
  TMessageEvent OnMessage;
  TIdleEvent OnIdle;
  TExceptionEvent OnException;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnMinimize;
  TNotifyEvent OnRestore;

  // Hints (HintWindow.cpp): shown for the control under the pointer whose effective
  // ShowHint is on and whose hint is not empty, after HintPause (HintShortPause while a
  // hint is up), hidden after HintHidePause, on a press, a key, or leaving the control.
  bool ShowHint() const { return FShowHint; }
  // Off frees the hint window; on makes a new one from HintWindowClass.
  void SetShowHint(bool v);
  unsigned HintPause() const { return FHintPause; }
  void SetHintPause(unsigned ms) { FHintPause = ms; }
  unsigned HintShortPause() const { return FHintShortPause; }
  void SetHintShortPause(unsigned ms) { FHintShortPause = ms; }
  unsigned HintHidePause() const { return FHintHidePause; }
  void SetHintHidePause(unsigned ms) { FHintHidePause = ms; }
  TColor HintColor() const { return FHintColor; }
  void SetHintColor(TColor v) { FHintColor = v; }
  TShowHintEvent OnShowHint;
  THintWindow* HintWindow() const;
  TControl* HintControl() const;
  bool HintActive() const;
  // Shows the hint of the hint control now, for the pointer at CursorPos (screen).
  void ActivateHint(TPoint CursorPos);
  // Hides the hint and forgets the control: the next hint waits HintPause again.
  void CancelHint();
  void HideHint();
  // The framework reports each mouse message here with the control under the pointer
  // (nullptr once the pointer left every window) and each key message with nullptr.
  void HintMouseMessage(TControl* Control, UINT Msg);

  // Offers a message to OnMessage; true when it was handled there.
  bool FilterMessage(TMessage& msg, HWND target);
  // Runs fn, sending an escaping exception to HandleException (the event loop's boundary).
  void Guard(const std::function<void()>& fn);

 private:
  std::string FTitle;
  std::unique_ptr<TIcon> FIcon;
  TCustomForm* FMainForm = nullptr;
  bool FTerminated = false;
  bool FMinimized = false;
  bool FOwnsEventLoop = false;
  bool FShowMainForm = true;
  bool FAppWindowVisible = true;
  TMessageBoxHook FMessageBoxHook;
  std::vector<std::pair<int, TWindowHook>> FMainWindowHooks;
  int FNextHookCookie = 1;
  bool FShowHint = true;
  unsigned FHintPause = 500, FHintShortPause = 50, FHintHidePause = 2500;
  TColor FHintColor = clInfoBk;

 public:
  struct THintState;

 private:
  std::unique_ptr<THintState> FHint;
  THintState& Hints();
};

// Makes the application object (and starts the event loop if none runs).
void Application_Initialize();
// Frees the application object (tests); the next use makes a new one.
void Application_Finalize();

// The global application object, made on first use.
struct TApplicationRef {
  TApplication* operator->() const;
  TApplication& operator*() const { return *operator->(); }
  operator TApplication*() const { return operator->(); }
};
extern const TApplicationRef Application;
