// The XDG user folders.
#include "platform/shell/UserDirs.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

std::string HomeDirectory() {
  std::string home;
  if (const char* env = std::getenv("HOME"); env && env[0] == '/') {
    home = env;
  } else if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) {
    home = pw->pw_dir;
  }
  if (home.empty()) home = "/";
  while (home.size() > 1 && home.back() == '/') home.pop_back();
  return home;
}

std::map<std::string, std::string> ParseUserDirs(const std::string& text, const std::string& home) {
  std::map<std::string, std::string> out;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    size_t p = line.find_first_not_of(" \t");
    if (p == std::string::npos || line[p] == '#') continue;
    line = line.substr(p);
    const size_t eq = line.find('=');
    if (eq == std::string::npos || line.compare(0, 4, "XDG_") != 0 || eq < 9 ||
        line.compare(eq - 4, 4, "_DIR") != 0)
      continue;
    const std::string key = line.substr(4, eq - 8);
    std::string value = line.substr(eq + 1);
    while (!value.empty() && (value.back() == ' ' || value.back() == '\t' || value.back() == '\r'))
      value.pop_back();
    if (value.size() < 2 || value.front() != '"' || value.back() != '"') continue;
    value = value.substr(1, value.size() - 2);
    // Only \" and \\ are escaped in this file.
    std::string unescaped;
    for (size_t i = 0; i < value.size(); ++i) {
      if (value[i] == '\\' && i + 1 < value.size()) ++i;
      unescaped.push_back(value[i]);
    }
    if (unescaped == "$HOME") {
      unescaped = home;
    } else if (unescaped.compare(0, 6, "$HOME/") == 0) {
      unescaped = (home == "/" ? "" : home) + unescaped.substr(5);
    } else if (unescaped.empty() || unescaped[0] != '/') {
      continue;
    }
    while (unescaped.size() > 1 && unescaped.back() == '/') unescaped.pop_back();
    out[key] = unescaped;
  }
  return out;
}

std::string UserDirectory(const std::string& key) {
  static const std::map<std::string, std::string> defaults = {
      {"DESKTOP", "Desktop"},   {"DOCUMENTS", "Documents"}, {"DOWNLOAD", "Downloads"},
      {"MUSIC", "Music"},       {"PICTURES", "Pictures"},   {"PUBLICSHARE", "Public"},
      {"TEMPLATES", "Templates"}, {"VIDEOS", "Videos"}};
  const auto d = defaults.find(key);
  if (d == defaults.end()) return {};
  const std::string home = HomeDirectory();
  std::string config;
  if (const char* env = std::getenv("XDG_CONFIG_HOME"); env && env[0] == '/') {
    config = env;
  } else {
    config = home + "/.config";
  }
  std::ifstream in(config + "/user-dirs.dirs", std::ios::binary);
  if (in) {
    std::string text(64 * 1024, '\0');
    in.read(text.data(), std::streamsize(text.size()));
    text.resize(size_t(in.gcount()));
    const auto dirs = ParseUserDirs(text, home);
    if (const auto f = dirs.find(key); f != dirs.end()) return f->second;
  }
  return (home == "/" ? "" : home) + "/" + d->second;
}
