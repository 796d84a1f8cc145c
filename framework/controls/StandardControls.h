#pragma once
// Makes the standard controls known to stored layouts: TLabel, TButton, TRadioGroup,
// TTrackBar and TOpenDialog with their published properties. The common control
// properties (bounds, Enabled, Font, ...) belong to the base classes' registration.
#include <string>

#include "framework/controls/CustomEdit.h"
#include "framework/layout/ClassRegistry.h"

void RegisterStandardControls();
void RegisterStandardControls(TClassRegistry& registry);

// The names of the modal results a button may store.
extern const TIdentMap kModalResultIdents;

// An edit's password character in its stored form, for every class with one.
template <class E>
std::string PasswordCharText(const E* e) {
  return PasswordCharToText(e->PasswordChar());
}
template <class E>
void SetPasswordCharText(E* e, const std::string& text) {
  e->SetPasswordChar(PasswordCharFromText(text));
}
