#pragma once
// Registers the skin scroll bar with the stored-layout reader. Needs the skin control
// bases registered first (RegisterSkinControlClasses does both).
class TClassRegistry;

void RegisterSkinScrollBarClass(TClassRegistry& registry);
