// Folder change notification: entries made and removed, a folder that goes away, and
// folders that cannot be watched.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/shell/ShellChangeNotifier.h"
#include "tests/platform/shell/unit/ShellTestTree.h"

using namespace shelltest;

namespace {

bool WaitFor(const std::atomic<int>& n, int atLeast) {
  for (int i = 0; i < 200 && n.load() < atLeast; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  return n.load() >= atLeast;
}

TEST(ShellChangeNotifier, ReportsChangesInTheFolderOnly) {
  TTree t;
  t.Dir("watched");
  t.Dir("other");
  std::atomic<int> calls{0};
  TShellChangeNotifier notifier(t.Path("watched"), [&] { ++calls; });
  ASSERT_TRUE(notifier.Watching());
  t.File("other/x");
  std::this_thread::sleep_for(std::chrono::milliseconds(150));
  EXPECT_EQ(0, calls.load());
  // A burst of changes folds into few calls.
  for (int i = 0; i < 50; ++i) t.File("watched/f" + std::to_string(i));
  EXPECT_TRUE(WaitFor(calls, 1));
  std::this_thread::sleep_for(std::chrono::milliseconds(150));
  EXPECT_LE(calls.load(), 3);
  const int before = calls.load();
  unlink(t.Path("watched/f0").c_str());
  EXPECT_TRUE(WaitFor(calls, before + 1));
}

TEST(ShellChangeNotifier, AFolderThatGoesAwayIsReportedAndStoppingStaysQuick) {
  TTree t;
  t.Dir("gone");
  std::atomic<int> calls{0};
  {
    TShellChangeNotifier notifier(t.Path("gone"), [&] { ++calls; });
    ASSERT_TRUE(notifier.Watching());
    rmdir(t.Path("gone").c_str());
    EXPECT_TRUE(WaitFor(calls, 1));
  }
  const int after = calls.load();
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(after, calls.load());
  TShellChangeNotifier missing(t.Path("missing"), [&] { ++calls; });
  EXPECT_FALSE(missing.Watching());
  t.File("file");
  TShellChangeNotifier file(t.Path("file"), [&] { ++calls; });
  EXPECT_FALSE(file.Watching());
}

}  // namespace
