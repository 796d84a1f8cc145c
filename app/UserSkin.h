#pragma once
// A skin chosen by the user (--skin): a compressed skin file, a skin folder, or a skin's
// name, loaded into the main window's skin data so that everything bound to it takes
// its look; with --watch the skin is loaded again whenever its folder changes.
#include <memory>
#include <string>
#include <vector>

class TForm1;
class TbsSkinFolderWatch;

// True when the skin of the file or folder is loaded. The window keeps the client area
// its layout gives it: the form component sizes the frame around it, so no control is
// cut off by a skin whose frame is wider than the default one. Otherwise the skin stays
// empty (default looks) and error says why in a sentence for the user, naming the file
// and, where there is one, the line.
bool LoadUserSkin(TForm1* form, const std::string& path, std::string& error);

// The folders where skins are found by name: the user's ($XDG_DATA_HOME/corvale/skins,
// or ~/.local/share/corvale/skins), then the installed one (share/corvale/skins beside
// the executable's bin folder, so that an install under any prefix finds its own).
struct TSkinPlaces {
  std::string User;
  std::string Installed;
};
TSkinPlaces SkinPlaces();

// The path an argument of --skin means. One that holds "/" or names an existing file or
// folder is a path; any other is a name: NAME.skn or the folder NAME, in the user's
// folder first, then in the installed one. "" with error set when a name matches nothing.
std::string ResolveUserSkin(const std::string& arg, const TSkinPlaces& places, std::string& error);

// One skin that a name finds (or would find, were it not for one of the same name in the
// user's folder).
struct TNamedSkin {
  std::string Name;  // what --skin takes
  std::string Path;
  std::string SkinName, Author;  // from [VERSION]
  std::string Problem;           // why it cannot be read, when it cannot
  bool Hidden = false;           // a skin of this name comes first
};
std::vector<TNamedSkin> ListUserSkins(const TSkinPlaces& places);
// The --list-skins text.
std::string FormatSkinList(const std::vector<TNamedSkin>& skins, const TSkinPlaces& places);

// --skin ARG [--watch] for the started program: resolves the argument, loads the skin
// and, when asked, watches it. Problems go to standard error; the window then keeps its
// default look. The returned watch (none without --watch) lives as long as the window.
std::unique_ptr<TbsSkinFolderWatch> ApplyUserSkin(TForm1* form, const std::string& arg, bool watch);
