#include "app/RecordingRescue.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace {
std::string Env(const char* name) {
  const char* v = std::getenv(name);
  return v ? v : "";
}

std::string WithoutTrailingSlashes(std::string s) {
  while (s.size() > 1 && s.back() == '/') s.pop_back();
  return s;
}

std::string HomeFolder() { return WithoutTrailingSlashes(Env("HOME")); }

// The tool answers the home folder when no music folder is set.
std::string FromTool() {
  FILE* p = ::popen("xdg-user-dir MUSIC 2>/dev/null", "r");
  if (!p) return "";
  std::string out;
  char buf[512];
  while (std::fgets(buf, sizeof buf, p)) out += buf;
  ::pclose(p);
  while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
  out = WithoutTrailingSlashes(out);
  if (out.empty() || out[0] != '/' || out == HomeFolder()) return "";
  return out;
}

// XDG_MUSIC_DIR="$HOME/Music" or an absolute path, as user-dirs.dirs writes it.
std::string FromUserDirsFile() {
  std::string config = Env("XDG_CONFIG_HOME");
  if (config.empty() || config[0] != '/') config = HomeFolder() + "/.config";
  std::ifstream in(config + "/user-dirs.dirs");
  std::string line;
  const std::string key = "XDG_MUSIC_DIR=";
  while (std::getline(in, line)) {
    size_t at = line.find_first_not_of(" \t");
    if (at == std::string::npos || line.compare(at, key.size(), key) != 0) continue;
    std::string v = line.substr(at + key.size());
    while (!v.empty() && (v.back() == '\r' || v.back() == ' ' || v.back() == '\t')) v.pop_back();
    if (v.size() < 2 || v.front() != '"' || v.back() != '"') return "";
    v = v.substr(1, v.size() - 2);
    if (v.rfind("$HOME", 0) == 0) v = HomeFolder() + v.substr(5);
    v = WithoutTrailingSlashes(v);
    return v.empty() || v[0] != '/' || v == HomeFolder() ? "" : v;
  }
  return "";
}

bool Exists(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0 || errno != ENOENT;
}
}  // namespace

std::string UserMusicFolder() {
  std::string dir = FromTool();
  if (dir.empty()) dir = FromUserDirsFile();
  if (dir.empty()) dir = HomeFolder() + "/Music";
  return dir;
}

std::string RescueFileName(const std::string& folder, const std::string& target, std::time_t when) {
  std::string name = target.substr(target.rfind('/') + 1);
  auto dot = name.rfind('.');
  std::string stem = dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
  std::tm t{};
  ::localtime_r(&when, &t);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &t);
  std::string base = (folder.empty() ? std::string(".") : WithoutTrailingSlashes(folder)) + "/" + stem + "-" + stamp;
  std::string path = base + ".wav";
  for (int n = 2; Exists(path); ++n) path = base + "-" + std::to_string(n) + ".wav";
  return path;
}

bool EnsureFolder(const std::string& folder) {
  if (folder.empty()) return false;
  for (size_t at = 1;; ++at) {
    at = folder.find('/', at);
    std::string part = folder.substr(0, at);
    if (::mkdir(part.c_str(), 0755) != 0 && errno != EEXIST) return false;
    if (at == std::string::npos) break;
  }
  struct stat st {};
  return ::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}
