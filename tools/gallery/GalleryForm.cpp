#include <algorithm>

#include "framework/controls/Label.h"
#include "framework/windows/Forms.h"
#include "skin/controls/SkinControl.h"
#include "skin/data/SkinMessages.h"
#include "tools/gallery/Gallery.h"

namespace {
constexpr int ColumnWidth = 350;
constexpr int Margin = 10;

TLabel* Heading(TWinControl* parent, const std::string& text, int x, int y) {
  auto* l = new TLabel(parent);
  l->SetParent(parent);
  l->SetBounds(x, y, ColumnWidth, 16);
  l->Font()->SetStyle({fsBold});
  l->SetCaption(text);
  return l;
}
}  // namespace

TLabel* BuildGallery(TForm* form, TbsSkinData* skin, const std::string& skinName) {
  // The skinned form's walk on the skin messages, for skins changed while it shows.
  TWndMethod saved = form->WindowProc;
  form->WindowProc = [form, saved](TMessage& m) {
    if (m.Msg == SKINMSG_BEFORECHANGE || m.Msg == SKINMSG_CHANGE)
      NotifySkinControls(form, reinterpret_cast<TbsSkinData*>(m.WParam), m.Msg == SKINMSG_BEFORECHANGE);
    saved(m);
  };
  const int left = Margin, right = Margin + ColumnWidth + 2 * Margin;
  Heading(form, "Default look", left, Margin);
  TLabel* skinHeading = Heading(form, "Skin: " + skinName, right, Margin);
  int y = Margin + 24;
  for (const TGalleryRow& row : GalleryRows()) {
    Heading(form, row.Title, left, y);
    Heading(form, row.Title, right, y);
    y += 20;
    const int a = row.Build(form, nullptr, left, y);
    const int b = row.Build(form, skin, right, y);
    y += std::max(a, b) + Margin;
  }
  form->SetClientWidth(right + ColumnWidth + Margin);
  form->SetClientHeight(y);
  return skinHeading;
}
