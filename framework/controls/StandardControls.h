#pragma once
// Makes the standard controls known to stored layouts: TLabel, TButton, TRadioGroup,
// TTrackBar and TOpenDialog with their published properties. The common control
// properties (bounds, Enabled, Font, ...) belong to the base classes' registration.
class TClassRegistry;

void RegisterStandardControls();
void RegisterStandardControls(TClassRegistry& registry);
