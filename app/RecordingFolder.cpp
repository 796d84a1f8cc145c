#include "app/RecordingFolder.h"

#include <unistd.h>

#include "app/RecordingRescue.h"

bool FolderWritable(const std::string& folder) {
  return ::access(folder.empty() ? "." : folder.c_str(), W_OK | X_OK) == 0;
}

std::string RecordingFolder(const std::string& programFolder,
                            const std::function<bool(const std::string& folder)>& canWrite) {
  if (canWrite(programFolder)) return programFolder;
  std::string music = UserMusicFolder();
  // Without a music folder either, the program's folder stays: the start then fails
  // with the usual box instead of recording somewhere unexpected.
  if (!EnsureFolder(music) || !canWrite(music)) return programFolder;
  if (music.back() != '/') music += '/';
  return music;
}

std::string RecordingFolder(const std::string& programFolder) {
  return RecordingFolder(programFolder, FolderWritable);
}
