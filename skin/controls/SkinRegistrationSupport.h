#pragma once
// Pieces the skin controls' registrations with the stored-layout reader share: the
// skin binding, the default font and size, stored bitmap blocks, the glyph button's
// properties and the mouse and key events.
#include <cstdint>
#include <string>
#include <vector>

#include "framework/graphics/Bitmap.h"
#include "framework/layout/ClassRegistry.h"
#include "framework/menus/PopupMenu.h"
#include "framework/windows/Controls.h"
#include "framework/windows/FontProperties.h"

extern const TIdentMap kSkinColorIdents;
extern const TIdentMap kSkinButtonLayoutIdents;

// A stored bitmap block: the BMP file, optionally preceded by its 32-bit length.
void LoadSkinBitmapBlock(TBitmap& bmp, const std::vector<std::uint8_t>& bytes);

// A setter for "Glyph.Data": the decoded block handed to set.
template <class C>
auto StoredGlyph(void (C::*set)(const TBitmap*)) {
  return [set](C* c, const std::vector<std::uint8_t>& bytes) {
    TBitmap glyph;
    LoadSkinBitmapBlock(glyph, bytes);
    (c->*set)(&glyph);
  };
}

// The skin data a control draws from and the name of its record.
template <class T>
void RegisterSkinBinding(TClassBuilder<T>& c) {
  c.Reference("SkinData", &T::SkinData, &T::SetSkinData);
  c.String("SkinDataName", &T::SkinDataName, &T::SetSkinDataName);
}

// The default look's font and size, used when no skin record is found.
template <class T>
void RegisterSkinDefaults(TClassBuilder<T>& c) {
  RegisterFontProperties(c, "DefaultFont", &T::DefaultFont, kSkinColorIdents);
  c.Integer("DefaultWidth", &T::DefaultWidth, &T::SetDefaultWidth);
  c.Integer("DefaultHeight", &T::DefaultHeight, &T::SetDefaultHeight);
  c.Boolean("UseSkinFont", &T::UseSkinFont, &T::SetUseSkinFont);
}

// What the windowed and the window-less glyph buttons both store: the glyph and its
// placement, then the down state, its group and auto-repeat (in the order written).
template <class B>
void RegisterSkinButtonGlyph(TClassBuilder<B>& c) {
  c.Binary("Glyph.Data", nullptr, StoredGlyph(&B::SetGlyph));
  c.Integer("NumGlyphs", &B::NumGlyphs, &B::SetNumGlyphs);
  c.Enum("Layout", &B::Layout, &B::SetLayout, kSkinButtonLayoutIdents);
  c.Integer("Margin", &B::Margin, &B::SetMargin);
  c.Integer("Spacing", &B::Spacing, &B::SetSpacing);
}
template <class B>
void RegisterSkinButtonState(TClassBuilder<B>& c) {
  c.Boolean("Down", &B::Down, &B::SetDown);
  c.Integer("GroupIndex", &B::GroupIndex, &B::SetGroupIndex);
  c.Boolean("AllowAllUp", &B::AllowAllUp, &B::SetAllowAllUp);
  c.Boolean("RepeatMode", &B::RepeatMode, &B::SetRepeatMode);
  c.Integer("RepeatInterval", &B::RepeatInterval, &B::SetRepeatInterval);
}

// OnMouseDown/Up/Move and PopupMenu; with keys also OnKeyDown/Up/Press.
template <class T>
void RegisterSkinMouseAndKeyEvents(TClassBuilder<T>& c, bool keys) {
  c.Event("OnMouseDown", &T::OnMouseDown);
  c.Event("OnMouseUp", &T::OnMouseUp);
  c.Event("OnMouseMove", &T::OnMouseMove);
  c.Reference("PopupMenu", &T::PopupMenu, &T::SetPopupMenu);
  if (!keys) return;
  c.Event("OnKeyDown", &T::OnKeyDown);
  c.Event("OnKeyUp", &T::OnKeyUp);
  c.Event("OnKeyPress", &T::OnKeyPress);
}
