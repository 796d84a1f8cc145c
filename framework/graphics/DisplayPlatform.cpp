#include "framework/graphics/DisplayPlatform.h"

#include <cstdlib>
#include <cstring>

namespace {
bool Set(const char* v) { return v && *v; }

// The toolkit's own "-platform NAME" (or "--platform NAME"); a trailing one without a
// name is ignored by the toolkit and here.
bool PlatformArgument(int argc, const char* const* argv) {
  for (int i = 1; argv && i + 1 < argc; ++i)
    if (argv[i] && (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)) return true;
  return false;
}
}  // namespace

std::string RequiredDisplayPlatform(const TEnvironmentLookup& env, int argc, const char* const* argv) {
  if (Set(env("QT_QPA_PLATFORM")) || PlatformArgument(argc, argv)) return "";
  const char* session = env("XDG_SESSION_TYPE");
  const bool wayland = Set(env("WAYLAND_DISPLAY")) || (session && std::strcmp(session, "wayland") == 0);
  // Without XWayland the X11 platform could not start at all; the native one still can.
  if (!wayland || !Set(env("DISPLAY"))) return "";
  return "xcb";
}

std::string SelectDisplayPlatform(int argc, const char* const* argv) {
  std::string p = RequiredDisplayPlatform([](const char* n) { return static_cast<const char*>(std::getenv(n)); }, argc, argv);
  if (!p.empty()) setenv("QT_QPA_PLATFORM", p.c_str(), 1);
  return p;
}
