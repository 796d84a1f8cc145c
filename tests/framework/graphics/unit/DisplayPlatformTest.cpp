#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "framework/graphics/DisplayPlatform.h"

namespace {

struct Env {
  std::map<std::string, std::string> vars;
  TEnvironmentLookup Lookup() const {
    return [this](const char* n) -> const char* {
      auto it = vars.find(n);
      return it == vars.end() ? nullptr : it->second.c_str();
    };
  }
};

std::string Choose(const Env& e, std::vector<const char*> args = {"corvale"}) {
  return RequiredDisplayPlatform(e.Lookup(), int(args.size()), args.data());
}

TEST(DisplayPlatform, AWaylandSessionGetsXWaylandUnlessThereIsNone) {
  EXPECT_EQ(Choose({{{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}}}), "xcb");
  EXPECT_EQ(Choose({{{"XDG_SESSION_TYPE", "wayland"}, {"DISPLAY", ":1"}}}), "xcb");
  // No X server to fall back on: the toolkit's own choice still shows a window.
  EXPECT_EQ(Choose({{{"WAYLAND_DISPLAY", "wayland-0"}}}), "");
  EXPECT_EQ(Choose({{{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ""}}}), "");
}

TEST(DisplayPlatform, OtherSessionsAreLeftAlone) {
  EXPECT_EQ(Choose({{{"DISPLAY", ":0"}}}), "");
  EXPECT_EQ(Choose({{{"DISPLAY", ":0"}, {"XDG_SESSION_TYPE", "x11"}}}), "");
  EXPECT_EQ(Choose({{{"DISPLAY", ":0"}, {"WAYLAND_DISPLAY", ""}, {"XDG_SESSION_TYPE", "tty"}}}), "");
  EXPECT_EQ(Choose({}), "");
}

TEST(DisplayPlatform, TheUsersOwnChoiceWins) {
  const Env wayland{{{"WAYLAND_DISPLAY", "wayland-0"}, {"XDG_SESSION_TYPE", "wayland"}, {"DISPLAY", ":0"}}};
  Env chosen = wayland;
  chosen.vars["QT_QPA_PLATFORM"] = "wayland";
  EXPECT_EQ(Choose(chosen), "");
  EXPECT_EQ(Choose(wayland, {"corvale", "-platform", "wayland"}), "");
  EXPECT_EQ(Choose(wayland, {"corvale", "--platform", "offscreen"}), "");
  // An empty variable or a trailing "-platform" without a name chooses nothing.
  chosen.vars["QT_QPA_PLATFORM"] = "";
  EXPECT_EQ(Choose(chosen), "xcb");
  EXPECT_EQ(Choose(wayland, {"corvale", "-platform"}), "xcb");
  EXPECT_EQ(Choose(wayland, {"corvale", "wayland"}), "xcb");
  EXPECT_EQ(RequiredDisplayPlatform(wayland.Lookup(), 0, nullptr), "xcb");
}

// The process-wide form sets the variable the toolkit reads, and only when needed.
TEST(DisplayPlatform, SelectingSetsTheToolkitVariable) {
  std::map<std::string, std::optional<std::string>> saved;
  for (const char* n : {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "XDG_SESSION_TYPE", "DISPLAY"}) {
    const char* v = std::getenv(n);
    saved[n] = v ? std::optional<std::string>(v) : std::nullopt;
  }
  const char* args[] = {"corvale"};
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  setenv("WAYLAND_DISPLAY", "wayland-9", 1);
  setenv("DISPLAY", ":9", 1);
  EXPECT_EQ(SelectDisplayPlatform(1, args), "");
  EXPECT_STREQ(std::getenv("QT_QPA_PLATFORM"), "offscreen");
  unsetenv("QT_QPA_PLATFORM");
  EXPECT_EQ(SelectDisplayPlatform(1, args), "xcb");
  EXPECT_STREQ(std::getenv("QT_QPA_PLATFORM"), "xcb");
  for (auto& [n, v] : saved)
    if (v)
      setenv(n.c_str(), v->c_str(), 1);
    else
      unsetenv(n.c_str());
}

}  // namespace
