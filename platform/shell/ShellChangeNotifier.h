#pragma once
// Change notification of one folder: a thread of its own waits for the file system to
// report that entries were made, removed, renamed or changed in the folder (or that the
// folder itself went away) and then calls the callback on that thread. Bursts are
// folded: one call per quiet period.
#include <functional>
#include <memory>
#include <string>

class TShellChangeNotifier {
 public:
  // Starts watching; Watching() is false when the folder cannot be watched.
  TShellChangeNotifier(const std::string& Folder, std::function<void()> OnChange);
  // Stops the thread; no call is made after this returns.
  ~TShellChangeNotifier();
  TShellChangeNotifier(const TShellChangeNotifier&) = delete;
  TShellChangeNotifier& operator=(const TShellChangeNotifier&) = delete;
  bool Watching() const;

 private:
  struct TImpl;
  std::unique_ptr<TImpl> FImpl;
};
