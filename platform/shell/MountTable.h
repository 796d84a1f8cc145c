#pragma once
// The volumes the computer item shows: mount points of real file systems from the
// mount table, "/" always first.
#include <string>
#include <vector>

struct TMountEntry {
  std::string Device;
  std::string MountPoint;
  std::string Type;
};

// Parses mount table text ("device mountpoint type options dump pass" per line, octal
// escapes such as \040 for a space). Lines with fewer than three fields or a mount
// point that is not absolute are skipped.
std::vector<TMountEntry> ParseMountTable(const std::string& text);

// Whether an entry names a volume the user browses (not a kernel or container
// pseudo file system).
bool IsUserVolume(const TMountEntry& entry);

// The mount points of the user's volumes from the current mount table, "/" first and
// the rest sorted; mount points that are gone or are not folders are left out.
std::vector<std::string> ShellVolumes();

// Tests read another table instead of /proc/self/mounts (empty: the real one).
void SetMountTablePath(const std::string& path);
