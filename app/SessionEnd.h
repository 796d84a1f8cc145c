#pragma once
// The program ending during a take. SIGTERM, SIGINT and SIGHUP (a session logging out, a
// terminal closing, Ctrl+C) stop and save the take before the program ends; so does an
// exit() while a take runs, which is how the windowing system ends the program when the
// X display goes away. Outside a take the signals end the program at once, as they
// always did.
#include <functional>

#include "framework/messages/Messages.h"

// From now on a signal that arrives during a take becomes message msg, posted to window
// with the signal's number as word parameter; the handler runs on the user-interface
// thread like any other message.
void CatchEndSignals(HWND window, UINT msg);
// Whether a take runs: decides what a signal does.
void SetTakeRunning(bool running);
bool TakeRunning();
// Ends the program the way the signal does by default.
[[noreturn]] void EndBySignal(int signal);
// "SIGTERM" and the like.
const char* SignalName(int signal);

// save runs when the process exits through exit() while a take runs. Call it once a
// device is open: the exit handler must run before the device table is torn down, and
// exit handlers run in the reverse order of their making.
void SaveTakeAtExit(std::function<void()> save);

// The status main returns: 0 unless a take could not be kept at a graceful end.
int SessionExitStatus();
void SetSessionExitStatus(int status);
