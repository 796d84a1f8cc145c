#pragma once
// A font a component owns, as stored layouts name it: "Prefix.Name", ".Height",
// ".Color", ".Charset" and ".Style". Which colour names a layout may use is the
// registering class's choice.
#include <string>
#include <type_traits>

#include "framework/graphics/Font.h"
#include "framework/layout/ClassRegistry.h"

extern const TIdentMap kFontCharsetIdents;
extern const TIdentMap kFontStyleIdents;

// font is the class's accessor of the (non-const) font, read through the same call.
template <class T, class C>
  requires std::is_base_of_v<C, T>
void RegisterFontProperties(TClassBuilder<T>& c, const std::string& prefix, TFont* (C::*font)(),
                            const TIdentMap& colours) {
  auto of = [font](const T* t) -> const TFont* { return (const_cast<T*>(t)->*font)(); };
  auto at = [font](T* t) { return (t->*font)(); };
  c.String(prefix + ".Name", [of](const T* t) { return of(t)->Name(); },
           [at](T* t, const std::string& v) { at(t)->SetName(v); });
  c.Integer(prefix + ".Height", [of](const T* t) { return of(t)->Height(); },
            [at](T* t, int v) { at(t)->SetHeight(v); });
  c.Integer(prefix + ".Color", [of](const T* t) { return of(t)->Color(); },
            [at](T* t, TColor v) { at(t)->SetColor(v); }, colours);
  c.Integer(prefix + ".Charset", [of](const T* t) { return of(t)->Charset(); },
            [at](T* t, TFontCharset v) { at(t)->SetCharset(v); }, kFontCharsetIdents);
  c.Set(prefix + ".Style", [of](const T* t) { return of(t)->Style(); },
        [at](T* t, TFontStyles v) { at(t)->SetStyle(v); }, kFontStyleIdents);
}
