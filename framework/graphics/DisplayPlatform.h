#pragma once
// Which windowing platform the framework's windows run on. The framework moves and
// sizes its frameless windows itself, which a Wayland compositor forbids, so under a
// Wayland session it asks for the X11 platform (XWayland), unless the user chose one.
#include <functional>
#include <string>

// The environment as a look-up (nullptr: not set).
using TEnvironmentLookup = std::function<const char*(const char* name)>;

// The platform to select before the application object is created, or "" to leave
// the choice to the toolkit: "xcb" when WAYLAND_DISPLAY is set or XDG_SESSION_TYPE is
// "wayland", an X display (DISPLAY) is there to fall back on, and neither
// QT_QPA_PLATFORM nor a "-platform" argument names a platform.
std::string RequiredDisplayPlatform(const TEnvironmentLookup& env, int argc, const char* const* argv);

// Applies RequiredDisplayPlatform to this process (sets QT_QPA_PLATFORM); returns it.
std::string SelectDisplayPlatform(int argc, const char* const* argv);
