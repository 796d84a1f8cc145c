#include "tools/skintool/SkinPreview.h"

#include <cstdlib>
#include <iostream>

#include "framework/controls/StandardControls.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Resources.h"
#include "framework/core/SysUtils.h"
#include "framework/graphics/Bitmap.h"
#include "framework/layout/LayoutReader.h"
#include "framework/menus/MenuClasses.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "framework/windows/PaintTo.h"
#include "framework/windows/WindowsClasses.h"
#include "skin/controls/SkinControlsRegistration.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinDataRegistration.h"
#include "skin/data/SkinFolderWatch.h"
#include "skin/data/SkinIniValues.h"
#include "skin/dialogs/SkinDialogsRegistration.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinFormRegistration.h"
#include "tools/gallery/Gallery.h"
#include "tools/skintool/PreviewStandIns.h"

namespace {
// The main window as its layout stores it, with stand-ins for what would start something.
TForm* BuildMainWindow() {
  const std::string* layout = FindResource("layout", "Form1");
  if (!layout) throw Exception("the program's main window layout is missing");
  RegisterPreviewStandIns(*layout);
  auto* form = new TForm(Application);
  ReadLayout(form, *layout);
  return form;
}

TbsSkinData* SkinDataOf(TForm* form) {
  for (int i = 0; i < form->ComponentCount(); ++i)
    if (auto* d = dynamic_cast<TbsSkinData*>(form->Components(i))) return d;
  throw Exception("the main window has no skin data component");
}

// As the program's --skin does: the window keeps its client area inside the skin's frame.
void KeepClientArea(TForm* form) {
  if (TbsSkinForm* skinForm = FindSkinForm(form)) {
    skinForm->SetClientWidth(form->ClientWidth());
    skinForm->SetClientHeight(form->ClientHeight());
  }
}

void LoadSkin(TForm* form, TbsSkinData* data, const std::string& file) {
  TbsCompressedStoredSkin stored(nullptr);
  stored.ReadSkinFileOrFolder(file);
  if (stored.IsDataEmpty()) throw Exception("'" + file + "' holds no skin of a version this tool reads");
  KeepClientArea(form);
  try {
    data->LoadFromStoredSkin(&stored);
  } catch (const std::exception& e) {
    throw Exception(SkinErrorAt(DirectoryExists(file) ? TbsCompressedStoredSkin::FolderIniPath(file) : file, e));
  }
  if (data->SkinEmpty) throw Exception("'" + file + "' holds no skin of a version this tool reads");
}

void Settle() {
  for (int i = 0; i < 5; ++i) Application->ProcessMessages();
}

// Draws the window in its active look into the PNG.
void WritePicture(TForm* form, const TPreviewRequest& request, const std::string& what) {
  Settle();
  // The active look, as the user sees the window while working in it.
  if (TbsSkinForm* skinForm = FindSkinForm(form)) skinForm->SetAlwaysDrawAsActive(true);
  form->Perform(WM_NCPAINT, 0, 0);
  Settle();
  TBitmap image;
  PaintTo(form, &image);
  image.SavePngFile(request.OutFile);
  std::cout << "preview " << what << " -> " << request.OutFile << " (" << image.Width() << "x" << image.Height()
            << ")" << std::endl;
}

// Runs until the process is stopped: each change of the skin's folder reloads the skin
// and draws the picture again; a skin that does not load keeps the last picture.
[[noreturn]] void WatchSkin(TForm* form, TbsSkinData* data, const TPreviewRequest& request) {
  KeepClientArea(form);
  TbsSkinFolderWatch watch(data, request.SkinFile, [&](const TbsSkinFolderWatch::TReport& r) {
    if (!r.Loaded) {
      std::cerr << "skintool: " << r.Error << "; the picture keeps the last look that loaded" << std::endl;
      return;
    }
    for (const std::string& w : r.Warnings) std::cerr << "skintool: warning: " << w << "\n";
    WritePicture(form, request, "of " + request.SkinFile + " (reload " + std::to_string(watch.Reloads()) + ")");
  });
  if (!watch.Reload()) WritePicture(form, request, "of the default look (the skin did not load)");
  if (!watch.Watching()) std::cerr << "skintool: '" << request.SkinFile << "' cannot be watched" << std::endl;
  std::cout << "watching " << request.SkinFile << " (stop with Ctrl+C)" << std::endl;
  for (;;) Application->HandleMessage();
}
}  // namespace

bool ParsePreviewSize(const std::string& text, int& width, int& height) {
  const size_t x = text.find('x');
  if (x == std::string::npos || x == 0 || x + 1 >= text.size() || x > 4 || text.size() - x - 1 > 4) return false;
  for (size_t i = 0; i < text.size(); ++i)
    if (i != x && (text[i] < '0' || text[i] > '9')) return false;
  width = std::atoi(text.substr(0, x).c_str());
  height = std::atoi(text.substr(x + 1).c_str());
  return width >= 1 && width <= 8192 && height >= 1 && height <= 8192;
}

int PreviewSkin(const TPreviewRequest& request) {
  // Off-screen, whatever display there is or is not; the off-screen platform's notes
  // about what it cannot do (raise, masks) are no news to the user.
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  setenv("QT_LOGGING_RULES", "default.warning=false", 1);
  Application_Initialize();
  RegisterWindowsClasses();
  RegisterStandardControls();
  RegisterMenuClasses();
  RegisterSkinDataClasses();
  RegisterSkinControlClasses();
  RegisterSkinFormClasses();
  RegisterSkinDialogClasses();

  TForm* form = nullptr;
  TbsSkinData* data = nullptr;
  if (request.Gallery) {
    form = new TForm(Application);
    form->SetCaption("Corvale gallery");
    form->SetBorderStyle(bsSingle);
    form->SetBounds(0, 0, 100, 100);
    data = new TbsSkinData(form);
  } else {
    form = BuildMainWindow();
    data = SkinDataOf(form);
  }
  if (!request.SkinFile.empty() && !request.Watch) LoadSkin(form, data, request.SkinFile);
  if (request.Gallery) {
    const std::string name = request.Watch ? request.SkinFile
                             : data->SkinEmpty        ? "none"
                             : data->skinname.empty() ? request.SkinFile
                                                      : data->skinname;
    BuildGallery(form, data, name);
  }
  if (request.Width > 0) form->SetBounds(form->Left(), form->Top(), request.Width, request.Height);

  form->Show();
  if (request.Watch) WatchSkin(form, data, request);
  WritePicture(form, request, request.SkinFile.empty() ? "of the default look" : "of " + request.SkinFile);
  Application_Finalize();
  return 0;
}
