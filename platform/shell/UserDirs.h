#pragma once
// The XDG user folders and the home folder.
#include <map>
#include <string>

// $HOME, else the password database's entry; never ends in '/' (except "/").
std::string HomeDirectory();

// Parses user-dirs.dirs text: lines XDG_<KEY>_DIR="$HOME/sub" or "/abs". Comments,
// malformed lines and relative values are skipped; "$HOME" expands to home.
std::map<std::string, std::string> ParseUserDirs(const std::string& text, const std::string& home);

// The folder of a key ("DESKTOP", "DOCUMENTS", "DOWNLOAD", "MUSIC", "PICTURES",
// "PUBLICSHARE", "TEMPLATES", "VIDEOS") from $XDG_CONFIG_HOME/user-dirs.dirs, else
// home + the usual English name. Empty for an unknown key. Not checked for existence.
std::string UserDirectory(const std::string& key);
