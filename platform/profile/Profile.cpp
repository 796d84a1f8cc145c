#include "platform/profile/Profile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cstdlib>
#include <cstring>
#include <mutex>

#include "platform/profile/IniDocument.h"

namespace {
// Profile files are small; one lock keeps a read from seeing half of a write in this process.
std::mutex& ProfileLock() {
  static std::mutex m;
  return m;
}

QString NativePath(const std::string& path) { return QFile::decodeName(path.c_str()); }

bool Load(const std::string& path, TIniDocument& doc) {
  QFile f(NativePath(path));
  if (!f.exists()) return true;
  if (!f.open(QIODevice::ReadOnly)) return false;
  QByteArray bytes = f.readAll();
  doc.Parse(std::string(bytes.constData(), static_cast<size_t>(bytes.size())));
  return true;
}

bool Store(const std::string& path, const TIniDocument& doc) {
  QString file = NativePath(path);
  if (!QDir().mkpath(QFileInfo(file).absolutePath())) return false;
  QSaveFile out(file);
  if (!out.open(QIODevice::WriteOnly)) return false;
  std::string text = doc.Text();
  if (out.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size())) {
    out.cancelWriting();
    return false;
  }
  return out.commit();
}

// Copies a list of 0-terminated names followed by an extra 0, the classic way.
DWORD CopyList(const std::vector<std::string>& names, char* buf, DWORD size) {
  if (size < 2) {
    if (size == 1) buf[0] = 0;
    return 0;
  }
  DWORD pos = 0;
  for (const auto& n : names) {
    if (pos + n.size() + 1 > size - 1) {
      // Truncated: as much as fits, then the double terminator.
      size_t room = size - 2 - pos;
      std::memcpy(buf + pos, n.data(), room);
      buf[size - 2] = 0;
      buf[size - 1] = 0;
      return size - 2;
    }
    std::memcpy(buf + pos, n.data(), n.size());
    pos += static_cast<DWORD>(n.size());
    buf[pos++] = 0;
  }
  buf[pos] = 0;
  return pos;
}

DWORD CopyValue(const std::string& v, char* buf, DWORD size) {
  if (size == 0) return 0;
  size_t n = std::min<size_t>(v.size(), size - 1);
  std::memcpy(buf, v.data(), n);
  buf[n] = 0;
  return static_cast<DWORD>(n);
}
}  // namespace

std::string ProfileFilePath(const std::string& FileName) {
  if (FileName.find('/') != std::string::npos) return FileName;
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  std::string base;
  if (xdg && xdg[0] == '/') {
    base = xdg;
  } else {
    const char* home = std::getenv("HOME");
    base = std::string(home && home[0] ? home : "/tmp") + "/.config";
  }
  return base + "/corvale/" + FileName;
}

bool WritePrivateProfileString(const char* Section, const char* Key, const char* Value,
                               const char* FileName) {
  if (!Section || !FileName || !FileName[0]) return false;
  std::lock_guard lock(ProfileLock());
  std::string path = ProfileFilePath(FileName);
  TIniDocument doc;
  if (!Load(path, doc)) return false;
  if (!Key) {
    if (!doc.HasSection(Section)) return true;
    doc.EraseSection(Section);
  } else if (!Value) {
    if (!doc.Value(Section, Key)) return true;
    doc.EraseKey(Section, Key);
  } else {
    doc.SetValue(Section, Key, Value);
  }
  return Store(path, doc);
}

DWORD GetPrivateProfileString(const char* Section, const char* Key, const char* Default,
                              char* Buffer, DWORD Size, const char* FileName) {
  if (!Buffer || Size == 0) return 0;
  std::string def = Default ? Default : "";
  while (!def.empty() && def.back() == ' ') def.pop_back();
  TIniDocument doc;
  {
    std::lock_guard lock(ProfileLock());
    if (!FileName || !FileName[0] || !Load(ProfileFilePath(FileName), doc)) doc = TIniDocument();
  }
  if (!Section) return CopyList(doc.SectionNames(), Buffer, Size);
  if (!Key) return CopyList(doc.KeyNames(Section), Buffer, Size);
  return CopyValue(doc.Value(Section, Key).value_or(def), Buffer, Size);
}

std::string GetPrivateProfileStdString(const std::string& Section, const std::string& Key,
                                       const std::string& Default, const std::string& FileName) {
  TIniDocument doc;
  {
    std::lock_guard lock(ProfileLock());
    if (!Load(ProfileFilePath(FileName), doc)) return Default;
  }
  return doc.Value(Section, Key).value_or(Default);
}
