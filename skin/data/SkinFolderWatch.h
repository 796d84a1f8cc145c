#pragma once
// Live reload of a skin: whenever a file of the skin's folder changes (or of a folder
// its pictures lie in), the skin is loaded again and handed to a skin data through its
// run-time skin change, so every form and control bound to it takes the new look.
// Each change is loaded into a scratch skin data first and handed on only when it
// loaded there: a broken edit keeps the last good look. Bursts of changes come as one;
// a skin that fails to load is tried again a few times before the failure is reported,
// since an editor or a generator may still be writing it.
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TbsSkinData;
class TShellChangeNotifier;
class TTimer;

class TbsSkinFolderWatch {
 public:
  struct TReport {
    bool Loaded = false;
    std::string Error;                  // why it did not load ("file:line: ..."), when not
    std::vector<std::string> Warnings;  // what `skintool inspect` would warn about, when it did
  };
  using TReportEvent = std::function<void(const TReport&)>;

  // path: a skin folder or a compressed skin file (whose folder is watched). Nothing is
  // loaded until the first change or Reload().
  TbsSkinFolderWatch(TbsSkinData* target, std::string path, TReportEvent onReport);
  ~TbsSkinFolderWatch();
  TbsSkinFolderWatch(const TbsSkinFolderWatch&) = delete;
  TbsSkinFolderWatch& operator=(const TbsSkinFolderWatch&) = delete;

  // Loads the skin now and reports; true when the target took it.
  bool Reload();
  // Skins handed to the target so far.
  int Reloads() const { return FReloads; }
  // False when the folder cannot be watched (it does not exist, or no watch is left).
  bool Watching() const;

  // A failed load is tried again this many times, RetryMs apart, before it is reported.
  static constexpr int Retries = 3;
  static constexpr unsigned RetryMs = 250;

 private:
  bool TryLoad(TReport& report);
  void Watch();
  void Tick();

  TbsSkinData* FTarget;
  std::string FPath;
  TReportEvent FOnReport;
  std::vector<std::string> FFolders;
  std::vector<std::unique_ptr<TShellChangeNotifier>> FNotifiers;
  std::shared_ptr<std::atomic<bool>> FChanged;
  std::unique_ptr<TTimer> FTimer;
  int FTicksToRetry = 0;
  int FRetriesLeft = 0;
  int FReloads = 0;
};
