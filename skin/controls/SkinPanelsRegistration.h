#pragma once
// Registers the skin panel, group box, check/radio box and radio group with the
// stored-layout reader, with every published property, fonts and item lists included.
// Needs the skin control bases registered first (RegisterSkinControlClasses does both).
class TClassRegistry;

void RegisterSkinPanelClasses(TClassRegistry& registry);
