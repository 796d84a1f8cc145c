#pragma once
// Pieces the skin controls' registrations with the stored-layout reader share: font
// properties, stored bitmap blocks and the mouse and key events.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Font.h"
#include "framework/layout/ClassRegistry.h"
#include "framework/menus/PopupMenu.h"
#include "framework/windows/Controls.h"

extern const TIdentMap kSkinColorIdents;
extern const TIdentMap kSkinCharsetIdents;
extern const TIdentMap kSkinFontStyleIdents;

// prefix.Name, .Height, .Color, .Charset and .Style of the font get returns.
template <class T>
void RegisterSkinFontProperties(TClassBuilder<T>& c, const std::string& prefix, TFont* (*get)(T*),
                                const TFont* (*cget)(const T*)) {
  c.String(prefix + ".Name", [get](T* t, const std::string& v) { get(t)->SetName(v); },
           [cget](const T* t) { return cget(t)->Name(); });
  c.Integer(prefix + ".Height", [get](T* t, Int64 v) { get(t)->SetHeight(int(v)); },
            [cget](const T* t) -> Int64 { return cget(t)->Height(); });
  c.Integer(prefix + ".Color", [get](T* t, Int64 v) { get(t)->SetColor(TColor(v)); },
            [cget](const T* t) -> Int64 { return cget(t)->Color(); }, kSkinColorIdents);
  c.Integer(prefix + ".Charset", [get](T* t, Int64 v) { get(t)->SetCharset(TFontCharset(v)); },
            [cget](const T* t) -> Int64 { return cget(t)->Charset(); }, kSkinCharsetIdents);
  c.Set(prefix + ".Style", kSkinFontStyleIdents,
        [get](T* t, std::uint64_t v) { get(t)->SetStyle(TFontStyles::FromBits(v)); },
        [cget](const T* t) { return cget(t)->Style().Bits(); });
}

// A stored bitmap block: the BMP file, optionally preceded by its 32-bit length.
void LoadSkinBitmapBlock(TBitmap& bmp, const std::vector<std::uint8_t>& bytes);

// OnMouseDown/Up/Move and PopupMenu; with keys also OnKeyDown/Up/Press.
template <class T>
void RegisterSkinMouseAndKeyEvents(TClassBuilder<T>& c, bool keys) {
  c.template Event<TMouseEvent>("OnMouseDown", [](T* b, TMouseEvent e) { b->OnMouseDown = std::move(e); });
  c.template Event<TMouseEvent>("OnMouseUp", [](T* b, TMouseEvent e) { b->OnMouseUp = std::move(e); });
  c.template Event<TMouseMoveEvent>("OnMouseMove", [](T* b, TMouseMoveEvent e) { b->OnMouseMove = std::move(e); });
  c.template Reference<TPopupMenu>(
      "PopupMenu", [](T* b, TPopupMenu* m) { b->SetPopupMenu(m); }, [](const T* b) { return b->PopupMenu(); });
  if (!keys) return;
  c.template Event<TKeyEvent>("OnKeyDown", [](T* b, TKeyEvent e) { b->OnKeyDown = std::move(e); });
  c.template Event<TKeyEvent>("OnKeyUp", [](T* b, TKeyEvent e) { b->OnKeyUp = std::move(e); });
  c.template Event<TKeyPressEvent>("OnKeyPress", [](T* b, TKeyPressEvent e) { b->OnKeyPress = std::move(e); });
}
