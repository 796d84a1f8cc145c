#pragma once
// Registers the skin combo box, the skin edit and the skinned open dialog with the
// stored-layout reader. Needs the skin control bases registered first
// (RegisterSkinControlClasses).
class TClassRegistry;

void RegisterSkinDialogClasses();
void RegisterSkinDialogClasses(TClassRegistry& registry);
