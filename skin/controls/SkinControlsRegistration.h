#pragma once
// Registers the skin controls with the stored-layout reader (explicitly, at start-up or
// by a test), with every published property, fonts included.
class TClassRegistry;

void RegisterSkinControlClasses();
void RegisterSkinControlClasses(TClassRegistry& registry);
