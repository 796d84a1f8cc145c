#include "app/UserSkin.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "app/Unt_main.h"
#include "framework/core/Exceptions.h"
#include "framework/core/SysUtils.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinFolderWatch.h"
#include "skin/data/SkinIniFile.h"
#include "skin/data/SkinIniValues.h"
#include "skin/data/SkinWarnings.h"
#include "skin/form/SkinForm.h"

namespace fs = std::filesystem;

namespace {
const char* const SkinExt = ".skn";

std::string Env(const char* name) {
  const char* v = std::getenv(name);
  return v ? v : "";
}

// The skin keeps the client area the window's layout gives it (see LoadUserSkin).
void KeepClientArea(TForm1* form) {
  form->bsSkinForm1->SetClientWidth(form->ClientWidth());
  form->bsSkinForm1->SetClientHeight(form->ClientHeight());
}

// The [VERSION] section of a skin file or folder.
void ReadIdentity(TNamedSkin& s) {
  try {
    TSkinIniFile ini;
    if (DirectoryExists(s.Path)) {
      ini.LoadFromFile(TbsCompressedStoredSkin::FolderIniPath(s.Path));
    } else {
      TbsCompressedStoredSkin stored(nullptr);
      stored.ReadPackedFile(s.Path);
      if (stored.IsDataEmpty()) throw Exception("holds no skin this program reads");
      ini.SetText(StoredSkinIniText(stored));
    }
    s.SkinName = ReadSkinString(ini, "VERSION", "skinname");
    s.Author = ReadSkinString(ini, "VERSION", "skinauthor");
  } catch (const std::exception& e) {
    s.Problem = e.what();
  }
}

// The skins of one folder by name; of a file NAME.skn and a folder NAME, the file counts.
std::vector<TNamedSkin> SkinsIn(const std::string& folder) {
  std::vector<TNamedSkin> out;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const fs::path p = it->path();
    TNamedSkin s;
    if (p.extension() == SkinExt && FileExists(p.string()))
      s.Name = p.stem().string();
    else if (DirectoryExists(p.string()) && FileExists(TbsCompressedStoredSkin::FolderIniPath(p.string())))
      s.Name = p.filename().string();
    else
      continue;
    s.Path = p.string();
    out.push_back(std::move(s));
  }
  std::sort(out.begin(), out.end(), [](const TNamedSkin& a, const TNamedSkin& b) {
    if (a.Name != b.Name) return a.Name < b.Name;
    return fs::path(a.Path).extension() == SkinExt && fs::path(b.Path).extension() != SkinExt;
  });
  return out;
}

std::string NamedSkinIn(const std::string& folder, const std::string& name) {
  if (folder.empty()) return "";
  const std::string base = IncludeTrailingPathDelimiter(folder) + name;
  if (FileExists(base + SkinExt)) return base + SkinExt;
  if (DirectoryExists(base)) return base;
  return "";
}
}  // namespace

TSkinPlaces SkinPlaces() {
  TSkinPlaces p;
  std::string data = Env("XDG_DATA_HOME");
  // Relative values are to be ignored, as if unset.
  if (data.empty() || data[0] != '/') data = Env("HOME").empty() ? "" : Env("HOME") + "/.local/share";
  if (!data.empty()) p.User = data + "/corvale/skins";
  std::error_code ec;
  const fs::path self = fs::read_symlink("/proc/self/exe", ec);
  if (!ec) p.Installed = (self.parent_path().parent_path() / "share" / "corvale" / "skins").string();
  return p;
}

std::string ResolveUserSkin(const std::string& arg, const TSkinPlaces& places, std::string& error) {
  error.clear();
  if (arg.find('/') != std::string::npos || FileExists(arg) || DirectoryExists(arg)) return arg;
  for (const std::string& folder : {places.User, places.Installed})
    if (std::string path = NamedSkinIn(folder, arg); !path.empty()) return path;
  error = "no skin is named '" + arg + "': neither " + arg + SkinExt + " nor a folder " + arg + " is in " +
          (places.User.empty() ? "(no home folder)" : places.User) + " or " + places.Installed +
          " ('corvale --list-skins' lists the skins there)";
  return "";
}

std::vector<TNamedSkin> ListUserSkins(const TSkinPlaces& places) {
  std::vector<TNamedSkin> out;
  for (const std::string& folder : {places.User, places.Installed}) {
    if (folder.empty()) continue;
    for (TNamedSkin& s : SkinsIn(folder)) {
      s.Hidden = std::any_of(out.begin(), out.end(), [&](const TNamedSkin& o) { return o.Name == s.Name; });
      ReadIdentity(s);
      out.push_back(std::move(s));
    }
  }
  return out;
}

std::string FormatSkinList(const std::vector<TNamedSkin>& skins, const TSkinPlaces& places) {
  std::string out = "Skins by name ('corvale --skin NAME'), from " +
                    (places.User.empty() ? std::string("(no home folder)") : places.User) + " and then " +
                    places.Installed + ":\n";
  if (skins.empty()) return out + "  none\n";
  size_t width = 0;
  for (const TNamedSkin& s : skins) width = std::max(width, s.Name.size());
  for (const TNamedSkin& s : skins) {
    std::string who = s.Problem.empty() ? (s.SkinName.empty() ? "(no name)" : s.SkinName) +
                                              (s.Author.empty() ? "" : " by " + s.Author)
                                        : "(cannot be read: " + s.Problem + ")";
    out += "  " + s.Name + std::string(width - s.Name.size() + 2, ' ') + who + "  " + s.Path;
    if (s.Hidden) out += "  (not used: the " + s.Name + " listed above comes first)";
    out += "\n";
  }
  return out;
}

bool LoadUserSkin(TForm1* form, const std::string& path, std::string& error) {
  error.clear();
  TbsSkinData* data = form->bsSkinData1;
  const bool folder = DirectoryExists(path);
  if (!folder && !FileExists(path)) {
    error = "the skin file '" + path + "' does not exist";
    return false;
  }
  try {
    TbsCompressedStoredSkin stored(nullptr);
    stored.ReadSkinFileOrFolder(path);
    if (stored.IsDataEmpty()) {
      error = "'" + path + "' holds no skin this program reads (empty, or of a newer version)";
      return false;
    }
    KeepClientArea(form);
    data->LoadFromStoredSkin(&stored);
  } catch (const std::exception& e) {
    error = folder ? SkinErrorAt(TbsCompressedStoredSkin::FolderIniPath(path), e)
                   : "the skin file '" + path + "' cannot be read: " + e.what();
  }
  if (error.empty() && data->SkinEmpty) error = "'" + path + "' holds no skin this program reads";
  return error.empty();
}

std::unique_ptr<TbsSkinFolderWatch> ApplyUserSkin(TForm1* form, const std::string& arg, bool watch) {
  std::string error;
  const std::string path = ResolveUserSkin(arg, SkinPlaces(), error);
  if (path.empty()) {
    std::cerr << "corvale: " << error << "; the default look is used" << std::endl;
    return nullptr;
  }
  if (!watch) {
    if (!LoadUserSkin(form, path, error)) std::cerr << "corvale: " << error << "; the default look is used" << std::endl;
    return nullptr;
  }
  KeepClientArea(form);
  // Each load is reported with what inspect would warn about, for the author at work.
  auto loaded = std::make_shared<int>(0);
  auto w = std::make_unique<TbsSkinFolderWatch>(
      form->bsSkinData1, path, [path, loaded](const TbsSkinFolderWatch::TReport& r) {
        if (!r.Loaded) {
          std::cerr << "corvale: " << r.Error << (*loaded ? "; the previous look stays" : "; the default look is used")
                    << std::endl;
          return;
        }
        ++*loaded;
        std::cerr << "corvale: skin " << path << " loaded (" << *loaded << "), " << r.Warnings.size()
                  << " warnings" << std::endl;
        for (const std::string& warning : r.Warnings) std::cerr << "corvale: warning: " << warning << std::endl;
      });
  w->Reload();
  if (!w->Watching()) std::cerr << "corvale: '" << path << "' cannot be watched for changes" << std::endl;
  return w;
}
