// The skinned open dialog in the gallery: a button that shows it in the column's look
// (the skinned column gives its skin to the frame and to the controls) and a label with
// the file chosen last, which is also written to standard output ("open dialog: chose 'X'").
#include <iostream>
#include <string>

#include "framework/controls/Label.h"
#include "skin/controls/SkinButton.h"
#include "skin/dialogs/SkinOpenDialog.h"
#include "tools/gallery/Gallery.h"

int AddOpenDialog(TWinControl* column, TbsSkinData* skin, int x, int top) {
  auto* dialog = new TbsSkinOpenDialog(column);
  dialog->SetSkinData(skin);
  dialog->SetCtrlSkinData(skin);
  dialog->SetFilter("Video files|*.avi;*.mpg;*.mp4;*.mkv|Sound files|*.wav|All files|*.*");
  dialog->SetFilterIndex(3);

  auto* chosen = new TLabel(column);
  chosen->SetParent(column);
  chosen->SetBounds(x + 130, top + 6, 220, 16);
  chosen->SetCaption("Chosen: none");

  auto* open = new TbsSkinButton(column);
  open->SetParent(column);
  open->SetBounds(x, top, 120, 25);
  open->SetSkinData(skin);
  open->SetCaption("Open a file...");
  open->OnClick = [dialog, chosen, skin](TObject*) {
    if (!dialog->Execute()) return;
    chosen->SetCaption("Chosen: " + dialog->FileName());
    std::cout << "open dialog: chose '" << dialog->FileName() << "'" << (skin ? " (skinned)" : " (default)")
              << std::endl;
  };
  return 30;
}
