// gallery: every skin control in its default look beside the same controls bound to a
// skin. Usage: gallery [--skin NAME | FILE.skn | FOLDER]  (default: the Slate skin). A
// name is one of the shipped skins (skins/NAME.skn); buttons above the skinned column
// switch between them while the gallery runs. With CORVALE_READY_FILE set, the screen
// rectangle of the form's client area is written there once the window shows.
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <unistd.h>

#include "framework/controls/Button.h"
#include "framework/controls/Label.h"
#include "framework/core/Exceptions.h"
#include "framework/core/SysUtils.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Timers.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"
#include "tools/gallery/Gallery.h"

namespace {
// The shipped skins the buttons offer, by name (skins/NAME.skn).
const char* const ShippedSkins[] = {"slate", "night"};

// skins/NAME.skn in the working folder or beside one of the executable's parents.
std::string ShippedSkin(const std::string& name) {
  const std::string rel = "skins/" + name + ".skn";
  if (FileExists(rel)) return rel;
  char self[4096];
  ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
  if (n <= 0) return "";
  std::string dir(self, size_t(n));
  for (int up = 0; up < 5; ++up) {
    dir = dir.substr(0, dir.find_last_of('/'));
    if (dir.empty()) break;
    if (FileExists(dir + "/" + rel)) return dir + "/" + rel;
  }
  return "";
}

// Loads the skin into the gallery's skin data (a run-time skin change once it shows);
// the name of what was loaded, or "no skin" after a message.
std::string LoadGallerySkin(TbsCompressedStoredSkin* stored, TbsSkinData* skin, const std::string& arg) {
  try {
    std::string path = arg;
    if (arg.find('/') == std::string::npos && !FileExists(arg) && !DirectoryExists(arg)) {
      path = ShippedSkin(arg);
      if (path.empty()) throw Exception("no shipped skin is named '" + arg + "' (give a file or a folder)");
    }
    stored->ReadSkinFileOrFolder(path);
    skin->LoadFromStoredSkin(stored);
    if (skin->SkinEmpty) throw Exception("'" + path + "' holds no skin this program reads");
    return skin->skinname.empty() ? path : skin->skinname;
  } catch (const Exception& e) {
    std::cerr << "gallery: " << e.Message() << "\n";
  }
  return "no skin";
}
}  // namespace

int main(int argc, char** argv) {
  std::string skinArg = ShippedSkins[0];
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--skin" && i + 1 < argc) {
      skinArg = argv[++i];
    } else {
      std::cerr << "usage: gallery [--skin NAME | FILE.skn | FOLDER]\n";
      return 2;
    }
  }

  Application_Initialize();
  Application->SetTitle("Corvale gallery");
  auto* form = Application->CreateForm<TForm>();
  form->SetCaption("Corvale gallery");
  form->SetBorderStyle(bsSingle);

  auto* stored = new TbsCompressedStoredSkin(form);
  auto* skin = new TbsSkinData(form);
  const std::string skinName = LoadGallerySkin(stored, skin, skinArg);

  form->SetBounds(60, 60, 100, 100);
  TLabel* heading = BuildGallery(form, skin, skinName);

  // The choice of shipped skin, at the right end of the skinned column's heading.
  int x = form->ClientWidth() - 10;
  for (int i = int(std::size(ShippedSkins)) - 1; i >= 0; --i) {
    const std::string name = ShippedSkins[i];
    auto* b = new TButton(form);
    b->SetParent(form);
    b->SetCaption(std::string(1, char(std::toupper(name[0]))) + name.substr(1));
    b->SetBounds(x - 64, heading->Top() - 4, 60, 22);
    x -= 66;
    b->OnClick = [stored, skin, heading, name](TObject*) {
      heading->SetCaption("Skin: " + LoadGallerySkin(stored, skin, name));
    };
  }

  if (const char* ready = std::getenv("CORVALE_READY_FILE"); ready && *ready) {
    auto* watch = new TTimer(form);
    watch->SetInterval(50);
    std::string path = ready;
    watch->OnTimer = [form, watch, path](TObject*) {
      if (!form->Showing()) return;
      watch->SetEnabled(false);
      TPoint o = form->ClientOrigin();
      std::ofstream(path) << "client " << o.X << ' ' << o.Y << ' ' << form->ClientWidth() << ' '
                          << form->ClientHeight() << '\n';
    };
  }
  Application->Run();
  return 0;
}
