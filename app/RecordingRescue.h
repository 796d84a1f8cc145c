#pragma once
// Where a take goes when it cannot be saved over Temp.wav: a new file beside it, or in
// the user's music folder when that folder cannot be written. The name carries the
// time of the rescue, so a rescued take never replaces another file.
#include <ctime>
#include <string>

// The user's music folder: what `xdg-user-dir MUSIC` answers, else XDG_MUSIC_DIR from
// user-dirs.dirs in the configuration folder, else ~/Music. Not created here.
std::string UserMusicFolder();

// A name in folder that no file has yet: "<stem>-YYYYMMDD-HHMMSS.wav" after the target's
// file name stem, with "-2", "-3" ... added when that is taken.
std::string RescueFileName(const std::string& folder, const std::string& target, std::time_t when);

// Makes folder and its missing parents; true when it exists afterwards.
bool EnsureFolder(const std::string& folder);
