// Scroll bars, list views, labels and bevels in the gallery: bars horizontal and
// vertical, with a page, disabled and sharing a corner; a report list whose bars it
// drives itself, with a selected row and a cut long name, and a list-style list; labels enabled and disabled; the bevel shapes, dividers and a spacer.
#include <string>

#include "framework/graphics/Font.h"
#include "skin/controls/SkinBevel.h"
#include "skin/controls/SkinListView.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/controls/SkinStdLabel.h"
#include "tools/gallery/Gallery.h"

namespace {
TbsSkinScrollBar* Bar(TWinControl* parent, TbsSkinData* skin, TScrollBarKind kind, int x, int y, int w, int h) {
  auto* b = new TbsSkinScrollBar(parent);
  b->SetParent(parent);
  b->SetKind(kind);
  b->SetSkinDataName(kind == sbHorizontal ? "hscrollbar" : "vscrollbar");
  b->SetBounds(x, y, w, h);
  b->SetSkinData(skin);
  return b;
}
}  // namespace

int AddScrollBars(TWinControl* column, TbsSkinData* skin, int x, int top) {
  Bar(column, skin, sbHorizontal, x, top, 200, 19)->SetPosition(30);
  auto* paged = Bar(column, skin, sbHorizontal, x, top + 24, 200, 19);
  paged->SetParams(0, 99, 25, 40);
  auto* off = Bar(column, skin, sbHorizontal, x, top + 48, 200, 19);
  off->SetEnabled(false);
  auto* both = Bar(column, skin, sbHorizontal, x, top + 72, 200, 19);
  both->SetBoth(true);
  both->SetPosition(100);
  Bar(column, skin, sbVertical, x + 215, top, 19, 110)->SetParams(0, 49, 10, 12);
  Bar(column, skin, sbVertical, x + 245, top, 19, 110)->SetPosition(70);
  return 110;
}

int AddListViews(TWinControl* column, TbsSkinData* skin, int x, int top) {
  auto* list = new TbsSkinListView(column);
  list->SetParent(column);
  list->SetBounds(x, top, 220, 120);
  auto* v = Bar(column, skin, sbVertical, x + 220, top, 19, 120);
  auto* h = Bar(column, skin, sbHorizontal, x, top + 120, 239, 19);
  list->SetVScrollBar(v);
  list->SetHScrollBar(h);
  list->SetViewStyle(vsReport);
  list->SetHeaderSkinDataName("listheader");
  list->SetHideSelection(false);
  list->AddColumn("Name", 120);
  list->AddColumn("Size", 70);
  list->AddColumn("Type", 80);
  list->Column(1).Alignment = taRightJustify;
  for (int i = 0; i < 40; ++i) {
    TListItem& it = list->AddItem(i == 3 ? "A name far too long for its column.txt" : "Take " + std::to_string(i + 1) + ".wav");
    it.SubItems = {std::to_string((i + 1) * 37) + " KB", "Wave sound"};
  }
  list->SetItemIndex(2);
  list->SetSkinData(skin);
  list->CheckBars();

  auto* small = new TbsSkinListView(column);
  small->SetParent(column);
  small->SetBounds(x + 250, top, 100, 120);
  auto* sh = Bar(column, skin, sbHorizontal, x + 250, top + 120, 100, 19);
  small->SetHScrollBar(sh);
  small->SetViewStyle(vsList);
  for (int i = 0; i < 12; ++i) small->AddItem("File " + std::to_string(i + 1));
  small->SetSkinData(skin);
  small->CheckBars();
  return 139;
}

int AddLabelsAndBevels(TWinControl* column, TbsSkinData* skin, int x, int top) {
  auto* on = new TbsSkinStdLabel(column);
  on->SetParent(column);
  on->SetBounds(x, top, 100, 16);
  on->SetCaption("File &name:");
  on->SetSkinData(skin);
  auto* off = new TbsSkinStdLabel(column);
  off->SetParent(column);
  off->SetBounds(x + 110, top, 100, 16);
  off->SetCaption("Disabled label");
  off->SetEnabled(false);
  off->SetSkinData(skin);

  const TBevelShape shapes[] = {bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer};
  int bx = x;
  for (TBevelShape s : shapes) {
    auto* b = new TbsSkinBevel(column);
    b->SetParent(column);
    b->SetBounds(bx, top + 24, 40, 30);
    b->SetShape(s);
    b->SetStyle(s == bsFrame ? bsRaised : bsLowered);
    b->SetSkinData(skin);
    bx += 48;
  }
  auto* hd = new TbsSkinBevel(column);
  hd->SetParent(column);
  hd->SetBounds(x, top + 60, 200, 12);
  hd->SetShape(bsTopLine);
  hd->SetDividerMode(true);
  hd->SetSkinData(skin);
  auto* vd = new TbsSkinBevel(column);
  vd->SetParent(column);
  vd->SetBounds(x + 210, top + 56, 12, 24);
  vd->SetShape(bsBox);
  vd->SetDividerMode(true);
  vd->SetSkinData(skin);
  return 80;
}
