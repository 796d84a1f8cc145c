#pragma once
// Registers the window-less skin control bases, the speed buttons and the tool bar with
// the stored-layout reader.
class TClassRegistry;

void RegisterSkinSpeedButtonClasses(TClassRegistry& registry);
