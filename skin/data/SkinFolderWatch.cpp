#include "skin/data/SkinFolderWatch.h"

#include <algorithm>

#include "framework/core/Exceptions.h"
#include "framework/core/Strings.h"
#include "framework/core/SysUtils.h"
#include "framework/windows/Timers.h"
#include "platform/shell/ShellChangeNotifier.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinIniFile.h"
#include "skin/data/SkinIniValues.h"
#include "skin/data/SkinWarnings.h"

namespace {
// How often the user-interface thread looks for a change the watch threads reported.
constexpr unsigned PollMs = 50;
// A skin naming pictures in many folders watches the first few; each watch is a thread.
constexpr size_t MaxFolders = 16;

// The skin's own folder, and for a skin folder every sub-folder its pictures lie in.
std::vector<std::string> WatchedFolders(const std::string& path) {
  const bool folder = DirectoryExists(path);
  std::string root = folder ? IncludeTrailingPathDelimiter(path) : ExtractFilePath(path);
  if (root.empty()) root = "./";
  std::vector<std::string> out{root};
  if (!folder) return out;
  TSkinIniFile ini;
  try {
    ini.LoadFromFile(TbsCompressedStoredSkin::FolderIniPath(path));
  } catch (const std::exception&) {
    return out;
  }
  TStringList keys;
  ini.ReadSection("PICTURES", keys);
  for (int i = 0; i < keys.Count() && out.size() < MaxFolders; ++i) {
    const std::string sub = ExtractFilePath(ReadSkinString(ini, "PICTURES", keys[i]));
    if (sub.empty() || sub[0] == '/') continue;
    const std::string dir = root + sub;
    if (DirectoryExists(dir) && std::find(out.begin(), out.end(), dir) == out.end()) out.push_back(dir);
  }
  return out;
}
}  // namespace

TbsSkinFolderWatch::TbsSkinFolderWatch(TbsSkinData* target, std::string path, TReportEvent onReport)
    : FTarget(target),
      FPath(std::move(path)),
      FOnReport(std::move(onReport)),
      FChanged(std::make_shared<std::atomic<bool>>(false)),
      FTimer(std::make_unique<TTimer>(nullptr)) {
  FTimer->SetInterval(PollMs);
  FTimer->OnTimer = [this](TObject*) { Tick(); };
  Watch();
}

TbsSkinFolderWatch::~TbsSkinFolderWatch() {
  FTimer->SetEnabled(false);
  FNotifiers.clear();
}

bool TbsSkinFolderWatch::Watching() const {
  return !FNotifiers.empty() && FNotifiers.front()->Watching();
}

void TbsSkinFolderWatch::Watch() {
  std::vector<std::string> folders = WatchedFolders(FPath);
  bool alive = FNotifiers.size() == FFolders.size();
  for (const auto& n : FNotifiers) alive = alive && n->Watching();
  if (alive && folders == FFolders) return;
  // A folder that was replaced (renamed over, removed and made again) needs a new watch.
  FNotifiers.clear();
  FFolders = std::move(folders);
  auto changed = FChanged;
  for (const std::string& f : FFolders)
    FNotifiers.push_back(std::make_unique<TShellChangeNotifier>(f, [changed] { changed->store(true); }));
}

bool TbsSkinFolderWatch::TryLoad(TReport& report) {
  report = TReport{};
  const std::string file = DirectoryExists(FPath) ? TbsCompressedStoredSkin::FolderIniPath(FPath) : FPath;
  try {
    TbsCompressedStoredSkin stored(nullptr);
    stored.ReadSkinFileOrFolder(FPath);
    if (stored.IsDataEmpty()) {
      report.Error = file + ": holds no skin this program reads (empty, or of a newer version)";
      return false;
    }
    // The scratch load meets every error the real one would, before any form lets go of
    // the look it has.
    TbsSkinData scratch(nullptr);
    scratch.LoadFromStoredSkin(&stored);
    if (scratch.SkinEmpty) {
      report.Error = file + ": holds no skin this program reads (a newer version)";
      return false;
    }
    TSkinIniFile ini;
    ini.SetText(StoredSkinIniText(stored));
    report.Warnings = SkinWarnings(scratch, ini);
    FTarget->LoadFromStoredSkin(&stored);
  } catch (const std::exception& e) {
    report.Error = SkinErrorAt(file, e);
    return false;
  }
  ++FReloads;
  report.Loaded = true;
  return true;
}

bool TbsSkinFolderWatch::Reload() {
  TReport report;
  const bool loaded = TryLoad(report);
  FRetriesLeft = 0;
  Watch();
  if (FOnReport) FOnReport(report);
  return loaded;
}

void TbsSkinFolderWatch::Tick() {
  if (FChanged->exchange(false)) {
    FRetriesLeft = Retries;
    FTicksToRetry = 0;
  } else if (FTicksToRetry == 0 || --FTicksToRetry > 0) {
    return;
  }
  TReport report;
  const bool loaded = TryLoad(report);
  Watch();
  if (!loaded && FRetriesLeft > 0) {
    // Perhaps still being written: quietly once more a little later.
    --FRetriesLeft;
    FTicksToRetry = int(RetryMs / PollMs);
    return;
  }
  FRetriesLeft = 0;
  FTicksToRetry = 0;
  if (FOnReport) FOnReport(report);
}
