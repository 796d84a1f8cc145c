#pragma once
// The toolkit's event loop and the application-wide services that come with it, as the
// application object and modal loops use them (qt/EventLoop.cpp).
#include <functional>
#include <string>

class TIcon;

namespace eventloop {
// Makes the loop when none exists; true when this call made it (and must destroy it).
bool Create();
void Destroy();
bool Exists();
// Runs fn from the loop, after the events already queued; callable from any thread.
// False when there is no loop.
bool Post(std::function<void()> fn);
// Wakes a loop waiting for events.
void Wake();
void ProcessPending();
// Waits for at least one event, then handles what is queued.
void WaitAndProcess();

// One of the program's windows is the active window of the desktop.
bool AnyWindowActive();
// The icon of every top-level window that has none of its own.
void SetDefaultWindowIcon(const TIcon& icon);
// A modal box with the classic MB_* buttons and icon; the ID* answer.
int ShowMessageBox(const std::string& text, const std::string& title, unsigned flags);
}  // namespace eventloop
