#pragma once
// The application object: title, main form, the forms in creation order, the message
// loop, the modal message box (with a hook that answers it in tests) and the default
// exception handler, which shows the exception's message and lets the program run on.
#include <exception>
#include <functional>
#include <string>

#include "framework/core/Component.h"
#include "framework/windows/Messages.h"

class TCustomForm;

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

class TApplication : public TComponent {
 public:
  // Works whether or not a Qt application object exists already (creates one if not).
  explicit TApplication(TComponent* AOwner);
  ~TApplication() override;
  std::string ClassName() const override { return "TApplication"; }

  const std::string& Title() const { return FTitle; }
  void SetTitle(const std::string& v) { FTitle = v; }
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
  void Minimize();
  void Restore();
  bool Minimized() const { return FMinimized; }
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

  // Offers a message to OnMessage; true when it was handled there.
  bool FilterMessage(TMessage& msg, HWND target);
  // Runs fn, sending an escaping exception to HandleException (the Qt event boundary).
  void Guard(const std::function<void()>& fn);

 private:
  std::string FTitle;
  TCustomForm* FMainForm = nullptr;
  bool FTerminated = false;
  bool FMinimized = false;
  bool FOwnsQtApp = false;
  TMessageBoxHook FMessageBoxHook;
};

// Makes the application object (and a Qt application if none exists).
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
