// gallery: every skin control in its default look beside the same controls bound to a
// skin. Usage: gallery [--skin FILE.skn]  (default: the Slate skin, skins/slate.skn).
// With CORVALE_READY_FILE set, the screen rectangle of the form's client area is
// written there once the window shows.
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <unistd.h>

#include "framework/core/Exceptions.h"
#include "framework/core/SysUtils.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Timers.h"
#include "skin/controls/SkinControl.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinMessages.h"
#include "tools/gallery/Gallery.h"

namespace {
// skins/slate.skn in the working folder or beside one of the executable's parents.
std::string DefaultSkin() {
  if (FileExists("skins/slate.skn")) return "skins/slate.skn";
  char self[4096];
  ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
  if (n <= 0) return "";
  std::string dir(self, size_t(n));
  for (int up = 0; up < 5; ++up) {
    dir = dir.substr(0, dir.find_last_of('/'));
    if (dir.empty()) break;
    if (FileExists(dir + "/skins/slate.skn")) return dir + "/skins/slate.skn";
  }
  return "";
}
}  // namespace

int main(int argc, char** argv) {
  std::string skinFile;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--skin" && i + 1 < argc) {
      skinFile = argv[++i];
    } else {
      std::cerr << "usage: gallery [--skin FILE.skn]\n";
      return 2;
    }
  }
  if (skinFile.empty()) skinFile = DefaultSkin();

  Application_Initialize();
  Application->SetTitle("Corvale gallery");
  auto* form = Application->CreateForm<TForm>();
  form->SetCaption("Corvale gallery");
  form->SetBorderStyle(bsSingle);

  auto* stored = new TbsCompressedStoredSkin(form);
  auto* skin = new TbsSkinData(form);
  std::string skinName = "no skin";
  try {
    if (skinFile.empty()) throw Exception("no skin file found (give --skin FILE.skn)");
    stored->ReadPackedFile(skinFile);
    skin->LoadFromStoredSkin(stored);
    if (skin->SkinEmpty) throw Exception("'" + skinFile + "' holds no skin this program reads");
    skinName = skin->skinname.empty() ? skinFile : skin->skinname;
  } catch (const Exception& e) {
    std::cerr << "gallery: " << e.Message() << "\n";
  }

  // The skinned form's walk on the skin messages, for skins changed while it runs.
  TWndMethod saved = form->WindowProc;
  form->WindowProc = [form, saved](TMessage& m) {
    if (m.Msg == SKINMSG_BEFORECHANGE || m.Msg == SKINMSG_CHANGE)
      NotifySkinControls(form, reinterpret_cast<TbsSkinData*>(m.WParam), m.Msg == SKINMSG_BEFORECHANGE);
    saved(m);
  };

  form->SetBounds(60, 60, 100, 100);
  BuildGallery(form, skin, skinName);

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
