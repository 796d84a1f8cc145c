#pragma once
// TbsSkinMenuItem: one row of a skin menu window, showing one menu item: highlighted,
// sub-menu-open and keyboard-selected states, a morph factor, and its drawing in the
// default look or from the skin's menu-item record.
#include "framework/core/Types.h"

class TBitmap;
class TCanvas;
class TMenuItem;
class TbsDataSkinMenuItem;
class TbsSkinData;
class TbsSkinPopupWindow;

class TbsSkinMenuItem {
 public:
  // record may be null (default look).
  TbsSkinMenuItem(TbsSkinPopupWindow* parent, TMenuItem* item, const TbsDataSkinMenuItem* record,
                  TbsSkinData* skinData);
  TbsSkinMenuItem(const TbsSkinMenuItem&) = delete;
  TbsSkinMenuItem& operator=(const TbsSkinMenuItem&) = delete;

  TMenuItem* MenuItem() const { return FMenuItem; }
  // The menu item was freed: the row stays, empty and inert.
  void Detach() { FMenuItem = nullptr; }
  bool IsSeparator() const;
  bool Enabled() const;
  bool HasSubItems() const;
  // Enabled and not a separator: what the keyboard and the mouse may select.
  bool Selectable() const { return Enabled() && !IsSeparator(); }
  bool Highlighted() const { return Active || SubMenuOpen; }

  // Draws the item into canvas at ItemRect.
  void Draw(TCanvas* canvas);
  bool MorphPending() const;
  // One morph step of +-0.2; false when nothing was pending.
  bool MorphStep();
  bool Morphing() const;

  TRect ItemRect;
  bool VisibleInWindow = true;
  bool Active = false;
  bool SubMenuOpen = false;
  bool KeyboardSelected = false;
  double MorphKf = 0;

 private:
  void DrawDefault(TBitmap& b);
  void DrawSkinned(TBitmap& b);
  // Glyph or image in the glyph column and the check mark (both looks).
  void DrawGlyph(TCanvas* c, int middle, TColor color);
  // Caption and shortcut; right is where the shortcut ends.
  void DrawTexts(TCanvas* c, int left, int right, int top, int bottom, TColor color);
  // The record's image (normal or active) as a strip of the item's size.
  void BuildStrip(TBitmap& out, const TRect& src, int leftOffset, int rightOffset) const;

  TbsSkinPopupWindow* FParent;
  TMenuItem* FMenuItem;
  const TbsDataSkinMenuItem* FRecord;
  const TBitmap* FActivePicture = nullptr;
  TRect FSkinRect, FActiveSkinRect, FDividerRect;
};
